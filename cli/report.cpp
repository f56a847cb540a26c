// `gearwise-cli report`: one client report of an analysis, as a PDF file.
#include "commands.h"

#include <iostream>

#ifdef GEARWISE_HAVE_PRINT

#include "analyze_defaults.h"
#include "analyze_driver.h"
#include "analyze_options.h"
#include "dispatch.h"
#include "error.h"
#include "outcomes.h"
#include "painterpage.h"
#include "primitives.h"
#include "reporter.h"
#include "reports.h"
#include "reports_settings.h"
#include "settingsfile.h"

#include <QGuiApplication>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gw::cli {

namespace {

constexpr const char* kPrefix = "gearwise-cli report: ";

// Messages of the settings and printing libraries, one line each.
std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        if (c != '\r' && c != '\n')
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    return line;
}

class StderrSettingsReporter : public SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon) override
    {
        std::cerr << kPrefix << (title.empty() ? "" : title + ": ") << OneLine(text) << '\n';
    }
};

class StderrPrintReporter : public PrintReporter {
public:
    void report(const std::string&, const std::string& text) override
    {
        std::cerr << kPrefix << OneLine(text) << '\n';
    }
};

enum class LastPage { Checklist, Signatures, Disclaimer };

struct ReportOptions {
    std::optional<ReportKind> kind;
    std::filesystem::path out;
    std::optional<std::string> preparedFor;  // else the case's client, if any
    std::optional<LastPage> lastPage;
    std::optional<std::string> advisor;
    std::optional<std::string> company;
    std::optional<std::filesystem::path> dataDir;
    bool help = false;
    std::vector<std::string> analysisArgs;  // for the analyze parser
};

const char* const kUsage =
    "Usage: gearwise-cli report --report summary|projection|checklist|risk --out FILE.pdf [options]\n"
    "\n"
    "Prints one client report of an analysis to a PDF file, as the program's Print\n"
    "dialog does, with the data files beside the program (or in --data-dir).\n"
    "\n"
    "Report options:\n"
    "  --report KIND                 summary (one-page summary), projection (year-by-year\n"
    "                                projection) or checklist (suitability checklist; only\n"
    "                                for a sponsor whose name starts with QZX) or risk\n"
    "                                (the range of outcomes, with --volatility, --paths,\n"
    "                                --seed and --threads as 'gearwise-cli risk' takes them)\n"
    "  --out FILE.pdf                the PDF file to write\n"
    "  --prepared-for NAME           print a Prepared-for line with NAME (default: the\n"
    "                                client of --case or --client; empty: no such line)\n"
    "  --advisor NAME                the advisor on the Prepared-by line (default: the\n"
    "                                user file's \"Advisor Name\")\n"
    "  --company NAME                add the advisor's company to the Prepared-by line\n"
    "                                (default: the user file's \"Advisor Company\", not printed)\n"
    "  --last-page WHICH             how the summary ends: checklist, signatures or\n"
    "                                disclaimer (default: the saved print options, with\n"
    "                                signatures instead of a checklist for an RRSP loan,\n"
    "                                whose summary has no checklist). A sponsor whose name\n"
    "                                starts with QZX takes only disclaimer: its summary\n"
    "                                always ends with the legal disclaimer.\n"
    "  --data-dir DIR                read Config.dat, User.dat and the caption files from DIR\n"
    "  --language en|fr              language of the report\n"
    "\n"
    "Exit status: 0 written, 1 the report could not be printed, 2 bad input or data\n"
    "files, or a report or last page that the sponsor or strategy does not have (the\n"
    "reason on one line, nothing written), 3 the analysis or the range of outcomes failed.\n"
    "\n"
    "Analysis options (those of 'gearwise-cli analyze'; --format is ignored, and\n"
    "--case FILE starts from a client case as there; --save-case is analyze's only):\n";

