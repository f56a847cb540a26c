#pragma once

// The whole program on a data folder built from the shipped sources: the
// masked caption files of the build and a Config.dat packed from
// data/config.src.txt, with the help pages of the build.
#include "data_sources.h"
#include "fakes.h"
#include "shown_texts.h"

#include "charset.h"
#include "mainwindow.h"
#include "program.h"
#include "recordfile.h"
#include "reporter.h"
#include "splash.h"
#include "tablewriters.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifndef GEARWISE_SOURCE_DIR
#error "GEARWISE_SOURCE_DIR must name the source tree"
#endif

namespace gw::test {

namespace program_fixture {
namespace fs = std::filesystem;
inline const fs::path kSourceDir = GEARWISE_SOURCE_DIR;
inline const fs::path kDataDir = GEARWISE_DATA_DIR;
} // namespace program_fixture

// The settings library's messages, kept.
class ReportLog : public SettingsReporter {
public:
    std::vector<std::string> texts;
    void report(const std::string& title, const std::string& text, Icon) override { texts.push_back(title + ": " + text); }
};

// A sponsor whose name starts with "QZX": the print dialog's checklist
// report, the sponsor's help entry and the sponsor-limit hints all show.
inline ConfigEdits qzxSponsor()
{
    return {{"SponsorName", "QZX Wealth Partners"}, {"AppTitle", "Presented by"}, {"helpPath", "QZX.hlp"}};
}

class ProgramOnData {
public:
    explicit ProgramOnData(const ConfigEdits& edits = {})
    {
        using namespace program_fixture;
        for (const char* name : {"english.txt", "french.txt"})
            fs::copy_file(kDataDir / name, folder() / name);
        WriteShippedConfig(folder(), edits);
        program = std::make_unique<Program>(folder(), info(), Program::Services{&messages, &reporter});
    }

    std::filesystem::path folder() const { return dir_.path().toStdString(); }

    // A new run of the program on the same folder, as after a restart.
    void restart()
    {
        program.reset();
        program = std::make_unique<Program>(folder(), info(), Program::Services{&messages, &reporter});
    }

    // The start window, then its start button of `language`.
    MainWindow& start(int language)
    {
        if (!program->start())
            throw std::runtime_error("the start-up failed");
        (language == English ? program->startWindow()->cmdStart_English : program->startWindow()->cmdStart_French)
            ->click();
        if (!program->mainWindow())
            throw std::runtime_error("no main window");
        return *program->mainWindow();
    }

    ReportLog reporter;
    RecordingMessages messages;
    std::unique_ptr<Program> program;

private:
    static ProgramInfo info()
    {
        ProgramInfo info;
        info.productName = QStringLiteral("Gearwise Planner");
        info.major = 1;
        info.minor = 0;
        info.revision = 0;
        info.copyright = QStringLiteral("Copyright 2025 Corvin's");
        return info;
    }

    QTemporaryDir dir_;
};

// Runs `action` from inside the event loop of a modal dialog once it shows
// (exec() does not return until the action closes it). Gives up after five
// seconds, so a dialog that never opens fails the test instead of hanging it.
inline void whenShown(QWidget* dialog, std::function<void()> action)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, dialog, action = std::move(action)] {
        const bool shown = dialog->isVisible();
        if (!shown && clock->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (shown)
            action();
        else
            ADD_FAILURE() << "the dialog " << dialog->objectName().toStdString() << " never showed";
    });
    timer->start(5);
}

// The texts by place, for comparing two windows.
inline std::map<QString, ShownText> textsByPlace(QWidget& window)
{
    std::map<QString, ShownText> texts;
    for (const ShownText& t : shownTexts(window)) {
        QString key = t.where;
        for (int n = 2; texts.count(key); ++n)
            key = t.where + " #" + QString::number(n);
        texts[key] = t;
    }
    return texts;
}

} // namespace gw::test
