// The help viewer on its own; the help each window opens is checked by the
// caption walk.
#include "window_test.h"

namespace gw::test {
namespace {

// A topic without a page says so and leads to the contents; Back and
// Forward walk the pages shown; the sponsor's own file goes to the desktop.
TEST(HelpWindow, missingPagesPageHistoryAndTheSponsorsFile)
{
    MapCaptions captions;
    captions.set("HelpTopicMissing", "No page for topic <1>");
    captions.set("HelpFileNotOpened", "Cannot open <1>");
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
