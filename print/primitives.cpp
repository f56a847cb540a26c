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

// Hands out the y of the lines of a block, moving to a new page when a line
// would pass the bottom of the body. The last two lines of a block of
// `count` lines go to a new page together rather than leave one alone there.
class LineFlow {
public:
    LineFlow(PrintContext& context, double top, double spacing, std::size_t count)
        : context_(context), y_(top), spacing_(spacing), bottom_(BodyBottom(context)), count_(count)
    {
    }

    double place(double lineHeight)
    {
        const bool lastTwo = count_ >= 2 && index_ + 2 == count_;
        const bool full = !fits(y_, lineHeight) || (lastTwo && !fits(y_ + spacing_, lineHeight));
        if (full && y_ > context_.continuationTop + kLayoutTolerance)
            y_ = StartNewPage(context_);
        const double at = y_;
        y_ += spacing_;
        ++index_;
        return at;
    }

    double next() const { return y_; }

private:
    bool fits(double y, double lineHeight) const { return y + lineHeight <= bottom_ + kLayoutTolerance; }

    PrintContext& context_;
    double y_;
    double spacing_;
    double bottom_;
    std::size_t count_;
    std::size_t index_ = 0;
};

enum class Align { Centre, Right };

double PrintAlignedBlock(PrintContext& context, std::string_view text, double anchor, double top, double width,
                         double lineSpacing, Align align)
{
    Page& page = context.page;
    const auto lines =
        WrapText(page, TrimBlanks(text), width, {.language = context.language, .overlong = OverlongWord::OwnLine});
    LineFlow flow(context, top, lineSpacing, lines.size());
    const double lineHeight = page.textHeight();
    for (const std::string& line : lines) {
        const double y = flow.place(lineHeight);
        const double x = align == Align::Centre ? CentreX(page, anchor, width, line) : anchor - MeasureText(page, line);
        page.drawText(x, y, line);
    }
    return flow.next();
}

std::vector<std::string> WrappedLines(PrintContext& context, std::string_view text, double x, double rightLimit)
{
    return WrapText(context.page, text, rightLimit - x,
                    {.language = context.language, .overlong = OverlongWord::Split, .keepFittingParagraph = true});
}

