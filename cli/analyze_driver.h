#pragma once

#include "analyze_defaults.h"
#include "analyze_options.h"
#include "analyze_report.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// `gearwise-cli analyze` from the words of its command line to the printed
// figures and the exit status, with the streams and the analysis passed in.
namespace gw::cli {

// Exit statuses of the command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 2;  // also: data files missing or unusable
inline constexpr int kExitAnalysisFailed = 3;
inline constexpr int kExitWriteFailed = 1;  // standard output or the case file could not be written

// Runs the analysis a request asks for and writes its notes from
// `captions`. Throws AnalysisError when it fails.
using AnalysisRunner = std::function<AnalyzeReport(const AnalyzeRequest&, const CaptionTables&)>;

// The strategy through the dispatch on fresh state, the annual investment
// that goes with the loan (the typed one when given), for RRSP loans the
// plans at the loan rate, and the notes in the request's language.
AnalyzeReport RunRequestedAnalysis(const AnalyzeRequest& request, const CaptionTables& captions);

// Parses `args` against `data`, runs `run`, saves the case when --save-case
// asks (a failed save: a line on `err`, nothing on `out`, kExitWriteFailed)
// and writes JSON or CSV to `out`.
// Bad input: one line on `err`, nothing on `out`, kExitBadInput. An
// AnalysisError: a line on `err`, nothing on `out`, kExitAnalysisFailed.
// --help writes the help text to `out`.
int RunAnalyzeCommand(const std::vector<std::string>& args, const AnalyzeData& data, std::ostream& out,
                      std::ostream& err, const AnalysisRunner& run = RunRequestedAnalysis);

// The whole command: takes --data-dir out of `args` (else `programFolder`),
// loads the data files from that folder with their messages on `err`, then
// RunAnalyzeCommand. No Config.dat there, or files that cannot be used:
// kExitBadInput, naming the folder on `err`, nothing on `out`.
int RunAnalyzeWithDataFiles(const std::vector<std::string>& args, const std::filesystem::path& programFolder,
                            std::ostream& out, std::ostream& err);
// The same with the program's data and user folders (--data-dir names both).
int RunAnalyzeWithDataFiles(const std::vector<std::string>& args, const ProgramFolders& programFolders,
                            std::ostream& out, std::ostream& err);

// A command that runs on the data files, given the words left after
// --data-dir.
using DataCommand = std::function<int(const std::vector<std::string>& args, const AnalyzeData& data,
                                      std::ostream& out, std::ostream& err)>;

// The end of a command that prints figures: the case --save-case asks for,
// then `text` on `out`. kExitOk, or kExitWriteFailed with the reason on
// `err` after `prefix`.
int SaveCaseAndWrite(std::string_view prefix, const AnalyzeRequest& request, const std::string& text,
                     std::ostream& out, std::ostream& err);

// What RunAnalyzeWithDataFiles does, for any such command: its messages
// start with "gearwise-cli <command>: ".
int RunWithDataFiles(std::string_view command, const std::vector<std::string>& args,
                     const ProgramFolders& programFolders, std::ostream& out, std::ostream& err,
                     const DataCommand& run);

} // namespace gw::cli
