// The print dialog on fakes: documents go to recording pages.
#include "window_test.h"

#include "recordingpage.h"
#include "records.h"
#include "sample_inputs.h"

namespace gw::test {
namespace {

struct AnsweringFiles : SaveFileService {
    QString answer;
    QString suggested;
    QString askSaveFileName(const QString&, const QString& path) override { suggested = path; return answer; }
};

class PrintDialog : public ::testing::Test {
protected:
    PrintDialog()
    {
        settings.captions.english = {"OnePageSummaryTitle_IntOnly=Summary of the loan",
                                     "OnePageSummaryTitle_RRSP=Summary of the RRSP loan",
                                     "ProjectionTitle_IntOnly=Projection of the loan",
                                     "Suitability_Title=Suitability form", "PrintoutFooter=Footer line"};
        settings.SponsorLines = {"[SponsorInfo]", "Our firm's disclaimer.=LegalDisclaimerEnglish1"};
        settings.folder = pictures.path().toStdString();
        std::ofstream(settings.folder / "print-english.gif") << "GIF89a";
        captions.set("lstStrategyList.listindex(0)", "Interest-Only: Loan");
        for (Setting s : {Setting::PrintSummary, Setting::PrintProjection, Setting::PrintSummaryChecklist})
            defaults.values.setFlag(s, true);
        defaults.advisor = {"Alex Martin", "Northfield Wealth"};
    }

    void analyse(Strategy strategy)
    {
        auto state = std::make_unique<AnalysisState>();
        const AnalysisOutcome outcome = RunAnalysis(
            strategy, ReportSampleInputs({{{0, 20, 0}, {50000, 30, 6}, {100000, 43, 25}, {200000, 53, 39}}}), *state);
        ASSERT_TRUE(outcome.ok()) << outcome.error;
        results = *outcome.results;
        source = {strategy, &results};
    }

    void open(const std::string& sponsor = "none")
    {
        settings.sponsorInfo.SponsorName = sponsor;
        PrintOptions::Services services;
        services.captions = &captions;
        services.messages = &messages;
        services.settings = &settings;
        services.files = &files;
        services.source = [this] { return source; };
        services.printerNames = [] { return std::vector<std::string>{"Office Laser", "Front Desk"}; };
        services.defaultPrinter = [] { return std::string("Front Desk"); };
        services.today = [] { return ReportDate{2025, 1, 5}; };
        services.documentsFolder = QStringLiteral("/home/advisor/Documents");
        services.makePage = [this](const PrintDestination& destination) {
            destinations.push_back(destination);
            pages.push_back(std::make_shared<RecordingPage>());
            return pages.back();
        };
        pages.clear();
        destinations.clear();
        dialog = std::make_unique<PrintOptions>(services, defaults);
    }

    // The title each document starts with.
    std::vector<std::string> documentTitles() const
    {
        std::vector<std::string> titles;
        for (const auto& page : pages)
            titles.push_back(page->texts().empty() ? "" : page->texts().front().text);
        return titles;
    }
    // Which of Print and the summary's checklist, signatures and disclaimer
    // options can be used: "PCSD", with "-" for each that cannot.
    std::string usable() const
    {
        return {dialog->cmdPrint->isEnabled() ? 'P' : '-', dialog->optPrintCheckList->isEnabled() ? 'C' : '-',
                dialog->optPrintSignatures->isEnabled() ? 'S' : '-', dialog->optPrintLegalDisclaimer->isEnabled() ? 'D' : '-'};
    }

