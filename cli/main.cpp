#include "commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

void printUsage(std::ostream& out)
{
    out << "Usage: gearwise-cli <command> [options]\n"
           "\n"
           "Commands:\n"
           "  analyze   run an analysis and print its figures (JSON or CSV)\n"
           "  report    print a client report to a PDF file\n"
           "  veil      mask or unmask text lines (encode --level N | decode)\n"
           "  config    turn a record file into plain lines and back (unpack FILE | pack PLAIN OUT)\n"
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
    if (command == "analyze")
        return gw::cli::runAnalyze(args);
    if (command == "report")
        return gw::cli::runReport(args);
    if (command == "veil")
        return gw::cli::runVeil(args);
    if (command == "config")
        return gw::cli::runConfig(args);
    std::cerr << "gearwise-cli: unknown command '" << command << "' (expected analyze, report, veil or config)\n";
    return 2;
}
