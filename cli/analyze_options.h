#pragma once

#include "analyze_defaults.h"
#include "casefile.h"
#include "inputs.h"
#include "outcomes.h"
#include "settingtable.h"

#include <filesystem>
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
    SettingValues fields;           // what the window's fields would hold
    AnalysisInputs inputs;          // InputsFrom(fields); annualInvestment holds
                                    // the typed amount when annualInvestmentGiven
    bool annualInvestmentGiven = false;
    OutputFormat format = OutputFormat::Json;
    Language language = English;    // of the notes
    // What a client case keeps besides the fields: --client, --note or the
    // case given with --case.
    std::string client;
    std::string note;
    std::filesystem::path saveCase;  // --save-case; empty for none
};

struct HelpRequested {};

// One line, without the program prefix or a line end, naming the option and
// its legal range.
struct OptionError {
    std::string message;
};

using ParsedAnalyze = std::variant<AnalyzeRequest, HelpRequested, OptionError>;

// Reads `args` (the words after "analyze", without --data-dir): "--opt
// value" and "--opt=value"; the last of a repeated option wins. --case FILE
// sets everything a client case keeps at its place among the options, so
// options after it change the case and options before it are replaced; a
// case that cannot be used is refused whole, naming the file, the key and
// its legal range. Each value
// is kept as the window's field keeps it and checked against the legal range
// the window applies (RangeOf, EnteredValue), then the breakdown total, the
// 80-year limit of repeated loans; the loan amount follows from
// --annual-investment. A default is what the window's field shows at start
// (ShownValue) and goes through the same checks: a data file with an
// impossible default is refused, naming the option that would replace it,
// unless that option is given. Never throws for any input.
ParsedAnalyze ParseAnalyzeOptions(const std::vector<std::string>& args, const AnalyzeDefaults& defaults);

// `gearwise-cli risk`: the analysis options and those of the simulation.
struct RiskRequest {
    AnalyzeRequest analysis;  // fields hold the volatility, paths and seed too
    OutcomeOptions options;   // from them, with --threads
};
using ParsedRisk = std::variant<RiskRequest, HelpRequested, OptionError>;

// ParseAnalyzeOptions with --volatility (per cent), --paths and --seed,
// each the setting of that name, checked against its legal range, kept in
// a saved case and defaulting to the data files' (or the case's) value, and
// --threads (0..256, 0 one per core). --breakdown given without
// --volatility sets the volatility to the mix's own (DefaultVolatility, as
// its field shows it): the data files' volatility goes with their mix.
ParsedRisk ParseRiskOptions(const std::vector<std::string>& args, const AnalyzeDefaults& defaults);

// The text of `gearwise-cli risk --help`.
std::string RiskHelpText(const AnalyzeDefaults& defaults, const std::filesystem::path& dataFolder);

// The text of `gearwise-cli analyze --help`, with the ranges and defaults
// that `defaults` gives, read from `dataFolder`.
std::string AnalyzeHelpText(const AnalyzeDefaults& defaults, const std::filesystem::path& dataFolder);

// Command-line names of the strategies: "interest-only", "term", "rrsp".
const char* StrategyName(Strategy strategy);

// Command-line names of the languages: "en", "fr".
const char* LanguageName(Language language);

} // namespace gw::cli
