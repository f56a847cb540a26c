#pragma once

#include <QString>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

// The small widget factories the windows share: each names its widget (tests
// and captions find controls by object name) and gives it the look the
// windows agree on.
namespace gw {

class UpDown;

// A label; `role` is a style-sheet property ("heading", "fine").
QLabel* MakeLabel(const QString& name, QWidget* parent, const char* role = nullptr);
QLabel* MakeWrappedLabel(const QString& name, QWidget* parent);
// Bold, for the headings of pages and frames.
QLabel* MakeHeading(const QString& name, QWidget* parent, bool wrap = false);

QPushButton* MakeButton(const QString& name, QWidget* parent, const QString& text = {});
// The "?" button beside a field that explains it; Enter never presses it.
QPushButton* MakeExplainButton(const QString& name, QWidget* parent);

QLineEdit* MakeField(const QString& name, QWidget* parent);
// Right-aligned, for numbers, between the two widths.
QLineEdit* MakeNumberField(const QString& name, QWidget* parent, int minWidth, int maxWidth);
UpDown* MakeSpinner(const QString& name, QLineEdit* buddy, int min, int max, QWidget* parent);

// A sunken line between groups of fields.
QFrame* MakeBar(const QString& name, QWidget* parent);
// The thin rule of the styled start and About windows.
QFrame* MakeRule(QWidget* parent);

QAction* MakeAction(const QString& name, QObject* parent);

// The widget's font, `factor` times its size.
void ScaleFont(QWidget* widget, double factor);

} // namespace gw
