// The advanced details and custom investment mix dialogs on the main window
// of fakes.
#include "window_fixture.h"

namespace gw::test {
namespace {

const QStringList kPartFields{"txtDeferredCapitalGains", "txtCapitalGains", "txtDividends", "txtInterest"};

// Which dialog a case goes through.
enum class Through { Advanced, Custom };

class DetailDialogTest : public WindowTest {
protected:
    void openOn(int strategy = 0, int inputTab = 1)
    {
        open();
        window->lstStrategyList->setCurrentRow(strategy);
        window->tabInputs->setCurrentIndex(inputTab);
        messages.messages.clear();
        runner.runs = 0;
    }
    AdvancedDetails* openAdvanced()
    {
        window->cmdAdvancedSettings_Input->click();
        AdvancedDetails* dialog = &dialogs->advancedDetails();
        EXPECT_TRUE(dialog->isVisible());
        return dialog;
    }
    CustomInvestmentMix* openCustom()
    {
        child<QRadioButton>(*window, "optCustomInvestmentMix")->click();
        CustomInvestmentMix* dialog = dialogs->customInvestmentMix();
        if (!dialog)
            throw std::runtime_error("the custom investment mix did not open");
        return dialog;
    }
    QDialog* openDialog(Through through)
    {
        if (through == Through::Advanced)
            return openAdvanced();
        return openCustom();
    }
    static std::string name(Through through) { return through == Through::Advanced ? "advanced " : "custom "; }
    static void typeParts(QDialog& dialog, const std::array<QString, 4>& parts)
    {
        for (int k = 0; k < 4; ++k)
            typeInto(child<QLineEdit>(dialog, kPartFields[k]), parts[k]);
    }
    Breakdown modelBreakdown() const { return window->currentInputs().breakdown; }
    bool optionChecked(const QString& name) { return child<QRadioButton>(*window, name)->isChecked(); }
};

TEST_F(DetailDialogTest, okPutsEachPartInItsOwnSlotAndTheOptionFollows)
{
    // Dividends and interest differ in every case, so a swap shows.
    const std::pair<Breakdown, const char*> cases[] = {
        {{10, 20, 30, 40}, "optCustomInvestmentMix"}, {{40, 10, 0, 50}, "optCustomInvestmentMix"},
        {{40, 10, 50, 0}, "optDividends"},            {{40, 10, 20, 30}, "optBalancedFund"},
        {{95, 5, 0, 0}, "optTaxEfficient"},
    };
    for (Through through : {Through::Advanced, Through::Custom}) {
        for (const auto& [parts, option] : cases) {
            SCOPED_TRACE(name(through) + option + " " + std::to_string(parts[0]) + "/" + std::to_string(parts[3]));
            openOn();
            QDialog* dialog = openDialog(through);
            std::array<QString, 4> typed;
            for (int k = 0; k < 4; ++k)
                typed[k] = QString::number(parts[k]);
            typeParts(*dialog, typed);
            child<QPushButton>(*dialog, "cmdOK")->click();
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(modelBreakdown(), parts);
            ASSERT_EQ(runner.runs, 1);
            EXPECT_EQ(runner.inputs.back().breakdown, parts);
            EXPECT_TRUE(optionChecked(option));
            EXPECT_FALSE(window->inputsChanged());
            EXPECT_TRUE(messages.messages.empty());
        }
    }
}

TEST_F(DetailDialogTest, aTotalOtherThanAHundredIsRefusedAndChangesNothing)
{
    for (Through through : {Through::Advanced, Through::Custom}) {
        SCOPED_TRACE(name(through));
        openOn();
        const Breakdown before = modelBreakdown();
        QDialog* dialog = openDialog(through);
        typeParts(*dialog, {"70", "25", "5", "1"});
        child<QPushButton>(*dialog, "cmdOK")->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(messages.take(), "[IncorrectInputTitle]: [InvalidBreakdown]");
        EXPECT_EQ(modelBreakdown(), before);
        EXPECT_EQ(runner.runs, 0);
        EXPECT_TRUE(optionChecked(through == Through::Custom ? "optCustomInvestmentMix" : "optRegularEquity"));

        // Mended, the same dialog takes it.
        typeInto(child<QLineEdit>(*dialog, "txtInterest"), "0");
        child<QPushButton>(*dialog, "cmdOK")->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(modelBreakdown(), (Breakdown{70, 25, 5, 0}));
        EXPECT_TRUE(optionChecked("optRegularEquity"));
    }
}

TEST_F(DetailDialogTest, aPartIsRepairedWhenLeftAndBeforeOk)
{
    const struct {
        QString typed;
        QString repaired;
        std::string message;  // empty: none
    } cases[] = {
        {"101", "100", "[OutOfBoundsTitle]: Part: 0 to 100"},  {"-3", "0", "[OutOfBoundsTitle]: Part: 0 to 100"},
        {"abc", "0", "[IncorrectInputTitle]: [checkValue]"},   {"12.7", "12", "[IncorrectInputTitle]: [checkIntegerValue]"},
        {"55", "55", ""},
        {"1e308", "100", "[OutOfBoundsTitle]: Part: 0 to 100"}, {"-1e308", "0", "[OutOfBoundsTitle]: Part: 0 to 100"},
    };
    for (Through through : {Through::Advanced, Through::Custom}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(name(through) + c.typed.toStdString());
            openOn();
            QDialog* dialog = openDialog(through);
            QLineEdit* dividends = child<QLineEdit>(*dialog, "txtDividends");
            typeInto(dividends, c.typed);
            leave(dividends);
            EXPECT_EQ(dividends->text(), c.repaired);
            EXPECT_EQ(messages.take(), c.message);
            // Enter presses OK without leaving the field: OK checks it, then
            // the total.
            typeInto(dividends, c.typed);
            pressEnter(dividends);
            EXPECT_EQ(dividends->text(), c.repaired);
            EXPECT_EQ(messages.take(), (c.message.empty() ? "" : c.message + " | ") +
                                           "[IncorrectInputTitle]: [InvalidBreakdown]");
            EXPECT_TRUE(dialog->isVisible());
        }
    }
}

TEST_F(DetailDialogTest, aSpinnerClickPastTheEndIsRepaired)
{
    openOn();
    AdvancedDetails* dialog = openAdvanced();
    QLineEdit* field = dialog->breakdown.fields[kDeferredCapGains];
    for (const char* typed : {"100", "1e308"}) {  // a number past any whole one too
        SCOPED_TRACE(typed);
        typeInto(field, typed);
        clickArrow(*dialog->breakdown.spinners[kDeferredCapGains], true);
        EXPECT_EQ(field->text(), "100");
        EXPECT_EQ(messages.take(), "[OutOfBoundsTitle]: Part: 0 to 100");
    }
}

TEST_F(DetailDialogTest, timesRepeatedPastEightyYearsIsResetWithTheMessage)
{
    setup.values[Setting::SavingsPeriod] = 20;
    const struct {
        int strategy;
        QString typed;
        QString kept;
        std::string messages;
    } cases[] = {
        {1, "3", "3", ""},
        {1, "4", "0", "[IncorrectInputTitle]: At most 80 years"},
        {2, "4", "0", "[IncorrectInputTitle]: At most 80 years"},
        // Out of range first: the message names the last legal count for
        // 20 years, then the repaired 80 fails the 80-year check.
        {1, "90", "0", "[OutOfBoundsTitle]: Repeats: 0 to 3 | [IncorrectInputTitle]: At most 80 years"},
        {1, "-1", "0", "[OutOfBoundsTitle]: Repeats: 0 to 3"},
        {1, "2.6", "2", "[IncorrectInputTitle]: [checkIntegerValue]"},
        {1, "1e308", "0", "[OutOfBoundsTitle]: Repeats: 0 to 3 | [IncorrectInputTitle]: At most 80 years"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.strategy) + " " + c.typed.toStdString());
        openOn(c.strategy, 0);
        AdvancedDetails* dialog = openAdvanced();
        ASSERT_TRUE(dialog->fraTimesLoanRepeated->isVisibleTo(dialog));
        EXPECT_EQ(dialog->mostTimesLoanRepeated(), 3);
        typeInto(dialog->txtTimesLoanRepeated, c.typed);
        leave(dialog->txtTimesLoanRepeated);
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), c.kept);
        EXPECT_EQ(messages.take(), c.messages);

        dialog->cmdOK->click();
        EXPECT_FALSE(dialog->isVisible());
        ASSERT_EQ(runner.runs, 1);
        EXPECT_EQ(runner.inputs.back().timesRepeated, c.kept.toDouble());
    }
}

