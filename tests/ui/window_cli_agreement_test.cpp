// The window and gearwise-cli read the same data files into the same
// figures, and take or refuse the same values at the ends of every range.
#include "window_test.h"

#include "analyze_defaults.h"
#include "analyze_driver.h"
#include "analyze_options.h"

namespace gw::test {
namespace {

// A sponsor who types more digits than the fields show, and a fractional
// maximum return.
const ConfigEdits kPreciseSponsor = {
    {"Dividend Tax Rate 2 (%)", "0.0644"},    {"Capital Gains Inclusion Rate (%)", "0.6667"},
    {"Maximum Return Allowed", "25.5"},       {"Tax Rate (%)", "43.41"},
    {"Interest Rate on Loan (%)", "7.125"},
};

struct CliRun {
    std::optional<cli::AnalyzeRequest> request;  // none when refused
    std::optional<AnalysisResults> results;
};

class WindowCliAgreement : public ::testing::Test {
protected:
    std::unique_ptr<ProgramOnData> data;

    MainWindow& start(const ConfigEdits& edits)
    {
        data = std::make_unique<ProgramOnData>(edits);
        return data->start(English);
    }
    ProgramSetup& setup() { return *data->program->setupDialog(); }

    CliRun cli(const std::vector<std::string>& args)
    {
        ReportLog log;
        const std::optional<cli::AnalyzeData> loaded = cli::LoadAnalyzeData(data->folder(), log);
        EXPECT_TRUE(loaded);
        EXPECT_TRUE(log.texts.empty()) << log.texts.front();
        CliRun run;
        if (!loaded)
            return run;
        const cli::ParsedAnalyze parsed = cli::ParseAnalyzeOptions(args, loaded->defaults);
        if (const auto* request = std::get_if<cli::AnalyzeRequest>(&parsed)) {
            run.request = *request;
            run.results = cli::RunRequestedAnalysis(*request, loaded->settings.captions).results;
        }
        return run;
    }

