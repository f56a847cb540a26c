#include "analyze_options.h"

#include "fieldvalues.h"
#include "money_field.h"
#include "numformat.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

namespace gw::cli {

namespace {

// An error message, or nothing when the value was taken.
using Problem = std::optional<std::string>;

std::string num(double value) { return ShortestDecimal(value); }

// More threads than this gain nothing on any machine the program runs on.
constexpr double kMaxThreads = 256;

// A plain number with a point ("8", "-3.5", "1e5"); no separators, no
// units, nothing after it, never NaN or infinity.
std::optional<double> readNumber(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const char* const last = std::to_address(text.end());
    const auto [end, ec] = std::from_chars(text.data(), last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string_view> splitCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return parts;
        text.remove_prefix(comma + 1);
    }
}

// A legal range of one field, as the input panel or the setup dialog holds it.
struct Rule {
    std::string what;   // "the marginal tax rate"
    std::string unit;   // "per cent"
    double low = 0;
    double high = INFINITY;
    bool whole = false;

    std::string span() const
    {
        if (std::isinf(low))
            return "any amount";
        if (std::isinf(high))
            return num(low) + " or more";
        return num(low) + " to " + num(high);
    }

    std::string range() const
    {
        const std::string text = what + " is " + (whole ? "a whole " : "") + unit;
        return std::isinf(low) ? text + ", " + span() : text + (std::isinf(high) ? ", " : " from ") + span();
    }
};

std::string unitWords(Unit unit)
{
    switch (unit) {
    case Unit::Dollars: return "dollars";
    case Unit::Percent: return "per cent";
    case Unit::Years: return "number of years";
    case Unit::Count:
    case Unit::Index:
    case Unit::Flag: return "number";
    }
    return "number";
}

// The rule of the window's field for `s`.
Rule ruleOf(Setting s, const std::string& what, const SettingValues& limits)
{
    const LegalRange range = RangeOf(s, limits);
    return {what, unitWords(Row(s).unit), range.low, range.high, range.whole};
}

Problem checkValue(double value, std::string_view text, const Rule& rule)
{
    if (value < rule.low || value > rule.high)
        return std::string(text) + " is out of range: " + rule.range();
    if (rule.whole && value != std::floor(value))
        return std::string(text) + " is not a whole number: " + rule.range();
    return std::nullopt;
}

// A number for setting `s`, kept as its field keeps it and within its range.
Problem readSetting(std::string_view text, Setting s, const Rule& rule, SettingValues& fields)
{
    const auto typed = readNumber(text);
    if (!typed)
        return "'" + std::string(text) + "' is not a number: " + rule.range();
    const double value = EnteredValue(s, *typed);
    if (auto problem = checkValue(value, text, rule))
        return problem;
    fields[s] = value;
    return std::nullopt;
}

const char* const kOrdinals[4] = {"first", "second", "third", "fourth"};

// Four comma-separated values, into the four settings in order.
Problem readFour(std::string_view text, const std::array<Setting, 4>& settings, const Rule& rule,
                 SettingValues& fields)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 4)
        return "'" + std::string(text) + "' is not four values separated by commas: " + rule.range();
    SettingValues read = fields;
    for (size_t i = 0; i < 4; ++i) {
        if (auto problem = readSetting(parts[i], settings[i], rule, read))
            return std::string("in the ") + kOrdinals[i] + " place, " + *problem;
    }
    fields = read;
    return std::nullopt;
}

std::array<Setting, 4> numbered(Setting first)
{
    return {first, Nth(first, 1), Nth(first, 2), Nth(first, 3)};
}

// The breakdown in its stored order: deferred capital gains, capital gains,
// dividends, interest.
constexpr std::array<Setting, 4> kBreakdown{Setting::DeferredCapitalGains, Setting::CapitalGains,
                                            Setting::Dividends, Setting::Interest};

std::optional<bool> readYesNo(std::string_view text)
{
    if (text == "yes")
        return true;
    if (text == "no")
        return false;
    return std::nullopt;
}

std::string notYesNo(std::string_view text) { return "'" + std::string(text) + "' is not yes or no"; }

