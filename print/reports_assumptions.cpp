// The assumptions and notes blocks that the summary and the projection share.
#include "reports_common.h"

#include "notes.h"

#include <string>
#include <vector>

namespace gw::report {

namespace {

// What the leverage strategies share: the investment and loan records of
// the analysis that ran.
struct LeverageRecords {
    const GenericInvestment& investment;
    double loanRate;
    DeductionTerms deductions;
};

LeverageRecords RecordsOf(const ReportData& data)
{
    if (data.strategy == Strategy::InterestOnly)
        return {data.state->IntOnly.Investment, data.state->IntOnly.Loan.LoanInterestRate, DeductionsOf(data)};
    return {data.state->Term.Investment, data.state->Term.Loan.LoanInterestRate, DeductionsOf(data)};
}

// One jurisdiction's treatment of the loan interest when limited
// deductibility is in force.
std::string Treatment(const PrintContext& context, const ReportData& data, bool limited, bool includeCapGains,
                      double expensePercent, double deductRatio)
{
    if (!limited)
        return Filled(context, "Assumptions_IntOnly_Term_LoanInterestDeductible",
                      {Figure(context, deductRatio, "##0.0%")});
    std::string text = Caption(context, "Assumptions_IntOnly_Term_LimitedToInvestmentIncome");
    if (data.strategy == Strategy::InterestOnly) {
        text += Caption(context, includeCapGains ? "Assumptions_IntOnly_Term_IncludeCapGains"
                                                 : "Assumptions_IntOnly_Term_DontIncludeCapGains");
        if (expensePercent != 0)
            text += "; " + Filled(context, "Assumptions_IntOnly_Term_ManagementFee",
                                  {Figure(context, expensePercent / 100, "##0.0%")});
    }
    return text;
}

std::string TaxTreatment(const PrintContext& context, const ReportData& data, const LeverageRecords& records)
{
    const DeductionTerms& d = records.deductions;
    if (!Limited(data))
        return Filled(context, "Assumptions_IntOnly_Term_Common_Tax_Deductible",
                      {Figure(context, d.fedRatio, "##0.0%")});
    // The expense rates are settings the analysis does not read.
    const AnalysisInputs& in = data.inputs;
    // French sets a no-break space before the colon.
    const std::string colon = context.language == French ? "\u00A0: " : ": ";
    return Caption(context, "Assumptions_IntOnly_Term_Federal") + colon +
           Treatment(context, data, d.fedLimited, d.fedIncludeCG, in.fedExpenses, d.fedRatio) + ". " +
           Caption(context, "Assumptions_IntOnly_Term_Provincial") + colon +
           Treatment(context, data, d.provLimited, d.provIncludeCG, in.provExpenses, d.provRatio) + ". ";
}

std::vector<std::string> LeverageAssumptions(const PrintContext& context, const ReportData& data)
{
    const LeverageRecords records = RecordsOf(data);
    const GenericInvestment& inv = records.investment;
    const bool limited = Limited(data);
    const auto rate = [&](double value) { return Figure(context, value, "##0.0%"); };

    const std::string line3 =
        limited ? Filled(context, "Assumptions_IntOnly_Term_Line3b",
                         {rate(inv.TaxRate), rate(inv.FedTaxRate), rate(inv.ProvTaxRate)})
                : Filled(context, "Assumptions_IntOnly_Term_Line3", {rate(inv.TaxRate)});
    const std::string line4 =
        Filled(context, "Assumptions_IntOnly_Term_Line4",
               {rate(inv.DCGRatioOfReturn), rate(inv.CapGainsRatioOfReturn), rate(inv.DivRatioOfReturn),
                rate(inv.IntRatioOfReturn)});
    const std::string line5 =
        Filled(context, "Assumptions_IntOnly_Term_Line5", {rate(inv.CapGainsInclusionRate), rate(inv.DivTaxRate)});
    const std::string line6 = Caption(context, limited ? "Assumptions_IntOnly_Term_Line7" : "Assumptions_IntOnly_Term_Line6");

    std::vector<std::string> lines{TaxTreatment(context, data, records)};
    if (data.strategy == Strategy::InterestOnly) {
        const IntOnlyResults& r = IntOnly(data);
        lines.push_back(Filled(context, "Assumptions_IntOnly_Line1",
                               {Figure(context, r.loan_amount, "$#,##0"), Figure(context, records.loanRate, "##0.0#%")}));
        const double yearlyCost = r.projection.empty() ? 0 : r.projection.front().after_tax_cost;
        lines.push_back(limited ? Caption(context, "Assumptions_IntOnly_Line2b")
                                : Filled(context, "Assumptions_IntOnly_Line2", {Figure(context, yearlyCost, "$#,##0")}));
        lines.insert(lines.end(), {line3, line5, line4, line6});
        return lines;
    }
    const TermResults& r = Term(data);
    const TermLoan& loan = data.state->Term.Loan;
    const std::string amount = Figure(context, r.loan_amount, "$#,##0");
    const std::string loanRate = Figure(context, records.loanRate, "##0.0#%");
    const std::string years = std::to_string(loan.NLoanPeriods);
    lines.push_back(loan.NLoanRepeats > 0
                        ? Filled(context, "Assumptions_Term_Repeat_Line1",
                                 {amount, loanRate, years, std::to_string(loan.NLoanRepeats)})
                        : Filled(context, "Assumptions_Term_Line1", {amount, loanRate, years}));
    lines.push_back(Filled(context, "Assumptions_Term_Line2", {Figure(context, loan.LoanPayment, "$#,##0")}));
    lines.insert(lines.end(), {line3, line4, line5, line6});
    return lines;
}

std::vector<std::string> RRSPAssumptions(const PrintContext& context, const ReportData& data)
{
    const RRSPResults& r = RRSP(data);
    const RRSPState& s = data.state->RRSP;
    const auto dollars = [&](double value) { return Figure(context, value, "$#,##0"); };
    const auto ret = [&](double value) { return Figure(context, value, "##0.0#%"); };

    std::vector<std::string> lines;
    lines.push_back(Filled(context, "Assumptions_RRSP_Line1",
                           {dollars(r.loan_amount), ret(s.Loan.LoanInterestRate), std::to_string(s.Loan.NLoanPeriods)}));
    lines.push_back(Filled(context, "Assumptions_RRSP_Line11",
                           {dollars(s.Loan.LoanAmount * s.Loan.TaxRate), Figure(context, s.Loan.TaxRate, "##0.0%")}));
    lines.push_back(Filled(context, "Assumptions_RRSP_Line12", {dollars(r.annual_investment)}));
    lines.push_back(Filled(context, "Assumptions_RRSP_Line2", {dollars(s.SpendRefund.InvestmentPerPeriod)}));
    lines.push_back(Filled(context, "Assumptions_RRSP_Line3", {dollars(s.ReinvestRefund.InvestmentPerPeriod)}));
    lines.push_back(Filled(context, "Assumptions_RRSP_Line4", {dollars(s.GrossUp.InvestmentPerPeriod)}));
    if (s.Loan.NLoanRepeats > 0)
        lines.push_back(Filled(context, "Assumptions_RRSP_Repeat_Line1",
                               {std::to_string(s.Loan.NLoanRepeats), std::to_string(r.horizon)}));
    lines.push_back(Caption(context, "Assumptions_RRSP_Line5"));
    lines.push_back(Caption(context, "Assumptions_RRSP_Line6"));
    lines.push_back(Filled(context, "Assumptions_RRSP_Line7",
                           {ret(r.summary[0].return_), ret(r.summary[1].return_), ret(r.summary[2].return_),
                            ret(r.summary[3].return_)}));
    for (const char* key : {"Assumptions_RRSP_Line8", "Assumptions_RRSP_Line9", "Assumptions_RRSP_Line10"})
        lines.push_back(Caption(context, key));
    return lines;
}

// The window's notes as paragraphs, without their "- " bullets.
std::vector<std::string> WindowNoteParagraphs(const PrintContext& context, const ReportData& data)
{
    const std::string text = notes(*data.results, context.captions, context.language);
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

} // namespace

std::vector<std::string> AssumptionLines(const PrintContext& context, const ReportData& data)
{
    RequireResults(data);
    return data.strategy == Strategy::RRSP ? RRSPAssumptions(context, data) : LeverageAssumptions(context, data);
}

double PrintAssumptions(PrintContext& context, const ReportData& data, double y, double right)
{
    const std::vector<std::string> lines = AssumptionLines(context, data);
    SetStep(context, "PrintAssumptions", 1);
    return PrintHeadedItems(context, Caption(context, "Assumptions_Title"), lines, y, right);
}

std::string UndeductedSentence(const PrintContext& context, const RemainingDeductions& left)
{
    const std::string amounts = Figure(context, left.federal, "$#,##0") + " (" +
                                Caption(context, "Assumptions_IntOnly_Term_Federal") + "), " +
                                Figure(context, left.provincial, "$#,##0") + " (" +
                                Caption(context, "Assumptions_IntOnly_Term_Provincial") + ")";
    return Filled(context, "Undeducted_Expenses_After_Pay_Loan", {amounts});
}

std::vector<std::string> SummaryNoteLines(const PrintContext& context, const ReportData& data)
{
    RequireResults(data);
    std::vector<std::string> paragraphs = WindowNoteParagraphs(context, data);
    const std::string disclaimer = Caption(context, "Notes_Disclaimer");
    std::vector<std::string> lines;
    if (data.strategy == Strategy::RRSP) {
        // The printed RRSP notes end with the comparison; no caution.
        for (const std::string& paragraph : paragraphs) {
            if (paragraph != disclaimer)
                lines.push_back(paragraph);
        }
        return lines;
    }
    // The window's first three sentences; its paragraph on limited
    // deductibility gives way to the amounts left undeducted.
    for (std::size_t i = 0; i < paragraphs.size() && i < 3; ++i)
        lines.push_back(paragraphs[i]);
    const DeductionTerms deductions = DeductionsOf(data);
    if (deductions.fedLimited || deductions.provLimited) {
        const RemainingDeductions& left = data.strategy == Strategy::InterestOnly
                                              ? IntOnly(data).remaining_deductions
                                              : Term(data).remaining_deductions;
        lines.push_back(UndeductedSentence(context, left));
    }
    lines.push_back(Caption(context, "Notes_IntOnly_Term_Line4"));
    lines.push_back(disclaimer);
    return lines;
}

} // namespace gw::report