// Prints wrapped lines from (x, y); the lines listed in `marked` get the
// mark beside them, on whatever page they land.
double PrintLines(PrintContext& context, const std::vector<std::string>& lines, double x, double y,
                  const std::vector<std::size_t>& marked = {})
{
    Page& page = context.page;
    LineFlow flow(context, y, WrappedLineAdvance(page), lines.size());
    const double lineHeight = page.textHeight();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double lineY = flow.place(lineHeight);
        if (std::find(marked.begin(), marked.end(), i) != marked.end()) {
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
    double pageTop = 0;
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
    if (!context.illustrationFooter) {
        layout.start = size.height - kFooterReserve;
        layout.pageTop = size.height - layout.spacing;
        return layout;
    }
    layout.caption = WrapText(page, TrimBlanks(Caption(context, "PrintoutFooter")), size.width, options);
    const std::string_view sponsor = TrimBlanks(context.sponsorFooter);
    if (!sponsor.empty())
        layout.sponsor = WrapText(page, sponsor, size.width, options);

    // Offsets from the start line; the sponsor's line goes 0.96 below the
    // last caption line so that a wrapped caption is never overprinted.
    const double lastCaption = static_cast<double>(layout.caption.size() - 1) * layout.spacing;
    const double sponsorOffset = lastCaption + kSponsorFooterOffset;
    double lastLine = lastCaption;
    if (!layout.sponsor.empty())
        lastLine = sponsorOffset + static_cast<double>(layout.sponsor.size() - 1) * layout.spacing;
    const double pageOffset = lastLine + layout.spacing;
    layout.start = std::min(size.height - kFooterReserve, size.height - (pageOffset + lineHeight));
    layout.sponsorTop = layout.start + sponsorOffset;
    layout.pageTop = layout.start + pageOffset;
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
    return PrintLines(context, WrappedLines(context, text, x, rightLimit), x, y);
}

double PrintCheckItems(PrintContext& context, double x, double y, const std::vector<std::string>& items,
                       double fontSize, double rightLimit)
{
    SetFontSize(context.page, fontSize, context.page.font().bold);
    std::vector<std::string> lines;
    std::vector<std::size_t> marked;
    for (const std::string& item : items) {
        marked.push_back(lines.size());
        for (std::string& line : WrappedLines(context, item, x, rightLimit))
            lines.push_back(std::move(line));
    }
    return PrintLines(context, lines, x, y, marked);
}

double PrintCheckItem(PrintContext& context, double x, double y, bool marked, std::string_view item,
                      double fontSize, double rightLimit)
{
    SetFontSize(context.page, fontSize, context.page.font().bold);
    return PrintLines(context, WrappedLines(context, item, x, rightLimit), x, y,
                      marked ? std::vector<std::size_t>{0} : std::vector<std::size_t>{});
}

void PrintPreparedLines(PrintContext& context, double& y, double x, double rightLimit)
{
    if (rightLimit < 0)
        rightLimit = context.page.printableSize().width;
    if (context.job.PrintName) {
        const std::string line = Labelled(Caption(context, "PreparedFor"), TrimBlanks(context.job.PreparedForName));
        y = PrintWrappedText(context, line, x, y, rightLimit);
    }
    // Nobody to name, no line.
    std::string who(TrimBlanks(context.advisor.name));
    const std::string_view company = TrimBlanks(context.advisor.companyName);
    if (context.job.PrintCompanyName && !company.empty())
        who += (who.empty() ? "" : ", ") + std::string(company);
    if (!who.empty())
        y = PrintWrappedText(context, Labelled(Caption(context, "PreparedBy"), who), x, y, rightLimit);
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
    if (context.pageCount > 0) {
        const int number = page.pageNumber() - context.firstPage + 1;
        const std::string text = FillPlaceholders(Caption(context, "PageNofM"),
                                                  {std::to_string(number), std::to_string(context.pageCount)});
        page.drawText(width - MeasureText(page, text), layout.pageTop, text);
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
    PrintFooter(context);
    context.page.newPage();
    return context.continuationTop;
}

namespace {

// Measures as the page it stands for does and draws nothing; counts pages.
class DryRunPage : public Page {
public:
    explicit DryRunPage(Page& device) : device_(device), saved_(device.font()) {}
    ~DryRunPage() override { device_.setFont(saved_); }

    void beginDocument() override {}
    void setFont(const PageFont& font) override { device_.setFont(font); }
    PageFont font() const override { return device_.font(); }
    void drawText(double x, double y, std::string_view) override { moveTo(x, y); }
    double textWidth(std::string_view text) override { return device_.textWidth(text); }
    double textHeight() override { return device_.textHeight(); }
    void drawLine(double, double, double x2, double y2) override { moveTo(x2, y2); }
    PageSize pictureSize(const std::filesystem::path& file, double maxWidth, double maxHeight) override
    {
        return device_.pictureSize(file, maxWidth, maxHeight);
    }
    PageSize drawPicture(const std::filesystem::path& file, double x, double y, double maxWidth,
                         double maxHeight) override
    {
        const PageSize size = pictureSize(file, maxWidth, maxHeight);
        moveTo(x + size.width, y + size.height);
        return size;
    }
    void newPage() override
    {
        ++pages_;
        moveTo(0, 0);
    }
    void endDocument() override {}
    void abortDocument() noexcept override {}
    PageSize printableSize() const override { return device_.printableSize(); }
    std::string driverName() const override { return device_.driverName(); }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    int pageNumber() const override { return pages_; }

private:
    void moveTo(double x, double y)
    {
        x_ = x;
        y_ = y;
    }

    Page& device_;
    const PageFont saved_;
    int pages_ = 1;
    double x_ = 0, y_ = 0;
};

} // namespace

int CountPages(PrintContext& context, const ReportDrawing& draw)
{
    DryRunPage page(context.page);
    PrintContext dry{.page = page,
                     .reporter = context.reporter,
                     .captions = context.captions,
                     .language = context.language,
                     .job = context.job,
                     .advisor = context.advisor,
                     .sponsorFooter = context.sponsorFooter,
                     .fontSizes = context.fontSizes,
                     .continuationTop = context.continuationTop,
                     .illustrationFooter = context.illustrationFooter,
                     .target = context.target};
    try {
        draw(dry);
    } catch (...) {
        // A failure names the step it happened in, dry run or not.
        context.section = dry.section;
        context.step = dry.step;
        throw;
    }
    return page.pageNumber();
}

void DrawNumbered(PrintContext& context, const ReportDrawing& draw, int pages)
{
    context.pageCount = pages > 0 ? pages : CountPages(context, draw);
    context.firstPage = context.page.pageNumber();
    draw(context);
    context.pageCount = 0;
}

void ReportPrintFailure(PrintContext& context, const PrintError& error)
{
    context.reporter.details(PrintFailureDetails(error, context.section, context.step, PlaceOf(context.page)));
    context.reporter.report(Caption(context, "PrintFailedTitle"),
                            PrintFailureMessage(context.captions, context.language, error, context.target));
}

bool RunPrintJob(PrintContext& context, const std::vector<ReportDrawing>& reports)
{
    auto fail = [&context](const PrintError& error) {
        ReportPrintFailure(context, error);
        context.page.abortDocument();
        return false;
    };
    try {
        context.page.beginDocument();
        for (std::size_t i = 0; i < reports.size(); ++i) {
            if (i > 0)
                context.page.newPage();
            reports[i](context);
        }
        context.page.endDocument();
        return true;
    } catch (const PrintError& error) {
        return fail(error);
    } catch (const std::exception& error) {
        return fail(PrintError(kPrintErrorInternal, error.what()));
    }
}

} // namespace gw
