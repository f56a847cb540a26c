// The two-page suitability checklist.
#include "reports_common.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace gw {

namespace {

using namespace report;

constexpr std::string_view kFace = "Times New Roman";
constexpr double kPictureWidth = 30;
constexpr double kPictureHeight = 4;
// The client box: rows of this height, the cell divider at kBoxSplit.
constexpr double kBoxRow = 1.9;
constexpr double kBoxSplit = 55;
constexpr double kCellInset = 0.8;
// Items to initial: a rule for the initials, the text after it.
constexpr double kInitialsRule = 5;
constexpr double kItemText = 7;
// Enumerated risks: the number and the text.
constexpr double kNumberAt = 9;
constexpr double kNumberedText = 11.5;
// A tick box, in units.
constexpr double kTickWidth = 1.2;
constexpr double kTickHeight = 0.75;
constexpr double kTickGap = 1.0;
constexpr double kSignatureRoom = 3.0;
constexpr Span kSignatureRules[] = {{0, 34}, {38, 72}, {76, 90}};

void DrawBox(Page& page, double x, double y, double width, double height)
{
    page.drawLine(x, y, x + width, y);
    page.drawLine(x + width, y, x + width, y + height);
    page.drawLine(x + width, y + height, x, y + height);
    page.drawLine(x, y + height, x, y);
}

// A tick box lined up with a text line at y; returns its right end.
double DrawTick(Page& page, double x, double y)
{
    DrawBox(page, x, y + 0.12, kTickWidth, kTickHeight);
    return x + kTickWidth;
}

double Pitch(PrintContext& context)
{
    return kLineAdvance * context.page.textHeight();
}

double Text(PrintContext& context, double x, double y, std::string_view text)
{
    context.page.drawText(x, y, text);
    return x + MeasureText(context.page, text);
}

double Heading(PrintContext& context, std::string_view key, double y)
{
    SetSize(context, context.fontSizes.heading, true);
    y = EnsureRoom(context, y, 3 * kLineAdvance);
    y = PrintWrappedText(context, Caption(context, key), kLeft, y, PageWidth(context));
    SetSize(context, context.fontSizes.body);
    return y + 0.2;
}

double Title(PrintContext& context, double y)
{
    return PrintTitle(context, Caption(context, "Suitability_Title"), y);
}

double ClientBox(PrintContext& context, double top)
{
    Page& page = context.page;
    const double width = PageWidth(context);
    SetSize(context, context.fontSizes.body);
    const double textTop = 0.25;

    // Row 1: client and account; row 2: the confirmed transaction; rows 3
    // and 4: the sales code beside the head office review.
    DrawBox(page, 0, top, width, 4 * kBoxRow);
    for (int row = 1; row < 4; ++row) {
        const double y = top + row * kBoxRow;
        page.drawLine(row == 3 ? kBoxSplit : 0, y, width, y);
    }
    page.drawLine(kBoxSplit, top, kBoxSplit, top + kBoxRow);
    page.drawLine(kBoxSplit, top + 2 * kBoxRow, kBoxSplit, top + 4 * kBoxRow);

    Text(context, kCellInset, top + textTop, Caption(context, "Suitability_Client_Name"));
    Text(context, kBoxSplit + kCellInset, top + textTop, Caption(context, "Suitability_Account_Num"));

    const double row2 = top + kBoxRow + textTop;
    double x = Text(context, kCellInset, row2, Caption(context, "Suitability_ConfirmedTransaction")) + 2;
    x = DrawTick(page, x, row2) + kTickGap;
    x = Text(context, x, row2, Caption(context, "Suitability_Yes")) + 2;
    x = DrawTick(page, x, row2) + kTickGap;
    Text(context, x, row2, Caption(context, "Suitability_No"));

    Text(context, kCellInset, top + 2 * kBoxRow + textTop, Caption(context, "Suitability_QZX_Rep_Sales_Code"));
    Text(context, kBoxSplit + kCellInset, top + 2 * kBoxRow + textTop,
         Caption(context, "Suitability_Head_Office_Review_Complete"));
    const double row4 = top + 3 * kBoxRow + textTop;
    x = DrawTick(page, kBoxSplit + kCellInset, row4) + kTickGap;
    PrintWrappedText(context, Caption(context, "Suitability_ReviewCompleted"), x, row4, width - kCellInset);
    return top + 4 * kBoxRow;
}

// An item the client initials: a short rule, then the text.
double InitialItem(PrintContext& context, std::string_view key, double y)
{
    const double width = PageWidth(context);
    y = EnsureRoom(context, y, 2 * Pitch(context));
    const double ruleY = y + context.page.textHeight() - 0.1;
    context.page.drawLine(kLeft, ruleY, kLeft + kInitialsRule, ruleY);
    return PrintWrappedText(context, Caption(context, key), kItemText, y, width) + 0.25;
}

double NumberedItem(PrintContext& context, int number, std::string_view key, double y)
{
    y = EnsureRoom(context, y, 2 * Pitch(context));
    context.page.drawText(kNumberAt, y, std::to_string(number) + ".");
    return PrintWrappedText(context, Caption(context, key), kNumberedText, y, PageWidth(context)) + 0.1;
}

double TickItem(PrintContext& context, std::string_view key, double y)
{
    y = EnsureRoom(context, y, 2 * Pitch(context));
    DrawTick(context.page, kLeft + 0.5, y);
    return PrintWrappedText(context, Caption(context, key), kItemText, y, PageWidth(context)) + 0.25;
}

double SignatureRow(PrintContext& context, const std::array<std::string, 3>& labels, double y)
{
    Page& page = context.page;
    y = EnsureRoom(context, y, kSignatureRoom + 3 * Pitch(context));
    const double ruleY = y + kSignatureRoom;
    double below = ruleY;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        page.drawLine(kSignatureRules[i].from, ruleY, kSignatureRules[i].to, ruleY);
        below = std::max(below, PrintWrappedText(context, labels[i], kSignatureRules[i].from, ruleY + 0.15,
                                                 kSignatureRules[i].to));
    }
    return below;
}

