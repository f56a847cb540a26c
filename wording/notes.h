#pragma once

#include "captions.h"
#include "dispatch.h"

#include <string>
#include <string_view>
#include <vector>

// The sentences under the summary table that put the last analysis into
// words, built from the "Notes_" captions of `language` and the figures of
// the analysis. Shared by the window and the printed report. No Qt.
namespace gw {

// Returns the notes for `results`, the record of the last analysis. Each
// paragraph starts with "- "; paragraphs are separated by CR LF, and the
// paragraph on limited deductibility is followed by an empty line.
//
// Interest-only and term loans: the break-even return (or the caption
// "Notes_IntOnly_Term_NoBreakEven" when none was found), the horizon, and
// what leverage did at the projection return.
//
// RRSP loans: the four plans at the loan interest rate (at_loan_rate). The
// dollar differences are shown as magnitudes next to the words "more"/"less"
// and "increase"/"decrease", chosen for each plan on its own. Without that
// comparison (its run failed) the paragraph is left out.
//
// French numbers keep their grouping and "$"/"%" on one line: their spaces
// are U+00A0. Missing captions show as kCaptionNotFound. Never throws for a
// result record RunAnalysis produced.
std::string notes(const AnalysisResults& results, const CaptionTables& captions, int language);

// A number of years as a caption and the values to fill it with: "OneYear"
// ("1 year") for one, "Years" with the number otherwise; `title` picks the
// forms that titles use ("OneYearTitle", "YearsTitle").
struct YearsCaption {
    std::string_view key;
    std::vector<std::string> values;
};
YearsCaption YearsText(int years, bool title);

} // namespace gw
