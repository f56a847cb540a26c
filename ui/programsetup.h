#pragma once

#include "captions.h"
#include "settingtable.h"
#include "validation.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace gw {

class CaptionSource;
class HelpService;
class MessageService;
class UpDown;
struct FieldRule;

// frmProgramSetup: the tax table, the inclusion rate, the federal share of
// the marginal rate, the federal and provincial deduction of the loan
// interest, and the language. It is created hidden once and kept; its fields
// hold the live values. It never touches an analysis: OK and Cancel hand the
// values on through settingsApplied(), and a new language through the
// applyLanguage hook.
//
// Tabs are numbered 1 to 3 (Taxes, Investment Expenses, Language), as the
// Setup menu entries are. Control arrays follow arrayName():
// txtStartOfTaxBracket(0) is "txtStartOfTaxBracket0".
class ProgramSetup : public QDialog {
    Q_OBJECT
public:
    struct Services {
        const CaptionSource* captions = nullptr;  // required; its language is the current one
        MessageService* messages = nullptr;       // required
        HelpService* help = nullptr;
        // OK with another language chosen in cboLanguages: make `language` the
        // current one, re-caption every window (this one through
        // formatCaptions) and switch the help. Runs before settingsApplied.
        std::function<void(Language language)> applyLanguage;
    };

    explicit ProgramSetup(Services services, QWidget* parent = nullptr);
    ~ProgramSetup() override;

    // Start-up, with the settings as read: the fields show StartValues of
    // them, which also repair bad entries. The second form starts the fields
    // from other values.
    void load(const SettingValues& read);
    void load(const SettingValues& read, const SettingValues& values);
    // The dialog's settings as its fields hold them (the rest 0).
    SettingValues values() const;
    // Writes the dialog's settings into `values`, leaving the others.
    void storeValues(SettingValues& values) const;
    // The settings the dialog edits.
    static std::vector<Setting> editedSettings();
    const SettingValues& defaults() const { return defaults_; }

    // Shows the dialog modal to its parent window on tab 1..3 and returns
    // when OK or Cancel closed it. The help window stays usable meanwhile.
    int execOnTab(int tab);
    void selectTab(int tab);
    int currentTab() const;
    // 107 + the tab number: 108 for Taxes.
    int helpTopic() const { return 107 + currentTab(); }
    // The language list names another language than the current one.
    bool languageChanged() const;

    void formatCaptions();

    // The checks run when a field is left, on a spinner click and (for the
    // inclusion rate, the deductible portions and the investment expenses)
    // on Enter. `j` is 0 federal, 1 provincial. Each returns true when the
    // field kept what was typed; a repair comes with a message.
    bool leaveStartOfTaxBracket(int row);
    bool leaveTaxOnInterest(int row);
    bool leaveTaxOnDividends(int row);
    bool leaveCapGainsInclusionRate();
    bool leaveFederalToMTRRatio();
    bool leaveInterestDeductibility(int j);
    bool leaveInvestmentExpenses(int j);
    // Every check, as OK runs them before it hands the values on. False when
    // one repaired its field, which then has the focus.
    bool checkAllFields();

    // OK and Cancel (also Enter and Esc).
    void accept() override;
    void reject() override;

    QTabWidget* tabSetup = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    // Tab 1.
    QLabel* lblTaxTableHeading = nullptr;
    QLabel* lblTableColOne = nullptr;
    QLabel* lblTableColTwo = nullptr;
    QLabel* lblTableColThree = nullptr;
    std::array<QLabel*, 4> lblTaxBracket{};  // lblTaxBracket1..4
    std::array<QLineEdit*, 4> txtStartOfTaxBracket{};
    std::array<QLineEdit*, 4> txtTaxOnInterest{};
    std::array<QLineEdit*, 4> txtTaxOnDividends{};
    QLabel* lblMiscParametersHeader = nullptr;
    QLabel* lblCapitalGainsInclusionRate = nullptr;
    QLineEdit* txtCapGainsInclusionRate = nullptr;
    UpDown* updCapGainsInclusionRate = nullptr;
    QPushButton* cmdWTCapitalGainsInclusionRate = nullptr;
    QLabel* lblFederalToMTRRatio = nullptr;
    QLineEdit* txtFederalToMTRRatio = nullptr;
    UpDown* updFederalToMTRRatio = nullptr;
    QPushButton* cmdWTFederalToMTRRatio = nullptr;

