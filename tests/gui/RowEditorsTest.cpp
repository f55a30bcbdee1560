// The row editors, each run as a user would through EditRow: what the dialogs say, the text fields
// that "确定" writes and "取消" does not, and the drop-down lists.
#include <QGroupBox>
#include <QLabel>

#include <map>
#include <numeric>
#include <set>

#include "EditorSupport.h"
#include "editors/DialogLayout.h"
#include "editors/LootDrops.h"
#include "names/NameSet.h"
#include "rom/NameSetFiles.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::test;
using EditorDialogs = EditorTest;
using EditorSlots = EditorTest;

namespace {

// "label=key ..." for each field; "caption=key prefix ..." for each captioned frame (every other
// control sits in a frame without a caption).
struct Expected {
    const char* table;
    int row;
    const char *caption, *heading, *fields, *frames;
};
const char* const kArmour = "价格=price 防御=defence 装备的人=users";
const char* const kTank =
    "弹仓=shells 防御=defence 防御上限=max_defence 重量=weight 出租车装甲上限=rental_armour "
    "装备1=parts[0] 装备2=parts[1] 装备3=parts[2] 装备4=parts[3] 装备5=parts[4] "
    "装备6=parts[5] 装备7=parts[6] 装备8=parts[7] 道具1=items[0] 道具2=items[1] "
    "道具3=items[2] 道具4=items[3]";
const char* const kCharacter =
    "LV=level 战斗=battle 驾驶=driving 修理=repair 腕力=strength 智力=intelligence "
    "体力=stamina 速度=speed HP=hp 最大HP=max_hp 道具1=items[0] 道具2=items[1] "
    "道具3=items[2] 装备1=equipment[0] 装备2=equipment[1] 装备3=equipment[2] "
    "装备4=equipment[3] 装备5=equipment[4] 装备6=equipment[5] 装备7=equipment[6]";
const char* const kMonster = "强度=level 攻击=attack 防御=defence HP=hp 命中=hit 回避=evasion 速度=speed "
                             "护甲=armour 经验=exp 金钱=gold 1=attacks[0] 2=attacks[1] 3=attacks[2] "
                             "4=attacks[3] 5=attacks[4] 6=attacks[5]";
const char* const kMonsterFrames = "攻击方式=attacks 3回合以内战利品=early 3回合以上战利品=late";

// clang-format off
const Expected kDialogs[] = {
    {"main_cannons",     0,  "主炮属性编辑",     "当前正在编辑的主炮",     "价格=price 防御=defence 重量=weight 攻击=attack 弹仓=shells"},
    {"sub_cannons",      0,  "副炮属性编辑",     "当前正在编辑的副炮",     "价格=price 防御=defence 重量=weight 攻击=attack"},
    {"special_cannons",  3,  "特殊炮属性编辑",   "当前正在编辑的特殊炮",   "价格=price 防御=defence 重量=weight 攻击=attack 弹仓=shells 炮弹价格=shell_price"},
    {"control_systems",  0,  "控制系统属性编辑", "当前正在编辑的控制系统", "价格=price 防御=defence 重量=weight 命中=hit 回避=evasion"},
    {"engines",          0,  "引擎属性编辑",     "当前正在编辑的引擎",     "价格=price 防御=defence 重量=weight 载重=load"},
    {"tanks",            9,  "战车属性编辑",     "当前正在编辑的战车",     kTank},
    {"human_weapons",    9,  "人类武器编辑",     "当前正在编辑的武器",     "价格=price 攻击=attack 攻击范围=range 装备的人=users"},
    {"head_armour",      0,  "人类防具编辑",     "当前正在编辑的防具",     kArmour},
    {"armour_pieces",    11, "人类防具编辑",     "当前正在编辑的防具",     kArmour},
    {"characters",       1,  "人物属性编辑",     "当前正在编辑的人物",     kCharacter},
    {"monsters",         46, "怪物属性编辑",     "当前正在编辑的怪物",     kMonster, kMonsterFrames},
    {"monsters",         47, "怪物属性编辑",     "当前正在编辑的怪物",     kMonster, kMonsterFrames},
};
// clang-format on

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
        dialog.SetText(i, U("shown %1").arg(i));
        for (widgets::LineBox* edit : edits)
            if (edit->Text() == U("shown %1").arg(i))
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

// Which field each label names (the nearest control to its right, known by showing a value through
// the dialog) and which frame holds it: two swapped labels or two swapped boxes fail here.
TEST_F(EditorDialogs, EveryLabelNamesTheFieldBesideItInItsFrame)
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
            EXPECT_TRUE(byText.emplace(label->text().toStdString(), label).second) << label->text();
        ASSERT_TRUE(byText.count(e.heading)) << e.heading;
        QLabel* title = RightOf(byText[e.heading], labels);
        ASSERT_TRUE(title);
        EXPECT_EQ(title->text().toStdString(), T(e.table).Cell(e.row, 0));

