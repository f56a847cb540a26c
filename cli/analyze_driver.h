#pragma once

#include "analyze_options.h"
#include "analyze_report.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// `gearwise-cli analyze` from the words of its command line to the printed
// figures and the exit status, with the streams and the analysis passed in.
namespace gw::cli {

// Exit statuses of the command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitAnalysisFailed = 3;
inline constexpr int kExitWriteFailed = 1;  // standard output could not be written

// Runs the analysis a request asks for. Throws AnalysisError when it fails.
using AnalysisRunner = std::function<AnalyzeReport(const AnalyzeRequest&)>;

// The strategy through the dispatch on fresh state, the annual investment
// that goes with the loan (the typed one when given) and, for RRSP loans,
// the plans at the loan rate.
AnalyzeReport RunRequestedAnalysis(const AnalyzeRequest& request);

// Parses `args`, runs `run` and writes JSON or CSV to `out`. Bad input:
// one line on `err`, nothing on `out`, kExitBadInput. An AnalysisError: a
// line on `err`, nothing on `out`, kExitAnalysisFailed. --help writes the
// help text to `out`.
int RunAnalyzeCommand(const std::vector<std::string>& args, const AnalyzeDefaults& defaults, std::ostream& out,
                      std::ostream& err, const AnalysisRunner& run = RunRequestedAnalysis);

} // namespace gw::cli
