#include "custommix.h"

#include "captionsource.h"
#include "helpservice.h"
#include "updown.h"
#include "validation.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gw {

CustomInvestmentMix::CustomInvestmentMix(InputChecks& checks, HelpService* help, const Breakdown& parts,
                                         QWidget* parent)
    : QDialog(parent), breakdown(this), checks_(checks), help_(help)
{
    setObjectName(QStringLiteral("frmCustomInvestmentMix"));
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(breakdown.frame);
    column->addSpacing(6);
    column->addLayout(buttons);

    std::vector<QWidget*> order(breakdown.fields.begin(), breakdown.fields.end());
    order.insert(order.end(), {cmdOK, cmdCancel});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    leaveChecks_ = new LeaveChecks(this);
    for (int k = 0; k < 4; ++k)
        leaveChecks_->watch(breakdown.fields[k], breakdown.spinners[k], [this, k] { return leaveBreakdownField(k); });
    leaveChecks_->exempt(cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, &CustomInvestmentMix::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &CustomInvestmentMix::reject);

    formatCaptions();
    breakdown.load(parts);
    breakdown.fields[0]->setFocus(Qt::OtherFocusReason);
}

void CustomInvestmentMix::formatCaptions()
{
    // The same labels, frame and buttons as the advanced details dialog.
    setWindowTitle(lookUp(checks_.captions(), "optCustomInvestmentMix"));
    breakdown.formatCaptions(checks_.captions());
    cmdOK->setText(lookUp(checks_.captions(), "cmdOK"));
    cmdCancel->setText(lookUp(checks_.captions(), "cmdCancel"));
}

bool CustomInvestmentMix::leaveBreakdownField(int part)
{
    return breakdown.checkField(checks_, part);
}

bool CustomInvestmentMix::checkDistributions() const
{
    return breakdown.checkDistributions(checks_);
}

void CustomInvestmentMix::accept()
{
    if (!leaveChecks_->runShown() || !checkDistributions())
        return;
    const Breakdown parts = breakdown.values(checks_.captions().language());
    QDialog::accept();
    emit breakdownAccepted(parts);
}

void CustomInvestmentMix::reject()
{
    QDialog::reject();
    emit cancelled();
}

void CustomInvestmentMix::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        if (help_)
            help_->showTopic(kDetailDialogsHelpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace gw
