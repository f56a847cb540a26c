#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

class SettingsReporter;

// Masking of data-file lines. Works on single-byte text (Windows-1252 bytes):
// only the 62 ASCII letters and digits are substituted, every other byte
// passes through, so accented letters survive unchanged.
//
// A masked line is the level digit ("1", "2" or "3") followed, for each
// block of plain characters (the whole line at level 1, 15 at level 2, 5 at
// level 3), by one key letter A-Z and the block in masked form.

enum class VeilDirection { Encode, Decode };

// Each call returns a number in [0, 1); it picks the key letters.
using VeilRandom = std::function<double()>;

// A generator seeded from the clock (masking the same text twice differs).
VeilRandom ClockSeededRandom();
// A reproducible generator, for build-time data files and tests.
VeilRandom SeededRandom(std::uint32_t seed);

// Substitutes one character with one key character. Characters other than
// ASCII letters and digits come back unchanged; the two directions are exact
// inverses for every letter or digit and every key letter.
char TextVeilChar(char ch, char key, VeilDirection direction);

// Masks `text` at `level` (1, 2 or 3). Any other level reports
// "Error 301: Invalid encryption level" (title "TextVeil") and returns the
// empty text. The overload without a generator seeds one from the clock.
std::string TextVeilEncode(std::string_view text, int level, SettingsReporter& reporter, const VeilRandom& random);
std::string TextVeilEncode(std::string_view text, int level, SettingsReporter& reporter);

// Unmasks a masked line; the level is its first character. A line that does
// not start with "1", "2" or "3" (an empty line too) reports error 301 and
// gives nullopt: the data file is damaged and the caller must not go on with
// it. A masked line cut short only loses its missing characters.
std::optional<std::string> TextVeilDecode(std::string_view masked, SettingsReporter& reporter);

// The level digit of a masked line, or 0 when the line has none; no report.
int TextVeilLevel(std::string_view masked);

inline constexpr std::string_view kVeilErrorTitle = "TextVeil";
inline constexpr std::string_view kVeilErrorText = "Error 301: Invalid encryption level";

} // namespace gw
