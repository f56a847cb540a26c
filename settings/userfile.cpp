#include "userfile.h"

#include "charset.h"
#include "numformat.h"
#include "programfolders.h"
#include "recordfile.h"
#include "reporter.h"
#include "settingsfile.h"
#include "textfile.h"

#include <algorithm>
#include <array>
#include <optional>

namespace gw {

namespace {

constexpr std::size_t kChunkLength = 125;

// In the order of Section.
const std::array<std::string, 3> kSectionLines{"[InputDefaults]", "[AnalysisRestrictions]", "[InputLimits]"};

std::string trimBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

std::string withoutLineBreaks(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

} // namespace

UserFileValues UserFileValuesFrom(const ProgramSettings& settings)
{
    UserFileValues v;
    v.sponsorInfo = settings.sponsorInfo;
    v.CurrentLanguage = settings.CurrentLanguage;
    v.values = settings.values;
    return v;
}

void WriteChunkedSetting(std::string_view text, std::string_view key, std::vector<std::string>& lines)
{
    std::string rest = trimBlanks(withoutLineBreaks(text));
    std::string_view remaining(rest);
    for (int k = 1; !remaining.empty(); ++k) {
        const std::string_view piece = Utf8Prefix(remaining, kChunkLength);
        lines.push_back(std::string(piece) + "=" + std::string(key) + std::to_string(k));
        remaining.remove_prefix(piece.size());
    }
}

std::vector<std::string> BuildUserFileLines(const UserFileValues& v, const SettingLines& sponsorLines)
{
    std::vector<std::string> lines;
    const auto add = [&](const std::string& value, std::string_view key) {
        lines.push_back(value + "= " + std::string(key));
    };

    lines.emplace_back("[SponsorInfo]");
    for (const SponsorKey& k : kSponsorKeys)
        add(k.field == &SponsorInfo::logoPath ? std::string() : trimBlanks(v.sponsorInfo.*k.field), k.key);
    add(v.CurrentLanguage == French ? "1" : "0", kPrevLanguageKey);
    lines.emplace_back("True= useSponsorValues");

    std::vector<const SettingRow*> rows;
    for (const SettingRow& row : SettingRows())
        rows.push_back(&row);
    std::ranges::sort(rows, {}, &SettingRow::line);
    std::optional<Section> section;
    for (const SettingRow* row : rows) {
        if (row->section != section) {
            section = row->section;
            lines.push_back(kSectionLines[static_cast<std::size_t>(row->section)]);
        }
        add(StoredText(*row, v.values[row->id]), row->writtenKey.empty() ? row->key : row->writtenKey);
    }
    for (const auto& [key, value] : v.extraSettings)
        add(withoutLineBreaks(value), withoutLineBreaks(key));

    lines.emplace_back("[LegalDisclaimer]");
    WriteChunkedSetting(GetLegalDisclaimer(sponsorLines, English), kLegalDisclaimerEnglishKey, lines);
    WriteChunkedSetting(GetLegalDisclaimer(sponsorLines, French), kLegalDisclaimerFrenchKey, lines);
    return lines;
}

bool SaveUserFile(const std::filesystem::path& folder, const UserFileValues& values, const SettingLines& sponsorLines,
                  SettingsReporter& reporter, const VeilRandom& random)
{
    std::vector<std::string> lines;
    for (const std::string& line : BuildUserFileLines(values, sponsorLines))
        lines.push_back(Cp1252FromUtf8Lossy(line));
    std::string error;
    std::optional<std::string> file = BuildRecordFile(lines, random, error);
    if (file && MakeFolder(folder, error) && WriteFileAtomically(folder / kUserFileName, *file, error))
        return true;
    reporter.report("Error", std::string(kUserFileNotWritten) + "\n\n" + error, SettingsReporter::Icon::Critical);
    return false;
}

bool SaveUserFile(const std::filesystem::path& folder, const UserFileValues& values, const SettingLines& sponsorLines,
                  SettingsReporter& reporter)
{
    return SaveUserFile(folder, values, sponsorLines, reporter, ClockSeededRandom());
}

bool SaveUserFile(const ProgramSettings& settings, const UserFileValues& values, SettingsReporter& reporter)
{
    return SaveUserFile(settings.UserFolder(), values, settings.SponsorLines, reporter);
}

} // namespace gw
