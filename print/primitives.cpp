#include "primitives.h"

#include "numformat.h"
#include "records.h"
#include "textlayout.h"

#include <algorithm>
#include <exception>

namespace gw {

namespace {

// The footer's first line sits this many lines above the bottom of the
// printable area, unless the footer needs more room.
constexpr double kFooterReserve = 2.0;
constexpr double kBodyGap = 0.25;

std::string Figure(double value)
{
    return FormatNumber(value, "0.##", English);
}

// Hands out the y of successive lines, moving to a new page when a line
// would pass the bottom of the body.
class LineFlow {
public:
    LineFlow(PrintContext& context, double top, double spacing)
        : context_(context), y_(top), spacing_(spacing), bottom_(BodyBottom(context))
    {
    }

    double place(double lineHeight)
    {
        if (y_ + lineHeight > bottom_ + kLayoutTolerance && y_ > context_.continuationTop + kLayoutTolerance)
            y_ = StartNewPage(context_);
        const double at = y_;
        y_ += spacing_;
        return at;
    }

    double next() const { return y_; }

private:
    PrintContext& context_;
    double y_;
    double spacing_;
    double bottom_;
};

enum class Align { Centre, Right };

double PrintAlignedBlock(PrintContext& context, std::string_view text, double anchor, double top, double width,
                         double lineSpacing, Align align)
{
    Page& page = context.page;
    const auto lines =
        WrapText(page, TrimBlanks(text), width, {.language = context.language, .overlong = OverlongWord::OwnLine});
    LineFlow flow(context, top, lineSpacing);
    const double lineHeight = page.textHeight();
    for (const std::string& line : *lines) {
        const double y = flow.place(lineHeight);
        const double x = align == Align::Centre ? CentreX(page, anchor, width, line) : anchor - MeasureText(page, line);
        page.drawText(x, y, line);
    }
    return flow.next();
}

// The lines of a wrapped text block, or nullopt after reporting a word that
// cannot be printed.
std::optional<std::vector<std::string>> WrappedLines(PrintContext& context, std::string_view text, double x,
                                                     double y, double rightLimit)
{
    auto lines = WrapText(context.page, text, rightLimit - x,
                          {.language = context.language,
                           .overlong = OverlongWord::HashOrFail,
                           .keepFittingParagraph = true});
    if (!lines) {
        context.reporter.report(std::string(kPrintMessageTitle),
                                "Unable to print text '" + std::string(text) + "' at (" + Figure(x) + ", " +
                                    Figure(y) + ")",
                                PrintReporter::Icon::Exclamation);
    }
    return lines;
}

// Prints wrapped lines from (x, y); the mark, when asked for, goes beside the
// first line on whatever page that line lands.
double PrintLines(PrintContext& context, const std::vector<std::string>& lines, double x, double y, bool marked)
{
    Page& page = context.page;
    LineFlow flow(context, y, WrappedLineAdvance(page));
    const double lineHeight = page.textHeight();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double lineY = flow.place(lineHeight);
        if (i == 0 && marked) {
            const PageFont itemFont = page.font();
            page.setFont({std::string(kMarkFace), itemFont.size, false});
            page.drawText(x - kMarkOffset, lineY, kMarkGlyph);
            page.setFont(itemFont);
        }
        page.drawText(x, lineY, lines[i]);
    }
    return flow.next();
}

// Caption and value with one blank between them, unless the caption already
// ends with one.
std::string Labelled(const std::string& caption, std::string_view value)
{
    if (caption.empty() || caption.back() == ' ')
        return caption + std::string(value);
    return caption + " " + std::string(value);
}

struct FooterLayout {
    double start = 0;
    double spacing = 0;
    std::vector<std::string> caption;
    std::vector<std::string> sponsor;
    double sponsorTop = 0;
};

// Lays out the footer in the page's current font.
FooterLayout LayOutFooter(PrintContext& context)
{
    Page& page = context.page;
    const PageSize size = page.printableSize();
    const double lineHeight = page.textHeight();
    const WrapOptions options{.language = context.language, .overlong = OverlongWord::OwnLine};

    FooterLayout layout;
    layout.spacing = kLineAdvance * lineHeight;
    layout.caption = *WrapText(page, TrimBlanks(Caption(context, "PrintoutFooter")), size.width, options);
    const std::string_view sponsor = TrimBlanks(context.sponsorFooter);
    if (!sponsor.empty())
        layout.sponsor = *WrapText(page, sponsor, size.width, options);

    // Offsets from the start line; the sponsor's line goes 0.96 below the
    // last caption line so that a wrapped caption is never overprinted.
    const double lastCaption = static_cast<double>(layout.caption.size() - 1) * layout.spacing;
    double height = lastCaption + lineHeight;
    double sponsorOffset = lastCaption + kSponsorFooterOffset;
    if (!layout.sponsor.empty())
        height = sponsorOffset + static_cast<double>(layout.sponsor.size() - 1) * layout.spacing + lineHeight;
    layout.start = std::min(size.height - kFooterReserve, size.height - height);
    layout.sponsorTop = layout.start + sponsorOffset;
    return layout;
}

void SetFooterFont(Page& page)
{
    page.setFont({page.font().face, kFooterFontSize, false});
}

} // namespace

