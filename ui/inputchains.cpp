// The input panel's reactions: leaving a field, Enter, spinner clicks,
// the mirroring of the third return and the dependent money field.
#include "inputpanel.h"

#include "captionsource.h"
#include "fieldtext.h"
#include "messages.h"
#include "money_field.h"
#include "updown.h"
#include "validation.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

// The replacement for a return that is not a number.
constexpr double kReturnReplacement = 5;

// Placeholders 1 to 4 of the sponsor questions and of the investment-type
// explanation are line breaks.
std::vector<std::string> lineBreaks()
{
    return std::vector<std::string>(4, "\n");
}

std::string boundText(int value)
{
    return std::to_string(value);
}

// A number as the bound messages show it: whole numbers without decimals.
std::string settingText(double value)
{
    return PlainNumber(value).toStdString();
}

} // namespace

void InputPanel::connectFields()
{
    const auto markChanged = [this] { inputsChanged_ = true; };
    for (QLineEdit* box : {txtLoanAmount, txtAnnualInvestment, txtOtherUnlevInvest, txtTaxRate, txtIntRate,
                           txtSavingsPeriod, txtReturn[0], txtReturn[1], txtReturn[3]})
        connect(box, &QLineEdit::textChanged, this, markChanged);
    connect(txtReturn[2], &QLineEdit::textChanged, this, [this](const QString& text) {
        inputsChanged_ = true;
        mirrorText(txtReturn[2], text);
    });

    watchField(txtLoanAmount, [this] { leaveLoanAmount(); });
    watchField(txtAnnualInvestment, [this] { leaveAnnualInvestment(); });
    watchField(txtOtherUnlevInvest, [this] { leaveOtherUnleveraged(); });
    watchField(txtTaxRate, [this] { leaveTaxRate(); });
    watchField(txtIntRate, [this] { leaveIntRate(); });
    watchField(txtSavingsPeriod, [this] { leaveSavingsPeriod(); });
    for (int i = 0; i < 4; ++i)
        watchField(txtReturn[i], [this, i] { leaveReturn(i); });

    connect(updTaxRate, &UpDown::clicked, this, [this] { runLeave([this] { leaveTaxRate(); }); });
    connect(updIntRate, &UpDown::clicked, this, [this] { runLeave([this] { leaveIntRate(); }); });
    connect(updSavingsPeriod, &UpDown::clicked, this, [this] { runLeave([this] { leaveSavingsPeriod(); }); });
    for (int i = 0; i < 4; ++i)
        connect(updReturn[i], &UpDown::clicked, this, [this, i] { runLeave([this, i] { leaveReturn(i); }); });

    connect(optLoanAmount, &QRadioButton::toggled, this, [this](bool on) { chooseMoneyField(on); });
    connect(cmbInvestmentType, &QComboBox::activated, this, [this] {
        inputsChanged_ = true;
        checkCashflow(strategy());
        update();
    });

    const std::array<QRadioButton*, 6> presets{optRegularEquity, optTaxEfficient, optDeferredCapitalGains,
                                               optBalancedFund, optDividends, optInterest};
    for (std::size_t k = 0; k < presets.size(); ++k) {
        connect(presets[k], &QRadioButton::clicked, this, [this, k] {
            const auto& r = kInvestmentTypePresets[k];
            setBreakdownOfDistributions(r[0], r[1], r[2], r[3], strategy());
        });
    }
    connect(optCustomInvestmentMix, &QRadioButton::clicked, this, [this] {
        if (host_.openCustomMix)
            host_.openCustomMix();
    });

    connect(cmdWTAfterTaxAnnualInvestment, &QPushButton::clicked, this, [this] {
        messages_.information(caption("SoftwareName"), caption("WTAfterTaxAnnualInvestment"));
    });
    connect(cmdWTOtherUnleveragedInvestments, &QPushButton::clicked, this, [this] {
        messages_.information(caption("SoftwareName"), caption("WTOtherUnleveragedInvestments"));
    });
    connect(cmdWTBreakdown, &QPushButton::clicked, this, [this] {
        messages_.information(caption("SoftwareName"), caption("WTBreakdown", lineBreaks()));
    });
}

