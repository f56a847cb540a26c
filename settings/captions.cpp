#include "captions.h"

#include "charset.h"
#include "records.h"
#include "reporter.h"
#include "textfile.h"
#include "textveil.h"

#include <algorithm>

namespace gw {

namespace {

const std::vector<std::string>* tableOf(const CaptionTables& tables, int language)
{
    switch (language) {
    case English: return &tables.english;
    case French: return &tables.french;
    default: return nullptr;
    }
}

enum class LoadResult { Loaded, Stopped, MustEnd };

LoadResult loadOne(const std::filesystem::path& file, std::vector<std::string>& table, SettingsReporter& reporter)
{
    table.clear();
    std::string bytes;
    std::string reason;
    switch (ReadFileBytes(file, bytes, kMaxCaptionFileBytes, reason)) {
    case FileProblem::None:
        break;
    case FileProblem::Missing:
        reporter.report("Error", std::string(kCaptionFilesMissing), SettingsReporter::Icon::Critical);
        return LoadResult::Stopped;
    case FileProblem::Unreadable:
    case FileProblem::TooLarge:
        reporter.report("Error", CaptionFileUnusable(file.filename().string(), reason), SettingsReporter::Icon::Critical);
        return LoadResult::MustEnd;
    }
    std::vector<std::string> lines = SplitLines(bytes);
    // Every caption would read "!!!Caption Not Found!!!".
    if (lines.empty()) {
        reporter.report("Error", CaptionFileUnusable(file.filename().string(), "it is empty"),
                        SettingsReporter::Icon::Critical);
        return LoadResult::MustEnd;
    }
    const bool tooLong = lines.size() > static_cast<std::size_t>(kCaptionSlots);
    if (tooLong)
        lines.resize(kCaptionSlots);
    for (std::size_t slot = 0; slot < lines.size(); ++slot) {
        if (lines[slot].empty())
            reporter.report("", std::to_string(slot), SettingsReporter::Icon::None);
        auto plain = TextVeilDecode(lines[slot], reporter);
        if (!plain)
            return LoadResult::MustEnd;
        table.push_back(Utf8FromCp1252(*plain));
    }
    if (tooLong) {
        reporter.report("Error", std::string(kCaptionFilesMissing), SettingsReporter::Icon::Critical);
        return LoadResult::Stopped;
    }
    return LoadResult::Loaded;
}

} // namespace

std::string CaptionFileUnusable(const std::string& fileName, const std::string& reason)
{
    return fileName + " cannot be used: " + reason + ". Please re-install the software.";
}

bool LoadCaptionFiles(const std::filesystem::path& folder, CaptionTables& tables, SettingsReporter& reporter)
{
    tables = {};
    switch (loadOne(folder / kEnglishCaptionFile, tables.english, reporter)) {
    case LoadResult::MustEnd: return false;
    case LoadResult::Stopped: return true;
    case LoadResult::Loaded: break;
    }
    return loadOne(folder / kFrenchCaptionFile, tables.french, reporter) != LoadResult::MustEnd;
}

std::string GetCaption(const CaptionTables& tables, std::string_view key, int language)
{
    const std::vector<std::string>* table = tableOf(tables, language);
    if (!table)
        return std::string(kCaptionNotFound);
    bool found = false;
    std::string_view foundText;
    for (const std::string& line : *table) {
        const std::string_view view(line);
        const std::size_t eq = view.find('=');
        const std::size_t start = (!view.empty() && view[0] == '*') ? 1 : 0;
        std::string_view keyPart;
        std::string_view text;
        if (eq == std::string_view::npos) {
            // No "=": the key is as long as the marker offset, the text is
            // the whole line (kept for lines that are only a short word).
            keyPart = view.substr(std::min(start, view.size()), start + 1);
            text = view;
        } else {
            keyPart = view.substr(start, eq - start);
            text = view.substr(eq + 1);
        }
        if (EqualsIgnoringAsciiCase(keyPart, key)) {
            found = true;
            foundText = text;
        }
    }
    // Unused slots of the 1025 hold the empty line, which the empty key finds.
    if (key.empty() && table->size() < static_cast<std::size_t>(kCaptionSlots))
        return {};
    return found ? std::string(foundText) : std::string(kCaptionNotFound);
}

std::string FillPlaceholders(std::string_view text, const std::vector<std::string>& values)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<') {
            // "<n>" with n = 1..99, no leading zero, and a value for it.
            std::size_t digits = 0;
            while (i + 1 + digits < text.size() && text[i + 1 + digits] >= '0' && text[i + 1 + digits] <= '9')
                ++digits;
            const std::size_t close = i + 1 + digits;
            if (digits >= 1 && digits <= 2 && text[i + 1] != '0' && close < text.size() && text[close] == '>') {
                const std::size_t n = digits == 1 ? static_cast<std::size_t>(text[i + 1] - '0')
                                              : static_cast<std::size_t>((text[i + 1] - '0') * 10 + (text[i + 2] - '0'));
                if (n <= values.size()) {
                    out += values[n - 1];
                    i = close;
                    continue;
                }
            }
        }
        out += text[i];
    }
    return out;
}

std::string GetDisclaimerText(const CaptionTables& tables, int language)
{
    return FillPlaceholders(GetCaption(tables, "Disclaimer", language), {"\r\n", "\r\n", "\r\n", "\r\n"});
}

std::string GetDisclaimerText(const ProgramSettings& settings)
{
    return GetDisclaimerText(settings.captions, settings.CurrentLanguage);
}

std::string BuildWindowTitle(const CaptionTables& tables, int language, const SponsorInfo& sponsor, bool isSponsored)
{
    std::string title = GetCaption(tables, "SoftwareName", language);
    if (!isSponsored || sponsor.SponsorName.empty())
        return title;
    title += ", ";
    title += sponsor.AppTitle.empty() ? GetCaption(tables, "SponsoredBy", language) : sponsor.AppTitle;
    title += ' ';
    title += sponsor.SponsorName;
    return title;
}

std::string BuildWindowTitle(const ProgramSettings& settings)
{
    return BuildWindowTitle(settings.captions, settings.CurrentLanguage, settings.sponsorInfo, settings.IsSponsored);
}

} // namespace gw
