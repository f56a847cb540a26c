#pragma once

#include "captions.h"
#include "inputs.h"
#include "settingtable.h"

#include <QObject>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace gw {

class CaptionSource;
class InputChecks;
class MessageService;
struct FieldRule;
class UpDown;

// The input fields of the main window, their validation when the user
// leaves a field (or presses Enter, or clicks a spinner), the mirroring of
// the third return into the projection returns, the sponsor warnings and the
// dependent money field. It lays the fields out on two pages, `basicPage`
// (input tab 0) and `compositionPage` (input tab 1, holding the frame
// fraReturnComposition); the window places them.
//
// Control arrays follow the object-name convention of arrayName():
// txtReturn(0..3) are "txtReturn0".."txtReturn3", updReturn(i) "updReturn<i>".
class InputPanel : public QObject {
    Q_OBJECT
public:
    struct Host {
        std::function<Strategy()> strategy;    // the selected strategy
        std::function<void()> updateAnalysis;  // the window's dispatch
        std::function<void()> openCustomMix;   // optCustomInvestmentMix
        // The user chose a breakdown (a preset or the custom mix's OK),
        // before the analysis runs on it.
        std::function<void(const std::array<double, 4>&)> mixChosen;
    };

    InputPanel(const CaptionSource& captions, MessageService& messages, InputChecks& checks, Host host,
               QObject* parent = nullptr);

    // The projection-return fields live on the output pages; the panel
    // validates and mirrors them.
    void bindProjectionReturns(std::array<QLineEdit*, 2> boxes, std::array<UpDown*, 2> spinners);
    // The times-loan-repeated field of the advanced details dialog; until it
    // is bound the panel keeps a hidden one of its own.
    void bindTimesLoanRepeated(QLineEdit* box);
    QLineEdit* timesLoanRepeatedBox() const { return timesBox_ ? timesBox_.data() : ownTimesBox_; }

    // Start-up: the spinners' limits and the fields from `start`
    // (StartValues: each default as its field shows it, inside its range),
    // which also gives the replacements of bad entries and the sponsor's
    // warning levels.
    void start(const SettingValues& start);
    // The fields, spinners and breakdown from `values` (a client case's,
    // each inside its range); the replacements and limits stay.
    void loadFields(const SettingValues& values);
    // The setup dialog's values, which every analysis reads with the fields.
    void setSetupValues(const SettingValues& setup);
    // Either interest deduction is limited to investment income.
    bool deductionLimited() const;

    void formatCaptions();
    // Captions that follow the strategy, then checkCashflow.
    void formatInputPanels(Strategy strategy);
    // Rewrites the number fields in the current language after a switch
    // from `previousLanguage`.
    void rewriteForLanguage(Language previousLanguage);

    // The values an analysis reads, from the fields and the setup's values.
    AnalysisInputs currentInputs() const;
    // Writes the settings the panel's fields hold into `values`.
    void storeValues(SettingValues& values) const;

    bool inputsChanged() const { return inputsChanged_; }
    void setInputsChanged(bool changed) { inputsChanged_ = changed; }
    bool returnWarningGiven() const { return returnWarningGiven_; }
    bool intRateWarningGiven() const { return intRateWarningGiven_; }
    const std::array<double, 4>& breakdown() const { return breakdown_; }

    // Recomputes the money field that the user does not type, and reformats
    // the money fields.
    void checkCashflow(Strategy strategy);
    // Stores the breakdown (whole per cent), marks the inputs changed, then
    // checkCashflow and updateAnalysis.
    void setBreakdownOfDistributions(double deferredCapitalGains, double capitalGains, double dividends,
                                     double interest, Strategy strategy);
    // A breakdown the user chose: tells the host, then
    // setBreakdownOfDistributions.
    void chooseBreakdown(const std::array<double, 4>& breakdown, Strategy strategy);
    // Selects the investment-type option that matches `breakdown`, or the
    // custom one.
    void selectMatchingInvestmentType(const std::array<double, 4>& breakdown);
    void setLimitedDeductionInputsVisible(bool visible);

    // The leave chains; the window and the tests may call them directly.
    void leaveLoanAmount();
    void leaveAnnualInvestment();
    void leaveOtherUnleveraged();
    void leaveTaxRate();
    void leaveIntRate();
    void leaveSavingsPeriod();
    void leaveReturn(int index);
    void leaveProjectionReturn(int index);
    void returnChanged(QLineEdit& box, UpDown& spinner);

    QWidget* basicPage = nullptr;
    QWidget* compositionPage = nullptr;
    QWidget* fraReturnComposition = nullptr;  // on compositionPage; hidden for RRSP loans

