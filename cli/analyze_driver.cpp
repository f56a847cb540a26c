#include "analyze_driver.h"

#include "csv_writer.h"
#include "error.h"
#include "json_writer.h"
#include "money_field.h"

#include <memory>
#include <sstream>

namespace gw::cli {

namespace {

constexpr const char* kPrefix = "gearwise-cli analyze: ";

} // namespace

AnalyzeReport RunRequestedAnalysis(const AnalyzeRequest& request)
{
    // The states are large; keep them off the stack.
    auto state = std::make_unique<AnalysisState>();
    AnalysisOutcome outcome = RunAnalysis(request.strategy, request.inputs, *state);
    if (!outcome.ok())
        throw AnalysisError(outcome.error);

    AnalyzeReport report;
    report.strategy = request.strategy;
    report.results = std::move(*outcome.results);
    report.annualInvestment = request.annualInvestmentGiven ? std::optional<double>(request.inputs.annualInvestment)
                                                            : setAnnualInvestment(request.strategy, request.inputs);
    if (request.strategy == Strategy::RRSP)
        report.atLoanRate = RunRRSPAtLoanRate(state->RRSP);
    return report;
}

int RunAnalyzeCommand(const std::vector<std::string>& args, const AnalyzeDefaults& defaults, std::ostream& out,
                      std::ostream& err, const AnalysisRunner& run)
{
    const ParsedAnalyze parsed = ParseAnalyzeOptions(args, defaults);
    if (std::holds_alternative<HelpRequested>(parsed)) {
        out << AnalyzeHelpText(defaults);
        return kExitOk;
    }
    if (const auto* error = std::get_if<OptionError>(&parsed)) {
        err << kPrefix << error->message << '\n';
        return kExitBadInput;
    }
    const AnalyzeRequest& request = std::get<AnalyzeRequest>(parsed);

    // Written whole only once everything succeeded, so a failure leaves
    // standard output empty.
    std::ostringstream text;
    try {
        const AnalyzeReport report = run(request);
        if (request.format == OutputFormat::Csv)
            WriteAnalysisCsv(text, report);
        else
            WriteAnalysisJson(text, report);
    } catch (const AnalysisError& e) {
        err << kPrefix << "the analysis failed: " << e.what() << '\n';
        return kExitAnalysisFailed;
    }
    out << text.str() << std::flush;
    if (!out) {
        err << kPrefix << "could not write the output\n";
        return kExitWriteFailed;
    }
    return kExitOk;
}

} // namespace gw::cli
