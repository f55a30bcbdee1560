#include "tools/CBaseConvDlg.h"

#include "app/DialogUnits.h"

#include "tools/BaseConvert.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>

namespace {

CBaseConvDlg::MessageFn& MessageHook()
{
    static CBaseConvDlg::MessageFn hook;
    return hook;
}

void ShowMessage(QWidget* parent, const QString& text, const QString& caption)
{
    if (const auto& hook = MessageHook())
        hook(parent, text, caption);
    else
        QMessageBox::critical(parent, caption, text);
}

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
        combo->addItem(QStringLiteral("%1进制").arg(base)); // entry i is base i + 2
    combo->setCurrentIndex(current);
    combo->setMaxVisibleItems(15);
    return combo;
}

} // namespace

CBaseConvDlg::CBaseConvDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("进制转换"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const dravik::app::DialogUnits du(font());
    setFixedSize(du.X(238), du.Y(105));

    Label(QStringLiteral("本程序为2-16进制的进制转换器，支持整数和浮点小数。"), this, du.Rect(7, 7, 224, 10));

    // The number goes into a one-line plain text box rather than a line edit so that Enter and
    // pasted line breaks stay in the text (and make it invalid) instead of being swallowed.
    Label(QStringLiteral("输入"), this, du.Rect(7, 24, 25, 12));
    m_input = new QPlainTextEdit(this);
    m_input->setObjectName(QStringLiteral("input"));
    m_input->setGeometry(du.Rect(33, 24, 192, 12));
    m_input->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_input->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_input->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_input->setTabChangesFocus(true);
    // Centre the single line in the box, as a line edit would.
    const int spare = m_input->height() - 2 * m_input->frameWidth() - QFontMetrics(m_input->font()).height();
    m_input->document()->setDocumentMargin(std::max(1, spare / 2));

    Label(QStringLiteral("我输入的数是"), this, du.Rect(7, 42, 58, 12));
    m_from = BaseCombo(this, QStringLiteral("fromBase"), 8);
    m_from->setGeometry(du.Rect(66, 42, 53, 12));

    Label(QStringLiteral("我想转换成"), this, du.Rect(7, 60, 58, 12));
    m_to = BaseCombo(this, QStringLiteral("toBase"), 14);
    m_to->setGeometry(du.Rect(66, 60, 53, 12));

    m_compute = new QPushButton(QStringLiteral("计算"), this);
    m_compute->setObjectName(QStringLiteral("compute"));
    m_compute->setGeometry(du.Rect(142, 44, 62, 27));
    m_compute->setAutoDefault(false); // Enter elsewhere closes the dialog, see keyPressEvent
    connect(m_compute, &QPushButton::clicked, this, &CBaseConvDlg::onCompute);

    Label(QStringLiteral("结果"), this, du.Rect(7, 82, 25, 12));
    m_result = new QLineEdit(this);
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setGeometry(du.Rect(33, 82, 192, 12));
    m_result->setReadOnly(true);

    m_input->setFocus();
}

CBaseConvDlg::~CBaseConvDlg() = default;

CBaseConvDlg::MessageFn CBaseConvDlg::SetMessageHook(MessageFn fn)
{
    MessageFn previous = std::move(MessageHook());
    MessageHook() = std::move(fn);
    return previous;
}

void CBaseConvDlg::onCompute()
{
    const dravik::tools::BaseConvertResult r = dravik::tools::ConvertBase(
        m_input->toPlainText().toStdString(), m_from->currentIndex() + 2, m_to->currentIndex() + 2);
    if (!r.ok) {
        m_result->clear();
        ShowMessage(this, QString::fromStdString(r.message), QStringLiteral("错误"));
        return;
    }
    m_result->setText(QString::fromStdString(r.text));
}

// Enter on the focused "计算" presses it; anywhere else (the base lists, the result box) it
// ends the dialog, as the standard OK action does. The input box keeps Enter for itself.
void CBaseConvDlg::keyPressEvent(QKeyEvent* e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool plain = e->modifiers() == Qt::NoModifier ||
                       (e->modifiers() == Qt::KeypadModifier && e->key() == Qt::Key_Enter);
    if (enter && plain) {
        if (focusWidget() == m_compute)
            m_compute->click();
        else
            accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
