// The advanced details and custom investment mix dialogs on the main window
// of fakes: what OK hands on, what Cancel leaves.
#include "window_test.h"

namespace gw::test {
namespace {

class DetailDialogTest : public WindowTest {
protected:
    // The dialog on the strategy and input page, opened by its button.
    QDialog* openDialog(bool advanced, int strategy = 0, int inputTab = 1)
    {
        open();
        window->lstStrategyList->setCurrentRow(strategy);
        window->tabInputs->setCurrentIndex(inputTab);
        runner.runs = 0;
        return showDialog(advanced);
    }
    QDialog* showDialog(bool advanced)
    {
        if (advanced)
            window->cmdAdvancedSettings_Input->click();
        else
            child<QRadioButton>(*window, "optCustomInvestmentMix")->click();
        QDialog* dialog = advanced ? static_cast<QDialog*>(&dialogs->advancedDetails()) : dialogs->customInvestmentMix();
        if (!dialog || !dialog->isVisible())
            throw std::runtime_error("the dialog did not open");
        return dialog;
    }
    static void typeParts(QDialog& dialog, const Breakdown& parts)
    {
        const char* names[] = {"txtDeferredCapitalGains", "txtCapitalGains", "txtDividends", "txtInterest"};
        for (int k = 0; k < 4; ++k)
            typeInto(child<QLineEdit>(dialog, names[k]), QString::number(parts[std::size_t(k)]));
    }
    Breakdown model() const { return window->currentInputs().breakdown; }
    bool checked(const QString& option) { return child<QRadioButton>(*window, option)->isChecked(); }
};

// OK puts each part in its own slot (dividends and interest differ in every
// case, so a swap shows) and the option that shows the breakdown follows;
// a total other than 100 is refused and changes nothing.
TEST_F(DetailDialogTest, okHandsOnABreakdownOfAHundredAndTheOptionFollows)
{
    const std::pair<Breakdown, const char*> cases[] = {
        {{10, 20, 30, 40}, "optCustomInvestmentMix"}, {{40, 10, 0, 50}, "optCustomInvestmentMix"},
        {{40, 10, 50, 0}, "optDividends"},            {{40, 10, 20, 30}, "optBalancedFund"},
        {{95, 5, 0, 0}, "optTaxEfficient"},           {{70, 25, 5, 1}, nullptr},
    };
    for (bool advanced : {true, false}) {
        for (const auto& [parts, option] : cases) {
            SCOPED_TRACE((advanced ? "advanced " : "custom ") + std::to_string(parts[0]) + "/" + std::to_string(parts[3]));
            QDialog* dialog = openDialog(advanced);
            messages.messages.clear();
            typeParts(*dialog, parts);
            child<QPushButton>(*dialog, "cmdOK")->click();
            EXPECT_EQ(dialog->isVisible(), !option);
            EXPECT_EQ(messages.take(), option ? "" : "[IncorrectInputTitle]: [InvalidBreakdown]");
            EXPECT_EQ(model(), (option ? parts : Breakdown{70, 25, 5, 0}));
            EXPECT_EQ(runner.runs, option ? 1 : 0);
            EXPECT_EQ(runner.inputs.back().breakdown, model());
            EXPECT_TRUE(checked(option ? option : advanced ? "optRegularEquity" : "optCustomInvestmentMix"));
            EXPECT_FALSE(window->inputsChanged());
        }
    }
}

// OK hands the times repeated to one analysis; Cancel and Escape put back
// what the dialog showed and run nothing.
TEST_F(DetailDialogTest, okTakesTheTimesRepeatedAndCancelPutsThemBack)
{
    setup.values[Setting::TimesLoanRepeated] = 2;
    for (const char* how : {"OK", "Cancel", "Escape"}) {
        SCOPED_TRACE(how);
        auto* dialog = static_cast<AdvancedDetails*>(openDialog(true, 1, 0));
        gw::test::enter(dialog->txtTimesLoanRepeated, "5");
        if (how[0] == 'E')
            QTest::keyClick(dialog->txtTimesLoanRepeated, Qt::Key_Escape);
        else
            (how[0] == 'O' ? dialog->cmdOK : dialog->cmdCancel)->click();
        const bool ok = how[0] == 'O';
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), ok ? "5" : "2");
        EXPECT_EQ(window->currentInputs().timesRepeated, ok ? 5 : 2);
        EXPECT_EQ(runner.runs, ok ? 1 : 0);
        EXPECT_EQ(runner.inputs.back().timesRepeated, window->currentInputs().timesRepeated);
    }
}

// Cancel leaves the breakdown and the option as they were, without checking
// a wrong entry first; the next opening shows the breakdown. The custom mix
// is gone once closed, and never opens over the advanced details.
TEST_F(DetailDialogTest, cancelLeavesTheBreakdownAndItsOption)
{
    for (const auto& [advanced, start] : {std::pair{true, "optRegularEquity"}, {false, "optBalancedFund"}}) {
        SCOPED_TRACE(start);
        open();
        window->tabInputs->setCurrentIndex(1);
        child<QRadioButton>(*window, start)->click();
        const Breakdown before = model();
        messages.messages.clear();
        runner.runs = 0;
        QDialog* dialog = showDialog(advanced);
        typeParts(*dialog, {10, 20, 30, 400});
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        child<QLineEdit>(*dialog, "txtInterest")->setFocus();
        ASSERT_TRUE(child<QLineEdit>(*dialog, "txtInterest")->hasFocus());
        QTest::mouseClick(child<QPushButton>(*dialog, "cmdCancel"), Qt::LeftButton);
        if (advanced)
            EXPECT_FALSE(dialog->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window->findChild<CustomInvestmentMix*>(), nullptr);
        EXPECT_EQ(model(), before);
        EXPECT_TRUE(checked(start));
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(runner.runs, 0);
        dialog = showDialog(advanced);
        EXPECT_EQ(child<QLineEdit>(*dialog, "txtInterest")->text(), QString::number(before[kInterest]));
        emit window->customInvestmentMixRequested();
        EXPECT_EQ(dialogs->customInvestmentMix() != nullptr, !advanced);
    }
}

} // namespace
} // namespace gw::test
