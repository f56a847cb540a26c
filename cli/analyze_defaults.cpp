#include "analyze_defaults.h"

#include "fieldvalues.h"
#include "settingsfile.h"

namespace gw::cli {

std::optional<AnalyzeData> LoadAnalyzeData(const std::filesystem::path& folder, SettingsReporter& reporter)
{
    return LoadAnalyzeData(ProgramFolders{folder, folder}, reporter);
}

std::optional<AnalyzeData> LoadAnalyzeData(const ProgramFolders& folders, SettingsReporter& reporter)
{
    AnalyzeData data;
    ProgramSettings& settings = data.settings;
    settings.folder = folders.data;
    settings.userFolder = folders.user;
    if (!LoadStartUpSettings(settings, reporter))
        return std::nullopt;
    ReadMainWindowSettings(settings, reporter);
    data.defaults.values = settings.values;
    data.defaults.language = settings.CurrentLanguage;
    data.defaults.strategy = FirstStrategyOffered(settings.values);
    return data;
}

std::filesystem::path ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && executable.has_parent_path())
        return executable.parent_path();
    return std::filesystem::current_path(error);
}

ProgramFolders ProgramFoldersFor(const std::optional<std::filesystem::path>& dataDir)
{
    if (dataDir)
        return {*dataDir, *dataDir};
    return FindProgramFolders(ExecutableFolder());
}

} // namespace gw::cli
