#pragma once

#include "analyze_defaults.h"
#include "analyze_options.h"
#include "risk_report.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// `gearwise-cli risk` from the words of its command line to the printed
// range of outcomes and the exit status, with the streams and the
// simulation passed in. Exit statuses as for `analyze` (analyze_driver.h).
namespace gw::cli {

// Runs the simulation a request asks for and words it from `captions`.
// Throws AnalysisError when the inputs are refused.
using RiskRunner = std::function<RiskReport(const RiskRequest&, const CaptionTables&)>;

// SimulateOutcomes of the request's strategy and inputs, without a progress
// callback, and its sentences in the request's language.
RiskReport RunRequestedRisk(const RiskRequest& request, const CaptionTables& captions);

// Parses `args` against `data`, runs `run`, saves the case when --save-case
// asks and writes JSON or CSV to `out`; failures as RunAnalyzeCommand.
int RunRiskCommand(const std::vector<std::string>& args, const AnalyzeData& data, std::ostream& out,
                   std::ostream& err, const RiskRunner& run = RunRequestedRisk);

// The whole command, with the data files read as RunAnalyzeWithDataFiles does.
int RunRiskWithDataFiles(const std::vector<std::string>& args, const ProgramFolders& programFolders,
                         std::ostream& out, std::ostream& err);

} // namespace gw::cli
