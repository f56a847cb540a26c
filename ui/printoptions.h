#pragma once

#include "dispatch.h"
#include "inputs.h"
#include "page.h"
#include "printjob.h"
#include "reports.h"
#include "reports_settings.h"
#include "messages.h"
#include "validation.h"

#include <QDialog>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace gw {

class CaptionSource;
class HelpService;
class MessageService;
class UpDown;
struct ProgramSettings;

// Where a print job goes: an installed printer, or a PDF file.
struct PrintDestination {
    bool pdf = false;
    std::filesystem::path file;  // the PDF file
    std::string printer;         // the printer's device name
};

// Makes the page a print job is drawn on, once per job. The dialog keeps the
// page only while the job prints.
using PageFactory = std::function<std::shared_ptr<Page>(const PrintDestination&)>;

// PainterPage on the printer or PDF file.
PageFactory DevicePageFactory();

// What the main window hands the print run: the strategy selected in it and
// the last analysis. `results` may be null when there is none; results of
// another strategy than `strategy` are not printed.
struct PrintSource {
    Strategy strategy = Strategy::InterestOnly;
    const AnalysisResults* results = nullptr;
    // The range of outcomes of those results, worked out when the report is
    // ticked; nullopt when it cannot be.
    std::function<std::optional<OutcomeResults>()> outcomes;
};

// frmPrintOptions: printer, copies, which reports, the Prepared-for and
// Prepared-by lines and how the one-page summary ends. It is made once,
// hidden, at start-up and kept: its state is what Save Defaults writes.
// Print makes one document of the whole job, for the strategy selected in
// the main window: all the summaries, then all the checklists, then all the
// projections, then the ranges of outcomes. A printer gets each report `Copies` times in that order; a PDF
// file gets each once.
//
// Control arrays follow arrayName(): chkPrint(0) is "chkPrint0".
class PrintOptions : public QDialog {
    Q_OBJECT
public:
    struct Services {
        const CaptionSource* captions = nullptr;   // required; its language prints the reports
        MessageService* messages = nullptr;        // required
        const ProgramSettings* settings = nullptr; // required: caption tables, sponsor, disclaimer, folder
        std::function<PrintSource()> source;       // required
        HelpService* help = nullptr;
        SaveFileService* files = nullptr;          // required to print to PDF
        // Defaults: the installed printers and PainterPage.
        std::function<std::vector<std::string>()> printerNames;
        std::function<std::string()> defaultPrinter;
        PageFactory makePage;
        std::function<ReportDate()> today;         // default TodayReportDate
        // Where the first PDF file is suggested; default the user's Documents
    // folder. The home folder stands in while it does not exist.
    QString documentsFolder;
    };

    // The copies spinner; the legal range is one step inside it.
    static constexpr int kCopiesMin = 0;
    static constexpr int kCopiesMax = 100;
    static constexpr int kHelpTopic = 106;

    // Loads the dialog with the saved print flags and advisor.
    PrintOptions(Services services, const PrintDefaults& defaults, QWidget* parent = nullptr);
    ~PrintOptions() override;

    // Dialog load: captions, printers, name fields, option rules. Copies
    // go back to 1.
    void load(const PrintDefaults& defaults);
    // Shows the dialog modally (activation rules first) and returns when
    // Print or Cancel hid it.
    int openForPrint();
    // The rules applied every time the dialog is shown.
    void activate();

    // The Print button: prints the chosen reports and hides the dialog.
    // Returns false, leaving the dialog open, when the user cancels the
    // choice of a PDF file, or when only reports without results were
    // chosen (said before any file name is asked).
    bool runPrint();

    void formatCaptions();
    // The copies field's check (on leaving it, Enter and a spinner click).
    void leaveCopies();

    const PrintJob& job() const { return job_; }
    AdvisorInfo advisor() const;
    // The dialog's state as Save Defaults writes it.
    PrintDefaults currentDefaults() const;
    // The sponsor's name starts with "QZX": the checklist report exists and
    // the summary always ends with the legal disclaimer.
    bool qzxSponsor() const { return qzx_; }

    QLabel* lblPrinter = nullptr;
    QComboBox* cboPrinters = nullptr;
    QLabel* lblCopies = nullptr;
    QLineEdit* txtCopies = nullptr;
    UpDown* updCopies = nullptr;
    std::array<QCheckBox*, 4> chkPrint{};
    QCheckBox* chkName = nullptr;
    QLineEdit* txtName = nullptr;
    QLabel* lblAdvisorName = nullptr;
    QLineEdit* txtAdvisorName = nullptr;
    QCheckBox* chkPrintCompanyName = nullptr;
    QLineEdit* txtCompanyName = nullptr;
    QGroupBox* fraPrinter = nullptr;
    QGroupBox* fraOptions = nullptr;
    QRadioButton* optPrintSignatures = nullptr;
    QRadioButton* optPrintCheckList = nullptr;
    QRadioButton* optPrintLegalDisclaimer = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void fillPrinters();
    void printChoiceClicked();
    void nameTicked(bool ticked);
    void companyTicked(bool ticked);
    void optionChosen();
    void selectOption(QRadioButton* option);
    bool summaryResultsReady(const PrintSource& source) const;
    std::filesystem::path suggestedPdfPath(const PrintSource& source) const;
    void showHelp();
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;

    Services services_;
    const CaptionSource& captions_;
    MessageService& messages_;
    InputChecks checks_;
    PrintJob job_;
    bool qzx_ = false;
    // The checklist closing was chosen, but an RRSP loan's summary showed the
    // signatures instead; Save Defaults and the next other strategy keep the
    // choice.
    bool checklistHeld_ = false;
    // Folder of the last PDF file saved in this run of the program.
    std::filesystem::path lastPdfFolder_;
};

} // namespace gw
