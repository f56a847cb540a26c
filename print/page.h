#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// The page interface every report draws on: the printer and PDF back end
// (PainterPage) and the recording back end of the tests (RecordingPage).
//
// Page units, used by every position and size here:
//   x: columns of 1/12 inch (6 pt), growing rightwards;
//   y: text lines of 1/6 inch (12 pt), growing downwards;
// both measured from the top-left corner of the printable area. A text's y is
// the top of its line. A 10-point line is about 0.96 units high and the
// wrapped-text primitives advance 1.05 units per line, so reports place
// blocks by line counts. On Letter paper with half-inch margins the printable
// area is 90 x 60 units.
//
// Failures: an operation the device cannot carry out throws PrintError; the
// report that called it reports the error and abandons the document.
// Texts are UTF-8.
namespace gw {

// Error numbers carried by PrintError; the failure message quotes them.
inline constexpr int kPrintErrorInternal = 51;        // anything that is not a device error
inline constexpr int kPrintErrorFileNotFound = 53;    // a picture file is missing
inline constexpr int kPrintErrorUnsupported = 438;    // the driver lacks an operation the report uses
inline constexpr int kPrintErrorInvalidPicture = 481; // a picture file cannot be read
inline constexpr int kPrintErrorPrinter = 482;        // the device refused an operation
inline constexpr int kPrintErrorPrinterInfo = 484;    // no such printer, or no printer at all

class PrintError : public std::runtime_error {
public:
    PrintError(int number, const std::string& description)
        : std::runtime_error(description), number_(number)
    {
    }
    int number() const noexcept { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

// A report font: the face as the reports name it ("Arial", "Times New
// Roman", "Wingdings"); a back end maps it to an installed face.
struct PageFont {
    std::string face = "Arial";
    double size = 10;  // points
    bool bold = false;

    bool operator==(const PageFont&) const = default;
};

struct PageSize {
    double width = 0;   // x units
    double height = 0;  // y units
};

// One printed document. It begins with the first drawing operation (or
// beginDocument) and ends with endDocument or abortDocument; after either,
// drawing throws PrintError. The font set with setFont stays current across
// pages until it is changed.
class Page {
public:
    virtual ~Page() = default;

    // Starts the document on the device; nothing when already started.
    virtual void beginDocument() = 0;
    virtual void setFont(const PageFont& font) = 0;
    virtual PageFont font() const = 0;

    // Prints `text` on one line with its top-left corner at (x, y); the text
    // may pass the printable area (it is clipped there).
    virtual void drawText(double x, double y, std::string_view text) = 0;
    // Width of `text` and height of a line in the current font, in units.
    // The device measures the text in one call, however long.
    virtual double textWidth(std::string_view text) = 0;
    virtual double textHeight() = 0;

    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    // Draws a JPEG, GIF or PNG file scaled to fit inside the box at (x, y)
    // keeping its proportions; returns the size drawn. A missing file throws
    // kPrintErrorFileNotFound, an unreadable one kPrintErrorInvalidPicture.
    virtual PageSize drawPicture(const std::filesystem::path& file, double x, double y, double maxWidth,
                                 double maxHeight) = 0;
    // The size drawPicture would draw, with the same errors; draws nothing.
    virtual PageSize pictureSize(const std::filesystem::path& file, double maxWidth, double maxHeight) = 0;

    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    // Abandons the document: a printer job is cancelled, a PDF file removed.
    // Never throws; nothing when the document has ended.
    virtual void abortDocument() noexcept = 0;

    // The printable area of the page, in units.
    virtual PageSize printableSize() const = 0;
    virtual std::string driverName() const = 0;
    // Where the last operation ended: after a text, the right end of its
    // line (x + width, y); after a line, its end point; after a picture, its
    // bottom-right corner; (0, 0) on a new page. The failure message quotes it.
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    // 1 on the first page.
    virtual int pageNumber() const = 0;
};

} // namespace gw
