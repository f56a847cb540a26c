// The number readers and writers. The input: eight bytes of a double, one
// byte for the language, a display pattern up to the first line feed, then
// a text for the readers.
#include "fuzz_check.h"
#include "numformat.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace gw;

namespace {

// The language indices of the number formats.
constexpr int kEnglish = 0;
constexpr int kFrench = 1;

bool Readable(double value)
{
    return std::isfinite(value) && std::fabs(value) <= DBL_MAX;
}

// What a formatted number reads back as: the value, rounded to the
// pattern's decimals, to 15 significant digits.
void CheckReadsBack(double value, std::string_view pattern, int decimals, double scale, int language)
{
    const std::string text = FormatNumber(value, pattern, language);
    const double back = ReadField(text, language);
    FUZZ_CHECK(Readable(back));
    if (!std::isfinite(value) || std::fabs(value * scale) > 1e300)
        return;
    const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value * scale) * 1e-14;
    FUZZ_CHECK(std::fabs(back - value * scale) <= tolerance);
    FUZZ_CHECK(ReadField(FormatNumberUnbroken(value, pattern, language), language) == back);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    const int language = size > 0 ? static_cast<int>(data[0] % 3) : 0;
    std::string_view rest = fuzz::Bytes(data, size).substr(size > 0 ? 1 : 0);
    const std::size_t cut = rest.find('\n');
    const std::string_view pattern = rest.substr(0, cut);
    const std::string_view text = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);

    // The readers never give NaN or infinity.
    FUZZ_CHECK(Readable(LenientParse(text)));
    FUZZ_CHECK(Readable(ReadField(text, language)));
    FUZZ_CHECK(Readable(LenientParse(pattern)));

    // Any pattern writes something the field reader takes.
    FUZZ_CHECK(Readable(ReadField(FormatNumber(value, pattern, language), language)));
    if (!std::isfinite(value))
        FUZZ_CHECK(FormatNumber(value, pattern, language).empty());

    // The shortest decimal reads back exactly, with either reader.
    const std::string shortest = ShortestDecimal(value);
    const double exact = std::isfinite(value) ? value : 0;
    FUZZ_CHECK(LenientParse(shortest) == exact);
    FUZZ_CHECK(ReadField(shortest, kEnglish) == exact);
    FUZZ_CHECK(ReadField(shortest, kFrench) == exact);

    // The fields' own patterns read back as the value they show.
    CheckReadsBack(value, "$#,##0", 0, 1, language);
    CheckReadsBack(value, "#0.0", 1, 1, language);
    CheckReadsBack(value, "##0.0#%", 2, 100, language);
    CheckReadsBack(value, "#,##0.##", 2, 1, language);

    // Rounding agrees with what the pattern "#" shows.
    const double whole = RoundHalfAwayFromZero(value);
    if (std::isfinite(value) && std::fabs(value) < 4503599627370496.0)
        FUZZ_CHECK(whole == LenientParse(FormatNumber(value, "#", kEnglish)));
    const double even = RoundHalfToEven(value);
    if (std::isfinite(value))
        FUZZ_CHECK(even == std::floor(even) && std::fabs(even - value) <= 0.5);
    return 0;
}
