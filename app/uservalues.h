#pragma once

#include "userfile.h"

namespace gw {

class MainWindow;
struct SetupValues;

// What Save Defaults writes: the start-up values (sponsor records, limits),
// overwritten by what the windows hold now: the main window's fields, the
// setup dialog's values and the language in use (settings.CurrentLanguage).
// The print dialog's options go in with ApplyPrintDefaults.
UserFileValues CurrentUserValues(const ProgramSettings& settings, const MainWindow& window, const SetupValues& setup);

} // namespace gw
