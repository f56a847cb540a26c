#include "clientcases.h"

#include "captions.h"
#include "captionsource.h"
#include "casemenu.h"
#include "mainwindow.h"
#include "messages.h"
#include "printoptions.h"
#include "program.h"
#include "programsetup.h"
#include "textfile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <sstream>

namespace gw {

namespace {

QString pathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

std::filesystem::path textPath(const QString& text)
{
    return std::filesystem::path(text.toStdString());
}

// A menu caption as a dialog title: no mnemonic, no dots.
QString dialogTitle(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    while (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace

ClientCases::ClientCases(Program& program, CaseFileService& files)
    : program_(program), files_(files)
{
    MainWindow& window = *program.mainWindow();
    menu_ = new CaseMenu(program.captions(), *window.mnuFile);
    connect(menu_, &CaseMenu::newCaseRequested, this, [this] { newCase(); });
    connect(menu_, &CaseMenu::openCaseRequested, this, [this] { openCase(); });
    connect(menu_, &CaseMenu::recentCaseRequested, this, [this](const QString& path) { openRecent(textPath(path)); });
    connect(menu_, &CaseMenu::saveCaseRequested, this, [this] { save(); });
    connect(menu_, &CaseMenu::saveCaseAsRequested, this, [this] { saveAs(); });
    connect(menu_, &CaseMenu::caseNoteRequested, this, [this] { editNote(); });

    // Where what a case holds can change.
    connect(&window, &MainWindow::analysisCompleted, this, [this] { refresh(); });
    connect(program.setupDialog(), &ProgramSetup::settingsApplied, this, [this] { refresh(); });
    connect(program.printDialog()->txtName, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(window.mnuFile, &QMenu::aboutToShow, this, [this] { refresh(); });
    // With the analysis off, leaving a field is the only sign.
    connect(qApp, &QApplication::focusChanged, this, [this] { refresh(); });
    window.installEventFilter(this);

    start_ = saved_ = current();
    std::string bytes;
    if (ReadFileBytes(program.settings().UserFolder() / kRecentCasesFileName, bytes)) {
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty() && recent_.size() < std::size_t(CaseMenu::kMostRecent))
                recent_.emplace_back(line);
        }
    }
    formatCaptions();
}

ClientCases::~ClientCases() = default;

ClientCase ClientCases::current() const
{
    return program_.currentCase(note_);
}

void ClientCases::apply(const ClientCase& clientCase)
{
    note_ = clientCase.note;
    program_.applyCase(clientCase);
}

void ClientCases::newCase()
{
    if (!maybeSave())
        return;
    apply(start_);
    path_.clear();
    saved_ = current();
    showTitle();
}

void ClientCases::openCase()
{
    if (!maybeSave())
        return;
    QString folder = path_.empty() ? QString() : pathText(path_.parent_path());
    if (folder.isEmpty() && !recent_.empty())
        folder = pathText(recent_.front().parent_path());
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString chosen = files_.askOpenCaseFile(dialogTitle(caption("mnuOpenCase")), folder, caption("CaseFileFilter"));
    if (!chosen.isEmpty())
        open(textPath(chosen));
}

void ClientCases::openRecent(const std::filesystem::path& path)
{
    if (!maybeSave())
        return;
    if (!FileExists(path)) {
        program_.messages().warning(caption("SoftwareName"), caption("errorRecentCaseMissing", {path.string()}));
        forget(path);
        return;
    }
    open(path);
}

bool ClientCases::open(const std::filesystem::path& path)
{
    const CaseReadResult read = LoadCaseFile(path, program_.settings().values);
    if (!read.clientCase) {
        const ProgramSettings& settings = program_.settings();
        program_.messages().critical(
            caption("SoftwareName"),
            QString::fromStdString(CaseErrorMessage(read.error, path, settings.captions, settings.CurrentLanguage)));
        return false;
    }
    apply(*read.clientCase);
    path_ = path;
    saved_ = current();
    remember(path);
    showTitle();
    return true;
}

bool ClientCases::save()
{
    return path_.empty() ? saveAs() : saveTo(path_);
}

bool ClientCases::saveAs()
{
    QString suggested;
    if (!path_.empty()) {
        suggested = pathText(path_);
    } else {
        const QString folder = !recent_.empty() ? pathText(recent_.front().parent_path())
                                                : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString client = FileNamePart(program_.printDialog()->txtName->text());
        suggested = folder + u'/' + (client.isEmpty() ? caption("CaseUntitled") : client) +
                    QString::fromUtf8(kCaseExtension.data(), qsizetype(kCaseExtension.size()));
    }
    const QString chosen = files_.askSaveCaseFile(dialogTitle(caption("mnuSaveCaseAs")), suggested,
                                                  caption("CaseFileFilter"));
    if (chosen.isEmpty())
        return false;
    std::filesystem::path path = textPath(chosen);
    // The dialog does not add the extension the filter asks for.
    if (path.extension() != kCaseExtension)
        path += std::string(kCaseExtension);
    return saveTo(path);
}

bool ClientCases::saveTo(const std::filesystem::path& path)
{
    const ClientCase clientCase = current();
    std::string error;
    if (!SaveCaseFile(path, clientCase, error)) {
        program_.messages().critical(caption("SoftwareName"), caption("errorCaseNotSaved", {path.string(), error}));
        return false;
    }
    path_ = path;
    saved_ = clientCase;
    remember(path);
    showTitle();
    return true;
}

void ClientCases::editNote()
{
    if (const std::optional<QString> note =
            EditCaseNote(program_.captions(), QString::fromStdString(note_), program_.mainWindow()))
        setNote(note->toStdString());
}

void ClientCases::setNote(std::string note)
{
    note_ = std::move(note);
    refresh();
}

bool ClientCases::maybeSave()
{
    refresh();
    if (!modified())
        return true;
    switch (program_.messages().askSaveDiscardCancel(caption("SoftwareName"),
                                                     caption("CaseUnsavedPrompt", {caseName().toStdString()}))) {
    case MessageService::SaveChoice::Save:
        return save();
    case MessageService::SaveChoice::Discard:
        return true;
    case MessageService::SaveChoice::Cancel:
        break;
    }
    return false;
}

bool ClientCases::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == program_.mainWindow() && !maybeSave()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ClientCases::refresh()
{
    program_.mainWindow()->setWindowModified(modified());
}

void ClientCases::remember(const std::filesystem::path& path)
{
    const std::filesystem::path full = std::filesystem::absolute(path).lexically_normal();
    std::erase(recent_, full);
    recent_.insert(recent_.begin(), full);
    if (recent_.size() > std::size_t(CaseMenu::kMostRecent))
        recent_.resize(CaseMenu::kMostRecent);
    writeRecent();
}

void ClientCases::forget(const std::filesystem::path& path)
{
    std::erase(recent_, path);
    writeRecent();
}

void ClientCases::writeRecent()
{
    std::string lines;
    std::vector<QString> shown;
    for (const std::filesystem::path& path : recent_) {
        lines += path.string() + "\n";
        shown.push_back(pathText(path));
    }
    menu_->setRecent(shown);
    // The list is a convenience: a folder that cannot take it costs no message.
    std::string error;
    const std::filesystem::path& folder = program_.settings().UserFolder();
    if (MakeFolder(folder, error))
        WriteFileAtomically(folder / kRecentCasesFileName, lines, error);
}

QString ClientCases::caseName() const
{
    return path_.empty() ? caption("CaseUntitled") : QString::fromStdString(path_.filename().string());
}

QString ClientCases::windowTitle() const
{
    return caseName() + QStringLiteral("[*] - ") + QString::fromStdString(BuildWindowTitle(program_.settings()));
}

void ClientCases::showTitle()
{
    program_.mainWindow()->setWindowTitle(windowTitle());
    refresh();
}

void ClientCases::formatCaptions()
{
    menu_->formatCaptions();
    std::vector<QString> shown;
    for (const std::filesystem::path& path : recent_)
        shown.push_back(pathText(path));
    menu_->setRecent(shown);
    showTitle();
}

QString ClientCases::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(program_.captions(), key, values);
}

} // namespace gw
