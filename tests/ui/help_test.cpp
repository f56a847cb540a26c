// Help: every way the windows ask for it, in both languages, on the help
// pages of the build; and the help viewer on its own.
#include "golden.h"
#include "window_test.h"

namespace gw::test {
namespace {

// F1 in `shown`, made the active window first as a user's click does (the
// help window hidden just before may hand the activation back late).
void pressF1(QWidget* shown)
{
    EXPECT_TRUE(QTest::qWaitFor([shown] {
        if (QApplication::activeWindow() != shown)
            shown->activateWindow();
        return QApplication::activeWindow() == shown;
    })) << shown->objectName().toStdString();
    QTest::keyClick(shown, Qt::Key_F1);
}

// Each button, key and menu entry that asks for help, and the page it opened
// with its title from help/topics.txt; every one must open a page of the
// language in use. The pages are a golden file: after an intended change,
// review its difference.
TEST(Help, everyWindowOpensItsTopicInTheLanguageInUse)
{
    std::string pages;
    for (Language language : {English, French}) {
        ProgramOnData data;
        MainWindow& window = data.start(language);
        Program& program = *data.program;
        HelpWindow& help = *program.helpWindow();
        const auto opened = [&](const std::string& what) {
            const QFileInfo page(help.currentPage().toLocalFile());
            pages += what + ": " + (page.dir().dirName() + '/' + page.fileName() + " \"" + help.windowTitle()).toStdString() + "\"\n";
            EXPECT_TRUE(help.pageFound() && page.dir().dirName() == (language == French ? "fr" : "en") &&
                        help.txtHelp->toPlainText().size() > 100) << what;
            help.hide();
        };
        pages += language == French ? "# French\n" : "# English\n";
        for (int type = 0; type < 3; ++type) {
            window.lstStrategyList->setCurrentRow(type);
            for (int tab = 0; tab < window.tabOutputs->count(); ++tab) {
                window.tabOutputs->setCurrentIndex(tab);
                window.cmdHelp->click();
                opened("cmdHelp, strategy " + std::to_string(type) + ", output page " + std::to_string(tab));
            }
        }
        pressF1(&window);
        opened("F1 in the main window");
        // Not the entries of the About box and the sponsor's own help file.
        std::function<void(QMenu*)> triggerEntries = [&](QMenu* menu) {
            for (QAction* entry : menu->actions()) {
                if (entry->menu())
                    triggerEntries(entry->menu());
                else if (!entry->isSeparator() && entry != window.mnuAboutSoftware && entry != window.mnuAboutSponsor) {
                    entry->trigger();
                    opened("menu " + entry->objectName().toStdString());
                }
            }
        };
        triggerEntries(window.mnuHelp);

        ProgramSetup& setup = *program.setupDialog();
        whenShown(&setup, [&] {
            pressF1(&setup);
            opened("F1 in the setup dialog");
            for (int tab = 2; tab <= 3; ++tab) {
                setup.selectTab(tab);
                setup.cmdHelp->click();
                opened("setup dialog, tab " + std::to_string(tab));
            }
            setup.cmdCancel->click();
        });
        window.mnuSetupItem[1]->trigger();
        whenShown(program.printDialog(), [&] {
            pressF1(program.printDialog());
            opened("F1 in the print dialog");
            program.printDialog()->cmdCancel->click();
        });
        window.mnuPrint->trigger();
        window.lstStrategyList->setCurrentRow(1);
        emit window.advancedDetailsRequested();
        pressF1(&program.detailDialogs()->advancedDetails());
        opened("F1 in the advanced details");
        program.detailDialogs()->advancedDetails().cmdCancel->click();
        window.lstStrategyList->setCurrentRow(0);
        emit window.customInvestmentMixRequested();
        ASSERT_NE(program.detailDialogs()->customInvestmentMix(), nullptr);
        pressF1(program.detailDialogs()->customInvestmentMix());
        opened("F1 in the custom investment mix");
        program.detailDialogs()->customInvestmentMix()->cmdCancel->click();
        window.mnuAboutSoftware->trigger();
        pressF1(program.aboutBox());
        opened("F1 in the About box");
        program.aboutBox()->cmdOk->click();
    }
    ExpectGolden(pages, "ui/golden/help-pages.txt");
}

// A topic without a page says so and leads to the contents, help not
// installed names the folder; Back and Forward walk the pages shown; the
// sponsor's own file goes to the desktop.
TEST(HelpWindow, missingPagesPageHistoryAndTheSponsorsFile)
{
    MapCaptions captions;
    captions.set("HelpTopicMissing", "No page for topic <1>");
    captions.set("HelpFileNotOpened", "Cannot open <1>");
    captions.set("HelpNotFound", "Not in <1>");
    QTemporaryDir noHelp;
    HelpWindow empty(captions, noHelp.path());
    empty.showContents();
    EXPECT_TRUE(!empty.pageFound() && empty.txtHelp->toPlainText().contains("Not in " + noHelp.path()));
    HelpWindow help(captions);
    const auto page = [&] { return QFileInfo(help.currentPage().toLocalFile()).fileName().toStdString(); };
    help.showTopic(999);
    EXPECT_FALSE(help.pageFound());
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("No page for topic 999"));
    help.cmdHelpContents->click();
    EXPECT_EQ(page(), "contents.html");
    help.showTopic(101);
    help.showTopic(102);
    help.cmdHelpBack->click();
    EXPECT_EQ(page(), "topic-101.html");
    help.cmdHelpForward->click();
    EXPECT_EQ(page(), "topic-102.html");

    std::vector<QUrl> opened;
    help.setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    const QString sponsorFile = QDir(help.helpRoot()).filePath("topics.txt");  // any file that is there
    help.showFileContents(sponsorFile.toStdString());
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(sponsorFile)});
    help.showFileContents(sponsorFile.toStdString() + ".gone");
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("Cannot open"));
}

} // namespace
} // namespace gw::test
