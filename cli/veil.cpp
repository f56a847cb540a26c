#include "commands.h"

#include <iostream>

namespace gw::cli {

int runVeil(const std::vector<std::string>&)
{
    std::cerr << "gearwise-cli: 'veil' is not available in this build\n";
    return 2;
}

} // namespace gw::cli
