// `gearwise-cli analyze` from its words to its output, on the shipped
// defaults built in-process from the plain data sources. The input: setting
// lines ("value=key") that override the shipped defaults, up to a line
// "%%", then the words of the command line, split at blanks. Without "%%"
// the whole input is the command line.
#include "analyze_driver.h"
#include "analyze_options.h"
#include "fieldvalues.h"
#include "fuzz_check.h"
#include "settingsfile.h"
#include "textfile.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <sstream>

#ifndef GEARWISE_SOURCE_DIR
#error "GEARWISE_SOURCE_DIR must name the source tree"
#endif

using namespace gw;

namespace {

std::vector<std::string> SourceLines(const char* name)
{
    std::vector<std::string> lines;
    FUZZ_CHECK(ReadTextLines(std::filesystem::path(GEARWISE_SOURCE_DIR) / "data" / name, lines));
    return lines;
}

const cli::AnalyzeData& ShippedData()
{
    static const cli::AnalyzeData data = [] {
        cli::AnalyzeData d;
        d.settings.folder = GEARWISE_SOURCE_DIR;
        d.settings.SponsorLines = SourceLines("config.src.txt");
        d.settings.UserLines = d.settings.SponsorLines;
        d.settings.captions = {SourceLines("english.src.txt"), SourceLines("french.src.txt")};
        return d;
    }();
    return data;
}

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t\r\n", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \t\r\n", start), text.size());
        words.emplace_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = fuzz::Bytes(data, size);
    cli::AnalyzeData files = ShippedData();
    const std::size_t mark = input.find("%%\n");
    if (mark != std::string_view::npos && (mark == 0 || input[mark - 1] == '\n')) {
        // The user's lines win over the sponsor's, the first slot aside.
        std::vector<std::string> overrides = fuzz::Split(input.substr(0, mark), '\n');
        SettingLines& user = files.settings.UserLines;
        user.insert(user.begin() + 1, overrides.begin(), overrides.end());
        input.remove_prefix(mark + 3);
    }
    // As the command reads its data files, repairs included.
    fuzz::CountingReporter reporter;
    ReadMainWindowSettings(files.settings, reporter);
    files.defaults.values = files.settings.values;
    files.defaults.strategy = FirstStrategyOffered(files.settings.values);
    const std::vector<std::string> words = Words(input);

    try {
        const cli::ParsedAnalyze parsed = cli::ParseAnalyzeOptions(words, files.defaults);
        if (const auto* request = std::get_if<cli::AnalyzeRequest>(&parsed)) {
            // What the parse let through is legal for every field.
            for (const SettingRow& row : SettingRows())
                if (row.ranged && row.id != Setting::LoanAmount)
                    FUZZ_CHECK(RangeOf(row.id, files.defaults.values).contains(request->fields[row.id]));
        }
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::RunAnalyzeCommand(words, files, out, err);
        // One line on standard error and nothing else on failure; output
        // and no message on success.
        if (status == cli::kExitOk) {
            FUZZ_CHECK(!out.str().empty() && err.str().empty());
        } else {
            FUZZ_CHECK(status == cli::kExitBadInput || status == cli::kExitAnalysisFailed);
            FUZZ_CHECK(out.str().empty());
            FUZZ_CHECK(!err.str().empty() && err.str().find('\n') == err.str().size() - 1);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "escaped: %s\n", e.what());
        std::abort();
    }
    return 0;
}
