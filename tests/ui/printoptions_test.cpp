// The print dialog on fakes: documents go to recording pages.
#include "fakes.h"

#include "data_sources.h"
#include "printoptions.h"
#include "recordingpage.h"
#include "records.h"
#include "sample_inputs.h"
#include "tablecaptions.h"

namespace gw::test {
namespace {

class AnsweringFiles : public SaveFileService {
public:
    QString answer;
    QString askedTitle;
    QString suggested;
    int asked = 0;
    QString askSaveFileName(const QString& title, const QString& suggestedPath) override
    {
        ++asked;
        askedTitle = title;
        suggested = suggestedPath;
        return answer;
    }
};

AnalysisInputs Inputs()
{
    return ReportSampleInputs({TaxBracket{0, 20, 0}, TaxBracket{50000, 30, 6}, TaxBracket{100000, 43, 25},
                               TaxBracket{200000, 53, 39}});
}

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
        captions.set("errorCopies", "No more than <1>, no fewer than <2>.");
        captions.set("lstStrategyList.listindex(0)", "Interest-Only: Loan");
        defaults.values.setFlag(Setting::PrintSummary, true);
        defaults.values.setFlag(Setting::PrintProjection, true);
        defaults.values.setFlag(Setting::PrintSummaryChecklist, true);
        defaults.advisor = {"Alex Martin", "Northfield Wealth"};
    }

    void analyse(Strategy strategy)
    {
        auto state = std::make_unique<AnalysisState>();
        const AnalysisOutcome outcome = RunAnalysis(strategy, Inputs(), *state);
        ASSERT_TRUE(outcome.ok()) << outcome.error;
        results = *outcome.results;
        source = {strategy, &results};
    }

