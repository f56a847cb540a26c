// The print dialog's part of the user file: the print flags and the advisor.
#include "reports_settings.h"

#include "reporter.h"
#include "settingsfile.h"
#include "userfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace gw {
namespace {

class SilentReporter : public SettingsReporter {
public:
    void report(const std::string&, const std::string& text, Icon) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

TEST(PrintDefaults, AdvisorAndFlagsRoundTripThroughTheUserFile)
{
    PrintDefaults defaults;
    defaults.values.setFlag(Setting::PrintSignatures, true);
    defaults.values.setFlag(Setting::PrintProjection, true);
    defaults.values.setFlag(Setting::PrintCompanyName, true);
    defaults.advisor = {"  Élise Côté\r\n", "Northfield = Wealth"};

    UserFileValues values;
    values.extraSettings = {{"Advisor Name", "someone older"}, {"Other", "kept"}};
    ApplyPrintDefaults(defaults, values);
    EXPECT_TRUE(values.values.flag(Setting::PrintSignatures));
    EXPECT_TRUE(values.values.flag(Setting::PrintProjection));
    EXPECT_FALSE(values.values.flag(Setting::PrintSummary));
    EXPECT_TRUE(values.values.flag(Setting::PrintCompanyName));

    const SettingLines lines = BuildUserFileLines(values, {});
    const AdvisorInfo advisor = ReadAdvisorInfo(lines);
    EXPECT_EQ(advisor.name, "Élise Côté");
    EXPECT_EQ(advisor.companyName, "Northfield = Wealth");
    EXPECT_EQ(GetSettingValue("Other", lines), "kept");
    int names = 0;
    for (const std::string& line : lines)
        names += line.find("= Advisor Name") != std::string::npos ? 1 : 0;
    EXPECT_EQ(names, 1);
}

TEST(PrintDefaults, OverlongAdvisorIsCutSoThatSaveDefaultsStillWrites)
{
    const std::string longName(400, 'a');
    EXPECT_EQ(CleanAdvisorField(longName).size(), kMaxAdvisorField);
    // Characters, not bytes: a cut never splits an accented letter.
    std::string accents;
    for (int i = 0; i < 150; ++i)
        accents += "é";
    EXPECT_EQ(CleanAdvisorField(accents).size(), 2 * kMaxAdvisorField);

    PrintDefaults defaults;
    defaults.advisor = {longName, accents};
    ProgramSettings settings;
    UserFileValues values = UserFileValuesFrom(settings);
    ApplyPrintDefaults(defaults, values);
    const auto folder = std::filesystem::temp_directory_path() / "gearwise-print-defaults-test";
    std::filesystem::create_directories(folder);
    SilentReporter reporter;
    ASSERT_TRUE(SaveUserFile(folder, values, {}, reporter)) << (reporter.messages.empty() ? "" : reporter.messages[0]);
    std::filesystem::remove_all(folder);
}

TEST(PrintDefaults, MissingAdvisorReadsEmpty)
{
    const AdvisorInfo advisor = ReadAdvisorInfo({"[SponsorInfo]", "none= SponsorName"});
    EXPECT_EQ(advisor.name, "");
    EXPECT_EQ(advisor.companyName, "");
}

} // namespace
} // namespace gw
