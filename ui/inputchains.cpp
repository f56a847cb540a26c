// The input panel's reactions: leaving a field, Enter, spinner clicks,
// the mirroring of the third return and the dependent money field.
#include "inputpanel.h"

#include "captionsource.h"
#include "fieldvalues.h"
#include "fieldtext.h"
#include "messages.h"
#include "money_field.h"
#include "numformat.h"
#include "updown.h"
#include "validation.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
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
        connect(presets[k], &QRadioButton::clicked, this,
                [this, k] { chooseBreakdown(kInvestmentTypePresets[k], strategy()); });
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
    const auto number = [lang](const QLineEdit* box) { return FieldNumber(box->text(), lang); };
    const auto reformat = [&](QLineEdit* box) { box->setText(money(number(box))); };
    if (!txtAnnualInvestment->isEnabled()) {
        if (const auto limit = dependentLimit(strategy, true, number(txtLoanAmount)))
            lowerTypedMoney(*txtLoanAmount, true, *limit);
        if (const auto annual = setAnnualInvestment(strategy, currentInputs()))
            txtAnnualInvestment->setText(money(*annual));
        reformat(txtLoanAmount);
    } else {
        if (const auto limit = dependentLimit(strategy, false, number(txtAnnualInvestment)))
            lowerTypedMoney(*txtAnnualInvestment, false, *limit);
        if (const auto loan = setLoanAmount(strategy, currentInputs())) {
            txtLoanAmount->setText(money(*loan));
            reformat(txtAnnualInvestment);
        } else if (const auto annual = setAnnualInvestment(strategy, currentInputs())) {
            // No loan costs this much a year (the deductions outweigh the
            // interest): go back to what the current loan costs, so that the
            // two fields never disagree, and say so.
            const QString typed = txtAnnualInvestment->text();
            txtAnnualInvestment->setText(money(*annual));
            reformat(txtLoanAmount);
            if (RoundHalfAwayFromZero(FieldNumber(typed, lang)) != RoundHalfAwayFromZero(*annual)) {
                checks_.tell("IncorrectInputTitle", "FieldNoLoanCosts",
                             {annualLabel().toStdString(), typed.toStdString(), txtLoanAmount->text().toStdString(),
                              txtAnnualInvestment->text().toStdString()});
            }
        }
    }
    reformat(txtOtherUnlevInvest);
}

std::optional<double> InputPanel::dependentLimit(Strategy strategy, bool loanTyped, double amount) const
{
    AnalysisInputs in = currentInputs();
    (loanTyped ? in.loanAmount : in.annualInvestment) = amount;
    const std::optional<double> dependent = loanTyped ? setAnnualInvestment(strategy, in) : setLoanAmount(strategy, in);
    if (!dependent || RoundHalfAwayFromZero(*dependent) <= kMostDollars)
        return std::nullopt;
    return loanTyped ? MostLoanAmountWithin(strategy, in, kMostDollars)
                     : MostAnnualInvestmentWithin(strategy, in, kMostDollars);
}

void InputPanel::lowerTypedMoney(QLineEdit& box, bool loanTyped, double limit)
{
    const Language lang = language();
    const QString typed = box.text();
    box.setText(FormatField(limit, "$#,##0", lang));
    checks_.tell("OutOfBoundsTitle", "FieldAboveDependentLimit",
                 {(loanTyped ? loanLabel() : annualLabel()).toStdString(), typed.toStdString(),
                  box.text().toStdString(), (loanTyped ? annualLabel() : loanLabel()).toStdString(),
                  FormatField(kMostDollars, "$#,##0", lang).toStdString()});
}

// Past the highest amount, or past what keeps the computed money field
// legal: one message, naming the limit that binds.
void InputPanel::checkMoneyLimit(QLineEdit& box, bool loanTyped, const FieldRule& rule)
{
    const double value = std::min(FieldNumber(box.text(), language()), rule.high);
    if (const auto limit = dependentLimit(strategy(), loanTyped, value))
        lowerTypedMoney(box, loanTyped, *limit);
    else
        checks_.checkRange(box, rule);
}

void InputPanel::setBreakdownOfDistributions(double deferredCapitalGains, double capitalGains, double dividends,
                                             double interest, Strategy strategy)
{
    breakdown_ = {deferredCapitalGains, capitalGains, dividends, interest};
    inputsChanged_ = true;
    checkCashflow(strategy);
    update();
}

void InputPanel::chooseBreakdown(const std::array<double, 4>& breakdown, Strategy strategy)
{
    if (host_.mixChosen)
        host_.mixChosen(breakdown);
    setBreakdownOfDistributions(breakdown[0], breakdown[1], breakdown[2], breakdown[3], strategy);
}