// Takes the report's own options out of `args`; the rest is left for the
// analysis options. Returns an error line, or the empty text.
std::string ParseReportOptions(const std::vector<std::string>& args, ReportOptions& options)
{
    const std::vector<std::string_view> own = {"--report",  "--out",     "--prepared-for", "--last-page",
                                               "--advisor", "--company", "--data-dir"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        if (std::find(own.begin(), own.end(), name) == own.end()) {
            options.analysisArgs.push_back(arg);
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size())
                return name + ": missing value";
            value = args[++i];
        }
        const std::string& v = *value;
        if (name == "--report") {
            if (v == "summary")
                options.kind = ReportKind::Summary;
            else if (v == "projection")
                options.kind = ReportKind::Projection;
            else if (v == "checklist")
                options.kind = ReportKind::Checklist;
            else if (v == "risk")
                options.kind = ReportKind::Outcomes;
            else
                return "--report: '" + v + "' is not a report: summary, projection, checklist or risk";
        } else if (name == "--out") {
            if (v.empty())
                return "--out: missing value (FILE.pdf)";
            options.out = v;
        } else if (name == "--prepared-for") {
            options.preparedFor = v;
        } else if (name == "--last-page") {
            if (v == "checklist")
                options.lastPage = LastPage::Checklist;
            else if (v == "signatures")
                options.lastPage = LastPage::Signatures;
            else if (v == "disclaimer")
                options.lastPage = LastPage::Disclaimer;
            else
                return "--last-page: '" + v + "' is not checklist, signatures or disclaimer";
        } else if (name == "--advisor") {
            options.advisor = v;
        } else if (name == "--company") {
            options.company = v;
        } else if (name == "--data-dir") {
            if (v.empty())
                return "--data-dir: missing value (DIR)";
            options.dataDir = std::filesystem::path(v);
        }
    }
    return {};
}

// What the print dialog would not offer, as one line; the empty text when
// the options are allowed.
std::string RefusedChoice(const ReportOptions& options, const ProgramSettings& settings, Strategy strategy)
{
    const bool qzx = settings.sponsorInfo.hasChecklistReport();
    if (options.kind == ReportKind::Checklist && !qzx)
        return "--report checklist: this sponsor has no suitability checklist report";
    if (qzx && options.lastPage && *options.lastPage != LastPage::Disclaimer)
        return "--last-page: this sponsor's summary always ends with the legal disclaimer; leave --last-page out "
               "or choose disclaimer";
    if (options.lastPage == LastPage::Checklist && strategy == Strategy::RRSP)
        return "--last-page checklist: the RRSP loan's summary has no checklist; choose signatures or disclaimer";
    return {};
}

// The summary's last page as the print dialog would leave it.
void ChooseLastPage(const ReportOptions& options, const ProgramSettings& settings, Strategy strategy, PrintJob& job)
{
    const SettingValues& v = settings.values;
    LastPage last = LastPage::Signatures;
    if (v.flag(Setting::PrintSummaryChecklist))
        last = LastPage::Checklist;
    if (v.flag(Setting::PrintLegalDisclaimer))
        last = LastPage::Disclaimer;
    if (v.flag(Setting::PrintSignatures))
        last = LastPage::Signatures;
    if (options.lastPage)
        last = *options.lastPage;
    else if (last == LastPage::Checklist && strategy == Strategy::RRSP)
        last = LastPage::Signatures;
    if (settings.sponsorInfo.hasChecklistReport()) {
        job.PrintCheckList = false;
        job.PrintSignatures = false;
        job.PrintLegalDisclaimer = true;
        return;
    }
    job.PrintCheckList = last == LastPage::Checklist;
    job.PrintSignatures = !job.PrintCheckList;
    job.PrintLegalDisclaimer = last == LastPage::Disclaimer;
}

// Qt's own notes about the platform would only confuse a command's output;
// printing failures are reported by the reports themselves.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << kPrefix << message.toStdString() << '\n';
}

