#pragma once

#include <string>

namespace gw {

// How the settings library tells the program about a failure; the program
// turns these into message boxes. The library never ends the process itself:
// a loader returns false when the program must end.
class SettingsReporter {
public:
    // None: a plain message box with only an OK button.
    enum class Icon { Critical, Exclamation, Information, None };
    virtual ~SettingsReporter() = default;
    virtual void report(const std::string& title, const std::string& text, Icon icon) = 0;
};

} // namespace gw
