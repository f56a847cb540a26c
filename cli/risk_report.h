#pragma once

#include "captions.h"
#include "inputs.h"
#include "outcomes.h"

#include <string>
#include <vector>

// What `gearwise-cli risk` prints: the range of outcomes of one strategy,
// with the inputs and options that made it and its sentences.
namespace gw::cli {

struct RiskReport {
    Strategy strategy = Strategy::InterestOnly;
    AnalysisInputs inputs;    // as the simulation read them (per cent as typed)
    OutcomeOptions options;   // volatility in per cent, as typed
    OutcomeResults results;
    Language language = English;
    std::vector<std::string> sentences;  // OutcomeSentences, UTF-8
};

} // namespace gw::cli