void InputPanel::watchField(QLineEdit* box, std::function<void()> leave)
{
    leaveHandlers_[box] = std::move(leave);
    box->installEventFilter(this);
}

bool InputPanel::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = leaveHandlers_.find(watched);
    if (found != leaveHandlers_.end() &&
        HandleFieldEvent(*static_cast<QLineEdit*>(watched), *event, true, [&] { runLeave(found->second); }))
        return true;
    return QObject::eventFilter(watched, event);
}

void InputPanel::runLeave(const std::function<void()>& leave)
{
    // A chain's own message boxes and writes must not start another chain.
    if (inChain_)
        return;
    inChain_ = true;
    leave();
    inChain_ = false;
}

void InputPanel::mirrorText(QLineEdit* source, const QString& text)
{
    if (mirroring_)
        return;
    mirroring_ = true;
    for (QLineEdit* box : {txtReturn[2], txtProjectionReturn[0], txtProjectionReturn[1]}) {
        if (box && box != source && box->text() != text)
            box->setText(text);
    }
    mirroring_ = false;
}

void InputPanel::chooseMoneyField(bool loanAmountTyped)
{
    txtLoanAmount->setEnabled(loanAmountTyped);
    txtAnnualInvestment->setEnabled(!loanAmountTyped);
    const QColor computed = QApplication::palette().color(QPalette::Window);
    for (QLineEdit* box : {txtLoanAmount, txtAnnualInvestment}) {
        QPalette palette = box->palette();
        const QColor base = box->isEnabled() ? QColor(Qt::white) : computed;
        palette.setColor(QPalette::Active, QPalette::Base, base);
        palette.setColor(QPalette::Inactive, QPalette::Base, base);
        palette.setColor(QPalette::Disabled, QPalette::Base, base);
        box->setPalette(palette);
    }
}

double InputPanel::annualInvestmentFromLoan(Strategy strategy) const
{
    return setAnnualInvestment(strategy, currentInputs()).value_or(0);
}

void InputPanel::checkCashflow(Strategy strategy)
{
    const Language lang = language();
    const auto money = [lang](double value) { return FormatField(value, "$#,##0", lang); };
    const auto reformat = [&](QLineEdit* box) { box->setText(money(FieldNumber(box->text(), lang))); };
    if (!txtAnnualInvestment->isEnabled()) {
        if (const auto annual = setAnnualInvestment(strategy, currentInputs()))
            txtAnnualInvestment->setText(money(*annual));
        reformat(txtLoanAmount);
    } else {
        if (const auto loan = setLoanAmount(strategy, currentInputs())) {
            txtLoanAmount->setText(money(*loan));
            reformat(txtAnnualInvestment);
        } else if (const auto annual = setAnnualInvestment(strategy, currentInputs())) {
            // No loan costs this much a year (the deductions outweigh the
            // interest): go back to what the current loan costs, so that the
            // two fields never disagree.
            txtAnnualInvestment->setText(money(*annual));
            reformat(txtLoanAmount);
        }
    }
    reformat(txtOtherUnlevInvest);
}

void InputPanel::setBreakdownOfDistributions(double deferredCapitalGains, double capitalGains, double dividends,
                                             double interest, Strategy strategy)
{
    breakdown_ = {deferredCapitalGains, capitalGains, dividends, interest};
    inputsChanged_ = true;
    checkCashflow(strategy);
    update();
}

void InputPanel::update()
{
    if (host_.updateAnalysis)
        host_.updateAnalysis();
}

