#pragma once

#include <filesystem>
#include <string_view>

namespace gw {

// Where the program's data files are read and where the user's own files
// (User.dat, the recent cases) are kept.
//
// The data files are beside the executable in the build folder and in a
// portable or sponsor's copy; an installed program finds them in
// ../share/gearwise relative to its bin folder, whatever the prefix. The
// user's files stay beside a copy the user may write to, and otherwise go
// to the per-user configuration folder, so Save Defaults works when the
// program lives in a system folder.
struct ProgramFolders {
    std::filesystem::path data;
    std::filesystem::path user;

    bool operator==(const ProgramFolders&) const = default;
};

inline constexpr std::string_view kInstalledDataFolder = "../share/gearwise";
inline constexpr std::string_view kUserConfigFolderName = "gearwise";

// The per-user configuration folder by the XDG rule: $XDG_CONFIG_HOME when it
// is an absolute path, else $HOME/.config, then "gearwise". Empty when
// neither is usable. Null arguments are unset variables.
std::filesystem::path UserConfigFolder(const char* xdgConfigHome, const char* home);
// The same, from this process's environment.
std::filesystem::path UserConfigFolder();

// The executable's folder when it holds Config.dat, else the installed data
// folder when that does, else the executable's folder (whose missing
// Config.dat is then reported as usual).
std::filesystem::path FindDataFolder(const std::filesystem::path& executableFolder);

// Both folders for a program in `executableFolder`: the user folder is the
// data folder when that is the executable's own and writable, else
// `configFolder` (the data folder again when `configFolder` is empty).
ProgramFolders FindProgramFolders(const std::filesystem::path& executableFolder,
                                  const std::filesystem::path& configFolder);
// With UserConfigFolder().
ProgramFolders FindProgramFolders(const std::filesystem::path& executableFolder);

// The User.dat to read: the user folder's when there is one, else one
// beside the data (a copy's own, kept when the copy became read-only).
std::filesystem::path UserFileToRead(const ProgramFolders& folders);

// Creates `folder` and its parents when missing. False (with the reason in
// `error`) when that fails.
bool MakeFolder(const std::filesystem::path& folder, std::string& error);

} // namespace gw