void DrawPage1(PrintContext& context, const std::filesystem::path& picture)
{
    const double width = PageWidth(context);
    SetStep(context, "PrintSuitabilityChecklist - Page 1", 1);
    const PageSize drawn = context.page.drawPicture(picture, 0, 0, kPictureWidth, kPictureHeight);

    SetStep(context, "PrintSuitabilityChecklist - Page 1", 2);
    double y = Title(context, drawn.height + 0.6);
    y = ClientBox(context, y + 0.5);

    SetStep(context, "PrintSuitabilityChecklist - Page 1", 3);
    SetSize(context, context.fontSizes.body);
    y = PrintWrappedText(context, Caption(context, "Suitability_PurposeOfChecklist"), kLeft, y + 0.7, width);
    SetSize(context, context.fontSizes.body, true);
    y = PrintWrappedText(context, Caption(context, "Suitability_All_Items_must_be_initialed"), kLeft, y + 0.3, width);

    y = Heading(context, "Suitability_Heading1", y + 0.6);
    for (int i = 1; i <= 5; ++i)
        y = InitialItem(context, "Suitability_Initial" + std::to_string(i), y);

    SetStep(context, "PrintSuitabilityChecklist - Page 1", 4);
    y = Heading(context, "Suitability_Heading2", y + 0.4);
    y = InitialItem(context, "Suitability_Initial6", y);
    for (int i = 1; i <= 7; ++i)
        y = NumberedItem(context, i, "Suitability_Enumerated" + std::to_string(i), y);
}

void DrawPage2(PrintContext& context)
{
    Page& page = context.page;
    const double width = PageWidth(context);
    SetStep(context, "PrintSuitabilityChecklist - Page 2", 5);
    double y = Title(context, 0.5);
    y = Heading(context, "Suitability_Heading3", y + 0.6);
    for (int i = 1; i <= 5; ++i)
        y = TickItem(context, "Suitability_Regulatory" + std::to_string(i), y);

    SetStep(context, "PrintSuitabilityChecklist - Page 2", 6);
    y = Heading(context, "Suitability_Heading4", y + 0.4);
    y = PrintWrappedText(context, Caption(context, "Suitability_Confirm"), kLeft, y, width);

    SetStep(context, "PrintSuitabilityChecklist - Page 2", 7);
    y = SignatureRow(context,
                     {Caption(context, "Suitability_Signature1"),
                      Caption(context, "Suitability_Signature2") + " " + Caption(context, "Suitability_Signature2_IfAny"),
                      Caption(context, "Suitability_Signature3")},
                     y + 0.3);
    y = SignatureRow(context,
                     {Caption(context, "Suitability_Signature4"), Caption(context, "Suitability_Signature5"),
                      Caption(context, "Suitability_Signature6")},
                     y + 0.3);

    SetStep(context, "PrintSuitabilityChecklist - Page 2", 8);
    // Where each copy goes, the texts lined up after the widest label.
    SetSize(context, context.fontSizes.body, true);
    const auto label = [&](int i) { return MeasureText(page, Caption(context, "Suitability_Copy" + std::to_string(i))); };
    const double textX = std::max({label(1), label(2), label(3)}) + 1.5;
    y = EnsureRoom(context, y + 0.8, 3 * Pitch(context));
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        SetSize(context, context.fontSizes.body, true);
        Text(context, kLeft, y, Caption(context, "Suitability_Copy" + n));
        SetSize(context, context.fontSizes.body);
        y = PrintWrappedText(context, Caption(context, "Suitability_Copy" + n + "_Text"), textX, y, width);
    }

    SetStep(context, "PrintSuitabilityChecklist - Page 2", 9);
    SetSize(context, kFooterFontSize);
    const double foot = page.printableSize().height - Pitch(context);
    page.drawText(kLeft, std::max(foot, y), Caption(context, "Suitability_DateOfDesign"));
}

void DrawChecklist(PrintContext& context, const std::filesystem::path& pictureFolder)
{
    SetStep(context, "PrintSuitabilityChecklist", 0);
    SetFont(context, kFace, 10);
    SetReportFontSizes(context);
    const std::filesystem::path picture =
        pictureFolder / std::string(context.language == French ? kFrenchReportPicture : kEnglishReportPicture);
    DrawPage1(context, picture);
    StartNewPage(context);
    DrawPage2(context);
    PrintFooter(context);
}

} // namespace

namespace report {

void DrawSuitabilityChecklist(PrintContext& context, const std::filesystem::path& pictureFolder)
{
    // A form, not an illustration: its footer is the page number alone.
    const bool footer = context.illustrationFooter;
    context.illustrationFooter = false;
    DrawNumbered(context, [&pictureFolder](PrintContext& c) { DrawChecklist(c, pictureFolder); });
    context.illustrationFooter = footer;
}

} // namespace report

} // namespace gw
