#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gw {

// The data files store text as single-byte Windows-1252; the program keeps
// text as UTF-8. The five bytes that Windows-1252 leaves undefined map to
// the C1 controls of the same code, so every byte string round-trips.

std::string Utf8FromCp1252(std::string_view bytes);

// nullopt when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot store.
std::optional<std::string> Cp1252FromUtf8(std::string_view utf8);

// Same, but such characters (or invalid bytes) become "?".
std::string Cp1252FromUtf8Lossy(std::string_view utf8);

// Number of characters (code points) in a UTF-8 text; invalid bytes count
// one each.
std::size_t Utf8Length(std::string_view utf8);

// The first `count` characters of a UTF-8 text, never splitting one.
std::string_view Utf8Prefix(std::string_view utf8, std::size_t count);

// Equal but for the case of the letters A to Z, as the data files' keys are
// looked up.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace gw
