// The print dialog's part of the user file: the print flags and the advisor.
#include "reports_settings.h"

#include "reporter.h"
#include "settingsfile.h"
#include "userfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace gw {
namespace {

TEST(PrintDefaults, AdvisorAndFlagsRoundTripThroughTheUserFile)
{
    PrintDefaults defaults;
    for (Setting s : {Setting::PrintSignatures, Setting::PrintProjection, Setting::PrintCompanyName})
        defaults.values.setFlag(s, true);
    defaults.advisor = {"  Élise Côté\r\n", "Northfield = Wealth"};
    UserFileValues values;
    values.values.setFlag(Setting::PrintSummary, true);  // replaced by the dialog's choice
    values.extraSettings = {{"Advisor Name", "someone older"}, {"Other", "kept"}};
    ApplyPrintDefaults(defaults, values);
    for (Setting s : kPrintSettings)
        EXPECT_EQ(values.values.flag(s), defaults.values.flag(s)) << static_cast<int>(s);

    const SettingLines lines = BuildUserFileLines(values, {});
    EXPECT_EQ(ReadAdvisorInfo(lines), (AdvisorInfo{"Élise Côté", "Northfield = Wealth"}));
    EXPECT_EQ(GetSettingValue("Other", lines), "kept");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with("= Advisor Name"); }), 1);
    EXPECT_EQ(ReadAdvisorInfo({"[SponsorInfo]", "none= SponsorName"}), AdvisorInfo{});
}

TEST(PrintDefaults, OverlongAdvisorIsCutSoThatSaveDefaultsStillWrites)
{
    // Characters, not bytes: a cut never splits an accented letter.
    std::string accents;
    for (int i = 0; i < 150; ++i)
        accents += "é";
    EXPECT_EQ(CleanAdvisorField(std::string(400, 'a')), std::string(kMaxAdvisorField, 'a'));
    EXPECT_EQ(CleanAdvisorField(accents), accents.substr(0, 2 * kMaxAdvisorField));
    EXPECT_EQ(CleanAdvisorField(std::string(99, 'a') + " b"), std::string(99, 'a'));  // no blank left at the cut

    PrintDefaults defaults;
    defaults.advisor = {std::string(400, 'a'), accents};
    UserFileValues values = UserFileValuesFrom(ProgramSettings{});
    ApplyPrintDefaults(defaults, values);
    const auto folder = std::filesystem::temp_directory_path() / "gearwise-print-defaults-test";
    std::filesystem::create_directories(folder);
    struct : SettingsReporter {
        void report(const std::string&, const std::string& text, Icon) override { messages.push_back(text); }
        std::vector<std::string> messages;
    } reporter;
    EXPECT_TRUE(SaveUserFile(folder, values, {}, reporter)) << (reporter.messages.empty() ? "" : reporter.messages[0]);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace gw
