// The user guide for the English interface: interface texts replaced by their English, nothing else.
#include <gtest/gtest.h>

#include "i18n/GuideTranslation.h"

namespace dravik::i18n {
namespace {

TEST(GuideTranslation, LabelsLoseMenuLettersShortcutsAndColons)
{
    for (const auto& [text, label] : {std::pair{"打开(&O)\tCtrl+O", "打开"},
                                      {"Save &As...\tCtrl+S", "Save As..."},
                                      {"列(&C)：", "列"},
                                      {"&Kind:", "Kind"},
                                      {"R&&D", "R&D"}})
        EXPECT_EQ(GuideLabel(QString::fromUtf8(text)), QString::fromUtf8(label)) << text;
}

TEST(GuideTranslation, ReplacesWholeTextsLongestFirstAndFillsPlaceholders)
{
    const GuideTranslator translator({{"打开", "Open"},
                                      {"打开的文件太多", "too many open files"},
                                      {"是否保存对 %1 的修改？", "Save the changes to %1?"},
                                      {"撤销 %1", "Undo %1"},
                                      {"编辑%1", "Edit %1"},
                                      {"主炮", "Main guns"},
                                      {"另存为…", "Save As..."},
                                      {"确定", "OK"},
                                      {"确定", "Confirm"},
                                      {"确定", "OK"},
                                      {"上次有 %n 处修改", "%n changes last time"}});
    for (const auto& [text, english] : {
             std::pair{"**打开** and 打开的文件太多", "**Open** and too many open files"},
             {"asks \"是否保存对 NAME.smc 的修改？\"", "asks \"Save the changes to NAME.smc?\""},
             {"战车打开 stays", "战车打开 stays"}, // never inside a longer Chinese word
             {"撤销 编辑主炮", "Undo Edit Main guns"},
             {"另存为… or 另存为", "Save As... or Save As"},
             {"\"确定\"", "\"OK\""}, // the English most places give
             {"\"上次有 N 处修改\"", "\"N changes last time\""},
         })
        EXPECT_EQ(translator.Translate(QString::fromUtf8(text)), QString::fromUtf8(english)) << text;
    EXPECT_EQ(
        ChinesePhrases(QString::fromUtf8("语言 / Language: 中文, 语言。")),
        QStringList({QString::fromUtf8("语言"), QString::fromUtf8("中文"), QString::fromUtf8("语言。")}));
}

} // namespace
} // namespace dravik::i18n