TEST_F(DetailDialogTest, theSavingsPeriodCheckReadsTheDialogsTimesRepeated)
{
    openOn(1, 0);
    AdvancedDetails* dialog = openAdvanced();
    typeInto(dialog->txtTimesLoanRepeated, "3");
    dialog->cmdOK->click();
    EXPECT_EQ(window->currentInputs().timesRepeated, 3);

    // 3 repeats of 30 years is 120 years.
    enter("txtSavingsPeriod", "30");
    EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), "0");
    EXPECT_EQ(messages.lastText(), "At most 80 years");
}

TEST_F(DetailDialogTest, cancelPutsBackTheTimesRepeatedShownAndTouchesNothing)
{
    setup.values[Setting::TimesLoanRepeated] = 2;
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "escape" : "button");
        openOn(1, 0);
        AdvancedDetails* dialog = openAdvanced();
        EXPECT_EQ(dialog->savedTimesLoanRepeated(), 2);
        typeInto(dialog->txtTimesLoanRepeated, "5");
        leave(dialog->txtTimesLoanRepeated);
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), "5");
        if (escape)
            QTest::keyClick(dialog->txtTimesLoanRepeated, Qt::Key_Escape);
        else
            dialog->cmdCancel->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), "2");
        EXPECT_EQ(window->currentInputs().timesRepeated, 2);
        EXPECT_EQ(modelBreakdown(), (Breakdown{70, 25, 5, 0}));
        EXPECT_EQ(runner.runs, 0);
    }
}

