// The desktop program: the start window first, then the main window in the
// language the user starts in, holding the case file named on the command
// line if any. Ends with status 1 when the data files do not allow a start
// (the reason was shown). GEARWISE_NONINTERACTIVE=1 writes the messages to
// standard error instead of showing boxes.
#include "program.h"
#include "programfolders.h"
#include "programmessages.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstring>

namespace {

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(gw::build::kVersionMajor).arg(gw::build::kVersionMinor).arg(
        gw::build::kVersionRevision);
}

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Shows a client what borrowing to invest does to their wealth after tax: an interest-only "
        "investment loan, an amortising term loan and RRSP catch-up loans, in English or French.\n"
        "\n"
        "The data files (Config.dat, english.txt, french.txt, help) are read from the program's folder "
        "(a portable copy), or from ../share/gearwise relative to it (an installed program). Save Defaults "
        "writes User.dat, and the recent cases are listed, beside a portable copy the user may write to, "
        "otherwise in $XDG_CONFIG_HOME/gearwise (~/.config/gearwise), which is then read first."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("case"),
                                 QStringLiteral("A client case file (.gwcase) to open once the main window shows."),
                                 QStringLiteral("[case]"));
}

// --help and --version need no display, so they are answered before any
// window system is touched (the man page is made from them at build time).
bool asksForTextOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--help", "-h", "-?", "--help-all", "--version", "-v"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    }
    return false;
}

int answerInText(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gearwise-planner"));
    QCoreApplication::setApplicationVersion(versionText());
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);  // prints and exits
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (asksForTextOnly(argc, argv))
        return answerInText(argc, argv);

    QApplication app(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        fputs("gearwise-planner: one case file at most\n", stderr);
        return 2;
    }
    // Taken against the folder the program was started from, before that changes.
    const QString casePath = positional.isEmpty() ? QString() : QFileInfo(positional.front()).absoluteFilePath();

    const gw::ProgramFolders folders =
        gw::FindProgramFolders(QCoreApplication::applicationDirPath().toStdString());
    // Relative names in the data files (the sponsor's help file) are taken
    // from the data folder.
    QDir::setCurrent(QString::fromStdString(folders.data.string()));

    const gw::ProgramInfo info = gw::BuildProgramInfo(folders.data);
    QApplication::setApplicationName(info.productName);
    QApplication::setApplicationVersion(info.version());
    QApplication::setWindowIcon(QIcon(info.logoPath));
    // Ties the windows to the menu entry and its icon (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("ca.gearwise.Planner"));

    gw::ProgramMessages messages(gw::ProgramMessages::interactiveFromEnvironment());
    gw::Program program(folders, info, {&messages, &messages});
    if (!casePath.isEmpty())
        program.openCaseOnStart(casePath.toStdString());
    if (!program.start())
        return 1;
    return app.exec();
}
