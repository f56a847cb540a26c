#pragma once

#include <cstddef>
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

enum class FileProblem {
    None,
    Missing,     // no regular file there
    Unreadable,  // there, but it cannot be opened or read
    TooLarge,    // larger than the caller allows: refused before reading
};

// Reads a whole file of at most `maxBytes` bytes. On a problem `bytes` is
// empty and `reason` says why in words a user can act on (the system's
// reason, or the size).
FileProblem ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes,
                          std::string& reason);

// Reads a text file as lines of bytes, split at LF with a CR before it
// dropped; a final line end gives no extra empty line.
bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines);
// The same split of bytes already read.
std::vector<std::string> SplitLines(std::string_view bytes);

// Writes `bytes` to a temporary file beside `path` ("<name>.tmp"), flushes
// it to the disk and renames it over `path`, so a failure (unwritable folder,
// full disk, a power cut) leaves the old file untouched. The new file keeps
// the old one's permissions; a temporary file left by an interrupted save is
// replaced. On failure returns false with the system's reason in `error`.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error);

} // namespace gw
