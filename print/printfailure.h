#pragma once

#include "page.h"

#include <string>
#include <string_view>

namespace gw {

// How printing tells the user about a problem; the program turns these into
// message boxes, the command-line tool into lines on stderr. Printing never
// ends the program.
class PrintReporter {
public:
    enum class Icon { Error, Exclamation };
    virtual ~PrintReporter() = default;
    virtual void report(const std::string& title, const std::string& text, Icon icon) = 0;
};

inline constexpr std::string_view kPrintMessageTitle = "Printing";

// What the failure message quotes about the page when the error occurred.
struct PrintFailurePlace {
    double currentX = 0;
    double currentY = 0;
    PageFont font;
    std::string driverName;
};

PrintFailurePlace PlaceOf(const Page& page);

// The failure message: an explanation (a driver incompatibility for error
// 438, a general printing error otherwise), then the error number and
// description, the report section and step, the page position and font, and
// the driver's name, one per line.
std::string PrintFailureMessage(const PrintError& error, std::string_view section, int step,
                                const PrintFailurePlace& place);

// Shows PrintFailureMessage with an error icon. The caller abandons its
// document; the print run goes on with the next report.
void ReportPrintFailure(const Page& page, PrintReporter& reporter, const PrintError& error,
                        std::string_view section, int step);

} // namespace gw
