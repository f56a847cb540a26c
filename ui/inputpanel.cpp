#include "inputpanel.h"

#include "captionsource.h"
#include "fieldtext.h"
#include "fieldvalues.h"
#include "numformat.h"
#include "updown.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

// The spinner limits of the layout, until start() sets them from the legal
// ranges.
constexpr int kTaxMin = -1, kTaxMax = 100;
constexpr int kIntRateMin = 1, kIntRateMax = 50;
constexpr int kPeriodMin = 0, kPeriodMax = 81;
constexpr int kReturnMin = -99, kReturnMax = 50;
constexpr int kProjectionMin = -100, kProjectionMax = 51;

// A field with its spinner beside it, as one cell of a grid.
QWidget* withSpinner(QLineEdit* box, UpDown* spinner, QWidget* parent)
{
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(box);
    row->addWidget(spinner);
    row->addStretch(1);
    return cell;
}

} // namespace

InputPanel::InputPanel(const CaptionSource& captions, MessageService& messages, InputChecks& checks, Host host,
                       QObject* parent)
    : QObject(parent), captions_(captions), messages_(messages), checks_(checks), host_(std::move(host))
{
    buildBasicPage();
    buildCompositionPage();
    ownTimesBox_ = new QLineEdit(basicPage);
    ownTimesBox_->setText(QStringLiteral("0"));
    ownTimesBox_->hide();
    connectFields();
}

