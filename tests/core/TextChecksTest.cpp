// Strict UTF-8 and strict JSON: every way text can be malformed is refused with where and why;
// everything well formed passes.
#include "rom/TextChecks.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

using namespace dravik::rom;

TEST(TextChecks, Utf8FaultsAreFoundWithLineColumnAndReason)
{
    const std::tuple<std::string, int, int, std::string> faults[] = {
        {"ab\xE6\x8E", 1, 3, "不完整"}, // cut off at the end
        {"a\n\xE6\x8E"
         "C",
         2, 1, "不完整"},                   // cut off by an ASCII byte
        {"\xC0\xAF", 1, 1, "过长"},         // '/' in two bytes
        {"\xE0\x80\xAF", 1, 1, "过长"},     // in three
        {"\xF0\x80\x80\xAF", 1, 1, "过长"}, // in four
        {"ok\xED\xA0\x80", 1, 3, "代理"},   // U+D800
        {"\xED\xBF\xBF", 1, 1, "代理"},     // U+DFFF
        {"\xF4\x90\x80\x80", 1, 1, "10FFFF"},
        {"\xF5\x80\x80\x80", 1, 1, "不会出现"},
        {"\xFF", 1, 1, "不会出现"},
        {"甲\x80", 1, 4, "后续字节"},
    };
    for (const auto& [text, line, column, reason] : faults) {
        const auto fault = FindUtf8Fault(text);
        ASSERT_TRUE(fault) << reason;
        EXPECT_EQ(fault->line, line) << reason;
        EXPECT_EQ(fault->column, column) << reason;
        EXPECT_NE(fault->reason.find(reason), std::string::npos) << fault->reason;
    }
    for (const std::string good : {"", "abc\n", "主炮#7", "😀", "\xEF\xBB\xBF", "\xED\x9F\xBF" /* U+D7FF */,
                                   "\xEE\x80\x80" /* U+E000 */, "\xF4\x8F\xBF\xBF" /* U+10FFFF */})
        EXPECT_FALSE(FindUtf8Fault(good)) << good;
}

TEST(TextChecks, JsonRefusesRepeatedKeysLoneSurrogatesAndBadUtf8WithWhere)
{
    // {json, the start of its error ("" for accepted)}
    const std::tuple<std::string, std::string> cases[] = {
        {R"({"tables": {"items": {}, "items": {}}})", "JSON 路径 tables.items：\"items\" 出现了两次"},
        {R"({"a": 1, "\u0061": 2})", "JSON 路径 a：\"a\" 出现了两次"},
        {R"({"a": [{"x": 1}, {"y": [1, 2], "x": 1, "x": 2}]})", "JSON 路径 a[1].x："},
        {R"({"a": "\ud800"})", "JSON 路径 a：字符串中有不成对的代理码位 \\uD800"},
        {R"({"a": ["x", "\udc00y"]})", "JSON 路径 a[1]：字符串中有不成对的代理码位 \\uDC00"},
        {R"({"a": "\ud800\u0041"})", "JSON 路径 a：字符串中有不成对"},
        {"{\"a\": \"x\xE6\x8E\"}", "第 1 行第 9 个字节：不是 UTF-8 文本"},
        {"{\"a\": 1,\n \"b\": }", "不是有效的 JSON（第 2 行"},
        // A key escaped and the same key written out, at each length boundary of UTF-8.
        {R"({"\u007F\u0080\u07FF\u0800\uFFFF\ud800\udc00": 1, )"
         "\"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\": 2}",
         "JSON 路径 \x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80：\""},
        // The same key in different objects, a surrogate pair, escapes and repeated array values.
        {R"({"a": {"a": "\ud83d\ude00"}, "b": {"a": ["a", "a"]}, "c\"": "\\\"x"})", ""},
    };
    for (const auto& [json, expected] : cases) {
        QJsonDocument doc;
        const std::optional<Error> refused = ParseJsonStrictly(json, doc);
        const std::string error = refused ? Describe(*refused) : "";
        if (expected.empty()) {
            EXPECT_EQ(error, "") << json;
            EXPECT_EQ(doc.object().value("a").toObject().value("a").toString(), QString::fromUtf8("😀"));
        } else {
            EXPECT_EQ(error.substr(0, expected.size()), expected) << json << "\n" << error;
            EXPECT_TRUE(doc.isNull()) << json;
        }
    }
}
