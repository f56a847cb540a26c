#include "textveil.h"

#include "reporter.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>

namespace gw {

namespace {

constexpr std::string_view kPlain = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// Every shipped caption, sponsor and user file depends on this exact order.
constexpr std::string_view kCipher = "uSHIFbAVe2vPgO4W8YURaody6XDfTtZ0KCxkB5lrMQ37zJhiE1wsmjN9pGLnqc";
constexpr int kAlphabet = 62;

static_assert(kPlain.size() == kAlphabet && kCipher.size() == kAlphabet);

bool isAlnum(char ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

// 1-based position, 0 when absent (a damaged key letter then shifts by 0).
int position(std::string_view alphabet, char ch)
{
    const auto at = alphabet.find(ch);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

// Never 0: the empty line at level 1 is one empty block.
std::size_t blockLength(int level, std::size_t textLength)
{
    switch (level) {
    case 1: return std::max<std::size_t>(textLength, 1);
    case 2: return 15;
    default: return 5;
    }
}

void reportInvalidLevel(SettingsReporter& reporter)
{
    reporter.report(std::string(kVeilErrorTitle), std::string(kVeilErrorText), SettingsReporter::Icon::Critical);
}

char keyLetter(const VeilRandom& random)
{
    double r = random();
    if (!(r >= 0.0) || r >= 1.0)
        r = 0.0;
    return static_cast<char>('A' + static_cast<int>(r * 26));
}

VeilRandom fromEngine(std::uint64_t seed)
{
    auto engine = std::make_shared<std::mt19937_64>(seed);
    return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

} // namespace

VeilRandom ClockSeededRandom()
{
    return fromEngine(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

VeilRandom SeededRandom(std::uint32_t seed)
{
    return fromEngine(seed);
}

char TextVeilChar(char ch, char key, VeilDirection direction)
{
    if (!isAlnum(ch))
        return ch;
    const int k = position(kPlain, key);
    if (direction == VeilDirection::Encode) {
        int r = position(kPlain, ch) + k;
        if (r > kAlphabet)
            r -= kAlphabet;
        return kCipher[r - 1];
    }
    const int q = position(kCipher, ch);
    int p = q - k;
    if (p < 1)
        p = kAlphabet + q - k;
    return kPlain[p - 1];
}

std::string TextVeilEncode(std::string_view text, int level, SettingsReporter& reporter, const VeilRandom& random)
{
    if (level < 1 || level > 3) {
        reportInvalidLevel(reporter);
        return {};
    }
    const std::size_t length = blockLength(level, text.size());
    std::string out;
    out += static_cast<char>('0' + level);
    for (std::string_view rest = text; !rest.empty(); rest.remove_prefix(std::min(rest.size(), length))) {
        const char key = keyLetter(random);
        out += key;
        for (const char c : rest.substr(0, length))
            out += TextVeilChar(c, key, VeilDirection::Encode);
    }
    return out;
}

std::string TextVeilEncode(std::string_view text, int level, SettingsReporter& reporter)
{
    return TextVeilEncode(text, level, reporter, ClockSeededRandom());
}

int TextVeilLevel(std::string_view masked)
{
    if (masked.empty() || masked[0] < '1' || masked[0] > '3')
        return 0;
    return masked[0] - '0';
}

std::optional<std::string> TextVeilDecode(std::string_view masked, SettingsReporter& reporter)
{
    const int level = TextVeilLevel(masked);
    if (level == 0) {
        reportInvalidLevel(reporter);
        return std::nullopt;
    }
    const std::size_t length = blockLength(level, masked.size());
    std::string out;
    out.reserve(masked.size());
    // After the level digit, each block is its key and up to `length` characters.
    for (std::string_view rest = masked.substr(1); !rest.empty();
         rest.remove_prefix(std::min(rest.size(), length + 1))) {
        for (const char c : rest.substr(1, length))
            out += TextVeilChar(c, rest.front(), VeilDirection::Decode);
    }
    return out;
}

} // namespace gw