// Dollars read as the window keeps the loan amount: whole, and at least $1.
Problem readPositiveDollars(std::string_view text, const std::string& what, const SettingValues& limits,
                            double& target)
{
    const auto value = readNumber(text);
    const std::string range = what + " is in dollars and must be from $1 to $" + num(kMostDollars) +
                              " after rounding to whole dollars";
    if (!value)
        return "'" + std::string(text) + "' is not a number: " + range;
    const double whole = EnteredValue(Setting::LoanAmount, *value);
    if (!RangeOf(Setting::LoanAmount, limits).contains(whole))
        return std::string(text) + " is out of range: " + range;
    target = whole;
    return std::nullopt;
}

struct Parsed {
    AnalyzeRequest request;
    double annualGiven = 0;
    int threads = 0;  // risk: --threads
};

// The commands that take the analysis options.
enum class Command { Analyze, Risk };

const char* commandName(Command command) { return command == Command::Risk ? "risk" : "analyze"; }

std::string quotedPath(const std::filesystem::path& file) { return "'" + file.string() + "'"; }

// Why a case was refused, on one line.
std::string caseProblem(const CaseError& e, const std::filesystem::path& file)
{
    const std::string name = quotedPath(file);
    switch (e.problem) {
    case CaseProblem::Unreadable:
        return "cannot read " + name + ": " + e.detail;
    case CaseProblem::NotJson:
        return name + " is not a client case: its JSON stops making sense at byte " + e.detail;
    case CaseProblem::NotCase:
        return name + " is not a client case (it needs \"format\": \"" + std::string(kCaseFormat) +
               "\" and a \"version\")";
    case CaseProblem::NewerVersion:
        return name + " was saved by a later version of the program (case version " + std::to_string(e.version) +
               "; this version reads up to " + std::to_string(kCaseVersion) + ")";
    case CaseProblem::BreakdownTotal:
        return name + ": the four parts of the return total " + num(e.total) + ": they must total 100";
    case CaseProblem::TooManyYears:
        return name + ": its repeated loans span " + num(e.total) + " years: (times + 1) x savings period must be at most " +
               std::to_string(kMostYears);
    case CaseProblem::IllegalValue:
        break;
    }
    const std::string key = name + ": \"" + e.key + "\"";
    switch (e.expect) {
    case CaseExpect::Text:
        return key + " must be text";
    case CaseExpect::Choice: {
        std::string list;
        for (const std::string& choice : e.choices)
            list += (list.empty() ? "" : ", ") + choice;
        return key + " must be one of: " + list;
    }
    case CaseExpect::Number:
        break;
    }
    return key + " is out of range: a " + (e.range.whole ? "whole " : "") + "number from " + num(e.range.low) +
           " to " + num(e.range.high);
}

struct OptionSpec {
    std::string name;         // without "--"
    std::string metavar;      // empty for a flag
    std::string help;         // unit and range
    std::string defaultText;  // the default as it would be typed; empty for none
    bool flag = false;        // bare, or followed by yes|no
    // Sets its part of the request from a value, and nothing else.
    std::function<Problem(std::string_view)> apply;
    bool replacesAll = false;  // sets every value that an option sets
};

std::string yesNo(bool value) { return value ? "yes" : "no"; }

std::vector<std::string> offeredNames(const SettingValues& values)
{
    std::vector<std::string> names;
    for (Strategy s : kStrategies) {
        if (StrategyOffered(values, s))
            names.push_back(StrategyName(s));
    }
    return names;
}

