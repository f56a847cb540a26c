#include "validation.h"

#include "captionsource.h"
#include "fieldtext.h"
#include "messages.h"
#include "numformat.h"
#include "settingtable.h"
#include "updown.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace gw {

namespace {

constexpr int kMaxYears = kMostYears;

} // namespace

bool HandleFieldEvent(QLineEdit& box, QEvent& event, bool enterLeaves, const std::function<void()>& leave)
{
    switch (event.type()) {
    case QEvent::FocusIn:
        // After the mouse press that gave the focus, which would clear it.
        QTimer::singleShot(0, &box, &QLineEdit::selectAll);
        return false;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent&>(event).key();
        if (!enterLeaves || (key != Qt::Key_Return && key != Qt::Key_Enter))
            return false;
        leave();
        box.selectAll();
        return true;
    }
    case QEvent::FocusOut: {
        // A message box, a menu or another program taking the focus is not
        // the user leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent&>(event).reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason)
            leave();
        return false;
    }
    default:
        return false;
    }
}

QString FieldLabel(const QString& labelText)
{
    QString label = labelText;
    // "&&" is a shown "&"; a single "&" marks the shortcut.
    label.replace(QStringLiteral("&&"), QChar(0x1));
    label.remove(u'&');
    label.replace(QChar(0x1), u'&');
    label = label.trimmed();
    while (label.endsWith(u':'))
        label = label.chopped(1).trimmed();
    return label;
}

InputChecks::InputChecks(const CaptionSource& captions, MessageService& messages)
    : captions_(captions), messages_(messages)
{
}

QString InputChecks::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

void InputChecks::showStatus(const std::string& key, const std::vector<std::string>& values) const
{
    if (status_)
        status_(key, [values] { return values; });
}

std::string InputChecks::levelText(double level) const
{
    return FormatNumberUnbroken(level / 100, "##0.##%", captions_.language());
}

void InputChecks::showLevelStatus(bool above, double level) const
{
    if (!status_)
        return;
    if (namesSponsor())
        status_("stsbarRecommendedSponsorLimit", [name = sponsorName_] { return std::vector<std::string>{name}; });
    else
        status_(above ? "stsbarRecommendedLimitAbove" : "stsbarRecommendedLimitBelow",
                [this, level] { return std::vector<std::string>{levelText(level)}; });
}

QString InputChecks::written(double value, std::string_view pattern) const
{
    if (!pattern.empty())
        return FormatField(value, pattern, captions_.language());
    QString text = PlainNumber(value);
    if (captions_.language() == French)
        text.replace(u'.', u',');
    return text;
}

void InputChecks::tell(std::string_view titleKey, std::string_view key, const std::vector<std::string>& values) const
{
    messages_.information(caption(titleKey), caption(key, values));
}

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

bool InputChecks::checkValue(QLineEdit& box, double replacement, const FieldRule& rule) const
{
    const QString typed = box.text();
    if (IsNumericText(typed, captions_.language()))
        return true;
    const QString now = written(replacement, rule.pattern);
    box.setText(now);
    tell("IncorrectInputTitle", "FieldNotNumber",
         {utf8(rule.label), utf8(typed), utf8(written(rule.low, rule.pattern)), utf8(written(rule.high, rule.pattern)),
          utf8(now)});
    return false;
}

bool InputChecks::checkDollarValue(QLineEdit& box, double replacement, const FieldRule& rule) const
{
    // Whole dollars: 0.40 counts as nothing.
    const QString typed = box.text();
    const double whole = RoundHalfAwayFromZero(FieldNumber(typed, captions_.language()));
    if (whole > 0)
        return true;
    const QString now = written(replacement, rule.pattern);
    box.setText(now);
    tell("IncorrectInputTitle", "FieldBelowLowestAmount",
         {utf8(rule.label), utf8(typed), utf8(written(rule.low, rule.pattern)), utf8(now)});
    return false;
}

