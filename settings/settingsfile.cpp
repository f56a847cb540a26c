#include "settingsfile.h"

#include "charset.h"
#include "fieldvalues.h"
#include "numformat.h"
#include "programfolders.h"
#include "recordfile.h"
#include "reporter.h"
#include "textfile.h"
#include "textveil.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace gw {

namespace {

std::string_view trimBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

class SilentReporter : public SettingsReporter {
public:
    void report(const std::string&, const std::string&, Icon) override {}
};

} // namespace

namespace {

// Why the lines of a settings file read without error are no use anyway.
std::string uselessLines(const SettingLines& lines)
{
    if (lines.empty())
        return "it is empty";
    if (!HoldsSettings(lines))
        return "it holds no settings";
    return {};
}

} // namespace

bool LoadSettingsFiles(const std::filesystem::path& folder, SettingLines& sponsorLines, SettingLines& userLines,
                       SettingsReporter& reporter)
{
    return LoadSettingsFiles(folder, folder / kUserFileName, sponsorLines, userLines, reporter);
}

bool LoadSettingsFiles(const std::filesystem::path& folder, const std::filesystem::path& userPath,
                       SettingLines& sponsorLines, SettingLines& userLines, SettingsReporter& reporter)
{
    sponsorLines.clear();
    userLines.clear();
    const std::filesystem::path sponsorPath = folder / kSponsorFileName;
    const auto configUnusable = [&](const std::string& reason) {
        reporter.report("", std::string(kConfigFileError) + ": " + reason + ". " + std::string(kReinstall),
                        SettingsReporter::Icon::None);
        return false;
    };
    if (!FileExists(sponsorPath)) {
        reporter.report("", std::string(kConfigFileError), SettingsReporter::Icon::None);
        return false;
    }
    RecordFileContents sponsor = ReadRecordFile(sponsorPath);
    switch (sponsor.error) {
    case RecordFileError::None:
        break;
    case RecordFileError::BadMask:
        reporter.report(std::string(kVeilErrorTitle), std::string(kVeilErrorText), SettingsReporter::Icon::Critical);
        return false;
    case RecordFileError::Missing:
    case RecordFileError::Unreadable:
    case RecordFileError::TooLarge:
        return configUnusable(DescribeRecordFileError(sponsor));
    case RecordFileError::Truncated:
    case RecordFileError::BadLength:
        // The records before the damage may still hold what is needed.
        if (!HoldsSettings(sponsor.lines))
            return configUnusable(DescribeRecordFileError(sponsor));
        reporter.report("", std::string(kConfigFileError), SettingsReporter::Icon::None);
        break;
    }
    if (const std::string useless = uselessLines(sponsor.lines); !useless.empty())
        return configUnusable(useless);
    sponsorLines = std::move(sponsor.lines);

    if (FileExists(userPath)) {
        RecordFileContents user = ReadRecordFile(userPath);
        const std::string problem =
            user.error != RecordFileError::None ? DescribeRecordFileError(user) : uselessLines(user.lines);
        if (problem.empty()) {
            userLines = std::move(user.lines);
            return true;
        }
        reporter.report("Error",
                        std::string(kUserFileName) + " could not be read (" + problem
                            + "). The default values of the sponsor file are used instead; saving the defaults "
                              "writes a new user file.",
                        SettingsReporter::Icon::Exclamation);
    }
    userLines = sponsorLines;
    return true;
}

std::optional<std::string> FindSettingValue(std::string_view key, const SettingLines& lines)
{
    const std::size_t slots = std::min(lines.size(), static_cast<std::size_t>(kSettingSlots));
    for (std::size_t i = 1; i < slots; ++i) {
        const std::string_view line(lines[i]);
        const std::size_t eq = line.rfind('=');
        if (eq == std::string_view::npos)
            continue;
        if (EqualsIgnoringAsciiCase(trimBlanks(line.substr(eq + 1)), key))
            return std::string(line.substr(0, eq));
    }
    return std::nullopt;
}

std::string GetSettingValue(std::string_view key, const SettingLines& lines, bool report, SettingsReporter& reporter)
{
    if (std::optional<std::string> value = FindSettingValue(key, lines))
        return std::move(*value);
    if (report)
        reporter.report("",
                        std::string(key)
                            + " not found in the config file. Please re-install the software.\n\n"
                              "If problems persist, contact technical support",
                        SettingsReporter::Icon::None);
    return {};
}

std::string GetSettingValue(std::string_view key, const SettingLines& lines)
{
    SilentReporter silent;
    return GetSettingValue(key, lines, false, silent);
}

