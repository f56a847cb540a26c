#include "report_text.h"

#include "notes.h"
#include "numformat.h"

#include <string_view>

namespace gw {

namespace {

struct Words {
    const CaptionTables& captions;
    int language;

    std::string caption(std::string_view key) const { return GetCaption(captions, key, language); }
    std::string filled(std::string_view key, const std::vector<std::string>& values) const
    {
        return FillPlaceholders(caption(key), values);
    }
    std::string figure(double value, std::string_view pattern) const { return FormatNumber(value, pattern, language); }
    std::string dollars(double value) const { return figure(value, "$#,##0"); }
    std::string rate(double value) const { return figure(value, "##0.0%"); }
};

// One jurisdiction's treatment of the loan interest when limited
// deductibility is in force. Only the interest-only assumptions name the
// capital gains and the expenses.
std::string treatment(const Words& w, const DeductionTerms& d, bool interestOnly)
{
    if (!d.limited)
        return w.filled("Assumptions_IntOnly_Term_LoanInterestDeductible", {w.rate(d.deductible_ratio)});
    std::string text = w.caption("Assumptions_IntOnly_Term_LimitedToInvestmentIncome");
    if (interestOnly) {
        text += w.caption(d.include_capital_gains ? "Assumptions_IntOnly_Term_IncludeCapGains"
                                                  : "Assumptions_IntOnly_Term_DontIncludeCapGains");
        if (d.expenses_percent != 0)
            text += "; " + w.filled("Assumptions_IntOnly_Term_ManagementFee", {w.rate(d.expenses_percent / 100)});
    }
    return text;
}

std::string taxTreatment(const Words& w, const LeverageTerms& t, bool interestOnly)
{
    if (!LimitedDeductibility(t))
        return w.filled("Assumptions_IntOnly_Term_Common_Tax_Deductible", {w.rate(t.federal.deductible_ratio)});
    // French sets a no-break space before the colon.
    const std::string colon = w.language == French ? "\u00A0: " : ": ";
    return w.caption("Assumptions_IntOnly_Term_Federal") + colon + treatment(w, t.federal, interestOnly) + ". " +
           w.caption("Assumptions_IntOnly_Term_Provincial") + colon + treatment(w, t.provincial, interestOnly) + ". ";
}

// The tax, breakdown, inclusion and closing lines both leverage strategies
// print, in the order of their keys.
struct TaxLines {
    std::string line3;
    std::string line4;
    std::string line5;
    std::string line6;
};

TaxLines taxLines(const Words& w, const LeverageTerms& t)
{
    const bool limited = LimitedDeductibility(t);
    TaxLines lines;
    lines.line3 = limited ? w.filled("Assumptions_IntOnly_Term_Line3b",
                                     {w.rate(t.tax_rate), w.rate(t.federal_tax_rate), w.rate(t.provincial_tax_rate)})
                          : w.filled("Assumptions_IntOnly_Term_Line3", {w.rate(t.tax_rate)});
    lines.line4 = w.filled("Assumptions_IntOnly_Term_Line4", {w.rate(t.deferred_gains_ratio), w.rate(t.capital_gains_ratio),
                                                              w.rate(t.dividend_ratio), w.rate(t.interest_ratio)});
    lines.line5 = w.filled("Assumptions_IntOnly_Term_Line5", {w.rate(t.inclusion_rate), w.rate(t.dividend_tax_rate)});
    lines.line6 = w.caption(limited ? "Assumptions_IntOnly_Term_Line7" : "Assumptions_IntOnly_Term_Line6");
    return lines;
}

// The window's notes as paragraphs, without their "- " bullets.
std::vector<std::string> noteParagraphs(const AnalysisResults& results, const Words& w)
{
    const std::string text = notes(results, w.captions, w.language);
    std::vector<std::string> paragraphs;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string paragraph = text.substr(start, end - start);
        if (paragraph.rfind("- ", 0) == 0)
            paragraph.erase(0, 2);
        if (!paragraph.empty())
            paragraphs.push_back(paragraph);
        start = end + 2;
    }
    return paragraphs;
}

// The window's first three sentences; its paragraph on limited
// deductibility gives way to the amounts left undeducted.
template <typename Year>
std::vector<std::string> leverageSummaryNotes(const LeverageResults<Year>& r, const Words& w)
{
    const std::vector<std::string> paragraphs = noteParagraphs(r, w);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < paragraphs.size() && i < 3; ++i)
        lines.push_back(paragraphs[i]);
    if (r.terms.federal.limited || r.terms.provincial.limited)
        lines.push_back(UndeductedSentence(r.remaining_deductions, w.captions, w.language));
    lines.push_back(w.caption("Notes_IntOnly_Term_Line4"));
    lines.push_back(w.caption("Notes_Disclaimer"));
    return lines;
}

