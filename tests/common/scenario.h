#pragma once

// An analysis written in words for the case tables and golden files: the
// strategy ("intonly", "term", "rrsp") and changes to SampleInputs, such as
// "rate=7.25" (the loan's), "return=12" (the projection's), "returns=0,4,8,12",
// "breakdown=70,25,5,0", "fedLimited" or "provCG=0".
#include "case_table.h"
#include "dispatch.h"
#include "inputs.h"
#include "sample_inputs.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace gw::test {

struct Scenario {
    Strategy strategy = Strategy::InterestOnly;
    AnalysisInputs in = SampleInputs();
};

inline Scenario ParseScenario(const Tokens& words)
{
    using In = AnalysisInputs;
    static const std::map<std::string, double In::*> numbers{
        {"loan", &In::loanAmount}, {"annual", &In::annualInvestment}, {"tax", &In::taxRate},
        {"rate", &In::interestRate}, {"years", &In::savingsPeriod}, {"return", &In::projectionReturn},
        {"repeats", &In::timesRepeated}, {"other", &In::otherUnleveraged},
        {"inclusion", &In::capGainsInclusionRate}, {"fedShare", &In::federalToMarginalRatio},
        {"fedDeductible", &In::fedDeductible}, {"provDeductible", &In::provDeductible},
        {"fedExpenses", &In::fedExpenses}, {"provExpenses", &In::provExpenses}};
    static const std::map<std::string, bool In::*> flags{
        {"fedLimited", &In::fedLimited}, {"provLimited", &In::provLimited},
        {"fedCG", &In::fedIncludeCG}, {"provCG", &In::provIncludeCG}};
    static const std::map<std::string, Strategy> strategies{
        {"intonly", Strategy::InterestOnly}, {"term", Strategy::TermLoan}, {"rrsp", Strategy::RRSP}};
    Scenario s;
    for (const std::string& word : words) {
        const std::size_t equals = word.find('=');
        const std::string key = word.substr(0, equals);
        const std::string value = equals == std::string::npos ? "1" : word.substr(equals + 1);
        if (strategies.contains(word)) {
            s.strategy = strategies.at(word);
        } else if (numbers.contains(key)) {
            s.in.*numbers.at(key) = Number(value);
        } else if (flags.contains(key)) {
            s.in.*flags.at(key) = Number(value) != 0;
        } else if (key == "type") {
            s.in.investmentType = static_cast<int>(Number(value));
        } else if (key == "returns" || key == "breakdown") {
            std::array<double, 4>& list = key == "returns" ? s.in.returns : s.in.breakdown;
            std::string spaced = value;
            std::replace(spaced.begin(), spaced.end(), ',', ' ');
            const Tokens parts = SplitTokens(spaced);
            EXPECT_EQ(parts.size(), 4u) << word;
            for (std::size_t i = 0; i < 4 && i < parts.size(); ++i)
                list[i] = Number(parts[i]);
        } else {
            ADD_FAILURE() << "no such word in a scenario: " << word;
        }
    }
    return s;
}

// The results of the scenario's analysis; throws its error.
inline AnalysisResults Run(const Scenario& s)
{
    auto state = std::make_unique<AnalysisState>();
    AnalysisOutcome outcome = RunAnalysis(s.strategy, s.in, *state);
    if (!outcome.ok())
        throw std::runtime_error(outcome.error);
    return *outcome.results;
}

} // namespace gw::test
