#include "cli_test_data.h"
#include "json_scan.h"
#include "numformat.h"
#include "settingsfile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The built gearwise-cli program, run as a script would run it.
namespace {

namespace fs = std::filesystem;

struct ProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string shellQuoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ProcessRun runProgram(const fs::path& program, const std::vector<std::string>& args)
{
    static int counter = 0;
    const fs::path dir = fs::temp_directory_path() /
                         ("gearwise-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(dir);
    std::string command = shellQuoted(program.string());
    for (const std::string& a : args)
        command += " " + shellQuoted(a);
    command += " >" + shellQuoted((dir / "out").string()) + " 2>" + shellQuoted((dir / "err").string()) +
               " </dev/null";
    const int raw = std::system(command.c_str());
    ProcessRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = slurp(dir / "out");
    run.err = slurp(dir / "err");
    fs::remove_all(dir);
    return run;
}

ProcessRun runCli(const std::vector<std::string>& args) { return runProgram(GEARWISE_CLI_PATH, args); }

TEST(CliProcess, AnalyzePrintsOneJsonObject)
{
    const ProcessRun run = runCli({"analyze", "--strategy=term", "--tax-rate", "45"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto json = gw::test::ParseJson(run.out);
    ASSERT_TRUE(json) << run.out;
    EXPECT_EQ((*json)["strategy"].text, "term");
}

TEST(CliProcess, ExitStatusesOfFailures)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"analyze", "--tax-rate", "120"}, 2, "--tax-rate"},
        {{"analyze", "--breakdown", "50,50,50,50"}, 2, "--breakdown"},
        {{"analyze", "--loan-amount", "1e308"}, 3, "analysis failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args[2]);
        const ProcessRun run = runCli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

TEST(CliProcess, AnalyzeHelpGoesToStandardOutput)
{
    const ProcessRun run = runCli({"analyze", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage: gearwise-cli analyze"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

// The data files are looked for beside the program, not in the current
// folder (the tests run in the build folder, which holds a Config.dat).
TEST(CliProcess, AnalyzeReadsTheDataFilesBesideTheProgram)
{
    gw::test::TempDataFolder folder;
    const fs::path program = folder.path() / "gearwise-cli";
    fs::copy_file(GEARWISE_CLI_PATH, program);
    ASSERT_TRUE(fs::exists(fs::current_path() / "Config.dat"));

    const ProcessRun missing = runProgram(program, {"analyze"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("Error with config.dat file"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find(folder.path().string()), std::string::npos) << missing.err;

    fs::copy_file(gw::test::ShippedDataFolder() / "Config.dat", folder.path() / "Config.dat");
    const std::vector<std::string> config = gw::test::DataSourceLines("config.src.txt");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"analyze"}, std::vector<std::string>{"analyze", "--language", "fr"}}) {
        SCOPED_TRACE(args.size());
        const ProcessRun run = runProgram(program, args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const auto json = gw::test::ParseJson(run.out);
        ASSERT_TRUE(json) << run.out;
        EXPECT_EQ((*json)["loan_amount"].number, gw::LenientParse(gw::GetSettingValue("Loan Amount ($)", config)));
        EXPECT_EQ((*json)["inputs"]["tax_rate"].number, gw::LenientParse(gw::GetSettingValue("Tax Rate (%)", config)));
        const bool inFrench = args.size() > 1;
        EXPECT_EQ((*json)["language"].text, inFrench ? "fr" : "en");
        const bool hasFrench =
            (*json)["notes"].text.find(gw::GetCaption(gw::test::SourceCaptions(), "Notes_Disclaimer", gw::French)) != std::string::npos;
        EXPECT_EQ(hasFrench, inFrench) << (*json)["notes"].text;
    }
}

} // namespace
