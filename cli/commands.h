#pragma once

#include <string>
#include <vector>

namespace gw::cli {

// Each sub-command takes the words after its name and returns the exit
// status: 0 success, 2 bad input, 3 an analysis that failed.
int runAnalyze(const std::vector<std::string>& args);
int runRisk(const std::vector<std::string>& args);
int runVeil(const std::vector<std::string>& args);
int runConfig(const std::vector<std::string>& args);
int runReport(const std::vector<std::string>& args);

} // namespace gw::cli
