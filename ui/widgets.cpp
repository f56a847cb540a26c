#include "widgets.h"

#include "updown.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gw {

QLabel* MakeLabel(const QString& name, QWidget* parent, const char* role)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    if (role)
        label->setProperty("role", QString::fromLatin1(role));
    return label;
}

QLabel* MakeWrappedLabel(const QString& name, QWidget* parent)
{
    QLabel* label = MakeLabel(name, parent);
    label->setWordWrap(true);
    return label;
}

QLabel* MakeHeading(const QString& name, QWidget* parent, bool wrap)
{
    QLabel* label = MakeLabel(name, parent);
    label->setWordWrap(wrap);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPushButton* MakeButton(const QString& name, QWidget* parent, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

QPushButton* MakeExplainButton(const QString& name, QWidget* parent)
{
    QPushButton* button = MakeButton(name, parent, QStringLiteral("?"));
    button->setFixedWidth(26);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeField(const QString& name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* MakeNumberField(const QString& name, QWidget* parent, int minWidth, int maxWidth)
{
    QLineEdit* box = MakeField(name, parent);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMinimumWidth(minWidth);
    box->setMaximumWidth(maxWidth);
    return box;
}

UpDown* MakeSpinner(const QString& name, QLineEdit* buddy, int min, int max, QWidget* parent)
{
    auto* spinner = new UpDown(buddy, min, max, parent);
    spinner->setObjectName(name);
    return spinner;
}

QFrame* MakeBar(const QString& name, QWidget* parent)
{
    auto* bar = new QFrame(parent);
    bar->setObjectName(name);
    bar->setFrameShape(QFrame::HLine);
    bar->setFrameShadow(QFrame::Sunken);
    return bar;
}

QFrame* MakeRule(QWidget* parent)
{
    auto* rule = new QFrame(parent);
    rule->setProperty("role", QStringLiteral("rule"));
    rule->setFixedHeight(1);
    return rule;
}

QAction* MakeAction(const QString& name, QObject* parent)
{
    auto* action = new QAction(parent);
    action->setObjectName(name);
    return action;
}

void ScaleFont(QWidget* widget, double factor)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    widget->setFont(font);
}

} // namespace gw
