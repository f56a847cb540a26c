#include "commands.h"

#include "analyze_driver.h"

#include <iostream>

namespace gw::cli {

int runAnalyze(const std::vector<std::string>& args)
{
    return RunAnalyzeWithDataFiles(args, ProgramFolder(), std::cout, std::cerr);
}

} // namespace gw::cli
