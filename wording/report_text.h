#pragma once

#include "captions.h"
#include "results.h"
#include "rrsp.h"

#include <string>
#include <vector>

// The sentences of the printed reports, built from the result record of the
// analysis that ran and the captions of `language`; the report only lays them
// out. Numbers read as FormatNumber writes them; the sentences taken from the
// window's notes keep its no-break spaces. Missing captions show as
// kCaptionNotFound. No Qt.
namespace gw {

// Limited deductibility as the reports show it: the interest deduction
// limited to investment income on either side, or a deductible portion below
// 100 % on either side.
bool LimitedDeductibility(const LeverageTerms& terms);

// The items under "Assumptions_Title", in print order.
std::vector<std::string> AssumptionLines(const IntOnlyResults& results, const CaptionTables& captions, int language);
std::vector<std::string> AssumptionLines(const TermResults& results, const CaptionTables& captions, int language);
std::vector<std::string> AssumptionLines(const RRSPResults& results, const CaptionTables& captions, int language);

// The notes of the one-page summary: the first sentences of the window's
// notes (notes.h) without their bullets, then the printed additions. The
// RRSP notes end with the comparison, without the caution.
std::vector<std::string> SummaryNoteLines(const IntOnlyResults& results, const CaptionTables& captions, int language);
std::vector<std::string> SummaryNoteLines(const TermResults& results, const CaptionTables& captions, int language);
std::vector<std::string> SummaryNoteLines(const RRSPResults& results, const CaptionTables& captions, int language);

// The line under the projection's title: projection return, loan rate and
// tax rate.
std::string ProjectionSubtitle(const IntOnlyResults& results, const CaptionTables& captions, int language);
std::string ProjectionSubtitle(const TermResults& results, const CaptionTables& captions, int language);
std::string ProjectionSubtitle(const RRSPResults& results, const CaptionTables& captions, int language);

// The notes under the projection table.
std::vector<std::string> ProjectionNoteLines(const IntOnlyResults& results, const CaptionTables& captions,
                                             int language);
std::vector<std::string> ProjectionNoteLines(const TermResults& results, const CaptionTables& captions, int language);
std::vector<std::string> ProjectionNoteLines(const RRSPResults& results, const CaptionTables& captions, int language);

// The undeducted-expenses sentence: the federal and provincial pools left
// after repaying the loan at the horizon.
std::string UndeductedSentence(const RemainingDeductions& left, const CaptionTables& captions, int language);

} // namespace gw
