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
    {English, "main", "txtTaxRate", Leave, "100", "99", "marginal tax rate must be between 0% and 99%"},
    {English, "main", "txtTaxRate", Leave, "1e400", "99", "between 0% and 99%"},
    {English, "main", "txtTaxRate", Enter, "150", "99", "between 0% and 99%"},
    {English, "main", "txtTaxRate", Up, "99", "99", "between 0% and 99%"},
    {English, "main", "txtTaxRate", Down, "0", "0", "between 0% and 99%"},
    {English, "main", "txtTaxRate", Up, "1e308", "99", "between 0% and 99%"},
    // A click steps from the field as typed; without a number, from where the spinner stands.
    {English, "main", "txtTaxRate", Down, "37.6", "37", ""},
    {English, "main", "txtTaxRate", Down, "abc", "36", ""},
    {English, "main", "txtTaxRate", UpKey, "40", "41", ""},
    {English, "main", "txtIntRate", Leave, "51", "50", "loan interest rate must be between 1% and 50%"},
    {English, "main", "txtIntRate", Down, "-1e308", "1", "between 1% and 50%"},
    {English, "main", "txtSavingsPeriod", Leave, "0", "1", "savings period must be between 1 and 80 years"},
    {English, "main", "txtSavingsPeriod", Leave, "10.7", "10", "whole number"},
    {English, "main", "txtSavingsPeriod", Up, "10", "11", ""},
    {French, "main", "txtSavingsPeriod", Leave, "10,7", "10", "entier"},
    {English, "main", "txtReturn0", Leave, "30", "20", "rate of return must be between -99% and 20%"},
    {English, "main", "txtReturn1", Leave, "abc", "5", "number"},
    {English, "main", "txtReturn1", Leave, "12abc", "5", "number"},
    {English, "main", "txtReturn1", Leave, "- 3", "5", "number"},
    {English, "main", "txtReturn1", Leave, "1,5", "5", "number"},
    {English, "main", "txtReturn1", Leave, "-3.5", "-3.5", ""},
    {English, "main", "txtProjectionReturn0", Leave, "60", "20", "between -99% and 20%"},
    {English, "main", "txtLoanAmount", Leave, "lots", "$100,000", "number"},
    {English, "main", "txtLoanAmount", Leave, "0", "$100,000", "greater than zero"},
    {English, "main", "txtLoanAmount", Leave, "0.4", "$100,000", "greater than zero"},
    {English, "main", "txtLoanAmount", Leave, "$1", "$1", ""},
    {English, "main", "txtLoanAmount", Leave, "250000", "$250,000", ""},
    {French, "main", "txtLoanAmount", Leave, "150 000 $", "150 000 $", ""},
    {English, "main", "txtOtherUnlevInvest", Leave, "-2500", "-$2,500", ""},
    // The setup dialog puts a rate outside 0 to 100 back without a word.
    {English, "setup", "txtTaxOnInterest1", Leave, "150", "29.7", ""},
    {English, "setup", "txtTaxOnInterest1", Leave, "100.04", "100.0", ""},
    {English, "setup", "txtTaxOnInterest1", Leave, "abc", "29.7", "number"},
    {French, "setup", "txtTaxOnInterest1", Leave, "29,5", "29,5", ""},
    {English, "setup", "txtTaxOnDividends0", Leave, "12.34", "12.3", ""},
    {English, "setup", "txtStartOfTaxBracket1", Leave, "-5", "$57,375", ""},
    {English, "setup", "txtStartOfTaxBracket1", Leave, "75000.4", "$75,000", ""},
    {English, "setup", "txtCapGainsInclusionRate", Leave, "101", "100", "inclusion rate must be between 0% and 100%"},
    {English, "setup", "txtCapGainsInclusionRate", Enter, "101", "100", "between 0% and 100%"},
    {English, "setup", "txtCapGainsInclusionRate", Up, "100", "100", "between 0% and 100%"},
    {English, "setup", "txtFederalToMTRRatio", Leave, "150", "100.0", "federal share of the marginal tax rate"},
    {English, "setup", "txtFedInterestDeductibility", Leave, "120", "100.0", "deductible portion"},
    {English, "setup", "txtFedInvestmentExpenses", Leave, "7", "5.0", ""},
    {English, "advanced", "txtTimesLoanRepeated", Leave, "90", "0", "whole number between 0 and 6"},
    {English, "advanced", "txtTimesLoanRepeated", Leave, "2.6", "2", "whole number"},
    {English, "advanced", "txtDividends", Leave, "101", "100", "part of the gross return must be between 0% and 100%"},
    {English, "advanced", "txtDividends", Leave, "abc", "0", "number"},
    {English, "advanced", "txtDividends", Leave, "12.7", "12", "whole number"},
    {English, "advanced", "txtDividends", Leave, "-1e308", "0", "between 0% and 100%"},
    {English, "advanced", "txtDividends", Up, "100", "100", "between 0% and 100%"},
    // Enter presses OK without leaving the field: OK checks it, then the total.
    {English, "advanced", "txtDividends", Enter, "-3", "0", "100%. | Incorrect Entry: The four parts"},
    {English, "custom", "txtDividends", Leave, "101", "100", "between 0% and 100%"},
    {English, "print", "txtCopies", Leave, "150", "99", "no greater than 99 and no less than 1"},
    {English, "print", "txtCopies", Leave, "2.7", "2", "whole number"},
    {English, "print", "txtCopies", Leave, "1e308", "99", "no greater than 99"},
    {English, "print", "txtCopies", Leave, "0", "1", "no less than 1"},
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