void InputPanel::buildBasicPage()
{
    basicPage = new QWidget;
    basicPage->setObjectName(QStringLiteral("pageBasicInputs"));
    auto* grid = new QGridLayout(basicPage);
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int row = 0;

    optLoanAmount = new QRadioButton(basicPage);
    optLoanAmount->setObjectName(QStringLiteral("optLoanAmount"));
    txtLoanAmount = MakeNumberField("txtLoanAmount", basicPage, 110, 150);
    grid->addWidget(optLoanAmount, row, 0);
    grid->addWidget(txtLoanAmount, row++, 1);
    lblOR = MakeWrappedLabel("lblOR", basicPage);
    lblOR->setAlignment(Qt::AlignCenter);
    grid->addWidget(lblOR, row++, 0, 1, 3);
    optAnnualInvestment = new QRadioButton(basicPage);
    optAnnualInvestment->setObjectName(QStringLiteral("optAnnualInvestment"));
    txtAnnualInvestment = MakeNumberField("txtAnnualInvestment", basicPage, 110, 150);
    cmdWTAfterTaxAnnualInvestment = MakeExplainButton("cmdWTAfterTaxAnnualInvestment", basicPage);
    grid->addWidget(optAnnualInvestment, row, 0);
    grid->addWidget(txtAnnualInvestment, row, 1);
    grid->addWidget(cmdWTAfterTaxAnnualInvestment, row++, 2);
    auto* moneyChoice = new QButtonGroup(this);
    moneyChoice->addButton(optLoanAmount);
    moneyChoice->addButton(optAnnualInvestment);

    const auto addSpinnerRow = [&](QLabel*& label, const char* labelName, QLineEdit*& box, const char* boxName,
                                   UpDown*& spinner, const char* spinnerName, int min, int max) {
        label = MakeWrappedLabel(labelName, basicPage);
        box = MakeNumberField(boxName, basicPage, 60, 100);
        spinner = MakeSpinner(spinnerName, box, min, max, basicPage);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(withSpinner(box, spinner, basicPage), row++, 1, 1, 2);
    };
    addSpinnerRow(lblTaxRate, "lblTaxRate", txtTaxRate, "txtTaxRate", updTaxRate, "updTaxRate", kTaxMin, kTaxMax);
    addSpinnerRow(lblIntRate, "lblIntRate", txtIntRate, "txtIntRate", updIntRate, "updIntRate", kIntRateMin,
                  kIntRateMax);
    addSpinnerRow(lblSavingsPeriod, "lblSavingsPeriod", txtSavingsPeriod, "txtSavingsPeriod", updSavingsPeriod,
                  "updSavingsPeriod", kPeriodMin, kPeriodMax);

    lblReturnsHeader = MakeWrappedLabel("lblReturnsHeader", basicPage);
    grid->addWidget(lblReturnsHeader, row++, 0, 1, 3);
    auto* returns = new QWidget(basicPage);
    auto* returnsRow = new QHBoxLayout(returns);
    returnsRow->setContentsMargins(0, 0, 0, 0);
    returnsRow->setSpacing(4);
    for (int i = 0; i < 4; ++i) {
        lblReturn[i] = new QLabel(QString::number(i + 1), returns);
        lblReturn[i]->setObjectName(arrayName("lblReturn", i));
        txtReturn[i] = MakeNumberField(arrayName("txtReturn", i), returns, 46, 86);
        updReturn[i] = MakeSpinner(arrayName("updReturn", i), txtReturn[i], kReturnMin, kReturnMax, returns);
        lblReturn[i]->setBuddy(txtReturn[i]);
        returnsRow->addWidget(lblReturn[i]);
        returnsRow->addWidget(txtReturn[i]);
        returnsRow->addWidget(updReturn[i]);
        returnsRow->addSpacing(4);
    }
    returnsRow->addStretch(1);
    grid->addWidget(returns, row++, 0, 1, 3);

    Line1 = MakeBar(QStringLiteral("Line1"), basicPage);
    grid->addWidget(Line1, row++, 0, 1, 3);

    lblInvestmentLoanType = MakeWrappedLabel("lblInvestmentLoanType", basicPage);
    cmbInvestmentType = new QComboBox(basicPage);
    cmbInvestmentType->setObjectName(QStringLiteral("cmbInvestmentType"));
    cmbInvestmentType->addItems({QStringLiteral("100%"), QStringLiteral("1:1"), QStringLiteral("2:1"),
                                 QStringLiteral("3:1"), QStringLiteral("4:1")});
    lblInvestmentLoanType->setBuddy(cmbInvestmentType);
    grid->addWidget(lblInvestmentLoanType, row, 0);
    grid->addWidget(cmbInvestmentType, row++, 1, Qt::AlignLeft);

    lblOtherUnlevInvest = MakeWrappedLabel("lblOtherUnlevInvest", basicPage);
    txtOtherUnlevInvest = MakeNumberField("txtOtherUnlevInvest", basicPage, 110, 150);
    cmdWTOtherUnleveragedInvestments = MakeExplainButton("cmdWTOtherUnleveragedInvestments", basicPage);
    lblOtherUnlevInvest->setBuddy(txtOtherUnlevInvest);
    grid->addWidget(lblOtherUnlevInvest, row, 0);
    grid->addWidget(txtOtherUnlevInvest, row, 1);
    grid->addWidget(cmdWTOtherUnleveragedInvestments, row++, 2);

    lblReference = MakeWrappedLabel("lblReference", basicPage);
    grid->addWidget(lblReference, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
}

void InputPanel::buildCompositionPage()
{
    compositionPage = new QWidget;
    compositionPage->setObjectName(QStringLiteral("pageReturnComposition"));
    auto* pageLayout = new QVBoxLayout(compositionPage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    fraReturnComposition = new QWidget(compositionPage);
    fraReturnComposition->setObjectName(QStringLiteral("fraReturnComposition"));
    pageLayout->addWidget(fraReturnComposition);
    auto* column = new QVBoxLayout(fraReturnComposition);

    fraTypeOfInvestment = new QGroupBox(fraReturnComposition);
    fraTypeOfInvestment->setObjectName(QStringLiteral("fraTypeOfInvestment"));
    auto* options = new QVBoxLayout(fraTypeOfInvestment);
    const auto addOption = [&](QRadioButton*& option, const char* name) {
        option = new QRadioButton(fraTypeOfInvestment);
        option->setObjectName(QString::fromLatin1(name));
        options->addWidget(option);
    };
    addOption(optRegularEquity, "optRegularEquity");
    addOption(optTaxEfficient, "optTaxEfficient");
    addOption(optDeferredCapitalGains, "optDeferredCapitalGains");
    addOption(optBalancedFund, "optBalancedFund");
    addOption(optDividends, "optDividends");
    addOption(optInterest, "optInterest");
    addOption(optCustomInvestmentMix, "optCustomInvestmentMix");
    column->addWidget(fraTypeOfInvestment);

    auto* explain = new QHBoxLayout;
    lblWTBreakdown = MakeWrappedLabel("lblWTBreakdown", fraReturnComposition);
    cmdWTBreakdown = MakeExplainButton("cmdWTBreakdown", fraReturnComposition);
    explain->addWidget(lblWTBreakdown, 1);
    explain->addWidget(cmdWTBreakdown, 0, Qt::AlignTop);
    column->addLayout(explain);
    column->addStretch(1);
}

void InputPanel::bindProjectionReturns(std::array<QLineEdit*, 2> boxes, std::array<UpDown*, 2> spinners)
{
    txtProjectionReturn = boxes;
    updProjectionReturn = spinners;
    for (int j = 0; j < 2; ++j) {
        if (!boxes[j] || !spinners[j])
            continue;
        spinners[j]->setRange(kProjectionMin, kProjectionMax);
        watchField(boxes[j], [this, j] { leaveProjectionReturn(j); });
        connect(spinners[j], &UpDown::clicked, this, [this, j] { runLeave([this, j] { leaveProjectionReturn(j); }); });
        connect(boxes[j], &QLineEdit::textChanged, this, [this, box = boxes[j]](const QString& text) {
            inputsChanged_ = true;
            mirrorText(box, text);
        });
    }
}

void InputPanel::bindTimesLoanRepeated(QLineEdit* box)
{
    if (box && box != timesLoanRepeatedBox()) {
        box->setText(timesLoanRepeatedBox()->text());
        timesBox_ = box;
    }
}

void InputPanel::start(const SettingValues& start)
{
    start_ = start;
    setSetupValues(start);
    // The spinners stand one step outside the legal values.
    const auto bound = [&start](UpDown* spinner, Setting s) {
        if (!spinner)
            return;
        const LegalRange range = RangeOf(s, start);
        spinner->setRange(static_cast<int>(range.low) - 1, static_cast<int>(range.high) + 1);
        spinner->setPattern(std::string(Row(s).pattern));
    };
    bound(updTaxRate, Setting::TaxRate);
    bound(updIntRate, Setting::InterestRateOnLoan);
    bound(updSavingsPeriod, Setting::SavingsPeriod);
    for (int i = 0; i < 4; ++i)
        bound(updReturn[i], Nth(Setting::ProjectedReturn1, i));
    // The projection return is the third return under another name, which
    // the mirroring copies in; it takes the same range, or it could carry the
    // third return past the sponsor's maximum.
    for (UpDown* spinner : updProjectionReturn)
        bound(spinner, Setting::ProjectedReturn3);
    loadFields(start);
}

void InputPanel::loadFields(const SettingValues& values)
{
    const Language lang = language();
    const auto spin = [&values](UpDown* spinner, Setting s) {
        if (spinner)
            spinner->setValue(static_cast<int>(std::round(values[s])));
    };
    const auto write = [&](QLineEdit* box, Setting s) {
        const std::string_view pattern = Row(s).pattern;
        box->setText(pattern.empty() ? PlainNumber(values[s]) : FormatField(values[s], pattern, lang));
    };

    optLoanAmount->setChecked(true);
    chooseMoneyField(true);
    write(txtLoanAmount, Setting::LoanAmount);
    write(txtTaxRate, Setting::TaxRate);
    write(txtIntRate, Setting::InterestRateOnLoan);
    write(txtSavingsPeriod, Setting::SavingsPeriod);
    spin(updTaxRate, Setting::TaxRate);
    spin(updIntRate, Setting::InterestRateOnLoan);
    spin(updSavingsPeriod, Setting::SavingsPeriod);
    for (int i = 0; i < 4; ++i) {
        write(txtReturn[i], Nth(Setting::ProjectedReturn1, i));
        spin(updReturn[i], Nth(Setting::ProjectedReturn1, i));
    }
    for (UpDown* spinner : updProjectionReturn)
        spin(spinner, Setting::ProjectedReturn3);
    cmbInvestmentType->setCurrentIndex(values.index(Setting::InvestmentType));
    write(txtOtherUnlevInvest, Setting::OtherUnleveragedIncome);
    write(timesLoanRepeatedBox(), Setting::TimesLoanRepeated);
    breakdown_ = {values[Setting::DeferredCapitalGains], values[Setting::CapitalGains], values[Setting::Dividends],
                  values[Setting::Interest]};
    selectMatchingInvestmentType(breakdown_);
    const double annual = annualInvestmentFromLoan(strategy());
    txtAnnualInvestment->setText(FormatField(annual, "$#,##0", lang));
}

void InputPanel::setSetupValues(const SettingValues& setup)
{
    setup_ = setup;
    setLimitedDeductionInputsVisible(deductionLimited());
}

bool InputPanel::deductionLimited() const
{
    return setup_.flag(Setting::FedLimitedDeduct) || setup_.flag(Setting::ProvLimitedDeduct);
}

void InputPanel::setLimitedDeductionInputsVisible(bool visible)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{cmbInvestmentType, lblInvestmentLoanType,
                                                            txtOtherUnlevInvest, lblOtherUnlevInvest,
                                                            cmdWTOtherUnleveragedInvestments,
                                                            cmdWTAfterTaxAnnualInvestment, Line1})
        widget->setVisible(visible);
}

