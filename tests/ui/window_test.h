#pragma once

// What the window tests share: fakes of the window services, the user's
// gestures, the texts a window shows, a main window on fakes, and the whole
// program on a data folder built from the shipped sources (the masked
// caption files of the build and a Config.dat packed from
// data/config.src.txt).
#include "data_sources.h"
#include "sample_settings.h"

#include "advanceddetails.h"
#include "casemenu.h"
#include "clientcases.h"
#include "custommix.h"
#include "fieldtext.h"
#include "fieldvalues.h"
#include "groupedheader.h"
#include "helpwindow.h"
#include "inputpanel.h"
#include "mainwindow.h"
#include "messages.h"
#include "outcomespanel.h"
#include "outputpanel.h"
#include "printoptions.h"
#include "program.h"
#include "programsetup.h"
#include "reporter.h"
#include "settingsfile.h"
#include "splash.h"
#include "tablecaptions.h"
#include "updown.h"

#include <gtest/gtest.h>

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <deque>

namespace gw::test {

// Captions from a small table; any other key reads "[key]". Placeholders
// "<n>" are filled like the caption files' own.
class MapCaptions : public CaptionSource {
public:
    std::map<std::string, std::string> texts;  // lower-case keys

    void set(const std::string& key, const std::string& text) { texts[QString::fromStdString(key).toLower().toStdString()] = text; }
    std::string caption(std::string_view key) const override
    {
        const auto found = texts.find(QString::fromUtf8(key.data(), qsizetype(key.size())).toLower().toStdString());
        return found != texts.end() ? found->second : "[" + std::string(key) + "]";
    }
    std::string fill(std::string_view text, const std::vector<std::string>& values) const override
    {
        QString out = QString::fromUtf8(text.data(), qsizetype(text.size()));
        for (std::size_t n = values.size(); n >= 1; --n)
            out.replace("<" + QString::number(n) + ">", QString::fromStdString(values[n - 1]));
        return out.toStdString();
    }
    Language language() const override { return English; }
};

// Records every message; questions take the queued answers (Yes when none
// is queued), the unsaved-changes question the queued choices (Cancel when
// none is queued).
class RecordingMessages : public MessageService {
public:
    struct Message {
        QString kind, title, text;  // kind: "information", "warning", "critical", "question", "unsaved"
    };
    std::vector<Message> messages;
    std::deque<bool> answers;
    std::deque<SaveChoice> choices;

    SaveChoice askSaveDiscardCancel(const QString& title, const QString& text) override
    {
        messages.push_back({"unsaved", title, text});
        if (choices.empty())
            return SaveChoice::Cancel;
        const SaveChoice choice = choices.front();
        choices.pop_front();
        return choice;
    }

    void show(Icon icon, const QString& title, const QString& text) override
    {
        messages.push_back({icon == Icon::Critical ? "critical" : icon == Icon::Warning ? "warning" : "information",
                            title, text});
    }
    bool askYesNo(const QString& title, const QString& text) override
    {
        messages.push_back({"question", title, text});
        const bool yes = answers.empty() || answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    int count(const QString& kind) const
    {
        return int(std::count_if(messages.begin(), messages.end(), [&](const Message& m) { return m.kind == kind; }));
    }
    // "title: text" of each message since the last call, "|"-separated, and
    // forgets them.
    std::string take()
    {
        QStringList texts;
        for (const Message& m : messages)
            texts << m.title + ": " + m.text;
        messages.clear();
        return texts.join(" | ").toStdString();
    }
};

// Answers the client case file dialogs with the queued paths; cancels when
// none is queued.
class AnsweringCaseFiles : public CaseFileService {
public:
    std::deque<QString> answers;
    QString suggested;  // the last save dialog's suggestion
    int asked = 0;