// Drawing text needs a GUI application; no display is needed.
std::unique_ptr<QGuiApplication> OffscreenApplication()
{
    qInstallMessageHandler(QuietQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "gearwise-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int runReport(const std::vector<std::string>& args)
{
    ReportOptions options;
    if (const std::string error = ParseReportOptions(args, options); !error.empty()) {
        std::cerr << kPrefix << error << '\n';
        return kExitBadInput;
    }

    const ProgramFolders folders = ProgramFoldersFor(options.dataDir);
    const std::filesystem::path& folder = folders.data;
    if (!std::filesystem::exists(folder / kSponsorFileName)) {
        std::cerr << kPrefix << kConfigFileError << ": there is no " << kSponsorFileName << " in '" << folder.string()
                  << "'\n";
        return kExitBadInput;
    }
    StderrSettingsReporter settingsReporter;
    const std::optional<AnalyzeData> data = LoadAnalyzeData(folders, settingsReporter);
    if (!data) {
        std::cerr << kPrefix << "the data files in '" << folder.string() << "' cannot be used\n";
        return kExitBadInput;
    }
    if (options.help) {
        std::cout << kUsage << AnalyzeHelpText(data->defaults, folder);
        return kExitOk;
    }
    if (!options.kind) {
        std::cerr << kPrefix << "--report: missing (summary, projection, checklist or risk)\n";
        return kExitBadInput;
    }
    if (options.out.empty()) {
        std::cerr << kPrefix << "--out: missing (the PDF file to write)\n";
        return kExitBadInput;
    }
    // The range of outcomes' own options are taken by every report and read
    // by that one.
    const ParsedRisk parsed = ParseRiskOptions(options.analysisArgs, data->defaults);
    if (const auto* error = std::get_if<OptionError>(&parsed)) {
        std::cerr << kPrefix << error->message << '\n';
        return kExitBadInput;
    }
    if (std::holds_alternative<HelpRequested>(parsed)) {
        std::cout << kUsage << AnalyzeHelpText(data->defaults, folder);
        return kExitOk;
    }
    const RiskRequest& riskRequest = std::get<RiskRequest>(parsed);
    const AnalyzeRequest& request = riskRequest.analysis;
    if (!request.saveCase.empty()) {
        std::cerr << kPrefix << "--save-case: only 'gearwise-cli analyze' saves a case\n";
        return kExitBadInput;
    }
    if (const std::string refused = RefusedChoice(options, data->settings, request.strategy); !refused.empty()) {
        std::cerr << kPrefix << refused << '\n';
        return kExitBadInput;
    }

    ProgramSettings settings = data->settings;
    settings.CurrentLanguage = request.language;

    // The states are large; keep them off the stack.
    auto state = std::make_unique<AnalysisState>();
    const AnalysisOutcome outcome = RunAnalysis(request.strategy, request.inputs, *state);
    if (!outcome.ok()) {
        std::cerr << kPrefix << "the analysis failed: " << outcome.error << '\n';
        return kExitAnalysisFailed;
    }

    std::optional<OutcomeResults> outcomes;
    if (options.kind == ReportKind::Outcomes) {
        try {
            outcomes = SimulateOutcomes(request.strategy, request.inputs, riskRequest.options);
        } catch (const AnalysisError& error) {
            std::cerr << kPrefix << "the range of outcomes failed: " << error.what() << '\n';
            return kExitAnalysisFailed;
        }
    }

    PrintJob job;
    job.PreparedForName = options.preparedFor.value_or(request.client);
    job.PrintName = !job.PreparedForName.empty();
    AdvisorInfo advisor = ReadAdvisorInfo(settings.UserLines);
    if (options.advisor)
        advisor.name = CleanAdvisorField(*options.advisor);
    if (options.company)
        advisor.companyName = CleanAdvisorField(*options.company);
    job.PrintCompanyName = options.company.has_value() && !advisor.companyName.empty();
    ChooseLastPage(options, settings, request.strategy, job);

    const auto application = OffscreenApplication();
    ReportData report = MakeReportData(settings, request.language, request.strategy,
                                       *outcome.results);
    // The pictures are installed with the program's data.
    if (!std::filesystem::exists(report.pictureFolder / std::string(kEnglishReportPicture)))
        report.pictureFolder = FindDataFolder(ExecutableFolder());
    if (outcomes)
        report.outcomes = &*outcomes;

    StderrPrintReporter printReporter;
    PainterPage page(PdfOutput{options.out});
    PrintContext context = MakePrintContext(page, printReporter, settings, job, advisor);
    context.language = request.language;
    context.target = {.file = true, .name = options.out.string()};
    if (!PrintReport(*options.kind, context, report)) {
        std::cerr << kPrefix << "the report could not be written to '" << options.out.string() << "'\n";
        return kExitWriteFailed;
    }
    return kExitOk;
}

} // namespace gw::cli

#else

namespace gw::cli {

int runReport(const std::vector<std::string>&)
{
    std::cerr << "gearwise-cli report: printing is not part of this build; configure with "
                 "-DGEARWISE_BUILD_GUI=ON to build it\n";
    return 2;
}

} // namespace gw::cli

#endif
