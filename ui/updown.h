#pragma once

#include "captions.h"

#include <QWidget>

#include <string>

class QLineEdit;
class QToolButton;

namespace gw {

// A pair of small arrow buttons bound to a text field: the field is the
// input, the spinner only steps it. It holds a whole value between Min and
// Max (step 1). A click reads the field's number (rounded to whole; its own
// value when the field holds none), steps it by one within [Min, Max],
// writes the result into the field and emits clicked(). At an end the value
// stays put, so a click changes nothing unless the field showed something
// else. The legal range of a field is [Min + 1, Max - 1]: the limits stand
// one step outside it, so that a click past the last legal value reaches a
// limit and the field's check repairs it. The Up and Down keys in the field
// act as clicks.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, int min, int max, QWidget* parent = nullptr);

    int min() const { return min_; }
    int max() const { return max_; }
    int value() const { return value_; }
    void setRange(int min, int max);
    // Sets the value without touching the field, clamped to [Min, Max].
    void setValue(int value);
    QLineEdit* buddy() const { return buddy_; }
    void setLanguage(Language language) { language_ = language; }
    // The display pattern a click writes the value in ("#0.0" writes
    // "9.0"); none writes the plain whole number.
    void setPattern(std::string pattern) { pattern_ = std::move(pattern); }

    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int delta);

    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int min_;
    int max_;
    int value_;
    Language language_ = English;
    std::string pattern_;
};

} // namespace gw
