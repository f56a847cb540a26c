#pragma once

#include "casefile.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <vector>

namespace gw {

class CaseFileService;
class CaseMenu;
class Program;

// The name of the recent-cases list beside User.dat: one path a line, UTF-8,
// most recent first.
inline constexpr char kRecentCasesFileName[] = "RecentCases.txt";

// The client case the windows hold: its file (none for a new case), the
// case as last opened, saved or started, which tells whether it changed,
// its note, the recent cases, and the File menu entries that act on them.
// A change is what the windows hold differing from that case; the title's
// mark follows it after each analysis, setup, Prepared-for and focus change,
// and every question compares afresh. Closing the main window, New Case, Open
// Case and a recent case ask Save / Discard / Cancel while it changed.
class ClientCases : public QObject {
    Q_OBJECT
public:
    // Made once the main window and its dialogs have started: what they
    // hold then is the new case.
    ClientCases(Program& program, CaseFileService& files);
    ~ClientCases() override;

    // The menu entries.
    void newCase();
    void openCase();
    void openRecent(const std::filesystem::path& path);
    bool save();
    bool saveAs();
    void editNote();

    // Reads the case at `path` into the windows; a refused case is shown and
    // changes nothing. No question is asked.
    bool open(const std::filesystem::path& path);
    bool saveTo(const std::filesystem::path& path);

    // What the windows hold, with the note.
    ClientCase current() const;
    bool modified() const { return current() != saved_; }
    const std::filesystem::path& path() const { return path_; }
    const std::string& note() const { return note_; }
    void setNote(std::string note);
    const std::vector<std::filesystem::path>& recent() const { return recent_; }
    // "<case name>[*] - <the program's title>".
    QString windowTitle() const;
    void formatCaptions();
    // The title's modified mark after a change.
    void refresh();
    // Asks Save / Discard / Cancel when the case changed: false to stop
    // (Cancel, or a save that was cancelled or failed).
    bool maybeSave();

    CaseMenu& menu() { return *menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(const ClientCase& clientCase);
    void remember(const std::filesystem::path& path);
    void forget(const std::filesystem::path& path);
    void writeRecent();
    void showTitle();
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;
    QString caseName() const;

    Program& program_;
    CaseFileService& files_;
    CaseMenu* menu_ = nullptr;  // owned by the File menu
    ClientCase start_;          // what New Case brings back
    ClientCase saved_;
    std::filesystem::path path_;
    std::string note_;
    std::vector<std::filesystem::path> recent_;
};

} // namespace gw
