#include "printfailure.h"

#include "numformat.h"

namespace gw {

namespace {

std::string Figure(double value)
{
    return FormatNumber(value, "0.##", 0);
}

} // namespace

PrintFailurePlace PlaceOf(const Page& page)
{
    return {page.currentX(), page.currentY(), page.font(), page.driverName()};
}

std::string PrintFailureMessage(const PrintError& error, std::string_view section, int step,
                                const PrintFailurePlace& place)
{
    std::string text;
    if (error.number() == kPrintErrorUnsupported) {
        text = "There is a compatability issue between this program and the printer driver that you are using.\n"
               "Please write down the information below and pass it on to your technical support contact, "
               "so that compatibility with your printer can be improved.\n"
               "We apologize for any inconvenience this may have caused.";
    } else {
        text = "An error has occured while printing this document.\n"
               "Please write down the information below and pass it on to your technical support contact. "
               "We apologize for any inconvenience this may have caused.";
    }
    text += "\n\nError " + std::to_string(error.number());
    text += "\n" + error.description();
    text += "\nThis error occured while running '" + std::string(section) + ", step " + std::to_string(step) + "'.";
    text += "\nCurrentX = " + Figure(place.currentX) + " CurrentY = " + Figure(place.currentY) +
            " Font Name = " + place.font.face;
    text += "\nFont Size = " + Figure(place.font.size);
    text += "\nPrinter Driver Name = " + place.driverName;
    return text;
}

void ReportPrintFailure(const Page& page, PrintReporter& reporter, const PrintError& error,
                        std::string_view section, int step)
{
    reporter.report(std::string(kPrintMessageTitle), PrintFailureMessage(error, section, step, PlaceOf(page)),
                    PrintReporter::Icon::Error);
}

} // namespace gw