std::string subtitle(const Words& w, double projectionReturn, double loanRate, double taxRate)
{
    return w.filled("ProjectionSubTitle", {w.figure(projectionReturn, "##0.0#%"), w.rate(loanRate), w.rate(taxRate)});
}

template <typename Year>
std::vector<std::string> leverageProjectionNotes(const LeverageResults<Year>& r, std::string_view notesKey,
                                                 const Words& w)
{
    return {w.caption(notesKey), w.caption("Notes_IntOnly_Term_Line4"),
            UndeductedSentence(r.remaining_deductions, w.captions, w.language), w.caption("Notes_Disclaimer")};
}

} // namespace

bool LimitedDeductibility(const LeverageTerms& terms)
{
    return terms.federal.limited || terms.provincial.limited || terms.federal.deductible_ratio < 1 ||
           terms.provincial.deductible_ratio < 1;
}

std::vector<std::string> AssumptionLines(const IntOnlyResults& r, const CaptionTables& captions, int language)
{
    const Words w{captions, language};
    const TaxLines tax = taxLines(w, r.terms);
    std::vector<std::string> lines{taxTreatment(w, r.terms, true)};
    lines.push_back(w.filled("Assumptions_IntOnly_Line1", {w.dollars(r.loan_amount), w.figure(r.terms.loan_rate, "##0.0#%")}));
    const double yearlyCost = r.projection.empty() ? 0 : r.projection.front().after_tax_cost;
    lines.push_back(LimitedDeductibility(r.terms) ? w.caption("Assumptions_IntOnly_Line2b")
                                                  : w.filled("Assumptions_IntOnly_Line2", {w.dollars(yearlyCost)}));
    lines.insert(lines.end(), {tax.line3, tax.line5, tax.line4, tax.line6});
    return lines;
}

std::vector<std::string> AssumptionLines(const TermResults& r, const CaptionTables& captions, int language)
{
    const Words w{captions, language};
    const TaxLines tax = taxLines(w, r.terms);
    const TermSchedule& loan = r.schedule;
    const std::string amount = w.dollars(r.loan_amount);
    const std::string loanRate = w.figure(r.terms.loan_rate, "##0.0#%");
    const std::string years = std::to_string(loan.loan_periods);
    std::vector<std::string> lines{taxTreatment(w, r.terms, false)};
    lines.push_back(loan.loan_repeats > 0 ? w.filled("Assumptions_Term_Repeat_Line1",
                                                     {amount, loanRate, years, std::to_string(loan.loan_repeats)})
                                          : w.filled("Assumptions_Term_Line1", {amount, loanRate, years}));
    lines.push_back(w.filled("Assumptions_Term_Line2", {w.dollars(loan.payment)}));
    lines.insert(lines.end(), {tax.line3, tax.line4, tax.line5, tax.line6});
    return lines;
}

