#include "analyze_options.h"

#include "money_field.h"
#include "numformat.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <optional>
#include <string_view>
#include <system_error>

namespace gw::cli {

namespace {

// An error message, or nothing when the value was taken.
using Problem = std::optional<std::string>;

std::string num(double value) { return ShortestDecimal(value); }

// A plain number with a point ("8", "-3.5", "1e5"); no separators, no
// units, nothing after it, never NaN or infinity.
std::optional<double> readNumber(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
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

    std::string range() const
    {
        std::string text = what + " is " + (whole ? "a whole " : "") + unit;
        if (std::isinf(low))
            return text + ", any amount";
        if (std::isinf(high))
            return text + ", " + num(low) + " or more";
        return text + " from " + num(low) + " to " + num(high);
    }
};

Problem checkValue(double value, std::string_view text, const Rule& rule)
{
    if (value < rule.low || value > rule.high)
        return std::string(text) + " is out of range: " + rule.range();
    if (rule.whole && value != std::floor(value))
        return std::string(text) + " is not a whole number: " + rule.range();
    return std::nullopt;
}

Problem readChecked(std::string_view text, const Rule& rule, double& target)
{
    const auto value = readNumber(text);
    if (!value)
        return "'" + std::string(text) + "' is not a number: " + rule.range();
    if (auto problem = checkValue(*value, text, rule))
        return problem;
    target = *value;
    return std::nullopt;
}

const char* const kOrdinals[4] = {"first", "second", "third", "fourth"};

// Four comma-separated values, each within `rule`.
Problem readFour(std::string_view text, const Rule& rule, std::array<double, 4>& target)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 4)
        return "'" + std::string(text) + "' is not four values separated by commas: " + rule.range();
    std::array<double, 4> values{};
    for (size_t i = 0; i < 4; ++i) {
        if (auto problem = readChecked(parts[i], rule, values[i]))
            return std::string("in the ") + kOrdinals[i] + " place, " + *problem;
    }
    target = values;
    return std::nullopt;
}

Problem readBool(std::string_view text, bool& target)
{
    if (text != "yes" && text != "no")
        return "'" + std::string(text) + "' is not yes or no";
    target = text == "yes";
    return std::nullopt;
}

// Dollars read as the window keeps them: whole, and above 0.
Problem readPositiveDollars(std::string_view text, const std::string& what, double& target)
{
    const auto value = readNumber(text);
    const std::string range = what + " is in dollars and must be at least $1 after rounding to whole dollars";
    if (!value)
        return "'" + std::string(text) + "' is not a number: " + range;
    const double whole = RoundHalfAwayFromZero(*value);
    if (!(whole > 0))
        return std::string(text) + " is out of range: " + range;
    target = whole;
    return std::nullopt;
}

struct Parsed {
    AnalyzeRequest request;
    double annualGiven = 0;
};

struct OptionSpec {
    std::string name;         // without "--"
    std::string metavar;      // empty for a flag
    std::string help;         // unit and range
    std::string defaultText;  // the default as it would be typed; empty for none
    bool flag = false;        // bare, or followed by yes|no
    // Sets its part of the request from a value, and nothing else.
    std::function<Problem(std::string_view)> apply;
};

// The input panel's legal ranges: the spinners stand one step outside them,
// and the sponsor's limits move the return and interest-rate spinners.
struct Ranges {
    Rule loanRate, returns;
};

Ranges rangesFor(const InputLimits& limits)
{
    const double maxReturn = RoundHalfToEven(limits.MaxReturnAllowed + 1) - 1;
    const double minRate = RoundHalfToEven(limits.MinInterestRateAllowed - 1) + 1;
    return {Rule{"the loan interest rate", "per cent", minRate, 50},
            Rule{"each return", "per cent", -99, maxReturn}};
}

const Rule kTaxRate{"the marginal tax rate", "per cent", 0, 99};
const Rule kSavingsPeriod{"the savings period", "number of years", 1, 80, true};
const Rule kTimesRepeated{"the number of times the loan is repeated", "number", 0, 80, true};
const Rule kBreakdownPart{"each part", "per cent", 0, 100, true};
const Rule kInvestmentType{"the investment type", "number", 0, 4, true};
const Rule kOtherUnleveraged{"other unleveraged investments", "dollars", -INFINITY, INFINITY};
const Rule kInclusionRate{"the capital-gains inclusion rate", "per cent", 0, 100};
const Rule kFederalRatio{"the federal share of the marginal rate", "per cent", 0, 100};
const Rule kDeductible{"the deductible portion of the interest", "per cent", 0};
const Rule kTableRate{"each rate", "per cent", 0, 100};

