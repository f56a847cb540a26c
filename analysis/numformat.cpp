#include "numformat.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace gw {
namespace {

constexpr bool isFrench(int language) { return language == 1; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A non-negative decimal: value = 0.d1d2d3... x 10^point, so `point` digits
// stand before the decimal point. No leading or trailing zeros; empty is 0.
struct Decimal {
    std::string digits;
    int point = 0;
};

// 15 significant digits: every decimal of that length survives a trip through
// a double, so this recovers the figure that was meant and drops the noise of
// the last bits before the display rounding sees it.
Decimal toDecimal(double magnitude)
{
    Decimal d;
    if (magnitude == 0)
        return d;
    char buf[sizeof "1.23456789012345e+308"];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (isDigit(text[i]))
            d.digits += text[i];
    d.point = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `fraction` decimals, the dropped part rounding the magnitude up from
// a half on: half away from zero for the signed value.
void roundAt(Decimal& d, int fraction)
{
    const long keep = static_cast<long>(d.point) + fraction;
    if (keep < 0) {
        d = Decimal{};
        return;
    }
    const auto kept = static_cast<std::size_t>(keep);
    // Zeros past the last digit make the first dropped digit always there.
    d.digits.resize(std::max(d.digits.size(), kept + 1), '0');
    const bool up = d.digits.at(kept) >= '5';
    d.digits.resize(kept);
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[i - 1];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.point = 0;
}

struct Pattern {
    std::string prefix;
    std::string suffix;
    int minInteger = 0;
    int minFraction = 0;
    int maxFraction = 0;
    bool grouping = false;
    bool percent = false;
};

Pattern parsePattern(std::string_view text)
{
    Pattern p;
    std::size_t i = 0;
    while (i < text.size() && text[i] != '0' && text[i] != '#' && text[i] != '.')
        p.prefix += text[i++];
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '0' || c == '#') {
            if (inFraction) {
                ++p.maxFraction;
                if (c == '0')
                    p.minFraction = p.maxFraction;
            } else if (c == '0') {
                ++p.minInteger;
            }
        } else if (c == ',') {
            p.grouping = p.grouping || !inFraction;
        } else if (c == '.') {
            inFraction = true;
        } else {
            break;
        }
    }
    p.suffix = std::string(text.substr(i));
    p.percent = p.prefix.find('%') != std::string::npos || p.suffix.find('%') != std::string::npos;
    return p;
}

// French puts the currency sign behind the number and a space before "$"
// and "%".
void frenchAffixes(Pattern& p)
{
    bool dollar = false;
    std::string prefix;
    for (char c : p.prefix) {
        if (c == '$')
            dollar = true;
        else
            prefix += c;
    }
    std::string suffix;
    for (char c : p.suffix) {
        if (c == '%' || c == '$')
            suffix += ' ';
        suffix += c;
    }
    if (dollar)
        suffix += " $";
    p.prefix = prefix;
    p.suffix = suffix;
}

std::string groupDigits(const std::string& digits, char separator)
{
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

// ---- Readers ---------------------------------------------------------------

struct ReadRules {
    bool field = false;   // currency, grouping and Unicode blanks allowed
    bool french = false;
};

// Length of the blank at the start of `s` (0 when there is none).
std::size_t blankLength(std::string_view s, const ReadRules& rules)
{
    if (s.empty())
        return 0;
    if (s[0] == ' ' || s[0] == '\t' || s[0] == '\r' || s[0] == '\n')
        return 1;
    if (rules.field) {
        if (s.substr(0, 2) == "\xC2\xA0")      // U+00A0 no-break space
            return 2;
        if (s.substr(0, 3) == "\xE2\x80\xAF")  // U+202F narrow no-break space
            return 3;
    }
    return 0;
}

std::size_t groupSeparatorLength(std::string_view s, const ReadRules& rules)
{
    if (!rules.field || s.empty())
        return 0;
    if (!rules.french)
        return s[0] == ',' ? 1 : 0;
    return s[0] == ' ' ? 1 : blankLength(s, rules);
}

bool isDecimalMark(char c, const ReadRules& rules)
{
    return c == '.' || (rules.field && rules.french && c == ',');
}

double scanNumber(std::string_view s, const ReadRules& rules)
{
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (std::size_t n = blankLength(s.substr(i), rules))
            i += n;
    };
    bool negative = false;
    bool signSeen = false;
    auto takeSign = [&] {
        if (!signSeen && i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negative = s[i] == '-';
            signSeen = true;
            ++i;
        }
    };

    skipBlanks();
    takeSign();
    if (rules.field && i < s.size() && s[i] == '$') {
        ++i;
        skipBlanks();
        takeSign();
    }

    std::string integer;
    std::string fraction;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            integer += s[i++];
            continue;
        }
        const std::size_t sep = integer.empty() ? 0 : groupSeparatorLength(s.substr(i), rules);
        const std::size_t g = i + sep;
        const bool group = sep > 0 && g + 3 <= s.size() && isDigit(s[g]) && isDigit(s[g + 1])
            && isDigit(s[g + 2]) && (g + 3 == s.size() || !isDigit(s[g + 3]));
        if (!group)
            break;
        i = g;
    }
    if (i < s.size() && isDecimalMark(s[i], rules)) {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            fraction += s[i++];
    }
    if (integer.empty() && fraction.empty())
        return 0;

    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::string_view rest = s.substr(i + 1);
        const bool negativeExponent = rest.starts_with('-');
        if (negativeExponent || rest.starts_with('+'))
            rest.remove_prefix(1);
        for (const char c : rest) {
            if (!isDigit(c))
                break;
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000L);
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    // Order of magnitude of the first significant digit, to tell overflow
    // from underflow when the conversion is out of range.
    const std::size_t lead = integer.find_first_not_of('0');
    long order = 0;
    if (lead != std::string::npos) {
        order = static_cast<long>(integer.size() - lead) + exponent;
    } else {
        const std::size_t first = fraction.find_first_not_of('0');
        if (first == std::string::npos)
            return 0;
        order = exponent - static_cast<long>(first);
    }

    std::string plain = (integer.empty() ? std::string("0") : integer) + '.' + fraction
        + 'e' + std::to_string(exponent);
    double value = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec == std::errc::result_out_of_range)
        value = order > 0 ? DBL_MAX : 0.0;
    else if (res.ec != std::errc() || !std::isfinite(value))
        value = 0;
    if (value == 0)
        return 0;
    return negative ? -value : value;
}

} // namespace