std::vector<OptionSpec> analyzeOptions(const AnalyzeDefaults& d, Parsed& p, Command command)
{
    SettingValues& fields = p.request.fields;
    const SettingValues& limits = d.values;
    // What the window's field shows of a default, as the option would be typed.
    const auto shown = [&d](Setting s) { return num(ShownValue(s, d.values[s])); };
    const auto shownFour = [&](const std::array<Setting, 4>& settings) {
        return shown(settings[0]) + "," + shown(settings[1]) + "," + shown(settings[2]) + "," + shown(settings[3]);
    };

    std::vector<OptionSpec> options;
    // One setting per option: its help is the rule of the window's field.
    const auto settingOption = [&](const std::string& name, const std::string& metavar, const std::string& what,
                                   Setting s, const std::string& help) {
        const Rule rule = ruleOf(s, "the " + what, limits);
        options.push_back({name, metavar, help.empty() ? what + ", " + rule.unit + ", " + rule.span() : help,
                           shown(s), false,
                           [&fields, s, rule](std::string_view v) { return readSetting(v, s, rule, fields); }});
    };
    const auto fourOption = [&](const std::string& name, const std::string& metavar, const std::string& what,
                                const std::array<Setting, 4>& settings, const std::string& help) {
        const Rule rule = ruleOf(settings[0], "each " + what, limits);
        options.push_back({name, metavar, help + ", " + rule.unit + ", each " + rule.span(), shownFour(settings),
                           false, [&fields, settings, rule](std::string_view v) {
                               return readFour(v, settings, rule, fields);
                           }});
    };
    const auto flagOption = [&](const std::string& name, const std::string& who, Setting s) {
        options.push_back({name, "",
                           who + " deduction of the interest limited to investment income; bare, or followed "
                                 "by yes or no",
                           yesNo(d.values.flag(s)), true, [&fields, s](std::string_view v) -> Problem {
                               const std::optional<bool> on = readYesNo(v);
                               if (!on)
                                   return notYesNo(v);
                               fields.setFlag(s, *on);
                               return std::nullopt;
                           }});
    };
    // The setup's list: entry 0 "yes", capital gains count as investment income.
    const auto includeOption = [&](const std::string& name, const std::string& where, Setting s) {
        options.push_back({name, "yes|no", "capital gains count as investment income " + where,
                           yesNo(d.values.index(s) == 0), false, [&fields, s](std::string_view v) -> Problem {
                               const std::optional<bool> yes = readYesNo(v);
                               if (!yes)
                                   return notYesNo(v);
                               fields[s] = *yes ? 0 : 1;
                               return std::nullopt;
                           }});
    };

    const std::vector<std::string> names = offeredNames(d.values);
    std::string strategyHelp = names.empty() ? "none" : names.back();
    if (names.size() > 1) {
        std::string list = names[0];
        for (size_t i = 1; i + 1 < names.size(); ++i)
            list += ", " + names[i];
        strategyHelp = list + " or " + strategyHelp;
    }
    options.push_back({"strategy", "NAME", "strategies offered: " + strategyHelp, StrategyName(d.strategy), false,
                       [&p, &d](std::string_view v) -> Problem {
                           for (Strategy s : kStrategies) {
                               if (v != StrategyName(s))
                                   continue;
                               if (!StrategyOffered(d.values, s))
                                   return "the " + std::string(v) + " strategy is not offered in this copy";
                               p.request.strategy = s;
                               return std::nullopt;
                           }
                           return "'" + std::string(v) + "' is not a strategy: interest-only, term or rrsp";
                       }});
    options.push_back({"case", "FILE",
                       "start from the client case in FILE (.gwcase): its strategy, values, client and note; "
                       "options after it change them, options before it are replaced",
                       "", false, [&p, &d](std::string_view v) -> Problem {
                           const std::filesystem::path file{std::string(v)};
                           const CaseReadResult read = LoadCaseFile(file, d.values);
                           if (!read.clientCase)
                               return caseProblem(read.error, file);
                           p.request.strategy = read.clientCase->strategy;
                           ApplyCase(*read.clientCase, p.request.fields);
                           p.request.client = read.clientCase->client;
                           p.request.note = read.clientCase->note;
                           return std::nullopt;
                       }});
    options.back().replacesAll = true;
    options.push_back({"loan-amount", "DOLLARS", "loan amount, dollars, 1 to 99999999 after rounding to whole dollars",
                       shown(Setting::LoanAmount), false, [&fields, &limits](std::string_view v) {
                           return readPositiveDollars(v, "the loan amount", limits, fields[Setting::LoanAmount]);
                       }});
    options.push_back({"annual-investment", "DOLLARS",
                       "after-tax annual investment instead of the loan amount, dollars, 1 to 99999999 "
                       "after rounding to whole dollars; the loan amount is the one that costs it",
                       "", false, [&p, &limits](std::string_view v) {
                           return readPositiveDollars(v, "the after-tax annual investment", limits, p.annualGiven);
                       }});
    settingOption("tax-rate", "PERCENT", "marginal tax rate", Setting::TaxRate, "");
    settingOption("interest-rate", "PERCENT", "loan interest rate", Setting::InterestRateOnLoan, "");
    settingOption("savings-period", "YEARS", "savings period", Setting::SavingsPeriod,
                  "savings period, whole years, " + ruleOf(Setting::SavingsPeriod, "", limits).span());
    fourOption("returns", "R1,R2,R3,R4", "return", numbered(Setting::ProjectedReturn1),
               "the four projected before-tax returns");
    options.back().help += "; the projection runs at R3";
    settingOption("times-repeated", "COUNT", "number of times the loan is repeated", Setting::TimesLoanRepeated,
                  "times the term or RRSP loan is taken again once repaid, whole number, " +
                      ruleOf(Setting::TimesLoanRepeated, "", limits).span() +
                      ", with (times + 1) x savings period at most 80 years");
    {
        const Rule part = ruleOf(kBreakdown[0], "each part", limits);
        options.push_back({"breakdown", "DCG,CG,DIV,INT",
                           "breakdown of the gross return into deferred capital gains, capital gains, dividends "
                           "and interest, whole per cent, each " +
                               part.span() + ", totalling 100",
                           shownFour(kBreakdown), false, [&fields, part](std::string_view v) -> Problem {
                               SettingValues read = fields;
                               if (auto problem = readFour(v, kBreakdown, part, read))
                                   return problem;
                               double total = 0;
                               for (Setting s : kBreakdown)
                                   total += read[s];
                               if (total != 100)
                                   return "the parts total " + num(total) + ": they must total 100";
                               fields = read;
                               return std::nullopt;
                           }});
    }
    settingOption("investment-type", "INDEX", "investment type", Setting::InvestmentType,
                  "investment loan type, 0 \"100%\", 1 \"1:1\", 2 \"2:1\", 3 \"3:1\", 4 \"4:1\"");
    settingOption("other-unleveraged", "DOLLARS", "other unleveraged investments", Setting::OtherUnleveragedIncome,
                  "");
    settingOption("inclusion-rate", "PERCENT", "capital-gains inclusion rate", Setting::CapGainsInclusionRate, "");
    settingOption("federal-ratio", "PERCENT", "federal share of the marginal tax rate", Setting::FederalToMTRRatio,
                  "");
    flagOption("fed-limited", "federal", Setting::FedLimitedDeduct);
    flagOption("prov-limited", "provincial", Setting::ProvLimitedDeduct);
    settingOption("fed-deductible", "PERCENT", "federal deductible portion of the interest when not limited",
                  Setting::FedInterestDeductibility, "");
    settingOption("prov-deductible", "PERCENT", "provincial deductible portion of the interest when not limited",
                  Setting::ProvInterestDeductibility, "");
    includeOption("fed-include-cg", "federally", Setting::FedIncludeCapGains);
    includeOption("prov-include-cg", "provincially", Setting::ProvIncludeCapGains);
    fourOption("interest-tax-rates", "a,b,c,d", "rate", numbered(Setting::InterestTaxRate1),
               "tax rates on interest of the four tax brackets, lowest first");
    fourOption("dividend-tax-rates", "a,b,c,d", "rate", numbered(Setting::DividendTaxRate1),
               "tax rates on dividends of the four tax brackets, lowest first");
    if (command == Command::Risk) {
        settingOption("volatility", "PERCENT", "volatility", Setting::Volatility,
                      "volatility: the standard deviation of a year's return, per cent, " +
                          ruleOf(Setting::Volatility, "", limits).span() +
                          "; with --breakdown and no --volatility, the usual volatility of that mix");
        settingOption("paths", "COUNT", "number of paths", Setting::OutcomePaths,
                      "number of paths of yearly returns simulated, whole number, " +
                          ruleOf(Setting::OutcomePaths, "", limits).span());
        settingOption("seed", "NUMBER", "seed", Setting::OutcomeSeed,
                      "seed of the random returns, whole number, " + ruleOf(Setting::OutcomeSeed, "", limits).span() +
                          "; the same seed gives the same figures");
        const Rule threads{"the number of threads", "number", 0, kMaxThreads, true};
        options.push_back({"threads", "COUNT",
                           "threads to run the paths on, whole number, " + threads.span() +
                               ", 0 for one per core; the figures never depend on it",
                           "0", false, [&p, threads](std::string_view v) -> Problem {
                               const auto value = readNumber(v);
                               if (!value)
                                   return "'" + std::string(v) + "' is not a number: " + threads.range();
                               if (auto problem = checkValue(*value, v, threads))
                                   return problem;
                               p.threads = static_cast<int>(*value);
                               return std::nullopt;
                           }});
    }
    options.push_back({"client", "NAME", "the client's name, kept in a saved case and printed by 'report' on its "
                       "Prepared-for line", "", false, [&p](std::string_view v) -> Problem {
                           p.request.client = v;
                           return std::nullopt;
                       }});
    options.push_back({"note", "TEXT", "a note kept in a saved case", "", false, [&p](std::string_view v) -> Problem {
                           p.request.note = v;
                           return std::nullopt;
                       }});
    options.push_back({"save-case", "FILE",
                       "also write the client case of this analysis to FILE, replacing it whole; a failed write "
                       "leaves the old file as it was",
                       "", false, [&p](std::string_view v) -> Problem {
                           p.request.saveCase = std::string(v);
                           return std::nullopt;
                       }});
    options.push_back({"language", "en|fr", command == Command::Risk ? "language of the sentences" : "language of the notes", LanguageName(d.language), false,
                       [&p](std::string_view v) -> Problem {
                           if (v == LanguageName(English))
                               p.request.language = English;
                           else if (v == LanguageName(French))
                               p.request.language = French;
                           else
                               return "'" + std::string(v) + "' is not a language: en or fr";
                           return std::nullopt;
                       }});
    options.push_back({"format", "json|csv", "output format", d.format == OutputFormat::Csv ? "csv" : "json", false,
                       [&p](std::string_view v) -> Problem {
                           if (v == "json")
                               p.request.format = OutputFormat::Json;
                           else if (v == "csv")
                               p.request.format = OutputFormat::Csv;
                           else
                               return "'" + std::string(v) + "' is not a format: json or csv";
                           return std::nullopt;
                       }});
    return options;
}

