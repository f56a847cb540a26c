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

} // namespace gw
