#pragma once

#include "detaildialogs.h"
#include "inputs.h"

#include <QDialog>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace gw {

class HelpService;
class InputChecks;
class UpDown;

// frmAdvancedDetails: the breakdown of the gross return and the number of
// times the term or RRSP loan is taken out again. Created hidden once and
// kept: txtTimesLoanRepeated is the value the analyses and the main window's
// savings-period check read. It never writes the main window's breakdown
// itself: OK hands it on through breakdownAccepted().
class AdvancedDetails : public QDialog {
    Q_OBJECT
public:
    // `checks` carries the captions and messages of the main window;
    // `savingsPeriod` is its txtSavingsPeriod. `help` may be null.
    AdvancedDetails(InputChecks& checks, const QLineEdit& savingsPeriod, HelpService* help,
                    QWidget* parent = nullptr);

    // Before each showing: the captions, the frames that the strategy and
    // the main window's input tab call for, the breakdown into its fields,
    // and the times value that Cancel puts back.
    void activate(const Breakdown& parts, Strategy strategy, int inputTab);
    void formatCaptions();

    // The leave checks; the dialog runs them itself, tests may call them.
    // Each returns true when the field kept what was typed.
    bool leaveBreakdownField(int part);
    bool leaveTimesLoanRepeated();
    bool checkDistributions() const;

    int savedTimesLoanRepeated() const { return savedTimesLoanRepeated_; }
    // The last legal number of repeats for the savings period in force:
    // Int(80 / period) - 1.
    int mostTimesLoanRepeated() const;

    // OK (also Enter) and Cancel (also Esc and closing the window).
    void accept() override;
    void reject() override;

    QLabel* lblAdvancedHeading = nullptr;
    QLabel* lblAdvancedHelp = nullptr;
    QFrame* picSplitterBar = nullptr;
    BreakdownFrame breakdown;
    QGroupBox* fraBreakdownOfGrossReturn = nullptr;  // breakdown.frame
    QGroupBox* fraTimesLoanRepeated = nullptr;
    QLabel* lblTimesLoanRepeated = nullptr;
    QLineEdit* txtTimesLoanRepeated = nullptr;
    UpDown* updTimesLoanRepeated = nullptr;
    QPushButton* cmdTimesLoanRepeated = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

signals:
    void breakdownAccepted(const gw::Breakdown& parts);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void showHelp();
    // The label of the main window's savings period for the strategy.
    QString periodLabel() const;
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;
    Language language() const;

    InputChecks& checks_;
    const QLineEdit& savingsPeriod_;
    HelpService* help_;
    LeaveChecks* leaveChecks_ = nullptr;
    Breakdown shownParts_{};
    Strategy strategy_ = Strategy::InterestOnly;
    int savedTimesLoanRepeated_ = 0;
};

} // namespace gw