PrintContext MakePrintContext(Page& page, PrintReporter& reporter, const ProgramSettings& settings,
                              const PrintJob& job, const AdvisorInfo& advisor)
{
    return PrintContext{.page = page,
                        .reporter = reporter,
                        .captions = settings.captions,
                        .language = settings.CurrentLanguage,
                        .job = job,
                        .advisor = advisor,
                        .sponsorFooter = settings.sponsorInfo.PrintoutFooter};
}

std::string Caption(const PrintContext& context, std::string_view key)
{
    return GetCaption(context.captions, key, context.language);
}

void SetReportFontSizes(PrintContext& context)
{
    context.fontSizes = ReportFontSizes{.title = 14, .heading = 12, .body = 10};
}

void SetFontSize(Page& page, double size, bool bold)
{
    page.setFont({page.font().face, size, bold});
}

double CentreX(Page& page, double left, double width, std::string_view text)
{
    return left + (width - MeasureText(page, text)) / 2;
}

double WrappedLineAdvance(Page& page)
{
    return std::max(kLineAdvance, kLineAdvance * page.textHeight());
}

double PrintCentredBlock(PrintContext& context, std::string_view text, double left, double top, double width,
                         double lineSpacing)
{
    return PrintAlignedBlock(context, text, left, top, width, lineSpacing, Align::Centre);
}

double PrintRightBlock(PrintContext& context, std::string_view text, double rightEdge, double top, double width,
                       double lineSpacing)
{
    return PrintAlignedBlock(context, text, rightEdge, top, width, lineSpacing, Align::Right);
}

double PrintWrappedText(PrintContext& context, std::string_view text, double x, double y, double rightLimit)
{
    const auto lines = WrappedLines(context, text, x, y, rightLimit);
    return lines ? PrintLines(context, *lines, x, y, false) : y;
}

double PrintCheckItem(PrintContext& context, double x, double y, bool marked, std::string_view item,
                      double fontSize, double rightLimit)
{
    SetFontSize(context.page, fontSize, context.page.font().bold);
    const auto lines = WrappedLines(context, item, x, y, rightLimit);
    return lines ? PrintLines(context, *lines, x, y, marked) : y;
}

void PrintPreparedLines(PrintContext& context, double& y, double x, double rightLimit)
{
    if (rightLimit < 0)
        rightLimit = context.page.printableSize().width;
    if (context.job.PrintName) {
        const std::string line = Labelled(Caption(context, "PreparedFor"), TrimBlanks(context.job.PreparedForName));
        y = PrintWrappedText(context, line, x, y, rightLimit);
    }
    std::string line = Labelled(Caption(context, "PreparedBy"), TrimBlanks(context.advisor.name));
    const std::string_view company = TrimBlanks(context.advisor.companyName);
    if (context.job.PrintCompanyName && !company.empty())
        line += ", " + std::string(company);
    y = PrintWrappedText(context, line, x, y, rightLimit);
}

void PrintFooter(PrintContext& context)
{
    Page& page = context.page;
    const PageFont saved = page.font();
    SetFooterFont(page);
    const FooterLayout layout = LayOutFooter(context);
    const double width = page.printableSize().width;
    for (std::size_t i = 0; i < layout.caption.size(); ++i) {
        const std::string& line = layout.caption[i];
        page.drawText(CentreX(page, 0, width, line), layout.start + static_cast<double>(i) * layout.spacing, line);
    }
    for (std::size_t i = 0; i < layout.sponsor.size(); ++i) {
        const std::string& line = layout.sponsor[i];
        page.drawText(CentreX(page, 0, width, line), layout.sponsorTop + static_cast<double>(i) * layout.spacing,
                      line);
    }
    page.setFont(saved);
}

double FooterTop(PrintContext& context)
{
    Page& page = context.page;
    const PageFont saved = page.font();
    SetFooterFont(page);
    const double top = LayOutFooter(context).start;
    page.setFont(saved);
    return top;
}

double BodyBottom(PrintContext& context)
{
    return FooterTop(context) - kBodyGap;
}

double StartNewPage(PrintContext& context)
{
    if (context.footerOnPageBreak)
        PrintFooter(context);
    context.page.newPage();
    return context.continuationTop;
}

bool RunPrintedDocument(PrintContext& context, const std::function<void(PrintContext&)>& draw)
{
    auto fail = [&context](const PrintError& error) {
        ReportPrintFailure(context.page, context.reporter, error, context.section, context.step);
        context.page.abortDocument();
        return false;
    };
    try {
        context.page.beginDocument();
        draw(context);
        context.page.endDocument();
        return true;
    } catch (const PrintError& error) {
        return fail(error);
    } catch (const std::exception& error) {
        return fail(PrintError(kPrintErrorInternal, error.what()));
    }
}

} // namespace gw