void InputPanel::selectMatchingInvestmentType(const std::array<double, 4>& breakdown)
{
    const std::array<QRadioButton*, 6> presets{optRegularEquity, optTaxEfficient, optDeferredCapitalGains,
                                               optBalancedFund, optDividends, optInterest};
    for (std::size_t k = 0; k < presets.size(); ++k) {
        if (kInvestmentTypePresets[k] == breakdown) {
            presets[k]->setChecked(true);
            return;
        }
    }
    optCustomInvestmentMix->setChecked(true);
}

void InputPanel::formatCaptions()
{
    optLoanAmount->setText(caption("optLoanAmount"));
    lblOR->setText(caption("lblOR"));
    lblTaxRate->setText(caption("lblTaxRate"));
    lblIntRate->setText(caption("lblIntRate"));
    lblReturnsHeader->setText(caption("lblReturnsHeader"));
    lblInvestmentLoanType->setText(caption("lblInvestmentLoanType"));
    lblOtherUnlevInvest->setText(caption("lblOtherUnlevInvest"));
    lblReference->setText(caption("lblReference"));
    fraTypeOfInvestment->setTitle(caption("fraBasicBreakdown"));
    optRegularEquity->setText(caption("optRegularEquity"));
    optTaxEfficient->setText(caption("optTaxEfficient"));
    optDeferredCapitalGains->setText(caption("optDeferredCapitalGains"));
    optBalancedFund->setText(caption("optBalancedFund"));
    optDividends->setText(caption("optDividends"));
    optInterest->setText(caption("optInterest"));
    optCustomInvestmentMix->setText(caption("optCustomInvestmentMix"));
    lblWTBreakdown->setText(caption("lblWTBreakdown"));
    for (UpDown* spinner : updReturn)
        spinner->setLanguage(language());
    for (UpDown* spinner : {updTaxRate, updIntRate, updSavingsPeriod})
        spinner->setLanguage(language());
    for (UpDown* spinner : updProjectionReturn) {
        if (spinner)
            spinner->setLanguage(language());
    }
}

