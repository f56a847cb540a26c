#include "commands.h"

#include "analyze_driver.h"

#include <iostream>

namespace gw::cli {

int runAnalyze(const std::vector<std::string>& args)
{
    return RunAnalyzeWithDataFiles(args, ProgramFoldersFor(std::nullopt), std::cout, std::cerr);
}

} // namespace gw::cli
