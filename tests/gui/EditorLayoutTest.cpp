// Every row editor, filled from a sample image: nothing outside the dialog, no text cut off,
// no two controls on top of each other, every field clear of its frame's caption. With
// DRAVIK_EDITOR_PNG set to a folder, each dialog is also saved there as a picture.
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

#include "EditorSupport.h"

using namespace dravik;

TEST(EditorLayout, EveryDialogFitsItsControls)
{
    const rom::Model model = test::SampleModel(7);
    const std::pair<const char*, int> shown[] = {
        {"main_cannons", 0}, {"sub_cannons", 0}, {"special_cannons", 3}, {"control_systems", 0},
        {"engines", 0},      {"tanks", 9},       {"human_weapons", 9},   {"head_armour", 0},
        {"characters", 1},   {"monsters", 46},   {"monsters", 47}};
    const QString folder = qEnvironmentVariable("DRAVIK_EDITOR_PNG");
    for (auto [id, row] : shown) {
        std::unique_ptr<QDialog> dialog = editors::CreateRowEditor(nullptr, model.Get(id), row);
        ASSERT_TRUE(dialog) << id;
        const std::string name = dialog->metaObject()->className();
        SCOPED_TRACE(name);
        std::vector<QWidget*> controls;
        for (QWidget* w : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(dialog->rect().contains(w->geometry())) << w->objectName().toStdString();
            const QFontMetrics fm(w->font());
            if (auto* label = qobject_cast<QLabel*>(w)) {
                EXPECT_LE(fm.horizontalAdvance(label->text()), label->width()) << label->text().toStdString();
            }
            if (!qobject_cast<QGroupBox*>(w))
                controls.push_back(w);
        }
        for (size_t i = 0; i < controls.size(); ++i) {
            for (size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << controls[i]->objectName().toStdString() << " / " << controls[j]->objectName().toStdString();
            for (QGroupBox* frame : dialog->findChildren<QGroupBox*>()) {
                const QRect inside = frame->geometry().adjusted(2, QFontMetrics(frame->font()).height(), -2, -2);
                if (frame->geometry().intersects(controls[i]->geometry())) {
                    EXPECT_TRUE(inside.contains(controls[i]->geometry())) << controls[i]->objectName().toStdString();
                }
            }
        }
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(dialog->grab().save(QDir(folder).filePath(QString::fromStdString(name) + ".png")));
        }
    }
}
