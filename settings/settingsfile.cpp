#include "settingsfile.h"

#include "numformat.h"
#include "recordfile.h"
#include "reporter.h"
#include "textfile.h"
#include "textveil.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace gw {

namespace {

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string_view trimBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Whole numbers for list indices and the language, kept in 16 bits.
int wholeNumber(std::string_view text)
{
    const double value = RoundHalfToEven(LenientParse(text));
    return static_cast<int>(std::clamp(value, -32768.0, 32767.0));
}

class SilentReporter : public SettingsReporter {
public:
    void report(const std::string&, const std::string&, Icon) override {}
};

} // namespace

bool LoadSettingsFiles(const std::filesystem::path& folder, SettingLines& sponsorLines, SettingLines& userLines,
                       SettingsReporter& reporter)
{
    sponsorLines.clear();
    userLines.clear();
    const std::filesystem::path sponsorPath = folder / kSponsorFileName;
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
        reporter.report("", std::string(kConfigFileError), SettingsReporter::Icon::None);
        return false;
    case RecordFileError::Truncated:
    case RecordFileError::BadLength:
    case RecordFileError::TooManyRecords:
        reporter.report("", std::string(kConfigFileError), SettingsReporter::Icon::None);
        break;
    }
    sponsorLines = std::move(sponsor.lines);

    const std::filesystem::path userPath = folder / kUserFileName;
    if (FileExists(userPath)) {
        RecordFileContents user = ReadRecordFile(userPath);
        if (user.error == RecordFileError::None) {
            userLines = std::move(user.lines);
            return true;
        }
        reporter.report("Error",
                        std::string(kUserFileName) + " could not be read (" + DescribeRecordFileError(user)
                            + "). The default values of the sponsor file are used instead; saving the defaults "
                              "writes a new user file.",
                        SettingsReporter::Icon::Exclamation);
    }
    userLines = sponsorLines;
    return true;
}

std::string GetSettingValue(std::string_view key, const SettingLines& lines, bool report, SettingsReporter& reporter)
{
    const std::size_t slots = std::min(lines.size(), static_cast<std::size_t>(kSettingSlots));
    for (std::size_t i = 1; i < slots; ++i) {
        const std::string_view line(lines[i]);
        const std::size_t eq = line.rfind('=');
        if (eq == std::string_view::npos)
            continue;
        if (equalsIgnoreCase(trimBlanks(line.substr(eq + 1)), key))
            return std::string(line.substr(0, eq));
    }
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
    info.SponsorName = GetSettingValue("SponsorName", sponsorLines, true, reporter);
    if (info.SponsorName == "none")
        return info;
    info.AppTitle = GetSettingValue("AppTitle", sponsorLines, true, reporter);
    info.PrintoutFooter = GetSettingValue("PrintoutFooter", sponsorLines, true, reporter);
    info.helpPath = GetSettingValue("helpPath", sponsorLines, true, reporter);
    info.helpCaption = GetSettingValue("helpCaption", sponsorLines, true, reporter);
    info.logoPath = GetSettingValue("logoPath", sponsorLines, true, reporter);
    return info;
}

RestrictionsAndLimits ReadRestrictionsAndLimits(const SettingLines& sponsorLines, SettingsReporter& reporter)
{
    const auto number = [&](std::string_view key) { return LenientParse(GetSettingValue(key, sponsorLines, true, reporter)); };
    RestrictionsAndLimits result;
    result.restrictions.showIntOnlyAnalysis = number("showIntOnlyAnalysis") != 0;
    result.restrictions.showTermLoanAnalysis = number("showTermLoanAnalysis") != 0;
    result.restrictions.showRRSPAnalysis = number("showRRSPAnalysis") != 0;
    result.limits.MaxReturnAllowed = number("Maximum Return Allowed");
    result.limits.ReturnWarningLevel = number("Return at which Warning Issued");
    result.limits.MinInterestRateAllowed = number("Minimum Interest Rate Allowed");
    result.limits.InterestRateWarningLevel = number("Interest Rate at which Warning Issued");
    return result;
}

