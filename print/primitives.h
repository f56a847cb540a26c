#pragma once

#include "page.h"
#include "printfailure.h"
#include "printjob.h"
#include "textlayout.h"

#include "captions.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The page primitives every report is written with. Positions and sizes are
// page units (see page.h): x in twelfths of an inch, y in text lines.
//
// Text that would run past the bottom of the body (just above the footer)
// continues on a new page: the footer is printed on the full page, a new
// page started and the text goes on at `continuationTop`.
namespace gw {

struct ProgramSettings;

// Points; SetReportFontSizes sets them at the start of every report.
struct ReportFontSizes {
    double title = 14;
    double heading = 12;
    double body = 10;
};

inline constexpr double kFooterFontSize = 8;
// Line pitch of the wrapped-text primitives, in lines.
inline constexpr double kLineAdvance = 1.05;
// Distance of the sponsor's footer line below the first footer line.
inline constexpr double kSponsorFooterOffset = 0.96;
// The mark of a marked item, printed 2 units left of the item's text.
inline constexpr std::string_view kMarkFace = "Wingdings";
inline constexpr std::string_view kMarkGlyph = "\u2714";  // heavy check mark
inline constexpr double kMarkOffset = 2;

// Everything a report draws with, for one document. The report keeps
// `section` and `step` current; a failure message quotes them.
struct PrintContext {
    Page& page;
    PrintReporter& reporter;
    const CaptionTables& captions;
    Language language = English;
    const PrintJob& job;
    const AdvisorInfo& advisor;
    std::string sponsorFooter{};  // the sponsor's PrintoutFooter; may be empty
    ReportFontSizes fontSizes{};
    std::string section{};
    int step = 0;
    double continuationTop = 1.0;   // where text goes on after a page break
    // The footer's captions under an illustration; a form's footer holds only
    // the page number.
    bool illustrationFooter = true;
    PrintTarget target{};           // where the job goes; failure messages name it
    // The report's pages, for "Page n of m": 0 while they are being counted.
    int pageCount = 0;
    int firstPage = 1;  // the page number of the report's first page
};

// A context for `settings`' captions, language and sponsor footer.
PrintContext MakePrintContext(Page& page, PrintReporter& reporter, const ProgramSettings& settings,
                              const PrintJob& job, const AdvisorInfo& advisor);

// The caption of `key` in the context's language.
std::string Caption(const PrintContext& context, std::string_view key);

void SetReportFontSizes(PrintContext& context);

// Keeps the face; sets the size and weight.
void SetFontSize(Page& page, double size, bool bold = false);

// left + (width - MeasureText(text)) / 2.
double CentreX(Page& page, double left, double width, std::string_view text);

// Pitch of PrintWrappedText in the current font: 1.05, or 1.05 line heights
// for a font too large for that.
double WrappedLineAdvance(Page& page);

// The text, trimmed and wrapped to `width` (a word wider than that is a line
// of its own), each line centred between left and left + width, line i at
// top + i x lineSpacing (callers pass 1.05 x the line height). Returns the y
// below the last line (top + lines x lineSpacing, counted on the page it
// ends on).
double PrintCentredBlock(PrintContext& context, std::string_view text, double left, double top, double width,
                         double lineSpacing);

// As PrintCentredBlock, every line ending at `rightEdge`.
double PrintRightBlock(PrintContext& context, std::string_view text, double rightEdge, double top, double width,
                       double lineSpacing);

// The text left-aligned from x, wrapped so that no line passes `rightLimit`,
// line i at y + i x WrappedLineAdvance. A text that fits is printed as it
// stands; in French no line breaks inside a figure. A word wider than the
// whole space is cut between characters. When the block breaks across pages,
// at least two of its lines go to the new page. Returns the y below the last line.
double PrintWrappedText(PrintContext& context, std::string_view text, double x, double y, double rightLimit);

// Sets the font size (face and weight kept), prints the mark 2 units left of
// x when `marked`, then the item with PrintWrappedText. Returns the y below
// the item.
double PrintCheckItem(PrintContext& context, double x, double y, bool marked, std::string_view item,
                      double fontSize, double rightLimit);

// Marked items as PrintCheckItem prints them, one after the other, as one
// block: its last two lines stay together across a page break.
double PrintCheckItems(PrintContext& context, double x, double y, const std::vector<std::string>& items,
                       double fontSize, double rightLimit);

// The Prepared-for line (when job.PrintName) and the Prepared-by line (the
// advisor, and the company when job.PrintCompanyName and it is not blank;
// no line when that names nobody),
// from x in the current font, each with PrintWrappedText; y moves below them.
// A negative rightLimit means the right edge of the page.
void PrintPreparedLines(PrintContext& context, double& y, double x = 0, double rightLimit = -1);

// The caption "PrintoutFooter" centred across the page in size 8 near the
// bottom, the sponsor's footer 0.96 below its last line when not blank, and
// "Page n of m" at the right on a line of its own below them (once the
// report's pages are counted; without illustrationFooter, on the page's last
// line and alone). The font is restored afterwards.
void PrintFooter(PrintContext& context);

// Top of the footer block; the body ends a quarter line above it.
double FooterTop(PrintContext& context);
double BodyBottom(PrintContext& context);

// Prints the footer, starts a new page and returns
// continuationTop. For reports that break pages themselves (tables).
double StartNewPage(PrintContext& context);

using ReportDrawing = std::function<void(PrintContext&)>;

// The pages `draw` takes, from a dry run on a page that measures as the
// context's page does and draws nothing.
int CountPages(PrintContext& context, const ReportDrawing& draw);

// Draws one report on the context's page with "Page n of m" in its footers:
// m is `pages`, or when 0 the pages counted first.
void DrawNumbered(PrintContext& context, const ReportDrawing& draw, int pages = 0);

// The failure message in the context's language, naming its target, and the
// details for technical support (section and step from the context).
void ReportPrintFailure(PrintContext& context, const PrintError& error);

// Runs one print job as one document: begins it, draws each report (each
// after the first on a new page), ends it. Any error (one that is not a
// PrintError as kPrintErrorInternal) abandons the whole document, a PDF file
// included, and is reported once with ReportPrintFailure. Returns true when
// the document was ended normally.
bool RunPrintJob(PrintContext& context, const std::vector<ReportDrawing>& reports);

} // namespace gw
