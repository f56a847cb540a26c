#include "casefile.h"

#include "numformat.h"
#include "textfile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace gw {

namespace {

using Json = nlohmann::ordered_json;

constexpr double kLargestExactWhole = 9007199254740992.0;  // 2^53

// Case-blind, as the table's keys are matched in every file.
bool sameKey(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// A whole amount is written as 100000, not 100000.0.
Json jsonNumber(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < kLargestExactWhole)
        return static_cast<std::int64_t>(value);
    return value;
}

// The legal range of a kept setting: the window's, and for a yes/no list
// without one its two entries.
LegalRange caseRange(Setting s, const SettingValues& settings)
{
    if (Row(s).ranged)
        return RangeOf(s, settings);
    return {0, 1, true};
}

CaseReadResult refused(CaseError error) { return {std::nullopt, std::move(error)}; }

CaseError problem(CaseProblem kind, std::string detail = {})
{
    CaseError e;
    e.problem = kind;
    e.detail = std::move(detail);
    return e;
}

CaseError illegal(std::string key, CaseExpect expect)
{
    CaseError e;
    e.problem = CaseProblem::IllegalValue;
    e.key = std::move(key);
    e.expect = expect;
    return e;
}

constexpr std::array<Setting, 4> kBreakdown{Setting::DeferredCapitalGains, Setting::CapitalGains,
                                            Setting::Dividends, Setting::Interest};

} // namespace

const char* CaseStrategyName(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly: return "interest-only";
    case Strategy::TermLoan: return "term";
    case Strategy::RRSP: return "rrsp";
    }
    return "unknown";
}

ClientCase MakeClientCase(Strategy strategy, const SettingValues& all, std::string client, std::string note)
{
    ClientCase c{strategy, {}, std::move(client), std::move(note)};
    ApplyCase({strategy, all, {}, {}}, c.values);
    return c;
}

void ApplyCase(const ClientCase& clientCase, SettingValues& into)
{
    for (const SettingRow& row : SettingRows()) {
        if (row.inCase)
            into[row.id] = clientCase.values[row.id];
    }
}

