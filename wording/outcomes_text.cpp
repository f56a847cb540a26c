#include "outcomes_text.h"

#include "notes.h"
#include "numformat.h"

#include <cmath>
#include <string_view>

namespace gw {

namespace {

struct Writer {
    const CaptionTables& captions;
    int language;

    std::string caption(std::string_view key) const { return GetCaption(captions, key, language); }
    std::string fill(std::string_view key, const std::vector<std::string>& values) const
    {
        return FillPlaceholders(caption(key), values);
    }
    // French numbers stay on one line, as in the notes.
    std::string number(double value, std::string_view pattern) const
    {
        return FormatNumberUnbroken(value, pattern, language);
    }

    // A share of the paths in whole per cent; a share that would round to 0
    // or 100 without being it says so, since a sample never proves either.
    std::string chance(double share) const
    {
        if (share > 0 && share < 0.01)
            return fill("Outcomes_LessThan", {number(0.01, "##0%")});
        if (share > 0.99 && share < 1)
            return fill("Outcomes_MoreThan", {number(0.99, "##0%")});
        return number(share, "##0%");
    }

    // Where the median difference leaves the leveraged side: ahead by, behind
    // by, or level once shown in whole dollars.
    std::string standing(double median) const
    {
        const double whole = RoundHalfAwayFromZero(median);
        if (whole == 0 || !std::isfinite(whole))
            return caption("Outcomes_EndsLevel");
        return fill(whole > 0 ? "Outcomes_EndsAhead" : "Outcomes_EndsBehind", {number(std::fabs(whole), "$#,##0")});
    }
};

} // namespace

std::vector<std::string> OutcomeSentences(const OutcomeResults& results, const CaptionTables& captions, int language)
{
    const Writer w{captions, language};
    const bool rrsp = results.strategy == Strategy::RRSP;
    const YearsCaption yearsText = YearsText(results.horizon, false);
    const std::string years = w.fill(yearsText.key, yearsText.values);
    const Percentiles& d = results.difference_at_horizon;
    return {
        w.fill(rrsp ? "Outcomes_RRSP_ChanceBehind" : "Outcomes_ChanceBehind",
               {years, w.chance(results.probability_behind)}),
        w.fill(rrsp ? "Outcomes_RRSP_ChanceUnderwater" : "Outcomes_ChanceUnderwater",
               {w.chance(results.probability_underwater)}),
        w.fill(rrsp ? "Outcomes_RRSP_Median" : "Outcomes_Median",
               {years, w.standing(d[2]), w.number(d[0], "$#,##0"), w.number(d[4], "$#,##0")}),
    };
}

} // namespace gw
