#include "commands.h"

#include <iostream>

namespace gw::cli {

int runAnalyze(const std::vector<std::string>&)
{
    std::cerr << "gearwise-cli: 'analyze' is not available in this build\n";
    return 2;
}

} // namespace gw::cli
