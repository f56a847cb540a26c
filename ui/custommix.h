#pragma once

#include "detaildialogs.h"

#include <QDialog>

class QPushButton;

namespace gw {

class HelpService;
class InputChecks;

// frmCustomInvestmentMix: the breakdown of the gross return, when the user
// picks the custom investment type. Created filled with the breakdown in
// force and closed by OK or Cancel; it never writes the main window's
// breakdown itself.
class CustomInvestmentMix : public QDialog {
    Q_OBJECT
public:
    // `checks` carries the captions and messages of the main window; `help`
    // may be null.
    CustomInvestmentMix(InputChecks& checks, HelpService* help, const Breakdown& parts, QWidget* parent = nullptr);

    void formatCaptions();
    bool leaveBreakdownField(int part);
    bool checkDistributions() const;

    // OK (also Enter) and Cancel (also Esc and closing the window).
    void accept() override;
    void reject() override;

    BreakdownFrame breakdown;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

signals:
    void breakdownAccepted(const gw::Breakdown& parts);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    InputChecks& checks_;
    HelpService* help_;
    LeaveChecks* leaveChecks_ = nullptr;
};

} // namespace gw
