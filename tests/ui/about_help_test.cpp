// The About box and the help viewer on fakes and small help folders.
#include "fakes.h"

#include "about.h"
#include "helpwindow.h"
#include "records.h"

namespace gw::test {
namespace {

const std::filesystem::path kFixtures = GEARWISE_UI_FIXTURES;
const QString kPicture = QString::fromStdString((kFixtures / "Welcome.jpg").string());

class AboutTest : public ::testing::Test {
protected:
    MapCaptions captions;
    RecordingMessages messages;
    RecordingHelp help;
    std::unique_ptr<AboutBox> box;

    void open(bool isSponsored, const QString& picture = {})
    {
        ProgramInfo info;
        info.productName = QStringLiteral("Gearwise Planner");
        info.major = 1;
        info.minor = 2;
        info.revision = 3;
        AboutServices services{&captions, &messages, &help};
        const AboutSponsor sponsor{isSponsored, "Northgate Wealth Partners", "Presented by", picture};
        box = std::make_unique<AboutBox>(info, sponsor, services);
    }
    bool shows(QWidget* widget) const { return widget->isVisibleTo(box.get()); }
};

TEST_F(AboutTest, nameVersionAndCopyrightAreMadeOfCaptions)
{
    open(false);
    EXPECT_EQ(box->lblProgramName->text(), "Gearwise Planner v.1.2.3");
    EXPECT_EQ(box->lblCopyright->text(), "[CopyRight] [CopyRightTextVeil]");
    captions.set("CopyRight", "\u00a9 2025");
    box->formatCaptions();
    EXPECT_EQ(box->lblCopyright->text(), "\u00a9 2025 [CopyRightTextVeil]");
    EXPECT_EQ(box->lblProgramName->text(), "Gearwise Planner v.1.2.3");
}

TEST_F(AboutTest, sponsorShowsByNameAndWithItsPictureWhenThereIsOne)
{
    const struct {
        const char* name;
        bool sponsored;
        QString picture;
        bool showsName;
        bool showsPicture;
    } cases[] = {
        {"not sponsored", false, kPicture, false, false},
        {"sponsored, no picture", true, {}, true, false},
        {"sponsored, picture missing", true, kPicture + "-gone", true, false},
        {"sponsored with picture", true, kPicture, true, true},
    };
    int heightWithout = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.sponsored, c.picture);
        EXPECT_EQ(shows(box->lblSponsorName), c.showsName);
        if (c.showsName) {
            EXPECT_EQ(box->lblSponsorName->text(), "Presented by Northgate Wealth Partners");
        }
        EXPECT_EQ(shows(box->fraSponsorLogo), c.showsPicture);
        if (!c.showsPicture) {
            heightWithout = std::max(heightWithout, box->sizeHint().height());
            continue;
        }
        EXPECT_EQ(box->lblComplimentsOfHeader->text(), "Presented by");
        // The frame holds the picture and the box grows to make room.
        box->show();
        const int picture = box->picSponsorLogo->pixmap().height();
        EXPECT_GT(picture, 0);
        EXPECT_GE(box->fraSponsorLogo->height(), picture);
        EXPECT_GE(box->height(), heightWithout + picture);
    }
}

TEST(AboutSponsorFrom, keepsThePictureOnlyForASponsoredCopyThatHasIt)
{
    ProgramSettings settings;
    settings.folder = kFixtures;
    settings.sponsorInfo.SponsorName = "Northgate Wealth Partners";
    settings.sponsorInfo.AppTitle = "Presented by";
    settings.sponsorInfo.logoPath = "Welcome.jpg";
    settings.IsSponsored = true;
    EXPECT_EQ(AboutSponsorFrom(settings).picturePath, kPicture);
    EXPECT_EQ(AboutSponsorFrom(settings).appTitle, "Presented by");
    settings.IsSponsored = false;
    EXPECT_TRUE(AboutSponsorFrom(settings).picturePath.isEmpty());
    EXPECT_FALSE(AboutSponsorFrom(settings).isSponsored);
    settings.IsSponsored = true;
    for (const char* missing : {"Missing.jpg", ""}) {
        settings.sponsorInfo.logoPath = missing;
        EXPECT_TRUE(AboutSponsorFrom(settings).picturePath.isEmpty()) << missing;
    }
}

TEST_F(AboutTest, disclaimerShowsTheCaptionWithLineBreaksAndF1ItsTopic)
{
    captions.set("DisclaimerTitle", "Disclaimer");
    captions.set("Disclaimer", "Educational only.<1><2>Not advice.<3><4>Ask a professional.");
    open(true);
    box->cmdDisclaimer->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "warning");
    EXPECT_EQ(messages.messages[0].title, "Disclaimer");
    EXPECT_EQ(messages.messages[0].text, "Educational only.\n\nNot advice.\n\nAsk a professional.");

    box->show();
    QTest::keyClick(box.get(), Qt::Key_F1);
    EXPECT_EQ(help.topics, std::vector<int>{301});
    box->cmdOk->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
}

// ---- the help viewer ----

QString folderOf(const QUrl& page)
{
    return QFileInfo(page.toLocalFile()).dir().dirName();
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

class HelpTest : public ::testing::Test {
protected:
    MapCaptions captions;
    HelpWindow help{captions};

    HelpTest() { captions.set("HelpTopicMissing", "No page for topic <1>"); }
};

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
    HelpRoot empty;
    HelpWindow help(captions, empty.dir.path());
    EXPECT_TRUE(help.pagePath(101, English).isEmpty());
    help.showContents();
    EXPECT_FALSE(help.pageFound());
    EXPECT_TRUE(help.txtHelp->toPlainText().startsWith("[frmHelp]"));
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("Not in "));
}

TEST(HelpWindowFiles, topicsTxtNamesThePages)
{
    MapCaptions captions;
    HelpRoot root;
    root.write("topics.txt", "0\tstart.html\tStart\tDebut\n108\tsetup.html\tSetup\tConfiguration\n");
    root.write("en/start.html", "<html><head><title>Start</title></head><body>Start page</body></html>");
    root.write("en/setup.html", "<html><head><title>Setup</title></head><body>Setup page</body></html>");
    root.write("en/topic-109.html", "<html><body>Unlisted page</body></html>");
    HelpWindow help(captions, root.dir.path());
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
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.txtHelp->toPlainText().contains("Cannot open"));
}

} // namespace
} // namespace gw::test
