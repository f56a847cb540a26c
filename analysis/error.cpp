#include "error.h"

#include <charconv>

namespace gw {

std::string ErrorNumber(double value)
{
    char text[sizeof "-1.234567890e-308"];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10);
    return std::string(text, result.ptr);
}

} // namespace gw
