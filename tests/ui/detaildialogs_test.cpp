#include "window_fixture.h"

#include "data_sources.h"

#include "advanceddetails.h"
#include "captions.h"
#include "custommix.h"
#include "detaildialogs.h"
#include "tablecaptions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

#include <filesystem>
#include <fstream>

namespace gw::test {
namespace {

const QStringList kPartFields{"txtDeferredCapitalGains", "txtCapitalGains", "txtDividends", "txtInterest"};

// The main window on fakes with its detail dialogs attached before start-up,
// as the program does.
class DetailDialogTest : public WindowTest {
protected:
    DetailDialogs* dialogs = nullptr;

    DetailDialogTest()
    {
        captions.set("BoundsTimesLoanRepeatedRange", "Repeats: <1> to <2>");
        captions.set("BoundsBreakdownOfGrossReturn", "Part: <1> to <2>");
    }

    void openWithDialogs(int strategy = 0, int inputTab = 1)
    {
        MainWindowServices services;
        services.captions = &captions;
        services.messages = &messages;
        services.help = &help;
        services.runAnalysis = runner.function();
        window = std::make_unique<MainWindow>(services);
        dialogs = attachDetailDialogs(*window, &help);
        window->start(setup);
        window->lstStrategyList->setCurrentRow(strategy);
        window->tabInputs->setCurrentIndex(inputTab);
        messages.messages.clear();
        runner.runs = 0;
    }

