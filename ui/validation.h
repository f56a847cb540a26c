#pragma once

#include "inputs.h"

#include <QString>

#include <functional>
#include <optional>
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

// How a check's message names a field and writes its values.
struct FieldRule {
    QString label;             // the field's label as shown (FieldLabel)
    std::string pattern;       // the display pattern of its values; empty: a plain number
    double low = 0;            // the legal range
    double high = 0;
    bool amount = false;       // dollars: the messages speak of amounts
};

// A label's text as a message names its field: without "&" marks and
// without a trailing ":".
QString FieldLabel(const QString& labelText);

// The field checks that the main window and its dialogs share. Each takes
// the text field, and when the text is wrong shows one message (information
// icon) in one voice: the field's label, what was typed, the legal range and
// what the field now holds; it writes a legal value back into the field in
// its display pattern. None of them stops anything. Messages and titles are
// caption keys of the current language.
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

    // Not a number: "FieldNotNumber", the field becomes `replacement`.
    // Returns true when the text was a number.
    bool checkValue(QLineEdit& box, double replacement, const FieldRule& rule) const;

    // A number that shows as 0 or less in whole dollars: "below the lowest
    // amount allowed" ($1), the field becomes `replacement`. Returns true
    // when it passed.
    bool checkDollarValue(QLineEdit& box, double replacement, const FieldRule& rule) const;

    // A decimal mark in the text: "FieldNotWhole", the text is cut before it.
    // Returns true when there was none.
    bool checkIntegerValue(QLineEdit& box, const FieldRule& rule) const;

    // Outside rule.low..rule.high: the above or below message, and the field
    // becomes `aboveRepair` / `belowRepair` (the nearer end when not given).
    // Returns true when the value was in range.
    bool checkRange(QLineEdit& box, const FieldRule& rule, std::optional<double> aboveRepair = {},
                    std::optional<double> belowRepair = {}) const;

    // The legal range is [spinner Min + 1, Max - 1] (`rule`'s range is not
    // read). Outside it: the range message titled "OutOfBoundsTitle", and the
    // nearer end goes into the field and the spinner. Then the sponsor
    // limits (0 = none): a value at or above `warnAtOrAbove` or at or below
    // `warnAtOrBelow` turns the text red and shows the warning-level hint, anything
    // else takes the normal colour and the "stsbarPressF1" hint. Returns true
    // when the value was in range.
    bool checkBounds(QLineEdit& box, UpDown& spinner, FieldRule rule, double warnAtOrAbove,
                     double warnAtOrBelow) const;

    // Term and RRSP loans only: when (times + 1) x period passes 80 years,
    // the times field becomes `replacement`, with a message about the field
    // the user left: the times field (`timesLeft`) or the period field.
    // Returns true when the pair was accepted.
    bool checkTimesLoanRepeated(const QLineEdit& periodBox, const QString& periodLabel, QLineEdit& timesBox,
                                const QString& timesLabel, double replacement, Strategy strategy,
                                bool timesLeft) const;

    // `value` as a field with `pattern` shows it in the current language.
    QString written(double value, std::string_view pattern) const;
    // One message in the fields' voice, titled `titleKey`.
    void tell(std::string_view titleKey, std::string_view key, const std::vector<std::string>& values) const;

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
