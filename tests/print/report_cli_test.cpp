// `gearwise-cli report`, run as a program on the data files of the build.
#include "data_sources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

TEST(ReportCommand, WritesEachReportAsAPdfAndNothingOnBadInput)
{
    const gw::test::TempFolder folder;
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
        {"--report risk --strategy rrsp --paths 500 --seed 3 --language fr", "e.pdf", 0},
        {"--report risk --volatility 51", "x.pdf", 2},
        {"--report checklist --language=fr", "d.pdf", 2},  // the shipped sponsor has no checklist
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
    // The summary ends with the page asked for.
    const std::string text = (folder / "a.txt").string();
    ASSERT_EQ(std::system(("pdftotext '" + (folder / "a.pdf").string() + "' '" + text + "'").c_str()), 0);
    EXPECT_NE(gw::test::readBytes(text).find("Conservative Leverage Checklist"), std::string::npos);

    // Without a platform to draw on, Qt gives up; its reason reaches the user.
    const std::string log = (folder / "out.txt").string();
    EXPECT_NE(std::system(("QT_QPA_PLATFORM=no-such-platform '" GEARWISE_CLI_PATH "' report --report projection --out '" +
                           (folder / "y.pdf").string() + "' >'" + log + "' 2>&1").c_str()), 0);
    const std::string said = gw::test::readBytes(log);
    EXPECT_NE(said.find("gearwise-cli report: This application failed to start"), std::string::npos) << said;
}

} // namespace
