#include "rom/TextChecks.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include "rom/Texts.h"

namespace dravik::rom {

namespace {
std::string Hex(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The reason the sequence starting at text[i] is not UTF-8, or "" when it is; length is set to
// the sequence's length either way (at least 1).
std::string CheckSequence(std::string_view text, std::size_t i, std::size_t& length)
{
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    length = 1;
    if (lead < 0x80)
        return {};
    if (Continuation(lead))
        return Fill(Checks::tr("多出来的后续字节 %1（前面没有开始字节）"), Hex(lead));
    if (lead == 0xC0 || lead == 0xC1)
        return Fill(Checks::tr("过长的编码（%1 开头的两字节序列表示的是 ASCII 字符）"), Hex(lead));
    if (lead >= 0xF5)
        return Fill(Checks::tr("字节 %1 不会出现在 UTF-8 中"), Hex(lead));
    const std::size_t need = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    for (std::size_t k = 1; k < need; ++k) {
        if (i + k >= text.size() || !Continuation(static_cast<unsigned char>(text[i + k]))) {
            length = k;
            return Fill(Checks::tr("UTF-8 序列不完整（应有 %1 个字节，只有 %2 个）"), need, k);
        }
    }
    length = need;
    const unsigned char second = static_cast<unsigned char>(text[i + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xF0 && second < 0x90))
        return Fill(Checks::tr("过长的编码（同一个字符有更短的 UTF-8 形式）"));
    if (lead == 0xED && second >= 0xA0)
        return Fill(Checks::tr("代理码位（U+D800 到 U+DFFF）不是字符，不能出现在 UTF-8 中"));
    if (lead == 0xF4 && second >= 0x90)
        return Fill(Checks::tr("码位超出了 U+10FFFF"));
    return {};
}

// Where a byte offset lies: line and byte of the line, both from 1.
void Locate(std::string_view text, std::size_t offset, int& line, int& column)
{
    line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    column = static_cast<int>(offset - lineStart) + 1;
}

std::string JsonErrorText(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject: return Fill(Checks::tr("对象没有结束，缺少 } 或逗号"));
    case QJsonParseError::MissingNameSeparator: return Fill(Checks::tr("键后面缺少冒号"));
    case QJsonParseError::UnterminatedArray: return Fill(Checks::tr("数组没有结束，缺少 ] 或逗号"));
    case QJsonParseError::MissingValueSeparator: return Fill(Checks::tr("缺少逗号"));
    case QJsonParseError::IllegalValue: return Fill(Checks::tr("不是有效的值"));
    case QJsonParseError::TerminationByNumber: return Fill(Checks::tr("文本在数字处意外结束"));
    case QJsonParseError::IllegalNumber: return Fill(Checks::tr("不是有效的数字"));
    case QJsonParseError::IllegalEscapeSequence: return Fill(Checks::tr("无效的转义序列"));
    case QJsonParseError::IllegalUTF8String: return Fill(Checks::tr("字符串不是有效的 UTF-8"));
    case QJsonParseError::UnterminatedString: return Fill(Checks::tr("字符串没有结束的引号"));
    case QJsonParseError::MissingObject: return Fill(Checks::tr("应是一个对象"));
    case QJsonParseError::DeepNesting: return Fill(Checks::tr("嵌套太深"));
    case QJsonParseError::DocumentTooLarge: return Fill(Checks::tr("文件太大"));
    case QJsonParseError::GarbageAtEnd: return Fill(Checks::tr("结尾有多余的内容"));
    default: return Fill(Checks::tr("格式错误"));
    }
}

// Walks a text Qt has already accepted as JSON, for what Qt lets through: a key repeated in one
// object and an escaped surrogate without its pair.
class JsonScan {
public:
    explicit JsonScan(std::string_view text) : text_(text) {}

    std::string Run()
    {
        while (i_ < text_.size()) {
            const char c = text_[i_++];
            switch (c) {
            case '"': {
                const bool isKey = !stack_.empty() && stack_.back().object && stack_.back().expectKey;
                std::string value;
                std::string error = String(isKey ? &value : nullptr);
                if (!error.empty())
                    return error;
                if (!isKey)
                    break;
                Frame& top = stack_.back();
                top.expectKey = false;
                top.key = value;
                if (!top.keys.insert(value).second)
                    return Fill(Checks::tr("JSON 路径 %1：\"%2\" 出现了两次，同一个对象里每个键只能出现一次"),
                                Path(), value);
                break;
            }
            case '{':
            case '[': stack_.push_back(Frame{c == '{', c == '{', {}, 0, {}}); break;
            case '}':
            case ']':
                if (!stack_.empty())
                    stack_.pop_back();
                break;
            case ',':
                if (!stack_.empty()) {
                    stack_.back().expectKey = stack_.back().object;
                    ++stack_.back().index;
                }
                break;
            default: break; // numbers, literals, white space and ':' need nothing here
            }
        }
        return {};
    }

private:
    struct Frame {
        bool object;
        bool expectKey;
        std::string key; // the key whose value is being read
        int index;       // the element of an array being read
        std::set<std::string> keys;
    };