    AdvancedDetails* openAdvanced()
    {
        child<QPushButton>(*window, "cmdAdvancedSettings_Input")->click();
        auto* dialog = child<AdvancedDetails>(*window, "frmAdvancedDetails");
        EXPECT_TRUE(dialog->isVisible());
        return dialog;
    }
    CustomInvestmentMix* openCustom()
    {
        child<QRadioButton>(*window, "optCustomInvestmentMix")->click();
        CustomInvestmentMix* dialog = dialogs->customInvestmentMix();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static void typeParts(QDialog& dialog, const std::array<QString, 4>& parts)
    {
        for (int k = 0; k < 4; ++k)
            typeInto(child<QLineEdit>(dialog, kPartFields[k]), parts[k]);
    }
    Breakdown modelBreakdown() const { return window->currentInputs().breakdown; }
    bool optionChecked(const QString& name) { return child<QRadioButton>(*window, name)->isChecked(); }
};

// Which dialog a table case goes through.
enum class Through { Advanced, Custom };

struct PartsCase {
    std::array<QString, 4> typed;
    Breakdown expected;
    const char* option;  // the investment-type option that must show it
};

class DetailDialogParts : public DetailDialogTest {
protected:
    QDialog* openDialog(Through through)
    {
        if (through == Through::Advanced)
            return openAdvanced();
        return openCustom();
    }
};

TEST_F(DetailDialogParts, okPutsEachPartInItsOwnSlotAndTheOptionFollows)
{
    // Dividends and interest differ in every case, so a swap shows.
    const std::vector<PartsCase> cases{
        {{"10", "20", "30", "40"}, {10, 20, 30, 40}, "optCustomInvestmentMix"},
        {{"40", "10", "0", "50"}, {40, 10, 0, 50}, "optCustomInvestmentMix"},
        {{"40", "10", "50", "0"}, {40, 10, 50, 0}, "optDividends"},
        {{"40", "10", "20", "30"}, {40, 10, 20, 30}, "optBalancedFund"},
        {{"95", "5", "0", "0"}, {95, 5, 0, 0}, "optTaxEfficient"},
    };
    for (Through through : {Through::Advanced, Through::Custom}) {
        for (const PartsCase& c : cases) {
            SCOPED_TRACE(std::string(through == Through::Advanced ? "advanced " : "custom ") + c.option + " " +
                         c.typed[0].toStdString() + "/" + c.typed[1].toStdString() + "/" + c.typed[2].toStdString() +
                         "/" + c.typed[3].toStdString());
            openWithDialogs();
            QDialog* dialog = openDialog(through);
            typeParts(*dialog, c.typed);
            child<QPushButton>(*dialog, "cmdOK")->click();
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(modelBreakdown(), c.expected);
            ASSERT_EQ(runner.runs, 1);
            EXPECT_EQ(runner.inputs.back().breakdown, c.expected);
            EXPECT_TRUE(optionChecked(c.option));
            EXPECT_FALSE(window->inputsChanged());
            EXPECT_TRUE(messages.messages.empty());
        }
    }
}

TEST_F(DetailDialogParts, aTotalOtherThanAHundredIsRefusedAndChangesNothing)
{
    for (Through through : {Through::Advanced, Through::Custom}) {
        SCOPED_TRACE(through == Through::Advanced ? "advanced" : "custom");
        openWithDialogs();
        const Breakdown before = modelBreakdown();
        QDialog* dialog = openDialog(through);
        typeParts(*dialog, {"70", "25", "5", "1"});
        child<QPushButton>(*dialog, "cmdOK")->click();
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].title, "[IncorrectInputTitle]");
        EXPECT_EQ(messages.messages[0].text, "[InvalidBreakdown]");
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

TEST_F(DetailDialogParts, aPartIsRepairedWhenLeftAndBeforeOk)
{
    struct Case {
        QString typed;
        QString repaired;
        QString message;  // empty: none
    };
    const std::vector<Case> cases{
        {"101", "100", "Part: 0 to 100"},
        {"-3", "0", "Part: 0 to 100"},
        {"abc", "0", "[checkValue]"},
        {"12.7", "12", "[checkIntegerValue]"},
        {"55", "55", ""},
        {"1e308", "100", "Part: 0 to 100"},
        {"-1e308", "0", "Part: 0 to 100"},
    };
    for (Through through : {Through::Advanced, Through::Custom}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((through == Through::Advanced ? "advanced " : "custom ") + c.typed.toStdString());
            openWithDialogs();
            QDialog* dialog = openDialog(through);
            QLineEdit* dividends = child<QLineEdit>(*dialog, "txtDividends");
            typeInto(dividends, c.typed);
            leave(dividends);
            EXPECT_EQ(dividends->text(), c.repaired);
            if (c.message.isEmpty()) {
                EXPECT_TRUE(messages.messages.empty());
            } else {
                ASSERT_EQ(messages.messages.size(), 1u);
                EXPECT_EQ(messages.messages[0].text, c.message);
            }
            // Enter presses OK without leaving the field: OK checks it.
            messages.messages.clear();
            typeInto(dividends, c.typed);
            pressEnter(dividends);
            EXPECT_EQ(dividends->text(), c.repaired);
            EXPECT_EQ(messages.count("information"), c.message.isEmpty() ? 1 : 2);  // and the total
            EXPECT_EQ(messages.lastText(), "[InvalidBreakdown]");
            EXPECT_TRUE(dialog->isVisible());
        }
    }
}

TEST_F(DetailDialogTest, aSpinnerClickPastTheEndIsRepaired)
{
    openWithDialogs();
    AdvancedDetails* dialog = openAdvanced();
    typeInto(dialog->breakdown.fields[kDeferredCapGains], "100");
    QTest::mouseClick(child<QToolButton>(*dialog->breakdown.spinners[kDeferredCapGains], "up"), Qt::LeftButton);
    EXPECT_EQ(dialog->breakdown.fields[kDeferredCapGains]->text(), "100");
    EXPECT_EQ(messages.lastText(), "Part: 0 to 100");
    // From a number past any whole one too.
    messages.messages.clear();
    typeInto(dialog->breakdown.fields[kDeferredCapGains], "1e308");
    QTest::mouseClick(child<QToolButton>(*dialog->breakdown.spinners[kDeferredCapGains], "up"), Qt::LeftButton);
    EXPECT_EQ(dialog->breakdown.fields[kDeferredCapGains]->text(), "100");
    EXPECT_EQ(messages.lastText(), "Part: 0 to 100");
}

TEST_F(DetailDialogTest, timesRepeatedPastEightyYearsIsResetWithTheMessage)
{
    setup.values[Setting::SavingsPeriod] = 20;
    struct Case {
        int strategy;
        QString typed;
        QString kept;
        std::vector<QString> messages;
    };
    const std::vector<Case> cases{
        {1, "3", "3", {}},
        {1, "4", "0", {"At most 80 years"}},
        {2, "4", "0", {"At most 80 years"}},
        // Out of range first: the message names the last legal count for
        // 20 years, then the repaired 80 fails the 80-year check.
        {1, "90", "0", {"Repeats: 0 to 3", "At most 80 years"}},
        {1, "-1", "0", {"Repeats: 0 to 3"}},
        {1, "2.6", "2", {"[checkIntegerValue]"}},
        {1, "1e308", "0", {"Repeats: 0 to 3", "At most 80 years"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.strategy) + " " + c.typed.toStdString());
        openWithDialogs(c.strategy, 0);
        AdvancedDetails* dialog = openAdvanced();
        ASSERT_TRUE(dialog->fraTimesLoanRepeated->isVisibleTo(dialog));
        EXPECT_EQ(dialog->mostTimesLoanRepeated(), 3);
        typeInto(dialog->txtTimesLoanRepeated, c.typed);
        leave(dialog->txtTimesLoanRepeated);
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), c.kept);
        std::vector<QString> shown;
        for (const auto& m : messages.messages)
            shown.push_back(m.text);
        EXPECT_EQ(shown, c.messages);

