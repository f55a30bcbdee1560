// Every row editor, filled from a sample image: no control outside the dialog, no label
// cut off, no two controls on top of each other, every field inside its frame. With
// DRAVIK_EDITOR_PNG set to a folder, each dialog is also saved there as a picture.
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "EditorSupport.h"
#include "editors/RowEditing.h"

using namespace dravik;

namespace {

struct Shown {
    const char* table;
    int row;
    const char* file;
};

// One row of every table with an editor; both monster variants.
const Shown kShown[] = {
    {"main_cannons", 0, "138-main-cannon"},    {"sub_cannons", 0, "139-sub-cannon"},
    {"special_cannons", 3, "140-special-cannon"}, {"control_systems", 0, "141-control-system"},
    {"engines", 0, "142-engine"},              {"tanks", 9, "143-tank"},
    {"human_weapons", 9, "145-human-weapon"},  {"head_armour", 0, "147-human-armour"},
    {"characters", 1, "149-character"},        {"monsters", 46, "151-monster"},
    {"monsters", 47, "153-monster2"},
};

std::string Name(const QWidget* w)
{
    return (w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString()) +
           " \"" + (qobject_cast<const QLabel*>(w) ? qobject_cast<const QLabel*>(w)->text().toStdString() : "") + "\"";
}

} // namespace

TEST(EditorLayout, EveryDialogFitsItsControls)
{
    rom::Model model = test::SampleModel(7);
    const QString folder = qEnvironmentVariable("DRAVIK_EDITOR_PNG");
    for (const Shown& shown : kShown) {
        SCOPED_TRACE(shown.file);
        const rom::Table& table = model.Get(shown.table);
        std::unique_ptr<QDialog> dialog = editors::CreateRowEditor(nullptr, table, shown.row);
        ASSERT_TRUE(dialog);
        dialog->ensurePolished();
        const QRect inside = dialog->rect();

        std::vector<QWidget*> controls;
        std::vector<QGroupBox*> frames;
        for (QWidget* w : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(inside.contains(w->geometry())) << Name(w);
            if (auto* frame = qobject_cast<QGroupBox*>(w)) {
                frames.push_back(frame);
                EXPECT_LE(QFontMetrics(frame->font()).horizontalAdvance(frame->title()) + 16, frame->width());
                continue;
            }
            controls.push_back(w);
            if (auto* label = qobject_cast<QLabel*>(w)) {
                EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << Name(w);
            }
            if (auto* button = qobject_cast<QPushButton*>(w)) {
                EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 8, button->width());
            }
            if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
                EXPECT_GE(edit->viewport()->height(), QFontMetrics(edit->font()).height()) << Name(w);
            }
        }
        for (size_t i = 0; i < controls.size(); ++i)
            for (size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << Name(controls[i]) << " and " << Name(controls[j]);
        // A control that touches a frame lies wholly inside it, clear of the frame's caption.
        for (QGroupBox* frame : frames) {
            const QRect content = frame->geometry().adjusted(2, QFontMetrics(frame->font()).height(), -2, -2);
            for (QWidget* w : controls)
                if (frame->geometry().intersects(w->geometry())) {
                    EXPECT_TRUE(content.contains(w->geometry())) << Name(w) << " in " << frame->title().toStdString();
                }
        }

        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(dialog->grab().save(QDir(folder).filePath(QString::fromLatin1(shown.file) + ".png")));
        }
    }
}
