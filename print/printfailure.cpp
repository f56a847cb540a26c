#include "printfailure.h"

#include "numformat.h"

#include <iostream>

namespace gw {

namespace {

std::string Figure(double value)
{
    return FormatNumber(value, "0.##", English);
}

// The caption telling what failed and what to do, and the value it names.
std::pair<std::string_view, std::string> FailureCaption(const CaptionTables& captions, Language language,
                                                        const PrintError& error, const PrintTarget& target)
{
    const std::string printer =
        target.name.empty() ? GetCaption(captions, "PrintDefaultPrinter", language)
                            : FillPlaceholders(GetCaption(captions, "PrintPrinterName", language), {target.name});
    const int number = error.number();
    if (number == kPrintErrorFileNotFound || number == kPrintErrorInvalidPicture)
        return {"errorPrintPicture", {}};
    if (number != kPrintErrorUnsupported && number != kPrintErrorPrinterInfo && number != kPrintErrorPrinter)
        return {"errorPrintInternal", {}};
    if (target.file)
        return {"errorPrintFile", target.name};
    if (number == kPrintErrorUnsupported)
        return {"errorPrintDriver", printer};
    return {number == kPrintErrorPrinterInfo ? "errorPrintNoPrinter" : "errorPrintPrinter", printer};
}

} // namespace

void PrintReporter::details(const std::string& text)
{
    std::cerr << text << '\n';
}

PrintFailurePlace PlaceOf(const Page& page)
{
    return {page.currentX(), page.currentY(), page.font(), page.driverName()};
}

std::string PrintFailureDetails(const PrintError& error, std::string_view section, int step,
                                const PrintFailurePlace& place)
{
    std::string text = "Printing failed: error " + std::to_string(error.number());
    text += "\n" + error.description();
    text += "\nThis error occurred while running '" + std::string(section) + ", step " + std::to_string(step) + "'.";
    text += "\nCurrentX = " + Figure(place.currentX) + " CurrentY = " + Figure(place.currentY) +
            " Font Name = " + place.font.face;
    text += "\nFont Size = " + Figure(place.font.size);
    text += "\nPrinter Driver Name = " + place.driverName;
    return text;
}

std::string PrintFailureMessage(const CaptionTables& captions, Language language, const PrintError& error,
                                const PrintTarget& target)
{
    const auto [key, name] = FailureCaption(captions, language, error, target);
    return FillPlaceholders(GetCaption(captions, key, language), {name}) + "\n\n" +
           GetCaption(captions, target.file ? "PrintNoFileKept" : "PrintJobCancelled", language);
}

} // namespace gw
