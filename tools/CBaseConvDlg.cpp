#include "tools/CBaseConvDlg.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "tools/BaseConvert.h"
#include "widgets/DialogUnits.h"
#include "widgets/LineBox.h"
#include "widgets/Prompts.h"

namespace dravik::tools {

namespace {

QLabel* Label(const QString& text, QWidget* parent, const QRect& r)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(r);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QComboBox* BaseCombo(QWidget* parent, const QString& name, int current)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (int base = 2; base <= 16; ++base)
        combo->addItem(CBaseConvDlg::tr("%1进制").arg(base)); // entry i is base i + 2
    combo->setCurrentIndex(current);
    combo->setMaxVisibleItems(15);
    return combo;
}

} // namespace

CBaseConvDlg::CBaseConvDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("进制转换"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const widgets::DialogUnits du(font());
    setFixedSize(du.X(238), du.Y(105));

    Label(tr("本程序为2-16进制的进制转换器，支持整数和浮点小数。"), this, du.Rect(7, 7, 224, 10));

    // The number goes into the editor's one-line box, so that pasted line breaks stay in the text
    // (and make it invalid) instead of being swallowed; Enter typed there converts.
    Label(tr("输入"), this, du.Rect(7, 24, 25, 12));
    input_ = new widgets::LineBox(this);
    input_->setObjectName(QStringLiteral("input"));
    input_->setGeometry(du.Rect(33, 24, 192, 12));
    input_->installEventFilter(this);

    Label(tr("我输入的数是"), this, du.Rect(7, 42, 58, 12));
    from_ = BaseCombo(this, QStringLiteral("fromBase"), 8);
    from_->setGeometry(du.Rect(66, 42, 53, 12));

    Label(tr("我想转换成"), this, du.Rect(7, 60, 58, 12));
    to_ = BaseCombo(this, QStringLiteral("toBase"), 14);
    to_->setGeometry(du.Rect(66, 60, 53, 12));

    compute_ = new QPushButton(tr("计算"), this);
    compute_->setObjectName(QStringLiteral("compute"));
    compute_->setGeometry(du.Rect(142, 44, 62, 27));
    compute_->setAutoDefault(false); // Enter elsewhere closes the dialog, see keyPressEvent
    connect(compute_, &QPushButton::clicked, this, &CBaseConvDlg::OnCompute);

    Label(tr("结果"), this, du.Rect(7, 82, 25, 12));
    result_ = new QLineEdit(this);
    result_->setObjectName(QStringLiteral("result"));
    result_->setGeometry(du.Rect(33, 82, 192, 12));
    result_->setReadOnly(true);

    input_->setFocus();
}

CBaseConvDlg::~CBaseConvDlg() = default;

void CBaseConvDlg::OnCompute()
{
    const BaseConvertResult r =
        ConvertBase(input_->Text().toStdString(), from_->currentIndex() + 2, to_->currentIndex() + 2);
    if (!r.ok) {
        result_->clear();
        widgets::Prompts::For(this).Tell(this, QMessageBox::Critical, tr("错误"),
                                         QString::fromStdString(r.message));
        return;
    }
    result_->setText(QString::fromStdString(r.text));
}

namespace {
bool IsPlainEnter(const QKeyEvent* e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    return enter && (e->modifiers() == Qt::NoModifier ||
                     (e->modifiers() == Qt::KeypadModifier && e->key() == Qt::Key_Enter));
}
} // namespace

// Enter typed into the input box converts, as "计算" does; the box would take it as a line break.
bool CBaseConvDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == input_ && event->type() == QEvent::KeyPress &&
        IsPlainEnter(static_cast<QKeyEvent*>(event))) {
        OnCompute();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Enter on the focused "计算" presses it; anywhere else (the base lists, the result box) it
// ends the dialog, as the standard OK action does.
void CBaseConvDlg::keyPressEvent(QKeyEvent* e)
{
    if (IsPlainEnter(e)) {
        if (focusWidget() == compute_)
            compute_->click();
        else
            accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace dravik::tools
