#include "textfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gw {

bool FileExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes)
{
    bytes.clear();
    if (!FileExists(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    char buffer[BUFSIZ];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

FileProblem ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes,
                          std::string& reason)
{
    bytes.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        reason = "it is missing";
        return FileProblem::Missing;
    }
    if (!std::filesystem::is_regular_file(status)) {
        reason = "it is not a file";
        return FileProblem::Unreadable;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > maxBytes) {
        reason = "it is " + std::to_string(size) + " bytes long, more than the " + std::to_string(maxBytes)
            + " such a file can hold";
        return FileProblem::TooLarge;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "it cannot be opened (" + std::string(std::strerror(errno)) + ")";
        return FileProblem::Unreadable;
    }
    char buffer[BUFSIZ];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        // It may have grown since its size was taken.
        if (bytes.size() > maxBytes) {
            bytes.clear();
            reason = "it is more than the " + std::to_string(maxBytes) + " bytes such a file can hold";
            return FileProblem::TooLarge;
        }
    }
    if (in.bad()) {
        bytes.clear();
        reason = "it cannot be read (" + std::string(std::strerror(errno)) + ")";
        return FileProblem::Unreadable;
    }
    return FileProblem::None;
}

bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines)
{
    lines.clear();
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    lines = SplitLines(bytes);
    return true;
}

std::vector<std::string> SplitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.emplace_back(line);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return lines;
}

namespace {

std::string systemReason()
{
    return std::strerror(errno);
}

// Writes everything, retrying short writes and interruptions.
bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error)
{
    std::filesystem::path temp = path;
    temp += ".tmp";
    // Left by an interrupted save: it holds nothing worth keeping.
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);

    // The new file keeps the old one's permissions (a read-only User.dat
    // stays read-only).
    mode_t mode = 0644;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        mode = old.st_mode & 07777;

    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "cannot create " + temp.string() + ": " + systemReason();
        return false;
    }
    const auto fail = [&](const std::string& what) {
        error = what + " " + temp.string() + ": " + systemReason();
        ::close(fd);
        std::filesystem::remove(temp, ignored);
        return false;
    };
    if (!writeAll(fd, bytes))
        return fail("cannot write");
    // On the disk before it replaces the old file, or a power cut could
    // leave an empty file where the old one was.
    if (::fsync(fd) != 0)
        return fail("cannot flush");
    if (::fchmod(fd, mode) != 0)
        return fail("cannot set the permissions of");
    if (::close(fd) != 0) {
        error = "cannot write " + temp.string() + ": " + systemReason();
        std::filesystem::remove(temp, ignored);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ignored);
        error = "cannot replace " + path.string() + ": " + ec.message();
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace gw
