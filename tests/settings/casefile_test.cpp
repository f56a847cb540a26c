#include "casefile.h"
#include "golden.h"
#include "sample_settings.h"
#include "settings_test_support.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using S = Setting;
using test::TempFolder;

// Sample settings with a full tax table, every strategy offered.
SettingValues settings()
{
    SettingValues v = test::SampleSettingValues();
    test::SetTaxTable(v, {{{0, 20.05, 0}, {35000, 29.65, 5.75}, {70000, 43.41, 22.12}, {113804, 46.41, 29.15}}});
    return v;
}

// A case that departs from the start values wherever a value can: rates
// with the decimals they are quoted with, flags set, lists off entry 0.
ClientCase sampleCase(Strategy strategy)
{
    SettingValues v = StartValues(settings());
    const std::vector<std::pair<Setting, double>> changes = {
        {S::LoanAmount, 123457}, {S::TaxRate, 43.41}, {S::InterestRateOnLoan, 7.125}, {S::SavingsPeriod, 15},
        {S::ProjectedReturn3, 9.5}, {S::ProjectionReturn, 9.5}, {S::TimesLoanRepeated, 2}, {S::InvestmentType, 3},
        {S::CapitalGains, 35}, {S::DeferredCapitalGains, 45}, {S::Dividends, 12}, {S::Interest, 8},
        {S::OtherUnleveragedIncome, 25000}, {S::FedLimitedDeduct, 1}, {S::ProvDefer, 1}, {S::FedIncludeCapGains, 1},
        {S::FedInvestmentExpenses, 2.5}, {S::FederalToMTRRatio, 57.3}, {S::Volatility, 10.5},
        {S::OutcomePaths, 2000}, {S::OutcomeSeed, 42},
    };
    for (const auto& [setting, value] : changes)
        v[setting] = value;
    return MakeClientCase(strategy, v, "Jean & Zoë \"Côté\"", "Second meeting:\nrevisit the RRSP room.");
}

// Each strategy's case reads back as it was written, setting for setting,
// from the text and from a saved file; only the settings a case keeps are
// in it.
TEST(CaseFile, writtenCaseReadsBackEqual)
{
    TempFolder folder;
    for (Strategy strategy : kStrategies) {
        SCOPED_TRACE(CaseStrategyName(strategy));
        const ClientCase written = sampleCase(strategy);
        EXPECT_EQ(written.values[S::MaxReturnAllowed], 0);
        EXPECT_EQ(written.values[S::PrintSummary], 0);
        const CaseReadResult read = ReadCaseJson(WriteCaseJson(written), settings());
        ASSERT_TRUE(read.clientCase) << static_cast<int>(read.error.problem) << " " << read.error.key;
        EXPECT_EQ(*read.clientCase, written);

        std::string error;
        ASSERT_TRUE(SaveCaseFile(folder / "client.gwcase", written, error)) << error;
        const CaseReadResult loaded = LoadCaseFile(folder / "client.gwcase", settings());
        ASSERT_TRUE(loaded.clientCase);
        EXPECT_EQ(*loaded.clientCase, written);
    }
}

TEST(CaseFile, matchesTheGoldenFile)
{
    test::ExpectGolden(WriteCaseJson(sampleCase(Strategy::TermLoan)), "settings/golden/client.gwcase");
}

// Keys match without regard to case, unknown keys are ignored, and a key
// left out takes what the windows start with.
TEST(CaseFile, unknownKeysIgnoredAndMissingKeysTakeTheStartValues)
{
    const CaseReadResult read = ReadCaseJson(
        R"j({"format": "gearwise-case", "version": 1, "Colour": "blue", "tax rate (%)": 45, "STRATEGY": "rrsp"})j",
        settings());
    ASSERT_TRUE(read.clientCase);
    SettingValues expected = StartValues(settings());
    expected[S::TaxRate] = 45;
    EXPECT_EQ(*read.clientCase, MakeClientCase(Strategy::RRSP, expected));
    // A case saved before the range of outcomes shows it as the program starts.
    EXPECT_EQ(read.clientCase->values[S::Volatility], 16);
    EXPECT_EQ(read.clientCase->values[S::OutcomePaths], 10000);
    EXPECT_EQ(read.clientCase->values[S::OutcomeSeed], 20261206);
}

