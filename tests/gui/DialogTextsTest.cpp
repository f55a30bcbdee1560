// What a user reads in each row editor, on the dialogs as built: the caption, the heading with the
// row's name to its right, which field each label names and which frame holds it. A label names
// the nearest edit box or list to its right on its line; that control is known by the field it
// edits, found by showing a value through the dialog and seeing which control shows it. So a
// renamed caption, two swapped labels or two swapped boxes all fail here (how the controls fit is
// LayoutTest's).
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

// "label=key ..." for each field; "caption=key prefix ..." for each captioned frame (every other
// control sits in a frame without a caption). A field added to a dialog later may come in
// without an entry here; it is held to the same rules of keys and fit.
struct Expected {
    const char *table, *caption, *heading, *fields, *frames;
    int row;
};
const char* const kArmour = "价格=price 防御=defence 装备的人=users";
const char* const kMonster = "强度=level 攻击=attack 防御=defence HP=hp 命中=hit 回避=evasion 速度=speed "
                             "护甲=armour 经验=exp 金钱=gold 1=attacks[0] 2=attacks[1] 3=attacks[2] "
                             "4=attacks[3] 5=attacks[4] 6=attacks[5]";
const char* const kMonsterFrames = "攻击方式=attacks 3回合以内战利品=early 3回合以上战利品=late";

const Expected kDialogs[] = {
    {"main_cannons", "主炮属性编辑", "当前正在编辑的主炮",
     "价格=price 防御=defence 重量=weight 攻击=attack 弹仓=shells", "", 0},
    {"sub_cannons", "副炮属性编辑", "当前正在编辑的副炮", "价格=price 防御=defence 重量=weight 攻击=attack",
     "", 0},
    {"special_cannons", "特殊炮属性编辑", "当前正在编辑的特殊炮",
     "价格=price 防御=defence 重量=weight 攻击=attack 弹仓=shells 炮弹价格=shell_price", "", 3},
    {"control_systems", "控制系统属性编辑", "当前正在编辑的控制系统",
     "价格=price 防御=defence 重量=weight 命中=hit 回避=evasion", "", 0},
    {"engines", "引擎属性编辑", "当前正在编辑的引擎", "价格=price 防御=defence 重量=weight 载重=load", "", 0},
    {"tanks", "战车属性编辑", "当前正在编辑的战车",
     "弹仓=shells 防御=defence 防御上限=max_defence 重量=weight 出租车装甲上限=rental_armour "
     "装备1=parts[0] 装备2=parts[1] 装备3=parts[2] 装备4=parts[3] 装备5=parts[4] 装备6=parts[5] "
     "装备7=parts[6] 装备8=parts[7] 道具1=items[0] 道具2=items[1] 道具3=items[2] 道具4=items[3]",
     "", 9},
    {"human_weapons", "人类武器编辑", "当前正在编辑的武器",
     "价格=price 攻击=attack 攻击范围=range 装备的人=users", "", 9},
    {"head_armour", "人类防具编辑", "当前正在编辑的防具", kArmour, "", 0},
    {"body_armour", "人类防具编辑", "当前正在编辑的防具", kArmour, "", 5},
    {"hand_foot_armour", "人类防具编辑", "当前正在编辑的防具", kArmour, "", 7},
    {"armour_pieces", "人类防具编辑", "当前正在编辑的防具", kArmour, "", 11},
    {"characters", "人物属性编辑", "当前正在编辑的人物",
     "LV=level 战斗=battle 驾驶=driving 修理=repair 腕力=strength 智力=intelligence 体力=stamina "
     "速度=speed HP=hp 最大HP=max_hp 道具1=items[0] 道具2=items[1] 道具3=items[2] 装备1=equipment[0] "
     "装备2=equipment[1] 装备3=equipment[2] 装备4=equipment[3] 装备5=equipment[4] 装备6=equipment[5] "
     "装备7=equipment[6]",
     "", 1},
    {"monsters", "怪物属性编辑", "当前正在编辑的怪物", kMonster, kMonsterFrames, 46},
    {"monsters", "怪物属性编辑", "当前正在编辑的怪物", kMonster, kMonsterFrames, 47},
};

