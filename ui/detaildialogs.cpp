#include "detaildialogs.h"

#include "advanceddetails.h"
#include "captionsource.h"
#include "custommix.h"
#include "fieldtext.h"
#include "inputpanel.h"
#include "inputs.h"
#include "mainwindow.h"
#include "messages.h"
#include "numformat.h"
#include "updown.h"
#include "validation.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <string>

namespace gw {

namespace {

// The spinners stand one step outside the legal 0 to 100.
constexpr int kPartMin = -1, kPartMax = 101;

constexpr std::array<const char*, 4> kPartNames{"DeferredCapitalGains", "CapitalGains", "Dividends", "Interest"};

QString named(const char* prefix, const char* part)
{
    return QString::fromLatin1(prefix) + QString::fromLatin1(part);
}

} // namespace

BreakdownFrame::BreakdownFrame(QWidget* parent)
{
    frame = new QGroupBox(parent);
    frame->setObjectName(QStringLiteral("fraBreakdownOfGrossReturn"));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(0, 1);
    const int fieldWidth = frame->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12;
    for (std::size_t k = 0; k < kPartNames.size(); ++k) {
        labels[k] = new QLabel(frame);
        labels[k]->setObjectName(named("lbl", kPartNames[k]));
        fields[k] = new QLineEdit(frame);
        fields[k]->setObjectName(named("txt", kPartNames[k]));
        fields[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fields[k]->setFixedWidth(fieldWidth);
        spinners[k] = new UpDown(fields[k], kPartMin, kPartMax, frame);
        spinners[k]->setObjectName(named("upd", kPartNames[k]));
        labels[k]->setBuddy(fields[k]);
        const int row = static_cast<int>(k);
        grid->addWidget(labels[k], row, 0);
        grid->addWidget(fields[k], row, 1);
        grid->addWidget(spinners[k], row, 2);
    }
}

void BreakdownFrame::formatCaptions(const CaptionSource& captions)
{
    frame->setTitle(lookUp(captions, "fraBreakdownOfGrossReturn"));
    labels[kDeferredCapGains]->setText(lookUp(captions, "lblDeferredCapitalGains"));
    labels[kCapGains]->setText(lookUp(captions, "lblCapitalGains"));
    labels[kDividends]->setText(lookUp(captions, "lblDividends"));
    labels[kInterest]->setText(lookUp(captions, "lblInterest"));
    for (UpDown* spinner : spinners)
        spinner->setLanguage(captions.language());
}

void BreakdownFrame::load(const Breakdown& parts)
{
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const double whole = RoundHalfAwayFromZero(parts[k]);
        fields[k]->setText(PlainNumber(whole));
        spinners[k]->setValue(static_cast<int>(whole));
        InputChecks::markSponsorLimit(*fields[k], false);
    }
}

Breakdown BreakdownFrame::values(Language language) const
{
    Breakdown parts{};
    for (std::size_t k = 0; k < parts.size(); ++k)
        parts[k] = FieldNumber(fields[k]->text(), language);
    return parts;
}

bool BreakdownFrame::checkField(const InputChecks& checks, int part) const
{
    const std::size_t k = static_cast<std::size_t>(part);
    QLineEdit& box = *fields.at(k);
    UpDown& spinner = *spinners.at(k);
    const FieldRule rule{FieldLabel(labels.at(k)->text()), "#0", double(kPartMin + 1), double(kPartMax - 1)};
    bool kept = checks.checkValue(box, 0, rule);
    kept = checks.checkBounds(box, spinner, rule, 0, 0) && kept;
    return checks.checkIntegerValue(box, rule) && kept;
}

bool BreakdownFrame::checkDistributions(const InputChecks& checks) const
{
    double total = 0;
    for (double part : values(checks.captions().language()))
        total += part;
    // The fields hold whole numbers by now; the tolerance only absorbs the
    // binary sum of anything a test or a future caller may put there.
    if (std::abs(total - 100) < 1e-9)
        return true;
    checks.messages().information(lookUp(checks.captions(), "IncorrectInputTitle"),
                                  lookUp(checks.captions(), "InvalidBreakdown"));
    return false;
}

void LeaveChecks::watch(QLineEdit* box, UpDown* spinner, std::function<bool()> check)
{
    box->installEventFilter(this);
    if (spinner)
        connect(spinner, &UpDown::clicked, this, [this, check] { run(check); });
    checks_.emplace_back(box, std::move(check));
}

bool LeaveChecks::runShown()
{
    QLineEdit* repaired = nullptr;
    for (const auto& [box, check] : checks_) {
        if (box->isVisibleTo(box->window()) && !run(check) && !repaired)
            repaired = box;
    }
    if (!repaired)
        return true;
    repaired->setFocus(Qt::OtherFocusReason);
    repaired->selectAll();
    return false;
}

bool LeaveChecks::run(const std::function<bool()>& check)
{
    if (running_)
        return true;
    running_ = true;
    const bool kept = check();
    running_ = false;
    return kept;
}

bool LeaveChecks::eventFilter(QObject* watched, QEvent* event)
{
    for (const auto& [box, check] : checks_) {
        if (box != watched)
            continue;
        if (event->type() == QEvent::FocusIn) {
            // After the mouse press that gave the focus, which would clear it.
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut) {
            // A message box or a menu taking the focus is not the user
            // leaving the field.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool away = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                reason != Qt::MenuBarFocusReason;
            QWidget* next = QApplication::focusWidget();
            const bool toExempt = next && std::find(exempt_.begin(), exempt_.end(), next) != exempt_.end();
            if (away && !toExempt)
                run(check);
        }
        break;
    }
    return QObject::eventFilter(watched, event);
}

DetailDialogs::DetailDialogs(MainWindow& window, HelpService* help)
    : QObject(&window), window_(window), help_(help)
{
    advanced_ = new AdvancedDetails(window.checks(), *window.inputs().txtSavingsPeriod, help, &window);
    advanced_->hide();
    window.inputs().bindTimesLoanRepeated(advanced_->txtTimesLoanRepeated);
    connect(advanced_, &AdvancedDetails::breakdownAccepted, this, &DetailDialogs::apply);
    connect(&window, &MainWindow::advancedDetailsRequested, this, &DetailDialogs::openAdvancedDetails);
    connect(&window, &MainWindow::customInvestmentMixRequested, this, &DetailDialogs::openCustomInvestmentMix);
}

CustomInvestmentMix* DetailDialogs::customInvestmentMix() const
{
    // A closed one waits for its deletion.
    return custom_ && custom_->isVisible() ? custom_.data() : nullptr;
}

void DetailDialogs::openAdvancedDetails()
{
    if (advanced_->isVisible())
        return;
    advanced_->activate(window_.inputs().breakdown(), window_.strategy(), window_.tabInputs->currentIndex());
    showModal(advanced_);
}

void DetailDialogs::openCustomInvestmentMix()
{
    if (advanced_->isVisible())
        return;
    if (CustomInvestmentMix* open = customInvestmentMix()) {
        open->raise();
        open->activateWindow();
        return;
    }
    custom_ = new CustomInvestmentMix(window_.checks(), help_, window_.inputs().breakdown(), &window_);
    custom_->setAttribute(Qt::WA_DeleteOnClose);
    connect(custom_, &CustomInvestmentMix::breakdownAccepted, this, &DetailDialogs::apply);
    // The breakdown stays as it was, so the option that shows it comes back.
    connect(custom_, &CustomInvestmentMix::cancelled, this,
            [this] { window_.inputs().selectMatchingInvestmentType(window_.inputs().breakdown()); });
    showModal(custom_);
}

void DetailDialogs::formatCaptions()
{
    advanced_->formatCaptions();
    if (CustomInvestmentMix* open = customInvestmentMix())
        open->formatCaptions();
}

void DetailDialogs::apply(const Breakdown& parts)
{
    InputPanel& inputs = window_.inputs();
    inputs.selectMatchingInvestmentType(parts);
    inputs.chooseBreakdown({parts[kDeferredCapGains], parts[kCapGains], parts[kDividends], parts[kInterest]},
                           window_.strategy());
}

void DetailDialogs::showModal(QWidget* dialog)
{
    // Modal to the main window only, so that the help window stays usable.
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
    dialog->activateWindow();
}

DetailDialogs* attachDetailDialogs(MainWindow& window, HelpService* help)
{
    return new DetailDialogs(window, help);
}

} // namespace gw