// A case is refused whole, with what its message needs; the messages of
// both languages are in the golden file.
TEST(CaseFile, illegalCasesRefusedWithTheirMessage)
{
    const std::string good = WriteCaseJson(sampleCase(Strategy::TermLoan));
    const auto replaced = [&good](std::string_view from, std::string_view to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    SettingValues onlyInterestOnly = settings();
    onlyInterestOnly.setFlag(S::ShowIntOnlyAnalysis, true);
    const struct {
        std::string name;
        std::string text;
        CaseProblem problem;
        SettingValues settings = gw::settings();
    } cases[] = {
        {"truncated", good.substr(0, good.size() / 2), CaseProblem::NotJson},
        {"not JSON", "Loan Amount ($)=100000\n", CaseProblem::NotJson},
        {"empty", "", CaseProblem::NotJson},
        {"a number beyond any double", replaced("123457", "1e999"), CaseProblem::NotJson},
        {"a JSON list", "[1, 2]", CaseProblem::NotCase},
        {"another format", replaced("gearwise-case", "gearwise-chart"), CaseProblem::NotCase},
        {"no version", replaced("\"version\": 1,", ""), CaseProblem::NotCase},
        {"newer version", replaced("\"version\": 1", "\"version\": 2"), CaseProblem::NewerVersion},
        {"rate out of range", replaced("\"Tax Rate (%)\": 43.41", "\"Tax Rate (%)\": 150"), CaseProblem::IllegalValue},
        {"rate as text", replaced("\"Tax Rate (%)\": 43.41", "\"Tax Rate (%)\": \"43.41\""), CaseProblem::IllegalValue},
        {"return above the sponsor's limit", replaced("\"Projected Return 4 (%)\": 12", "\"Projected Return 4 (%)\": 50.5"),
         CaseProblem::IllegalValue},
        {"loan rounds to nothing", replaced("\"Loan Amount ($)\": 123457", "\"Loan Amount ($)\": 0.4"),
         CaseProblem::IllegalValue},
        {"part of a year", replaced("\"Times Loan Repeated\": 2", "\"Times Loan Repeated\": 2.5"),
         CaseProblem::IllegalValue},
        {"list entry past the list", replaced("\"Provincial Defer Undeducted Expenses\": 1",
                                              "\"Provincial Defer Undeducted Expenses\": 2"),
         CaseProblem::IllegalValue},
        {"flag as a number", replaced("\"Federal Deductibility Limited to Taxable Income\": true",
                                      "\"Federal Deductibility Limited to Taxable Income\": 1"),
         CaseProblem::IllegalValue},
        {"unknown strategy", replaced("\"term\"", "\"balanced\""), CaseProblem::IllegalValue},
        {"strategy not offered", good, CaseProblem::IllegalValue, onlyInterestOnly},
        {"client as a number", replaced("\"client\": \"Jean", "\"client\": 7, \"x\": \"Jean"),
         CaseProblem::IllegalValue},
        {"parts not totalling 100", replaced("\"Interest\": 8", "\"Interest\": 18"), CaseProblem::BreakdownTotal},
        {"too few outcome paths", replaced("\"Outcome Paths\": 2000", "\"Outcome Paths\": 99"),
         CaseProblem::IllegalValue},
        {"volatility past its most", replaced("\"Volatility (%)\": 10.5", "\"Volatility (%)\": 50.1"),
         CaseProblem::IllegalValue},
        {"loans past the projection", replaced("\"Times Loan Repeated\": 2", "\"Times Loan Repeated\": 5"),
         CaseProblem::TooManyYears},
    };
    const CaptionTables& captions = test::SourceCaptions();
    std::string messages;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CaseReadResult read = ReadCaseJson(c.text, c.settings);
        EXPECT_FALSE(read.clientCase);
        EXPECT_EQ(read.error.problem, c.problem);
        messages += c.name + "\n";
        for (Language language : kLanguages)
            messages += "  " + CaseErrorMessage(read.error, "/cases/client.gwcase", captions, language) + "\n";
    }
    const CaseReadResult missing = LoadCaseFile("/no/such/folder/client.gwcase", settings());
    EXPECT_EQ(missing.error.problem, CaseProblem::Unreadable);
    messages += "missing file\n  " + CaseErrorMessage(missing.error, "/no/such/folder/client.gwcase", captions, English);
    test::ExpectGolden(messages + "\n", "settings/golden/case-refusals.txt");
}

// A save that fails (the temporary file cannot be made, or the folder is a
// file) leaves the old case byte for byte and says why.
TEST(CaseFile, failedSaveKeepsTheOldFile)
{
    TempFolder folder;
    const std::filesystem::path path = folder / "client.gwcase";
    std::string error;
    ASSERT_TRUE(SaveCaseFile(path, sampleCase(Strategy::RRSP), error));
    const std::string before = test::readBytes(path);
    std::filesystem::create_directories(folder / "client.gwcase.tmp" / "busy");
    EXPECT_FALSE(SaveCaseFile(path, sampleCase(Strategy::TermLoan), error));
    EXPECT_NE(error.find("client.gwcase.tmp"), std::string::npos) << error;
    EXPECT_EQ(test::readBytes(path), before);

    error.clear();
    EXPECT_FALSE(SaveCaseFile(path / "inside.gwcase", sampleCase(Strategy::TermLoan), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::readBytes(path), before);
}

} // namespace
} // namespace gw