    // Tab 2: one frame per jurisdiction, index 0 federal, 1 provincial.
    struct DeductionFrame {
        QGroupBox* frame = nullptr;
        QLabel* lblAnnualDeductibility = nullptr;
        QRadioButton* optPercentDeduct = nullptr;
        QLineEdit* txtInterestDeductibility = nullptr;
        UpDown* updInterestDeductibility = nullptr;
        QRadioButton* optLimitedDeduct = nullptr;
        QLabel* lblIncludeCapitalGains = nullptr;
        QComboBox* cmbIncludeCapGains = nullptr;
        QLabel* lblDefer = nullptr;
        QComboBox* cmbDefer = nullptr;
        QLabel* lblInvestExpenseExplanation = nullptr;
        QLineEdit* txtInvestmentExpenses = nullptr;
        UpDown* updInvestExpense = nullptr;
        QLabel* lblPercentSign = nullptr;
        QPushButton* cmdWTInvestFeeExplanantion = nullptr;
    };
    // Object names: optFedPercentDeduct, txtFedInterestDeductibility,
    // updFedInterestDeductibility, optFedLimitedDeduct, cmbFedIncludeCapGains,
    // cmbFedDefer, txtFedInvestmentExpenses, updFedInvestExpense,
    // cmdWTFedInvestFeeExplanantion, and the same with "Prov".
    std::array<DeductionFrame, 2> deduction{};

    // Tab 3.
    QLabel* lblLanguageHeader = nullptr;
    QLabel* lblCurrentLanguage = nullptr;
    QComboBox* cboLanguages = nullptr;

signals:
    // After OK and after Cancel: the values the main window uses from now on.
    // It redoes its input panel and projection headings and runs an analysis.
    void settingsApplied(const gw::SettingValues& values);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Spinner limits of the layout. The inclusion rate's stand one step
    // outside its legal 0 to 100, as checkBounds expects; the others are the
    // legal ranges themselves.
    static constexpr int kInclusionMin = -1, kInclusionMax = 101;
    static constexpr int kRatioMin = 0, kRatioMax = 100;
    static constexpr int kDeductibleMin = 0, kDeductibleMax = 100;
    static constexpr int kExpenseMin = 0, kExpenseMax = 5;

    // What Cancel puts back: the texts as they were shown, not numbers.
    struct Snapshot {
        std::vector<QString> texts;
        std::array<bool, 2> limited{};
        std::array<int, 2> includeCapGains{};
        std::array<int, 2> defer{};
    };

    QWidget* buildTaxesTab();
    QWidget* buildExpensesTab();
    QWidget* buildLanguageTab();
    void buildDeductionFrame(int j, QWidget* parent);
    void connectFields();
    void arrangeTabOrder();
    void watch(QLineEdit* box, std::function<bool()> leave, bool enterChecks);
    bool runCheck(const std::function<bool()>& check);
    void writeFields(const SettingValues& values);
    void onShown();
    void reformatFields();
    void fillLanguageList();
    void applyVisibility(int j);
    void showHelp();
    Snapshot takeSnapshot() const;
    void restore(const Snapshot& snapshot);
    // The number fields in the order the snapshot keeps them, and the
    // setting each shows.
    std::vector<QLineEdit*> numberFields() const;
    static std::vector<Setting> numberSettings();
    void rewriteForLanguage(Language previousLanguage);
    // The language cboLanguages names, if any.
    std::optional<Language> chosenLanguage() const;
    // The tax table's rates: one decimal, and outside the legal range the
    // setting's default, with a message.
    bool checkRate(QLineEdit& box, Setting setting, const QString& label);
    // Bracket starts rise from one bracket to the next: an entry at or below
    // the one before, or at or above the one after, goes just inside it.
    bool checkBracketOrder(int row);
    QString cellLabel(int row, const QLabel* column) const;
    FieldRule ruleFor(Setting setting, const QString& label) const;
    double number(const QLineEdit& box) const;
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;
    Language language() const;

    Services services_;
    const CaptionSource& captions_;
    MessageService& messages_;
    InputChecks checks_;
    SettingValues defaults_;
    Snapshot snapshot_;
    bool hasSnapshot_ = false;
    bool inCheck_ = false;
    std::optional<Language> captionLanguage_;  // none before the first captions
    std::vector<std::pair<QObject*, std::function<bool()>>> leaveChecks_;
    std::vector<QObject*> enterChecks_;
};

} // namespace gw
