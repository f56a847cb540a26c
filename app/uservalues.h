#pragma once

#include "userfile.h"

namespace gw {

class MainWindow;

// What Save Defaults writes: the start-up values (sponsor records, limits,
// language), overwritten by what the windows hold now. The setup and print
// dialogs add their values here once they are wired in.
UserFileValues CurrentUserValues(const ProgramSettings& settings, const MainWindow& window);

} // namespace gw
