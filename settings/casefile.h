#pragma once

#include "captions.h"
#include "fieldvalues.h"
#include "inputs.h"
#include "settingtable.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One client's case in a file of its own (.gwcase): what shapes the figures
// and the printout, apart from the defaults in User.dat. The file is UTF-8
// JSON: "format" and "version", "strategy", "client", "note", then one key
// per setting the case keeps (SettingRow::inCase), named and in the unit of
// its field as the table gives it: dollars, per cent as typed, years, list
// indices; flags are true or false.
namespace gw {

inline constexpr std::string_view kCaseFormat = "gearwise-case";
inline constexpr int kCaseVersion = 1;
inline constexpr std::string_view kCaseExtension = ".gwcase";
// Far larger than any case: a larger file is refused unread.
inline constexpr std::size_t kMaxCaseFileBytes = 1024 * 1024;

struct ClientCase {
    Strategy strategy = Strategy::InterestOnly;
    // The settings a case keeps, in the units of their fields; every other
    // setting is 0.
    SettingValues values;
    std::string client;  // the print dialog's Prepared-for name
    std::string note;    // free text for the advisor

    bool operator==(const ClientCase&) const = default;
};

// The case of what the windows hold: the settings of `all` a case keeps.
ClientCase MakeClientCase(Strategy strategy, const SettingValues& all, std::string client = {},
                          std::string note = {});
// Sets the settings a case keeps in `into` from `clientCase`; the others stay.
void ApplyCase(const ClientCase& clientCase, SettingValues& into);

// The command-line and file names of the strategies: "interest-only",
// "term", "rrsp".
const char* CaseStrategyName(Strategy strategy);

enum class CaseProblem {
    Unreadable,      // the file cannot be opened or read, or is too large
    NotJson,         // not valid JSON, a truncated file among them
    NotCase,         // JSON, but no case: not an object, another format, no version
    NewerVersion,    // written by a later program
    IllegalValue,    // a key of the wrong type or outside its legal range
    BreakdownTotal,  // the four parts of the return do not total 100
    TooManyYears,    // a term or RRSP loan repeated runs past the longest projection
};

// What a value must be.
enum class CaseExpect { Number, Choice, Text };

// Why a case was refused, with what a message needs to say so.
struct CaseError {
    CaseProblem problem = CaseProblem::NotCase;
    std::string detail;  // Unreadable: the reason; NotJson: the byte where reading stopped
    int version = 0;     // NewerVersion: the file's
    std::string key;     // IllegalValue: as the file spells it
    CaseExpect expect = CaseExpect::Number;
    LegalRange range;                  // Number: the legal range the windows apply
    std::vector<std::string> choices;  // Choice: the legal values as the file writes them
    double total = 0;                  // BreakdownTotal: the parts' total; TooManyYears: the years

    bool operator==(const CaseError&) const = default;
};

// A case, or why it was refused whole.
struct CaseReadResult {
    std::optional<ClientCase> clientCase;
    CaseError error;  // when there is no case
};

// The case as UTF-8 JSON, indented, with a final line end. Whole numbers are
// written without a decimal point; text that is not UTF-8 is written with
// replacement characters.
std::string WriteCaseJson(const ClientCase& clientCase);

// Reads a case against `settings`, the settings as the program read them:
// each value must lie within the legal range the windows apply (the
// sponsor's limits from `settings`) after the field's display pattern, and
// the strategy must be offered. A key left out takes what the windows start
// with (StartValues); a missing strategy the first offered. Keys match
// without regard to case; unknown keys are ignored. Never throws.
CaseReadResult ReadCaseJson(std::string_view text, const SettingValues& settings);
// ReadCaseJson of the file at `path`.
CaseReadResult LoadCaseFile(const std::filesystem::path& path, const SettingValues& settings);

// Writes the case to `path` atomically: on any failure the old file stays
// as it was, and false is returned with the reason in `error`.
bool SaveCaseFile(const std::filesystem::path& path, const ClientCase& clientCase, std::string& error);

// The window's message for a refused case, from the captions
// "errorCase..." in `language`, naming `file`.
std::string CaseErrorMessage(const CaseError& error, const std::filesystem::path& file, const CaptionTables& captions,
                             Language language);

} // namespace gw
