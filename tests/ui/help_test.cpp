// Help: every way the windows ask for it, in both languages, on the help
// pages of the build; and the help viewer on small help folders.
#include "golden.h"
#include "window_test.h"

namespace gw::test {
namespace {

// F1 in `shown`, made the active window first as a user's click does (the
// help window hidden just before may hand the activation back late).
void pressF1(QWidget* shown)
{
    const bool active = QTest::qWaitFor([shown] {
        if (QApplication::activeWindow() != shown)
            shown->activateWindow();
        return QApplication::activeWindow() == shown;
    });
    EXPECT_TRUE(active) << shown->objectName().toStdString();
    QTest::keyClick(shown, Qt::Key_F1);
}

// Each button, key and menu entry that asks for help, and the page it opened;
// every one must open a page of the language in use. The pages are a golden
// file: after an intended change, review its difference.
TEST(Help, everyWindowOpensItsTopicInTheLanguageInUse)
{
    std::string pages;
    for (Language language : {English, French}) {
        ProgramOnData data;
        MainWindow& window = data.start(language);
        Program& program = *data.program;
        HelpWindow& help = *program.helpWindow();
        const QString helpSet = language == French ? "fr" : "en";
        const auto opened = [&](const std::string& what) {
            const QFileInfo page(help.currentPage().toLocalFile());
            pages += what + ": " + (page.dir().dirName() + '/' + page.fileName()).toStdString() + " \"" +
                     help.txtHelp->documentTitle().toStdString() + "\"\n";
            EXPECT_TRUE(help.pageFound() && page.dir().dirName() == helpSet && help.txtHelp->toPlainText().size() > 100)
                << what;
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
        std::vector<QAction*> entries;
        std::function<void(QMenu*)> addEntries = [&](QMenu* menu) {
            for (QAction* entry : menu->actions()) {
                if (entry->menu())
                    addEntries(entry->menu());
                else if (!entry->isSeparator() && entry != window.mnuAboutSoftware && entry != window.mnuAboutSponsor)
                    entries.push_back(entry);
            }
        };
        addEntries(window.mnuHelp);
        for (QAction* entry : entries) {
            entry->trigger();
            opened("menu " + entry->objectName().toStdString());
        }

        ProgramSetup& setup = *program.setupDialog();
        whenShown(&setup, [&] {
            pressF1(&setup);
            opened("F1 in the setup dialog");
            for (int tab = 1; tab <= 3; ++tab) {
                setup.selectTab(tab);
                setup.cmdHelp->click();
                opened("setup dialog, tab " + std::to_string(tab));
            }
            setup.cmdCancel->click();
        });
        window.mnuSetupItem[1]->trigger();
        PrintOptions& print = *program.printDialog();
        whenShown(&print, [&] {
            pressF1(&print);
            opened("F1 in the print dialog");
            print.cmdCancel->click();
        });
        window.mnuPrint->trigger();

        window.lstStrategyList->setCurrentRow(1);
        emit window.advancedDetailsRequested();
        AdvancedDetails& advanced = program.detailDialogs()->advancedDetails();
        pressF1(&advanced);
        opened("F1 in the advanced details");
        advanced.cmdHelp->click();
        opened("advanced details, help button");
        advanced.cmdCancel->click();
        window.lstStrategyList->setCurrentRow(0);
        emit window.customInvestmentMixRequested();
        CustomInvestmentMix* mix = program.detailDialogs()->customInvestmentMix();
        ASSERT_NE(mix, nullptr);
        pressF1(mix);
        opened("F1 in the custom investment mix");
        mix->cmdCancel->click();
        window.mnuAboutSoftware->trigger();
        pressF1(program.aboutBox());
        opened("F1 in the About box");
        program.aboutBox()->cmdOk->click();
    }
    ExpectGolden(pages, "ui/golden/help-pages.txt");
}

QString fileOf(const QUrl& page)
{
    return QFileInfo(page.toLocalFile()).fileName();
}

// Writes files under a fresh help root.
struct HelpRoot {
    QTemporaryDir dir;
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QDir(dir.path()).mkpath(QFileInfo(name).path());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST(HelpWindow, aTopicWithoutAPageSaysSoAndBackAndForwardWalkThePagesShown)
{
    MapCaptions captions;
    captions.set("HelpTopicMissing", "No page for topic <1>");
    HelpWindow help(captions);
    help.showTopic(999);
    EXPECT_FALSE(help.pageFound());
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("No page for topic 999"));
    help.cmdHelpContents->click();
    EXPECT_EQ(fileOf(help.currentPage()), "contents.html");

    help.showTopic(101);
    help.showTopic(102);
    help.cmdHelpBack->click();
    EXPECT_EQ(fileOf(help.currentPage()), "topic-101.html");
    help.cmdHelpForward->click();
    EXPECT_EQ(fileOf(help.currentPage()), "topic-102.html");
}

TEST(HelpWindow, topicsTxtNamesThePagesAndMissingHelpNamesTheFolder)
{
    MapCaptions captions;
    captions.set("HelpNotFound", "Not in <1>");
    HelpRoot root;
    HelpWindow empty(captions, root.dir.path());
    empty.showContents();
    EXPECT_FALSE(empty.pageFound());
    EXPECT_TRUE(empty.txtHelp->toPlainText().contains("Not in " + root.dir.path()));

    root.write("topics.txt", "0\tstart.html\tStart\tDebut\n108\tsetup.html\tSetup\tConfiguration\n");
    root.write("en/start.html", "<html><head><title>Start</title></head><body>Start page</body></html>");
    root.write("en/setup.html", "<html><head><title>Setup</title></head><body>Setup page</body></html>");
    root.write("en/topic-109.html", "<html><body>Unlisted page</body></html>");
    HelpWindow help(captions, root.dir.path());
    EXPECT_TRUE(help.pagePath(0, English).endsWith("en/start.html"));
    EXPECT_TRUE(help.pagePath(109, English).endsWith("en/topic-109.html"));
    EXPECT_TRUE(help.pagePath(108, French).isEmpty());
    help.showTopic(108);
    EXPECT_EQ(help.windowTitle(), "[frmHelp] - Setup");
}

TEST(HelpWindow, theSponsorsFileGoesToTheDesktopViewer)
{
    MapCaptions captions;
    captions.set("HelpFileNotOpened", "Cannot open <1>");
    HelpRoot root;
    root.write("Sponsor.pdf", "");
    HelpWindow help(captions, root.dir.path());
    std::vector<QUrl> opened;
    help.setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    help.showFileContents(root.path("Sponsor.pdf").toStdString());
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(root.path("Sponsor.pdf"))});
    EXPECT_FALSE(help.isVisible());
    help.showFileContents(root.path("Missing.pdf").toStdString());
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("Cannot open"));
}

} // namespace
} // namespace gw::test