        std::map<QWidget*, std::string> keys = ControlKeys(*dialog);
        QList<QWidget*> controls;
        for (const auto& [control, key] : keys)
            controls << control;
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

// "确定" writes each box into its own field (the next dialog shows it there) and nothing else.
TEST_F(EditorDialogs, EachEditorWritesItsTextFieldsOnOkAndNothingOnCancel)
{
    for (const rom::Table& table : doc_->GetModel().Tables()) {
        const int row = 2;
        if (!editors::HasRowEditor(table.Id()))
            continue;
        SCOPED_TRACE(table.Id());
        const std::vector<std::string> before = State(doc_->GetModel());
        for (const bool escape : {false, true})
            EXPECT_FALSE(Drive(table.Id().c_str(), row, [escape](QDialog* dlg) {
                for (widgets::LineBox* edit : dlg->findChildren<widgets::LineBox*>())
                    edit->SetText("9");
                for (QComboBox* combo : dlg->findChildren<QComboBox*>())
                    combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
                escape ? Key(dlg, Qt::Key_Escape) : dlg->findChild<QPushButton*>("button2")->click(); // 取消
            }));
        EXPECT_EQ(State(doc_->GetModel()), before) << "cancelled";

        // Each box gets a value unlike its own and the one before it: its field changes, no other.
        std::vector<std::pair<QString, QString>> typed; // box, text
        size_t changed = 0;
        Drive(table.Id().c_str(), row, [&](QDialog* dlg) {
            EXPECT_EQ(dlg->findChild<QLabel*>("title1005")->text().toStdString(), table.Cell(row, 0));
            for (widgets::LineBox* edit : dlg->findChildren<widgets::LineBox*>()) {
                QString text = U("1");
                for (const char* other : {"2", "0"})
                    if (text == edit->Text() || (!typed.empty() && text == typed.back().second))
                        text = QString::fromLatin1(other);
                changed += text != edit->Text();
                edit->SetText(text);
                typed.emplace_back(edit->objectName(), text);
            }
            Ok(dlg);
        });
        const std::vector<std::string> now = State(doc_->GetModel());
        EXPECT_EQ(std::inner_product(before.begin(), before.end(), now.begin(), size_t(0), std::plus<>(),
                                     std::not_equal_to<>()),
                  changed);
        Drive(table.Id().c_str(), row, [&typed](QDialog* dlg) {
            for (const auto& [box, text] : typed)
                EXPECT_EQ(dlg->findChild<widgets::LineBox*>(box)->Text().toStdString(), text.toStdString())
                    << box;
        });
    }
    EXPECT_TRUE(Messages().empty()) << Messages().join("\n");
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("main_cannons"), T("main_cannons").Rows()));
}

// Text passes through as typed, Enter and empty included; what the save would refuse is refused
// at "确定" with the dialog left open, except a text unchanged since the load.
TEST_F(EditorDialogs, TextIsKeptAsTypedAndRefusedOnlyWhereTheSaveWouldRefuseIt)
{
    Drive("sub_cannons", 4, [](QDialog* dlg) {
        SetEdit(dlg, 1013, "12a");
        SetEdit(dlg, 1014, "256"); // one byte
        Ok(dlg);
        SetEdit(dlg, 1013, "12");
        Edit(dlg, 1013)->end(false);
        Key(Edit(dlg, 1013), Qt::Key_Return); // a line break, not "确定"
        Ok(dlg);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->focusWidget(), Edit(dlg, 1014)); // the box to mend gets the focus
        SetEdit(dlg, 1014, "");
        Ok(dlg);
    });
    EXPECT_EQ(Messages(),
              QStringList({"错误|价格: \"12a\" 不是数字", "错误|防御: \"256\" 超出范围 0 到 255"}));
    EXPECT_EQ(T("sub_cannons").Cell(4, 1), "12"); // the line break at the end is no part of it
    EXPECT_EQ(T("sub_cannons").Cell(4, 2), "");
    EXPECT_TRUE(rom::PlanSave(doc_->GetModel()).Ok());

    // Head armour row 2 keeps 0xC0 above its defence; a byte below that loads negative.
    rom::Bytes image = rom::MakeSampleImage(3);
    image[0xC0470 + 4 * 2 + 3] = 0x10;
    rom::LoadTables(image, doc_->GetModel());
    Drive("head_armour", 2, Ok);
    EXPECT_EQ(Messages().size(), 2);
    EXPECT_EQ(T("head_armour").Cell(2, 2), "-176");
}

