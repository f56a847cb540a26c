#pragma once

#include <QString>

class QWidget;

namespace gw {

// Every message box of the windows goes through this, so that tests can
// record the messages and answer the questions without a modal loop.
class MessageService {
public:
    enum class Icon { Information, Warning, Critical };
    virtual ~MessageService() = default;
    // An OK box with the given icon.
    virtual void show(Icon icon, const QString& title, const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // Unsaved changes: Save, Discard or Cancel, with Qt's standard buttons
    // (their texts follow Qt's translation). A service that cannot ask
    // cancels, which loses nothing.
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askSaveDiscardCancel(const QString& /*title*/, const QString& /*text*/)
    {
        return SaveChoice::Cancel;
    }

    void information(const QString& title, const QString& text) { show(Icon::Information, title, text); }
    void warning(const QString& title, const QString& text) { show(Icon::Warning, title, text); }
    void critical(const QString& title, const QString& text) { show(Icon::Critical, title, text); }
};

// Modal QMessageBox boxes over `parent` (which may be null).
class QtMessageService : public MessageService {
public:
    explicit QtMessageService(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(Icon icon, const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    SaveChoice askSaveDiscardCancel(const QString& title, const QString& text) override;

private:
    QWidget* parent_;
};

// Asks where to save a file; tests answer it without a dialog.
class SaveFileService {
public:
    virtual ~SaveFileService() = default;
    // The path chosen, or the empty text when the user cancelled. `filters`
    // are the dialog's file types, ";;"-separated ("PNG image (*.png);;SVG
    // image (*.svg)"); the first is chosen unless the suggested path has the
    // extension of another.
    virtual QString askSaveFileName(const QString& title, const QString& suggestedPath, const QString& filters) = 0;
};

// A modal save-file dialog over `parent`. A name typed without an extension
// gets that of the file type chosen.
class QtSaveFileService : public SaveFileService {
public:
    explicit QtSaveFileService(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    QString askSaveFileName(const QString& title, const QString& suggestedPath, const QString& filters) override;

private:
    QWidget* parent_;
};

// `text` fit to be part of a file name: the characters no file system
// takes ("/", "\", ":", "*", "?", quotes, "<", ">", "|", controls) become
// "-"; blanks around it go.
QString FileNamePart(QString text);

} // namespace gw
