#include "editors/CRowDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <limits>
#include <map>

#include "editors/LootDrops.h"
#include "widgets/DialogUnits.h"
#include "widgets/LineBox.h"
#include "widgets/Prompts.h"

namespace dravik::editors {

namespace {

// The captions and labels of the layouts are translated where they are shown.
QString LayoutText(const char* text) { return QCoreApplication::translate("DialogLayouts", text); }

QString Id(const char* prefix, int id) { return QString::fromLatin1(prefix) + QString::number(id); }

void FillCombo(QComboBox* combo, const std::vector<std::string>& entries)
{
    QStringList texts;
    for (const std::string& text : entries)
        texts << QString::fromStdString(text);
    combo->clear();
    combo->addItems(texts);
    combo->setCurrentIndex(-1);
    // The open list may be wider than the closed box so that long names are read whole.
    QAbstractItemView* view = combo->view();
    const int wanted = view->sizeHintForColumn(0) + view->verticalScrollBar()->sizeHint().width() + 8;
    view->setMinimumWidth(std::max(combo->width(), wanted));
}

QComboBox* MakeCombo(QWidget* parent, const QRect& rect, Entries entries, const names::NameSet& names)
{
    auto* combo = new QComboBox(parent);
    combo->setGeometry(rect);
    combo->setMaxVisibleItems(20);
    FillCombo(combo, EntryTexts(entries, names));
    return combo;
}

// The layouts are drawn for the Chinese labels; a longer translation widens its column of
// labels (the labels that start at one x) and moves whatever lies to the right of that column, so
// no label is cut. A control that spans the column (a frame, the heading) grows with it. Returns
// the pixels the dialog grows by.
int FitLabels(const DialogLayout& layout, const QFontMetrics& fm, std::vector<QRect>& rects)
{
    std::map<int, int> grow; // a label column's left edge -> pixels its widest label lacks
    for (size_t i = 0; i < rects.size(); ++i)
        if (layout.controls[i].kind == DialogControlKind::Label) {
            const int lacking = fm.horizontalAdvance(LayoutText(layout.controls[i].text)) - rects[i].width();
            int& column = grow[rects[i].left()];
            column = std::max(column, lacking);
        }
    const auto shift = [&grow](int x) {
        int pixels = 0;
        for (const auto& [left, lacking] : grow)
            if (left < x)
                pixels += lacking;
        return pixels;
    };
    for (QRect& r : rects) {
        const int right = r.left() + r.width();
        r = QRect(r.left() + shift(r.left()), r.top(), r.width() + shift(right) - shift(r.left()),
                  r.height());
    }
    return shift(std::numeric_limits<int>::max());
}

} // namespace

CRowDlg::CRowDlg(const DialogLayout& layout, const names::NameSet& names, QWidget* parent)
    : QDialog(parent), layout_(&layout)
{
    setObjectName(QString::fromLatin1(layout.id));
    setWindowTitle(LayoutText(layout.caption));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(widgets::EditorFont());

    const widgets::DialogUnits du(font());
    std::vector<QRect> rects;
    for (const DialogControl& c : layout.controls)
        rects.push_back(du.Rect(c.x, c.y, c.width, c.height));
    const int grown = FitLabels(layout, QFontMetrics(font()), rects);
    setFixedSize(du.Size(layout.width, layout.height) + QSize(grown, 0));

    // Controls of each kind in ascending id order, whatever order the layout lists them in.
    std::vector<const DialogControl*> edits, combos;
    QString lastLabel;
    for (size_t i = 0; i < layout.controls.size(); ++i) {
        const DialogControl& c = layout.controls[i];
        const QRect& rect = rects[i];
        const QString text = LayoutText(c.text);
        switch (c.kind) {
        case DialogControlKind::Label: {
            auto* label = new QLabel(text, this);
            label->setGeometry(rect);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            lastLabel = text;
            break;
        }
        case DialogControlKind::Frame: {
            auto* frame = new QGroupBox(text, this);
            frame->setGeometry(rect);
            break;
        }
        case DialogControlKind::Title:
            titleLabel_ = new QLabel(this);
            titleLabel_->setObjectName(Id("title", c.id));
            titleLabel_->setGeometry(rect);
            titleLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            break;
        case DialogControlKind::Edit: {
            auto* edit = new widgets::LineBox(this);
            edit->setGeometry(rect);
            edit->setObjectName(Id("edit", c.id));
            edit->setProperty("label", lastLabel);
            editsById_[c.id] = edit;
            break;
        }
        case DialogControlKind::Combo:
        case DialogControlKind::DropList: {
            QComboBox* combo = MakeCombo(this, rect, c.entries, names);
            combo->setObjectName(Id("combo", c.id));
            combosById_[c.id] = combo;
            break;
        }
        case DialogControlKind::Button: {
            auto* button = new QPushButton(text, this);
            button->setObjectName(Id("button", c.id));
            button->setGeometry(rect);
            if (c.id == 1) {
                ok_ = button;
                button->setDefault(true);
                connect(button, &QPushButton::clicked, this, &CRowDlg::accept);
            } else {
                button->setAutoDefault(false);
                connect(button, &QPushButton::clicked, this, &CRowDlg::reject);
            }
            break;
        }
        }
        if (c.kind == DialogControlKind::Edit)
            edits.push_back(&c);
        else if (c.kind == DialogControlKind::Combo)
            combos.push_back(&c);
    }

    const auto byId = [](const DialogControl* a, const DialogControl* b) { return a->id < b->id; };
    std::sort(edits.begin(), edits.end(), byId);
    std::sort(combos.begin(), combos.end(), byId);
    for (const DialogControl* c : edits) {
        textKeys_.push_back(c->key);
        edits_.push_back(editsById_.at(c->id));
        editLabels_.push_back(edits_.back()->property("label").toString());
    }
    for (const DialogControl* c : combos) {
        indexKeys_.push_back(c->key);
        combos_.push_back(combosById_.at(c->id));
    }
    texts_ = QStringList(static_cast<int>(edits_.size()), QString());
    indexes_.assign(combos_.size(), -1);

    // Tab order follows ascending ids, edit boxes before lists, as the fields are numbered.
    QWidget* previous = nullptr;
    std::vector<QWidget*> order(edits_.begin(), edits_.end());
    order.insert(order.end(), combos_.begin(), combos_.end());
    for (QWidget* w : order) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    if (!order.empty())
        order.front()->setFocus();
    const bool hasDrops =
        std::any_of(layout.controls.begin(), layout.controls.end(),
                    [](const DialogControl& c) { return c.kind == DialogControlKind::DropList; });
    if (hasDrops)
        drops_ = std::make_unique<LootDrops>(
            this, [this](int id) { return combosById_.at(id); }, order.empty() ? nullptr : order.back());
}

CRowDlg::~CRowDlg() = default;

void CRowDlg::SetTitle(const QString& title)
{
    title_ = title;
    if (titleLabel_)
        titleLabel_->setText(title);
}

void CRowDlg::SetText(int i, const QString& text)
{
    if (i < 0 || i >= TextCount())
        return;
    texts_[i] = text;
    edits_[static_cast<size_t>(i)]->SetText(text);
}

void CRowDlg::SetChoices(int i, const std::vector<std::string>& entries)
{
    if (i >= 0 && i < IndexCount())
        FillCombo(combos_[static_cast<size_t>(i)], entries);
}

void CRowDlg::SetIndex(int i, int index)
{
    if (i < 0 || i >= IndexCount())
        return;
    indexes_[static_cast<size_t>(i)] = index;
    QComboBox* combo = combos_[static_cast<size_t>(i)];
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void CRowDlg::MakeReadOnly()
{
    for (const auto& [id, edit] : editsById_)
        edit->setReadOnly(true);
    for (const auto& [id, list] : combosById_)
        list->setEnabled(false);
    if (ok_)
        ok_->setEnabled(false);
}

QString CRowDlg::EditLabel(int i) const
{
    return i >= 0 && i < TextCount() ? editLabels_[static_cast<size_t>(i)] : QString();
}

void CRowDlg::accept()
{
    if (check_) {
        QStringList texts;
        for (const widgets::LineBox* edit : edits_)
            texts << edit->Text();
        const Refusal refusal = check_(texts);
        if (refusal.text >= 0 && refusal.text < TextCount()) {
            widgets::Prompts::For(this).Tell(
                this, QMessageBox::Warning, tr("错误"),
                tr("%1: \"%2\" %3").arg(EditLabel(refusal.text), texts[refusal.text], refusal.reason));
            widgets::LineBox* edit = edits_[static_cast<size_t>(refusal.text)];
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
        texts_[i] = edits_[static_cast<size_t>(i)]->Text();
    for (int i = 0; i < IndexCount(); ++i)
        indexes_[static_cast<size_t>(i)] = combos_[static_cast<size_t>(i)]->currentIndex();
    if (drops_)
        drops_->Read();
}

} // namespace dravik::editors
