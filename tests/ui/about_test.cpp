#include "fakes.h"

#include "about.h"
#include "records.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <memory>

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

    void open(AboutSponsor sponsor)
    {
        ProgramInfo info;
        info.productName = QStringLiteral("Gearwise Planner");
        info.major = 1;
        info.minor = 2;
        info.revision = 3;
        AboutServices services;
        services.captions = &captions;
        services.messages = &messages;
        services.help = &help;
        box = std::make_unique<AboutBox>(info, sponsor, services);
    }
    bool shows(QWidget* widget) const { return widget->isVisibleTo(box.get()); }
};

AboutSponsor sponsor(bool isSponsored, QString picture)
{
    return {isSponsored, QStringLiteral("Northgate Wealth Partners"), QStringLiteral("Presented by"), picture};
}

TEST_F(AboutTest, captionsFollowTheCaptionLanguage)
{
    open(sponsor(false, {}));
    EXPECT_EQ(box->objectName(), "frmAbout");
    EXPECT_EQ(box->windowTitle(), "[frmAbout]");
    EXPECT_EQ(box->lblProgramName->text(), "Gearwise Planner v.1.2.3");
    EXPECT_EQ(box->lblCopyright->text(), "[CopyRight] [CopyRightTextVeil]");
    EXPECT_EQ(box->lblSoftwareInformationHeader->text(), "[lblSoftwareInformationHeader]");
    EXPECT_EQ(box->lblWebAddressHeader->text(), "[lblWebAddressHeader]");
    EXPECT_EQ(box->lblEmailAddress->text(), "[lblEmailAddress]");
    EXPECT_EQ(box->lblCriminalWarning->text(), "[lblCriminalWarning]");
    EXPECT_EQ(box->cmdOk->text(), "[cmdOK]");
    EXPECT_EQ(box->cmdDisclaimer->text(), "[cmdDisclaimer]");

    captions.set("frmAbout", "\u00c0 propos");
    captions.set("CopyRight", "\u00a9 2025");
    captions.set("cmdDisclaimer", "Avis juridique");
    box->formatCaptions();
    EXPECT_EQ(box->windowTitle(), "\u00c0 propos");
    EXPECT_EQ(box->lblCopyright->text(), "\u00a9 2025 [CopyRightTextVeil]");
    EXPECT_EQ(box->cmdDisclaimer->text(), "Avis juridique");
    EXPECT_EQ(box->lblProgramName->text(), "Gearwise Planner v.1.2.3");
}

TEST_F(AboutTest, sponsorShowsByNameAndWithItsPictureWhenThereIsOne)
{
    struct Case {
        const char* name;
        AboutSponsor sponsor;
        bool showsName;
        bool showsPicture;
    };
    const Case cases[] = {
        {"not sponsored", sponsor(false, kPicture), false, false},
        {"sponsored, no picture", sponsor(true, {}), true, false},
        {"sponsored, picture missing", sponsor(true, kPicture + "-gone"), true, false},
        {"sponsored with picture", sponsor(true, kPicture), true, true},
    };
    int heightWithout = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.sponsor);
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
        EXPECT_FALSE(box->picSponsorLogo->pixmap().isNull());
        // The frame holds the picture and the box grows to make room.
        box->show();
        EXPECT_GE(box->fraSponsorLogo->height(), box->picSponsorLogo->pixmap().height());
        EXPECT_GE(box->height(), heightWithout + box->picSponsorLogo->pixmap().height());
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
    settings.sponsorInfo.logoPath = "Missing.jpg";
    EXPECT_TRUE(AboutSponsorFrom(settings).picturePath.isEmpty());
    settings.sponsorInfo.logoPath.clear();
    EXPECT_TRUE(AboutSponsorFrom(settings).picturePath.isEmpty());
}

TEST_F(AboutTest, disclaimerShowsTheCaptionWithLineBreaks)
{
    captions.set("DisclaimerTitle", "Disclaimer");
    captions.set("Disclaimer", "Educational only.<1><2>Not advice.<3><4>Ask a professional.");
    open(sponsor(false, {}));
    box->cmdDisclaimer->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "warning");
    EXPECT_EQ(messages.messages[0].title, "Disclaimer");
    EXPECT_EQ(messages.messages[0].text, "Educational only.\n\nNot advice.\n\nAsk a professional.");
}

TEST_F(AboutTest, f1OpensItsHelpTopicAndOkCloses)
{
    open(sponsor(true, {}));
    box->show();
    QTest::keyClick(box.get(), Qt::Key_F1);
    EXPECT_EQ(help.topics, std::vector<int>{301});
    EXPECT_TRUE(box->isVisible());
    box->cmdOk->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
}

} // namespace
} // namespace gw::test
