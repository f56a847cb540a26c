#pragma once

#include "captions.h"
#include "page.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Measuring and line breaking for the page primitives. Widths are page
// units in the page's current font; texts are UTF-8.
namespace gw {

// Slack for comparing page positions and widths that rounding may have
// moved by a hair.
inline constexpr double kLayoutTolerance = 1e-9;

// The device measures at most this many characters at a time.
inline constexpr std::size_t kMeasureChunk = 449;

// Width of `text` in the current font, measured in pieces of at most 449
// characters whose widths are added (449 characters: one call; 450: two).
double MeasureText(Page& page, std::string_view text);

// Byte offsets of the blanks at which a line may break. In French a blank
// inside a figure is not one: a blank whose nearest non-blank neighbours are
// a digit before and a digit, "$" or "%" after ("1 234 567 $", "12,5 %").
// Only the ASCII space breaks; U+00A0 and U+202F never do.
std::vector<std::size_t> BreakPoints(std::string_view text, Language language);

// What to do with a word wider than the whole line.
enum class OverlongWord {
    OwnLine,  // it becomes a line of its own, wider than the rest
    Split,    // it is cut between characters into lines that fit
};

struct WrapOptions {
    Language language = English;
    OverlongWord overlong = OverlongWord::OwnLine;
    // Print a paragraph that fits as it stands, without trimming it.
    bool keepFittingParagraph = false;
};

// Cuts `text` into lines no wider than `width` (except overlong words),
// breaking only at BreakPoints and taking the longest part that fits each
// time; lines are trimmed of blanks. Line breaks in the text (CRLF, LF or CR)
// start a new paragraph; an empty paragraph is an empty line.
std::vector<std::string> WrapText(Page& page, std::string_view text, double width, const WrapOptions& options);

std::string_view TrimBlanks(std::string_view text);

} // namespace gw
