#include "casefile.h"
#include "cli_test_data.h"

#include <gtest/gtest.h>

#include <string>

namespace gw::cli {
namespace {

using test::Args;
using test::RunAnalyze;

Args with(Args args, const Args& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A case saved by --save-case gives, through --case, the figures of the
// options it was saved from, for every strategy; an option after --case
// changes it, one before it is replaced, and the client and note carry on
// into the next save.
TEST(CaseOptions, savedCaseGivesTheFiguresOfItsOptions)
{
    test::TempFolder folder;
    const std::string file = (folder / "client.gwcase").string();
    const std::string again = (folder / "again.gwcase").string();
    for (const char* strategy : {"interest-only", "term", "rrsp"}) {
        SCOPED_TRACE(strategy);
        const Args options = {"--strategy", strategy, "--tax-rate", "43.41", "--interest-rate", "7.125",
                              "--savings-period", "12", "--times-repeated", "2", "--breakdown", "40,30,20,10",
                              "--fed-limited", "--prov-include-cg", "no", "--interest-tax-rates", "20,30,40,50"};
        const test::CommandRun saved =
            RunAnalyze(with(options, {"--client", "Zoë Côté", "--note", "first meeting", "--save-case", file}));
        ASSERT_EQ(saved.status, kExitOk) << saved.err;
        const test::CommandRun read = RunAnalyze({"--case", file});
        EXPECT_EQ(read.status, kExitOk) << read.err;
        EXPECT_EQ(read.out, saved.out);

        EXPECT_EQ(RunAnalyze({"--case", file, "--tax-rate", "30"}).out,
                  RunAnalyze(with(options, {"--tax-rate", "30"})).out);
        EXPECT_EQ(RunAnalyze({"--tax-rate", "30", "--savings-period", "5", "--case", file}).out, saved.out);

        ASSERT_EQ(RunAnalyze({"--case", file, "--save-case", again}).status, kExitOk);
        const CaseReadResult first = LoadCaseFile(file, test::ShippedData().defaults.values);
        const CaseReadResult second = LoadCaseFile(again, test::ShippedData().defaults.values);
        ASSERT_TRUE(first.clientCase && second.clientCase);
        EXPECT_EQ(*second.clientCase, *first.clientCase);
        EXPECT_EQ(first.clientCase->client, "Zoë Côté");
        EXPECT_EQ(first.clientCase->note, "first meeting");
    }
}

// A case that cannot be used stops the command with status 2 and one line
// naming the file, the key and its legal range; a case that cannot be saved
// stops it with status 1 and leaves the old file.
TEST(CaseOptions, refusedCasesAndFailedSavesSayWhy)
{
    test::TempFolder folder;
    const std::string file = (folder / "client.gwcase").string();
    ASSERT_EQ(RunAnalyze({"--save-case", file}).status, kExitOk);
    const std::string good = test::readBytes(file);
    const auto variant = [&](const std::string& name, std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        test::writeBytes(folder / name, text);
        return (folder / name).string();
    };
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {variant("rate.gwcase", "\"Tax Rate (%)\": 40", "\"Tax Rate (%)\": 150"),
         "'rate.gwcase': \"Tax Rate (%)\" is out of range: a number from 0 to 99"},
        {variant("newer.gwcase", "\"version\": 1", "\"version\": 3"),
         "'newer.gwcase' was saved by a later version of the program (case version 3; this version reads up to 1)"},
        {variant("cut.gwcase", good.substr(40), ""), "'cut.gwcase' is not a client case: its JSON stops making sense at byte 41"},
        {(folder / "none.gwcase").string(), "cannot read 'none.gwcase': there is no such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const test::CommandRun run = RunAnalyze({"--case", c.file, "--tax-rate", "30"});
        EXPECT_EQ(run.status, kExitBadInput);
        EXPECT_EQ(run.out, "");
        std::string expected = c.message;
        expected.replace(expected.find('\'') + 1, 0, folder.path().string() + "/");
        EXPECT_EQ(run.err, "gearwise-cli analyze: --case: " + expected + "\n");
    }

    std::filesystem::create_directories(folder / "client.gwcase.tmp" / "busy");
    const test::CommandRun failed = RunAnalyze({"--tax-rate", "30", "--save-case", file});
    EXPECT_EQ(failed.status, kExitWriteFailed);
    EXPECT_EQ(failed.out, "");
    EXPECT_TRUE(failed.err.starts_with("gearwise-cli analyze: --save-case: the case could not be written: "))
        << failed.err;
    EXPECT_EQ(test::readBytes(file), good);
}

} // namespace
} // namespace gw::cli
