#include "cli_test_data.h"
#include "numformat.h"
#include "settingsfile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The built gearwise-cli program, run as a script would run it.
namespace {

namespace fs = std::filesystem;
using gw::test::Args;
using gw::test::CommandRun;
using gw::test::Json;

std::string shellQuoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// `input` is its standard input.
CommandRun runProgram(const fs::path& program, const Args& args, const std::string& input = {})
{
    const gw::test::TempFolder dir;
    gw::test::writeBytes(dir / "in", input);
    std::string command = shellQuoted(program.string());
    for (const std::string& a : args)
        command += " " + shellQuoted(a);
    command += " >" + shellQuoted((dir / "out").string()) + " 2>" + shellQuoted((dir / "err").string()) +
               " <" + shellQuoted((dir / "in").string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, gw::test::readBytes(dir / "out"), gw::test::readBytes(dir / "err")};
}

CommandRun runCli(const Args& args, const std::string& input = {})
{
    return runProgram(GEARWISE_CLI_PATH, args, input);
}

// Each command's status, and the start of what it says on the stream it
// says it on: help on standard output, a refusal on standard error.
TEST(CliProcess, ExitStatusesAndHelp)
{
    const std::vector<std::tuple<Args, int, std::string>> cases = {
        {{"analyze", "--tax-rate", "120"}, 2, "gearwise-cli analyze: --tax-rate"},
        {{"analyze", "--loan-amount", "1e308"}, 2, "gearwise-cli analyze: --loan-amount: 1e308 is out of range"},
        {{}, 2, "Usage: gearwise-cli <command>"},
        {{"bogus"}, 2, "gearwise-cli: unknown command 'bogus'"},
        {{"veil", "encode"}, 2, "gearwise-cli veil: encode needs --level 1, 2 or 3"},
        {{"veil", "encode", "--level", "4"}, 2, "gearwise-cli veil: --level must be 1, 2 or 3, not '4'"},
        {{"veil", "encode", "--level", "1", "--seed", "4294967296"}, 2, "gearwise-cli veil: --seed must be a whole"},
        {{"veil", "decode", "--input", "/no/such/file"}, 2, "gearwise-cli veil: cannot read /no/such/file"},
        {{"veil", "decode", "--input"}, 2, "gearwise-cli veil: --input needs a value"},
        {{"veil", "encode", "--level"}, 2, "gearwise-cli veil: --level needs a value"},
        {{"config", "unpack"}, 2, "gearwise-cli config: unpack takes one record file"},
        {{"config", "pack", "a", "b", "--seed", "x"}, 2, "gearwise-cli config: --seed must be a whole number"},
        {{"--help"}, 0, "Usage: gearwise-cli <command>"},
        {{"analyze", "--help"}, 0, "Usage: gearwise-cli analyze"},
        {{"risk", "--help"}, 0, "Usage: gearwise-cli risk"},
        {{"risk", "--paths", "99"}, 2, "gearwise-cli risk: --paths: 99 is out of range"},
        {{"veil", "--help"}, 0, "Usage: gearwise-cli veil"},
        {{"config", "-h"}, 0, "Usage: gearwise-cli config"},
    };
    for (const auto& [args, status, message] : cases) {
        SCOPED_TRACE(args.empty() ? "no command" : args[0] + " " + (args.size() > 1 ? args[1] : ""));
        const CommandRun run = runCli(args);
        EXPECT_EQ(run.status, status);
        EXPECT_TRUE((status ? run.err : run.out).starts_with(message)) << run.out << run.err;
        EXPECT_EQ(status ? run.out : run.err, "");
    }
}

// The data files are looked for beside the program, not in the current
// folder (the tests run in the build folder, which holds a Config.dat).
TEST(CliProcess, AnalyzeReadsTheDataFilesBesideTheProgram)
{
    gw::test::TempDataFolder folder;
    const fs::path program = folder.path() / "gearwise-cli";
    fs::copy_file(GEARWISE_CLI_PATH, program);
    ASSERT_TRUE(fs::exists(fs::current_path() / "Config.dat"));

    const CommandRun missing = runProgram(program, {"analyze"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("Error with config.dat file"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find(folder.path().string()), std::string::npos) << missing.err;

    fs::copy_file(gw::test::ShippedDataFolder() / "Config.dat", folder.path() / "Config.dat");
    const std::vector<std::string> config = gw::test::DataSourceLines("config.src.txt");
    for (const gw::Language language : {gw::English, gw::French}) {
        SCOPED_TRACE(language);
        const Json json = gw::test::OutputJson(
            runProgram(program, language == gw::French ? Args{"analyze", "--language", "fr"} : Args{"analyze"}));
        EXPECT_EQ(json["loan_amount"], gw::LenientParse(gw::GetSettingValue("Loan Amount ($)", config)));
        EXPECT_EQ(json["inputs"]["tax_rate"], gw::LenientParse(gw::GetSettingValue("Tax Rate (%)", config)));
        const std::string disclaimer = gw::GetCaption(gw::test::SourceCaptions(), "Notes_Disclaimer", language);
        EXPECT_NE(json["notes"].get<std::string>().find(disclaimer), std::string::npos);
    }
}

// Known bytes, worked out by hand in the settings tests: with key 'A' "Tax
// Rate 40%" masks to "1AMie liFs WP%", "abc" at level 3 to "3AiE1", and the
// record of "a" holds "3A4o9". Then what each command writes reads back.
TEST(CliProcess, VeilAndConfigReadKnownBytesAndRoundTrip)
{
    gw::test::TempDataFolder folder;
    const auto file = [&](const std::string& name, const std::string& bytes) {
        gw::test::writeBytes(folder.path() / name, bytes);
        return (folder.path() / name).string();
    };
    EXPECT_EQ(runCli({"veil", "decode", "--input", file("masked.txt", "1AMie liFs WP%\r\n3AiE1\r\n")}).out,
              "Tax Rate 40%\nabc\n");
    // Standard input may end its lines either way; a line that is not UTF-8 is named.
    EXPECT_EQ(runCli({"veil", "decode"}, "1AMie liFs WP%\r\n3AiE1\n").out, "Tax Rate 40%\nabc\n");
    EXPECT_EQ(runCli({"veil", "decode"}, "3AiE1\n\xFF\n").err,
              "gearwise-cli veil: line 2: not valid UTF-8, or holds a character that Windows-1252 cannot store\n"
              "Run 'gearwise-cli veil --help' for usage.\n");
    std::string record = std::string("\x05\x00", 2) + "3A4o9";
    record.resize(255, '\0');
    EXPECT_EQ(runCli({"config", "unpack", file("one.dat", record)}).out, "a\n");

    const std::string plain = "[SponsorInfo]\nnone= SponsorName\nIntérêt à 5 %= Note\n";
    const std::string source = file("plain.txt", plain);
    for (const std::string level : {"1", "2", "3"}) {
        const std::string out = (folder.path() / "masked").string();
        EXPECT_EQ(runCli({"veil", "encode", "--level", level, "--seed", "7", "--input", source, "--output", out}).status, 0);
        EXPECT_EQ(gw::test::readBytes(out).substr(0, 1), level);
        EXPECT_EQ(runCli({"veil", "decode", "--input", out}).out, plain);
    }
    const std::string packed = (folder.path() / "Packed.dat").string();
    EXPECT_EQ(runCli({"config", "pack", source, packed, "--seed", "3"}).status, 0);
    EXPECT_EQ(fs::file_size(packed), 3 * 255u);
    EXPECT_EQ(runCli({"config", "unpack", packed}).out, plain);

    const CommandRun refused = runCli({"veil", "decode", "--input", file("bad.txt", "3AiE1\r\nnot masked\r\n")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "abc\n");
    EXPECT_NE(refused.err.find("line 2 is not a masked line"), std::string::npos) << refused.err;

    const std::string tooLong = file("long.txt", std::string(300, 'x') + "\n");
    const CommandRun unpackable = runCli({"config", "pack", tooLong, packed});
    EXPECT_EQ(unpackable.status, 2);
    EXPECT_TRUE(unpackable.err.starts_with("gearwise-cli config: " + tooLong + ": line 1 is")) << unpackable.err;
}

// `report` refuses, before writing anything, what the Print dialog does not
// offer for the sponsor or the strategy; what it does offer is written.
TEST(CliProcess, ReportRefusesWhatThePrintDialogDoesNotOffer)
{
    gw::test::TempDataFolder qzx;
    qzx.writeConfig({{"SponsorName", "QZX Wealth Partners"}});
    const std::string pdf = (qzx.path() / "x.pdf").string();
    const Args forQzx = {"--data-dir", qzx.path().string()};
    const std::vector<std::pair<Args, std::string>> refusals = {
        {{"--report", "checklist"}, "--report checklist: this sponsor has no suitability checklist report"},
        {{"--report", "summary", "--last-page", "signatures", forQzx[0], forQzx[1]},
         "--last-page: this sponsor's summary always ends with the legal disclaimer"},
        {{"--report", "summary", "--strategy", "rrsp", "--last-page", "checklist"},
         "--last-page checklist: the RRSP loan's summary has no checklist; choose signatures or disclaimer"},
    };
    for (const auto& [args, message] : refusals) {
        SCOPED_TRACE(args[1]);
        Args command = {"report", "--out", pdf};
        command.insert(command.end(), args.begin(), args.end());
        const CommandRun run = runCli(command);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.starts_with("gearwise-cli report: " + message)) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(fs::exists(pdf));
    }
    const CommandRun offered = runCli({"report", "--out", pdf, "--report", "checklist", "--last-page", "disclaimer",
                                       forQzx[0], forQzx[1]});
    EXPECT_EQ(offered.status, 0) << offered.err;
    EXPECT_TRUE(fs::exists(pdf));
}

} // namespace
