#pragma once

#include "reports.h"

#include <string>
#include <string_view>
#include <vector>

// Shared pieces of the report routines: figures, captions, blocks that the
// summary and the projection both print. Positions are page units.
namespace gw::report {

// Left and right ends of the body, and where marked items start.
inline constexpr double kLeft = 0;
inline constexpr double kItemIndent = 3;
// Space between blocks, in lines.
inline constexpr double kBlockGap = 0.6;

// FormatNumber in the context's language.
std::string Figure(const PrintContext& context, double value, std::string_view pattern);
// A table figure: negative values in parentheses ("(1,234)"), never "-".
std::string TableFigure(const PrintContext& context, double value, std::string_view pattern);

// The caption of `key` filled with `values`.
std::string Filled(const PrintContext& context, std::string_view key, const std::vector<std::string>& values);

double PageWidth(const PrintContext& context);

void SetFont(PrintContext& context, std::string_view face, double size, bool bold = false);
void SetSize(PrintContext& context, double size, bool bold = false);

void SetStep(PrintContext& context, std::string_view section, int step);

// The results of data.strategy; throws PrintError when `data` holds none or
// those of another strategy.
const IntOnlyResults& IntOnly(const ReportData& data);
const TermResults& Term(const ReportData& data);
const RRSPResults& RRSP(const ReportData& data);
void RequireResults(const ReportData& data);

// How the loan interest is deducted in the analysis that ran (interest-only
// and term loans), from its loan record.
struct DeductionTerms {
    bool fedLimited = false;    // limited to investment income
    bool provLimited = false;
    double fedRatio = 1;        // deductible part when not limited
    double provRatio = 1;
    bool fedIncludeCG = true;   // capital gains count as investment income
    bool provIncludeCG = true;
};
DeductionTerms DeductionsOf(const ReportData& data);

// Limited deductibility as the analysis that ran applied it: either
// deduction limited to investment income, or either deductible portion
// below 100 %. False for RRSP loans.
bool Limited(const ReportData& data);

// Starts a new page when fewer than `lines` (in the current font's line
// pitch) remain above the body's bottom; returns the y to go on at.
double EnsureRoom(PrintContext& context, double y, double height);

// The title caption centred across the page in bold title size; returns the
// y below it.
double PrintTitle(PrintContext& context, std::string_view text, double y);

// The report date right-aligned at `rightEdge`, body size.
void PrintDate(PrintContext& context, const ReportData& data, double y, double rightEdge);

// "Assumptions_Title" and one marked item per assumption of the strategy,
// across [kLeft, right]. Returns the y below the block.
double PrintAssumptions(PrintContext& context, const ReportData& data, double y, double right);

// The assumption sentences of the strategy, in print order.
std::vector<std::string> AssumptionLines(const PrintContext& context, const ReportData& data);

// The notes of the summary: the first sentences of the window's notes
// (their figures and words), then the printed additions. In print order.
std::vector<std::string> SummaryNoteLines(const PrintContext& context, const ReportData& data);

// The undeducted-expenses sentence: the federal and provincial pools left
// after repaying the loan at the horizon.
std::string UndeductedSentence(const PrintContext& context, const RemainingDeductions& left);

// A bold heading and marked items in body size; returns the y below.
double PrintHeadedItems(PrintContext& context, std::string_view heading, const std::vector<std::string>& items,
                        double y, double right);

} // namespace gw::report
