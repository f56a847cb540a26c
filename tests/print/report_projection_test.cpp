// The projection printout on the recording page, with the shipped captions.
#include "report_fixture.h"

#include "numformat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace gw::test {
namespace {

class ProjectionReport : public ReportFixture {
protected:
    bool print(Language language = English)
    {
        PrintContext ctx = context(language);
        return PrintProjection(ctx, data);
    }

    // The pages on which `fragment` is printed, in order.
    std::vector<int> pagesOf(std::string_view fragment) const
    {
        std::vector<int> found;
        for (const PageOp& op : page.texts()) {
            if (op.text.find(fragment) != std::string::npos)
                found.push_back(op.page);
        }
        return found;
    }

    bool allWordsPrinted(const std::string& caption) const
    {
        std::size_t start = 0;
        while (start < caption.size()) {
            std::size_t end = caption.find(' ', start);
            if (end == std::string::npos)
                end = caption.size();
            if (end > start && !printed(caption.substr(start, end - start)))
                return false;
            start = end + 1;
        }
        return true;
    }

    // The year cells of the table: texts of the first column that are
    // whole numbers, in print order, with their page.
    std::vector<std::pair<int, int>> yearCells() const
    {
        std::vector<std::pair<int, int>> years;
        for (const PageOp& op : page.texts()) {
            if (op.x < 5 && !op.text.empty() && op.text.size() <= 2 &&
                std::all_of(op.text.begin(), op.text.end(), [](char c) { return c >= '0' && c <= '9'; }))
                years.emplace_back(std::stoi(op.text), op.page);
        }
        return years;
    }
};

TEST_F(ProjectionReport, LongProjectionContinuesOnFurtherPagesWithHeadsAndFooters)
{
    struct Case {
        Strategy strategy;
        double savingsPeriod;
        double timesRepeated;
    };
    for (const Case& c : {Case{Strategy::InterestOnly, 40, 0}, Case{Strategy::TermLoan, 10, 3},
                          Case{Strategy::RRSP, 8, 4}}) {
        SCOPED_TRACE(StrategyLabel(c.strategy));
        page = RecordingPage();
        AnalysisInputs in = DefaultInputs();
        in.savingsPeriod = c.savingsPeriod;
        in.timesRepeated = c.timesRepeated;
        analyse(c.strategy, in);
        ASSERT_TRUE(print()) << (reporter.messages.empty() ? "" : reporter.messages.back());

        const auto years = yearCells();
        ASSERT_EQ(years.size(), 40u) << allText();
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(years[static_cast<std::size_t>(i)].first, i + 1);
        const int lastPage = pages();
        EXPECT_GE(lastPage, 2);
        EXPECT_GT(years.back().second, years.front().second);

        // Every page carries its footer once; every page with rows repeats
        // the heads above them.
        const auto footers = pagesOf("assumptions that may not be realized");
        std::vector<int> expectedPages;
        for (int p = 1; p <= lastPage; ++p)
            expectedPages.push_back(p);
        EXPECT_EQ(footers, expectedPages);
        const auto heads = pagesOf("End");  // the year column's head, wrapped or not
        for (const auto& [year, onPage] : years)
            EXPECT_NE(std::find(heads.begin(), heads.end(), onPage), heads.end()) << "year " << year;
        // No row runs into the footer.
        for (const PageOp& op : page.texts()) {
            if (op.font.size < 9.5 && op.text.find("assumptions that may") == std::string::npos) {
                EXPECT_LT(op.y, 57.0) << op.text;
            }
        }
        EXPECT_EQ(page.ops().back().kind, PageOp::Kind::End);
    }
}

TEST_F(ProjectionReport, ColumnHeadsFollowTheStrategyLayoutAndLanguage)
{
    struct Case {
        Strategy strategy;
        bool limited;
        Language language;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::string fed = CaptionOf("FederalTotalDeduction2");
    const Case cases[] = {
        {Strategy::InterestOnly, false, English,
         {"Without Leverage", "With Leverage", "Comparison", "Difference ($)", "Difference (%)", "Value with"},
         {fed}},
        {Strategy::InterestOnly, false, French, {"Écart $", "Écart %", "Comparaison"}, {"Écart ($)"}},
        {Strategy::InterestOnly, true, English, {fed, CaptionOf("ATInvest2"), "Value with"}, {"Comparison"}},
        {Strategy::TermLoan, false, English, {"Principal", "Repaid", "Comparison", "Difference ($)"}, {fed}},
        {Strategy::TermLoan, true, French, {CaptionOf("FederalTotalDeduction2", French)}, {"Comparaison"}},
        {Strategy::RRSP, false, English, {"Catch-Up Loan", "Annual Spend Refund", "RRSP Value", "% Diff."}, {"Comparison"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(StrategyLabel(c.strategy)) + (c.limited ? " wide" : "") +
                     (c.language == French ? " fr" : " en"));
        page = RecordingPage();
        AnalysisInputs in = DefaultInputs();
        in.provLimited = c.limited;
        analyse(c.strategy, in);
        ASSERT_TRUE(print(c.language));
        // Heads may wrap in narrow columns: look for each word.
        for (const std::string& p : c.present)
            EXPECT_TRUE(allWordsPrinted(p)) << p << " in\n" << allText();
        for (const std::string& a : c.absent)
            EXPECT_FALSE(allWordsPrinted(a)) << a;
    }
}

TEST_F(ProjectionReport, RowsCarryTheYearsFiguresInColumnOrder)
{
    analyse(Strategy::InterestOnly);
    ASSERT_TRUE(print());
    const IntOnlyYear& y3 = std::get<IntOnlyResults>(results).projection[2];
    const auto texts = page.texts();
    const auto year = std::find_if(texts.begin(), texts.end(), [](const PageOp& op) { return op.text == "3" && op.x < 5; });
    ASSERT_NE(year, texts.end());
    std::vector<PageOp> row;
    for (const PageOp& op : texts) {
        if (op.page == year->page && std::abs(op.y - year->y) < 1e-9)
            row.push_back(op);
    }
    std::sort(row.begin(), row.end(), [](const PageOp& a, const PageOp& b) { return a.x < b.x; });
    std::vector<std::string> cells;
    for (const PageOp& op : row)
        cells.push_back(op.text);
    const auto f = [](double v) { return FormatNumber(v, "#,##0", English); };
    const std::vector<std::string> expected{"3",
                                            f(y3.unleveraged_balance),
                                            f(y3.unleveraged_distributions),
                                            f(y3.unleveraged_acb),
                                            f(y3.leveraged_balance),
                                            f(y3.leveraged_distributions),
                                            f(y3.net_balance_payoff),
                                            f(y3.acb_after),
                                            f(y3.increase),
                                            FormatNumber(y3.percent_increase, "##0%", English)};
    EXPECT_EQ(cells, expected);
}

TEST_F(ProjectionReport, FiguresTooWideForTheirColumnPrintAsHashes)
{
    analyse(Strategy::TermLoan);
    auto& r = std::get<TermResults>(results);
    for (TermYear& y : r.projection) {
        for (double* v : {&y.leveraged_balance, &y.net_balance_payoff, &y.acb_after, &y.interest, &y.principal,
                          &y.after_tax_cashflow, &y.unleveraged_balance, &y.unleveraged_acb, &y.increase})
            *v = 4.0e40;
        y.loan_balance = -3.0e40;
    }
    ASSERT_TRUE(print());
    const std::string text = allText();
    EXPECT_EQ(text.find("400,000,000,000"), std::string::npos);
    EXPECT_EQ(text.find("(300,000,000"), std::string::npos);
    bool hashes = false;
    for (const PageOp& op : page.texts())
        hashes = hashes || (op.text.size() > 2 && op.text.find_first_not_of('#') == std::string::npos);
    EXPECT_TRUE(hashes) << text;
}

TEST_F(ProjectionReport, NotesFollowTheStrategy)
{
    analyse(Strategy::RRSP);
    ASSERT_TRUE(print());
    EXPECT_TRUE(printed(CaptionOf("Notes_Title")));
    EXPECT_TRUE(printed(CaptionOf("Notes_RRSP_Projection").substr(0, 40)));
    EXPECT_FALSE(printed(CaptionOf("Notes_IntOnly_Term_Line4").substr(0, 40)));

    page = RecordingPage();
    AnalysisInputs in = DefaultInputs();
    in.fedLimited = true;
    analyse(Strategy::TermLoan, in);
    ASSERT_TRUE(print());
    const int notes = indexOf(CaptionOf("Notes_Title"));
    ASSERT_GE(notes, 0);
    const int projection = indexOf(CaptionOf("Notes_Term_Projection").substr(0, 40), notes);
    const int line4 = indexOf(CaptionOf("Notes_IntOnly_Term_Line4").substr(0, 40), notes);
    const auto& left = std::get<TermResults>(results).remaining_deductions;
    const int undeducted =
        indexOf(FormatNumber(left.federal, "$#,##0", English) + " (Federal), " +
                    FormatNumber(left.provincial, "$#,##0", English) + " (Provincial)",
                notes);
    EXPECT_GT(projection, notes);
    EXPECT_GT(line4, projection);
    EXPECT_GT(undeducted, line4) << allText();
    EXPECT_GT(indexOf("magnifies both gains", notes), undeducted);
}

TEST_F(ProjectionReport, SubtitleCarriesTheProjectionReturnAndRates)
{
    AnalysisInputs in = DefaultInputs();
    in.projectionReturn = 8.25;
    analyse(Strategy::InterestOnly, in);
    ASSERT_TRUE(print(French));
    EXPECT_TRUE(printed("Rendement projeté de 8,25 %, taux d’intérêt du prêt de 7,0 %, taux marginal d’imposition de 40,0 %"))
        << allText();
}

} // namespace
} // namespace gw::test
