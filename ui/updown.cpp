#include "updown.h"

#include "fieldtext.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace gw {

UpDown::UpDown(QLineEdit* buddy, int min, int max, QWidget* parent)
    : QWidget(parent), buddy_(buddy), min_(std::min(min, max)), max_(std::max(min, max)), value_(min_)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto makeButton = [this, layout](const char* name, Qt::ArrowType arrow) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        // The field keeps the focus: a click must not count as leaving it.
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(18);
        button->setMinimumHeight(8);
        layout->addWidget(button);
        return button;
    };
    up_ = makeButton("up", Qt::UpArrow);
    down_ = makeButton("down", Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (buddy_) {
        // As tall as the field it steps.
        setFixedHeight(buddy_->sizeHint().height());
        buddy_->installEventFilter(this);
    }
}

void UpDown::setRange(int min, int max)
{
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    value_ = std::clamp(value_, min_, max_);
}

void UpDown::setValue(int value)
{
    value_ = std::clamp(value, min_, max_);
}

void UpDown::step(int delta)
{
    if (!buddy_ || !isEnabled())
        return;
    // A click on the arrows enters their field: another field being edited
    // is left (and checked) before this one changes.
    if (!buddy_->hasFocus())
        buddy_->setFocus(Qt::MouseFocusReason);
    const QString text = buddy_->text();
    int current = value_;
    if (IsNumericText(text, language_)) {
        const double number = std::round(FieldNumber(text, language_));
        current = static_cast<int>(std::clamp(number, double(min_), double(max_)));
    }
    const int next = std::clamp(current + delta, min_, max_);
    const QString nextText = pattern_.empty() ? QString::number(next) : FormatField(next, pattern_, language_);
    if (next == value_ && nextText == text)
        return;
    value_ = next;
    buddy_->setText(nextText);
    emit clicked();
}

bool UpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace gw
