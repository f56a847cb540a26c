#include "messages.h"

#include <QMessageBox>

namespace gw {

void QtMessageService::show(Icon icon, const QString& title, const QString& text)
{
    const QMessageBox::Icon boxIcon = icon == Icon::Critical ? QMessageBox::Critical
        : icon == Icon::Warning                              ? QMessageBox::Warning
                                                             : QMessageBox::Information;
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtMessageService::askYesNo(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

MessageService::SaveChoice QtMessageService::askSaveDiscardCancel(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent_);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace gw
