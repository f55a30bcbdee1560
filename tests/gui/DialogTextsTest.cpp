// What a user reads in each row editor, checked on the dialogs as built: the caption, the heading
// with the row's name to its right, and which field each label names. A label names the nearest
// edit box or list to its right on its line; that control is known by the field it edits, found
// by showing a value through the dialog and seeing which control shows it. So a renamed caption,
// two swapped labels or two swapped boxes all fail here.
#include <QGroupBox>
#include <QLabel>

#include <map>
#include <set>

#include "EditorSupport.h"
#include "editors/LootDrops.h"

using namespace dravik;
using namespace dravik::test;
using DialogTexts = EditorTest;

namespace {

struct Field {
    const char* label;
    const char* key; // the field or code entry the control beside the label edits
};

struct Expected {
    const char* table;
    int row;
    const char* caption;
    const char* heading;
    std::vector<Field> fields;
    // Captioned frames, each with the key prefix of the controls inside; every other field sits
    // in a frame without a caption.
    std::vector<std::pair<const char*, const char*>> frames = {};
};

const std::vector<Field> kArmour = {{"价格", "price"}, {"防御", "defence"}, {"装备的人", "users"}};
const std::vector<Field> kMonster = {
    {"强度", "level"},   {"攻击", "attack"},  {"防御", "defence"}, {"HP", "hp"},
    {"命中", "hit"},     {"回避", "evasion"}, {"速度", "speed"},   {"护甲", "armour"},
    {"经验", "exp"},     {"金钱", "gold"},    {"1", "attacks[0]"}, {"2", "attacks[1]"},
    {"3", "attacks[2]"}, {"4", "attacks[3]"}, {"5", "attacks[4]"}, {"6", "attacks[5]"}};
const std::vector<std::pair<const char*, const char*>> kMonsterFrames = {
    {"攻击方式", "attacks"}, {"3回合以内战利品", "early"}, {"3回合以上战利品", "late"}};

const Expected kDialogs[] = {
    {"main_cannons",
     0,
     "主炮属性编辑",
     "当前正在编辑的主炮",
     {{"价格", "price"}, {"防御", "defence"}, {"重量", "weight"}, {"攻击", "attack"}, {"弹仓", "shells"}}},
    {"sub_cannons",
     0,
     "副炮属性编辑",
     "当前正在编辑的副炮",
     {{"价格", "price"}, {"防御", "defence"}, {"重量", "weight"}, {"攻击", "attack"}}},
    {"special_cannons",
     3,
     "特殊炮属性编辑",
     "当前正在编辑的特殊炮",
     {{"价格", "price"},
      {"防御", "defence"},
      {"重量", "weight"},
      {"攻击", "attack"},
      {"弹仓", "shells"},
      {"炮弹价格", "shell_price"}}},
    {"control_systems",
     0,
     "控制系统属性编辑",
     "当前正在编辑的控制系统",
     {{"价格", "price"}, {"防御", "defence"}, {"重量", "weight"}, {"命中", "hit"}, {"回避", "evasion"}}},
    {"engines",
     0,
     "引擎属性编辑",
     "当前正在编辑的引擎",
     {{"价格", "price"}, {"防御", "defence"}, {"重量", "weight"}, {"载重", "load"}}},
    {"tanks",
     9,
     "战车属性编辑",
     "当前正在编辑的战车",
     {{"弹仓", "shells"},
      {"防御", "defence"},
      {"防御上限", "max_defence"},
      {"重量", "weight"},
      {"出租车装甲上限", "rental_armour"},
      {"装备1", "parts[0]"},
      {"装备2", "parts[1]"},
      {"装备3", "parts[2]"},
      {"装备4", "parts[3]"},
      {"装备5", "parts[4]"},
      {"装备6", "parts[5]"},
      {"装备7", "parts[6]"},
      {"装备8", "parts[7]"},
      {"道具1", "items[0]"},
      {"道具2", "items[1]"},
      {"道具3", "items[2]"},
      {"道具4", "items[3]"}}},
    {"human_weapons",
     9,
     "人类武器编辑",
     "当前正在编辑的武器",
     {{"价格", "price"}, {"攻击", "attack"}, {"攻击范围", "range"}, {"装备的人", "users"}}},
    {"head_armour", 0, "人类防具编辑", "当前正在编辑的防具", kArmour},
    {"body_armour", 5, "人类防具编辑", "当前正在编辑的防具", kArmour},
    {"hand_foot_armour", 7, "人类防具编辑", "当前正在编辑的防具", kArmour},
    {"armour_pieces", 11, "人类防具编辑", "当前正在编辑的防具", kArmour},
    {"characters",
     1,
     "人物属性编辑",
     "当前正在编辑的人物",
     {{"LV", "level"},           {"战斗", "battle"},        {"驾驶", "driving"},
      {"修理", "repair"},        {"腕力", "strength"},      {"智力", "intelligence"},
      {"体力", "stamina"},       {"速度", "speed"},         {"HP", "hp"},
      {"最大HP", "max_hp"},      {"道具1", "items[0]"},     {"道具2", "items[1]"},
      {"道具3", "items[2]"},     {"装备1", "equipment[0]"}, {"装备2", "equipment[1]"},
      {"装备3", "equipment[2]"}, {"装备4", "equipment[3]"}, {"装备5", "equipment[4]"},
      {"装备6", "equipment[5]"}, {"装备7", "equipment[6]"}}},
    {"monsters", 46, "怪物属性编辑", "当前正在编辑的怪物", kMonster, kMonsterFrames},
    {"monsters", 47, "怪物属性编辑", "当前正在编辑的怪物", kMonster, kMonsterFrames},
};

// Each edit box and exchanged list by the key it edits: the dialog shows a new value for that key
// and the one control whose shown value changed is the key's control.
std::map<QWidget*, std::string> ControlKeys(editors::CRowDlg& dialog)
{
    std::map<QWidget*, std::string> keys;
    const QList<widgets::LineBox*> edits = dialog.findChildren<widgets::LineBox*>();
    for (int i = 0; i < dialog.TextCount(); ++i) {
        dialog.SetText(i, QStringLiteral("shown %1").arg(i));
        for (widgets::LineBox* edit : edits)
            if (edit->Text() == QStringLiteral("shown %1").arg(i))
                keys[edit] = dialog.TextKey(i);
    }
    const QList<QComboBox*> lists = dialog.findChildren<QComboBox*>();
    for (int i = 0; i < dialog.IndexCount(); ++i) {
        std::map<QComboBox*, int> before;
        for (QComboBox* list : lists)
            before[list] = list->currentIndex();
        dialog.SetIndex(i, dialog.Index(i) == 0 ? 1 : 0);
        for (QComboBox* list : lists)
            if (list->currentIndex() != before[list])
                keys[list] = dialog.IndexKey(i);
    }
    return keys;
}

bool SameLine(const QRect& label, const QRect& control)
{
    return control.center().y() >= label.top() && control.center().y() <= label.bottom();
}

// The nearest of `candidates` to the right of `label` on its line.
template <typename W> W* RightOf(QWidget* label, const QList<W*>& candidates)
{
    W* nearest = nullptr;
    for (W* w : candidates)
        if (w != label && SameLine(label->geometry(), w->geometry()) && w->x() >= label->geometry().right() &&
            (!nearest || w->x() < nearest->x()))
            nearest = w;
    return nearest;
}

} // namespace

