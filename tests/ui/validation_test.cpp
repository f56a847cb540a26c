// Every numeric field of every window, typed into as a user does, on the
// shipped data files and captions: what the field keeps and what the message
// says (the field and its legal range). The ends of each range are the
// window and command-line agreement's. The sponsor limits of the shipped
// Config.dat: returns up to 20, warned at 12; loan rates from 1, warned at 3.
#include "window_test.h"

namespace gw::test {
namespace {

enum How { Leave, Enter, Up, Down, UpKey };

// The window is main, setup, advanced, custom or print; `said` a part of the
// messages given, empty for none.
struct FieldCase {
    Language language;
    const char *window, *field;
    How how;
    const char *typed, *kept, *said;
};

const FieldCase kCases[] = {
    {English, "main", "txtTaxRate", Leave, "100", "99.0",
     "Marginal Tax Rate (%): \u201c100\u201d is above the highest value allowed, 99.0. The field now holds 99.0."},
    {English, "main", "txtTaxRate", Leave, "1e400", "99.0", "\u201c1e400\u201d is above the highest value allowed, 99.0"},
    {English, "main", "txtTaxRate", Enter, "150", "99.0", "highest value allowed, 99.0"},
    {English, "main", "txtTaxRate", Up, "99", "99.0", "\u201c100.0\u201d is above the highest value allowed, 99.0"},
    {English, "main", "txtTaxRate", Down, "0", "0.0", "\u201c-1.0\u201d is below the lowest value allowed, 0.0"},
    {English, "main", "txtTaxRate", Up, "1e308", "99.0", "highest value allowed, 99.0"},
    // A click steps from the field as typed; without a number, from where the spinner stands.
    {English, "main", "txtTaxRate", Down, "37.6", "37.0", ""},
    {English, "main", "txtTaxRate", Down, "abc", "36.0", ""},
    {English, "main", "txtTaxRate", UpKey, "40", "41.0", ""},
    {English, "main", "txtIntRate", Leave, "51", "50.0",
     "Loan Interest Rate (%): \u201c51\u201d is above the highest value allowed, 50.0. The field now holds 50.0."},
    {English, "main", "txtIntRate", Down, "-1e308", "1.0", "below the lowest value allowed, 1.0"},
    {English, "main", "txtSavingsPeriod", Leave, "0", "1",
     "Loan Term (years): \u201c0\u201d is below the lowest value allowed, 1. The field now holds 1."},
    {English, "main", "txtSavingsPeriod", Leave, "10.7", "10",
     "Loan Term (years): \u201c10.7\u201d is not a whole number. The field takes whole numbers from 1 to 80, and now holds 10."},
    {English, "main", "txtSavingsPeriod", Up, "10", "11", ""},
    {French, "main", "txtSavingsPeriod", Leave, "10,7", "10",
     "P\u00e9riode d\u2019\u00e9pargne (ans) : \u00ab 10,7 \u00bb n\u2019est pas un nombre entier"},
    {English, "main", "txtReturn0", Leave, "30", "20.0",
     "Projected Before-Tax Returns (%) 1: \u201c30\u201d is above the highest value allowed, 20.0."},
    {English, "main", "txtReturn1", Leave, "abc", "5.0",
     "Projected Before-Tax Returns (%) 2: \u201cabc\u201d is not a number. The field takes numbers from -99.0 to 20.0, and now holds 5.0."},
    {English, "main", "txtReturn1", Leave, "12abc", "5.0", "is not a number"},
    {English, "main", "txtReturn1", Leave, "- 3", "5.0", "is not a number"},
    {English, "main", "txtReturn1", Leave, "1,5", "5.0", "is not a number"},
    {English, "main", "txtReturn1", Leave, "-3.5", "-3.5", ""},
    {English, "main", "txtProjectionReturn0", Leave, "60", "20.0",
     "Projection Return (%): \u201c60\u201d is above the highest value allowed, 20.0."},
    {English, "main", "txtLoanAmount", Leave, "lots", "$100,000",
     "Loan Amount: \u201clots\u201d is not a number. The field takes numbers from $1 to $99,999,999, and now holds $100,000."},
    {English, "main", "txtLoanAmount", Leave, "0", "$100,000",
     "Loan Amount: \u201c0\u201d is below the lowest amount allowed, $1. The field now holds $100,000."},
    {English, "main", "txtLoanAmount", Leave, "0.4", "$100,000", "below the lowest amount allowed, $1"},
    {English, "main", "txtLoanAmount", Leave, "$1", "$1", ""},
    {English, "main", "txtLoanAmount", Leave, "250000", "$250,000", ""},
    {English, "main", "txtLoanAmount", Leave, "1e30", "$99,999,999",
     "Loan Amount: \u201c1e30\u201d is above the highest amount allowed, $99,999,999. The field now holds $99,999,999."},
    {French, "main", "txtLoanAmount", Leave, "150 000 $", "150 000 $", ""},
    {French, "main", "txtLoanAmount", Leave, "1e30", "99 999 999 $",
     "Montant du pr\u00eat : \u00ab 1e30 \u00bb d\u00e9passe le montant le plus \u00e9lev\u00e9 permis, 99 999 999 $. "
     "Le champ contient maintenant 99 999 999 $."},
    {English, "main", "txtOtherUnlevInvest", Leave, "-2500", "$0",
     "Other Unleveraged Investments: \u201c-2500\u201d is below the lowest amount allowed, $0. The field now holds $0."},
    // The setup dialog's repairs keep their values, now with a message.
    {English, "setup", "txtTaxOnInterest1", Leave, "150", "29.7",
     "Bracket 2, Tax on Interest (%): \u201c150\u201d is above the highest value allowed, 100.0. The field now holds 29.7."},
    {English, "setup", "txtTaxOnInterest1", Leave, "100.04", "100.0", ""},
    {English, "setup", "txtTaxOnInterest1", Leave, "abc", "29.7", "is not a number"},
    {French, "setup", "txtTaxOnInterest1", Leave, "29,5", "29,5", ""},
    {French, "setup", "txtTaxOnInterest1", Leave, "43.5", "43,5", ""},
    {English, "setup", "txtTaxOnDividends0", Leave, "12.34", "12.3", ""},
    {English, "setup", "txtStartOfTaxBracket1", Leave, "-5", "$57,375",
     "Bracket 2, Start of Bracket ($): \u201c-5\u201d is below the lowest amount allowed, $0. The field now holds $57,375."},
    {English, "setup", "txtStartOfTaxBracket1", Leave, "75000.4", "$75,000", ""},
    {English, "setup", "txtCapGainsInclusionRate", Leave, "101", "100.0",
     "Capital Gains Inclusion Rate (%): \u201c101\u201d is above the highest value allowed, 100.0."},
    {English, "setup", "txtCapGainsInclusionRate", Enter, "101", "100.0", "highest value allowed, 100.0"},
    {English, "setup", "txtCapGainsInclusionRate", Up, "100", "100.0", "\u201c101.0\u201d is above the highest value"},
    {English, "setup", "txtFederalToMTRRatio", Leave, "150", "100.0",
     "Federal Share of Marginal Tax Rate (%): \u201c150\u201d is above the highest value allowed, 100.0."},
    {English, "setup", "txtFedInterestDeductibility", Leave, "120", "100.0",
     "Federal Tax, Portion deductible (%): \u201c120\u201d is above the highest value allowed, 100.0."},
    {English, "setup", "txtFedInterestDeductibility", Leave, "-5", "100.0",
     "\u201c-5\u201d is below the lowest value allowed, 0.0. The field now holds 100.0."},
    {English, "setup", "txtFedInvestmentExpenses", Leave, "7", "5.0", "\u201c7\u201d is above the highest value allowed, 5.0."},
    {English, "advanced", "txtTimesLoanRepeated", Leave, "90", "0",
     "Times Loan Repeated: \u201c90\u201d is above the highest value allowed, 6. The field now holds 0."},
    {English, "advanced", "txtTimesLoanRepeated", Leave, "2.6", "2", "is not a whole number"},
    {English, "advanced", "txtDividends", Leave, "101", "100",
     "Dividends (%): \u201c101\u201d is above the highest value allowed, 100. The field now holds 100."},
    {English, "advanced", "txtDividends", Leave, "abc", "0", "is not a number"},
    {English, "advanced", "txtDividends", Leave, "12.7", "12", "is not a whole number"},
    {English, "advanced", "txtDividends", Leave, "-1e308", "0", "below the lowest value allowed, 0"},
    {English, "advanced", "txtDividends", Up, "100", "100", "above the highest value allowed, 100"},
    // Enter presses OK without leaving the field: OK checks it, and the
    // repair keeps the dialog open on it.
    {English, "advanced", "txtDividends", Enter, "-3", "0",
     "Value Out of Range: Dividends (%): \u201c-3\u201d is below the lowest value allowed, 0. The field now holds 0."},
    {English, "custom", "txtDividends", Leave, "101", "100", "above the highest value allowed, 100"},
    {English, "print", "txtCopies", Leave, "150", "99", "\u201c150\u201d is above the highest value allowed, 99."},
    {English, "print", "txtCopies", Leave, "2.7", "2", "is not a whole number"},
    {English, "print", "txtCopies", Leave, "1e308", "99", "above the highest value allowed, 99"},
    {English, "print", "txtCopies", Leave, "0", "1", "below the lowest value allowed, 1"},
};

// The window of the field, opened as the user opens it: the advanced
// details show the times repeated on the first input page, the breakdown on
// the second.
QWidget& windowOf(Program& program, const std::string& name, const std::string& field)
{
    MainWindow& main = *program.mainWindow();
    AdvancedDetails& advanced = program.detailDialogs()->advancedDetails();
    if (name == "advanced") {
        const int tab = field == "txtTimesLoanRepeated" ? 0 : 1;
        if (!advanced.isVisible() || main.tabInputs->currentIndex() != tab) {
            advanced.reject();
            main.tabInputs->setCurrentIndex(tab);
            emit main.advancedDetailsRequested();
        }
        return advanced;
    }
    if (name == "custom") {
        advanced.reject();
        if (!program.detailDialogs()->customInvestmentMix())
            emit main.customInvestmentMixRequested();
        return *program.detailDialogs()->customInvestmentMix();
    }
    return main;  // the setup and print dialogs are its children
}

TEST(FieldChecks, everyFieldKeepsALegalValueAndNamesItsRange)
{
    // A deduction limited: the other unleveraged investments show.
    const ConfigEdits limited{{"Provincial Deductibility Limited to Taxable Income", "True"}};
    ProgramOnData data[] = {ProgramOnData(limited), ProgramOnData(limited)};
    data[English].start(English).lstStrategyList->setCurrentRow(1);
    data[French].start(French);
    for (const FieldCase& c : kCases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.field + " <- " + c.typed);
        ProgramOnData& d = data[c.language];
        QWidget& window = windowOf(*d.program, c.window, c.field);
        QLineEdit* box = child<QLineEdit>(window, c.field);
        d.messages.messages.clear();
        QSignalSpy analyses(d.program->mainWindow(), &MainWindow::analysisCompleted);
        typeInto(box, c.typed);
        if (c.how == Leave)
            leave(box);
        else if (c.how == Enter)
            QTest::keyClick(box, Qt::Key_Return);
        else if (c.how == UpKey)
            QTest::keyClick(box, Qt::Key_Up);
        else
            clickArrow(*child<UpDown>(window, QString(c.field).replace("txt", "upd")), c.how == Up);
        EXPECT_EQ(box->text(), c.kept);
        const std::string said = d.messages.take();
        EXPECT_EQ(said.empty(), !*c.said) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        // One analysis, on the value kept: leaving the field again finds
        // nothing new.
        if (c.window == std::string("main")) {
            leave(box);
            EXPECT_EQ(analyses.count(), 1);
        }
    }
}

} // namespace
} // namespace gw::test
