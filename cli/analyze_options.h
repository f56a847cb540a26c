#pragma once

#include "analyze_defaults.h"
#include "inputs.h"

#include <string>
#include <variant>
#include <vector>

// The options of `gearwise-cli analyze`: the parse of the command line into
// the inputs of one analysis. Units are those of the input fields: per cent as typed (8 for 8 %),
// dollars, whole years.
namespace gw::cli {

// One validated command line.
struct AnalyzeRequest {
    Strategy strategy = Strategy::InterestOnly;
    AnalysisInputs inputs;          // annualInvestment holds the typed amount
                                    // when annualInvestmentGiven
    bool annualInvestmentGiven = false;
    OutputFormat format = OutputFormat::Json;
};

struct HelpRequested {};

// One line, without the program prefix or a line end, naming the option and
// its legal range.
struct OptionError {
    std::string message;
};

using ParsedAnalyze = std::variant<AnalyzeRequest, HelpRequested, OptionError>;

// Reads `args` (the words after "analyze"): "--opt value" and "--opt=value";
// the last of a repeated option wins. Checks each value against the input
// panel's legal range, the breakdown total, the 80-year limit of repeated
// loans, and derives the loan amount from --annual-investment. Never throws
// for any input.
ParsedAnalyze ParseAnalyzeOptions(const std::vector<std::string>& args, const AnalyzeDefaults& defaults);

// The text of `gearwise-cli analyze --help`, with the ranges and defaults
// that `defaults` gives.
std::string AnalyzeHelpText(const AnalyzeDefaults& defaults);

// Command-line names of the strategies: "interest-only", "term", "rrsp".
const char* StrategyName(Strategy strategy);

} // namespace gw::cli