std::string yesNo(bool value) { return value ? "yes" : "no"; }

std::string joinFour(const std::array<double, 4>& values)
{
    return num(values[0]) + "," + num(values[1]) + "," + num(values[2]) + "," + num(values[3]);
}

bool offered(const AnalysisRestrictions& restrictions, Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly:
        return restrictions.showIntOnlyAnalysis;
    case Strategy::TermLoan:
        return restrictions.showTermLoanAnalysis;
    case Strategy::RRSP:
        return restrictions.showRRSPAnalysis;
    }
    return false;
}

std::vector<OptionSpec> analyzeOptions(const AnalyzeDefaults& d, Parsed& p)
{
    AnalysisInputs& in = p.request.inputs;
    const AnalysisInputs base = InputsFromDefaults(d.inputs);
    const Ranges ranges = rangesFor(d.limits);
    std::array<double, 4> baseInterestRates{};
    std::array<double, 4> baseDividendRates{};
    for (size_t i = 0; i < 4; ++i) {
        baseInterestRates[i] = base.taxTable[i].interestRate;
        baseDividendRates[i] = base.taxTable[i].dividendRate;
    }

    std::vector<OptionSpec> options;
    std::vector<std::string> offeredNames;
    for (Strategy s : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
        if (offered(d.restrictions, s))
            offeredNames.push_back(StrategyName(s));
    }
    std::string strategyHelp = offeredNames.empty() ? "none" : offeredNames.back();
    if (offeredNames.size() > 1) {
        std::string list = offeredNames[0];
        for (size_t i = 1; i + 1 < offeredNames.size(); ++i)
            list += ", " + offeredNames[i];
        strategyHelp = list + " or " + strategyHelp;
    }
    options.push_back({"strategy", "NAME", "strategies offered: " + strategyHelp, StrategyName(d.strategy),
                       false,
                       [&p, &d](std::string_view v) -> Problem {
                           for (Strategy s : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
                               if (v != StrategyName(s))
                                   continue;
                               if (!offered(d.restrictions, s))
                                   return "the " + std::string(v) + " strategy is not offered in this copy";
                               p.request.strategy = s;
                               return std::nullopt;
                           }
                           return "'" + std::string(v) + "' is not a strategy: interest-only, term or rrsp";
                       }});
    options.push_back({"loan-amount", "DOLLARS", "loan amount, dollars, at least 1 after rounding to whole dollars",
                       num(base.loanAmount), false, [&in](std::string_view v) {
                           return readPositiveDollars(v, "the loan amount", in.loanAmount);
                       }});
    options.push_back({"annual-investment", "DOLLARS",
                       "after-tax annual investment instead of the loan amount, dollars, at least 1 "
                       "after rounding to whole dollars; the loan amount is the one that costs it",
                       "", false, [&p](std::string_view v) {
                           return readPositiveDollars(v, "the after-tax annual investment", p.annualGiven);
                       }});
    options.push_back({"tax-rate", "PERCENT", "marginal tax rate, per cent, 0 to 99", num(base.taxRate), false,
                       [&in](std::string_view v) { return readChecked(v, kTaxRate, in.taxRate); }});
    options.push_back({"interest-rate", "PERCENT",
                       "loan interest rate, per cent, " + num(ranges.loanRate.low) + " to " +
                           num(ranges.loanRate.high),
                       num(base.interestRate), false, [&in, rule = ranges.loanRate](std::string_view v) {
                           return readChecked(v, rule, in.interestRate);
                       }});
    options.push_back({"savings-period", "YEARS", "savings period, whole years, 1 to 80", num(base.savingsPeriod),
                       false,
                       [&in](std::string_view v) { return readChecked(v, kSavingsPeriod, in.savingsPeriod); }});
    options.push_back({"returns", "R1,R2,R3,R4",
                       "the four projected before-tax returns, per cent, each " + num(ranges.returns.low) + " to " +
                           num(ranges.returns.high) + "; the projection runs at R3",
                       joinFour(base.returns), false, [&in, rule = ranges.returns](std::string_view v) {
                           return readFour(v, rule, in.returns);
                       }});
    options.push_back({"times-repeated", "COUNT",
                       "times the term or RRSP loan is taken again once repaid, whole number, 0 to 80, "
                       "with (times + 1) x savings period at most 80 years",
                       num(base.timesRepeated), false,
                       [&in](std::string_view v) { return readChecked(v, kTimesRepeated, in.timesRepeated); }});
    options.push_back({"breakdown", "DCG,CG,DIV,INT",
                       "breakdown of the gross return into deferred capital gains, capital gains, dividends "
                       "and interest, whole per cent, each 0 to 100, totalling 100",
                       joinFour(base.breakdown), false, [&in](std::string_view v) -> Problem {
                           std::array<double, 4> parts{};
                           if (auto problem = readFour(v, kBreakdownPart, parts))
                               return problem;
                           const double total = parts[0] + parts[1] + parts[2] + parts[3];
                           if (total != 100)
                               return "the parts total " + num(total) + ": they must total 100";
                           in.breakdown = parts;
                           return std::nullopt;
                       }});
    options.push_back({"investment-type", "INDEX",
                       "investment loan type, 0 \"100%\", 1 \"1:1\", 2 \"2:1\", 3 \"3:1\", 4 \"4:1\"",
                       num(d.inputs.InvestmentType), false, [&in](std::string_view v) -> Problem {
                           double type = 0;
                           if (auto problem = readChecked(v, kInvestmentType, type))
                               return problem;
                           in.investmentType = static_cast<int>(type);
                           return std::nullopt;
                       }});
    options.push_back({"other-unleveraged", "DOLLARS", "other unleveraged investments, dollars, any amount",
                       num(base.otherUnleveraged), false, [&in](std::string_view v) {
                           return readChecked(v, kOtherUnleveraged, in.otherUnleveraged);
                       }});
    options.push_back({"inclusion-rate", "PERCENT", "capital-gains inclusion rate, per cent, 0 to 100",
                       num(base.capGainsInclusionRate), false, [&in](std::string_view v) {
                           return readChecked(v, kInclusionRate, in.capGainsInclusionRate);
                       }});
    options.push_back({"federal-ratio", "PERCENT", "federal share of the marginal tax rate, per cent, 0 to 100",
                       num(base.federalToMarginalRatio), false, [&in](std::string_view v) {
                           return readChecked(v, kFederalRatio, in.federalToMarginalRatio);
                       }});
    const auto limitedOption = [&](const std::string& name, const std::string& who, bool value, bool& target) {
        options.push_back({name, "",
                           who + " deduction of the interest limited to investment income; bare, or followed "
                                 "by yes or no",
                           yesNo(value), true, [&target](std::string_view v) { return readBool(v, target); }});
    };
    limitedOption("fed-limited", "federal", base.fedLimited, in.fedLimited);
    limitedOption("prov-limited", "provincial", base.provLimited, in.provLimited);
    options.push_back({"fed-deductible", "PERCENT",
                       "federal deductible portion of the interest when not limited, per cent, 0 or more",
                       num(base.fedDeductible), false,
                       [&in](std::string_view v) { return readChecked(v, kDeductible, in.fedDeductible); }});
    options.push_back({"prov-deductible", "PERCENT",
                       "provincial deductible portion of the interest when not limited, per cent, 0 or more",
                       num(base.provDeductible), false,
                       [&in](std::string_view v) { return readChecked(v, kDeductible, in.provDeductible); }});
    options.push_back({"fed-include-cg", "yes|no", "capital gains count as investment income federally",
                       yesNo(base.fedIncludeCG), false,
                       [&in](std::string_view v) { return readBool(v, in.fedIncludeCG); }});
    options.push_back({"prov-include-cg", "yes|no", "capital gains count as investment income provincially",
                       yesNo(base.provIncludeCG), false,
                       [&in](std::string_view v) { return readBool(v, in.provIncludeCG); }});
    const auto tableOption = [&](const std::string& name, const std::string& what,
                                 const std::array<double, 4>& defaults, bool interest) {
        options.push_back({name, "a,b,c,d", what + " of the four tax brackets, lowest first, per cent, each 0 to 100",
                           joinFour(defaults), false, [&in, interest](std::string_view v) -> Problem {
                               std::array<double, 4> rates{};
                               if (auto problem = readFour(v, kTableRate, rates))
                                   return problem;
                               for (size_t i = 0; i < 4; ++i)
                                   (interest ? in.taxTable[i].interestRate : in.taxTable[i].dividendRate) = rates[i];
                               return std::nullopt;
                           }});
    };
    tableOption("interest-tax-rates", "tax rates on interest", baseInterestRates, true);
    tableOption("dividend-tax-rates", "tax rates on dividends", baseDividendRates, false);
    options.push_back({"language", "en|fr", "language of the notes", LanguageName(d.language), false,
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
        if (column > kHelpIndent && column + 1 + length > kHelpWidth) {
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
    const Strategy strategy = p.request.strategy;
    if (strategy != Strategy::InterestOnly && (in.timesRepeated + 1) * in.savingsPeriod > 80) {
        return optionError("times-repeated",
                           num(in.timesRepeated) + " with a savings period of " + num(in.savingsPeriod) +
                               " years makes " + num((in.timesRepeated + 1) * in.savingsPeriod) +
                               " years: (times + 1) x savings period must be at most 80, so at most " +
                               num(std::floor(80 / in.savingsPeriod) - 1) + " here");
    }
    if (!p.request.annualInvestmentGiven)
        return std::nullopt;
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
    if (!(whole > 0) || !std::isfinite(whole))
        return optionError("annual-investment", asked);
    in.loanAmount = whole;
    return std::nullopt;
}

} // namespace

const char* StrategyName(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly:
        return "interest-only";
    case Strategy::TermLoan:
        return "term";
    case Strategy::RRSP:
        return "rrsp";
    }
    return "unknown";
}

const char* LanguageName(int language) { return language == French ? "fr" : "en"; }

ParsedAnalyze ParseAnalyzeOptions(const std::vector<std::string>& args, const AnalyzeDefaults& defaults)
{
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h")
            return HelpRequested{};
    }
    Parsed p;
    p.request.inputs = InputsFromDefaults(defaults.inputs);
    const std::vector<OptionSpec> options = analyzeOptions(defaults, p);

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
            return OptionError{"unknown option --" + std::string(name) + " (see 'gearwise-cli analyze --help')"};
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
    // The projection is always run at the third return, as in the window.
    p.request.inputs.projectionReturn = p.request.inputs.returns[2];
    if (auto error = crossCheck(p, isGiven("loan-amount")))
        return *error;
    return p.request;
}