    // "tables.items.rows[3]": where the value being read sits.
    std::string Path() const
    {
        std::string path;
        for (const Frame& f : stack_) {
            if (f.object)
                path += (path.empty() ? "" : ".") + f.key;
            else
                path += "[" + std::to_string(f.index) + "]";
        }
        return path.empty() ? Fill(Checks::tr("（顶层）")) : path;
    }

    static int HexValue(std::string_view digits)
    {
        int v = 0;
        for (char d : digits)
            v = v * 16 + (d <= '9' ? d - '0' : (d | 0x20) - 'a' + 10);
        return v;
    }

    // Reads a string from after its opening quote; decodes it into out when asked.
    std::string String(std::string* out)
    {
        while (i_ < text_.size()) {
            const char c = text_[i_++];
            if (c == '"')
                return {};
            if (c != '\\') {
                if (out)
                    *out += c;
                continue;
            }
            if (i_ >= text_.size())
                break;
            const char e = text_[i_++];
            if (e != 'u') {
                if (out) {
                    const char plain[] = {'b', '\b', 'f', '\f', 'n', '\n', 'r', '\r', 't', '\t'};
                    char decoded = e;
                    for (std::size_t k = 0; k + 1 < sizeof plain; k += 2)
                        if (plain[k] == e)
                            decoded = plain[k + 1];
                    *out += decoded;
                }
                continue;
            }
            if (i_ + 4 > text_.size())
                break;
            int unit = HexValue(text_.substr(i_, 4));
            i_ += 4;
            if (unit >= 0xDC00 && unit <= 0xDFFF)
                return Unpaired(unit);
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                const bool pair = i_ + 6 <= text_.size() && text_[i_] == '\\' && text_[i_ + 1] == 'u';
                const int low = pair ? HexValue(text_.substr(i_ + 2, 4)) : 0;
                if (low < 0xDC00 || low > 0xDFFF)
                    return Unpaired(unit);
                i_ += 6;
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            }
            if (out)
                AppendUtf8(*out, unit);
        }
        return {}; // Qt accepted the text: a string always ends
    }

    std::string Unpaired(int unit) const
    {
        char text[8];
        std::snprintf(text, sizeof text, "%04X", unit);
        return Fill(Checks::tr("JSON 路径 %1：字符串中有不成对的代理码位 \\u%2"), Path(), text);
    }

    static void AppendUtf8(std::string& out, int cp)
    {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::string_view text_;
    std::size_t i_ = 0;
    std::vector<Frame> stack_;
};
} // namespace

std::optional<Utf8Fault> FindUtf8Fault(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 1;
        std::string reason = CheckSequence(text, i, length);
        if (!reason.empty()) {
            Utf8Fault fault;
            fault.offset = i;
            fault.reason = std::move(reason);
            Locate(text, i, fault.line, fault.column);
            return fault;
        }
        i += length;
    }
    return std::nullopt;
}

std::string Describe(const Utf8Fault& fault)
{
    return Fill(Checks::tr("第 %1 行第 %2 个字节：不是 UTF-8 文本，%3"), fault.line, fault.column,
                fault.reason);
}

std::optional<Error> ParseJsonStrictly(const std::string& text, QJsonDocument& doc)
{
    if (const auto fault = FindUtf8Fault(text)) {
        Error e = Error::Failure(Describe(*fault));
        e.line = fault->line;
        return e;
    }
    QJsonParseError parseError;
    QJsonDocument parsed = QJsonDocument::fromJson(QByteArray::fromStdString(text), &parseError);
    if (parsed.isNull()) {
        int line = 1, column = 1;
        Locate(text, static_cast<std::size_t>(std::max(0, parseError.offset)), line, column);
        Error e = Error::Failure(Fill(Checks::tr("不是有效的 JSON（第 %1 行第 %2 个字节：%3）"), line, column,
                                      JsonErrorText(parseError.error)));
        e.line = line;
        return e;
    }
    if (std::string error = JsonScan(text).Run(); !error.empty())
        return Error::Failure(std::move(error));
    doc = std::move(parsed);
    return {};
}

} // namespace dravik::rom
