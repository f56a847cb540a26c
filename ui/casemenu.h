#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace gw {

class CaptionSource;

// Asks which client case file to open or where to save one; tests answer
// without a dialog.
class CaseFileService {
public:
    virtual ~CaseFileService() = default;
    // The path chosen, or the empty text when the user cancelled.
    virtual QString askOpenCaseFile(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString askSaveCaseFile(const QString& title, const QString& suggestedPath, const QString& filter) = 0;
};

// Qt's own file dialogs over `parent`, so that they speak the program's
// language rather than the desktop's.
class QtCaseFileService : public CaseFileService {
public:
    explicit QtCaseFileService(QWidget* parent = nullptr) : parent_(parent) {}
    QString askOpenCaseFile(const QString& title, const QString& folder, const QString& filter) override;
    QString askSaveCaseFile(const QString& title, const QString& suggestedPath, const QString& filter) override;

private:
    QWidget* parent_;
};

// The client-case entries at the top of a File menu: New Case, Open Case,
// the recent cases, Save Case, Save Case As and Case Note, with their keys.
// It only shows and reports; the program decides what they do.
class CaseMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int kMostRecent = 6;

    CaseMenu(const CaptionSource& captions, QMenu& fileMenu);

    void formatCaptions();
    // The recent cases, most recent first; entries beyond kMostRecent are
    // not shown. An empty list disables the submenu.
    void setRecent(const std::vector<QString>& paths);

    QAction* mnuNewCase = nullptr;
    QAction* mnuOpenCase = nullptr;
    QMenu* mnuRecentCases = nullptr;  // entries mnuRecentCase0, mnuRecentCase1, ...
    QAction* mnuSaveCase = nullptr;
    QAction* mnuSaveCaseAs = nullptr;
    QAction* mnuCaseNote = nullptr;

signals:
    void newCaseRequested();
    void openCaseRequested();
    void recentCaseRequested(const QString& path);
    void saveCaseRequested();
    void saveCaseAsRequested();
    void caseNoteRequested();

private:
    const CaptionSource& captions_;
};

// The note dialog: the note in a plain text box; the edited note on OK,
// nothing on Cancel.
std::optional<QString> EditCaseNote(const CaptionSource& captions, const QString& note, QWidget* parent);

} // namespace gw
