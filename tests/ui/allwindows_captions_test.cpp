// Every window of the program, started in English and in French on the
// shipped caption files, walked through its pages: no visible text may read
// "!!!Caption Not Found!!!" or keep an unfilled "<n>", and no control that
// carries a caption may show none. Every help topic the windows can ask for
// must open a page. The start window is left out: its texts are fixed.
#include "program_fixture.h"

#include "about.h"
#include "advanceddetails.h"
#include "custommix.h"
#include "detaildialogs.h"
#include "helpwindow.h"
#include "printoptions.h"
#include "programsetup.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QRegularExpression>

#include <sstream>

namespace gw::test {
namespace {

// Controls that carry no caption of their own: the times-loan-repeated
// frame only groups its field with lblTimesLoanRepeated, which is captioned.
bool uncaptioned(const QString& where)
{
    return where == QLatin1String("fraTimesLoanRepeated");
}

class Walk {
public:
    std::vector<std::string> problems;
    int views = 0;

    void look(QWidget& window, const std::string& view)
    {
        ++views;
        static const QRegularExpression placeholder(QStringLiteral("<[1-9][0-9]?>"));
        const QString notFound = QString::fromUtf8(kCaptionNotFound.data(), qsizetype(kCaptionNotFound.size()));
        for (const ShownText& t : shownTexts(window)) {
            const std::string at = view + ": " + t.where.toStdString();
            if (t.text.contains(notFound))
                problems.push_back(at + " reads \"" + t.text.toStdString() + "\"");
            else if (t.text.contains(placeholder))
                problems.push_back(at + " keeps a placeholder: \"" + t.text.toStdString() + "\"");
            else if (t.captionExpected && t.text.trimmed().isEmpty() && !uncaptioned(t.where))
                problems.push_back(at + " shows no text");
        }
    }
    void helpOpened(const HelpWindow& help, const std::string& what)
    {
        if (!help.pageFound())
            problems.push_back(what + " opens no help page");
    }
};

void walkMainWindow(MainWindow& window, Walk& walk, const std::string& stage)
{
    for (int type = 0; type < 3; ++type) {
        if (window.lstStrategyList->isRowHidden(type))
            continue;
        window.lstStrategyList->setCurrentRow(type);
        for (int input = 0; input < window.tabInputs->count(); ++input) {
            window.tabInputs->setCurrentIndex(input);
            for (int output = 0; output < window.tabOutputs->count(); ++output) {
                window.tabOutputs->setCurrentIndex(output);
                walk.look(window, stage + ", strategy " + std::to_string(type) + ", input tab " +
                                      std::to_string(input) + ", output tab " + std::to_string(output));
            }
        }
    }
    window.tabOutputs->setCurrentIndex(2);
    for (int type = 0; type < 2; ++type) {
        window.lstStrategyList->setCurrentRow(type);
        window.cmdAdvancedSettings_Output->click();
        walk.look(window, stage + ", detailed projection, strategy " + std::to_string(type));
        window.cmdAdvancedSettings_Output->click();
    }
    window.cmdAutoCalc->click();
    walk.look(window, stage + ", auto-calculation off");
    window.cmdAutoCalc->click();
}

// Every tab with each deduction option; leaves the federal deduction
// limited, so that the main window shows its limited-deduction inputs.
void walkSetup(Program& program, Walk& walk)
{
    ProgramSetup& setup = *program.setupDialog();
    whenShown(&setup, [&] {
        for (int tab = 1; tab <= 3; ++tab) {
            setup.selectTab(tab);
            walk.look(setup, "setup, tab " + std::to_string(tab));
        }
        setup.selectTab(2);
        setup.deduction[0].optLimitedDeduct->click();
        walk.look(setup, "setup, federal deduction limited");
        setup.deduction[1].optLimitedDeduct->click();
        walk.look(setup, "setup, both deductions limited");
        setup.deduction[1].optPercentDeduct->click();
        setup.cmdOk->click();
    });
    program.mainWindow()->mnuSetupItem[1]->trigger();
}

void walkDetailDialogs(Program& program, Walk& walk)
{
    MainWindow& window = *program.mainWindow();
    AdvancedDetails& advanced = program.detailDialogs()->advancedDetails();
    for (int type = 0; type < 3; ++type) {
        if (window.lstStrategyList->isRowHidden(type))
            continue;
        window.lstStrategyList->setCurrentRow(type);
        for (int input = 0; input < window.tabInputs->count(); ++input) {
            window.tabInputs->setCurrentIndex(input);
            emit window.advancedDetailsRequested();
            walk.look(advanced, "advanced details, strategy " + std::to_string(type) + ", input tab " +
                                    std::to_string(input));
            advanced.cmdCancel->click();
        }
    }
    window.lstStrategyList->setCurrentRow(0);
    emit window.customInvestmentMixRequested();
    if (CustomInvestmentMix* mix = program.detailDialogs()->customInvestmentMix()) {
        walk.look(*mix, "custom investment mix");
        mix->cmdCancel->click();
    } else {
        walk.problems.push_back("the custom investment mix dialog did not open");
    }
}

void walkPrintAboutAndHelp(Program& program, Walk& walk)
{
    MainWindow& window = *program.mainWindow();
    PrintOptions& print = *program.printDialog();
    whenShown(&print, [&] {
        walk.look(print, "print dialog");
        print.cmdCancel->click();
    });
    window.mnuPrint->trigger();

    window.mnuAboutSoftware->trigger();
    walk.look(*program.aboutBox(), "About box");
    program.aboutBox()->cmdOk->click();

    window.mnuHelpMenu0->trigger();
    walk.look(*program.helpWindow(), "help window");
}

void addHelpActions(const QList<QAction*>& actions, std::vector<QAction*>& out)
{
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu())
            addHelpActions(menu->actions(), out);
        else if (!action->isSeparator())
            out.push_back(action);
    }
}