// "  --name VALUE" and its description wrapped under column kHelpIndent.
std::string helpEntry(const std::string& head, const std::string& description)
{
    constexpr size_t kHelpIndent = 30;
    constexpr size_t kHelpWidth = 79;
    std::string text = head;
    size_t column = head.size();
    if (column + 1 > kHelpIndent) {
        text += "\n";
        column = 0;
    }
    text += std::string(kHelpIndent - column, ' ');
    column = kHelpIndent;
    size_t start = 0;
    while (start < description.size()) {
        size_t end = description.find(' ', start);
        if (end == std::string::npos)
            end = description.size();
        const size_t length = end - start;
        // No description holds a word that fills a line on its own.
        if (column + 1 + length > kHelpWidth) {
            text += "\n" + std::string(kHelpIndent, ' ');
            column = kHelpIndent;
        } else if (column > kHelpIndent) {
            text += ' ';
            ++column;
        }
        text.append(description, start, length);
        column += length;
        start = end + 1;
    }
    return text + "\n";
}

OptionError optionError(std::string_view name, const std::string& problem)
{
    return {"--" + std::string(name) + ": " + problem};
}

// Checks that need more than one option, and the loan amount that a typed
// annual investment asks for.
std::optional<OptionError> crossCheck(Parsed& p, bool loanGiven)
{
    AnalysisInputs& in = p.request.inputs;
    in = InputsFrom(p.request.fields);
    const Strategy strategy = p.request.strategy;
    if (strategy != Strategy::InterestOnly && (in.timesRepeated + 1) * in.savingsPeriod > kMostYears) {
        return optionError("times-repeated",
                           num(in.timesRepeated) + " with a savings period of " + num(in.savingsPeriod) +
                               " years makes " + num((in.timesRepeated + 1) * in.savingsPeriod) +
                               " years: (times + 1) x savings period must be at most " + std::to_string(kMostYears) +
                               ", so at most " + num(std::floor(kMostYears / in.savingsPeriod) - 1) + " here");
    }
    if (!p.request.annualInvestmentGiven) {
        // The window keeps the annual investment a loan asks for within the
        // same highest amount.
        const auto annual = setAnnualInvestment(strategy, in);
        if (annual && RoundHalfAwayFromZero(*annual) > kMostDollars) {
            const auto most = MostLoanAmountWithin(strategy, in, kMostDollars);
            return optionError("loan-amount", "a loan of $" + num(in.loanAmount) + " makes the after-tax annual investment $" +
                                                  num(RoundHalfAwayFromZero(*annual)) + ", above the highest amount $" +
                                                  num(kMostDollars) + (most ? "; at most $" + num(*most) + " here" : ""));
        }
        return std::nullopt;
    }
    if (loanGiven)
        return optionError("annual-investment", "give either --loan-amount or --annual-investment, not both");
    in.annualInvestment = p.annualGiven;
    const std::string asked = "no loan amount of at least $1 has an after-tax annual investment of $" +
                              num(p.annualGiven) + " for the " + StrategyName(strategy) +
                              " strategy with these inputs";
    const auto loan = setLoanAmount(strategy, in);
    if (!loan)
        return optionError("annual-investment", asked);
    const double whole = RoundHalfAwayFromZero(*loan);
    if (!(whole > 0))
        return optionError("annual-investment", asked);
    if (whole > kMostDollars) {
        const auto most = MostAnnualInvestmentWithin(strategy, in, kMostDollars);
        return optionError("annual-investment", "$" + num(p.annualGiven) + " asks for a loan of $" + num(whole) +
                                                    ", above the highest amount $" + num(kMostDollars) +
                                                    (most ? "; at most $" + num(*most) + " here" : ""));
    }
    in.loanAmount = whole;
    p.request.fields[Setting::LoanAmount] = whole;
    return std::nullopt;
}

} // namespace