std::vector<std::pair<std::string, std::string>> Pairs(const char* text)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const QString& pair : QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts))
        pairs.emplace_back(pair.section(u'=', 0, 0).toStdString(), pair.section(u'=', 1).toStdString());
    return pairs;
}

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

// The nearest of `candidates` to the right of `label` on its line.
template <typename W> W* RightOf(QWidget* label, const QList<W*>& candidates)
{
    const QRect l = label->geometry();
    W* nearest = nullptr;
    for (W* w : candidates)
        if (w != label && w->geometry().center().y() >= l.top() && w->geometry().center().y() <= l.bottom() &&
            w->x() >= l.right() && (!nearest || w->x() < nearest->x()))
            nearest = w;
    return nearest;
}

} // namespace

TEST_F(DialogTexts, EveryLabelNamesTheFieldBesideItInItsFrame)
{
    std::set<std::string> covered;
    for (const Expected& e : kDialogs) {
        SCOPED_TRACE(testing::Message() << e.table << " row " << e.row);
        covered.insert(e.table);
        EXPECT_EQ(editors::RowEditorKeyProblems(T(e.table), e.row), std::vector<std::string>{});
        std::unique_ptr<QDialog> created = editors::CreateRowEditor(nullptr, T(e.table), e.row);
        auto* dialog = qobject_cast<editors::CRowDlg*>(created.get());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle().toStdString(), e.caption);

        // Labels by text: the heading, the row's name and one per field, no others.
        const std::vector<std::pair<std::string, std::string>> fields = Pairs(e.fields);
        QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        std::map<std::string, QLabel*> byText;
        for (QLabel* label : labels)
            EXPECT_TRUE(byText.emplace(label->text().toStdString(), label).second)
                << label->text().toStdString();
        EXPECT_GE(labels.size(), static_cast<int>(fields.size()) + 2);
        ASSERT_TRUE(byText.count(e.heading)) << e.heading;
        QLabel* title = RightOf(byText[e.heading], labels);
        ASSERT_TRUE(title);
        EXPECT_EQ(title->text().toStdString(), T(e.table).Cell(e.row, 0));

        std::map<QWidget*, std::string> keys = ControlKeys(*dialog);
        QList<QWidget*> controls;
        for (const auto& [control, key] : keys)
            controls << control;
        EXPECT_GE(controls.size(), static_cast<int>(fields.size()));
        for (const auto& [label, key] : fields) {
            ASSERT_TRUE(byText.count(label)) << label;
            QWidget* control = RightOf(static_cast<QWidget*>(byText[label]), controls);
            EXPECT_EQ(control ? keys[control] : "nothing", key) << label;
        }

        // Every control sits in exactly one frame, the one captioned for its key, else an
        // uncaptioned one; the loot lists the dialog sets itself count as their drop's.
        if (const editors::LootDrops* drops = dialog->Drops())
            for (auto drop : {editors::LootDrops::Early, editors::LootDrops::Late})
                for (QComboBox* list :
                     {drops->CategoryList(drop), drops->HumanList(drop), drops->TankList(drop)})
                    keys[list] = drop == editors::LootDrops::Early ? "early" : "late";
        const QList<QGroupBox*> frames = dialog->findChildren<QGroupBox*>();
        for (const auto& [control, key] : keys) {
            std::string want;
            for (const auto& [caption, prefix] : Pairs(e.frames))
                if (key.rfind(prefix, 0) == 0)
                    want = caption;
            std::vector<std::string> in;
            for (QGroupBox* frame : frames)
                if (frame->geometry().contains(control->geometry()))
                    in.push_back(frame->title().toStdString());
            EXPECT_EQ(in, std::vector<std::string>{want}) << key;
        }
    }
    // A row editor not pinned above (a new one) is held to the same rules of keys.
    for (const rom::Table& table : doc_->GetModel().Tables()) {
        if (covered.count(table.Id()) || !editors::HasRowEditor(table.Id()))
            continue;
        EXPECT_EQ(editors::RowEditorKeyProblems(table, 0), std::vector<std::string>{}) << table.Id();
    }
}
