#include "programmessages.h"

#include <QMessageBox>

#include <cstdio>

namespace gw {

namespace {

void printMessage(const QString& title, const QString& text)
{
    const QByteArray line = (title.isEmpty() ? text : title + QStringLiteral(": ") + text).toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

} // namespace

ProgramMessages::ProgramMessages(bool interactive) : interactive_(interactive) {}

bool ProgramMessages::interactiveFromEnvironment()
{
    return qgetenv("GEARWISE_NONINTERACTIVE") != "1";
}

void ProgramMessages::show(MessageService::Icon icon, const QString& title, const QString& text)
{
    if (interactive_)
        boxes_.show(icon, title, text);
    else
        printMessage(title, text);
}

bool ProgramMessages::askYesNo(const QString& title, const QString& text)
{
    if (interactive_)
        return boxes_.askYesNo(title, text);
    printMessage(title, text);
    return false;
}

MessageService::SaveChoice ProgramMessages::askSaveDiscardCancel(const QString& title, const QString& text)
{
    if (interactive_)
        return boxes_.askSaveDiscardCancel(title, text);
    printMessage(title, text);
    return SaveChoice::Discard;
}

void ProgramMessages::report(const std::string& title, const std::string& text, SettingsReporter::Icon icon)
{
    const QString boxTitle = QString::fromStdString(title);
    const QString boxText = QString::fromStdString(text);
    if (!interactive_) {
        printMessage(boxTitle, boxText);
        return;
    }
    // The loaders' messages keep their own icons, "none" included.
    const QMessageBox::Icon boxIcon = icon == SettingsReporter::Icon::Critical ? QMessageBox::Critical
        : icon == SettingsReporter::Icon::Exclamation                          ? QMessageBox::Warning
        : icon == SettingsReporter::Icon::Information                          ? QMessageBox::Information
                                                                                : QMessageBox::NoIcon;
    QMessageBox box(boxIcon, boxTitle, boxText, QMessageBox::Ok);
    box.exec();
}

} // namespace gw
