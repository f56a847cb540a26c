#include "messages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

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

QString QtSaveFileService::askSaveFileName(const QString& title, const QString& suggestedPath, const QString& filters)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*(\\.[^ );]+)"));
    const QStringList types = filters.split(QStringLiteral(";;"));
    QString chosen = types.value(0);
    const QString suffix = QFileInfo(suggestedPath).suffix();
    for (const QString& type : types) {
        if (!suffix.isEmpty() && type.contains(QStringLiteral("*.") + suffix, Qt::CaseInsensitive))
            chosen = type;
    }
    // Qt's own dialog, so that it speaks the program's language rather than
    // the desktop's.
    QString path = QFileDialog::getSaveFileName(parent_, title, suggestedPath, filters, &chosen,
                                                QFileDialog::DontUseNativeDialog);
    const QRegularExpressionMatch extension = firstPattern.match(chosen);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && extension.hasMatch())
        path += extension.captured(1);
    return path;
}

QString FileNamePart(QString text)
{
    for (QChar& c : text) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = u'-';
    }
    return text.trimmed();
}

} // namespace gw
