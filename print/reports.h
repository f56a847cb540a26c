#pragma once

#include "dispatch.h"
#include "inputs.h"
#include "outcomes.h"
#include "primitives.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The three client reports, drawn with the page primitives onto whatever
// page the context holds. Every figure and sentence comes from the result
// record of the last analysis (the sentences through report_text.h); nothing
// is computed again here.
//
// Every page of a report carries "Page n of m", counting the report's own
// pages. Each entry prints one document: it starts it, draws its pages and
// ends it. A device error, or results that do not belong to the strategy
// asked for, is reported once with ReportPrintFailure (the report's section
// and step) and the document is abandoned; the entry then returns false.
// Nothing here throws.
namespace gw {

struct ProgramSettings;

// A calendar date; month 1..12.
struct ReportDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};

// Today in the local time zone.
ReportDate TodayReportDate();

// The report date with the month name of `language` (the caption whose key
// is the English month name): "January 5, 2025" in English, "5 janvier 2025"
// in French ("1er janvier 2025" on the first of the month). A month outside
// 1 to 12 is a PrintError.
std::string FormatReportDate(const CaptionTables& captions, Language language, const ReportDate& date);

inline constexpr std::string_view kEnglishReportPicture = "print-english.gif";
inline constexpr std::string_view kFrenchReportPicture = "print-french.gif";

// What a report prints besides the captions and the print options.
// `results` must outlive the report.
struct ReportData {
    Strategy strategy = Strategy::InterestOnly;
    const AnalysisResults* results = nullptr;  // the last results of `strategy`
    ReportDate date;
    std::string legalDisclaimer;               // in the report's language
    std::filesystem::path pictureFolder;       // holds print-english.gif and print-french.gif
    const OutcomeResults* outcomes = nullptr;  // the range of outcomes of `strategy`, when run
};

// Report data for the program: today's date, the sponsor's legal disclaimer
// in `language` and the program's folder for the pictures.
ReportData MakeReportData(const ProgramSettings& settings, Language language, Strategy strategy,
                          const AnalysisResults& results);

// Limited deductibility (the interest deduction limited to investment
// income on either side, or a deductible portion below 100 % on either side)
// moves the summary up, spells out each jurisdiction in the assumptions and
// gives the projection its wide layout.
//
// The one-page summary of data.strategy: title, date and prepared lines,
// assumptions, summary table, notes, and the closing block the print job
// chooses (conservative leverage checklist, signatures or the legal
// disclaimer), then the footer. Its body font steps down, to 8 points at
// the least, until it fits one page.
bool PrintOnePageSummary(PrintContext& context, const ReportData& data);

// The year-by-year projection of data.strategy at the projection return:
// title, subtitle, date, prepared lines, assumptions, the table (continued on
// further pages with its heads, each page with its footer) and the notes.
bool PrintProjection(PrintContext& context, const ReportData& data);

// The two-page suitability checklist, with the language's picture from
// `pictureFolder`.
bool PrintSuitabilityChecklist(PrintContext& context, const std::filesystem::path& pictureFolder);

// The range of outcomes of data.strategy on one page: title, date and
// prepared lines, assumptions with the volatility, paths and seed, the 10th,
// 50th and 90th percentiles of the two values compared and of their
// difference by year (every year up to 20, else every fifth and the last),
// the horizon in sentences, and how the returns were drawn. Needs
// data.outcomes of that strategy; its body font steps down as the summary's.
bool PrintRangeOfOutcomes(PrintContext& context, const ReportData& data);

enum class ReportKind { Summary, Projection, Checklist, Outcomes };

// The report of `kind` for `data`.
bool PrintReport(ReportKind kind, PrintContext& context, const ReportData& data);

// One print job: the reports of `kinds`, in that order, in one document, each
// starting on a new page. A failure abandons the whole document.
bool PrintReports(PrintContext& context, const ReportData& data, const std::vector<ReportKind>& kinds);

} // namespace gw
