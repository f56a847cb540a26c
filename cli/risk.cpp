#include "commands.h"

#include "risk_driver.h"

#include <iostream>

namespace gw::cli {

int runRisk(const std::vector<std::string>& args)
{
    return RunRiskWithDataFiles(args, ProgramFoldersFor(std::nullopt), std::cout, std::cerr);
}

} // namespace gw::cli
