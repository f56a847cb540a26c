#include "commands.h"

#include <iostream>

namespace gw::cli {

int runConfig(const std::vector<std::string>&)
{
    std::cerr << "gearwise-cli: 'config' is not available in this build\n";
    return 2;
}

} // namespace gw::cli