    void open(const std::string& sponsor = "none")
    {
        settings.sponsorInfo.SponsorName = sponsor;
        PrintOptions::Services services;
        services.captions = captionSource;
        services.messages = &messages;
        services.settings = &settings;
        services.help = &help;
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

    void setCopies(const QString& text)
    {
        dialog->txtCopies->setText(text);
        dialog->leaveCopies();
    }

    MapCaptions captions;
    const CaptionSource* captionSource = &captions;
    RecordingMessages messages;
    RecordingHelp help;
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

TEST_F(PrintDialog, NoReportTickedDisablesPrint)
{
    analyse(Strategy::InterestOnly);
    open();
    EXPECT_TRUE(dialog->cmdPrint->isEnabled());
    dialog->chkPrint[0]->click();
    EXPECT_TRUE(dialog->cmdPrint->isEnabled());
    dialog->chkPrint[1]->click();
    EXPECT_FALSE(dialog->chkPrint[0]->isChecked());
    EXPECT_FALSE(dialog->cmdPrint->isEnabled());
    // Without the summary its options mean nothing.
    EXPECT_FALSE(dialog->optPrintCheckList->isEnabled());
    EXPECT_FALSE(dialog->optPrintLegalDisclaimer->isEnabled());
    dialog->chkPrint[1]->click();
    EXPECT_TRUE(dialog->cmdPrint->isEnabled());
}

TEST_F(PrintDialog, ThreeCopiesOfThreeReportsMakeNineDocumentsInOrder)
{
    analyse(Strategy::InterestOnly);
    defaults.values.setFlag(Setting::PrintChecklistPage, true);
    open("QZX Securities");
    setCopies("3");
    EXPECT_EQ(dialog->job().Copies, 3);
    ASSERT_TRUE(dialog->runPrint());
    const std::vector<std::string> expected{"Summary of the loan",    "Summary of the loan",    "Summary of the loan",
                                            "Suitability form",       "Suitability form",       "Suitability form",
                                            "Projection of the loan", "Projection of the loan", "Projection of the loan"};
    EXPECT_EQ(documentTitles(), expected);
    for (const auto& page : pages)
        EXPECT_EQ(page->ops().back().kind, PageOp::Kind::End);
    for (const PrintDestination& d : destinations) {
        EXPECT_FALSE(d.pdf);
        EXPECT_EQ(d.printer, "Front Desk");  // the default printer is selected
    }
    EXPECT_TRUE(messages.messages.empty()) << messages.lastText().toStdString();
    EXPECT_TRUE(dialog->isHidden());
}

TEST_F(PrintDialog, QZXSponsorAlwaysEndsTheSummaryWithTheLegalDisclaimer)
{
    struct Case {
        std::string sponsor;
        bool qzx;
    };
    for (const Case& c : {Case{"QZX Securities", true}, Case{"QZX", true}, Case{"QZ", false},
                          Case{"Acme QZX", false}, Case{"none", false}}) {
        SCOPED_TRACE(c.sponsor);
        analyse(Strategy::InterestOnly);
        pages.clear();
        defaults.values.setFlag(Setting::PrintChecklistPage, true);   // only the QZX sponsor has that report
        defaults.values.setFlag(Setting::PrintSummaryChecklist, true);
        defaults.values.setFlag(Setting::PrintProjection, false);
        open(c.sponsor);
        dialog->show();
        EXPECT_EQ(dialog->qzxSponsor(), c.qzx);
        EXPECT_EQ(dialog->chkPrint[2]->isVisible(), c.qzx);
        EXPECT_EQ(dialog->chkPrint[2]->isChecked(), c.qzx);
        EXPECT_EQ(dialog->optPrintCheckList->isEnabled(), !c.qzx);
        EXPECT_EQ(dialog->optPrintSignatures->isEnabled(), !c.qzx);
        EXPECT_EQ(dialog->optPrintLegalDisclaimer->isChecked(), c.qzx);
        EXPECT_EQ(dialog->job().PrintLegalDisclaimer, c.qzx);
        ASSERT_TRUE(dialog->runPrint());
        ASSERT_EQ(pages.size(), c.qzx ? 2u : 1u);
        EXPECT_EQ(pages[0]->findText("Our firm's disclaimer.").has_value(), c.qzx);
        if (c.qzx) {
            EXPECT_EQ(documentTitles()[1], "Suitability form");
        }
    }
}

TEST_F(PrintDialog, RRSPDisablesTheChecklistOptionEachTimeTheDialogIsShown)
{
    analyse(Strategy::RRSP);
    open();
    dialog->show();
    EXPECT_FALSE(dialog->optPrintCheckList->isEnabled());
    EXPECT_TRUE(dialog->optPrintSignatures->isEnabled());
    // Clearing and ticking the summary enables every option again.
    dialog->chkPrint[0]->click();
    dialog->chkPrint[0]->click();
    EXPECT_TRUE(dialog->optPrintCheckList->isEnabled());
    dialog->hide();
    dialog->show();
    EXPECT_FALSE(dialog->optPrintCheckList->isEnabled());

    analyse(Strategy::InterestOnly);
    dialog->hide();
    dialog->show();
    EXPECT_TRUE(dialog->optPrintCheckList->isEnabled());
}

TEST_F(PrintDialog, PdfEntryAsksWhereToSaveEachDocument)
{
    analyse(Strategy::InterestOnly);
    open();
    const int pdf = dialog->cboPrinters->count() - 1;
    EXPECT_EQ(dialog->cboPrinters->count(), 3);  // two printers and the PDF file
    dialog->cboPrinters->setCurrentIndex(pdf);

    files.answer.clear();  // cancelled: nothing prints, the dialog stays
    dialog->show();
    EXPECT_FALSE(dialog->runPrint());
    EXPECT_TRUE(pages.empty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(files.suggested.toStdString(),
              "/home/advisor/Documents/Gearwise Planner - Interest-Only- Loan - 2025-01-05.pdf");

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
}

TEST_F(PrintDialog, NoResultsOfTheSelectedStrategyIsToldOnceAndNothingPrints)
{
    analyse(Strategy::InterestOnly);
    source.strategy = Strategy::TermLoan;  // the window shows the term loan, not analysed
    open();
    setCopies("3");
    ASSERT_TRUE(dialog->runPrint());
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(messages.count("warning"), 1);
}

TEST_F(PrintDialog, SavedDefaultsAndTheNamesOnTheReport)
{
    analyse(Strategy::InterestOnly);
    open();
    EXPECT_EQ(dialog->txtAdvisorName->text(), "Alex Martin");
    dialog->txtAdvisorName->setText(QStringLiteral("  Élise Côté "));
    dialog->chkName->setChecked(true);
    dialog->txtName->setText(QStringLiteral("Jean Tremblay"));
    dialog->optPrintLegalDisclaimer->click();
    const PrintDefaults saved = dialog->currentDefaults();
    EXPECT_EQ(saved.advisor.name, "Élise Côté");
    EXPECT_EQ(saved.advisor.companyName, "Northfield Wealth");
    EXPECT_TRUE(saved.values.flag(Setting::PrintLegalDisclaimer));
    EXPECT_FALSE(saved.values.flag(Setting::PrintSummaryChecklist));
    EXPECT_TRUE(saved.values.flag(Setting::PrintName));
    EXPECT_EQ(dialog->job().PreparedForName, "Jean Tremblay");
    EXPECT_TRUE(dialog->job().PrintLegalDisclaimer);

    ASSERT_TRUE(dialog->runPrint());
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(pages[0]->findText("Élise Côté").has_value());
    EXPECT_TRUE(pages[0]->findText("Jean Tremblay").has_value());
}

TEST_F(PrintDialog, FrenchCaptionsFitTheirControls)
{
    const TableCaptionSource french(SourceCaptions(), French);
    captionSource = &french;
    analyse(Strategy::InterestOnly);
    open("QZX Securities");
    dialog->show();
    QApplication::processEvents();
    for (QWidget* widget : dialog->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        const bool captioned = name.startsWith("chk") || name.startsWith("opt") || name.startsWith("lbl") ||
                               name.startsWith("cmd") || name.startsWith("fra");
        if (!widget->isVisible() || !captioned)
            continue;
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_GE(widget->width(), widget->minimumSizeHint().width());
    }
    EXPECT_EQ(dialog->chkPrint[2]->text().toStdString(), "Liste de contrôle – prêt-levier");
    EXPECT_EQ(dialog->lblAdvisorName->text().toStdString(), "Préparé par\u00a0:");  // the caption's end space dropped
    if (const char* file = std::getenv("GEARWISE_GRAB_PRINT_DIALOG"))
        dialog->grab().save(QString::fromLocal8Bit(file));
    dialog.reset();  // before the captions it reads
}

} // namespace
} // namespace gw::test
