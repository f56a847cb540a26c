#pragma once

#include "inputs.h"
#include "records.h"

// Where the values that `gearwise-cli analyze` is not given come from.
namespace gw::cli {

enum class OutputFormat { Json, Csv };

// Everything an option left out falls back on, in the shape of the settings
// records the sponsor and user files fill, plus the command's own choices.
struct AnalyzeDefaults {
    InputDefaults inputs;              // tax-table rates and inclusion rate as fractions
    InputLimits limits;                // per cent; the warning levels are not used here
    AnalysisRestrictions restrictions; // strategies offered
    Strategy strategy = Strategy::InterestOnly;
    OutputFormat format = OutputFormat::Json;
};

// The values used when no data file is consulted. The one place that
// decides the defaults: swap its body (or its caller) for the records read
// from the sponsor and user files.
AnalyzeDefaults BuiltInDefaults();

// The inputs an analysis starts from before any option is read.
AnalysisInputs InputsFromDefaults(const InputDefaults& defaults);

} // namespace gw::cli
