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

TEST_F(AboutTest, disclaimerShowsTheCaptionWithLineBreaks)
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
    box->cmdOk->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
}

} // namespace
} // namespace gw::test
