// Switching to French through the setup dialog's OK re-captions every window
// the program has loaded, the open help window included, and leaves them as
// a program started in French shows them.
#include "program_fixture.h"

#include "about.h"
#include "advanceddetails.h"
#include "detaildialogs.h"
#include "fieldtext.h"
#include "helpwindow.h"
#include "inputpanel.h"
#include "printoptions.h"
#include "programsetup.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>

namespace gw::test {
namespace {

// What a user has done before switching: the About box and the advanced
// details opened and closed (both are kept hidden), help on topic 101 left
// open, the term loan selected.
void useTheWindows(Program& program)
{
    MainWindow& window = *program.mainWindow();
    window.lstStrategyList->setCurrentRow(1);
    window.mnuAboutSoftware->trigger();
    program.aboutBox()->cmdOk->click();
    emit window.advancedDetailsRequested();
    program.detailDialogs()->advancedDetails().cmdCancel->click();
    window.mnuGeneralNotes1[0]->trigger();
}

void switchThroughSetup(Program& program, int language)
{
    ProgramSetup& setup = *program.setupDialog();
    whenShown(&setup, [&] {
        setup.cboLanguages->setCurrentIndex(language);
        setup.cmdOk->click();
    });
    program.mainWindow()->mnuSetupItem[3]->trigger();
}

QString helpFolder(const HelpWindow& help)
{
    return QFileInfo(help.currentPage().toLocalFile()).dir().dirName();
}

TEST(LanguageSwitch, frenchThroughTheSetupDialogRecaptionsEveryWindow)
{
    ProgramOnData data;
    MainWindow& window = data.start(English);
    Program& program = *data.program;
    useTheWindows(program);
    HelpWindow& help = *program.helpWindow();
    ASSERT_TRUE(help.isVisible());
    EXPECT_EQ(helpFolder(help), "en");
    const QString englishLoan = window.inputs().txtLoanAmount->text();

    switchThroughSetup(program, French);
    EXPECT_EQ(program.settings().CurrentLanguage, French);
    EXPECT_EQ(program.captions().language(), French);

    AboutBox& about = *program.aboutBox();
    AdvancedDetails& advanced = program.detailDialogs()->advancedDetails();
    PrintOptions& print = *program.printDialog();
    ProgramSetup& setup = *program.setupDialog();
    struct Shown {
        const char* where;
        QString text;
        const char* key;
    };
    const Shown shown[] = {
        {"main window menu", window.mnuFile->title(), "mnuFile"},
        {"main window menu entry", window.mnuSaveDefaults->text(), "mnuSaveDefaults"},
        {"main window strategy row", window.lstStrategyList->item(1)->text(), "lstStrategyList.listindex(1)"},
        {"main window output tab", window.tabOutputs->tabText(0), "tabOutputs.tab(0)"},
        {"main window button", window.cmdAutoCalc->text(), "cmdAutoCalc_OFF"},
        {"main window status bar", window.statusText(), "stsbarPressF1"},
        {"main window input label", window.inputs().lblTaxRate->text(), "lblTaxRate"},
        {"About title", about.windowTitle(), "frmAbout"},
        {"About header", about.lblSoftwareInformationHeader->text(), "lblSoftwareInformationHeader"},
        {"About button", about.cmdDisclaimer->text(), "cmdDisclaimer"},
        {"advanced details title", advanced.windowTitle(), "frmAdvancedDetails"},
        {"advanced details label", advanced.lblTimesLoanRepeated->text(), "lblTimesLoanRepeated"},
        {"advanced details button", advanced.cmdCancel->text(), "cmdCancel"},
        {"print title", print.windowTitle(), "frmPrintOptions"},
        {"print frame", print.fraOptions->title(), "fraOptions"},
        {"print report", print.chkPrint[1]->text(), "chkPrint(1)"},
        {"setup title", setup.windowTitle(), "frmProgramSetup"},
        {"setup tab", setup.tabSetup->tabText(1), "tabSetup.tabcaption(2)"},
        {"setup label", setup.lblCapitalGainsInclusionRate->text(), "lblCapitalGainsInclusionRate"},
        {"help button", help.cmdHelpContents->text(), "cmdHelpContents"},
    };
    const CaptionTables& tables = program.settings().captions;
    for (const Shown& s : shown) {
        SCOPED_TRACE(std::string(s.where) + " (" + s.key + ")");
        const std::string french = GetCaption(tables, s.key, French);
        ASSERT_NE(french, GetCaption(tables, s.key, English)) << "the check would prove nothing";
        EXPECT_EQ(s.text.toStdString(), french);
    }

    // The help follows: the same topic from the French set.
    EXPECT_TRUE(help.pageFound());
    EXPECT_EQ(helpFolder(help), "fr");
    EXPECT_EQ(QFileInfo(help.currentPage().toLocalFile()).fileName(), "topic-101.html");
    EXPECT_TRUE(help.windowTitle().startsWith(QString::fromStdString(GetCaption(tables, "frmHelp", French))));

    // Money is written the French way.
    EXPECT_NE(window.inputs().txtLoanAmount->text(), englishLoan);
    EXPECT_TRUE(data.reporter.texts.empty());
    EXPECT_EQ(data.messages.count("critical"), 0) << data.messages.lastText().toStdString();
}

// The returns keep their one-decimal writing both ways ("8,0" in French,
// "8.0" back in English), the projection returns with them, and no figure
// changes on the way.
TEST(LanguageSwitch, returnsAreRewrittenWithOneDecimal)
{
    ProgramOnData data;
    MainWindow& window = data.start(English);
    Program& program = *data.program;
    InputPanel& inputs = window.inputs();
    inputs.txtReturn[0]->setText("8");
    inputs.txtReturn[1]->setText("6.25");
    const std::vector<QLineEdit*> boxes = {inputs.txtReturn[0], inputs.txtReturn[1], inputs.txtReturn[2],
                                           inputs.txtReturn[3], inputs.txtProjectionReturn[0],
                                           inputs.txtProjectionReturn[1]};
    for (QLineEdit* box : boxes)
        ASSERT_NE(box, nullptr);
    std::vector<double> values;
    for (QLineEdit* box : boxes)
        values.push_back(FieldNumber(box->text(), English));

    const auto expectWriting = [&](Language language) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            SCOPED_TRACE(boxes[i]->objectName().toStdString());
            const QString text = boxes[i]->text();
            EXPECT_EQ(FieldNumber(text, language), values[i]);
            if (i == 1)
                EXPECT_EQ(text, language == French ? "6,25" : "6.25");
            else
                EXPECT_EQ(text, FormatField(values[i], "#0.0", language));
        }
    };
    switchThroughSetup(program, French);
    expectWriting(French);
    EXPECT_EQ(inputs.txtReturn[0]->text(), "8,0");
    switchThroughSetup(program, English);
    expectWriting(English);
    EXPECT_EQ(inputs.txtReturn[0]->text(), "8.0");
    EXPECT_EQ(window.statusText().toStdString(), GetCaption(program.settings().captions, "stsbarPressF1", English));
}

