#include "advanceddetails.h"

#include "captionsource.h"
#include "fieldtext.h"
#include "helpservice.h"
#include "messages.h"
#include "numformat.h"
#include "settingtable.h"
#include "updown.h"
#include "validation.h"
#include "widgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <string>

namespace gw {

namespace {

// The spinner stands one step outside the legal 0 to 80.
constexpr int kTimesMin = -1, kTimesMax = 81;
constexpr double kMaxYears = kMostYears;

} // namespace

AdvancedDetails::AdvancedDetails(InputChecks& checks, const QLineEdit& savingsPeriod, HelpService* help,
                                 QWidget* parent)
    : QDialog(parent), breakdown(this), checks_(checks), savingsPeriod_(savingsPeriod), help_(help)
{
    setObjectName(QStringLiteral("frmAdvancedDetails"));
    buildLayout();

    leaveChecks_ = new LeaveChecks(this);
    for (int k = 0; k < 4; ++k)
        leaveChecks_->watch(breakdown.fields[k], breakdown.spinners[k], [this, k] { return leaveBreakdownField(k); });
    leaveChecks_->watch(txtTimesLoanRepeated, updTimesLoanRepeated, [this] { return leaveTimesLoanRepeated(); });
    leaveChecks_->exempt(cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &AdvancedDetails::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &AdvancedDetails::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &AdvancedDetails::showHelp);
    connect(cmdTimesLoanRepeated, &QPushButton::clicked, this, [this] {
        checks_.messages().information(caption("SoftwareName"), caption("WTTimesLoanRepeated"));
    });
    formatCaptions();
}

void AdvancedDetails::buildLayout()
{
    lblAdvancedHeading = new QLabel(this);
    lblAdvancedHeading->setObjectName(QStringLiteral("lblAdvancedHeading"));
    QFont bold = lblAdvancedHeading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblAdvancedHeading->setFont(bold);
    lblAdvancedHeading->setWordWrap(true);

    lblAdvancedHelp = new QLabel(this);
    lblAdvancedHelp->setObjectName(QStringLiteral("lblAdvancedHelp"));
    lblAdvancedHelp->setWordWrap(true);
    // Wide enough that the instructions wrap onto a few lines, not a column.
    lblAdvancedHelp->setMinimumWidth(lblAdvancedHelp->fontMetrics().averageCharWidth() * 52);

    picSplitterBar = new QFrame(this);
    picSplitterBar->setObjectName(QStringLiteral("picSplitterBar"));
    picSplitterBar->setFrameShape(QFrame::HLine);
    picSplitterBar->setFrameShadow(QFrame::Sunken);

    fraBreakdownOfGrossReturn = breakdown.frame;

    fraTimesLoanRepeated = new QGroupBox(this);
    fraTimesLoanRepeated->setObjectName(QStringLiteral("fraTimesLoanRepeated"));
    auto* timesRow = new QHBoxLayout(fraTimesLoanRepeated);
    lblTimesLoanRepeated = new QLabel(fraTimesLoanRepeated);
    lblTimesLoanRepeated->setObjectName(QStringLiteral("lblTimesLoanRepeated"));
    lblTimesLoanRepeated->setWordWrap(true);
    txtTimesLoanRepeated = new QLineEdit(fraTimesLoanRepeated);
    txtTimesLoanRepeated->setObjectName(QStringLiteral("txtTimesLoanRepeated"));
    txtTimesLoanRepeated->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtTimesLoanRepeated->setFixedWidth(breakdown.fields[0]->maximumWidth());
    txtTimesLoanRepeated->setText(QStringLiteral("0"));
    updTimesLoanRepeated = new UpDown(txtTimesLoanRepeated, kTimesMin, kTimesMax, fraTimesLoanRepeated);
    updTimesLoanRepeated->setObjectName(QStringLiteral("updTimesLoanRepeated"));
    updTimesLoanRepeated->setValue(0);
    lblTimesLoanRepeated->setBuddy(txtTimesLoanRepeated);
    cmdTimesLoanRepeated = MakeButton("cmdTimesLoanRepeated", fraTimesLoanRepeated);
    cmdTimesLoanRepeated->setText(QStringLiteral("?"));
    cmdTimesLoanRepeated->setFixedWidth(26);
    cmdTimesLoanRepeated->setAutoDefault(false);
    timesRow->addWidget(lblTimesLoanRepeated, 1);
    timesRow->addWidget(txtTimesLoanRepeated);
    timesRow->addWidget(updTimesLoanRepeated);
    timesRow->addWidget(cmdTimesLoanRepeated);

    cmdOK = MakeButton("cmdOK", this);
    cmdCancel = MakeButton("cmdCancel", this);
    cmdHelp = MakeButton("cmdHelp", this);
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(lblAdvancedHeading);
    column->addWidget(lblAdvancedHelp);
    column->addWidget(picSplitterBar);
    column->addWidget(fraBreakdownOfGrossReturn);
    column->addWidget(fraTimesLoanRepeated);
    column->addSpacing(6);
    column->addLayout(buttons);

    std::vector<QWidget*> order(breakdown.fields.begin(), breakdown.fields.end());
    order.insert(order.end(), {txtTimesLoanRepeated, cmdTimesLoanRepeated, cmdOK, cmdCancel, cmdHelp});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void AdvancedDetails::formatCaptions()
{
    setWindowTitle(caption("frmAdvancedDetails"));
    lblAdvancedHeading->setText(caption("lblAdvancedHeading"));
    lblAdvancedHelp->setText(caption("lblAdvancedHelp"));
    breakdown.formatCaptions(checks_.captions());
    lblTimesLoanRepeated->setText(caption("lblTimesLoanRepeated"));
    updTimesLoanRepeated->setLanguage(language());
    cmdOK->setText(caption("cmdOK"));
    cmdCancel->setText(caption("cmdCancel"));
    cmdHelp->setText(caption("cmdHelp"));
}

void AdvancedDetails::activate(const Breakdown& parts, Strategy strategy, int inputTab)
{
    strategy_ = strategy;
    formatCaptions();
    // The breakdown applies to the interest-only and term loans, the repeats
    // to the term and RRSP loans; the term loan shows the one that belongs
    // to the input page on show.
    bool showTimes = false;
    switch (strategy) {
    case Strategy::InterestOnly:
        break;
    case Strategy::TermLoan:
        showTimes = inputTab == 0;
        break;
    case Strategy::RRSP:
        showTimes = true;
        break;
    }
    fraTimesLoanRepeated->setVisible(showTimes);
    fraBreakdownOfGrossReturn->setVisible(!showTimes);

    shownParts_ = parts;
    breakdown.load(parts);
    const double times = RoundHalfAwayFromZero(FieldNumber(txtTimesLoanRepeated->text(), language()));
    savedTimesLoanRepeated_ = static_cast<int>(std::clamp(times, double(kTimesMin + 1), double(kTimesMax - 1)));
    updTimesLoanRepeated->setValue(savedTimesLoanRepeated_);

    (showTimes ? txtTimesLoanRepeated : breakdown.fields[0])->setFocus(Qt::OtherFocusReason);
    adjustSize();
}

int AdvancedDetails::mostTimesLoanRepeated() const
{
    // The period's own check keeps it at 1 year or more.
    const double period = std::max(1.0, FieldNumber(savingsPeriod_.text(), language()));
    return static_cast<int>(std::floor(kMaxYears / period)) - 1;
}

bool AdvancedDetails::leaveBreakdownField(int part)
{
    return breakdown.checkField(checks_, part);
}

QString AdvancedDetails::periodLabel() const
{
    return FieldLabel(caption(strategy_ == Strategy::InterestOnly ? "lblSavingsPeriod_Int"
                                                                  : "lblSavingsPeriod_Term_RRSP"));
}

bool AdvancedDetails::leaveTimesLoanRepeated()
{
    QLineEdit& box = *txtTimesLoanRepeated;
    // The interest-only loan is never repeated: only the spinner's range holds.
    const int most = strategy_ == Strategy::InterestOnly ? updTimesLoanRepeated->max() - 1 : mostTimesLoanRepeated();
    FieldRule rule{FieldLabel(lblTimesLoanRepeated->text()), "#0", double(updTimesLoanRepeated->min() + 1),
                   double(most)};
    bool kept = checks_.checkValue(box, 0, rule);
    // Past the last legal number the pair would pass 80 years, which resets
    // the repeats to 0: one message says so.
    if (!checks_.checkRange(box, rule, 0.0)) {
        kept = false;
        updTimesLoanRepeated->setValue(static_cast<int>(FieldNumber(box.text(), language())));
    }
    kept = checks_.checkIntegerValue(box, rule) && kept;
    kept = checks_.checkTimesLoanRepeated(savingsPeriod_, periodLabel(), box, rule.label, 0, strategy_, true) && kept;
    return kept;
}

bool AdvancedDetails::checkDistributions() const
{
    return breakdown.checkDistributions(checks_);
}

void AdvancedDetails::accept()
{
    // A repaired field keeps the dialog open on it, for the user to check.
    if (!leaveChecks_->runShown())
        return;
    Breakdown parts = shownParts_;
    // With the breakdown frame hidden the fields hold what the window holds:
    // there is nothing to check, and nothing the user could mend.
    if (fraBreakdownOfGrossReturn->isVisibleTo(this)) {
        if (!checkDistributions())
            return;
        parts = breakdown.values(language());
    }
    QDialog::accept();
    emit breakdownAccepted(parts);
}

void AdvancedDetails::reject()
{
    txtTimesLoanRepeated->setText(QString::number(savedTimesLoanRepeated_));
    updTimesLoanRepeated->setValue(savedTimesLoanRepeated_);
    QDialog::reject();
}

void AdvancedDetails::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AdvancedDetails::showHelp()
{
    if (help_)
        help_->showTopic(kDetailDialogsHelpTopic);
}

QString AdvancedDetails::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(checks_.captions(), key, values);
}

Language AdvancedDetails::language() const
{
    return checks_.captions().language();
}

} // namespace gw
