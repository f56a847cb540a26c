// The advanced details and custom investment mix dialogs on the main window
// of fakes.
#include "window_test.h"

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

// OK hands the times repeated to one analysis; Cancel and Escape put back
// what the dialog showed and run nothing.
TEST_F(DetailDialogTest, okTakesTheTimesRepeatedAndCancelPutsThemBack)
{
    setup.values[Setting::TimesLoanRepeated] = 2;
    for (const char* how : {"OK", "Cancel", "Escape"}) {
        SCOPED_TRACE(how);
        openOn(1, 0);
        AdvancedDetails* dialog = openAdvanced();
        typeInto(dialog->txtTimesLoanRepeated, "5");
        leave(dialog->txtTimesLoanRepeated);
        if (how[0] == 'E')
            QTest::keyClick(dialog->txtTimesLoanRepeated, Qt::Key_Escape);
        else
            (how[0] == 'O' ? dialog->cmdOK : dialog->cmdCancel)->click();
        const bool ok = how[0] == 'O';
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), ok ? "5" : "2");
        EXPECT_EQ(window->currentInputs().timesRepeated, ok ? 5 : 2);
        EXPECT_EQ(runner.runs, ok ? 1 : 0);
        EXPECT_EQ(modelBreakdown(), (Breakdown{70, 25, 5, 0}));
        if (ok) {
            EXPECT_EQ(runner.inputs.back().timesRepeated, 5);
        }
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

TEST_F(DetailDialogTest, customMixWaitsWhileTheAdvancedDetailsAreOpen)
{
    openOn();
    openAdvanced();
    emit window->customInvestmentMixRequested();
    EXPECT_EQ(dialogs->customInvestmentMix(), nullptr);
}

} // namespace
} // namespace gw::test
