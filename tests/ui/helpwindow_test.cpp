#include "fakes.h"
#include "helpwindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace gw::test {
namespace {

// Every context number the windows open: the contents, the general notes,
// the advanced details, the print dialog, the setup tabs, the About entries,
// the strategies and the output pages.
std::vector<int> programTopics()
{
    std::vector<int> topics{0, 101, 102, 103, 104, 105, 106, 108, 109, 110, 301, 401, 501, 502, 503};
    for (int topic = 801; topic <= 812; ++topic)
        topics.push_back(topic);
    return topics;
}

QString folderOf(const QUrl& page)
{
    return QFileInfo(page.toLocalFile()).dir().dirName();
}

class HelpTest : public ::testing::Test {
protected:
    MapCaptions captions;
    HelpWindow help{captions};

    HelpTest() { captions.set("HelpTopicMissing", "No page for topic <1>"); }
};

TEST_F(HelpTest, everyTopicTheProgramUsesOpensAPageInBothLanguages)
{
    ASSERT_TRUE(QDir(help.helpRoot()).exists()) << help.helpRoot().toStdString();
    for (int language : {0, 1}) {
        captions.lang = language;
        for (int topic : programTopics()) {
            SCOPED_TRACE("language " + std::to_string(language) + ", topic " + std::to_string(topic));
            help.showTopic(topic);
            ASSERT_TRUE(help.pageFound());
            EXPECT_EQ(folderOf(help.currentPage()), language == 0 ? "en" : "fr");
            EXPECT_FALSE(help.txtHelp->documentTitle().isEmpty());
            EXPECT_GT(help.txtHelp->toPlainText().size(), 100);
        }
    }
    EXPECT_TRUE(help.isVisible());
}

TEST_F(HelpTest, aTopicWithoutAPageSaysSoAndLeadsToTheContents)
{
    help.showTopic(999);
    EXPECT_FALSE(help.pageFound());
    EXPECT_TRUE(help.currentPage().isEmpty());
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("No page for topic 999"));
    EXPECT_FALSE(help.windowTitle().contains(".hlp"));

    help.cmdHelpContents->click();
    EXPECT_TRUE(help.pageFound());
    EXPECT_EQ(QFileInfo(help.currentPage().toLocalFile()).fileName(), "contents.html");
}

TEST_F(HelpTest, backAndForwardWalkThePagesShown)
{
    help.showTopic(101);
    help.showTopic(102);
    ASSERT_TRUE(help.cmdHelpBack->isEnabled());
    help.cmdHelpBack->click();
    EXPECT_TRUE(help.currentPage().toLocalFile().endsWith("topic-101.html"));
    help.cmdHelpForward->click();
    EXPECT_TRUE(help.currentPage().toLocalFile().endsWith("topic-102.html"));
}

TEST_F(HelpTest, theLanguageChoosesTheHelpSet)
{
    EXPECT_EQ(HelpSetFolder(English), "en");
    EXPECT_EQ(HelpSetFolder(French), "fr");
    EXPECT_TRUE(HelpSetFolder(static_cast<Language>(2)).isEmpty());
    EXPECT_NE(HelpFileName(English), HelpFileName(French));
    EXPECT_TRUE(HelpFileName(static_cast<Language>(2)).empty());

    help.showTopic(502);
    // A switch moves the page on show to its French twin.
    captions.lang = 1;
    help.formatCaptions();
    EXPECT_EQ(folderOf(help.currentPage()), "fr");
    EXPECT_TRUE(help.currentPage().toLocalFile().endsWith("topic-502.html"));
    // A language without help keeps the set last used.
    captions.lang = 2;
    help.showTopic(101);
    EXPECT_EQ(folderOf(help.currentPage()), "fr");
}

TEST(HelpWindowFiles, missingHelpIsReportedWithTheFolder)
{
    MapCaptions captions;
    captions.set("HelpNotFound", "Not in <1>");
    QTemporaryDir empty;
    HelpWindow help(captions, empty.path());
    EXPECT_TRUE(help.pagePath(101, English).isEmpty());
    help.showContents();
    EXPECT_FALSE(help.pageFound());
    EXPECT_TRUE(help.txtHelp->toPlainText().startsWith("[frmHelp]"));
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("Not in "));
}

TEST(HelpWindowFiles, topicsTxtNamesThePages)
{
    MapCaptions captions;
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("en"));
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(QDir(root.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("topics.txt", "0\tstart.html\tStart\tDebut\n108\tsetup.html\tSetup\tConfiguration\n");
    write("en/start.html", "<html><head><title>Start</title></head><body>Start page</body></html>");
    write("en/setup.html", "<html><head><title>Setup</title></head><body>Setup page</body></html>");
    write("en/topic-109.html", "<html><body>Unlisted page</body></html>");
    HelpWindow help(captions, root.path());
    EXPECT_TRUE(help.pagePath(0, English).endsWith("en/start.html"));
    EXPECT_TRUE(help.pagePath(108, English).endsWith("en/setup.html"));
    EXPECT_TRUE(help.pagePath(109, English).endsWith("en/topic-109.html"));
    EXPECT_TRUE(help.pagePath(108, French).isEmpty());
    help.showTopic(108);
    EXPECT_EQ(help.windowTitle(), "[frmHelp] - Setup");
}

TEST(HelpWindowFiles, theSponsorsFileGoesToTheDesktopViewer)
{
    MapCaptions captions;
    captions.set("HelpFileNotOpened", "Cannot open <1>");
    QTemporaryDir root;
    const QString file = QDir(root.path()).filePath("Sponsor.pdf");
    QFile(file).open(QIODevice::WriteOnly);
    HelpWindow help(captions, root.path());
    std::vector<QUrl> opened;
    help.setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    help.showFileContents(file.toStdString());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(file));
    EXPECT_FALSE(help.isVisible());

    help.showFileContents(QDir(root.path()).filePath("Missing.pdf").toStdString());
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("Cannot open"));
}

} // namespace
} // namespace gw::test