std::string AnalyzeHelpText(const AnalyzeDefaults& defaults, const std::filesystem::path& dataFolder)
{
    Parsed scratch;
    const std::vector<OptionSpec> options = analyzeOptions(defaults, scratch);
    std::string text =
        "Usage: gearwise-cli analyze [options]\n"
        "\n"
        "Runs one analysis and prints its figures on standard output. Every option\n"
        "takes '--option value' or '--option=value'; per cents are written as typed\n"
        "(8 for 8 %), numbers with a point and no separators. An option left out\n"
        "takes its default; a repeated option takes its last value. The defaults,\n"
        "the strategies offered and the return and interest-rate limits come from\n"
        "the data files (Config.dat, User.dat when saved, english.txt, french.txt)\n"
        "in the program's folder or in --data-dir; those shown below were read from\n"
        "  " +
        dataFolder.string() +
        "\n"
        "\n"
        "Options:\n";
    for (const OptionSpec& o : options) {
        const std::string description = o.defaultText.empty() ? o.help : o.help + " (default " + o.defaultText + ")";
        text += helpEntry("  --" + o.name + (o.flag ? " [yes|no]" : " " + o.metavar), description);
    }
    text += helpEntry("  --data-dir DIR",
                      "the folder of the data files to read instead of the program's folder; Config.dat "
                      "must be there");
    text += helpEntry("  --help", "this text");
    text +=
        "\n"
        "Output: JSON (one object; amounts in dollars, returns and per-cent increases\n"
        "as fractions, null for a missing return; \"inputs\" echoes every input in the\n"
        "units of its option, \"notes\" holds the explanatory notes) or CSV (the\n"
        "summary table, a blank line, then the year-by-year projection at R3; no notes).\n"
        "\n"
        "Exit status: 0 success; 2 bad input or unusable data files (one line on\n"
        "standard error naming the option and its range, nothing on standard\n"
        "output); 3 the analysis failed; 1 standard output could not be written.\n";
    return text;
}

} // namespace gw::cli
