#include "programfolders.h"
#include "settings_test_support.h"
#include "settingsfile.h"
#include "userfile.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using test::RecordingReporter;
using test::TempFolder;
namespace fs = std::filesystem;

TEST(UserConfigFolder, followsTheXdgRule)
{
    EXPECT_EQ(UserConfigFolder("/tmp/xdg", "/home/ann"), fs::path("/tmp/xdg/gearwise"));
    // A relative or empty XDG_CONFIG_HOME is ignored.
    EXPECT_EQ(UserConfigFolder("relative/xdg", "/home/ann"), fs::path("/home/ann/.config/gearwise"));
    EXPECT_EQ(UserConfigFolder("", "/home/ann"), fs::path("/home/ann/.config/gearwise"));
    EXPECT_EQ(UserConfigFolder(nullptr, nullptr), fs::path());
}

TEST(FindProgramFolders, copyBesideTheExecutableInstalledLayoutOrNeither)
{
    TempFolder root;
    const fs::path config = root / "config/gearwise";

    // A copy with its data beside the executable keeps the user's files there.
    const fs::path copy = root / "copy";
    fs::create_directories(copy);
    test::writeBytes(copy / "Config.dat", "x");
    EXPECT_EQ(FindProgramFolders(copy, config), (ProgramFolders{copy, copy}));

    // Installed: bin/ beside share/gearwise/, whatever the prefix; the user's
    // files go to the configuration folder even for an account that could
    // write to the shared one.
    const fs::path prefix = root / "opt/any prefix";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/gearwise");
    test::writeBytes(prefix / "share/gearwise/Config.dat", "x");
    EXPECT_EQ(FindProgramFolders(prefix / "bin", config), (ProgramFolders{prefix / "share/gearwise", config}));
    // A sponsor's copy beside an installed program is still read first.
    test::writeBytes(prefix / "bin/Config.dat", "x");
    EXPECT_EQ(FindProgramFolders(prefix / "bin", config), (ProgramFolders{prefix / "bin", prefix / "bin"}));

    // Without a configuration folder the user's files stay with the data.
    fs::remove(prefix / "bin/Config.dat");
    EXPECT_EQ(FindProgramFolders(prefix / "bin", {}),
              (ProgramFolders{prefix / "share/gearwise", prefix / "share/gearwise"}));

    // No data anywhere: the executable's folder, whose missing Config.dat is
    // reported by the start-up.
    const fs::path bare = root / "bare/bin";
    fs::create_directories(bare);
    EXPECT_EQ(FindProgramFolders(bare, config).data, bare);
}

// The user folder's User.dat is read first; a copy's own is still read when
// the user folder has none; Save Defaults creates the user folder.
TEST(ProgramFolders, userFileIsReadFromTheUserFolderFirstAndSavedThere)
{
    TempFolder root;
    const fs::path data = root / "data";
    const fs::path user = root / "config/gearwise";
    fs::create_directories(data);
    test::WritePlainRecordFile(data / "Config.dat", test::sponsorFileLines());
    test::writeCaptionFile(data / "english.txt", {"SoftwareName=Gearwise Planner"});
    test::writeCaptionFile(data / "french.txt", {"SoftwareName=Gearwise Planner"});
    auto language = [](const char* value) {
        std::vector<std::string> lines = test::sponsorFileLines();
        for (std::string& line : lines)
            if (line.ends_with("= PrevLanguage"))
                line = std::string(value) + "= PrevLanguage";
        return lines;
    };
    const auto startedLanguage = [&] {
        ProgramSettings settings;
        settings.folder = data;
        settings.userFolder = user;
        RecordingReporter reporter;
        EXPECT_TRUE(LoadStartUpSettings(settings, reporter));
        EXPECT_EQ(reporter.texts(), std::vector<std::string>{});
        return settings.CurrentLanguage;
    };

    EXPECT_EQ(UserFileToRead({data, user}), data / "User.dat");
    test::WritePlainRecordFile(data / "User.dat", language("1"));
    EXPECT_EQ(startedLanguage(), French);

    ProgramSettings settings;
    settings.folder = data;
    settings.userFolder = user;
    UserFileValues values;
    values.CurrentLanguage = English;
    RecordingReporter reporter;
    ASSERT_TRUE(SaveUserFile(settings, values, reporter));
    EXPECT_TRUE(fs::exists(user / "User.dat"));
    EXPECT_EQ(UserFileToRead({data, user}), user / "User.dat");
    EXPECT_EQ(startedLanguage(), English);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{});
}

} // namespace
} // namespace gw