    QRadioButton* optLoanAmount = nullptr;
    QRadioButton* optAnnualInvestment = nullptr;
    QLineEdit* txtLoanAmount = nullptr;
    QLineEdit* txtAnnualInvestment = nullptr;
    QLabel* lblOR = nullptr;
    QPushButton* cmdWTAfterTaxAnnualInvestment = nullptr;
    QLabel* lblTaxRate = nullptr;
    QLineEdit* txtTaxRate = nullptr;
    UpDown* updTaxRate = nullptr;
    QLabel* lblIntRate = nullptr;
    QLineEdit* txtIntRate = nullptr;
    UpDown* updIntRate = nullptr;
    QLabel* lblSavingsPeriod = nullptr;
    QLineEdit* txtSavingsPeriod = nullptr;
    UpDown* updSavingsPeriod = nullptr;
    QLabel* lblReturnsHeader = nullptr;
    std::array<QLabel*, 4> lblReturn{};
    std::array<QLineEdit*, 4> txtReturn{};
    std::array<UpDown*, 4> updReturn{};
    std::array<QLineEdit*, 2> txtProjectionReturn{};
    std::array<UpDown*, 2> updProjectionReturn{};
    QFrame* Line1 = nullptr;
    QLabel* lblInvestmentLoanType = nullptr;
    QComboBox* cmbInvestmentType = nullptr;
    QLabel* lblOtherUnlevInvest = nullptr;
    QLineEdit* txtOtherUnlevInvest = nullptr;
    QPushButton* cmdWTOtherUnleveragedInvestments = nullptr;
    QLabel* lblReference = nullptr;
    QGroupBox* fraTypeOfInvestment = nullptr;
    QRadioButton* optRegularEquity = nullptr;
    QRadioButton* optTaxEfficient = nullptr;
    QRadioButton* optDeferredCapitalGains = nullptr;
    QRadioButton* optBalancedFund = nullptr;
    QRadioButton* optDividends = nullptr;
    QRadioButton* optInterest = nullptr;
    QRadioButton* optCustomInvestmentMix = nullptr;
    QLabel* lblWTBreakdown = nullptr;
    QPushButton* cmdWTBreakdown = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBasicPage();
    void buildCompositionPage();
    void connectFields();
    void watchField(QLineEdit* box, std::function<void()> leave);
    void runLeave(const std::function<void()>& leave);
    void mirrorText(QLineEdit* source, const QString& text);
    void chooseMoneyField(bool loanAmountTyped);
    // The sponsor's Yes/No question after a warned value; on No the field
    // takes `fallback` (kept inside the spinner's legal range).
    void sponsorQuestion(QLineEdit& box, UpDown& spinner, const QString& question, double fallback);
    // The warning question: `sponsorKey` naming the sponsor, or, in a copy
    // without one, `levelKey` naming the warning `level`.
    QString levelQuestion(std::string_view sponsorKey, std::string_view levelKey, double level) const;
    void update();
    // The highest amount the typed money field (the loan amount when
    // `loanTyped`) may hold with the computed one legal, when `amount` is
    // above it.
    std::optional<double> dependentLimit(Strategy strategy, bool loanTyped, double amount) const;
    // Lowers the typed money field to `limit`, with the message.
    void lowerTypedMoney(QLineEdit& box, bool loanTyped, double limit);
    void checkMoneyLimit(QLineEdit& box, bool loanTyped, const FieldRule& rule);
    // The field's number in the display pattern of `s`.
    void showInPattern(QLineEdit& box, Setting s);
    // What the messages of `s`'s field say: its label, pattern and range.
    FieldRule ruleFor(Setting s, const QString& label) const;
    QString returnLabel(const QLineEdit& box) const;
    QString loanLabel() const;
    QString annualLabel() const;
    double annualInvestmentFromLoan(Strategy strategy) const;
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;
    Language language() const;
    Strategy strategy() const;

    const CaptionSource& captions_;
    MessageService& messages_;
    InputChecks& checks_;
    Host host_;
    SettingValues start_;  // replacements, limits and warning levels
    SettingValues setup_;  // the setup dialog's values
    std::array<double, 4> breakdown_{70, 25, 5, 0};
    QLineEdit* ownTimesBox_ = nullptr;
    QPointer<QLineEdit> timesBox_;  // the dialog's, when bound
    std::map<QObject*, std::function<void()>> leaveHandlers_;
    bool inputsChanged_ = false;
    bool returnWarningGiven_ = false;
    bool intRateWarningGiven_ = false;
    bool inChain_ = false;
    bool mirroring_ = false;
};

} // namespace gw