// The command line and the case files name the strategies alike.
const char* StrategyName(Strategy strategy) { return CaseStrategyName(strategy); }

const char* LanguageName(Language language) { return language == French ? "fr" : "en"; }

namespace {

using ParsedOptions = std::variant<Parsed, HelpRequested, OptionError>;

ParsedOptions parseOptions(const std::vector<std::string>& args, const AnalyzeDefaults& defaults, Command command)
{
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h")
            return HelpRequested{};
    }
    Parsed p;
    p.request.strategy = defaults.strategy;
    p.request.format = defaults.format;
    p.request.language = defaults.language;
    // Settings without an option start as the window starts them; those with
    // one take their default through the option's checks below.
    p.request.fields = StartValues(defaults.values);
    const std::vector<OptionSpec> options = analyzeOptions(defaults, p, command);

    // The defaults come from data files that anyone can edit: each goes
    // through its option's checks, and counts only if no option replaces it.
    std::vector<Problem> defaultProblems(options.size());
    for (size_t k = 0; k < options.size(); ++k) {
        if (!options[k].defaultText.empty())
            defaultProblems[k] = options[k].apply(options[k].defaultText);
    }
    std::vector<bool> given(options.size(), false);
    const auto isGiven = [&](std::string_view name) {
        for (size_t k = 0; k < options.size(); ++k) {
            if (options[k].name == name)
                return static_cast<bool>(given[k]);
        }
        return false;
    };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--") || arg.size() == 2)
            return OptionError{"unexpected argument '" + std::string(arg) + "' (options start with --)"};
        const size_t equals = arg.find('=');
        const std::string_view name = arg.substr(2, equals == std::string_view::npos ? arg.npos : equals - 2);
        size_t k = 0;
        while (k < options.size() && options[k].name != name)
            ++k;
        if (k == options.size())
            return OptionError{"unknown option --" + std::string(name) + " (see 'gearwise-cli " +
                               commandName(command) + " --help')"};
        const OptionSpec& option = options[k];

