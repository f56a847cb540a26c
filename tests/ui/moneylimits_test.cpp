// What a newcomer typed into the windows: absurd, negative and empty amounts
// in every money field, bracket starts out of order, a times-repeated value
// too long for the loan term, and numbers in either decimal mark. Each entry
// is repaired with one message that names the field, what was typed, the
// legal range and what the field now holds; the window keeps its width and
// every figure fits its column; every field shows its display pattern.
#include "golden.h"
#include "window_test.h"

namespace gw::test {
namespace {

// The figures of the visible tables that do not fit their column.
std::vector<std::string> overflowingCells(QWidget& window)
{
    std::vector<std::string> out;
    for (QTableWidget* grid : window.findChildren<QTableWidget*>()) {
        if (!grid->isVisibleTo(&window))
            continue;
        const QFontMetrics fm(grid->font());
        for (int r = 0; r < grid->rowCount(); ++r) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                const QTableWidgetItem* item = grid->item(r, c);
                for (const QString& line : item ? item->text().split(u'\n') : QStringList()) {
                    if (fm.horizontalAdvance(line) > grid->columnWidth(c))
                        out.push_back(grid->objectName().toStdString() + ": " + line.toStdString());
                }
            }
        }
    }
    return out;
}

// A field of the main window or of its setup dialog ("setup:" in front),
// typed into and left; the setup dialog's values then go to the window as
// its OK sends them.
void enterInto(ProgramOnData& data, const std::string& name, const QString& typed)
{
    MainWindow& main = *data.program->mainWindow();
    const bool setup = name.starts_with("setup:");
    QLineEdit* box = child<QLineEdit>(main, QString::fromStdString(setup ? name.substr(6) : name));
    if (name == "txtAnnualInvestment")
        child<QRadioButton>(main, "optAnnualInvestment")->setChecked(true);
    else
        child<QRadioButton>(main, "optLoanAmount")->setChecked(true);
    // Select all and delete, so that an empty entry empties the field.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, typed);
    leave(box);
    if (setup) {
        ProgramSetup& dialog = *data.program->setupDialog();
        emit dialog.settingsApplied(dialog.values());
    }
}

TEST(MoneyLimits, absurdAmountsAreRepairedWithOneMessageAndTheWindowKeepsItsWidth)
{
    // A deduction limited: the other unleveraged investments show.
    const ConfigEdits limited{{"Provincial Deductibility Limited to Taxable Income", "True"}};
    const std::vector<std::string> fields{"txtLoanAmount", "txtAnnualInvestment", "txtOtherUnlevInvest",
                                          "setup:txtStartOfTaxBracket0", "setup:txtStartOfTaxBracket1",
                                          "setup:txtStartOfTaxBracket3"};
    std::string record;
    for (const Language language : {English, French}) {
        ProgramOnData data(limited);
        MainWindow& main = data.start(language);
        main.show();
        QApplication::processEvents();
        const int width = main.width();
        const QStringList typed{"1e30", QString(35, u'9'), language == English ? "-5,000" : "-5 000", ""};
        for (const std::string& name : fields) {
            for (const QString& text : typed) {
                SCOPED_TRACE(name + " <- " + text.toStdString());
                data.messages.messages.clear();
                enterInto(data, name, text);
                QApplication::processEvents();
                const QString kept = child<QLineEdit>(main, QString::fromStdString(name.substr(name.find(':') + 1)))->text();
                const std::string said = data.messages.take();
                record += name + " <- \"" + text.toStdString() + "\": " + kept.toStdString() + "\n  " + said + "\n";
                EXPECT_FALSE(said.empty());
                EXPECT_EQ(said.find('|'), std::string::npos) << "one message only";
                const std::string quoted = language == English ? "\u201c" + text.toStdString() + "\u201d"
                                                               : "\u00ab " + text.toStdString() + " \u00bb";
                EXPECT_NE(said.find(quoted), std::string::npos) << said;
                EXPECT_LE(FieldNumber(kept, language), kMostDollars);
                EXPECT_GE(FieldNumber(kept, language), 0);
                EXPECT_EQ(main.width(), width);
                EXPECT_EQ(overflowingCells(main), std::vector<std::string>{});
                // The notes speak of the loan the field holds.
                const QString notes = child<QTextEdit>(main, "txtSummaryTableNotes")->toPlainText();
                const QString loan = child<QLineEdit>(main, "txtLoanAmount")->text();
                const auto spaced = [](QString text) {
                    return text.replace(QChar(0xA0), u' ').replace(QChar(0x202F), u' ');
                };
                EXPECT_TRUE(spaced(notes).contains(spaced(loan))) << notes.toStdString();
            }
        }
        // The setup dialog's brackets back in order for the next language.
    }
    ExpectGolden(record, "ui/golden/money-limits.txt");
}