void InputPanel::update()
{
    if (host_.updateAnalysis)
        host_.updateAnalysis();
}

void InputPanel::showInPattern(QLineEdit& box, Setting s)
{
    const QString shown = FormatField(FieldNumber(box.text(), language()), Row(s).pattern, language());
    if (box.text() != shown)
        box.setText(shown);
}

FieldRule InputPanel::ruleFor(Setting s, const QString& label) const
{
    const LegalRange range = RangeOf(s, start_);
    return {FieldLabel(label), std::string(Row(s).pattern), range.low, range.high, Row(s).unit == Unit::Dollars};
}

QString InputPanel::loanLabel() const
{
    return FieldLabel(optLoanAmount->text());
}

QString InputPanel::annualLabel() const
{
    return FieldLabel(optAnnualInvestment->text());
}

QString InputPanel::returnLabel(const QLineEdit& box) const
{
    for (std::size_t i = 0; i < txtReturn.size(); ++i) {
        if (txtReturn[i] == &box)
            return FieldLabel(lblReturnsHeader->text()) + u' ' + lblReturn[i]->text();
    }
    return FieldLabel(caption("lblProjectionReturn"));
}

void InputPanel::leaveLoanAmount()
{
    const double fallback = start_[Setting::LoanAmount];
    const FieldRule rule = ruleFor(Setting::LoanAmount, loanLabel());
    checks_.checkValue(*txtLoanAmount, fallback, rule);
    checks_.checkDollarValue(*txtLoanAmount, fallback, rule);
    checkMoneyLimit(*txtLoanAmount, true, rule);
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveAnnualInvestment()
{
    // The same legal amounts as the loan amount.
    const FieldRule rule = ruleFor(Setting::LoanAmount, annualLabel());
    checks_.checkValue(*txtAnnualInvestment, annualInvestmentFromLoan(strategy()), rule);
    checks_.checkDollarValue(*txtAnnualInvestment, annualInvestmentFromLoan(strategy()), rule);
    checkMoneyLimit(*txtAnnualInvestment, false, rule);
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveOtherUnleveraged()
{
    const FieldRule rule = ruleFor(Setting::OtherUnleveragedIncome, lblOtherUnlevInvest->text());
    checks_.checkValue(*txtOtherUnlevInvest, start_[Setting::OtherUnleveragedIncome], rule);
    checks_.checkRange(*txtOtherUnlevInvest, rule);
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveTaxRate()
{
    const FieldRule rule = ruleFor(Setting::TaxRate, lblTaxRate->text());
    checks_.checkValue(*txtTaxRate, start_[Setting::TaxRate], rule);
    checks_.checkBounds(*txtTaxRate, *updTaxRate, rule, 0, 0);
    showInPattern(*txtTaxRate, Setting::TaxRate);
    checkCashflow(strategy());
    update();
}

void InputPanel::leaveIntRate()
{
    const double warnAt = start_[Setting::InterestRateWarningLevel];
    const FieldRule rule = ruleFor(Setting::InterestRateOnLoan, lblIntRate->text());
    checks_.checkValue(*txtIntRate, start_[Setting::InterestRateOnLoan], rule);
    checks_.checkBounds(*txtIntRate, *updIntRate, rule, 0, warnAt);
    showInPattern(*txtIntRate, Setting::InterestRateOnLoan);
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
    const FieldRule rule = ruleFor(Setting::SavingsPeriod, lblSavingsPeriod->text());
    checks_.checkValue(*txtSavingsPeriod, start_[Setting::SavingsPeriod], rule);
    checks_.checkBounds(*txtSavingsPeriod, *updSavingsPeriod, rule, 0, 0);
    checks_.checkIntegerValue(*txtSavingsPeriod, rule);
    showInPattern(*txtSavingsPeriod, Setting::SavingsPeriod);
    checks_.checkTimesLoanRepeated(*txtSavingsPeriod, rule.label, *timesLoanRepeatedBox(),
                                   FieldLabel(caption("lblTimesLoanRepeated")), 0, strategy(), false);
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
    const FieldRule rule = ruleFor(Setting::ProjectedReturn3, returnLabel(box));
    checks_.checkValue(box, kReturnReplacement, rule);
    checks_.checkBounds(box, spinner, rule, warnAt, 0);
    showInPattern(box, Setting::ProjectedReturn3);
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
    box.setText(FormatField(value, Row(&box == txtIntRate ? Setting::InterestRateOnLoan : Setting::ProjectedReturn3).pattern,
                            language()));
    spinner.setValue(static_cast<int>(std::round(value)));
    // The analysis ran on the warned value; run it again on the one the
    // user chose, so the results match the field.
    checkCashflow(strategy());
    update();
}

} // namespace gw
