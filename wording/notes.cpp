#include "notes.h"

#include "growth.h"
#include "numformat.h"

#include <cmath>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace gw {

namespace {

constexpr std::string_view kBreak = "\r\n";
constexpr std::string_view kBullet = "- ";

struct Writer {
    const CaptionTables& captions;
    int language;

    std::string caption(std::string_view key) const { return GetCaption(captions, key, language); }

    std::string years(int count) const
    {
        const YearsCaption text = YearsText(count, false);
        return FillPlaceholders(caption(text.key), text.values);
    }

    // French numbers must not wrap between their groups or before "$" and "%".
    std::string number(double value, std::string_view pattern) const
    {
        return FormatNumberUnbroken(value, pattern, language);
    }
};

struct LeverageFigures {
    int horizon = 0;
    double breakEven = NoReturn;
    std::string_view breakEvenPattern = "##0.0%";  // as the summary table shows it
    double projectionReturn = 0;
    double loanRate = 0;
    double loanAmount = 0;
    double leveraged = 0;    // L: net of repaying the loan, slot 0, year N
    double unleveraged = 0;  // U: slot 0, year N
    bool deductionLimited = false;
};

template <typename Year>
LeverageFigures figuresOf(const LeverageResults<Year>& r)
{
    LeverageFigures f;
    f.horizon = r.horizon;
    f.breakEven = r.break_even_return;
    for (const SummaryRow& row : r.summary) {
        if (row.break_even)
            f.breakEvenPattern = SummaryReturnPattern(r.summary, row);
    }
    f.projectionReturn = r.returns[0];
    f.loanRate = r.terms.loan_rate;
    f.loanAmount = r.loan_amount;
    f.deductionLimited = r.deduction_limited;
    for (const Year& y : r.projection) {
        if (y.year == r.horizon) {
            f.leveraged = y.net_balance_payoff;
            f.unleveraged = y.unleveraged_balance;
        }
    }
    return f;
}

std::string leverageNotes(const LeverageFigures& f, const Writer& w)
{
    const bool ahead = f.leveraged >= f.unleveraged;
    const std::string direction = ahead ? w.caption("Notes_Increases") : w.caption("Notes_decreases");
    const std::string years = w.years(f.horizon);

    // Without a break-even return the pattern would show the marker value.
    const std::string line1 = f.breakEven == NoReturn
        ? w.caption("Notes_IntOnly_Term_NoBreakEven")
        : FillPlaceholders(w.caption("Notes_IntOnly_Term_Line1"), {w.number(f.breakEven, f.breakEvenPattern)});
    const std::string line2 = FillPlaceholders(w.caption("Notes_IntOnly_Term_Line2"), {years});
    const std::string line3 = FillPlaceholders(
        w.caption("Notes_IntOnly_Term_Line3"),
        {w.number(f.projectionReturn, "##0.0%"), w.number(f.loanRate, "##0.0#%"), direction,
         w.number(std::fabs(f.leveraged - f.unleveraged), "$#,##0"), years, w.number(f.loanAmount, "$###,##0")});

    std::string text;
    for (const std::string* line : {&line1, &line2, &line3}) {
        if (!text.empty())
            text += kBreak;
        text += kBullet;
        text += *line;
    }
    if (f.deductionLimited) {
        text += kBreak;
        text += kBullet;
        text += w.caption("Notes_LimitedDeductibility");
        text += kBreak;
    }
    text += kBreak;
    text += kBullet;
    text += w.caption("Notes_Disclaimer");
    return text;
}

// One plan against the catch-up loan: the dollar difference as a magnitude,
// the words that give it its direction and the per cent difference.
struct Comparison {
    std::string amount;
    std::string moreOrLess;
    std::string percent;
    std::string increaseOrDecrease;
};

Comparison compare(double catchUp, double plan, std::string_view percentPattern, const Writer& w)
{
    // The catch-up loan ending below the plan means the plan gives more.
    const bool planAhead = catchUp < plan;
    return {w.number(std::fabs(catchUp - plan), "$#,##0"),
            planAhead ? w.caption("Notes_more") : w.caption("Notes_less"),
            w.number(std::fabs(PercentIncrease(plan, catchUp)), percentPattern),
            planAhead ? w.caption("Notes_Increase") : w.caption("Notes_decrease")};
}

std::string rrspNotes(const RRSPResults& r, const Writer& w)
{
    std::string text(kBullet);
    text += w.caption("Notes_RRSP_Line1");
    if (r.at_loan_rate) {
        const RRSPVariantValues& v = *r.at_loan_rate;
        const std::string rate = w.number(r.loan_rate, "##0.0#%");
        const Comparison spend = compare(v.catch_up, v.spend_refund, "##0.0%", w);
        const Comparison reinvest = compare(v.catch_up, v.reinvest_refund, "##0%", w);
        text += kBreak;
        text += kBullet;
        text += FillPlaceholders(w.caption("Notes_RRSP_Line2"),
                                 {rate, rate, w.number(v.catch_up, "$#,##0"), w.years(r.horizon), spend.amount,
                                  spend.moreOrLess, spend.percent, spend.increaseOrDecrease, reinvest.amount,
                                  reinvest.moreOrLess, reinvest.percent, reinvest.increaseOrDecrease});
    }
    text += kBreak;
    text += kBullet;
    text += w.caption("Notes_Disclaimer");
    return text;
}

} // namespace

std::string notes(const AnalysisResults& results, const CaptionTables& captions, int language)
{
    const Writer w{captions, language};
    return std::visit(
        [&](const auto& r) -> std::string {
            if constexpr (std::is_same_v<std::decay_t<decltype(r)>, RRSPResults>)
                return rrspNotes(r, w);
            else
                return leverageNotes(figuresOf(r), w);
        },
        results);
}

YearsCaption YearsText(int years, bool title)
{
    if (years == 1)
        return {title ? "OneYearTitle" : "OneYear", {}};
    return {title ? "YearsTitle" : "Years", {std::to_string(years)}};
}

} // namespace gw