InputDefaults ReadInputDefaults(const SettingLines& sponsorLines, const SettingLines& userLines,
                                SettingsReporter& reporter)
{
    InputDefaults d;
    // The sponsor file must hold every key; the value comes from the user lines.
    const auto value = [&](const std::string& key) {
        GetSettingValue(key, sponsorLines, true, reporter);
        return GetSettingValue(key, userLines);
    };
    const auto number = [&](const std::string& key) { return LenientParse(value(key)); };
    const auto index = [&](const std::string& key) { return wholeNumber(value(key)); };
    const auto isTrue = [&](const std::string& key) { return value(key) == "True"; };
    const auto isOne = [&](const std::string& key) { return value(key) == "1"; };
    const auto numbered = [](const char* name, int n, const char* unit) {
        return std::string(name) + " " + std::to_string(n) + unit;
    };

    d.LoanAmount = number("Loan Amount ($)");
    d.TaxRate = number("Tax Rate (%)");
    d.InterestRateOnLoan = number("Interest Rate on Loan (%)");
    d.SavingsPeriod = number("Savings Period (years)");
    d.PortionDeductible = number("Portion of Interest Rate Deductible (%)");
    d.FedInterestDeductibility = number("Federal Portion of Interest Rate Deductible (%)");
    d.ProvInterestDeductibility = number("Provincial Portion of Interest Rate Deductible (%)");
    d.FedLimitedDeduct = isTrue("Federal Deductibility Limited to Taxable Income");
    d.ProvLimitedDeduct = isTrue("Provincial Deductibility Limited to Taxable Income");
    d.FedInvestmentExpenses = number("Federal Investment Expenses (%)");
    d.ProvInvestmentExpenses = number("Provincial Investment Expenses (%)");
    d.FedDefer = index("Federal Defer Undeducted Expenses");
    d.ProvDefer = index("Provincial Defer Undeducted Expenses");
    d.FedIncludeCapGains = index("Federal Include Capital Gains");
    d.ProvIncludeCapGains = index("Provincial Include Capital Gains");
    d.FederalToMTRRatio = number("Federal To Marginal Tax Rate Ratio (%)");
    for (int n = 1; n <= 4; ++n)
        d.ProjectedReturn[n - 1] = number(numbered("Projected Return", n, " (%)"));
    d.CapGainsInclusionRate = number("Capital Gains Inclusion Rate (%)");
    for (int n = 1; n <= 4; ++n)
        d.InterestTaxRate[n - 1] = number(numbered("Interest Tax Rate", n, " (%)"));
    for (int n = 1; n <= 4; ++n)
        d.DividendTaxRate[n - 1] = number(numbered("Dividend Tax Rate", n, " (%)"));
    for (int n = 1; n <= 4; ++n)
        d.StartOfTaxBracket[n - 1] = RoundHalfAwayFromZero(number(numbered("Start of Tax Bracket", n, " ($)")));
    d.PrintSummary = isOne("Print Summary");
    d.PrintProjection = isOne("Print Projection");
    d.PrintChecklistPage = isOne("Print Checklist Page");
    d.PrintName = isOne("Print Name");
    d.PrintCompanyName = isOne("Print Company Name");
    d.PrintSummaryChecklist = isTrue("Print Summary Checklist");
    d.PrintLegalDisclaimer = isTrue("Print Legal Disclaimer");
    d.PrintSignatures = isTrue("Print Signatures");
    d.ProjectionReturn = number("Projection Return");
    d.TimesLoanRepeated = number("Times Loan Repeated");
    d.CapitalGains = number("Capital Gains");
    d.DeferredCapitalGains = number("Deferred Capital Gains");
    d.Dividends = number("Dividends");
    d.Interest = number("Interest");
    d.InvestmentType = number("Investment Type");
    d.OtherUnleveragedIncome = number("Other Unleveraged Income ($)");
    return d;
}

std::string GetLegalDisclaimer(const SettingLines& sponsorLines, int language)
{
    std::string base;
    if (language == English)
        base = "LegalDisclaimerEnglish";
    else if (language == French)
        base = "LegalDisclaimerFrench";
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
    if (!LoadSettingsFiles(settings.folder, settings.SponsorLines, settings.UserLines, reporter))
        return false;
    const int language = wholeNumber(GetSettingValue("PrevLanguage", settings.UserLines, true, reporter));
    settings.CurrentLanguage = language == French ? French : English;
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
    settings.defaults = ReadInputDefaults(settings.SponsorLines, settings.UserLines, reporter);
    const RestrictionsAndLimits rl = ReadRestrictionsAndLimits(settings.SponsorLines, reporter);
    settings.restrictions = rl.restrictions;
    settings.limits = rl.limits;
}

} // namespace gw