void InputPanel::formatInputPanels(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly:
        optAnnualInvestment->setText(deductionLimited() ? caption("InitialAftertaxInvestment")
                                                    : caption("optAnnualInvestment_Int_RRSP"));
        lblSavingsPeriod->setText(caption("lblSavingsPeriod_Int"));
        break;
    case Strategy::TermLoan:
        optAnnualInvestment->setText(caption("optAnnualInvestment_Term"));
        lblSavingsPeriod->setText(caption("lblSavingsPeriod_Term_RRSP"));
        break;
    case Strategy::RRSP:
        optAnnualInvestment->setText(caption("optAnnualInvestment_Int_RRSP"));
        lblSavingsPeriod->setText(caption("lblSavingsPeriod_Term_RRSP"));
        break;
    }
    fraReturnComposition->setVisible(strategy != Strategy::RRSP);
    checkCashflow(strategy);
}

void InputPanel::rewriteForLanguage(Language previousLanguage)
{
    const Language lang = language();
    if (lang == previousLanguage)
        return;
    // Every number field in its pattern, the new language's way.
    const auto rewrite = [&](QLineEdit* box, std::string_view pattern) {
        if (box && IsNumericText(box->text(), previousLanguage))
            box->setText(FormatField(FieldNumber(box->text(), previousLanguage), pattern, lang));
    };
    for (QLineEdit* box : {txtLoanAmount, txtAnnualInvestment, txtOtherUnlevInvest})
        rewrite(box, "$#,##0");
    rewrite(txtTaxRate, Row(Setting::TaxRate).pattern);
    rewrite(txtIntRate, Row(Setting::InterestRateOnLoan).pattern);
    rewrite(txtSavingsPeriod, Row(Setting::SavingsPeriod).pattern);
    rewrite(timesLoanRepeatedBox(), "#0");
    for (QLineEdit* box : {txtReturn[0], txtReturn[1], txtReturn[2], txtReturn[3], txtProjectionReturn[0],
                           txtProjectionReturn[1]})
        rewrite(box, Row(Setting::ProjectedReturn3).pattern);
}