    MapCaptions captions;
    RecordingMessages messages;
    AnsweringFiles files;
    ProgramSettings settings;
    PrintDefaults defaults;
    QTemporaryDir pictures;
    AnalysisResults results;
    PrintSource source;
    std::vector<PrintDestination> destinations;
    std::vector<std::shared_ptr<RecordingPage>> pages;
    std::unique_ptr<PrintOptions> dialog;
};

// Without the summary its options mean nothing; an RRSP loan has no
// checklist, checked each time the dialog shows.
TEST_F(PrintDialog, printAndTheSummaryOptionsFollowTheReportsTickedAndTheStrategy)
{
    analyse(Strategy::InterestOnly);
    open();
    dialog->show();
    EXPECT_EQ(usable(), "PCSD");
    dialog->chkPrint[0]->click();
    EXPECT_EQ(usable(), "P---");
    dialog->chkPrint[1]->click();
    EXPECT_EQ(usable(), "----");
    dialog->chkPrint[0]->click();
    EXPECT_EQ(usable(), "PCSD");

    analyse(Strategy::RRSP);
    dialog->hide();
    dialog->show();
    EXPECT_EQ(usable(), "P-SD");
    dialog->chkPrint[0]->click();
    dialog->chkPrint[0]->click();
    EXPECT_EQ(usable(), "PCSD");
    dialog->hide();
    dialog->show();
    EXPECT_EQ(usable(), "P-SD");
    analyse(Strategy::InterestOnly);
    dialog->hide();
    dialog->show();
    EXPECT_EQ(usable(), "PCSD");
}

// The names typed go on the reports, the advisor's trimmed, and are kept
// for Save Defaults.
TEST_F(PrintDialog, threeCopiesOfThreeReportsMakeNineDocumentsInOrderOnTheDefaultPrinter)
{
    analyse(Strategy::InterestOnly);
    defaults.values.setFlag(Setting::PrintChecklistPage, true);
    open("QZX Securities");
    dialog->txtCopies->setText("3");
    dialog->leaveCopies();
    dialog->txtAdvisorName->setText(QStringLiteral("  Élise Côté "));
    dialog->chkName->setChecked(true);
    dialog->txtName->setText(QStringLiteral("Jean Tremblay"));
    EXPECT_EQ(dialog->currentDefaults().advisor.name, "Élise Côté");
    ASSERT_TRUE(dialog->runPrint());
    EXPECT_TRUE(pages[0]->findText("Élise Côté") && pages[0]->findText("Jean Tremblay"));
    std::vector<std::string> expected;
    for (const char* title : {"Summary of the loan", "Suitability form", "Projection of the loan"})
        expected.insert(expected.end(), 3, title);
    EXPECT_EQ(documentTitles(), expected);
    for (const auto& page : pages)
        EXPECT_EQ(page->ops().back().kind, PageOp::Kind::End);
    for (const PrintDestination& d : destinations)
        EXPECT_TRUE(!d.pdf && d.printer == "Front Desk");
    EXPECT_TRUE(messages.messages.empty()) << messages.take();
    EXPECT_TRUE(dialog->isHidden());
}

// Only a sponsor whose name starts with "QZX" has the checklist report, and
// its summary always ends with its legal disclaimer.
TEST_F(PrintDialog, qzxSponsorAlwaysEndsTheSummaryWithTheLegalDisclaimer)
{
    defaults.values.setFlag(Setting::PrintChecklistPage, true);
    defaults.values.setFlag(Setting::PrintProjection, false);
    for (const auto& [sponsor, qzx] : {std::pair{"QZX Securities", true}, {"QZX", true}, {"QZ", false},
                                       {"Acme QZX", false}, {"none", false}}) {
        SCOPED_TRACE(sponsor);
        analyse(Strategy::InterestOnly);
        open(sponsor);
        dialog->show();
        EXPECT_EQ(dialog->chkPrint[2]->isVisible() && dialog->chkPrint[2]->isChecked(), qzx);
        EXPECT_EQ(usable(), qzx ? "P--D" : "PCSD");
        EXPECT_EQ(dialog->optPrintLegalDisclaimer->isChecked(), qzx);
        ASSERT_TRUE(dialog->runPrint());
        ASSERT_EQ(pages.size(), qzx ? 2u : 1u);
        EXPECT_EQ(pages[0]->findText("Our firm's disclaimer.").has_value(), qzx);
        EXPECT_EQ(documentTitles().back(), qzx ? "Suitability form" : "Summary of the loan");
    }
}

// The PDF entry asks where to save each document; a strategy without
// results is said once and nothing prints.
TEST_F(PrintDialog, pdfEntryAsksWhereToSaveEachDocument)
{
    analyse(Strategy::InterestOnly);
    open();
    ASSERT_EQ(dialog->cboPrinters->count(), 3);  // two printers and the PDF file
    dialog->cboPrinters->setCurrentIndex(2);
    dialog->show();
    EXPECT_FALSE(dialog->runPrint());  // cancelled: nothing prints, the dialog stays
    EXPECT_TRUE(pages.empty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(files.suggested, "/home/advisor/Documents/Gearwise Planner - Interest-Only- Loan - 2025-01-05.pdf");

    files.answer = QStringLiteral("/tmp/out/Client");
    ASSERT_TRUE(dialog->runPrint());
    ASSERT_EQ(destinations.size(), 2u);
    EXPECT_TRUE(destinations[0].pdf);
    EXPECT_EQ(destinations[0].file, "/tmp/out/Client - [chkPrint(0)].pdf");
    EXPECT_EQ(destinations[1].file, "/tmp/out/Client - [chkPrint(1)].pdf");
    // One document goes to the file chosen.
    destinations.clear();
    dialog->chkPrint[1]->click();
    files.answer = QStringLiteral("/tmp/out/Summary.pdf");
    ASSERT_TRUE(dialog->runPrint());
    ASSERT_EQ(destinations.size(), 1u);
    EXPECT_EQ(destinations[0].file, "/tmp/out/Summary.pdf");
    // The window shows a strategy without results: told once, nothing prints.
    source.strategy = Strategy::TermLoan;
    destinations.clear();
    ASSERT_TRUE(dialog->runPrint());
    EXPECT_TRUE(destinations.empty());
    EXPECT_EQ(messages.count("warning"), 1);
}

} // namespace
} // namespace gw::test
