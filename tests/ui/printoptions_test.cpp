// The print dialog on fakes: print jobs go to recording pages, or to PDF files.
#include "window_test.h"

#include "recordingpage.h"
#include "records.h"
#include "sample_inputs.h"

namespace gw::test {
namespace {

struct AnsweringFiles : SaveFileService {
    QString answer;
    QString suggested;
    int asked = 0;
    QString askSaveFileName(const QString&, const QString& path, const QString&) override
    {
        ++asked;
        suggested = path;
        return answer;
    }
};

class PrintDialog : public ::testing::Test {
protected:
    PrintDialog()
    {
        settings.captions.english = {"OnePageSummaryTitle_IntOnly=Summary of the loan",
                                     "OnePageSummaryTitle_RRSP=Summary of the RRSP loan",
                                     "ProjectionTitle_IntOnly=Projection of the loan",
                                     "Suitability_Title=Suitability form", "PrintoutFooter=Footer line",
                                     "PageNofM=Page <1> of <2>", "OutcomesReport_Title=Outcomes of the loan"};
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

    // `makePage` defaults to recording pages.
    void open(const std::string& sponsor = "none", PageFactory makePage = {})
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
        services.documentsFolder = QStringLiteral("/home/advisor/Documents");  // absent here
        services.makePage = makePage ? makePage : [this](const PrintDestination& destination) -> std::shared_ptr<Page> {
            destinations.push_back(destination);
            pages.push_back(std::make_shared<RecordingPage>());
            return pages.back();
        };
        pages.clear();
        destinations.clear();
        dialog = std::make_unique<PrintOptions>(services, defaults);
    }