bool InputChecks::checkIntegerValue(QLineEdit& box, const FieldRule& rule) const
{
    const QString text = box.text();
    qsizetype cut = text.indexOf(u'.');
    // French also writes the decimal mark as a comma.
    if (captions_.language() == French) {
        const qsizetype comma = text.indexOf(u',');
        if (comma >= 0 && (cut < 0 || comma < cut))
            cut = comma;
    }
    if (cut < 0)
        return true;
    box.setText(text.left(cut));
    tell("IncorrectInputTitle", "FieldNotWhole",
         {utf8(rule.label), utf8(text), utf8(written(rule.low, rule.pattern)), utf8(written(rule.high, rule.pattern)),
          utf8(box.text())});
    return false;
}

bool InputChecks::checkRange(QLineEdit& box, const FieldRule& rule, std::optional<double> aboveRepair,
                             std::optional<double> belowRepair) const
{
    const QString typed = box.text();
    const double value = FieldNumber(typed, captions_.language());
    if (value >= rule.low && value <= rule.high)
        return true;
    const bool above = value > rule.high;
    const double repaired = above ? aboveRepair.value_or(rule.high) : belowRepair.value_or(rule.low);
    const QString now = written(repaired, rule.pattern);
    box.setText(now);
    const char* key = above ? (rule.amount ? "FieldAboveHighestAmount" : "FieldAboveHighest")
                            : (rule.amount ? "FieldBelowLowestAmount" : "FieldBelowLowest");
    tell("OutOfBoundsTitle", key,
         {utf8(rule.label), utf8(typed), utf8(written(above ? rule.high : rule.low, rule.pattern)), utf8(now)});
    return false;
}

bool InputChecks::checkBounds(QLineEdit& box, UpDown& spinner, FieldRule rule, double warnAtOrAbove,
                              double warnAtOrBelow) const
{
    const Language language = captions_.language();
    rule.low = spinner.min() + 1;
    rule.high = spinner.max() - 1;
    const bool inRange = checkRange(box, rule);
    double value = FieldNumber(box.text(), language);
    if (!inRange)
        spinner.setValue(static_cast<int>(value));
    const bool atUpper = warnAtOrAbove != 0 && value >= warnAtOrAbove;
    const bool atLimit = atUpper || (warnAtOrBelow != 0 && value <= warnAtOrBelow);
    markSponsorLimit(box, atLimit);
    if (atLimit)
        showLevelStatus(atUpper, atUpper ? warnAtOrAbove : warnAtOrBelow);
    else
        showStatus("stsbarPressF1");
    return inRange;
}

bool InputChecks::checkTimesLoanRepeated(const QLineEdit& periodBox, const QString& periodLabel, QLineEdit& timesBox,
                                         const QString& timesLabel, double replacement, Strategy strategy,
                                         bool timesLeft) const
{
    if (strategy == Strategy::InterestOnly)
        return true;
    const Language language = captions_.language();
    const double period = FieldNumber(periodBox.text(), language);
    const double times = FieldNumber(timesBox.text(), language);
    if ((times + 1) * period <= kMaxYears)
        return true;
    const QString typed = timesLeft ? timesBox.text() : periodBox.text();
    const QString now = written(replacement, "#0");
    timesBox.setText(now);
    const QString other = timesLeft ? periodLabel : timesLabel;
    const double otherValue = timesLeft ? period : times;
    tell("IncorrectInputTitle", timesLeft ? "FieldRepeatsTooLong" : "FieldPeriodTooLongForRepeats",
         {utf8(timesLeft ? timesLabel : periodLabel), utf8(typed), utf8(other), utf8(written(otherValue, {})),
          utf8(written((times + 1) * period, {})), std::to_string(kMaxYears), utf8(now)});
    return false;
}

void InputChecks::markSponsorLimit(QLineEdit& box, bool atLimit)
{
    if (atLimit) {
        QPalette palette = box.palette();
        palette.setColor(QPalette::Text, Qt::red);
        box.setPalette(palette);
    } else {
        // An empty palette inherits the window's colours again.
        box.setPalette(QPalette());
    }
}

bool InputChecks::atSponsorLimit(const QLineEdit& box)
{
    return box.palette().color(QPalette::Text) == QColor(Qt::red);
}

} // namespace gw