    // For each strategy, the records behind the window's tables, charts and
    // notes against those gearwise-cli prints, and the inputs both ran on.
    void expectSameFigures(MainWindow& window)
    {
        for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
            const std::string name = cli::StrategyName(strategy);
            SCOPED_TRACE(name);
            window.lstStrategyList->setCurrentRow(static_cast<int>(strategy));
            ASSERT_TRUE(window.lastResults().has_value());
            ASSERT_EQ(window.lastResults()->index(), static_cast<std::size_t>(strategy));
            const CliRun run = cli({"--strategy", name});
            ASSERT_TRUE(run.request && run.results);
            AnalysisInputs shown = window.currentInputs();
            shown.annualInvestment = 0;  // the dependent field: the command line is given none
            EXPECT_EQ(shown, run.request->inputs);
            EXPECT_TRUE(*window.lastResults() == *run.results);
        }
    }
};

TEST_F(WindowCliAgreement, shippedDataFilesGiveTheSameFigures)
{
    expectSameFigures(start({}));
}

TEST_F(WindowCliAgreement, sponsorValuesWithMoreDigitsThanTheFieldsShowGiveTheSameFigures)
{
    MainWindow& window = start(kPreciseSponsor);
    // What the window shows is what both analyse.
    EXPECT_EQ(setup().txtTaxOnDividends[1]->text(), "6.4");
    EXPECT_EQ(setup().txtCapGainsInclusionRate->text(), "66.7");
    EXPECT_EQ(window.inputs().txtTaxRate->text(), "43.41");
    EXPECT_EQ(window.inputs().txtIntRate->text(), "7.125");
    expectSameFigures(window);
}

TEST_F(WindowCliAgreement, userFileSavedByTheProgramGivesTheSameFigures)
{
    MainWindow& first = start(kPreciseSponsor);
    InputPanel& panel = first.inputs();
    enter(panel.txtTaxRate, "45.5");
    enter(panel.txtReturn[1], "6.25");
    enter(setup().txtTaxOnInterest[2], "44.45");
    setup().deduction[1].optLimitedDeduct->click();
    setup().accept();
    first.mnuSaveDefaults->trigger();
    ASSERT_TRUE(std::filesystem::exists(data->folder() / "User.dat"));

    data->restart();
    MainWindow& window = data->start(English);
    EXPECT_EQ(window.inputs().txtTaxRate->text(), "45.5");
    EXPECT_EQ(setup().txtTaxOnInterest[2]->text(), "44.5");
    EXPECT_TRUE(window.currentInputs().provLimited);
    expectSameFigures(window);
}

// A case the window saves for each strategy, opened again in a new run of
// the program, gives the figures `gearwise-cli analyze --case` gives.
TEST_F(WindowCliAgreement, casesSavedByTheWindowGiveTheCommandLineTheSameFigures)
{
    MainWindow& first = start(kPreciseSponsor);
    InputPanel& panel = first.inputs();
    enter(panel.txtTaxRate, "45.5");
    enter(panel.txtReturn[2], "6.25");
    enter(panel.txtSavingsPeriod, "12");
    panel.optBalancedFund->click();
    enter(setup().txtTaxOnInterest[2], "44.45");
    setup().deduction[1].optLimitedDeduct->click();
    setup().accept();
    const auto path = [this](Strategy strategy) { return data->folder() / (std::string(cli::StrategyName(strategy)) + ".gwcase"); };
    for (Strategy strategy : kStrategies) {
        first.lstStrategyList->setCurrentRow(Index(strategy));
        ASSERT_TRUE(data->program->cases()->saveTo(path(strategy)));
    }

    for (Strategy strategy : kStrategies) {
        SCOPED_TRACE(cli::StrategyName(strategy));
        MainWindow& window = data->start(English);
        ASSERT_TRUE(data->program->cases()->open(path(strategy)));
        ASSERT_TRUE(window.lastResults().has_value());
        const CliRun run = cli({"--case", path(strategy).string()});
        ASSERT_TRUE(run.request && run.results);
        EXPECT_EQ(run.request->strategy, strategy);
        AnalysisInputs shown = window.currentInputs();
        shown.annualInvestment = 0;
        EXPECT_EQ(shown, run.request->inputs);
        EXPECT_TRUE(*window.lastResults() == *run.results);
    }
}

std::string text(double value)
{
    return PlainNumber(value).toStdString();
}

// Each field of the windows at the ends of its legal range and just outside
// them, and the command-line option that sets it.
TEST_F(WindowCliAgreement, windowAndCommandLineTakeAndRefuseTheSameValues)
{
    MainWindow& window = start(kPreciseSponsor);
    const struct {
        Setting setting;
        std::string option;
        const char* field;
        std::string rest;  // the other values of a list option
    } cases[] = {
        {Setting::TaxRate, "--tax-rate", "txtTaxRate", ""},
        {Setting::InterestRateOnLoan, "--interest-rate", "txtIntRate", ""},
        {Setting::SavingsPeriod, "--savings-period", "txtSavingsPeriod", ""},
        {Setting::ProjectedReturn1, "--returns", "txtReturn0", ",6,8,10"},
        {Setting::LoanAmount, "--loan-amount", "txtLoanAmount", ""},
        {Setting::TimesLoanRepeated, "--times-repeated", "txtTimesLoanRepeated", ""},
        {Setting::CapGainsInclusionRate, "--inclusion-rate", "txtCapGainsInclusionRate", ""},
        {Setting::FederalToMTRRatio, "--federal-ratio", "txtFederalToMTRRatio", ""},
        {Setting::FedInterestDeductibility, "--fed-deductible", "txtFedInterestDeductibility", ""},
        {Setting::InterestTaxRate1, "--interest-tax-rates", "txtTaxOnInterest0", ",30,40,50"},
    };
    const SettingValues& limits = data->program->settings().values;
    int taken = 0;
    int refused = 0;
    for (const auto& c : cases) {
        const LegalRange range = RangeOf(c.setting, limits);
        for (const double value : {range.low, range.high, range.low - 1, range.high + 1, range.low - 0.5,
                                   range.high + 0.5, range.low + 0.5}) {
            if (!std::isfinite(value))
                continue;
            SCOPED_TRACE(c.option + " " + text(value));
            QLineEdit* box = child<QLineEdit>(window, c.field);  // the dialogs are the window's children
            data->messages.messages.clear();
            enter(box, QString::fromStdString(text(value)));
            const double kept = FieldNumber(box->text(), English);
            const bool repaired = kept != EnteredValue(c.setting, value);
            const bool told = data->messages.count("information") + data->messages.count("warning") > 0;
            const CliRun run = cli({c.option, text(value) + c.rest});
            EXPECT_EQ(!run.request, repaired) << "the window keeps " << kept;
            if (run.request) {
                EXPECT_EQ(run.request->fields[c.setting], kept);
            }
            EXPECT_EQ(range.contains(EnteredValue(c.setting, value)), !repaired);
            // Only a silent repair is allowed without a message: the
            // setup's rates outside 0..100 go back to their default.
            if (repaired && !told) {
                EXPECT_EQ(kept, StartValues(limits)[c.setting]);
            }
            (repaired ? refused : taken) += 1;
        }
    }
    EXPECT_GT(taken, 20);
    EXPECT_GT(refused, 20);
    EXPECT_TRUE(window.lastResults().has_value());
}

} // namespace
} // namespace gw::test
