#include "userfile.h"

#include "charset.h"
#include "numformat.h"
#include "recordfile.h"
#include "reporter.h"
#include "settingsfile.h"
#include "textfile.h"

namespace gw {

namespace {

constexpr std::size_t kChunkLength = 125;

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

const char* trueFalse(bool value)
{
    return value ? "True" : "False";
}

const char* oneZero(bool value)
{
    return value ? "1" : "0";
}

std::string plain(double value)
{
    return ShortestDecimal(value);
}

// Moves the decimal point of a plain decimal text by `shift` places (left
// when negative); nullopt for exponent notation.
std::optional<std::string> shiftDecimal(const std::string& text, int shift)
{
    if (text.find_first_of("eE") != std::string::npos)
        return std::nullopt;
    std::string_view s(text);
    std::string sign;
    if (!s.empty() && s[0] == '-') {
        sign = "-";
        s.remove_prefix(1);
    }
    const std::size_t dot = s.find('.');
    std::string digits(s.substr(0, dot));
    long point = static_cast<long>(digits.size());
    if (dot != std::string_view::npos)
        digits += s.substr(dot + 1);
    point += shift;
    if (point < 0) {
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    if (point > static_cast<long>(digits.size()))
        digits.append(static_cast<std::size_t>(point) - digits.size(), '0');
    std::string whole = digits.substr(0, static_cast<std::size_t>(point));
    std::string fraction = digits.substr(static_cast<std::size_t>(point));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (whole.empty())
        whole = "0";
    std::string out = whole;
    if (!fraction.empty())
        out += "." + fraction;
    if (out == "0")
        return out;
    return sign + out;
}

} // namespace

std::string PercentToFractionText(double percent)
{
    const std::string text = ShortestDecimal(percent);
    if (auto shifted = shiftDecimal(text, -2))
        return *shifted;
    return ShortestDecimal(percent / 100);
}

double FractionToPercent(double fraction)
{
    const std::string text = ShortestDecimal(fraction);
    if (auto shifted = shiftDecimal(text, 2))
        return LenientParse(*shifted);
    return fraction * 100;
}

UserFileValues UserFileValuesFrom(const ProgramSettings& settings)
{
    const InputDefaults& d = settings.defaults;
    UserFileValues v;
    v.sponsorInfo = settings.sponsorInfo;
    v.CurrentLanguage = settings.CurrentLanguage;
    v.restrictions = settings.restrictions;
    v.limits = settings.limits;
    v.LoanAmount = d.LoanAmount;
    v.TaxRate = d.TaxRate;
    v.InterestRateOnLoan = d.InterestRateOnLoan;
    v.SavingsPeriod = d.SavingsPeriod;
    v.InvestmentType = static_cast<int>(d.InvestmentType);
    v.OtherUnleveragedIncome = d.OtherUnleveragedIncome;
    v.ProjectionReturn = d.ProjectionReturn;
    v.TimesLoanRepeated = d.TimesLoanRepeated;
    v.CapitalGains = d.CapitalGains;
    v.DeferredCapitalGains = d.DeferredCapitalGains;
    v.Dividends = d.Dividends;
    v.Interest = d.Interest;
    v.ProjectedReturn = d.ProjectedReturn;
    v.PrintSummaryChecklist = d.PrintSummaryChecklist;
    v.PrintLegalDisclaimer = d.PrintLegalDisclaimer;
    v.PrintSignatures = d.PrintSignatures;
    v.PrintSummary = d.PrintSummary;
    v.PrintProjection = d.PrintProjection;
    v.PrintChecklistPage = d.PrintChecklistPage;
    v.PrintName = d.PrintName;
    v.PrintCompanyName = d.PrintCompanyName;
    v.PortionDeductible = d.PortionDeductible;
    v.FedInterestDeductibility = d.FedInterestDeductibility;
    v.ProvInterestDeductibility = d.ProvInterestDeductibility;
    v.FedLimitedDeduct = d.FedLimitedDeduct;
    v.ProvLimitedDeduct = d.ProvLimitedDeduct;
    v.FedInvestmentExpenses = d.FedInvestmentExpenses;
    v.ProvInvestmentExpenses = d.ProvInvestmentExpenses;
    v.FedDefer = d.FedDefer;
    v.ProvDefer = d.ProvDefer;
    v.FedIncludeCapGains = d.FedIncludeCapGains;
    v.ProvIncludeCapGains = d.ProvIncludeCapGains;
    v.FederalToMTRRatio = d.FederalToMTRRatio;
    v.CapGainsInclusionRatePercent = FractionToPercent(d.CapGainsInclusionRate);
    for (std::size_t i = 0; i < 4; ++i) {
        v.InterestTaxRatePercent[i] = FractionToPercent(d.InterestTaxRate[i]);
        v.DividendTaxRatePercent[i] = FractionToPercent(d.DividendTaxRate[i]);
    }
    v.StartOfTaxBracket = d.StartOfTaxBracket;
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
    add(trimBlanks(v.sponsorInfo.SponsorName), "SponsorName");
    add(trimBlanks(v.sponsorInfo.AppTitle), "AppTitle");
    add(trimBlanks(v.sponsorInfo.PrintoutFooter), "PrintoutFooter");
    add(trimBlanks(v.sponsorInfo.helpPath), "helpPath");
    add(trimBlanks(v.sponsorInfo.helpCaption), "helpCaption");
    add("", "logoPath");
    add(v.CurrentLanguage == French ? "1" : "0", "PrevLanguage");
    lines.emplace_back("True= useSponsorValues");

    lines.emplace_back("[AnalysisRestrictions]");
    add(trueFalse(v.restrictions.showIntOnlyAnalysis), "showIntOnlyAnalysis");
    add(trueFalse(v.restrictions.showTermLoanAnalysis), "showTermLoanAnalysis");
    add(trueFalse(v.restrictions.showRRSPAnalysis), "showRRSPAnalysis");

    lines.emplace_back("[InputLimits]");
    add(plain(v.limits.MaxReturnAllowed), "Maximum Return Allowed");
    add(plain(v.limits.ReturnWarningLevel), "Return at which Warning issued");
    add(plain(v.limits.MinInterestRateAllowed), "Minimum Interest Rate Allowed");
    add(plain(v.limits.InterestRateWarningLevel), "Interest Rate at which Warning Issued");

    lines.emplace_back("[InputDefaults]");
    add(plain(v.LoanAmount), "Loan Amount ($)");
    add(plain(v.TaxRate), "Tax Rate (%)");
    add(plain(v.InterestRateOnLoan), "Interest Rate on Loan (%)");
    add(plain(v.SavingsPeriod), "Savings Period (years)");
    add(std::to_string(v.InvestmentType), "Investment Type");
    add(plain(v.OtherUnleveragedIncome), "Other Unleveraged Income ($)");
    add(plain(v.ProjectionReturn), "Projection Return");
    add(plain(v.TimesLoanRepeated), "Times Loan Repeated");
    add(plain(v.CapitalGains), "Capital Gains");
    add(plain(v.DeferredCapitalGains), "Deferred Capital Gains");
    add(plain(v.Dividends), "Dividends");
    add(plain(v.Interest), "Interest");
    add(trueFalse(v.ShowAdvancedDetails), "Show Advanced Details");
    add(trueFalse(v.PrintSummaryChecklist), "Print Summary Checklist");
    add(trueFalse(v.PrintLegalDisclaimer), "Print Legal Disclaimer");
    add(trueFalse(v.PrintSignatures), "Print Signatures");
    add(oneZero(v.PrintSummary), "Print Summary");
    add(oneZero(v.PrintProjection), "Print Projection");
    add(oneZero(v.PrintChecklistPage), "Print Checklist Page");
    add(oneZero(v.PrintName), "Print Name");
    add(oneZero(v.PrintCompanyName), "Print Company Name");
    add(plain(v.PortionDeductible), "Portion of Interest Rate Deductible (%)        ");
    add(plain(v.FedInterestDeductibility), "Federal Portion of Interest Rate Deductible (%)");
    add(plain(v.ProvInterestDeductibility), "Provincial Portion of Interest Rate Deductible (%)");
    add(trueFalse(v.FedLimitedDeduct), "Federal Deductibility Limited to Taxable Income");
    add(trueFalse(v.ProvLimitedDeduct), "Provincial Deductibility Limited to Taxable Income");
    add(plain(v.FedInvestmentExpenses), "Federal Investment Expenses (%)");
    add(plain(v.ProvInvestmentExpenses), "Provincial Investment Expenses (%)");
    add(std::to_string(v.FedDefer), "Federal Defer Undeducted Expenses");
    add(std::to_string(v.ProvDefer), "Provincial Defer Undeducted Expenses");
    add(std::to_string(v.FedIncludeCapGains), "Federal Include Capital Gains");
    add(std::to_string(v.ProvIncludeCapGains), "Provincial Include Capital Gains");
    add(plain(v.FederalToMTRRatio), "Federal To Marginal Tax Rate Ratio (%)");
    for (int n = 1; n <= 4; ++n)
        add(plain(v.ProjectedReturn[n - 1]), "Projected Return " + std::to_string(n) + " (%)");
    add(PercentToFractionText(v.CapGainsInclusionRatePercent), "Capital Gains Inclusion Rate (%)");
    for (int n = 1; n <= 4; ++n)
        add(PercentToFractionText(v.InterestTaxRatePercent[n - 1]), "Interest Tax Rate " + std::to_string(n) + " (%)");
    for (int n = 1; n <= 4; ++n)
        add(PercentToFractionText(v.DividendTaxRatePercent[n - 1]), "Dividend Tax Rate " + std::to_string(n) + " (%)");
    for (int n = 1; n <= 4; ++n)
        add(plain(v.StartOfTaxBracket[n - 1]), "Start of Tax Bracket " + std::to_string(n) + " ($)");
    for (const auto& [key, value] : v.extraSettings)
        add(withoutLineBreaks(value), withoutLineBreaks(key));

    lines.emplace_back("[LegalDisclaimer]");
    WriteChunkedSetting(GetLegalDisclaimer(sponsorLines, English), "LegalDisclaimerEnglish", lines);
    WriteChunkedSetting(GetLegalDisclaimer(sponsorLines, French), "LegalDisclaimerFrench", lines);
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
    if (file && WriteFileAtomically(folder / kUserFileName, *file, error))
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
    return SaveUserFile(settings.folder, values, settings.SponsorLines, reporter);
}

} // namespace gw
