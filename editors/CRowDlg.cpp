#include "editors/CRowDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>

#include "app/DialogUnits.h"

using dravik::editors::ControlKind;
using dravik::editors::ControlLayout;
using dravik::editors::DialogLayout;

namespace {

CRowDlg::MessageFn& MessageHook()
{
    static CRowDlg::MessageFn hook;
    return hook;
}

void ShowMessage(QWidget* parent, const QString& text, const QString& caption)
{
    if (const auto& hook = MessageHook())
        hook(parent, text, caption);
    else
        QMessageBox::warning(parent, caption, text);
}

QString Id(const char* prefix, int id) { return QString::fromLatin1(prefix) + QString::number(id); }

// A one-line text box that keeps Enter as part of its text, so that what the user typed is
// exactly what reaches the cell; Tab still moves on to the next control.
QPlainTextEdit* MakeEdit(QWidget* parent, const QRect& rect)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setGeometry(rect);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    // Centre the single line in the box, as a line edit would.
    const int spare = rect.height() - 2 * edit->frameWidth() - QFontMetrics(edit->font()).height();
    edit->document()->setDocumentMargin(std::max(1, spare / 2));
    return edit;
}

QComboBox* MakeCombo(QWidget* parent, const QRect& rect, dravik::editors::Entries entries)
{
    auto* combo = new QComboBox(parent);
    combo->setGeometry(rect);
    QStringList texts;
    for (const std::string& text : dravik::editors::EntryTexts(entries))
        texts << QString::fromStdString(text);
    combo->addItems(texts);
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(20);
    // The open list may be wider than the closed box so that long names are read whole.
    QAbstractItemView* view = combo->view();
    const int wanted = view->sizeHintForColumn(0) + view->verticalScrollBar()->sizeHint().width() + 8;
    view->setMinimumWidth(std::max(rect.width(), wanted));
    return combo;
}

} // namespace

CRowDlg::CRowDlg(const DialogLayout& layout, QWidget* parent) : QDialog(parent), m_layout(&layout)
{
    setObjectName(QString::fromLatin1(layout.className));
    setWindowTitle(QString::fromUtf8(layout.caption));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(dravik::app::EditorFont());

    const dravik::app::DialogUnits du(font());
    setFixedSize(du.Size(layout.width, layout.height));

    // Controls of each kind in ascending id order, whatever order the layout lists them in.
    std::vector<const ControlLayout*> edits, combos;
    QString lastLabel;
    for (const ControlLayout& c : layout.controls) {
        const QRect rect = du.Rect(c.x, c.y, c.width, c.height);
        const QString text = QString::fromUtf8(c.text);
        switch (c.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(text, this);
            label->setGeometry(rect);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            lastLabel = text;
            break;
        }
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(text, this);
            frame->setGeometry(rect);
            break;
        }
        case ControlKind::Title:
            m_titleLabel = new QLabel(this);
            m_titleLabel->setObjectName(Id("title", c.id));
            m_titleLabel->setGeometry(rect);
            m_titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            break;
        case ControlKind::Edit: {
            QPlainTextEdit* edit = MakeEdit(this, rect);
            edit->setObjectName(Id("edit", c.id));
            edit->setProperty("label", lastLabel);
            break;
        }
        case ControlKind::Combo:
        case ControlKind::DropList: {
            QComboBox* combo = MakeCombo(this, rect, c.entries);
            combo->setObjectName(Id("combo", c.id));
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(text, this);
            button->setObjectName(Id("button", c.id));
            button->setGeometry(rect);
            if (c.id == 1) {
                button->setDefault(true);
                connect(button, &QPushButton::clicked, this, &CRowDlg::accept);
            } else {
                button->setAutoDefault(false);
                connect(button, &QPushButton::clicked, this, &CRowDlg::reject);
            }
            break;
        }
        }
        if (c.kind == ControlKind::Edit)
            edits.push_back(&c);
        else if (c.kind == ControlKind::Combo)
            combos.push_back(&c);
    }

    const auto byId = [](const ControlLayout* a, const ControlLayout* b) { return a->id < b->id; };
    std::sort(edits.begin(), edits.end(), byId);
    std::sort(combos.begin(), combos.end(), byId);
    for (const ControlLayout* c : edits) {
        m_edits.push_back(EditById(c->id));
        m_editLabels.push_back(m_edits.back()->property("label").toString());
    }
    for (const ControlLayout* c : combos)
        m_combos.push_back(ComboById(c->id));
    m_texts = QStringList(static_cast<int>(m_edits.size()), QString());
    m_indexes.assign(m_combos.size(), -1);

    // Tab order follows ascending ids, edit boxes before lists, as the fields are numbered.
    QWidget* previous = nullptr;
    std::vector<QWidget*> order(m_edits.begin(), m_edits.end());
    order.insert(order.end(), m_combos.begin(), m_combos.end());
    for (QWidget* w : order) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    if (!order.empty())
        order.front()->setFocus();
}

CRowDlg::~CRowDlg() = default;

void CRowDlg::SetTitle(const QString& title)
{
    m_title = title;
    if (m_titleLabel)
        m_titleLabel->setText(title);
}

void CRowDlg::SetText(int i, const QString& text)
{
    if (i < 0 || i >= TextCount())
        return;
    m_texts[i] = text;
    m_edits[static_cast<size_t>(i)]->setPlainText(text);
}

void CRowDlg::SetIndex(int i, int index)
{
    if (i < 0 || i >= IndexCount())
        return;
    m_indexes[static_cast<size_t>(i)] = index;
    QComboBox* combo = m_combos[static_cast<size_t>(i)];
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int CRowDlg::IndexPosition(int comboId) const
{
    const QComboBox* combo = ComboById(comboId);
    const auto it = std::find(m_combos.begin(), m_combos.end(), combo);
    return combo && it != m_combos.end() ? static_cast<int>(it - m_combos.begin()) : -1;
}

QPlainTextEdit* CRowDlg::EditById(int id) const { return findChild<QPlainTextEdit*>(Id("edit", id)); }
QComboBox* CRowDlg::ComboById(int id) const { return findChild<QComboBox*>(Id("combo", id)); }
QPushButton* CRowDlg::ButtonById(int id) const { return findChild<QPushButton*>(Id("button", id)); }

QString CRowDlg::EditLabel(int i) const
{
    return i >= 0 && i < TextCount() ? m_editLabels[static_cast<size_t>(i)] : QString();
}

CRowDlg::MessageFn CRowDlg::SetMessageHook(MessageFn fn)
{
    MessageFn previous = std::move(MessageHook());
    MessageHook() = std::move(fn);
    return previous;
}

void CRowDlg::accept()
{
    if (m_check) {
        QStringList texts;
        for (const QPlainTextEdit* edit : m_edits)
            texts << edit->toPlainText();
        const Refusal refusal = m_check(texts);
        if (refusal.text >= 0 && refusal.text < TextCount()) {
            ShowMessage(this,
                        QStringLiteral("%1: \"%2\" %3")
                            .arg(EditLabel(refusal.text), texts[refusal.text], refusal.reason),
                        QStringLiteral("错误"));
            QPlainTextEdit* edit = m_edits[static_cast<size_t>(refusal.text)];
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    ReadControls();
    QDialog::accept();
}

void CRowDlg::ReadControls()
{
    for (int i = 0; i < TextCount(); ++i)
        m_texts[i] = m_edits[static_cast<size_t>(i)]->toPlainText();
    for (int i = 0; i < IndexCount(); ++i)
        m_indexes[static_cast<size_t>(i)] = m_combos[static_cast<size_t>(i)]->currentIndex();
}