        std::string_view value;
        if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
            if (value.empty())
                return optionError(name, "missing value after '='");
        } else if (option.flag) {
            // No word stands alone here, so one that follows a flag is its value.
            value = "yes";
            if (i + 1 < args.size() && !std::string_view(args[i + 1]).starts_with("--"))
                value = args[++i];
        } else if (i + 1 < args.size() && !std::string_view(args[i + 1]).starts_with("--")) {
            value = args[++i];
        } else {
            return optionError(name, "missing value (" + option.metavar + ")");
        }
        if (option.replacesAll) {
            std::fill(given.begin(), given.end(), false);
            for (Problem& problem : defaultProblems)
                problem.reset();
        }
        given[k] = true;
        defaultProblems[k].reset();
        if (auto problem = option.apply(value))
            return optionError(name, *problem);
    }
    p.request.annualInvestmentGiven = isGiven("annual-investment");
    for (size_t k = 0; k < options.size(); ++k) {
        // A loan amount asked for by --annual-investment replaces the default.
        if (options[k].name == "loan-amount" && p.request.annualInvestmentGiven)
            continue;
        if (defaultProblems[k]) {
            return optionError(options[k].name, "the default from the data files is refused: " +
                                                    *defaultProblems[k] + " (give --" + options[k].name +
                                                    " to replace it)");
        }
    }
    // The projection runs at the third return, and its field shows it.
    p.request.fields[Setting::ProjectionReturn] = p.request.fields[Setting::ProjectedReturn3];
    // A mix chosen here without a volatility takes the mix's own: the data
    // files' volatility goes with their mix.
    if (command == Command::Risk && isGiven("breakdown") && !isGiven("volatility")) {
        std::array<double, 4> breakdown{};
        for (size_t i = 0; i < 4; ++i)
            breakdown[i] = p.request.fields[kBreakdown[i]];
        p.request.fields[Setting::Volatility] = ShownValue(Setting::Volatility, DefaultVolatility(breakdown));
    }
    if (auto error = crossCheck(p, isGiven("loan-amount")))
        return *error;
    return p;
}