    // The title of each report's first page, in the order the one job
    // printed them.
    std::vector<std::string> reportTitles() const
    {
        EXPECT_EQ(pages.size(), 1u) << "one page per print job";
        std::map<int, std::string> titleOn;
        std::vector<int> firstPages;
        for (const PageOp& op : pages.empty() ? std::vector<PageOp>{} : pages[0]->texts()) {
            if (op.text.ends_with(" of the loan") || op.text == "Suitability form")
                titleOn.emplace(op.page, op.text);
            if (op.text.starts_with("Page 1 of "))
                firstPages.push_back(op.page);
        }
        std::vector<std::string> titles;
        for (int page : firstPages)
            titles.push_back(titleOn[page]);
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
// checklist, checked each time the dialog shows, and shows the signatures
// instead while the checklist stays the choice saved.
TEST_F(PrintDialog, printAndTheSummaryOptionsFollowTheReportsTickedAndTheStrategy)
{
    const auto checklistSaved = [this] { return dialog->currentDefaults().values.flag(Setting::PrintSummaryChecklist); };
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
    EXPECT_TRUE(dialog->optPrintCheckList->isChecked());

    analyse(Strategy::RRSP);
    dialog->hide();
    dialog->show();
    EXPECT_EQ(usable(), "P-SD");
    EXPECT_TRUE(dialog->optPrintSignatures->isChecked());
    EXPECT_TRUE(checklistSaved());
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
    EXPECT_TRUE(dialog->optPrintCheckList->isChecked());
}

// The names typed go on the reports, the advisor's trimmed, and are kept
// for Save Defaults. The copies repeat inside the one job.
TEST_F(PrintDialog, threeCopiesOfThreeReportsPrintInOrderAsOneJobOnTheDefaultPrinter)
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
    EXPECT_EQ(reportTitles(), expected);
    EXPECT_EQ(pages[0]->ops().back().kind, PageOp::Kind::End);
    ASSERT_EQ(destinations.size(), 1u);
    EXPECT_TRUE(!destinations[0].pdf && destinations[0].printer == "Front Desk");
    EXPECT_TRUE(messages.messages.empty()) << messages.take();
    EXPECT_TRUE(dialog->isHidden());
}

// The range of outcomes prints last, worked out only when it is ticked; when
// it cannot be, the other reports print and the user is told.
TEST_F(PrintDialog, rangeOfOutcomesPrintsLastOnlyWhenTickedAndIsSavedWithTheOptions)
{
    analyse(Strategy::InterestOnly);
    int asked = 0;
    std::optional<OutcomeResults> outcomes =
        SimulateOutcomes(Strategy::InterestOnly,
                         ReportSampleInputs({{{0, 20, 0}, {50000, 30, 6}, {100000, 43, 25}, {200000, 53, 39}}}),
                         OutcomeOptions{.paths = 100});
    source.outcomes = [&] {
        ++asked;
        return outcomes;
    };
    open();
    ASSERT_TRUE(dialog->runPrint());
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(reportTitles(), (std::vector<std::string>{"Summary of the loan", "Projection of the loan"}));

    dialog->chkPrint[3]->setChecked(true);
    EXPECT_TRUE(dialog->currentDefaults().values.flag(Setting::PrintOutcomes));
    pages.clear();
    ASSERT_TRUE(dialog->runPrint());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(reportTitles(),
              (std::vector<std::string>{"Summary of the loan", "Projection of the loan", "Outcomes of the loan"}));

    outcomes.reset();
    pages.clear();
    messages.messages.clear();
    ASSERT_TRUE(dialog->runPrint());
    EXPECT_EQ(messages.count("warning"), 1);
    EXPECT_EQ(reportTitles(), (std::vector<std::string>{"Summary of the loan", "Projection of the loan"}));

    // Alone and impossible: nothing to print, the dialog stays.
    dialog->chkPrint[0]->setChecked(false);
    dialog->chkPrint[1]->setChecked(false);
    dialog->show();
    pages.clear();
    EXPECT_FALSE(dialog->runPrint());
    EXPECT_TRUE(pages.empty());
    EXPECT_TRUE(dialog->isVisible());
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
        EXPECT_EQ(pages[0]->findText("Our firm's disclaimer.").has_value(), qzx);
        EXPECT_EQ(reportTitles().back(), qzx ? "Suitability form" : "Summary of the loan");
    }
}

// Reports without results are said before any file name is asked: with
// nothing else to print the dialog stays, with the checklist that prints.
TEST_F(PrintDialog, missingResultsAreSaidBeforeTheFileNameIsAsked)
{
    analyse(Strategy::InterestOnly);
    source.strategy = Strategy::TermLoan;
    defaults.values.setFlag(Setting::PrintChecklistPage, true);
    for (const std::string sponsor : {"none", "QZX Securities"}) {
        SCOPED_TRACE(sponsor);
        open(sponsor);
        dialog->cboPrinters->setCurrentIndex(dialog->cboPrinters->count() - 1);
        dialog->show();
        files.asked = 0;
        files.answer = QStringLiteral("/tmp/Client.pdf");
        messages.messages.clear();
        EXPECT_EQ(dialog->runPrint(), sponsor != "none");
        EXPECT_EQ(messages.count("warning"), 1);
        EXPECT_EQ(files.asked, sponsor != "none" ? 1 : 0);
        EXPECT_EQ(dialog->isVisible(), sponsor == "none");
        if (sponsor != "none")
            EXPECT_EQ(reportTitles(), std::vector<std::string>{"Suitability form"});
        else
            EXPECT_TRUE(pages.empty());
    }
}

// A PDF file holds the whole job once, under exactly the name typed (".pdf"
// added); the Documents folder, else the home folder, is suggested until a
// file is saved, then that file's folder.
TEST_F(PrintDialog, pdfEntrySavesTheWholeJobOnceInTheFileNamed)
{
    const TempFolder out;
    analyse(Strategy::InterestOnly);
    open("none", DevicePageFactory());
    ASSERT_EQ(dialog->cboPrinters->count(), 3);  // two printers and the PDF file
    dialog->cboPrinters->setCurrentIndex(2);
    dialog->txtCopies->setText("2");
    dialog->leaveCopies();
    dialog->show();
    EXPECT_FALSE(dialog->runPrint());  // cancelled: nothing prints, the dialog stays
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(files.suggested, QDir::homePath() + "/Gearwise Planner - Interest-Only- Loan - 2025-01-05.pdf");

    files.answer = QString::fromStdString((out / "Client").string());
    ASSERT_TRUE(dialog->runPrint());
    EXPECT_TRUE(messages.messages.empty()) << messages.take();
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(out.path()))
        written.push_back(entry.path().filename().string());
    EXPECT_EQ(written, std::vector<std::string>{"Client.pdf"});
    dialog->show();
    dialog->runPrint();
    EXPECT_EQ(files.suggested, QString::fromStdString((out / "Gearwise Planner - Interest-Only- Loan - 2025-01-05.pdf").string()));

    const std::string text = (out / "Client.txt").string();
    if (std::system(("pdftotext '" + (out / "Client.pdf").string() + "' '" + text + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string printed = readBytes(text);
    const std::size_t summary = printed.find("Summary of the loan");
    ASSERT_NE(summary, std::string::npos) << printed;
    EXPECT_EQ(printed.find("Summary of the loan", summary + 1), std::string::npos) << "copies do not apply to a file";
    EXPECT_NE(printed.find("Projection of the loan", summary), std::string::npos) << printed;
}

} // namespace
} // namespace gw::test