// Every text, field and table head of the switched windows equals what the
// same windows show when the program starts in French.
TEST(LanguageSwitch, switchedWindowsShowWhatAFrenchStartShows)
{
    ProgramOnData switched;
    switched.start(English);
    useTheWindows(*switched.program);
    switchThroughSetup(*switched.program, French);

    ProgramOnData french;
    french.start(French);
    useTheWindows(*french.program);
    // The setup dialog has been shown once in both.
    switchThroughSetup(*french.program, French);

    const auto windowsOf = [](Program& p) {
        return std::vector<std::pair<std::string, QWidget*>>{
            {"main window", p.mainWindow()},
            {"setup dialog", p.setupDialog()},
            {"print dialog", p.printDialog()},
            {"About box", p.aboutBox()},
            {"advanced details", &p.detailDialogs()->advancedDetails()},
            {"help window", p.helpWindow()},
        };
    };
    const auto got = windowsOf(*switched.program);
    const auto want = windowsOf(*french.program);
    for (std::size_t w = 0; w < got.size(); ++w) {
        SCOPED_TRACE(got[w].first);
        const std::map<QString, ShownText> a = textsByPlace(*got[w].second);
        const std::map<QString, ShownText> b = textsByPlace(*want[w].second);
        ASSERT_EQ(a.size(), b.size());
        int differences = 0;
        for (const auto& [where, shown] : b) {
            const auto found = a.find(where);
            const QString text = found == a.end() ? QStringLiteral("(none)") : found->second.text;
            // A rate the switch left as "8.0" reads as 8 in French too; the
            // number must be the same, the writing may differ.
            const bool same = shown.field ? IsNumericText(text, French) == IsNumericText(shown.text, French) &&
                                                FieldNumber(text, French) == FieldNumber(shown.text, French)
                                          : text == shown.text;
            if (!same && ++differences <= 20)
                ADD_FAILURE() << where.toStdString() << ": \"" << text.toStdString() << "\", a French start shows \""
                              << shown.text.toStdString() << "\"";
        }
        EXPECT_EQ(differences, 0);
    }
}

} // namespace
} // namespace gw::test