std::string optionsHelp(const AnalyzeDefaults& defaults, Command command)
{
    Parsed scratch;
    std::string text;
    for (const OptionSpec& o : analyzeOptions(defaults, scratch, command)) {
        const std::string description = o.defaultText.empty() ? o.help : o.help + " (default " + o.defaultText + ")";
        text += helpEntry("  --" + o.name + (o.flag ? " [yes|no]" : " " + o.metavar), description);
    }
    text += helpEntry("  --data-dir DIR",
                      "the folder of the data files to read instead of the program's folder; Config.dat "
                      "must be there");
    text += helpEntry("  --help", "this text");
    return text;
}

std::string dataFilesHelp(const std::filesystem::path& dataFolder)
{
    return "takes its default; a repeated option takes its last value. The defaults,\n"
           "the strategies offered and the return and interest-rate limits come from\n"
           "the data files (Config.dat, User.dat when saved, english.txt, french.txt)\n"
           "in the program's folder or in --data-dir; those shown below were read from\n"
           "  " +
           dataFolder.string() +
           "\n"
           "\n"
           "Options:\n";
}

} // namespace

ParsedAnalyze ParseAnalyzeOptions(const std::vector<std::string>& args, const AnalyzeDefaults& defaults)
{
    ParsedOptions parsed = parseOptions(args, defaults, Command::Analyze);
    if (auto* p = std::get_if<Parsed>(&parsed))
        return std::move(p->request);
    if (auto* error = std::get_if<OptionError>(&parsed))
        return std::move(*error);
    return HelpRequested{};
}

