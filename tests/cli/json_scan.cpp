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

    std::optional<std::string> parseString()
    {
        if (!take('"'))
            return std::nullopt;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\' || static_cast<unsigned char>(text_[pos_]) < 0x20)
                return std::nullopt;  // the command never escapes
            out += text_[pos_++];
        }
        if (!take('"'))
            return std::nullopt;
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
                value.members.emplace_back(*key, std::move(*member));
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
        out.push_back(member.first);
    return out;
}

const JsonValue& JsonValue::operator[](std::string_view key) const
{
    static const JsonValue kNull;
    for (const auto& member : members) {
        if (member.first == key)
            return member.second;
    }
    return kNull;
}

std::optional<JsonValue> ParseJson(std::string_view text) { return Reader(text).document(); }

} // namespace gw::test
