#include "analyze_options.h"
#include "cli_test_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw::cli {
namespace {

using test::Args;

AnalyzeRequest parseOk(const Args& args, const AnalyzeDefaults& defaults = test::ShippedData().defaults)
{
    const ParsedAnalyze parsed = ParseAnalyzeOptions(args, defaults);
    if (const auto* error = std::get_if<OptionError>(&parsed))
        ADD_FAILURE() << "refused: " << error->message;
    if (const auto* request = std::get_if<AnalyzeRequest>(&parsed))
        return *request;
    return {};
}

std::string parseError(const Args& args, const AnalyzeDefaults& defaults = test::ShippedData().defaults)
{
    const ParsedAnalyze parsed = ParseAnalyzeOptions(args, defaults);
    if (const auto* error = std::get_if<OptionError>(&parsed))
        return error->message;
    ADD_FAILURE() << "accepted";
    return {};
}

// The defaults themselves, and which values each option accepts, show in the
// golden files of AnalyzeCommand.
TEST(AnalyzeOptions, BothSpellingsAndFlagsAreRead)
{
    EXPECT_EQ(parseOk({"--tax-rate=45.5"}).inputs.taxRate, 45.5);
    EXPECT_EQ(parseOk({"--tax-rate", "45.5"}).inputs.taxRate, 45.5);
    EXPECT_EQ(parseOk({"--tax-rate", "30", "--tax-rate", "35"}).inputs.taxRate, 35);
    EXPECT_EQ(parseOk({"--other-unleveraged", "5000"}).inputs.otherUnleveraged, 5000);
    EXPECT_EQ(parseOk({"--returns", "-5,0,3.5,20"}).inputs.returns, (std::array<double, 4>{-5, 0, 3.5, 20}));
    EXPECT_EQ(parseOk({"--returns=1,2,3,4"}).inputs.projectionReturn, 3);

    EXPECT_TRUE(parseOk({"--fed-limited"}).inputs.fedLimited);
    EXPECT_TRUE(parseOk({"--fed-limited", "yes"}).inputs.fedLimited);
    EXPECT_FALSE(parseOk({"--fed-limited", "no"}).inputs.fedLimited);
    EXPECT_FALSE(parseOk({"--prov-limited=no"}).inputs.provLimited);
    const AnalyzeRequest bothFlags = parseOk({"--fed-limited", "--prov-limited", "--tax-rate", "30"});
    EXPECT_TRUE(bothFlags.inputs.fedLimited && bothFlags.inputs.provLimited);
    EXPECT_EQ(bothFlags.inputs.taxRate, 30);
    EXPECT_FALSE(parseOk({"--fed-include-cg", "no"}).inputs.fedIncludeCG);

    const AnalyzeRequest term = parseOk({"--strategy", "term", "--format", "csv", "--investment-type", "2"});
    EXPECT_EQ(term.strategy, Strategy::TermLoan);
    EXPECT_EQ(term.format, OutputFormat::Csv);
    EXPECT_EQ(term.inputs.investmentType, 2);

    const AnalyzeRequest table = parseOk({"--interest-tax-rates", "10,20,30,40", "--dividend-tax-rates", "1,2,3,4"});
    EXPECT_EQ(table.inputs.taxTable[3].interestRate, 40);
    EXPECT_EQ(table.inputs.taxTable[0].dividendRate, 1);

    EXPECT_EQ(parseOk({"--loan-amount", "0.5"}).inputs.loanAmount, 1);  // whole dollars
    EXPECT_EQ(parseOk({"--language", "fr"}).language, French);
    EXPECT_EQ(parseOk({"--language=en"}).language, English);

    EXPECT_TRUE(std::holds_alternative<HelpRequested>(
        ParseAnalyzeOptions({"--tax-rate", "500", "--help"}, test::ShippedData().defaults)));
}

TEST(AnalyzeOptions, SponsorLimitsMoveTheReturnAndRateRanges)
{
    AnalyzeDefaults defaults = test::ShippedData().defaults;
    defaults.values[Setting::MaxReturnAllowed] = 30;
    defaults.values[Setting::MinInterestRateAllowed] = 3;
    parseOk({"--returns", "4,6,8,30"}, defaults);
    EXPECT_NE(parseError({"--returns", "4,6,8,31"}, defaults).find("-99 to 30"), std::string::npos);
    EXPECT_NE(parseError({"--interest-rate", "2.5"}, defaults).find("3 to 50"), std::string::npos);

    defaults.values.setFlag(Setting::ShowRRSPAnalysis, false);
    EXPECT_NE(parseError({"--strategy", "rrsp"}, defaults).find("not offered"), std::string::npos);
}

// The data files can hold anything: a default goes through the checks of its
// option, and is refused only when no option replaces it.
TEST(AnalyzeOptions, ImpossibleDefaultsAreRefusedUnlessReplaced)
{
    struct Case {
        const char* what;
        Setting setting;
        double value;
        std::string option;
        Args replacement;
    };
    const std::vector<Case> cases = {
        {"savings period 0", Setting::SavingsPeriod, 0, "--savings-period", {"--savings-period", "10"}},
        {"breakdown totalling 145", Setting::Dividends, 50, "--breakdown", {"--breakdown", "70,25,5,0"}},
        {"loan amount 0", Setting::LoanAmount, 0, "--loan-amount", {"--loan-amount", "1000"}},
        {"loan amount 0, annual investment given", Setting::LoanAmount, 0, "--loan-amount",
         {"--annual-investment", "4200"}},
        {"loan rate under the sponsor's minimum", Setting::InterestRateOnLoan, 0.5, "--interest-rate",
         {"--interest-rate", "5"}},
        {"investment type beyond int", Setting::InvestmentType, 1e300, "--investment-type", {"--investment-type", "1"}},
        {"interest tax rate of 150 %", Setting::InterestTaxRate1, 150, "--interest-tax-rates",
         {"--interest-tax-rates", "20,30,40,50"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AnalyzeDefaults defaults = test::ShippedData().defaults;
        defaults.values[c.setting] = c.value;
        const std::string error = parseError({}, defaults);
        EXPECT_EQ(error.rfind(c.option + ": the default from the data files is refused", 0), 0u) << error;
        parseOk(c.replacement, defaults);
    }
}

TEST(AnalyzeOptions, AnnualInvestmentGivesTheLoanThatCostsIt)
{
    // 100,000 at 7 % with 40 % of the interest saved in tax costs 4,200 a year.
    const AnalyzeRequest r = parseOk({"--annual-investment", "4200"});
    EXPECT_TRUE(r.annualInvestmentGiven);
    EXPECT_EQ(r.inputs.annualInvestment, 4200);
    EXPECT_EQ(r.inputs.loanAmount, 100000);
    // Whole dollars, as the window keeps the field.
    EXPECT_EQ(parseOk({"--annual-investment", "4199.6"}).inputs.annualInvestment, 4200);
}

// The highest amount of the window's money fields holds here too, for the
// amount given and for the one it asks for.
TEST(AnalyzeOptions, AmountsStayWithinTheHighestAmount)
{
    EXPECT_EQ(parseOk({"--loan-amount", "99999999"}).inputs.loanAmount, 99999999);
    EXPECT_NE(parseError({"--loan-amount", "100000000"}).find("from $1 to $99999999"), std::string::npos);
    EXPECT_NE(parseError({"--other-unleveraged", "-5000"}).find("0 to 99999999"), std::string::npos);
    EXPECT_NE(parseError({"--other-unleveraged", "1e30"}).find("out of range"), std::string::npos);
    // A one-year term loan's payment is above the loan: the largest loan
    // that keeps it legal is named.
    const std::string payment =
        parseError({"--strategy", "term", "--savings-period", "1", "--loan-amount", "99999999"});
    EXPECT_NE(payment.find("above the highest amount $99999999; at most $93457943 here"), std::string::npos)
        << payment;
    const std::string loan = parseError({"--annual-investment", "99999999"});
    EXPECT_NE(loan.find("asks for a loan of $"), std::string::npos) << loan;
}

} // namespace
} // namespace gw::cli