ParsedRisk ParseRiskOptions(const std::vector<std::string>& args, const AnalyzeDefaults& defaults)
{
    ParsedOptions parsed = parseOptions(args, defaults, Command::Risk);
    if (auto* p = std::get_if<Parsed>(&parsed)) {
        RiskRequest risk;
        risk.analysis = std::move(p->request);
        const SettingValues& f = risk.analysis.fields;
        risk.options.volatility = f[Setting::Volatility];
        risk.options.paths = static_cast<int>(f[Setting::OutcomePaths]);
        risk.options.seed = static_cast<std::uint64_t>(f[Setting::OutcomeSeed]);
        risk.options.threads = p->threads;
        return risk;
    }
    if (auto* error = std::get_if<OptionError>(&parsed))
        return std::move(*error);
    return HelpRequested{};
}

std::string AnalyzeHelpText(const AnalyzeDefaults& defaults, const std::filesystem::path& dataFolder)
{
    std::string text =
        "Usage: gearwise-cli analyze [options]\n"
        "\n"
        "Runs one analysis and prints its figures on standard output. Every option\n"
        "takes '--option value' or '--option=value'; per cents are written as typed\n"
        "(8 for 8 %), numbers with a point and no separators. An option left out\n" +
        dataFilesHelp(dataFolder) + optionsHelp(defaults, Command::Analyze);
    text +=
        "\n"
        "Output: JSON (one object; amounts in dollars, returns and per-cent increases\n"
        "as fractions, null for a missing return; \"inputs\" echoes every input in the\n"
        "units of its option, \"notes\" holds the explanatory notes) or CSV (the\n"
        "summary table, a blank line, then the year-by-year projection at R3; no notes).\n"
        "\n"
        "Exit status: 0 success; 2 bad input, a refused case or unusable data files\n"
        "(one line on standard error naming the option, the case's key and its range,\n"
        "nothing on standard output); 3 the analysis failed; 1 standard output or the\n"
        "case file could not be written.\n";
    return text;
}

} // namespace gw::cli

namespace gw::cli {

std::string RiskHelpText(const AnalyzeDefaults& defaults, const std::filesystem::path& dataFolder)
{
    std::string text =
        "Usage: gearwise-cli risk [options]\n"
        "\n"
        "Runs the range of outcomes: the selected strategy over many paths of yearly\n"
        "returns drawn around the projection return (R3) with the given volatility,\n"
        "and prints the percentiles of the values year by year and the chances at\n"
        "the horizon. It takes the options of 'analyze' and --volatility, --paths,\n"
        "--seed and --threads. Every option takes '--option value' or\n"
        "'--option=value'; per cents are written as typed (16 for 16 %),\n"
        "numbers with a point and no separators. An option left out\n" +
        dataFilesHelp(dataFolder) + optionsHelp(defaults, Command::Risk);
    text +=
        "\n"
        "Output: JSON (one object: the strategy, the horizon in years, \"options\"\n"
        "with the volatility, paths and seed used, \"inputs\" as 'analyze' echoes\n"
        "them, the projection return and volatility as fractions, the chance that\n"
        "leverage ends behind and the chance that the leveraged net value falls\n"
        "below 0 in some year, as fractions, \"difference_at_horizon\" and, under\n"
        "\"series\", each value's percentiles (p10, p25, p50, p75, p90, dollars)\n"
        "by year, then the language and the sentences) or CSV (one row per year\n"
        "with each series' percentiles, a blank line, then the horizon figures).\n"
        "Interest-only and term loans: the series leveraged (net of repaying the\n"
        "loan), unleveraged and difference; RRSP loans: catch_up, spend_refund,\n"
        "reinvest_refund, gross_up and difference (catch-up less gross-up). The\n"
        "same inputs, seed and paths give the same output on any number of threads.\n"
        "\n"
        "Exit status: 0 success; 2 bad input, a refused case or unusable data files\n"
        "(one line on standard error naming the option, the case's key and its range,\n"
        "nothing on standard output); 3 the simulation failed; 1 standard output or\n"
        "the case file could not be written.\n";
    return text;
}

} // namespace gw::cli