// A loan whose annual investment would pass the highest amount is lowered
// until it does not, and the other way round; the message names both fields.
TEST(MoneyLimits, theComputedMoneyFieldStaysLegalToo)
{
    ProgramOnData data;
    MainWindow& main = data.start(English);
    main.lstStrategyList->setCurrentRow(1);  // the term loan: payment above the loan
    enter(child<QLineEdit>(main, "txtSavingsPeriod"), "1");
    data.messages.messages.clear();
    enterInto(data, "txtLoanAmount", "99999999");
    const std::string said = data.messages.take();
    EXPECT_NE(said.find("Loan Amount: \u201c99999999\u201d is above the highest amount allowed here, $"), std::string::npos)
        << said;
    EXPECT_NE(said.find(", since the Annual Loan Payment can be at most $99,999,999."), std::string::npos) << said;
    const double loan = FieldNumber(child<QLineEdit>(main, "txtLoanAmount")->text(), English);
    const double annual = FieldNumber(child<QLineEdit>(main, "txtAnnualInvestment")->text(), English);
    EXPECT_LT(loan, kMostDollars);
    EXPECT_LE(annual, kMostDollars);
    EXPECT_GT(annual, kMostDollars - 2);  // the largest loan that fits, not any smaller one

    enterInto(data, "txtAnnualInvestment", "99999999");
    EXPECT_LE(FieldNumber(child<QLineEdit>(main, "txtLoanAmount")->text(), English), kMostDollars);
    EXPECT_EQ(child<QLineEdit>(main, "txtAnnualInvestment")->text(), "$99,999,999");
    EXPECT_EQ(data.messages.take(), "");
}

