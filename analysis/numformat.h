#pragma once

#include <string>
#include <string_view>

// Display patterns, the two number readers and the rounding rules they share.
// Texts are UTF-8. `language` is the language index: 1 French, anything else
// English. Nothing here throws, and no reader returns NaN or infinity.
//
// English writes "$1,234.5" and "12.5%". French writes "1 234,5 $" and
// "12,5 %": the grouping separator and the space before "$" and "%" are the
// plain ASCII space U+0020, so every formatted number is one run of printable
// ASCII that widths can be measured on and that the readers take back. A
// French number that must stay on one line comes from FormatNumberUnbroken,
// with U+00A0 for its spaces; ReadField accepts both.
namespace gw {

// Formats `value` with a display pattern ("$#,##0", "##0.0#%", "#0.0", "#"):
//   "0"  a digit always shown;  "#"  a digit shown only when significant;
//   ","  thousands grouping (anywhere in the integer part);  "."  the decimal
//   point;  "%"  multiplies by 100 and shows a per-cent sign;  any other
//   character is copied ("$" moves behind the number in French).
// Rounding is half away from zero on the value's 15-significant-digit
// decimal form, so 2.675 shows 2.68 with two decimals, 0.125 shows 0.13 and
// 2.4999999999999996 (arithmetic noise on 2.5) shows 3 with none.
// A negative value gets a leading "-" ("-$1,234"), unless it shows as zero.
// With no "0" in the integer part, a zero integer part shows no digit: the
// pattern "#" shows 0 (and anything under 0.5) as the empty text.
// A NaN or infinite value gives the empty text.
std::string FormatNumber(double value, std::string_view pattern, int language);

// FormatNumber for text that must keep the number on one line: in French
// every space becomes U+00A0 ("1\u00A0234\u00A0$"); English is unchanged.
std::string FormatNumberUnbroken(double value, std::string_view pattern, int language);

// The figure FormatNumber(value, pattern, English) shows, as a plain number
// for a data file: the same digits and decimals, with "." as point and no
// grouping, "$" or "%". A per-cent pattern gives the figure in per cent
// ("##0.0%" writes 0.075 as "7.5"). The empty text for NaN or infinity.
std::string PlainNumber(double value, std::string_view pattern);

// Shortest text that reads back as exactly `value` ("7.5", "43.41", "0.1"),
// with "." as decimal point, for the data files. Plain notation for
// magnitudes from 1e-6 up to 1e21, otherwise whichever of plain or exponent
// notation is shorter ("1e+22"). -0 writes "0"; NaN and infinity write "0".
std::string ShortestDecimal(double value);

// The lenient parse of data-file values: leading blanks are skipped, then an
// optional sign, digits with at most one "." and an optional exponent
// ("e" or "E", optional sign, at least one digit) are taken; the parse stops
// at the first other character. "46.4" -> 46.4, "12abc" -> 12,
// "$50,000" -> 0, "" -> 0, "1e3" -> 1000, ".5" -> 0.5.
// A number too large for a double gives +-DBL_MAX; one too small gives 0.
double LenientParse(std::string_view text);

// Reads an input field the way FormatNumber writes it in `language`: the
// leading numeric part counts and anything after it is ignored ("12,5 %"
// reads 12.5: the per cent is not divided out). Leading blanks (also U+00A0
// and U+202F), a sign and "$" in either order ("-$1,234.5", "$-5") are
// skipped. English groups with ","; French with a space, U+00A0 or U+202F,
// and takes "," or "." as decimal mark ("8,0" and "8.5"). A grouping
// separator counts only when exactly three digits follow it, otherwise the
// number ends before it: in English "1,2,3" and "1,5" read 1 (in French
// "1,2,3" reads 1.2); "12abc" reads 12. An exponent is taken as in LenientParse. Empty or non-numeric
// text reads 0; overflow gives +-DBL_MAX, underflow 0.
double ReadField(std::string_view text, int language);

// Nearest whole number, halves away from zero, judged on the same decimal
// form as FormatNumber: equals the number FormatNumber(value, "#") shows
// (0 for the empty text). From 2^52 on a double is whole and is returned as
// it is; so are NaN and infinity.
double RoundHalfAwayFromZero(double value);

// Nearest whole number, exact halves of the binary value to the even one
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). NaN and infinity are returned unchanged.
double RoundHalfToEven(double value);

} // namespace gw
