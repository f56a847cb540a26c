#include "risk_driver.h"

#include "analyze_driver.h"
#include "csv_writer.h"
#include "error.h"
#include "json_writer.h"
#include "outcomes_text.h"

#include <sstream>

namespace gw::cli {

namespace {

constexpr const char* kPrefix = "gearwise-cli risk: ";

} // namespace

RiskReport RunRequestedRisk(const RiskRequest& request, const CaptionTables& captions)
{
    const AnalyzeRequest& a = request.analysis;
    std::optional<OutcomeResults> results = SimulateOutcomes(a.strategy, a.inputs, request.options);
    // Nothing here cancels; kept for a simulation that one day could.
    if (!results)
        throw AnalysisError("the simulation was cancelled");
    RiskReport report;
    report.strategy = a.strategy;
    report.inputs = a.inputs;
    report.options = request.options;
    report.results = std::move(*results);
    report.language = a.language;
    report.sentences = OutcomeSentences(report.results, captions, a.language);
    return report;
}

int RunRiskCommand(const std::vector<std::string>& args, const AnalyzeData& data, std::ostream& out,
                   std::ostream& err, const RiskRunner& run)
{
    const ParsedRisk parsed = ParseRiskOptions(args, data.defaults);
    if (std::holds_alternative<HelpRequested>(parsed)) {
        out << RiskHelpText(data.defaults, data.settings.folder);
        return kExitOk;
    }
    if (const auto* error = std::get_if<OptionError>(&parsed)) {
        err << kPrefix << error->message << '\n';
        return kExitBadInput;
    }
    const RiskRequest& request = std::get<RiskRequest>(parsed);
    const AnalyzeRequest& a = request.analysis;

    // Written whole only once everything succeeded.
    std::ostringstream text;
    try {
        const RiskReport report = run(request, data.settings.captions);
        if (a.format == OutputFormat::Csv)
            WriteRiskCsv(text, report);
        else
            WriteRiskJson(text, report);
    } catch (const AnalysisError& e) {
        err << kPrefix << "the simulation failed: " << e.what() << '\n';
        return kExitAnalysisFailed;
    }
    return SaveCaseAndWrite(kPrefix, a, text.str(), out, err);
}

int RunRiskWithDataFiles(const std::vector<std::string>& args, const ProgramFolders& programFolders,
                         std::ostream& out, std::ostream& err)
{
    return RunWithDataFiles("risk", args, programFolders, out, err,
                            [](const std::vector<std::string>& rest, const AnalyzeData& data, std::ostream& o,
                               std::ostream& e) { return RunRiskCommand(rest, data, o, e); });
}

} // namespace gw::cli
