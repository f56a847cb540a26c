#pragma once

#include "dispatch.h"
#include "inputs.h"
#include "records.h"

#include <functional>

namespace gw {

// Everything the main window takes from the settings at start-up.
struct MainWindowSetup {
    // As read from the data files (ReadSettingValues): the window starts its
    // fields from StartValues of them, and takes the strategies offered and
    // the input limits from them.
    SettingValues values;
    SponsorInfo sponsor;
    bool isSponsored = false;
};

// Runs `strategy` on the inputs. Must not throw: failures come back in the
// outcome, and then the previous results stand.
using AnalysisRunner = std::function<AnalysisOutcome(Strategy strategy, const AnalysisInputs& inputs)>;

} // namespace gw
