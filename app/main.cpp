// The desktop program: the start window first, then the main window in the
// language the user starts in. Ends with status 1 when the data files do
// not allow a start (the reason was shown). GEARWISE_NONINTERACTIVE=1 writes
// the messages to standard error instead of showing boxes.
#include "program.h"
#include "programmessages.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    // Relative names in the data files (the sponsor's help file) are taken
    // from the program's folder.
    QDir::setCurrent(folder);

    const gw::ProgramInfo info = gw::BuildProgramInfo(folder.toStdString());
    QApplication::setApplicationName(info.productName);
    QApplication::setApplicationVersion(info.version());
    QApplication::setWindowIcon(QIcon(info.logoPath));

    gw::ProgramMessages messages(gw::ProgramMessages::interactiveFromEnvironment());
    gw::Program program(folder.toStdString(), info, {&messages, &messages});
    if (!program.start())
        return 1;
    return app.exec();
}