std::vector<std::string> AssumptionLines(const RRSPResults& r, const CaptionTables& captions, int language)
{
    const Words w{captions, language};
    const auto ret = [&](double value) { return w.figure(value, "##0.0#%"); };
    std::vector<std::string> lines;
    lines.push_back(w.filled("Assumptions_RRSP_Line1",
                             {w.dollars(r.loan_amount), ret(r.loan_rate), std::to_string(r.loan_periods)}));
    lines.push_back(w.filled("Assumptions_RRSP_Line11", {w.dollars(r.refund), w.rate(r.tax_rate)}));
    lines.push_back(w.filled("Assumptions_RRSP_Line12", {w.dollars(r.annual_investment)}));
    lines.push_back(w.filled("Assumptions_RRSP_Line2", {w.dollars(r.spend_contribution)}));
    lines.push_back(w.filled("Assumptions_RRSP_Line3", {w.dollars(r.reinvest_contribution)}));
    lines.push_back(w.filled("Assumptions_RRSP_Line4", {w.dollars(r.gross_up_contribution)}));
    if (r.loan_repeats > 0)
        lines.push_back(w.filled("Assumptions_RRSP_Repeat_Line1",
                                 {std::to_string(r.loan_repeats), std::to_string(r.horizon)}));
    lines.push_back(w.caption("Assumptions_RRSP_Line5"));
    lines.push_back(w.caption("Assumptions_RRSP_Line6"));
    lines.push_back(w.filled("Assumptions_RRSP_Line7", {ret(r.summary[0].return_), ret(r.summary[1].return_),
                                                        ret(r.summary[2].return_), ret(r.summary[3].return_)}));
    for (const char* key : {"Assumptions_RRSP_Line8", "Assumptions_RRSP_Line9", "Assumptions_RRSP_Line10"})
        lines.push_back(w.caption(key));
    return lines;
}

std::vector<std::string> SummaryNoteLines(const IntOnlyResults& r, const CaptionTables& captions, int language)
{
    return leverageSummaryNotes(r, Words{captions, language});
}

std::vector<std::string> SummaryNoteLines(const TermResults& r, const CaptionTables& captions, int language)
{
    return leverageSummaryNotes(r, Words{captions, language});
}

std::vector<std::string> SummaryNoteLines(const RRSPResults& r, const CaptionTables& captions, int language)
{
    const Words w{captions, language};
    const std::string disclaimer = w.caption("Notes_Disclaimer");
    std::vector<std::string> lines;
    for (const std::string& paragraph : noteParagraphs(r, w)) {
        if (paragraph != disclaimer)
            lines.push_back(paragraph);
    }
    return lines;
}

std::string ProjectionSubtitle(const IntOnlyResults& r, const CaptionTables& captions, int language)
{
    return subtitle(Words{captions, language}, r.returns[0], r.terms.loan_rate, r.terms.tax_rate);
}

std::string ProjectionSubtitle(const TermResults& r, const CaptionTables& captions, int language)
{
    return subtitle(Words{captions, language}, r.returns[0], r.terms.loan_rate, r.terms.tax_rate);
}

std::string ProjectionSubtitle(const RRSPResults& r, const CaptionTables& captions, int language)
{
    return subtitle(Words{captions, language}, r.returns[0], r.loan_rate, r.tax_rate);
}

std::vector<std::string> ProjectionNoteLines(const IntOnlyResults& r, const CaptionTables& captions, int language)
{
    return leverageProjectionNotes(r, "Notes_IntOnly_Projection", Words{captions, language});
}

std::vector<std::string> ProjectionNoteLines(const TermResults& r, const CaptionTables& captions, int language)
{
    return leverageProjectionNotes(r, "Notes_Term_Projection", Words{captions, language});
}

std::vector<std::string> ProjectionNoteLines(const RRSPResults&, const CaptionTables& captions, int language)
{
    // The same closing caution as the other projections.
    return {GetCaption(captions, "Notes_RRSP_Projection", language), GetCaption(captions, "Notes_Disclaimer", language)};
}

std::string UndeductedSentence(const RemainingDeductions& left, const CaptionTables& captions, int language)
{
    const Words w{captions, language};
    const std::string amounts = w.dollars(left.federal) + " (" + w.caption("Assumptions_IntOnly_Term_Federal") + "), " +
                                w.dollars(left.provincial) + " (" + w.caption("Assumptions_IntOnly_Term_Provincial") +
                                ")";
    return w.filled("Undeducted_Expenses_After_Pay_Loan", {amounts});
}

} // namespace gw
