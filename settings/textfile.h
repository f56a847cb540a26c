#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// Whether a file exists at `path` (relative paths from the current folder).
// Never throws.
bool FileExists(const std::filesystem::path& path);

// Reads a whole file as bytes; false when it cannot be opened or read.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

// Reads a text file as lines of bytes, split at LF with a CR before it
// dropped; a final line end gives no extra empty line.
bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines);

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path` once everything was written, so a failure (unwritable folder, full
// disk) leaves the old file untouched. On failure returns false with a
// description in `error`.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error);

} // namespace gw
