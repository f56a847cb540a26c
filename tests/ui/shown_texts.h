#pragma once

// Every text a window shows, for the caption walks and the language tests.
#include "fakes.h"
#include "groupedheader.h"

namespace gw::test {

// One text a window shows: where, what it says, and whether the control is
// on show and carries a caption (so must not be empty).
struct ShownText {
    QString where;
    QString text;
    bool captionExpected = false;
    bool field = false;  // a text box: what the user typed or a number
};

inline QString nameOf(const QObject& object)
{
    const QString name = object.objectName();
    return name.isEmpty() ? QString::fromLatin1(object.metaObject()->className()) : name;
}

inline void addMenuTexts(const QList<QAction*>& actions, const QString& where, std::vector<ShownText>& out)
{
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        const QString here = where + " > " + nameOf(*action);
        out.push_back({here, action->text(), action->isVisible()});
        if (QMenu* menu = action->menu())
            addMenuTexts(menu->actions(), here, out);
    }
}

// Everything `window` shows: its title, the texts of its widgets (hidden
// ones too, marked as not expected), its menus, table heads (laid out even
// while hidden, so always expected), charts and status bar.
// Labels showing a picture and arrow buttons carry no text.
inline std::vector<ShownText> shownTexts(QWidget& window)
{
    std::vector<ShownText> out;
    out.push_back({nameOf(window) + " title", window.windowTitle(), true});
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const bool shown = w->isVisibleTo(&window);
        const QString where = nameOf(*w);
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->pixmap().isNull())
                out.push_back({where, label->text(), shown});
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            const auto* tool = qobject_cast<QToolButton*>(w);
            const bool picture = (tool && tool->arrowType() != Qt::NoArrow) || !button->icon().isNull();
            out.push_back({where, button->text(), shown && !picture});
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            out.push_back({where, box->title(), shown});
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                out.push_back({where + " tab " + QString::number(i), tabs->tabText(i), shown});
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                out.push_back({where + " item " + QString::number(i), combo->itemText(i), shown});
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                out.push_back({where + " row " + QString::number(i), list->item(i)->text(),
                               shown && !list->isRowHidden(i)});
        } else if (auto* grid = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                const QTableWidgetItem* head = grid->horizontalHeaderItem(c);
                const QString at = where + " column " + QString::number(c);
                out.push_back({at, head ? head->text() : QString(), true});
                if (head && head->data(GroupedHeader::kGroupIdRole).toInt() >= 0)
                    out.push_back({at + " group", head->data(GroupedHeader::kGroupRole).toString(), true});
            }
        } else if (auto* view = qobject_cast<QChartView*>(w)) {
            const QChart& chart = *view->chart();
            out.push_back({where + " title", chart.title(), false});
            for (QAbstractAxis* axis : chart.axes())
                out.push_back({where + " axis", axis->titleText(), shown});
            for (QLegendMarker* marker : chart.legend()->markers())
                out.push_back({where + " legend", marker->label(), shown});
        } else if (auto* edit = qobject_cast<QTextEdit*>(w)) {
            out.push_back({where, edit->toPlainText(), false});
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            out.push_back({where, line->text(), false, true});
        } else if (auto* status = qobject_cast<QStatusBar*>(w)) {
            out.push_back({where, status->currentMessage(), false});
        }
    }
    if (auto* main = qobject_cast<QMainWindow*>(&window))
        addMenuTexts(main->menuBar()->actions(), "menu", out);
    return out;
}

// The named controls `window` shows, one a line, for golden files: name and
// text, "[picture WxH]", "[x]" when ticked, "[off]" when disabled.
inline std::string dumpShown(QWidget& window)
{
    QStringList lines{"title: " + window.windowTitle()};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_") || !w->isVisibleTo(&window))
            continue;
        QString line = w->objectName();
        if (auto* label = qobject_cast<QLabel*>(w))
            line += label->pixmap().isNull() ? ": " + label->text()
                                             : QString(" [picture %1x%2]").arg(label->pixmap().width()).arg(label->pixmap().height());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            line += ": " + button->text() + (button->isChecked() ? " [x]" : "");
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            line += ": " + box->title();
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            line += ": " + edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            line += ": " + combo->currentText();
        else
            continue;
        lines << line.replace('\n', "\\n") + (w->isEnabled() ? "" : " [off]");
    }
    return lines.join('\n').toStdString() + "\n";
}

} // namespace gw::test
