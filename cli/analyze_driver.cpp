#include "analyze_driver.h"

#include "csv_writer.h"
#include "error.h"
#include "json_writer.h"
#include "money_field.h"
#include "notes.h"
#include "reporter.h"
#include "settingsfile.h"
#include "textfile.h"

#include <memory>
#include <optional>
#include <sstream>

namespace gw::cli {

namespace {

constexpr const char* kPrefix = "gearwise-cli analyze: ";

// The settings library's messages, one line each on standard error.
class StreamReporter : public SettingsReporter {
public:
    StreamReporter(std::ostream& err, std::string prefix) : err_(err), prefix_(std::move(prefix)) {}

    void report(const std::string& title, const std::string& text, Icon) override
    {
        std::string line;
        for (char c : text) {
            const bool lineBreak = c == '\r' || c == '\n';
            if (!lineBreak)
                line += c;
            else if (!line.empty() && line.back() != ' ')
                line += ' ';
        }
        err_ << prefix_ << (title.empty() ? "" : title + ": ") << line << '\n';
    }

private:
    std::ostream& err_;
    std::string prefix_;
};

std::string quoted(const std::filesystem::path& folder) { return "'" + folder.string() + "'"; }

struct DataDirArgs {
    std::optional<std::filesystem::path> folder;
    std::vector<std::string> rest;
    std::optional<std::string> error;
};

// --data-dir is read before the data files, which the other options need.
DataDirArgs takeDataDir(const std::vector<std::string>& args)
{
    constexpr std::string_view kOption = "--data-dir";
    DataDirArgs result;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        std::optional<std::string_view> value;
        if (arg == kOption) {
            if (i + 1 < args.size() && !std::string_view(args[i + 1]).starts_with("--"))
                value = args[++i];
            else
                value = "";
        } else if (arg.starts_with(kOption) && arg[kOption.size()] == '=') {
            value = arg.substr(kOption.size() + 1);
        } else {
            result.rest.push_back(args[i]);
            continue;
        }
        if (value->empty()) {
            result.error = "--data-dir: missing value (DIR)";
            return result;
        }
        result.folder = std::filesystem::path(*value);
    }
    return result;
}

} // namespace

AnalyzeReport RunRequestedAnalysis(const AnalyzeRequest& request, const CaptionTables& captions)
{
    // The states are large; keep them off the stack.
    auto state = std::make_unique<AnalysisState>();
    AnalysisOutcome outcome = RunAnalysis(request.strategy, request.inputs, *state);
    if (!outcome.ok())
        throw AnalysisError(outcome.error);

    AnalyzeReport report;
    report.strategy = request.strategy;
    report.inputs = request.inputs;
    report.results = std::move(*outcome.results);
    report.annualInvestment = request.annualInvestmentGiven ? std::optional<double>(request.inputs.annualInvestment)
                                                            : setAnnualInvestment(request.strategy, request.inputs);
    report.language = request.language;
    report.notes = notes(report.results, captions, request.language);
    return report;
}

int RunAnalyzeCommand(const std::vector<std::string>& args, const AnalyzeData& data, std::ostream& out,
                      std::ostream& err, const AnalysisRunner& run)
{
    const ParsedAnalyze parsed = ParseAnalyzeOptions(args, data.defaults);
    if (std::holds_alternative<HelpRequested>(parsed)) {
        out << AnalyzeHelpText(data.defaults, data.settings.folder);
        return kExitOk;
    }
    if (const auto* error = std::get_if<OptionError>(&parsed)) {
        err << kPrefix << error->message << '\n';
        return kExitBadInput;
    }
    const AnalyzeRequest& request = std::get<AnalyzeRequest>(parsed);

    // Written whole only once everything succeeded, so a failure leaves
    // standard output empty.
    std::ostringstream text;
    try {
        const AnalyzeReport report = run(request, data.settings.captions);
        if (request.format == OutputFormat::Csv)
            WriteAnalysisCsv(text, report);
        else
            WriteAnalysisJson(text, report);
    } catch (const AnalysisError& e) {
        err << kPrefix << "the analysis failed: " << e.what() << '\n';
        return kExitAnalysisFailed;
    }
    return SaveCaseAndWrite(kPrefix, request, text.str(), out, err);
}

int SaveCaseAndWrite(std::string_view prefix, const AnalyzeRequest& request, const std::string& text,
                     std::ostream& out, std::ostream& err)
{
    if (!request.saveCase.empty()) {
        std::string error;
        const ClientCase saved = MakeClientCase(request.strategy, request.fields, request.client, request.note);
        if (!SaveCaseFile(request.saveCase, saved, error)) {
            err << prefix << "--save-case: the case could not be written: " << error << '\n';
            return kExitWriteFailed;
        }
    }
    out << text << std::flush;
    if (!out) {
        err << prefix << "could not write the output\n";
        return kExitWriteFailed;
    }
    return kExitOk;
}

int RunAnalyzeWithDataFiles(const std::vector<std::string>& args, const std::filesystem::path& programFolder,
                            std::ostream& out, std::ostream& err)
{
    return RunAnalyzeWithDataFiles(args, ProgramFolders{programFolder, programFolder}, out, err);
}

int RunAnalyzeWithDataFiles(const std::vector<std::string>& args, const ProgramFolders& programFolders,
                            std::ostream& out, std::ostream& err)
{
    return RunWithDataFiles("analyze", args, programFolders, out, err,
                            [](const std::vector<std::string>& rest, const AnalyzeData& data, std::ostream& o,
                               std::ostream& e) { return RunAnalyzeCommand(rest, data, o, e); });
}

int RunWithDataFiles(std::string_view command, const std::vector<std::string>& args,
                     const ProgramFolders& programFolders, std::ostream& out, std::ostream& err,
                     const DataCommand& run)
{
    const std::string prefix = "gearwise-cli " + std::string(command) + ": ";
    const DataDirArgs dataDir = takeDataDir(args);
    if (dataDir.error) {
        err << prefix << *dataDir.error << '\n';
        return kExitBadInput;
    }
    const ProgramFolders folders = dataDir.folder ? ProgramFolders{*dataDir.folder, *dataDir.folder} : programFolders;
    const std::filesystem::path& folder = folders.data;
    // Checked here too, so that the message says where it looked.
    if (!FileExists(folder / kSponsorFileName)) {
        err << prefix << kConfigFileError << ": there is no " << kSponsorFileName << " in " << quoted(folder)
            << '\n';
        return kExitBadInput;
    }
    StreamReporter reporter(err, prefix);
    const std::optional<AnalyzeData> data = LoadAnalyzeData(folders, reporter);
    if (!data) {
        err << prefix << "the data files in " << quoted(folder) << " cannot be used\n";
        return kExitBadInput;
    }
    return run(dataDir.rest, *data, out, err);
}

} // namespace gw::cli
