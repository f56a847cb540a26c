#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated records (RFC 4180) for the files the program and the
// command-line tool write. Texts are UTF-8 and are written as they are.
namespace gw {

// A field holding a comma, a double quote, a CR or an LF is put in double
// quotes, its double quotes doubled; any other field is written as it is.
std::string CsvField(std::string_view text);

// The fields of one record, comma-separated, without a line end (RFC 4180
// ends lines with CR LF; the caller chooses).
std::string CsvRecord(const std::vector<std::string>& fields);

} // namespace gw
