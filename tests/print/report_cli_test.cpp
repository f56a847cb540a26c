// `gearwise-cli report`, run as a program on the data files of the build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST(ReportCommand, WritesEachReportAsAPdfAndNothingOnBadInput)
{
    const fs::path folder = fs::temp_directory_path() / ("gearwise-report-cli-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    // The exit status of the command with `arguments` writing `file` in the folder.
    const auto run = [&](const std::string& arguments, const char* file) {
        const std::string out = file ? " --out '" + (folder / file).string() + "'" : "";
        const int status = std::system(("'" GEARWISE_CLI_PATH "' report " + arguments + out + " >'" +
                                        (folder / "out.txt").string() + "' 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const struct {
        const char* arguments;
        const char* file;
        int status;
    } cases[] = {
        {"--report summary --strategy interest-only --last-page checklist", "a.pdf", 0},
        {"--report summary --strategy rrsp --language fr --last-page disclaimer --prepared-for 'Jean Tremblay'", "b.pdf", 0},
        {"--report projection --strategy term --times-repeated 3", "c.pdf", 0},
        {"--report checklist --language=fr", "d.pdf", 0},
        {"--report bogus", "x.pdf", 2},
        {"", "x.pdf", 2},
        {"--report summary", nullptr, 2},
        {"--report summary --tax-rate 150", "x.pdf", 2},
        {"--report summary --last-page nothing", "x.pdf", 2},
        {"--report summary", "missing/x.pdf", 1},
        {"--report checklist --data-dir /nonexistent", "x.pdf", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(run(c.arguments, c.file), c.status);
        const bool written = c.file && fs::exists(folder / c.file);
        EXPECT_EQ(written, c.status == 0);
        EXPECT_TRUE(!written || fs::file_size(folder / c.file) > 1000);
    }

    // Without a platform to draw on, Qt gives up; its reason reaches the user.
    const std::string log = (folder / "out.txt").string();
    EXPECT_NE(std::system(("QT_QPA_PLATFORM=no-such-platform '" GEARWISE_CLI_PATH "' report --report checklist --out '" +
                           (folder / "y.pdf").string() + "' >'" + log + "' 2>&1").c_str()), 0);
    std::ifstream in(log);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("gearwise-cli report: This application failed to start"), std::string::npos) << said;
    fs::remove_all(folder);
}

} // namespace
