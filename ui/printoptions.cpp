#include "printoptions.h"

#include "captions.h"
#include "captionsource.h"
#include "fieldtext.h"
#include "helpservice.h"
#include "messages.h"
#include "painterpage.h"
#include "primitives.h"
#include "records.h"
#include "updown.h"
#include "widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cmath>
#include <optional>
#include <variant>

namespace gw {

namespace {

// Marks the PDF entry of the printer list (a device name is never empty).
const QString kPdfEntry = QStringLiteral("");
constexpr int kDeviceRole = Qt::UserRole;
constexpr int kIsPdfRole = Qt::UserRole + 1;

// Reports failures of the print run as message boxes.
class MessageReporter : public PrintReporter {
public:
    explicit MessageReporter(MessageService& messages) : messages_(messages) {}
    void report(const std::string& title, const std::string& text) override
    {
        messages_.critical(QString::fromStdString(title), QString::fromStdString(text));
    }

private:
    MessageService& messages_;
};

// A name that every file system takes.
std::string TwoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

PageFactory DevicePageFactory()
{
    return [](const PrintDestination& destination) -> std::shared_ptr<Page> {
        if (destination.pdf)
            return std::make_shared<PainterPage>(PdfOutput{destination.file});
        return std::make_shared<PainterPage>(PrinterOutput{destination.printer});
    };
}

PrintOptions::PrintOptions(Services services, const PrintDefaults& defaults, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      captions_(*services_.captions),
      messages_(*services_.messages),
      checks_(captions_, messages_)
{
    setObjectName(QStringLiteral("frmPrintOptions"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    if (!services_.printerNames)
        services_.printerNames = InstalledPrinterNames;
    if (!services_.defaultPrinter)
        services_.defaultPrinter = DefaultPrinterName;
    if (!services_.makePage)
        services_.makePage = DevicePageFactory();
    if (!services_.today)
        services_.today = TodayReportDate;
    if (services_.documentsFolder.isEmpty())
        services_.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    qzx_ = services_.settings->sponsorInfo.hasChecklistReport();

    buildControls();
    connectControls();
    load(defaults);
}

PrintOptions::~PrintOptions() = default;

void PrintOptions::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    fraPrinter = new QGroupBox(this);
    fraPrinter->setObjectName(QStringLiteral("fraPrinter"));
    auto* printerGrid = new QGridLayout(fraPrinter);
    lblPrinter = new QLabel(fraPrinter);
    lblPrinter->setObjectName(QStringLiteral("lblPrinter"));
    cboPrinters = new QComboBox(fraPrinter);
    cboPrinters->setObjectName(QStringLiteral("cboPrinters"));
    cboPrinters->setMinimumContentsLength(24);
    cboPrinters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lblPrinter->setBuddy(cboPrinters);
    lblCopies = new QLabel(fraPrinter);
    lblCopies->setObjectName(QStringLiteral("lblCopies"));
    txtCopies = MakeField("txtCopies", fraPrinter);
    txtCopies->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtCopies->setMaximumWidth(60);
    lblCopies->setBuddy(txtCopies);
    updCopies = new UpDown(txtCopies, kCopiesMin, kCopiesMax, fraPrinter);
    updCopies->setObjectName(QStringLiteral("updCopies"));
    auto* copiesCell = new QHBoxLayout;
    copiesCell->setSpacing(2);
    copiesCell->addWidget(txtCopies);
    copiesCell->addWidget(updCopies);
    copiesCell->addStretch(1);
    printerGrid->addWidget(lblPrinter, 0, 0);
    printerGrid->addWidget(cboPrinters, 0, 1);
    printerGrid->addWidget(lblCopies, 1, 0);
    printerGrid->addLayout(copiesCell, 1, 1);
    printerGrid->setColumnStretch(1, 1);
    layout->addWidget(fraPrinter);

    for (int i = 0; i < int(chkPrint.size()); ++i) {
        chkPrint[std::size_t(i)] = new QCheckBox(this);
        chkPrint[std::size_t(i)]->setObjectName(arrayName("chkPrint", i));
        layout->addWidget(chkPrint[std::size_t(i)]);
    }

    auto* names = new QGridLayout;
    chkName = new QCheckBox(this);
    chkName->setObjectName(QStringLiteral("chkName"));
    txtName = MakeField("txtName", this);
    lblAdvisorName = new QLabel(this);
    lblAdvisorName->setObjectName(QStringLiteral("lblAdvisorName"));
    txtAdvisorName = MakeField("txtAdvisorName", this);
    lblAdvisorName->setBuddy(txtAdvisorName);
    chkPrintCompanyName = new QCheckBox(this);
    chkPrintCompanyName->setObjectName(QStringLiteral("chkPrintCompanyName"));
    txtCompanyName = MakeField("txtCompanyName", this);
    for (QLineEdit* box : {txtName, txtAdvisorName, txtCompanyName}) {
        box->setMaxLength(static_cast<int>(kMaxAdvisorField));
        box->setMinimumWidth(220);
    }
    names->addWidget(chkName, 0, 0);
    names->addWidget(txtName, 0, 1);
    names->addWidget(lblAdvisorName, 1, 0);
    names->addWidget(txtAdvisorName, 1, 1);
    names->addWidget(chkPrintCompanyName, 2, 0);
    names->addWidget(txtCompanyName, 2, 1);
    names->setColumnStretch(1, 1);
    layout->addLayout(names);

    fraOptions = new QGroupBox(this);
    fraOptions->setObjectName(QStringLiteral("fraOptions"));
    auto* options = new QVBoxLayout(fraOptions);
    optPrintSignatures = new QRadioButton(fraOptions);
    optPrintSignatures->setObjectName(QStringLiteral("optPrintSignatures"));
    optPrintCheckList = new QRadioButton(fraOptions);
    optPrintCheckList->setObjectName(QStringLiteral("optPrintCheckList"));
    optPrintLegalDisclaimer = new QRadioButton(fraOptions);
    optPrintLegalDisclaimer->setObjectName(QStringLiteral("optPrintLegalDisclaimer"));
    options->addWidget(optPrintSignatures);
    options->addWidget(optPrintCheckList);
    options->addWidget(optPrintLegalDisclaimer);
    layout->addWidget(fraOptions);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdPrint = new QPushButton(this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    cmdHelp = new QPushButton(this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setAutoDefault(false);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

void PrintOptions::connectControls()
{
    for (QCheckBox* box : chkPrint)
        connect(box, &QCheckBox::clicked, this, [this] { printChoiceClicked(); });
    connect(chkName, &QCheckBox::toggled, this, &PrintOptions::nameTicked);
    connect(chkPrintCompanyName, &QCheckBox::toggled, this, &PrintOptions::companyTicked);
    connect(txtName, &QLineEdit::textChanged, this, [this](const QString& text) { job_.PreparedForName = text.toStdString(); });
    for (QRadioButton* option : {optPrintSignatures, optPrintCheckList, optPrintLegalDisclaimer}) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                optionChosen();
        });
        // The user's own choice replaces one held for another strategy.
        connect(option, &QRadioButton::clicked, this, [this] { checklistHeld_ = false; });
    }
    txtCopies->installEventFilter(this);
    connect(updCopies, &UpDown::clicked, this, &PrintOptions::leaveCopies);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { runPrint(); });
    connect(cmdCancel, &QPushButton::clicked, this, &PrintOptions::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &PrintOptions::showHelp);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &PrintOptions::showHelp);
}

bool PrintOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtCopies) {
        if (event->type() == QEvent::FocusOut) {
            leaveCopies();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                leaveCopies();
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString PrintOptions::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

void PrintOptions::formatCaptions()
{
    setWindowTitle(caption("frmPrintOptions"));
    fraPrinter->setTitle(caption("fraPrinter"));
    fraOptions->setTitle(caption("fraOptions"));
    lblPrinter->setText(caption("lblPrinter"));
    lblCopies->setText(caption("lblCopies"));
    for (int i = 0; i < int(chkPrint.size()); ++i)
        chkPrint[std::size_t(i)]->setText(caption(captionKey("chkPrint", i)));
    chkName->setText(caption("chkName"));
    // The Prepared-by caption ends with the blank before the name.
    lblAdvisorName->setText(caption("PreparedBy").trimmed());
    chkPrintCompanyName->setText(caption("chkPrintCompanyName"));
    optPrintSignatures->setText(caption("optPrintSignatures"));
    optPrintCheckList->setText(caption("optPrintChecklist"));
    optPrintLegalDisclaimer->setText(caption("optPrintLegalDisclaimer"));
    cmdPrint->setText(caption("cmdPrint"));
    cmdCancel->setText(caption("cmdCancel"));
    cmdHelp->setText(caption("cmdHelp"));
    const int pdf = cboPrinters->findData(true, kIsPdfRole);
    if (pdf >= 0)
        cboPrinters->setItemText(pdf, caption("PdfPrinter"));
    updCopies->setLanguage(captions_.language());
}

void PrintOptions::fillPrinters()
{
    cboPrinters->clear();
    const std::string current = services_.defaultPrinter();
    int selected = -1;
    for (const std::string& name : services_.printerNames()) {
        if (name.empty())
            continue;
        cboPrinters->addItem(QString::fromStdString(name));
        const int index = cboPrinters->count() - 1;
        cboPrinters->setItemData(index, QString::fromStdString(name), kDeviceRole);
        cboPrinters->setItemData(index, false, kIsPdfRole);
        if (name == current)
            selected = index;  // the last such entry wins
    }
    // Printing to a PDF file needs no printer, so it is always offered.
    cboPrinters->addItem(caption("PdfPrinter"));
    cboPrinters->setItemData(cboPrinters->count() - 1, kPdfEntry, kDeviceRole);
    cboPrinters->setItemData(cboPrinters->count() - 1, true, kIsPdfRole);
    cboPrinters->setCurrentIndex(selected >= 0 ? selected : cboPrinters->count() - 1);
}

void PrintOptions::load(const PrintDefaults& defaults)
{
    formatCaptions();
    fillPrinters();

    txtName->setText(QString::fromStdString(job_.PreparedForName));
    job_.Copies = 1;
    txtCopies->setText(QStringLiteral("1"));
    updCopies->setValue(1);
    txtAdvisorName->setText(QString::fromStdString(defaults.advisor.name));
    txtCompanyName->setText(QString::fromStdString(defaults.advisor.companyName));

    if (!job_.PreparedForName.empty())
        chkName->setChecked(true);
    if (qzx_) {
        optPrintCheckList->setEnabled(false);
        optPrintSignatures->setEnabled(false);
        optPrintLegalDisclaimer->setEnabled(true);
        selectOption(optPrintLegalDisclaimer);
    }
    if (!txtCompanyName->text().trimmed().isEmpty())
        chkPrintCompanyName->setChecked(true);

    // The saved flags win over the two guesses above.
    const SettingValues& saved = defaults.values;
    chkName->setChecked(saved.flag(Setting::PrintName));
    chkPrintCompanyName->setChecked(saved.flag(Setting::PrintCompanyName));
    nameTicked(chkName->isChecked());
    companyTicked(chkPrintCompanyName->isChecked());
    // The last option set wins; none set means the signatures.
    QRadioButton* option = optPrintSignatures;
    if (saved.flag(Setting::PrintSummaryChecklist))
        option = optPrintCheckList;
    if (saved.flag(Setting::PrintLegalDisclaimer))
        option = optPrintLegalDisclaimer;
    if (saved.flag(Setting::PrintSignatures))
        option = optPrintSignatures;
    selectOption(option);
    checklistHeld_ = false;
    chkPrint[0]->setChecked(saved.flag(Setting::PrintSummary));
    chkPrint[1]->setChecked(saved.flag(Setting::PrintProjection));
    chkPrint[2]->setChecked(saved.flag(Setting::PrintChecklistPage));
    chkPrint[3]->setChecked(saved.flag(Setting::PrintOutcomes));

    // The checklist report is that sponsor's alone.
    chkPrint[2]->setVisible(qzx_);
    if (!qzx_)
        chkPrint[2]->setChecked(false);
    printChoiceClicked();
}

int PrintOptions::openForPrint()
{
    return exec();
}

void PrintOptions::showEvent(QShowEvent* event)
{
    activate();
    QDialog::showEvent(event);
}

void PrintOptions::activate()
{
    const PrintSource source = services_.source ? services_.source() : PrintSource{};
    if (chkPrint[0]->isChecked())
        optPrintCheckList->setEnabled(source.strategy != Strategy::RRSP);
    if (qzx_) {
        optPrintCheckList->setEnabled(false);
        optPrintSignatures->setEnabled(false);
        optPrintLegalDisclaimer->setEnabled(chkPrint[0]->isChecked());
        selectOption(optPrintLegalDisclaimer);
        job_.PrintCheckList = false;
        job_.PrintSignatures = false;
        job_.PrintLegalDisclaimer = true;
        return;
    }
    // An RRSP loan's summary has no checklist to end with: show what prints.
    if (source.strategy == Strategy::RRSP && optPrintCheckList->isChecked()) {
        selectOption(optPrintSignatures);
        checklistHeld_ = true;
    } else if (source.strategy != Strategy::RRSP && checklistHeld_) {
        selectOption(optPrintCheckList);
        checklistHeld_ = false;
    }
}

void PrintOptions::selectOption(QRadioButton* option)
{
    option->setChecked(true);
    optionChosen();
}

void PrintOptions::optionChosen()
{
    job_.PrintCheckList = optPrintCheckList->isChecked();
    job_.PrintSignatures = optPrintSignatures->isChecked();
    job_.PrintLegalDisclaimer = optPrintLegalDisclaimer->isChecked();
}

void PrintOptions::printChoiceClicked()
{
    // The option group decides how the summary ends: it is there only with
    // the summary. Ticking it again enables all three, whatever strategy.
    const bool summary = chkPrint[0]->isChecked();
    optPrintCheckList->setEnabled(summary && !qzx_);
    optPrintSignatures->setEnabled(summary && !qzx_);
    optPrintLegalDisclaimer->setEnabled(summary);
    const bool any = chkPrint[0]->isChecked() || chkPrint[1]->isChecked() || (qzx_ && chkPrint[2]->isChecked())
                     || chkPrint[3]->isChecked();
    cmdPrint->setEnabled(any);
}

void PrintOptions::nameTicked(bool ticked)
{
    txtName->setEnabled(ticked);
    job_.PrintName = ticked;
}

void PrintOptions::companyTicked(bool ticked)
{
    txtCompanyName->setEnabled(ticked);
    job_.PrintCompanyName = ticked;
}

void PrintOptions::leaveCopies()
{
    QLineEdit& box = *txtCopies;
    if (box.text().trimmed().isEmpty())
        box.setText(QStringLiteral("1"));
    // The legal range stands one step inside the spinner's limits.
    const FieldRule rule{FieldLabel(lblCopies->text()), "#0", double(updCopies->min() + 1),
                         double(updCopies->max() - 1)};
    checks_.checkValue(box, 1, rule);
    checks_.checkIntegerValue(box, rule);
    checks_.checkBounds(box, *updCopies, rule, 0, 0);
    const double value = FieldNumber(box.text(), captions_.language());
    job_.Copies = static_cast<int>(std::lround(value));
    updCopies->setValue(job_.Copies);
}

AdvisorInfo PrintOptions::advisor() const
{
    return {CleanAdvisorField(txtAdvisorName->text().toStdString()),
            CleanAdvisorField(txtCompanyName->text().toStdString())};
}

PrintDefaults PrintOptions::currentDefaults() const
{
    PrintDefaults d;
    d.values.setFlag(Setting::PrintSummaryChecklist, optPrintCheckList->isChecked() || checklistHeld_);
    d.values.setFlag(Setting::PrintLegalDisclaimer, optPrintLegalDisclaimer->isChecked());
    d.values.setFlag(Setting::PrintSignatures, optPrintSignatures->isChecked() && !checklistHeld_);
    d.values.setFlag(Setting::PrintSummary, chkPrint[0]->isChecked());
    d.values.setFlag(Setting::PrintProjection, chkPrint[1]->isChecked());
    d.values.setFlag(Setting::PrintChecklistPage, chkPrint[2]->isChecked());
    d.values.setFlag(Setting::PrintOutcomes, chkPrint[3]->isChecked());
    d.values.setFlag(Setting::PrintName, chkName->isChecked());
    d.values.setFlag(Setting::PrintCompanyName, chkPrintCompanyName->isChecked());
    d.advisor = advisor();
    return d;
}

void PrintOptions::showHelp()
{
    if (services_.help)
        services_.help->showTopic(kHelpTopic);
}

bool PrintOptions::summaryResultsReady(const PrintSource& source) const
{
    return source.results && StrategyOf(*source.results) == source.strategy;
}

std::filesystem::path PrintOptions::suggestedPdfPath(const PrintSource& source) const
{
    const ReportDate date = services_.today();
    std::string name = "Gearwise Planner";
    name += " - " + FileNamePart(QString::fromStdString(
                                   captions_.caption(captionKey("lstStrategyList.listindex", Index(source.strategy)))))
                                   .toStdString();
    name += " - " + std::to_string(date.year) + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day) + ".pdf";
    // Never the current folder, which is the program's.
    std::filesystem::path folder = lastPdfFolder_;
    if (folder.empty() || !QDir(QString::fromStdString(folder.string())).exists())
        folder = services_.documentsFolder.toStdString();
    if (folder.empty() || !QDir(QString::fromStdString(folder.string())).exists())
        folder = QDir::homePath().toStdString();
    return folder / name;
}

bool PrintOptions::runPrint()
{
    const PrintSource source = services_.source ? services_.source() : PrintSource{};
    leaveCopies();

    // Said before a file name is asked for: the user may have nothing left to print.
    const bool haveResults = summaryResultsReady(source);
    const bool checklist = qzx_ && chkPrint[2]->isChecked();
    bool summary = chkPrint[0]->isChecked();
    bool projection = chkPrint[1]->isChecked();
    bool outcomes = chkPrint[3]->isChecked();
    if ((summary || projection || outcomes) && !haveResults) {
        messages_.warning(caption("frmPrintOptions"), caption("errorNoResultsToPrint"));
        summary = projection = outcomes = false;
        if (!checklist)
            return false;
    }
    std::optional<OutcomeResults> outcomeResults;
    if (outcomes) {
        if (source.outcomes) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            outcomeResults = source.outcomes();
            QApplication::restoreOverrideCursor();
        }
        if (!outcomeResults) {
            messages_.warning(caption("frmPrintOptions"), caption("errorNoOutcomesToPrint"));
            outcomes = false;
            if (!summary && !projection && !checklist)
                return false;
        }
    }

    PrintDestination destination;
    destination.pdf = cboPrinters->currentData(kIsPdfRole).toBool();
    destination.printer = cboPrinters->currentData(kDeviceRole).toString().toStdString();
    if (destination.pdf) {
        if (!services_.files)
            return false;
        const QString answer = services_.files->askSaveFileName(
            caption("frmPrintOptions"), QString::fromStdString(suggestedPdfPath(source).string()),
            QStringLiteral("PDF (*.pdf)"));
        if (answer.isEmpty())
            return false;
        destination.file = answer.toStdString();
        if (destination.file.extension() != ".pdf" && destination.file.extension() != ".PDF")
            destination.file += ".pdf";
    }

    if (!qzx_) {
        job_.PrintCheckList = optPrintCheckList->isChecked();
        job_.PrintSignatures = !job_.PrintCheckList;
    }

    const ProgramSettings& settings = *services_.settings;
    const Language language = captions_.language();
    ReportData data;
    if (haveResults) {
        data = MakeReportData(settings, language, source.strategy, *source.results);
        if (outcomeResults)
            data.outcomes = &*outcomeResults;
    } else {
        data.pictureFolder = settings.folder;
    }
    data.date = services_.today();

    // A file is saved once; copies are for paper.
    const int copies = destination.pdf ? 1 : job_.Copies;
    std::vector<ReportKind> kinds;
    for (const auto& [kind, wanted] : {std::pair{ReportKind::Summary, summary}, {ReportKind::Checklist, checklist},
                                       {ReportKind::Projection, projection}, {ReportKind::Outcomes, outcomes}}) {
        if (wanted)
            kinds.insert(kinds.end(), std::size_t(copies), kind);
    }

    MessageReporter reporter(messages_);
    const AdvisorInfo who = advisor();
    const std::shared_ptr<Page> page = services_.makePage(destination);
    PrintContext context = MakePrintContext(*page, reporter, settings, job_, who);
    context.language = language;
    context.target = destination.pdf ? PrintTarget{true, destination.file.string()}
                                     : PrintTarget{false, destination.printer};
    // A failure has been reported, and nothing of the job kept.
    if (PrintReports(context, data, kinds) && destination.pdf)
        lastPdfFolder_ = destination.file.parent_path();
    accept();
    return true;
}

} // namespace gw
