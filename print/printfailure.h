#pragma once

#include "captions.h"
#include "page.h"

#include <string>
#include <string_view>

namespace gw {

// How printing tells the user about a problem; the program turns these into
// message boxes, the command-line tool into lines on stderr. Printing never
// ends the program.
class PrintReporter {
public:
    virtual ~PrintReporter() = default;
    // A failure, shown as an error.
    virtual void report(const std::string& title, const std::string& text) = 0;
    // What technical support needs to know about a failure; the user is not
    // shown it. Standard error, unless the reporter keeps it elsewhere.
    virtual void details(const std::string& text);
};

// Where a print job goes, as the failure message names it.
struct PrintTarget {
    bool file = false;
    std::string name;  // the PDF file, or the printer (empty: the default printer)
};

// What the support details quote about the page when the error occurred.
struct PrintFailurePlace {
    double currentX = 0;
    double currentY = 0;
    PageFont font;
    std::string driverName;
};

PrintFailurePlace PlaceOf(const Page& page);

// For technical support, in English: the error number and description, the
// report section and step, the page position and font, and the driver's
// name, one per line.
std::string PrintFailureDetails(const PrintError& error, std::string_view section, int step,
                                const PrintFailurePlace& place);

// For the user, from the captions of `language`: what went wrong, naming the
// file or printer, what to do about it, and that nothing of the job was kept.
std::string PrintFailureMessage(const CaptionTables& captions, Language language, const PrintError& error,
                                const PrintTarget& target);

} // namespace gw