std::string FormatNumber(double value, std::string_view pattern, int language)
{
    if (!std::isfinite(value))
        return {};
    Pattern p = parsePattern(pattern);
    const bool french = isFrench(language);
    if (french)
        frenchAffixes(p);

    Decimal d = toDecimal(std::fabs(value));
    if (p.percent && !d.digits.empty())
        d.point += 2;
    roundAt(d, p.maxFraction);

    std::string integer;
    for (int k = 0; k < d.point; ++k)
        integer += k < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(k)] : '0';
    while (static_cast<int>(integer.size()) < p.minInteger)
        integer.insert(integer.begin(), '0');

    // Rounded, the digits end within maxFraction places and without a
    // trailing zero: the fraction is what lies past the point, padded.
    std::string fraction;
    for (long at = d.point; at < static_cast<long>(d.digits.size()); ++at)
        fraction += at >= 0 ? d.digits[static_cast<std::size_t>(at)] : '0';
    fraction.resize(std::max(fraction.size(), static_cast<std::size_t>(p.minFraction)), '0');

    std::string out;
    if (value < 0 && !d.digits.empty())
        out += '-';
    out += p.prefix;
    out += p.grouping ? groupDigits(integer, french ? ' ' : ',') : integer;
    if (!fraction.empty()) {
        out += french ? ',' : '.';
        out += fraction;
    }
    out += p.suffix;
    return out;
}

std::string PlainNumber(double value, std::string_view pattern)
{
    // A pattern of the same decimals, at least one integer digit and no
    // grouping; the per cent is formatted and then dropped, so the digits
    // round exactly as the shown ones.
    const bool percent = pattern.find('%') != std::string_view::npos;
    std::string plain = "0";
    if (const std::size_t point = pattern.find('.'); point != std::string_view::npos) {
        for (char c : pattern.substr(point)) {
            if (c == '.' || c == '0' || c == '#')
                plain += c;
        }
    }
    if (percent)
        plain += '%';
    std::string text = FormatNumber(value, plain, 0);
    if (percent && !text.empty() && text.back() == '%')
        text.pop_back();
    return text;
}

std::string FormatNumberUnbroken(double value, std::string_view pattern, int language)
{
    const std::string text = FormatNumber(value, pattern, language);
    if (!isFrench(language))
        return text;
    std::string out;
    for (char c : text) {
        if (c == ' ')
            out += "\u00A0";
        else
            out += c;
    }
    return out;
}

std::string ShortestDecimal(double value)
{
    if (!std::isfinite(value) || value == 0)
        return "0";
    // At most 17 digits, placed between 1e-6 and 1e21 (or in exponent form).
    char buf[sizeof "-0.00000123456789012345678"];
    const double magnitude = std::fabs(value);
    const bool plain = magnitude >= 1e-6 && magnitude < 1e21;
    const auto res = plain ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed)
                           : std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

double LenientParse(std::string_view text)
{
    return scanNumber(text, ReadRules{});
}

double ReadField(std::string_view text, int language)
{
    return scanNumber(text, ReadRules{true, isFrench(language)});
}

double RoundHalfAwayFromZero(double value)
{
    // From 2^52 on every double is already whole.
    if (!std::isfinite(value) || std::fabs(value) >= 4503599627370496.0)
        return value;
    Decimal d = toDecimal(std::fabs(value));
    roundAt(d, 0);
    double whole = 0;
    for (int k = 0; k < d.point; ++k)
        whole = whole * 10 + (k < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(k)] - '0' : 0);
    return value < 0 && whole != 0 ? -whole : whole;
}

double RoundHalfToEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double down = std::floor(value);
    const double diff = value - down;
    double r = diff < 0.5 ? down : diff > 0.5 ? down + 1 : (std::fmod(down, 2.0) == 0 ? down : down + 1);
    return r == 0 ? 0.0 : r;
}

} // namespace gw