TEST_F(DetailDialogTest, advancedCancelLeavesTheBreakdownAndTheNextOpeningShowsIt)
{
    openOn(0, 1);
    AdvancedDetails* dialog = openAdvanced();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    typeParts(*dialog, {"10", "20", "30", "40"});
    // A click on Cancel takes the focus from a wrong entry without checking it.
    dialog->breakdown.fields[kInterest]->setFocus();
    typeInto(dialog->breakdown.fields[kInterest], "400");
    QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(modelBreakdown(), (Breakdown{70, 25, 5, 0}));
    EXPECT_TRUE(messages.messages.empty());
    dialog = openAdvanced();
    EXPECT_EQ(dialog->breakdown.values(English), (Breakdown{70, 25, 5, 0}));
}

TEST_F(DetailDialogTest, customCancelKeepsTheBreakdownAndItsOption)
{
    for (const char* start : {"optRegularEquity", "optBalancedFund"}) {
        SCOPED_TRACE(start);
        openOn();
        child<QRadioButton>(*window, start)->click();
        const Breakdown before = modelBreakdown();
        runner.runs = 0;
        CustomInvestmentMix* dialog = openCustom();
        EXPECT_EQ(dialog->breakdown.values(English), before);
        EXPECT_TRUE(optionChecked("optCustomInvestmentMix"));
        typeParts(*dialog, {"10", "20", "30", "40"});
        dialog->cmdCancel->click();
        EXPECT_EQ(dialogs->customInvestmentMix(), nullptr);
        EXPECT_EQ(modelBreakdown(), before);
        EXPECT_TRUE(optionChecked(start));
        EXPECT_EQ(runner.runs, 0);
    }
    // Closed, it is gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChild<CustomInvestmentMix*>("frmCustomInvestmentMix"), nullptr);
}

TEST_F(DetailDialogTest, helpOpensTopic104AndTheExplanationShowsItsCaption)
{
    openOn(1, 0);
    AdvancedDetails* advanced = openAdvanced();
    advanced->cmdHelp->click();
    QTest::keyClick(advanced->txtTimesLoanRepeated, Qt::Key_F1);
    advanced->cmdTimesLoanRepeated->click();
    EXPECT_EQ(messages.lastText(), "[WTTimesLoanRepeated]");
    advanced->reject();

    CustomInvestmentMix* custom = openCustom();
    EXPECT_EQ(custom->windowTitle(), "[optCustomInvestmentMix]");
    QTest::keyClick(custom->breakdown.fields[0], Qt::Key_F1);
    EXPECT_EQ(help.topics, (std::vector<int>{104, 104, 104}));
    custom->reject();
}

TEST_F(DetailDialogTest, customMixWaitsWhileTheAdvancedDetailsAreOpen)
{
    openOn();
    openAdvanced();
    emit window->customInvestmentMixRequested();
    EXPECT_EQ(dialogs->customInvestmentMix(), nullptr);
}

} // namespace
} // namespace gw::test
