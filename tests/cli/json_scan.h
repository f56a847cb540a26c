#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small strict JSON reader for checking the command's output: objects keep
// their keys in document order and strings come back as UTF-8 with their
// escapes decoded. NaN, infinity, trailing commas, trailing text, raw control
// characters in strings and bytes that are not UTF-8 are refused.
namespace gw::test {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    // Not std::pair: clang refuses a pair of a type still being defined.
    std::vector<JsonMember> members;

    bool isNull() const { return kind == Kind::Null; }
    std::vector<std::string> keys() const;
    // The member `key`; a null value when there is none.
    const JsonValue& operator[](std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

std::optional<JsonValue> ParseJson(std::string_view text);

} // namespace gw::test
