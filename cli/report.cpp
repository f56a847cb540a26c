#include "commands.h"

#include <iostream>

namespace gw::cli {

int runReport(const std::vector<std::string>&)
{
    std::cerr << "gearwise-cli: 'report' is not available in this build\n";
    return 2;
}

} // namespace gw::cli
