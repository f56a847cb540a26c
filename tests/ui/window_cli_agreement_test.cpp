// The window and gearwise-cli read the same data files into the same
// figures, and take or refuse the same values at the ends of every range.
#include "window_test.h"

#include "analyze_defaults.h"
#include "analyze_driver.h"
#include "analyze_options.h"

namespace gw::test {
namespace {

using Args = std::vector<std::string>;

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

    CliRun cli(const Args& args)
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

// A field of the windows and the command-line option that sets it.
struct EdgeCase {
    Setting setting;
    std::string option;
    std::function<QLineEdit*(Program&)> field;
    std::function<void(Program&)> leave = {};  // the field's checks; empty: leaving the field runs them
    std::function<std::string(const std::string&)> optionValue = [](const std::string& v) { return v; };
};

std::string text(double value)
{
    return PlainNumber(value).toStdString();
}

// The ends of the legal range and the values just outside them.
std::vector<double> edgeValues(const LegalRange& range)
{
    std::vector<double> values;
    for (double v : {range.low, range.high, range.low - 1, range.high + 1, range.low - 0.5, range.high + 0.5,
                     range.low + 0.5}) {
        if (std::isfinite(v))
            values.push_back(v);
    }
    return values;
}

TEST_F(WindowCliAgreement, windowAndCommandLineTakeAndRefuseTheSameValues)
{
    MainWindow& window = start(kPreciseSponsor);
    const auto panel = [](Program& p) -> InputPanel& { return p.mainWindow()->inputs(); };
    const std::vector<EdgeCase> cases = {
        {Setting::TaxRate, "--tax-rate", [&](Program& p) { return panel(p).txtTaxRate; }},
        {Setting::InterestRateOnLoan, "--interest-rate", [&](Program& p) { return panel(p).txtIntRate; }},
        {Setting::SavingsPeriod, "--savings-period", [&](Program& p) { return panel(p).txtSavingsPeriod; }},
        {Setting::ProjectedReturn1, "--returns", [&](Program& p) { return panel(p).txtReturn[0]; }, {},
         [](const std::string& v) { return v + ",6,8,10"; }},
        {Setting::LoanAmount, "--loan-amount", [&](Program& p) { return panel(p).txtLoanAmount; }},
        {Setting::TimesLoanRepeated, "--times-repeated",
         [](Program& p) { return p.detailDialogs()->advancedDetails().txtTimesLoanRepeated; },
         [](Program& p) { p.detailDialogs()->advancedDetails().leaveTimesLoanRepeated(); }},
        {Setting::CapGainsInclusionRate, "--inclusion-rate",
         [](Program& p) { return p.setupDialog()->txtCapGainsInclusionRate; }},
        {Setting::FederalToMTRRatio, "--federal-ratio",
         [](Program& p) { return p.setupDialog()->txtFederalToMTRRatio; }},
        {Setting::FedInterestDeductibility, "--fed-deductible",
         [](Program& p) { return p.setupDialog()->deduction[0].txtInterestDeductibility; }},
        {Setting::InterestTaxRate1, "--interest-tax-rates",
         [](Program& p) { return p.setupDialog()->txtTaxOnInterest[0]; }, {},
         [](const std::string& v) { return v + ",30,40,50"; }},
    };
    const SettingValues& limits = data->program->settings().values;
    int taken = 0;
    int refused = 0;
    for (const EdgeCase& c : cases) {
        const LegalRange range = RangeOf(c.setting, limits);
        for (const double value : edgeValues(range)) {
            SCOPED_TRACE(c.option + " " + text(value));
            QLineEdit* box = c.field(*data->program);
            data->messages.messages.clear();
            typeInto(box, QString::fromStdString(text(value)));
            if (c.leave)
                c.leave(*data->program);
            else
                leave(box);
            const double kept = FieldNumber(box->text(), English);
            const bool repaired = kept != EnteredValue(c.setting, value);
            const bool told = data->messages.count("information") + data->messages.count("warning") > 0;
            const CliRun run = cli({c.option, c.optionValue(text(value))});
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