    QString askOpenCaseFile(const QString&, const QString&, const QString&) override { return next(); }
    QString askSaveCaseFile(const QString&, const QString& suggestedPath, const QString&) override
    {
        suggested = suggestedPath;
        return next();
    }

private:
    QString next()
    {
        ++asked;
        if (answers.empty())
            return {};
        const QString path = answers.front();
        answers.pop_front();
        return path;
    }
};

// The settings library's messages, kept as "title: text".
class ReportLog : public SettingsReporter {
public:
    std::vector<std::string> texts;
    void report(const std::string& title, const std::string& text, Icon) override { texts.push_back(title + ": " + text); }
};

// The child of `parent` with that object name; throws naming it when there
// is none, so a renamed control fails the test instead of crashing it.
template <class T>
T* child(QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no " + std::string(T::staticMetaObject.className()) + " named " + name.toStdString());
    return found;
}

// What a user does: select the field's text and type over it; leave the
// field with Tab; click a spinner's arrow.
inline void typeInto(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}
inline void leave(QLineEdit* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}
inline void enter(QLineEdit* box, const QString& text)
{
    typeInto(box, text);
    leave(box);
}
inline void clickArrow(QWidget& spinner, bool up)
{
    QTest::mouseClick(child<QToolButton>(spinner, up ? "up" : "down"), Qt::LeftButton);
}

// Runs `action` from inside the event loop of a modal dialog once it shows
// (exec() does not return until the action closes it).
inline void whenShown(QWidget* dialog, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, action = std::move(action)] {
        if (QTest::qWaitFor([dialog] { return dialog->isVisible(); }))
            action();
        else
            ADD_FAILURE() << "the dialog " << dialog->objectName().toStdString() << " never showed";
    });
}

// ---- the texts a window shows ----

// One text a window shows: where, what it says, and whether the control is
// on show and carries a caption (so must not be empty).
struct ShownText {
    QString where, text;
    bool captionExpected = false;
    bool field = false;  // a text box: what the user typed or a number
};

// A menu text as it reads: without its mnemonic marker ("&&" is an "&").
inline QString withoutMnemonic(QString text)
{
    static const QRegularExpression marker(QStringLiteral("&(.)"));
    return text.replace(marker, QStringLiteral("\\1"));
}

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
        out.push_back({here, withoutMnemonic(action->text()), action->isVisible()});
        if (QMenu* menu = action->menu())
            addMenuTexts(menu->actions(), here, out);
    }
}

// Everything `window` shows: its title, the texts of its widgets (hidden
// ones too, marked as not expected), its menus, tables (heads laid out even
// while hidden, so always expected) and charts.
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
                out.push_back({where + " row " + QString::number(i), list->item(i)->text(), shown && !list->isRowHidden(i)});
        } else if (auto* grid = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                const QTableWidgetItem* head = grid->horizontalHeaderItem(c);
                const QString at = where + " column " + QString::number(c);
                out.push_back({at, head ? head->text() : QString(), true});
                if (head && head->data(GroupedHeader::kGroupIdRole).toInt() >= 0)
                    out.push_back({at + " group", head->data(GroupedHeader::kGroupRole).toString(), true});
                for (int r = 0; r < grid->rowCount(); ++r)
                    out.push_back({at + " row " + QString::number(r), grid->item(r, c) ? grid->item(r, c)->text() : ""});
            }
        } else if (auto* view = qobject_cast<QChartView*>(w)) {
            const QChart& chart = *view->chart();
            out.push_back({where + " title", chart.title(), false});
            for (QAbstractAxis* axis : chart.axes()) {
                out.push_back({where + " axis", axis->titleText(), shown});
                if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis))
                    out.push_back({where + " categories", categories->categories().join(' ')});
            }
            for (QLegendMarker* marker : chart.legend()->markers())
                out.push_back({where + " legend", marker->label(), shown});
        } else if (auto* edit = qobject_cast<QTextEdit*>(w)) {
            out.push_back({where, edit->toPlainText(), false});
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            out.push_back({where, line->text(), false, true});
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

// ---- a main window on fakes ----

// Counts the analyses the window asks for; fails them on demand.
struct FakeRunner {
    int runs = 0;
    std::vector<int> types;
    std::vector<AnalysisInputs> inputs;
    std::string failWith;

    AnalysisRunner function()
    {
        return [this](Strategy strategy, const AnalysisInputs& in) {
            ++runs;
            types.push_back(static_cast<int>(strategy));
            inputs.push_back(in);
            AnalysisOutcome outcome;
            if (failWith.empty())
                outcome.results = AnalysisResults{};
            else
                outcome.error = failWith;
            return outcome;
        };
    }
};

// A started main window with its detail dialogs, on fakes, with sponsor
// limits that make the warnings reachable: returns warned at 15, loan rates
// at 4.
class WindowTest : public ::testing::Test {
protected:
    MapCaptions captions;
    RecordingMessages messages;
    FakeRunner runner;
    std::unique_ptr<MainWindow> window;
    MainWindowSetup setup;
    DetailDialogs* dialogs = nullptr;

    WindowTest()
    {
        setup.values = SampleSettingValues();
        setup.values[Setting::MaxReturnAllowed] = 25;
        setup.values[Setting::ReturnWarningLevel] = 15;
        setup.values[Setting::MinInterestRateAllowed] = 2;
        setup.values[Setting::InterestRateWarningLevel] = 4;
        setup.sponsor.SponsorName = "Acme";
        setup.isSponsored = true;
        captions.set("FieldPeriodTooLongForRepeats", "At most <6> years");
        captions.set("stsbarRecommendedSponsorLimit", "Beyond the limit of <1>");
    }

    void open()
    {
        MainWindowServices services;
        services.captions = &captions;
        services.messages = &messages;
        services.runAnalysis = runner.function();
        window = std::make_unique<MainWindow>(services);
        dialogs = attachDetailDialogs(*window, nullptr);  // before start-up, as the program does
        window->start(setup);
        messages.messages.clear();
    }

    QLineEdit* field(const QString& name) { return child<QLineEdit>(*window, name); }
    void enter(const QString& name, const QString& text) { gw::test::enter(field(name), text); }
    QString text(const QString& name) { return field(name)->text(); }
    // The texts of the fields, space-separated.
    std::string texts(const QStringList& names)
    {
        QStringList shown;
        for (const QString& name : names)
            shown << text(name);
        return shown.join(' ').toStdString();
    }
};

// A started main window on the sample settings and the shipped captions
// that runs the real analysis.
class SampleWindowTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    std::unique_ptr<TableCaptionSource> captions;
    std::unique_ptr<MainWindow> window;
    MainWindowSetup setup;

    SampleWindowTest()
    {
        setup.values = SampleSettingValues();
        SetTaxTable(setup.values, {{{0, 20, 10}, {50000, 30, 20}, {100000, 40, 28}, {200000, 50, 35}}});
    }

    void open(Language language, SaveFileService* files = nullptr)
    {
        captions = std::make_unique<TableCaptionSource>(SourceCaptions(), language);
        MainWindowServices services;
        services.captions = captions.get();
        services.messages = &messages;
        services.files = files;
        window = std::make_unique<MainWindow>(services);
        window->start(setup);
    }

    void select(int type) { window->lstStrategyList->setCurrentRow(type); }
};