        child<QPushButton>(*dialog, "cmdOK")->click();
        EXPECT_FALSE(dialog->isVisible());
        ASSERT_EQ(runner.runs, 1);
        EXPECT_EQ(runner.inputs.back().timesRepeated, c.kept.toDouble());
    }
}

TEST_F(DetailDialogTest, theSavingsPeriodCheckReadsTheDialogsTimesRepeated)
{
    openWithDialogs(1, 0);
    AdvancedDetails* dialog = openAdvanced();
    typeInto(dialog->txtTimesLoanRepeated, "3");
    child<QPushButton>(*dialog, "cmdOK")->click();
    EXPECT_EQ(window->currentInputs().timesRepeated, 3);

    // 3 repeats of 30 years is 120 years.
    enter("txtSavingsPeriod", "30");
    EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), "0");
    EXPECT_EQ(messages.lastText(), "At most 80 years");
}

TEST_F(DetailDialogTest, cancelPutsBackTheTimesRepeatedShownAndTouchesNothing)
{
    setup.values[Setting::TimesLoanRepeated] = 2;
    for (QString how : {"button", "escape"}) {
        SCOPED_TRACE(how.toStdString());
        openWithDialogs(1, 0);
        AdvancedDetails* dialog = openAdvanced();
        EXPECT_EQ(dialog->savedTimesLoanRepeated(), 2);
        typeInto(dialog->txtTimesLoanRepeated, "5");
        leave(dialog->txtTimesLoanRepeated);
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), "5");
        if (how == "button")
            child<QPushButton>(*dialog, "cmdCancel")->click();
        else
            QTest::keyClick(dialog->txtTimesLoanRepeated, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->txtTimesLoanRepeated->text(), "2");
        EXPECT_EQ(window->currentInputs().timesRepeated, 2);
        EXPECT_EQ(modelBreakdown(), (Breakdown{70, 25, 5, 0}));
        EXPECT_EQ(runner.runs, 0);
    }
}

TEST_F(DetailDialogTest, advancedCancelLeavesTheBreakdownAndTheNextOpeningShowsIt)
{
    openWithDialogs(0, 1);
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
    EXPECT_EQ(dialog->breakdown.fields[kDividends]->text(), "5");
    EXPECT_EQ(dialog->breakdown.fields[kInterest]->text(), "0");
}

TEST_F(DetailDialogTest, customCancelKeepsTheBreakdownAndItsOption)
{
    for (const char* start : {"optRegularEquity", "optBalancedFund"}) {
        SCOPED_TRACE(start);
        openWithDialogs();
        child<QRadioButton>(*window, start)->click();
        const Breakdown before = modelBreakdown();
        runner.runs = 0;
        CustomInvestmentMix* dialog = openCustom();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->breakdown.values(English), before);
        EXPECT_TRUE(optionChecked("optCustomInvestmentMix"));
        typeParts(*dialog, {"10", "20", "30", "40"});
        child<QPushButton>(*dialog, "cmdCancel")->click();
        EXPECT_EQ(dialogs->customInvestmentMix(), nullptr);
        EXPECT_EQ(modelBreakdown(), before);
        EXPECT_TRUE(optionChecked(start));
        EXPECT_EQ(runner.runs, 0);
    }
    // Closed, it is gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChild<CustomInvestmentMix*>("frmCustomInvestmentMix"), nullptr);
}

TEST_F(DetailDialogTest, theFramesFollowTheStrategyAndTheInputPage)
{
    struct Case {
        int strategy;
        int tab;
        bool breakdown;
        bool times;
    };
    const std::vector<Case> cases{{0, 1, true, false}, {1, 0, false, true}, {1, 1, true, false}, {2, 0, false, true}};
    openWithDialogs();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.strategy) + " tab " + std::to_string(c.tab));
        window->lstStrategyList->setCurrentRow(c.strategy);
        window->tabInputs->setCurrentIndex(c.tab);
        ASSERT_TRUE(window->cmdAdvancedSettings_Input->isVisibleTo(window.get()));
        AdvancedDetails* dialog = openAdvanced();
        EXPECT_EQ(dialog->windowTitle(), "[frmAdvancedDetails]");
        EXPECT_EQ(dialog->fraBreakdownOfGrossReturn->isVisibleTo(dialog), c.breakdown);
        EXPECT_EQ(dialog->fraTimesLoanRepeated->isVisibleTo(dialog), c.times);
        dialog->reject();
    }
}

