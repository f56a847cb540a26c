// The caption lookup and the placeholders on any caption lines. The input is
// the key on its first line, then the English lines; a line "%%" starts the
// French ones.
#include "captions.h"
#include "fuzz_check.h"
#include "records.h"

#include <cstddef>
#include <cstdint>

using namespace gw;

namespace {

// Whether `text` is what a line of `table` holds after its first "=", or a
// whole line.
bool TextOfSomeLine(const std::string& text, const std::vector<std::string>& table)
{
    for (const std::string& line : table) {
        const std::size_t eq = line.find('=');
        if (line == text || (eq != std::string::npos && line.compare(eq + 1, std::string::npos, text) == 0))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> lines = fuzz::Split(fuzz::Bytes(data, size), '\n');
    auto [key, english, french] = fuzz::SplitKeyAndTables(lines);
    const CaptionTables tables{std::move(english), std::move(french)};

    for (const int language : {-1, 0, 1, 2}) {
        const std::string caption = GetCaption(tables, key, language);
        const auto* table = language == 0 ? &tables.english : language == 1 ? &tables.french : nullptr;
        if (!table)
            FUZZ_CHECK(caption == kCaptionNotFound);
        else if (caption != kCaptionNotFound && !caption.empty())
            FUZZ_CHECK(TextOfSomeLine(caption, *table));

        // With no values nothing is a placeholder, and each placeholder
        // filled with itself leaves the text as it was: values are inserted
        // once, never expanded again.
        FUZZ_CHECK(FillPlaceholders(caption, {}) == caption);
        std::vector<std::string> marks;
        for (int n = 1; n <= 99; ++n)
            marks.push_back("<" + std::to_string(n) + ">");
        FUZZ_CHECK(FillPlaceholders(caption, marks) == caption);
        (void)FillPlaceholders(caption, lines);
        (void)GetDisclaimerText(tables, language);
        SponsorInfo sponsor;
        sponsor.SponsorName = key;
        sponsor.AppTitle = caption;
        (void)BuildWindowTitle(tables, language, sponsor, true);
        (void)BuildWindowTitle(tables, language, sponsor, false);
    }
    return 0;
}