void checkHelpTopics(Program& program, Walk& walk)
{
    MainWindow& window = *program.mainWindow();
    HelpWindow& help = *program.helpWindow();
    for (int type = 0; type < 3; ++type) {
        if (window.lstStrategyList->isRowHidden(type))
            continue;
        window.lstStrategyList->setCurrentRow(type);
        for (int tab = 0; tab < window.tabOutputs->count(); ++tab) {
            window.tabOutputs->setCurrentIndex(tab);
            window.cmdHelp->click();
            walk.helpOpened(help, "cmdHelp, strategy " + std::to_string(type) + ", output tab " + std::to_string(tab));
        }
    }
    std::vector<QAction*> actions;
    addHelpActions(window.mnuHelp->actions(), actions);
    for (QAction* action : actions) {
        // These open the About box and the sponsor's own help file.
        if (action == window.mnuAboutSoftware || action == window.mnuAboutSponsor)
            continue;
        action->trigger();
        walk.helpOpened(help, "menu entry " + action->objectName().toStdString());
    }
    ProgramSetup& setup = *program.setupDialog();
    for (int tab = 1; tab <= 3; ++tab) {
        setup.selectTab(tab);
        help.showTopic(setup.helpTopic());
        walk.helpOpened(help, "setup tab " + std::to_string(tab));
    }
    const std::pair<const char*, int> dialogs[] = {{"print dialog", PrintOptions::kHelpTopic},
                                                   {"About box", AboutBox::kHelpTopic},
                                                   {"detail dialogs", kDetailDialogsHelpTopic}};
    for (const auto& [name, topic] : dialogs) {
        help.showTopic(topic);
        walk.helpOpened(help, name);
    }
}

TEST(AllWindowsCaptions, everyWindowShowsCaptionsAndEveryHelpTopicOpensInBothLanguages)
{
    const std::pair<const char*, ConfigEdits> sponsors[] = {{"not sponsored", {}}, {"QZX sponsor", qzxSponsor()}};
    for (const auto& [sponsor, edits] : sponsors) {
        for (int language : {English, French}) {
            SCOPED_TRACE(std::string(sponsor) + (language == French ? ", French" : ", English"));
            ProgramOnData data(edits);
            MainWindow& window = data.start(language);
            Program& program = *data.program;
            Walk walk;
            walkMainWindow(window, walk, "main window");
            walkSetup(program, walk);
            walkMainWindow(window, walk, "main window, federal deduction limited");
            walkDetailDialogs(program, walk);
            walkPrintAboutAndHelp(program, walk);
            checkHelpTopics(program, walk);

            EXPECT_GT(walk.views, 50);
            std::ostringstream report;
            for (std::size_t i = 0; i < walk.problems.size() && i < 40; ++i)
                report << walk.problems[i] << "\n";
            EXPECT_TRUE(walk.problems.empty()) << walk.problems.size() << " problems:\n" << report.str();
            EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();
            EXPECT_EQ(data.messages.count("critical"), 0) << data.messages.lastText().toStdString();
        }
    }
}

// The walk must see what it is meant to catch, in every kind of window.
TEST(AllWindowsCaptions, walkFindsAMissingCaptionAPlaceholderAndAnEmptyCaption)
{
    ProgramOnData data;
    data.start(English);
    Program& program = *data.program;
    const QString notFound = QString::fromUtf8(kCaptionNotFound.data(), qsizetype(kCaptionNotFound.size()));
    program.setupDialog()->tabSetup->setTabText(2, notFound);
    program.printDialog()->chkName->setText(QStringLiteral("Name <1>"));
    program.mainWindow()->mnuSetupItem[2]->setText(notFound);
    emit program.mainWindow()->advancedDetailsRequested();
    program.detailDialogs()->advancedDetails().cmdHelp->setText(QString());

    Walk walk;
    walk.look(*program.setupDialog(), "setup");
    walk.look(*program.printDialog(), "print");
    walk.look(program.detailDialogs()->advancedDetails(), "advanced");
    walk.look(*program.mainWindow(), "main");
    const auto reported = [&](const std::string& part) {
        return std::any_of(walk.problems.begin(), walk.problems.end(),
                           [&](const std::string& p) { return p.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(reported("setup: tabSetup tab 2 reads"));
    EXPECT_TRUE(reported("print: chkName keeps a placeholder"));
    EXPECT_TRUE(reported("advanced: cmdHelp shows no text"));
    EXPECT_TRUE(reported("mnuSetupItem2 reads"));

    HelpWindow& help = *program.helpWindow();
    help.showTopic(107);
    walk.helpOpened(help, "topic 107");
    EXPECT_TRUE(reported("topic 107 opens no help page"));
}

} // namespace
} // namespace gw::test
