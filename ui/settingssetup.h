#pragma once

#include "records.h"
#include "windowsetup.h"

namespace gw {

// What the main window takes from the settings records at start-up, in the
// units its fields and the setup dialog show: the fractions of the files
// become per cent, and the setup's rates are those its "#0.0" fields show.
MainWindowSetup SetupFromSettings(const ProgramSettings& settings);

} // namespace gw
