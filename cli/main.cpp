#include "commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

void printUsage(std::ostream& out)
{
    out << "Usage: gearwise-cli <command> [options]\n"
           "  or:  gearwise-cli --help | --version\n"
           "\n"
           "The command-line companion of Gearwise Planner: the same analyses and client reports without the\n"
           "window, for scripts and for checking figures. It reads the desktop program's data files: beside\n"
           "the executable, else in ../share/gearwise relative to it, with the defaults saved by Save Defaults.\n"
           "\n"
           "Commands:\n"
           "  analyze   run an analysis and print its figures (JSON or CSV)\n"
           "  risk      run the range of outcomes: percentiles over many paths of varying\n"
           "            returns, and the chance that leverage ends behind (JSON or CSV)\n"
           "  report    print a client report to a PDF file\n"
           "  veil      mask or unmask text lines (encode --level N | decode)\n"
           "  config    turn a record file into plain lines and back (unpack FILE | pack PLAIN OUT)\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and end\n"
           "  --version      show the version and end\n"
           "\n"
           "Run 'gearwise-cli <command> --help' for the options of a command.\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printUsage(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        printUsage(std::cout);
        return 0;
    }
    if (command == "--version") {
        std::cout << "gearwise-cli " << GEARWISE_VERSION << '\n';
        return 0;
    }
    if (command == "analyze")
        return gw::cli::runAnalyze(args);
    if (command == "risk")
        return gw::cli::runRisk(args);
    if (command == "report")
        return gw::cli::runReport(args);
    if (command == "veil")
        return gw::cli::runVeil(args);
    if (command == "config")
        return gw::cli::runConfig(args);
    std::cerr << "gearwise-cli: unknown command '" << command << "' (expected analyze, risk, report, veil or config)\n";
    return 2;
}
