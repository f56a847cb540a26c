// The suitability checklist on the recording page.
#include "report_fixture.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

class ChecklistReport : public ReportFixture {
protected:
    bool print(Language language, const std::filesystem::path& folder)
    {
        PrintContext ctx = context(language);
        return PrintSuitabilityChecklist(ctx, folder);
    }

    std::filesystem::path pictures() const { return std::string(GEARWISE_SOURCE_DIR) + "/print/pictures"; }
};

TEST_F(ChecklistReport, TwoPagesInOrderWithThePictureOfTheLanguage)
{
    for (Language language : {English, French}) {
        SCOPED_TRACE(language == French ? "fr" : "en");
        page = RecordingPage();
        ASSERT_TRUE(print(language, pictures())) << (reporter.messages.empty() ? "" : reporter.messages.back());

        std::vector<PageOp> pictureOps;
        for (const PageOp& op : page.ops()) {
            if (op.kind == PageOp::Kind::Picture)
                pictureOps.push_back(op);
        }
        ASSERT_EQ(pictureOps.size(), 1u);
        EXPECT_EQ(std::filesystem::path(pictureOps[0].text).filename(),
                  language == French ? "print-french.gif" : "print-english.gif");
        EXPECT_EQ(pages(), 2);

        std::vector<std::string> page1{"Suitability_Title", "Suitability_Client_Name", "Suitability_Account_Num",
                                       "Suitability_ConfirmedTransaction", "Suitability_Yes", "Suitability_No",
                                       "Suitability_QZX_Rep_Sales_Code", "Suitability_Head_Office_Review_Complete",
                                       "Suitability_ReviewCompleted", "Suitability_PurposeOfChecklist",
                                       "Suitability_All_Items_must_be_initialed", "Suitability_Heading1"};
        for (int i = 1; i <= 5; ++i)
            page1.push_back("Suitability_Initial" + std::to_string(i));
        page1.push_back("Suitability_Heading2");
        page1.push_back("Suitability_Initial6");
        for (int i = 1; i <= 7; ++i)
            page1.push_back("Suitability_Enumerated" + std::to_string(i));
        std::vector<std::string> page2{"Suitability_Page2", "Suitability_Heading3"};
        for (int i = 1; i <= 5; ++i)
            page2.push_back("Suitability_Regulatory" + std::to_string(i));
        for (const char* key : {"Suitability_Heading4", "Suitability_Confirm", "Suitability_Signature1",
                                "Suitability_Signature2", "Suitability_Signature3", "Suitability_Signature4",
                                "Suitability_Signature5", "Suitability_Copy1_Text", "Suitability_Copy2_Text",
                                "Suitability_Copy3_Text", "Suitability_DateOfDesign"})
            page2.push_back(key);

        const auto texts = page.texts();
        int last = -1;
        for (const auto& [keys, onPage] : {std::pair{page1, 1}, std::pair{page2, 2}}) {
            for (const std::string& key : keys) {
                const int at = indexOf(CaptionOf(key, language).substr(0, 24), last);
                ASSERT_GE(at, 0) << key;
                EXPECT_GE(at, last) << key;
                EXPECT_EQ(texts[static_cast<std::size_t>(at)].page, onPage) << key;
                last = at;
            }
        }
        // The title heads both pages; no illustration footer on the form.
        int titles = 0;
        for (const PageOp& op : texts)
            titles += op.text == CaptionOf("Suitability_Title", language) ? 1 : 0;
        EXPECT_EQ(titles, 2);
        EXPECT_FALSE(printed(CaptionOf("PrintoutFooter", language).substr(0, 30)));
        EXPECT_EQ(page.ops().back().kind, PageOp::Kind::End);
    }
}

TEST_F(ChecklistReport, MissingPictureIsReportedAndTheDocumentAbandoned)
{
    EXPECT_FALSE(print(English, "/nonexistent/folder"));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("Error 53"), std::string::npos) << reporter.messages[0];
    EXPECT_NE(reporter.messages[0].find("PrintSuitabilityChecklist - Page 1"), std::string::npos);
    EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
}

} // namespace
} // namespace gw::test