TEST_F(DialogTexts, EveryLabelNamesTheFieldBesideIt)
{
    std::set<std::string> covered;
    for (const Expected& e : kDialogs) {
        SCOPED_TRACE(testing::Message() << e.table << " row " << e.row);
        covered.insert(e.table);
        std::unique_ptr<QDialog> created = editors::CreateRowEditor(nullptr, T(e.table), e.row);
        auto* dialog = qobject_cast<editors::CRowDlg*>(created.get());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle().toStdString(), e.caption);

        // Labels by text: the heading, the row's name and one per field, no others.
        QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        std::map<std::string, QLabel*> byText;
        for (QLabel* label : labels)
            EXPECT_TRUE(byText.emplace(label->text().toStdString(), label).second)
                << label->text().toStdString();
        EXPECT_EQ(labels.size(), static_cast<int>(e.fields.size()) + 2);
        ASSERT_TRUE(byText.count(e.heading)) << e.heading;
        QLabel* title = RightOf(byText[e.heading], labels);
        ASSERT_TRUE(title);
        EXPECT_EQ(title->text().toStdString(), T(e.table).Cell(e.row, 0));

        std::map<QWidget*, std::string> keys = ControlKeys(*dialog);
        QList<QWidget*> controls;
        for (const auto& [control, key] : keys)
            controls << control;
        if (const editors::LootDrops* drops = dialog->Drops())
            for (auto drop : {editors::LootDrops::Early, editors::LootDrops::Late})
                for (QComboBox* list :
                     {drops->CategoryList(drop), drops->HumanList(drop), drops->TankList(drop)})
                    keys[list] = drop == editors::LootDrops::Early ? "early" : "late";
        EXPECT_EQ(controls.size(), static_cast<int>(e.fields.size()));
        for (const Field& f : e.fields) {
            ASSERT_TRUE(byText.count(f.label)) << f.label;
            QWidget* control = RightOf(static_cast<QWidget*>(byText[f.label]), controls);
            EXPECT_EQ(control ? keys[control] : "nothing", f.key) << f.label;
        }

        // Every control sits in exactly one frame, the one captioned for its key, else an
        // uncaptioned one.
        const QList<QGroupBox*> frames = dialog->findChildren<QGroupBox*>();
        for (const auto& [control, key] : keys) {
            std::string want;
            for (const auto& [caption, prefix] : e.frames)
                if (key.rfind(prefix, 0) == 0)
                    want = caption;
            std::vector<std::string> in;
            for (QGroupBox* frame : frames)
                if (frame->geometry().contains(control->geometry()))
                    in.push_back(frame->title().toStdString());
            EXPECT_EQ(in, std::vector<std::string>{want}) << key;
        }
    }
    for (const rom::Table& table : doc_->GetModel().Tables())
        EXPECT_EQ(editors::HasRowEditor(table.Id()), covered.count(table.Id()) == 1) << table.Id();
}
