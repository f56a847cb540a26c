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
// A stretch across the page, such as one signature rule.
struct Span {
    double from, to;
};

// Space between blocks, in lines.
inline constexpr double kBlockGap = 0.6;

// The reports' drawings, for one print job.
void DrawOnePageSummary(PrintContext& context, const ReportData& data);
void DrawProjection(PrintContext& context, const ReportData& data);
void DrawSuitabilityChecklist(PrintContext& context, const std::filesystem::path& pictureFolder);
void DrawRangeOfOutcomes(PrintContext& context, const ReportData& data);

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

// LimitedDeductibility of the terms the analysis ran on; false for RRSP
// loans. Throws PrintError, as IntOnly and Term do, without the results.
bool Limited(const ReportData& data);

// Draws a one-page report numbered, its body font stepped down from 10 to
// 8 points (below that a client would strain to read it) until it fits one
// page; past that it goes on as it must.
void DrawOnOnePage(PrintContext& context, const ReportDrawing& draw);

// Starts a new page when fewer than `lines` (in the current font's line
// pitch) remain above the body's bottom; returns the y to go on at.
double EnsureRoom(PrintContext& context, double y, double height);

// The title caption centred across the page in bold title size; returns the
// y below it.
double PrintTitle(PrintContext& context, std::string_view text, double y);

// The report date right-aligned at `rightEdge`, body size.
void PrintDate(PrintContext& context, const ReportData& data, double y, double rightEdge);

// "Assumptions_Title" and one marked item per assumption of the strategy
// (AssumptionLines), across [kLeft, right]. Returns the y below the block.
double PrintAssumptions(PrintContext& context, const ReportData& data, double y, double right);

// A bold heading and marked items in body size; returns the y below.
double PrintHeadedItems(PrintContext& context, std::string_view heading, const std::vector<std::string>& items,
                        double y, double right);

} // namespace gw::report
