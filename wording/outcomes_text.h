#pragma once

#include "captions.h"
#include "outcomes.h"

#include <string>
#include <vector>

// The range of outcomes in words, for the window's tab, the printed report
// and the command line's CSV/JSON: one plain sentence for each horizon
// figure, from the "Outcomes_" captions of `language`. No Qt.
namespace gw {

// In this order: the chance that leverage ends behind; the chance that the
// leveraged net value falls below 0 in some year; the middle of the
// difference at the horizon with its 10th-90th percentile range. Numbers as
// the window formats them in `language` (per cents without decimals below
// 1 % shown as "less than 1 %", dollars whole). Never throws for a record
// SimulateOutcomes produced.
std::vector<std::string> OutcomeSentences(const OutcomeResults& results, const CaptionTables& captions,
                                          int language);

} // namespace gw
