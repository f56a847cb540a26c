#include "json_scan.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace gw::test {

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<JsonValue> document()
    {
        auto value = parseValue(0);
        skipBlanks();
        if (!value || pos_ != text_.size())
            return std::nullopt;
        return value;
    }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    bool take(char c)
    {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool takeWord(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    std::optional<unsigned> hex4()
    {
        if (pos_ + 4 > text_.size())
            return std::nullopt;
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, value, 16);
        if (ec != std::errc() || end != text_.data() + pos_ + 4)
            return std::nullopt;
        pos_ += 4;
        return value;
    }

    static void appendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // After a backslash: one escape, a \u pair for a surrogate pair.
    bool parseEscape(std::string& out)
    {
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_++];
        const std::string_view simple = "\"\\/bfnrt";
        const std::string_view meaning = "\"\\/\b\f\n\r\t";
        if (const size_t k = simple.find(c); k != std::string_view::npos) {
            out += meaning[k];
            return true;
        }
        if (c != 'u')
            return false;
        auto code = hex4();
        if (!code || (*code >= 0xDC00 && *code < 0xE000))
            return false;
        if (*code >= 0xD800 && *code < 0xDC00) {
            if (!takeWord("\\u"))
                return false;
            const auto low = hex4();
            if (!low || *low < 0xDC00 || *low >= 0xE000)
                return false;
            code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        appendUtf8(out, *code);
        return true;
    }

    // The length of the well-formed UTF-8 sequence at pos_, or 0.
    size_t utf8Length() const
    {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text_[pos_ + k]); };
        const unsigned char lead = byte(0);
        size_t length = 0;
        unsigned code = 0;
        if (lead < 0x80)
            return 1;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return 0;
        }
        if (pos_ + length > text_.size())
            return 0;
        for (size_t k = 1; k < length; ++k) {
            if ((byte(k) & 0xC0) != 0x80)
                return 0;
            code = (code << 6) | (byte(k) & 0x3F);
        }
        const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return 0;
        return length;
    }

    // Escapes are decoded; raw control characters and bytes that are not
    // UTF-8 are refused.
    std::optional<std::string> parseString()
    {
        if (!take('"'))
            return std::nullopt;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (static_cast<unsigned char>(text_[pos_]) < 0x20)
                return std::nullopt;
            if (text_[pos_] == '\\') {
                ++pos_;
                if (!parseEscape(out))
                    return std::nullopt;
                continue;
            }
            const size_t length = utf8Length();
            if (length == 0)
                return std::nullopt;
            out.append(text_.substr(pos_, length));
            pos_ += length;
        }
        if (pos_ >= text_.size())
            return std::nullopt;
        ++pos_;
        return out;
    }

    std::optional<JsonValue> parseNumber()
    {
        const size_t start = pos_;
        if (pos_ < text_.size() && text_[pos_] == '-')
            ++pos_;
        if (pos_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[pos_])))
            return std::nullopt;
        while (pos_ < text_.size() && std::string_view("0123456789.eE+-").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
        JsonValue value;
        value.kind = JsonValue::Kind::Number;
        const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, value.number);
        if (ec != std::errc() || end != text_.data() + pos_ || !std::isfinite(value.number))
            return std::nullopt;
        return value;
    }

    std::optional<JsonValue> parseValue(int depth)
    {
        if (depth > 20)
            return std::nullopt;
        skipBlanks();
        if (pos_ >= text_.size())
            return std::nullopt;
        JsonValue value;
        const char c = text_[pos_];
        if (c == '{') {
            ++pos_;
            value.kind = JsonValue::Kind::Object;
            if (take('}'))
                return value;
            do {
                auto key = parseString();
                if (!key || !take(':'))
                    return std::nullopt;
                auto member = parseValue(depth + 1);
                if (!member)
                    return std::nullopt;
                value.members.push_back({*key, std::move(*member)});
            } while (take(','));
            return take('}') ? std::optional<JsonValue>(value) : std::nullopt;
        }
        if (c == '[') {
            ++pos_;
            value.kind = JsonValue::Kind::Array;
            if (take(']'))
                return value;
            do {
                auto item = parseValue(depth + 1);
                if (!item)
                    return std::nullopt;
                value.items.push_back(std::move(*item));
            } while (take(','));
            return take(']') ? std::optional<JsonValue>(value) : std::nullopt;
        }
        if (c == '"') {
            auto text = parseString();
            if (!text)
                return std::nullopt;
            value.kind = JsonValue::Kind::String;
            value.text = *text;
            return value;
        }
        if (takeWord("null"))
            return value;
        const bool isTrue = takeWord("true");
        if (isTrue || takeWord("false")) {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = isTrue;
            return value;
        }
        return parseNumber();
    }

    std::string_view text_;
    size_t pos_ = 0;
};

} // namespace

std::vector<std::string> JsonValue::keys() const
{
    std::vector<std::string> out;
    for (const auto& member : members)
        out.push_back(member.key);
    return out;
}

const JsonValue& JsonValue::operator[](std::string_view key) const
{
    static const JsonValue kNull;
    for (const auto& member : members) {
        if (member.key == key)
            return member.value;
    }
    return kNull;
}

std::optional<JsonValue> ParseJson(std::string_view text) { return Reader(text).document(); }

} // namespace gw::test