AnalysisInputs InputPanel::currentInputs() const
{
    SettingValues fields = setup_;
    storeValues(fields);
    return InputsFrom(fields, FieldNumber(txtAnnualInvestment->text(), language()));
}

void InputPanel::storeValues(SettingValues& values) const
{
    const Language lang = language();
    const auto number = [lang](const QLineEdit* box) { return box ? FieldNumber(box->text(), lang) : 0.0; };
    values[Setting::LoanAmount] = number(txtLoanAmount);
    values[Setting::TaxRate] = number(txtTaxRate);
    values[Setting::InterestRateOnLoan] = number(txtIntRate);
    values[Setting::SavingsPeriod] = number(txtSavingsPeriod);
    for (int i = 0; i < 4; ++i)
        values[Nth(Setting::ProjectedReturn1, i)] = number(txtReturn[i]);
    values[Setting::ProjectionReturn] =
        txtProjectionReturn[0] ? number(txtProjectionReturn[0]) : values[Setting::ProjectedReturn3];
    values[Setting::DeferredCapitalGains] = breakdown_[kDeferredCapGains];
    values[Setting::CapitalGains] = breakdown_[kCapGains];
    values[Setting::Dividends] = breakdown_[kDividends];
    values[Setting::Interest] = breakdown_[kInterest];
    values[Setting::TimesLoanRepeated] = number(timesLoanRepeatedBox());
    values[Setting::InvestmentType] = cmbInvestmentType->currentIndex();
    values[Setting::OtherUnleveragedIncome] = number(txtOtherUnlevInvest);
}

QString InputPanel::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

Language InputPanel::language() const
{
    return captions_.language();
}

Strategy InputPanel::strategy() const
{
    return host_.strategy ? host_.strategy() : Strategy::InterestOnly;
}

} // namespace gw
