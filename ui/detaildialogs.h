#pragma once

#include "captions.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace gw {

class AdvancedDetails;
class CaptionSource;
class CustomInvestmentMix;
class HelpService;
class InputChecks;
class MainWindow;
class UpDown;

// The breakdown of the gross return in whole per cent, in BreakdownPart
// order: deferred capital gains, capital gains, dividends, interest.
using Breakdown = std::array<double, 4>;

// The help topic of both detail dialogs.
inline constexpr int kDetailDialogsHelpTopic = 104;

// The frame fraBreakdownOfGrossReturn that both detail dialogs show: one
// label, field and spinner per part, in BreakdownPart order. Object names:
// lblDeferredCapitalGains, txtDeferredCapitalGains, updDeferredCapitalGains,
// and the same with CapitalGains, Dividends and Interest. The spinners stand
// at -1 and 101, one step outside the legal 0 to 100.
struct BreakdownFrame {
    explicit BreakdownFrame(QWidget* parent);

    void formatCaptions(const CaptionSource& captions);
    // The parts as whole numbers into the fields and spinners.
    void load(const Breakdown& parts);
    // The fields as numbers (0 for a field that holds none).
    Breakdown values(Language language) const;
    // The leave check of field `part`: a number (else 0), within 0 to 100
    // ("FieldAboveHighest" or "FieldBelowLowest"), a whole number.
    // Returns true when the field kept what was typed.
    bool checkField(const InputChecks& checks, int part) const;
    // The four fields add up to exactly 100; otherwise the "InvalidBreakdown"
    // message and false.
    bool checkDistributions(const InputChecks& checks) const;

    QGroupBox* frame = nullptr;
    std::array<QLabel*, 4> labels{};
    std::array<QLineEdit*, 4> fields{};
    std::array<UpDown*, 4> spinners{};
};

// Runs a field's check when the user leaves it (Tab, a click elsewhere) or
// clicks its spinner, and selects its text when it gets the focus. A check's
// own message boxes start no other check.
class LeaveChecks : public QObject {
    Q_OBJECT
public:
    explicit LeaveChecks(QObject* parent) : QObject(parent) {}

    // `check` returns false when it repaired the field.
    void watch(QLineEdit* box, UpDown* spinner, std::function<bool()> check);
    // Moving the focus onto `widget` checks nothing: Cancel throws the edit
    // away, so it must not first complain about it.
    void exempt(QWidget* widget) { exempt_.push_back(widget); }
    // The checks of every field the dialog shows, as OK runs them: Enter
    // presses OK without leaving the field. False when one repaired its
    // field, which then has the focus.
    bool runShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool run(const std::function<bool()>& check);

    std::vector<std::pair<QLineEdit*, std::function<bool()>>> checks_;
    std::vector<QPointer<QWidget>> exempt_;
    bool running_ = false;
};

// Connects both dialogs to a main window. The advanced details dialog is
// created hidden at once and kept (the window reads its times-loan-repeated
// field); the custom investment mix dialog is created when asked for and
// deleted when it closes. Both are modal to the window. An accepted
// breakdown goes into the window's model through setBreakdownOfDistributions
// (which marks the inputs changed and runs an analysis), and the window's
// investment-type option follows it: the preset it equals, else the custom
// one.
class DetailDialogs : public QObject {
    Q_OBJECT
public:
    DetailDialogs(MainWindow& window, HelpService* help);

    AdvancedDetails& advancedDetails() const { return *advanced_; }
    // The open custom investment mix dialog, or null.
    CustomInvestmentMix* customInvestmentMix() const;

    // cmdAdvancedSettings_Input: nothing while the dialog is already open.
    void openAdvancedDetails();
    // optCustomInvestmentMix: nothing while the advanced details are open.
    void openCustomInvestmentMix();
    // After a language switch.
    void formatCaptions();

private:
    void apply(const Breakdown& parts);
    void showModal(QWidget* dialog);

    MainWindow& window_;
    HelpService* help_;
    AdvancedDetails* advanced_ = nullptr;
    QPointer<CustomInvestmentMix> custom_;
};

// Creates the detail dialogs of `window` and wires them to it; the window
// owns the result. `help` may be null (no help viewer).
DetailDialogs* attachDetailDialogs(MainWindow& window, HelpService* help);

} // namespace gw
