#pragma once

// The whole program on a data folder built from the shipped sources: the
// masked caption files of the build and a Config.dat packed from
// data/config.src.txt, with the help pages of the build.
#include "data_sources.h"
#include "fakes.h"
#include "shown_texts.h"

#include "about.h"
#include "advanceddetails.h"
#include "custommix.h"
#include "detaildialogs.h"
#include "fieldtext.h"
#include "fieldvalues.h"
#include "helpwindow.h"
#include "inputpanel.h"
#include "mainwindow.h"
#include "printoptions.h"
#include "program.h"
#include "programsetup.h"
#include "reporter.h"
#include "splash.h"
#include "updown.h"

#include <filesystem>
#include <fstream>

#ifndef GEARWISE_DATA_DIR
#error "GEARWISE_DATA_DIR must name the build folder"
#endif

namespace gw::test {

inline const std::filesystem::path kDataDir = GEARWISE_DATA_DIR;

// The settings library's messages, kept.
class ReportLog : public SettingsReporter {
public:
    std::vector<std::string> texts;   // "title: text"
    std::vector<std::string> bodies;  // the texts alone
    std::vector<Icon> icons;
    void report(const std::string& title, const std::string& text, Icon icon) override
    {
        texts.push_back(title + ": " + text);
        bodies.push_back(text);
        icons.push_back(icon);
    }
};

// A sponsor whose name starts with "QZX": the print dialog's checklist
// report, the sponsor's help entry and the sponsor-limit hints all show.
inline ConfigEdits qzxSponsor()
{
    return {{"SponsorName", "QZX Wealth Partners"}, {"AppTitle", "Presented by"}, {"helpPath", "QZX.hlp"}};
}

inline ProgramInfo testInfo()
{
    ProgramInfo info;
    info.productName = QStringLiteral("Gearwise Planner");
    info.major = 1;
    info.minor = 2;
    info.revision = 3;
    info.copyright = QStringLiteral("Copyright \u00a9 2025 Corvin's. All rights reserved.");
    return info;
}

// A data folder with the caption files and, unless told otherwise, the
// shipped Config.dat with `edits`; the program is made on demand.
class ProgramOnData {
public:
    explicit ProgramOnData(const ConfigEdits& edits = {}, bool config = true)
    {
        for (const char* name : {"english.txt", "french.txt"})
            std::filesystem::copy_file(kDataDir / name, folder() / name);
        if (config)
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
        program.reset();
        program = std::make_unique<Program>(folder(), testInfo(), Program::Services{&messages, &reporter});
        return *program;
    }

    // The start window, then its start button of `language`.
    MainWindow& start(int language)
    {
        if (!program)
            restart();
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

// Types into a field of any window and leaves it with Tab.
inline void enter(QLineEdit* box, const QString& text)
{
    typeInto(box, text);
    leave(box);
}

} // namespace gw::test