// The lists write the codes chosen (Enter in one is "确定"), the cells show their lists' own texts,
// and a loot drop's lists follow its category and each other.
TEST_F(EditorSlots, ListsWriteTheirCodesAndALootDropFollowsItsCategory)
{
    rom::Table& tanks = T("tanks"); // a rental tank: its codes get bit 7
    const int parts[] = {5, 5, 121, 121, 122, 0, 87, 127},
              partsWritten[] = {133, 133, 255, 255, 122, 128, 215, 159};
    for (int k = 0; k < 8; ++k)
        tanks.SetCode("parts", 8, k, parts[k]);
    Drive("tanks", 8, [](QDialog* dlg) {
        SetCombo(dlg, 1029, 31);
        SetCombo(dlg, 1033, 31);
        Key(Combo(dlg, 1022), Qt::Key_Return);
    });
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(tanks.Code("parts", 8, k), partsWritten[k]) << k;
    EXPECT_EQ(tanks.Code("items", 8, 3), 128 + 31);
    // 87 is one of the names whose drop-down text differs: the cell keeps the list's text.
    EXPECT_EQ(tanks.Cell(8, 12), names::NameSet::BuiltIn().Names(List::TankParts)[87]);
    EXPECT_FALSE(Drive("tanks", 8, Ok)) << "written as they open";

    rom::Table& m = T("monsters");
    const char* drops[] = {"early_category", "early_loot", "late_category", "late_loot"};
    const int stored[] = {2, 130, 9, 0x82}, written[] = {8, 130, 9, 0x90};
    for (int i = 0; i < 4; ++i)
        m.SetCode(drops[i], 46, 0, stored[i]);
    Drive("monsters", 46, [](QDialog* dlg) {
        QComboBox *human = Combo(dlg, 1030), *tank = Combo(dlg, 1031);
        EXPECT_EQ(Combo(dlg, 1029)->currentIndex(), 2);
        EXPECT_EQ(human->currentText().toStdString(), names::NameSet::BuiltIn().Combo(List::Items)[2]);
        EXPECT_EQ(tank->currentText().toStdString(), names::NameSet::BuiltIn().Combo(List::TankItems)[2]);
        EXPECT_TRUE(human->isEnabled() && !tank->isEnabled());
        EXPECT_TRUE(!Combo(dlg, 1033)->isEnabled() && Combo(dlg, 1034)->isEnabled());
        SetCombo(dlg, 1029, 8); // a tank category: the code stays
        EXPECT_TRUE(!human->isEnabled() && tank->isEnabled());
        EXPECT_EQ(tank->currentIndex(), 130);
        SetCombo(dlg, 1034, 0x9F); // the lists of a drop follow each other both ways
        EXPECT_EQ(Combo(dlg, 1033)->currentIndex(), 0x9F);
        SetCombo(dlg, 1033, 0x90);
        Ok(dlg);
    });
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.Code(drops[i], 46), written[i]) << drops[i];
    EXPECT_EQ(m.Cell(46, 17), names::NameSet::BuiltIn().Names(List::TankItems)[2]); // by its category
}

// A switch of name sets reaches every drop-down list of the next dialog opened, and back.
TEST_F(EditorSlots, DropDownListsFollowTheDocumentsNameSet)
{
    const std::tuple<const char*, const char*, int> lists[] = {{"tank_parts.txt", "tanks", 1022},
                                                               {"items.txt", "characters", 1023},
                                                               {"attacks_b.txt", "monsters", 1023}};
    std::map<std::string, std::string> files;
    for (const auto& [file, table, combo] : lists)
        files[file] = std::string("\n\n新") + table + "\n";
    const test::NameFolder folder(files);
    names::NameSet loaded = names::NameSet::BuiltIn();
    ASSERT_TRUE(rom::LoadNameSet(folder.Path(), loaded).empty());
    const auto userSet = std::make_shared<const names::NameSet>(std::move(loaded));
    for (const bool user : {false, true, false}) {
        doc_->SetNames(user ? userSet : names::NameSet::BuiltInPtr());
        for (const auto& [file, table, combo] : lists) {
            const std::unique_ptr<QDialog> dialog = editors::CreateRowEditor(nullptr, T(table), 0);
            const QString shown = Combo(dialog.get(), combo)->itemText(2);
            EXPECT_EQ(shown == U("新") + table, user) << file << " " << shown;
        }
    }
}
