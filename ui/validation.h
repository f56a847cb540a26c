#pragma once

#include "inputs.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QEvent;
class QLineEdit;

namespace gw {

class CaptionSource;
class MessageService;
class UpDown;

// What an event filter does for a field that runs a check when left:
// focus selects the text, Enter runs `leave` (when `enterLeaves`) and is
// consumed, and losing the focus to anything but a message box, a menu or
// another window runs `leave`. Returns true when the event was consumed.
bool HandleFieldEvent(QLineEdit& box, QEvent& event, bool enterLeaves, const std::function<void()>& leave);

// The field checks that the main window and its dialogs share. Each takes
// the text field, shows its message (information icon) when the text is
// wrong, and writes a legal value back into the field; none of them stops
// anything. Messages and titles are caption keys of the current language.
class InputChecks {
public:
    InputChecks(const CaptionSource& captions, MessageService& messages);

    // Where the warning-level hint goes (the main window's status bar). The
    // hint goes as a caption key and a way to get its values, asked again
    // each time the bar re-captions it, so that a level in it follows a
    // language switch.
    using StatusValues = std::function<std::vector<std::string>()>;
    using StatusSink = std::function<void(const std::string& key, const StatusValues& values)>;
    void setStatusSink(StatusSink sink) { status_ = std::move(sink); }
    // A sponsored copy with a sponsor name names the sponsor in the
    // warning-level hint and questions; any other copy names the level.
    void setSponsor(bool sponsored, std::string name)
    {
        sponsored_ = sponsored;
        sponsorName_ = std::move(name);
    }
    bool namesSponsor() const { return sponsored_ && !sponsorName_.empty(); }
    // A warning level (per cent as typed, 12 for 12 %) as the hint and the
    // questions show it in the current language: "12%", "3,5 %".
    std::string levelText(double level) const;

    // Not a number: "checkValue" message, the field becomes `replacement` as
    // a plain number. Returns true when the text was a number.
    bool checkValue(QLineEdit& box, double replacement) const;

    // A number that shows as 0 or less in whole dollars: "checkDollarValue"
    // message, the field becomes `replacement`. Returns true when it passed.
    bool checkDollarValue(QLineEdit& box, double replacement) const;

    // A decimal mark in the text: "checkIntegerValue" message, the text is cut
    // before it. Returns true when there was none.
    bool checkIntegerValue(QLineEdit& box) const;

    // The legal range is [spinner Min + 1, Max - 1]. Outside it: `message`
    // titled "OutOfBoundsTitle", and the nearer end goes into the field and
    // the spinner. Then the sponsor limits (0 = none): a value at or above
    // `warnAtOrAbove` or at or below `warnAtOrBelow` turns the text red and
    // shows the warning-level hint, anything else takes the normal colour and the
    // "stsbarPressF1" hint. Returns true when the value was in range.
    bool checkBounds(QLineEdit& box, UpDown& spinner, const QString& message, double warnAtOrAbove,
                     double warnAtOrBelow) const;

    // Term and RRSP loans only: when (times + 1) x period
    // passes 80 years, "BoundsTimesLoanRepeated" and the times field becomes
    // `replacement`. Returns true when the pair was accepted.
    bool checkTimesLoanRepeated(const QLineEdit& periodBox, QLineEdit& timesBox, double replacement,
                                Strategy strategy) const;

    // The text colour of a field at or off a sponsor limit.
    static void markSponsorLimit(QLineEdit& box, bool atLimit);
    static bool atSponsorLimit(const QLineEdit& box);

    void showStatus(const std::string& key, const std::vector<std::string>& values = {}) const;
    // The hint of a value at the warning level `level`: at or above it when
    // `above`, else at or below it.
    void showLevelStatus(bool above, double level) const;

    const CaptionSource& captions() const { return captions_; }
    MessageService& messages() const { return messages_; }

private:
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;

    const CaptionSource& captions_;
    MessageService& messages_;
    StatusSink status_;
    bool sponsored_ = false;
    std::string sponsorName_;
};

} // namespace gw