void InputPanel::leaveLoanAmount()
{
    checks_.checkValue(*txtLoanAmount, start_[Setting::LoanAmount]);
    checks_.checkDollarValue(*txtLoanAmount, start_[Setting::LoanAmount]);
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveAnnualInvestment()
{
    checks_.checkValue(*txtAnnualInvestment, annualInvestmentFromLoan(strategy()));
    checks_.checkDollarValue(*txtAnnualInvestment, annualInvestmentFromLoan(strategy()));
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveOtherUnleveraged()
{
    checks_.checkValue(*txtOtherUnlevInvest, start_[Setting::OtherUnleveragedIncome]);
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveTaxRate()
{
    checks_.checkValue(*txtTaxRate, start_[Setting::TaxRate]);
    checks_.checkBounds(*txtTaxRate, *updTaxRate,
                        caption("BoundsTaxRate", {boundText(updTaxRate->min() + 1), boundText(updTaxRate->max() - 1)}),
                        0, 0);
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveIntRate()
{
    const double warnAt = start_[Setting::InterestRateWarningLevel];
    checks_.checkValue(*txtIntRate, start_[Setting::InterestRateOnLoan]);
    checks_.checkBounds(*txtIntRate, *updIntRate,
                        caption("BoundsInterestRate", {boundText(updIntRate->min() + 1),
                                                       boundText(updIntRate->max() - 1), settingText(warnAt)}),
                        0, warnAt);
    checkCashflow(strategy());
    update();
    if (!intRateWarningGiven_ && warnAt != 0 && FieldNumber(txtIntRate->text(), language()) <= warnAt) {
        sponsorQuestion(*txtIntRate, *updIntRate, levelQuestion("BoundsRecommendedSponsorLimit_IntRate",
                                                                "WarnRecommendedLimit_IntRate", warnAt),
                        warnAt + 1);
        intRateWarningGiven_ = true;
    }
}

void InputPanel::leaveSavingsPeriod()
{
    checks_.checkValue(*txtSavingsPeriod, start_[Setting::SavingsPeriod]);
    checks_.checkBounds(*txtSavingsPeriod, *updSavingsPeriod,
                        caption("BoundsSavingsPeriod", {boundText(updSavingsPeriod->min() + 1),
                                                        boundText(updSavingsPeriod->max() - 1)}),
                        0, 0);
    checks_.checkIntegerValue(*txtSavingsPeriod);
    checks_.checkTimesLoanRepeated(*txtSavingsPeriod, *timesLoanRepeatedBox(), 0, strategy());
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveReturn(int index)
{
    returnChanged(*txtReturn[index], *updReturn[index]);
    if (index == 2)
        mirrorText(txtReturn[2], txtReturn[2]->text());
}

void InputPanel::leaveProjectionReturn(int index)
{
    if (!txtProjectionReturn[index] || !updProjectionReturn[index])
        return;
    returnChanged(*txtProjectionReturn[index], *updProjectionReturn[index]);
    mirrorText(txtProjectionReturn[index], txtProjectionReturn[index]->text());
}

void InputPanel::returnChanged(QLineEdit& box, UpDown& spinner)
{
    // Nothing changed since the last analysis: nothing to check.
    if (!inputsChanged_)
        return;
    const double warnAt = start_[Setting::ReturnWarningLevel];
    checks_.checkValue(box, kReturnReplacement);
    checks_.checkBounds(box, spinner,
                        caption("BoundsReturns", {boundText(spinner.min() + 1), boundText(spinner.max() - 1)}),
                        warnAt, 0);
    checkCashflow(strategy());
    update();
    if (!returnWarningGiven_ && warnAt != 0 && FieldNumber(box.text(), language()) >= warnAt) {
        sponsorQuestion(box, spinner,
                        levelQuestion("BoundsRecommendedSponsorLimit_Return", "WarnRecommendedLimit_Return", warnAt),
                        warnAt - 1);
        returnWarningGiven_ = true;
    }
}

QString InputPanel::levelQuestion(std::string_view sponsorKey, std::string_view levelKey, double level) const
{
    // A copy without a sponsor has no one to name: the question names the
    // level itself.
    if (checks_.namesSponsor())
        return caption(sponsorKey, lineBreaks());
    std::vector<std::string> values = lineBreaks();
    values.push_back(checks_.levelText(level));
    return caption(levelKey, values);
}

void InputPanel::sponsorQuestion(QLineEdit& box, UpDown& spinner, const QString& question, double fallback)
{
    if (messages_.askYesNo(caption("SoftwareName"), question))
        return;
    const double value = std::clamp(fallback, double(spinner.min() + 1), double(spinner.max() - 1));
    checks_.showStatus("stsbarPressF1");
    InputChecks::markSponsorLimit(box, false);
    box.setText(PlainNumber(value));
    spinner.setValue(static_cast<int>(std::round(value)));
    // The analysis ran on the warned value; run it again on the one the
    // user chose, so the results match the field.
    checkCashflow(strategy());
    update();
}

} // namespace gw
