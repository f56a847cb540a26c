#include "textlayout.h"

#include "charset.h"
#include "captions.h"

namespace gw {

namespace {

constexpr std::string_view kBlanks = " \t";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool Fits(Page& page, std::string_view text, double width)
{
    return MeasureText(page, text) <= width + kLayoutTolerance;
}

// Splits at CRLF, LF or CR.
std::vector<std::string_view> Paragraphs(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        result.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    result.push_back(text.substr(start));
    return result;
}

// The longest leading part of `word` that fits, at least one character.
std::string_view FittingPart(Page& page, std::string_view word, double width)
{
    std::string_view part = Utf8Prefix(word, 1);
    for (std::size_t n = 2; part.size() < word.size(); ++n) {
        const std::string_view longer = Utf8Prefix(word, n);
        if (!Fits(page, longer, width))
            break;
        part = longer;
    }
    return part;
}

void WrapParagraph(Page& page, std::string_view paragraph, double width, const WrapOptions& options,
                   std::vector<std::string>& lines)
{
    if (options.keepFittingParagraph && Fits(page, paragraph, width)) {
        lines.emplace_back(paragraph);
        return;
    }
    std::string_view rest = TrimBlanks(paragraph);
    if (rest.empty()) {
        lines.emplace_back();
        return;
    }
    while (!rest.empty()) {
        if (Fits(page, rest, width)) {
            lines.emplace_back(rest);
            break;
        }
        const std::vector<std::size_t> breaks = BreakPoints(rest, options.language);
        std::size_t best = std::string_view::npos;
        for (std::size_t at : breaks) {
            if (!Fits(page, TrimRight(rest.substr(0, at)), width))
                break;
            best = at;
        }
        if (best != std::string_view::npos) {
            lines.emplace_back(TrimRight(rest.substr(0, best)));
            rest = TrimLeft(rest.substr(best));
            continue;
        }
        // The first word alone is wider than the line.
        const std::size_t end = breaks.empty() ? rest.size() : breaks.front();
        const std::string_view word = TrimRight(rest.substr(0, end));
        if (options.overlong == OverlongWord::OwnLine) {
            lines.emplace_back(word);
            rest = TrimLeft(rest.substr(end));
        } else {
            const std::string_view part = FittingPart(page, word, width);
            lines.emplace_back(part);
            rest = TrimLeft(rest.substr(part.size()));
        }
    }
}

} // namespace

std::string_view TrimBlanks(std::string_view text)
{
    return TrimRight(TrimLeft(text));
}

double MeasureText(Page& page, std::string_view text)
{
    double width = 0;
    while (Utf8Length(text) > kMeasureChunk) {
        const std::string_view head = Utf8Prefix(text, kMeasureChunk);
        width += page.textWidth(head);
        text.remove_prefix(head.size());
    }
    return width + page.textWidth(text);
}

std::vector<std::size_t> BreakPoints(std::string_view text, Language language)
{
    std::vector<std::size_t> result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ')
            continue;
        if (language == French) {
            const std::size_t before = text.find_last_not_of(kBlanks, i);
            const std::size_t after = text.find_first_not_of(kBlanks, i);
            const bool digitBefore = before != std::string_view::npos && IsDigit(text[before]);
            const bool figureAfter = after != std::string_view::npos &&
                                     (IsDigit(text[after]) || text[after] == '$' || text[after] == '%');
            if (digitBefore && figureAfter)
                continue;
        }
        result.push_back(i);
    }
    return result;
}

std::vector<std::string> WrapText(Page& page, std::string_view text, double width, const WrapOptions& options)
{
    std::vector<std::string> lines;
    for (std::string_view paragraph : Paragraphs(text))
        WrapParagraph(page, paragraph, width, options, lines);
    return lines;
}

} // namespace gw