// Bracket starts rise: an entry at or past a neighbour goes just inside it,
// and the message names that bracket.
TEST(MoneyLimits, bracketStartsRiseFromOneBracketToTheNext)
{
    ProgramOnData data;
    MainWindow& main = data.start(English);
    ProgramSetup& setup = *data.program->setupDialog();
    const struct {
        int row;
        const char *typed, *kept, *said;
    } cases[] = {
        {1, "0", "$1", "Bracket 2, Start of Bracket ($): \u201c0\u201d is not above the start of Bracket 1, $0: "},
        {1, "200000", "$114,749", "is not below the start of Bracket 3, $114,750: "},
        {1, "57375", "$57,375", ""},
        {2, "57375", "$57,376", "is not above the start of Bracket 2, $57,375: "},
        {3, "-1", "$253,414", "is below the lowest amount allowed, $0. The field now holds $253,414."},
        {3, "57376", "$57,377", "is not above the start of Bracket 3, $57,376: "},
        {0, "5", "$5", ""},
        {3, "300000", "$300,000", ""},
        {2, "60000", "$60,000", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in bracket " + std::to_string(c.row + 1));
        QLineEdit* box = setup.txtStartOfTaxBracket[std::size_t(c.row)];
        enter(box, c.typed);
        EXPECT_EQ(box->text(), c.kept);
        const std::string said = data.messages.take();
        EXPECT_EQ(said.empty(), !*c.said) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
    }
    (void)main;
}

// A repair on OK keeps a dialog open on the field repaired, so that the user
// sees what it now holds before anything is applied.
TEST(FieldVoice, aRepairOnOkKeepsTheDialogOpenOnTheField)
{
    ProgramOnData data;
    MainWindow& main = data.start(English);
    main.lstStrategyList->setCurrentRow(1);
    enter(child<QLineEdit>(main, "txtSavingsPeriod"), "20");
    AdvancedDetails& advanced = data.program->detailDialogs()->advancedDetails();
    main.tabInputs->setCurrentIndex(0);
    emit main.advancedDetailsRequested();
    ASSERT_TRUE(advanced.isVisible());
    data.messages.messages.clear();
    typeInto(advanced.txtTimesLoanRepeated, "5");
    advanced.cmdOK->click();
    EXPECT_TRUE(advanced.isVisible());
    EXPECT_EQ(advanced.txtTimesLoanRepeated->text(), "0");
    EXPECT_EQ(data.messages.take(),
              "Value Out of Range: Times Loan Repeated: \u201c5\u201d is above the highest value allowed, 3. "
              "The field now holds 0.");
    typeInto(advanced.txtTimesLoanRepeated, "3");
    advanced.cmdOK->click();
    EXPECT_FALSE(advanced.isVisible());
    EXPECT_EQ(data.messages.take(), "");

    // The setup dialog: OK on a repaired cell stays, on its tab.
    ProgramSetup& setup = *data.program->setupDialog();
    whenShown(&setup, [&] {
        setup.tabSetup->setCurrentIndex(2);
        setup.txtTaxOnInterest[1]->setText("150");
        setup.cmdOk->click();
        EXPECT_TRUE(setup.isVisible());
        EXPECT_EQ(setup.tabSetup->currentIndex(), 0);
        EXPECT_EQ(setup.txtTaxOnInterest[1]->text(), "29.7");
        EXPECT_EQ(data.messages.take(), "Value Out of Range: Bracket 2, Tax on Interest (%): \u201c150\u201d is above "
                                        "the highest value allowed, 100.0. The field now holds 29.7.");
        setup.cmdOk->click();
    });
    setup.execOnTab(1);
    EXPECT_FALSE(setup.isVisible());
}

// The loan term's label names the field in the 80-year message, in both
// directions.
TEST(FieldVoice, theEightyYearMessageNamesTheLoanTerm)
{
    ProgramOnData data;
    MainWindow& main = data.start(French);
    main.lstStrategyList->setCurrentRow(1);
    data.program->detailDialogs()->advancedDetails().txtTimesLoanRepeated->setText("3");
    data.messages.messages.clear();
    enter(child<QLineEdit>(main, "txtSavingsPeriod"), "25");
    EXPECT_EQ(data.messages.take(),
              "Saisie incorrecte: Durée du prêt (ans) : « 25 » avec Renouvellements du prêt à 3 donne 100 années de "
              "prêts, plus que les 80 années d’une projection. Le champ Renouvellements du prêt contient maintenant 0.");
}

// Every field shows its display pattern after it is left, spun or loaded,
// in the language in use, and a switch of language rewrites them all.
TEST(FieldVoice, fieldsShowTheirPatternInTheLanguageInUse)
{
    ProgramOnData data;
    MainWindow& main = data.start(English);
    const auto shown = [&](const QStringList& names) {
        QStringList texts;
        for (const QString& name : names)
            texts << child<QLineEdit>(main, name)->text();
        return texts.join(' ').toStdString();
    };
    const QStringList names{"txtLoanAmount", "txtTaxRate", "txtIntRate", "txtSavingsPeriod", "txtReturn0", "txtReturn1"};
    EXPECT_EQ(shown(names), "$100,000 40.0 7.0 10 4.0 6.0");
    enter(child<QLineEdit>(main, "txtReturn0"), "4");
    enter(child<QLineEdit>(main, "txtTaxRate"), "43.456");
    clickArrow(*child<UpDown>(main, "updIntRate"), true);
    EXPECT_EQ(shown(names), "$100,000 43.46 8.0 10 4.0 6.0");

    data.program->applyLanguage(French);
    EXPECT_EQ(shown(names), "100 000 $ 43,46 8,0 10 4,0 6,0");
    enter(child<QLineEdit>(main, "txtTaxRate"), "41.5");
    enter(child<QLineEdit>(main, "txtReturn1"), "7,25");
    clickArrow(*child<UpDown>(main, "updSavingsPeriod"), false);
    clickArrow(*child<UpDown>(main, "updReturn0"), true);
    EXPECT_EQ(shown(names), "100 000 $ 41,5 8,0 9 5,0 7,3");

    ProgramSetup& setup = *data.program->setupDialog();
    enter(setup.txtCapGainsInclusionRate, "66.7");
    EXPECT_EQ(setup.txtCapGainsInclusionRate->text(), "66,7");
    data.program->applyLanguage(English);
    EXPECT_EQ(setup.txtCapGainsInclusionRate->text(), "66.7");
    EXPECT_EQ(shown(names), "$100,000 41.5 8.0 9 5.0 7.3");
}

} // namespace
} // namespace gw::test