std::string WriteCaseJson(const ClientCase& c)
{
    Json json = Json::object();
    json["format"] = kCaseFormat;
    json["version"] = kCaseVersion;
    json["strategy"] = CaseStrategyName(c.strategy);
    json["client"] = c.client;
    json["note"] = c.note;
    for (const SettingRow& row : SettingRows()) {
        if (!row.inCase)
            continue;
        const std::string key(row.key);
        if (row.unit == Unit::Flag)
            json[key] = c.values.flag(row.id);
        else
            json[key] = jsonNumber(c.values[row.id]);
    }
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

CaseReadResult ReadCaseJson(std::string_view text, const SettingValues& settings)
{
    Json json;
    try {
        json = Json::parse(text);
    } catch (const Json::parse_error& e) {
        return refused(problem(CaseProblem::NotJson, std::to_string(e.byte)));
    } catch (const Json::out_of_range& e) {
        // A number beyond any double; the library names it but not where it
        // stands, so it is looked up.
        const std::string_view what = e.what();
        const std::size_t open = what.find('\'');
        const std::size_t close = what.rfind('\'');
        std::size_t at = std::string_view::npos;
        if (open != std::string_view::npos && close > open)
            at = text.find(what.substr(open + 1, close - open - 1));
        return refused(problem(CaseProblem::NotJson, std::to_string(at == std::string_view::npos ? text.size() : at + 1)));
    }
    if (!json.is_object())
        return refused(problem(CaseProblem::NotCase));
    const auto format = json.find("format");
    if (format == json.end() || !format->is_string() || format->get<std::string>() != kCaseFormat)
        return refused(problem(CaseProblem::NotCase));
    const auto version = json.find("version");
    if (version == json.end() || !version->is_number_integer() || version->get<std::int64_t>() < 1)
        return refused(problem(CaseProblem::NotCase));
    if (version->get<std::int64_t>() > kCaseVersion) {
        CaseError e = problem(CaseProblem::NewerVersion);
        e.version = static_cast<int>(std::min<std::int64_t>(version->get<std::int64_t>(), INT32_MAX));
        return refused(std::move(e));
    }

    ClientCase c = MakeClientCase(FirstStrategyOffered(settings), StartValues(settings));
    for (const auto& item : json.items()) {
        // Named, not bound: lambdas below take the key.
        const std::string& key = item.key();
        const Json& value = item.value();
        if (sameKey(key, "strategy")) {
            std::vector<std::string> offered;
            std::optional<Strategy> chosen;
            for (Strategy s : kStrategies) {
                if (!StrategyOffered(settings, s))
                    continue;
                offered.emplace_back(CaseStrategyName(s));
                if (value.is_string() && value.get<std::string>() == offered.back())
                    chosen = s;
            }
            if (!chosen) {
                CaseError e = illegal(key, CaseExpect::Choice);
                e.choices = std::move(offered);
                return refused(std::move(e));
            }
            c.strategy = *chosen;
            continue;
        }
        if (sameKey(key, "client") || sameKey(key, "note")) {
            if (!value.is_string())
                return refused(illegal(key, CaseExpect::Text));
            (sameKey(key, "client") ? c.client : c.note) = value.get<std::string>();
            continue;
        }
        const auto row = std::ranges::find_if(SettingRows(), [&](const SettingRow& r) {
            return r.inCase && sameKey(r.key, key);
        });
        if (row == SettingRows().end())
            continue;
        if (row->unit == Unit::Flag) {
            if (!value.is_boolean()) {
                CaseError e = illegal(key, CaseExpect::Choice);
                e.choices = {"true", "false"};
                return refused(std::move(e));
            }
            c.values.setFlag(row->id, value.get<bool>());
            continue;
        }
        const LegalRange range = caseRange(row->id, settings);
        // What the field would show of it is what the analysis runs on.
        // Far outside every range: refused before any pattern sees it.
        const bool plausible = value.is_number() && std::fabs(value.get<double>()) < 1e12;
        const double shown = plausible ? ShownValue(row->id, value.get<double>()) : NAN;
        if (!range.contains(shown)) {
            CaseError e = illegal(key, CaseExpect::Number);
            e.range = range;
            return refused(std::move(e));
        }
        c.values[row->id] = shown;
    }
    double total = 0;
    for (Setting s : kBreakdown)
        total += c.values[s];
    if (total != 100) {
        CaseError e = problem(CaseProblem::BreakdownTotal);
        e.total = total;
        return refused(std::move(e));
    }
    // As the windows check it: the repeated loans end within the projection.
    const double years = (c.values[Setting::TimesLoanRepeated] + 1) * c.values[Setting::SavingsPeriod];
    if (c.strategy != Strategy::InterestOnly && years > kMostYears) {
        CaseError e = problem(CaseProblem::TooManyYears);
        e.total = years;
        return refused(std::move(e));
    }
    return {std::move(c), {}};
}

CaseReadResult LoadCaseFile(const std::filesystem::path& path, const SettingValues& settings)
{
    std::string bytes;
    std::string reason;
    switch (ReadFileBytes(path, bytes, kMaxCaseFileBytes, reason)) {
    case FileProblem::None:
        return ReadCaseJson(bytes, settings);
    case FileProblem::Missing:
        return refused(problem(CaseProblem::Unreadable, "there is no such file"));
    case FileProblem::Unreadable:
    case FileProblem::TooLarge:
        break;
    }
    return refused(problem(CaseProblem::Unreadable, reason));
}

bool SaveCaseFile(const std::filesystem::path& path, const ClientCase& clientCase, std::string& error)
{
    return WriteFileAtomically(path, WriteCaseJson(clientCase), error);
}

std::string CaseErrorMessage(const CaseError& error, const std::filesystem::path& file, const CaptionTables& captions,
                             Language language)
{
    const auto number = [language](double value) {
        std::string text = ShortestDecimal(value);
        if (language == French)
            std::ranges::replace(text, '.', ',');
        return text;
    };
    const auto caption = [&](std::string_view key, const std::vector<std::string>& values) {
        return FillPlaceholders(GetCaption(captions, key, language), values);
    };
    const std::string name = file.string();
    switch (error.problem) {
    case CaseProblem::Unreadable:
        return caption("errorCaseUnreadable", {name, error.detail});
    case CaseProblem::NotJson:
        return caption("errorCaseNotJson", {name, error.detail});
    case CaseProblem::NotCase:
        return caption("errorCaseNotCase", {name});
    case CaseProblem::NewerVersion:
        return caption("errorCaseNewerVersion", {name, std::to_string(error.version), std::to_string(kCaseVersion)});
    case CaseProblem::BreakdownTotal:
        return caption("errorCaseBreakdownTotal", {name, number(error.total)});
    case CaseProblem::TooManyYears:
        return caption("errorCaseTooManyYears", {name, number(error.total), std::to_string(kMostYears)});
    case CaseProblem::IllegalValue:
        break;
    }
    switch (error.expect) {
    case CaseExpect::Text:
        return caption("errorCaseIllegalText", {name, error.key});
    case CaseExpect::Choice: {
        std::string list;
        for (const std::string& choice : error.choices)
            list += (list.empty() ? "" : ", ") + choice;
        return caption("errorCaseIllegalChoice", {name, error.key, list});
    }
    case CaseExpect::Number:
        break;
    }
    return caption(error.range.whole ? "errorCaseIllegalWhole" : "errorCaseIllegalValue",
                   {name, error.key, number(error.range.low), number(error.range.high)});
}

} // namespace gw
