#pragma once

#include <stdexcept>
#include <string>

namespace gw {

// Thrown when an analysis cannot produce finite figures (a unit price of 0,
// a division by zero, an overflow). The message names the offending values;
// the caller reports it and keeps its previous results.
class AnalysisError : public std::runtime_error {
public:
    explicit AnalysisError(const std::string& what) : std::runtime_error(what) {}
};

// A figure as these messages show it: ten significant digits, "1e+30" style
// past them, a point whatever the locale.
std::string ErrorNumber(double value);

} // namespace gw
