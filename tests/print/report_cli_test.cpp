// `gearwise-cli report`, run as a program on the data files of the build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class ReportCommand : public ::testing::Test {
protected:
    ReportCommand() : folder(fs::temp_directory_path() / ("gearwise-report-cli-" + std::to_string(::getpid())))
    {
        fs::create_directories(folder);
    }
    ~ReportCommand() override { fs::remove_all(folder); }

    // The exit status of the command with `arguments`.
    int run(const std::string& arguments) const
    {
        const std::string command = std::string("'") + GEARWISE_CLI_PATH + "' report " + arguments + " >'" +
                                    (folder / "out.txt").string() + "' 2>'" + (folder / "err.txt").string() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string pdf(const char* name) const { return "'" + (folder / name).string() + "'"; }

    fs::path folder;
};

TEST_F(ReportCommand, WritesEachReportAsAPdf)
{
    const struct {
        const char* arguments;
        const char* file;
    } cases[] = {
        {"--report summary --strategy interest-only --last-page checklist", "a.pdf"},
        {"--report summary --strategy rrsp --language fr --last-page disclaimer --prepared-for 'Jean Tremblay'",
         "b.pdf"},
        {"--report projection --strategy term --times-repeated 3", "c.pdf"},
        {"--report checklist --language=fr", "d.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(run(std::string(c.arguments) + " --out " + pdf(c.file)), 0);
        ASSERT_TRUE(fs::exists(folder / c.file));
        EXPECT_GT(fs::file_size(folder / c.file), 1000u);
    }
}

TEST_F(ReportCommand, BadInputWritesNothing)
{
    EXPECT_EQ(run("--report bogus --out " + pdf("x.pdf")), 2);
    EXPECT_EQ(run("--out " + pdf("x.pdf")), 2);
    EXPECT_EQ(run("--report summary"), 2);
    EXPECT_EQ(run("--report summary --tax-rate 150 --out " + pdf("x.pdf")), 2);
    EXPECT_EQ(run("--report summary --last-page nothing --out " + pdf("x.pdf")), 2);
    EXPECT_FALSE(fs::exists(folder / "x.pdf"));
    EXPECT_EQ(run("--report summary --out '" + (folder / "missing" / "x.pdf").string() + "'"), 1);
}

} // namespace