// ---- the program on a data folder ----

// A data folder with the caption files and the shipped Config.dat with
// `edits`; the program is made on demand.
class ProgramOnData {
public:
    explicit ProgramOnData(const ConfigEdits& edits = {})
    {
        for (const char* name : {"english.txt", "french.txt"})
            std::filesystem::copy_file(std::filesystem::path(GEARWISE_DATA_DIR) / name, folder() / name);
        std::filesystem::create_directory_symlink(std::filesystem::path(GEARWISE_DATA_DIR) / "help", folder() / "help");
        WriteShippedConfig(folder(), edits);
    }

    std::filesystem::path folder() const { return dir_.path().toStdString(); }
    void writeFile(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder() / name, std::ios::binary | std::ios::trunc) << bytes;
    }

    // A new run of the program on the folder, as after a restart.
    Program& restart()
    {
        const ProgramInfo info{"Gearwise Planner", 1, 2, 3, "Copyright \u00a9 2025 Corvin's. All rights reserved.", {}};
        program.reset();
        const ProgramFolders folders{folder(), userFolder.empty() ? folder() : userFolder};
        program = std::make_unique<Program>(folders, info, Program::Services{&messages, &reporter, &caseFiles});
        if (!caseOnStart.empty())
            program->openCaseOnStart(caseOnStart);
        return *program;
    }

    // The start window, then its start button of `language`.
    MainWindow& start(int language)
    {
        if (!restart().start())
            throw std::runtime_error("the start-up failed");
        (language == English ? program->startWindow()->cmdStart_English : program->startWindow()->cmdStart_French)
            ->click();
        if (!program->mainWindow())
            throw std::runtime_error("no main window");
        return *program->mainWindow();
    }

    // The next runs keep User.dat and the recent cases here (empty: the data
    // folder) and open this case with the main window (empty: none).
    std::filesystem::path userFolder;
    std::filesystem::path caseOnStart;
    ReportLog reporter;
    RecordingMessages messages;
    AnsweringCaseFiles caseFiles;
    std::unique_ptr<Program> program;

private:
    QTemporaryDir dir_;
};

} // namespace gw::test