SponsorInfo ReadSponsorInfo(const SettingLines& sponsorLines, SettingsReporter& reporter)
{
    SponsorInfo info;
    for (const SponsorKey& k : kSponsorKeys) {
        info.*k.field = GetSettingValue(k.key, sponsorLines, true, reporter);
        if (k.field == &SponsorInfo::SponsorName && info.SponsorName == "none")
            break;
    }
    return info;
}

SettingValues ReadSettingValues(const SettingLines& sponsorLines, const SettingLines& userLines,
                                SettingsReporter& reporter)
{
    SettingValues values;
    for (const SettingRow& row : SettingRows()) {
        if (!row.read)
            continue;
        // A setting newer than the files: the user's, else the sponsor's,
        // else the program's own, without a message.
        if (row.sponsorWhenAbsent) {
            const std::string fallback(row.defaultText);
            const std::string sponsor = FindSettingValue(row.key, sponsorLines).value_or(fallback);
            values[row.id] = ReadStored(row, FindSettingValue(row.key, userLines).value_or(sponsor));
            continue;
        }
        std::string text = GetSettingValue(row.key, sponsorLines, true, reporter);
        // The sponsor file must hold every default; the value is the user's.
        if (row.section == Section::InputDefaults) {
            text = FindSettingValue(row.key, userLines).value_or(std::string());
        }
        values[row.id] = ReadStored(row, text);
    }
    return values;
}

std::string GetLegalDisclaimer(const SettingLines& sponsorLines, int language)
{
    std::string base;
    if (language == English)
        base = kLegalDisclaimerEnglishKey;
    else if (language == French)
        base = kLegalDisclaimerFrenchKey;
    else
        return {};
    std::string text;
    // Each chunk needs its own line, so there are never more than the slots.
    for (int k = 1; k <= kSettingSlots; ++k) {
        const std::string chunk = GetSettingValue(base + std::to_string(k), sponsorLines);
        if (chunk.empty())
            break;
        text += chunk;
    }
    std::erase(text, '\n');
    return text;
}

std::string GetLegalDisclaimer(const ProgramSettings& settings)
{
    return GetLegalDisclaimer(settings.SponsorLines, settings.CurrentLanguage);
}

std::string GetWelcomePicture(const std::filesystem::path& folder, int language)
{
    std::string name;
    if (language == English)
        name = "Welcome.jpg";
    else if (language == French)
        name = "Welcome-French.jpg";
    if (name.empty() || !FileExists(folder / name))
        return {};
    return name;
}

bool LoadStartUpSettings(ProgramSettings& settings, SettingsReporter& reporter)
{
    const std::filesystem::path userFile = UserFileToRead({settings.folder, settings.UserFolder()});
    if (!LoadSettingsFiles(settings.folder, userFile, settings.SponsorLines, settings.UserLines, reporter))
        return false;
    const double language =
        RoundHalfToEven(LenientParse(GetSettingValue(kPrevLanguageKey, settings.UserLines, true, reporter)));
    settings.CurrentLanguage = language == 1 ? French : English;
    if (!LoadCaptionFiles(settings.folder, settings.captions, reporter))
        return false;
    settings.sponsorInfo = ReadSponsorInfo(settings.SponsorLines, reporter);
    settings.IsSponsored = settings.sponsorInfo.SponsorName != "none";
    if (settings.IsSponsored)
        settings.sponsorInfo.logoPath = GetWelcomePicture(settings.folder, settings.CurrentLanguage);
    return true;
}

void ReadMainWindowSettings(ProgramSettings& settings, SettingsReporter& reporter)
{
    settings.values = ReadSettingValues(settings.SponsorLines, settings.UserLines, reporter);
    const std::vector<Repair> repairs = RepairSettingValues(settings.values);
    if (repairs.empty())
        return;
    // The defaults come from the user file when there is a usable one.
    const bool userFile = settings.UserLines != settings.SponsorLines;
    std::string text = "Some settings are outside their legal range; the nearest legal value is used instead:";
    for (const Repair& r : repairs) {
        const SettingRow& row = Row(r.setting);
        const bool fromUser = userFile && row.section == Section::InputDefaults;
        text += "\n" + std::string(fromUser ? kUserFileName : kSponsorFileName) + ", \"" + std::string(row.key)
            + "\": " + ShortestDecimal(r.read) + " becomes " + ShortestDecimal(r.repaired) + ".";
    }
    reporter.report("Error", text, SettingsReporter::Icon::Exclamation);
}

} // namespace gw
