#include "programfolders.h"

#include "settingsfile.h"
#include "textfile.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace gw {

namespace {

bool HoldsSponsorFile(const std::filesystem::path& folder)
{
    return FileExists(folder / kSponsorFileName);
}

bool Writable(const std::filesystem::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

std::filesystem::path UserConfigFolder(const char* xdgConfigHome, const char* home)
{
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (xdgConfigHome && *xdgConfigHome && std::filesystem::path(xdgConfigHome).is_absolute())
        return std::filesystem::path(xdgConfigHome) / kUserConfigFolderName;
    if (home && *home)
        return std::filesystem::path(home) / ".config" / kUserConfigFolderName;
    return {};
}

std::filesystem::path UserConfigFolder()
{
    return UserConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::filesystem::path FindDataFolder(const std::filesystem::path& executableFolder)
{
    if (HoldsSponsorFile(executableFolder))
        return executableFolder;
    const std::filesystem::path installed = (executableFolder / kInstalledDataFolder).lexically_normal();
    if (HoldsSponsorFile(installed))
        return installed;
    return executableFolder;
}

ProgramFolders FindProgramFolders(const std::filesystem::path& executableFolder,
                                  const std::filesystem::path& configFolder)
{
    ProgramFolders folders;
    folders.data = FindDataFolder(executableFolder);
    // An installed program keeps user files per user even when run by an
    // account that could write to the shared folder.
    const bool ownCopy = folders.data == executableFolder && Writable(folders.data);
    folders.user = ownCopy || configFolder.empty() ? folders.data : configFolder;
    return folders;
}

ProgramFolders FindProgramFolders(const std::filesystem::path& executableFolder)
{
    return FindProgramFolders(executableFolder, UserConfigFolder());
}

std::filesystem::path UserFileToRead(const ProgramFolders& folders)
{
    const std::filesystem::path own = folders.user / kUserFileName;
    if (folders.user == folders.data || FileExists(own))
        return own;
    return folders.data / kUserFileName;
}

bool MakeFolder(const std::filesystem::path& folder, std::string& error)
{
    std::error_code code;
    if (std::filesystem::is_directory(folder, code))
        return true;
    std::filesystem::create_directories(folder, code);
    if (!code)
        return true;
    error = "The folder " + folder.string() + " could not be created (" + code.message() + ").";
    return false;
}

} // namespace gw