TEST_F(DetailDialogTest, helpOpensTopic104AndTheExplanationShowsItsCaption)
{
    openWithDialogs(1, 0);
    AdvancedDetails* advanced = openAdvanced();
    advanced->cmdHelp->click();
    QTest::keyClick(advanced->txtTimesLoanRepeated, Qt::Key_F1);
    advanced->cmdTimesLoanRepeated->click();
    EXPECT_EQ(messages.lastText(), "[WTTimesLoanRepeated]");
    advanced->reject();

    CustomInvestmentMix* custom = openCustom();
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->windowTitle(), "[optCustomInvestmentMix]");
    QTest::keyClick(custom->breakdown.fields[0], Qt::Key_F1);
    EXPECT_EQ(help.topics, (std::vector<int>{104, 104, 104}));
    custom->reject();
}

TEST_F(DetailDialogTest, customMixWaitsWhileTheAdvancedDetailsAreOpen)
{
    openWithDialogs();
    openAdvanced();
    emit window->customInvestmentMixRequested();
    EXPECT_EQ(dialogs->customInvestmentMix(), nullptr);
}

// ---- the shipped caption sources ----

// Every text the dialog shows, with the object that shows it.
std::vector<std::pair<QString, QString>> shownTexts(QWidget& dialog)
{
    std::vector<std::pair<QString, QString>> texts{{dialog.objectName(), dialog.windowTitle()}};
    for (auto* label : dialog.findChildren<QLabel*>())
        texts.emplace_back(label->objectName(), label->text());
    for (auto* button : dialog.findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty() || button->objectName().startsWith("cmd"))
            texts.emplace_back(button->objectName(), button->text());
    }
    for (auto* frame : dialog.findChildren<QGroupBox*>()) {
        if (frame->objectName() != "fraTimesLoanRepeated")
            texts.emplace_back(frame->objectName(), frame->title());
    }
    return texts;
}

void expectAllCaptionsFound(QWidget& dialog, const RecordingMessages& messages)
{
    for (const auto& [name, text] : shownTexts(dialog)) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.contains(QString::fromUtf8(kCaptionNotFound.data())));
    }
    for (const auto& m : messages.messages) {
        SCOPED_TRACE(m.text.toStdString());
        EXPECT_FALSE(m.title.contains(QString::fromUtf8(kCaptionNotFound.data())));
        EXPECT_FALSE(m.text.contains(QString::fromUtf8(kCaptionNotFound.data())));
        EXPECT_FALSE(m.text.contains("<1>"));
    }
}

TEST(DetailDialogCaptions, everyTextIsFoundInEnglishAndFrench)
{
    TableCaptionSource captions(SourceCaptions(), English);
    RecordingMessages messages;
    RecordingHelp help;
    FakeRunner runner;
    MainWindowServices services;
    services.captions = &captions;
    services.messages = &messages;
    services.help = &help;
    services.runAnalysis = runner.function();
    MainWindow window(services);
    DetailDialogs* dialogs = attachDetailDialogs(window, &help);
    MainWindowSetup setup;
    setup.values = SampleSettingValues();
    setup.values[Setting::SavingsPeriod] = 20;
    window.start(setup);
    window.lstStrategyList->setCurrentRow(1);

    for (Language language : {English, French}) {
        SCOPED_TRACE(language == 0 ? "English" : "French");
        captions.setLanguage(language);
        window.formatCaptions();
        dialogs->formatCaptions();
        messages.messages.clear();

        for (int tab : {0, 1}) {
            window.tabInputs->setCurrentIndex(tab);
            dialogs->openAdvancedDetails();
            AdvancedDetails& advanced = dialogs->advancedDetails();
            // Every message the dialog can give.
            advanced.txtTimesLoanRepeated->setText("90");
            advanced.leaveTimesLoanRepeated();
            for (const char* typed : {"101", "x", "1.5"}) {
                advanced.breakdown.fields[0]->setText(typed);
                advanced.leaveBreakdownField(0);
            }
            advanced.checkDistributions();
            advanced.cmdTimesLoanRepeated->click();
            // Both frames once, so that every label is checked.
            advanced.fraTimesLoanRepeated->show();
            advanced.fraBreakdownOfGrossReturn->show();
            expectAllCaptionsFound(advanced, messages);
            advanced.reject();
        }
        dialogs->openCustomInvestmentMix();
        ASSERT_NE(dialogs->customInvestmentMix(), nullptr);
        expectAllCaptionsFound(*dialogs->customInvestmentMix(), messages);
        EXPECT_EQ(messages.messages.size(), 14u);  // seven per opening
        dialogs->customInvestmentMix()->reject();
    }
}

} // namespace
} // namespace gw::test
