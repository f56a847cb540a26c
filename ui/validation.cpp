#include "validation.h"

#include "captionsource.h"
#include "fieldtext.h"
#include "messages.h"
#include "numformat.h"
#include "updown.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace gw {

namespace {

// The most years a projection holds.
constexpr int kMaxYears = 80;

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

bool InputChecks::checkValue(QLineEdit& box, double replacement) const
{
    if (IsNumericText(box.text(), captions_.language()))
        return true;
    messages_.information(caption("IncorrectInputTitle"), caption("checkValue"));
    box.setText(PlainNumber(replacement));
    return false;
}

bool InputChecks::checkDollarValue(QLineEdit& box, double replacement) const
{
    // Whole dollars: 0.40 counts as nothing.
    const double whole = RoundHalfAwayFromZero(FieldNumber(box.text(), captions_.language()));
    if (whole > 0)
        return true;
    messages_.information(caption("IncorrectInputTitle"), caption("checkDollarValue"));
    box.setText(PlainNumber(replacement));
    return false;
}

bool InputChecks::checkIntegerValue(QLineEdit& box) const
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
    messages_.information(caption("IncorrectInputTitle"), caption("checkIntegerValue"));
    box.setText(text.left(cut));
    return false;
}

bool InputChecks::checkBounds(QLineEdit& box, UpDown& spinner, const QString& message, double warnAtOrAbove,
                              double warnAtOrBelow) const
{
    const Language language = captions_.language();
    const int low = spinner.min() + 1;
    const int high = spinner.max() - 1;
    double value = FieldNumber(box.text(), language);
    const bool inRange = value >= low && value <= high;
    if (!inRange) {
        messages_.information(caption("OutOfBoundsTitle"), message);
        const int repaired = value > high ? high : low;
        box.setText(QString::number(repaired));
        spinner.setValue(repaired);
        value = FieldNumber(box.text(), language);
    }
    const bool atUpper = warnAtOrAbove != 0 && value >= warnAtOrAbove;
    const bool atLimit = atUpper || (warnAtOrBelow != 0 && value <= warnAtOrBelow);
    markSponsorLimit(box, atLimit);
    if (atLimit)
        showLevelStatus(atUpper, atUpper ? warnAtOrAbove : warnAtOrBelow);
    else
        showStatus("stsbarPressF1");
    return inRange;
}

bool InputChecks::checkTimesLoanRepeated(const QLineEdit& periodBox, QLineEdit& timesBox, double replacement,
                                         Strategy strategy) const
{
    if (strategy == Strategy::InterestOnly)
        return true;
    const Language language = captions_.language();
    const double period = FieldNumber(periodBox.text(), language);
    const double times = FieldNumber(timesBox.text(), language);
    if ((times + 1) * period <= kMaxYears)
        return true;
    messages_.information(caption("IncorrectInputTitle"),
                          caption("BoundsTimesLoanRepeated", {std::to_string(kMaxYears)}));
    timesBox.setText(PlainNumber(replacement));
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
