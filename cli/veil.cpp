#include "commands.h"

#include "charset.h"
#include "reporter.h"
#include "textfile.h"
#include "textveil.h"

#include <charconv>
#include <iostream>
#include <optional>

namespace gw::cli {

namespace {

void printVeilUsage(std::ostream& out)
{
    out << "Usage: gearwise-cli veil encode --level N [--seed S] [--input FILE] [--output FILE]\n"
           "       gearwise-cli veil decode [--input FILE]\n"
           "\n"
           "Masks or unmasks text lines, one output line per input line. Masking works\n"
           "on the Windows-1252 bytes of each line: ASCII letters and digits change,\n"
           "everything else (blanks, punctuation, accented letters) stays.\n"
           "\n"
           "encode  reads plain UTF-8 lines (standard input, or --input FILE) and masks\n"
           "        each at level N (1 whole line, 2 blocks of 15, 3 blocks of 5).\n"
           "        Writes UTF-8 lines to standard output, or with --output FILE a data\n"
           "        file as the program reads it: Windows-1252 with CRLF line ends.\n"
           "        --seed S (a whole number) makes the key letters reproducible.\n"
           "decode  reads masked lines from standard input (UTF-8) or from the data file\n"
           "        --input FILE (Windows-1252, as english.txt) and prints the plain\n"
           "        lines in UTF-8.\n"
           "\n"
           "Exit status: 0 success, 2 bad usage or input.\n";
}

int usageError(const std::string& message)
{
    std::cerr << "gearwise-cli veil: " << message << "\n"
              << "Run 'gearwise-cli veil --help' for usage.\n";
    return 2;
}

class StderrReporter : public SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon) override
    {
        std::cerr << "gearwise-cli veil: " << (title.empty() ? "" : title + ": ") << text << "\n";
    }
};

std::optional<unsigned long> wholeNumber(const std::string& text)
{
    unsigned long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::vector<std::string> readStdinLines()
{
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct VeilOptions {
    std::optional<int> level;
    std::optional<std::uint32_t> seed;
    std::string input;
    std::string output;
};

// Parses the options after the mode; returns an error text or empty.
std::string parseOptions(const std::vector<std::string>& args, VeilOptions& options, bool encode)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == "--level" || arg == "--seed" || arg == "--input" || arg == "--output") && !hasValue)
            return arg + " needs a value";
        if (arg == "--input") {
            options.input = args[++i];
        } else if (encode && arg == "--output") {
            options.output = args[++i];
        } else if (encode && arg == "--level") {
            const auto level = wholeNumber(args[++i]);
            if (!level || *level < 1 || *level > 3)
                return "--level must be 1, 2 or 3, not '" + args[i] + "'";
            options.level = static_cast<int>(*level);
        } else if (encode && arg == "--seed") {
            const auto seed = wholeNumber(args[++i]);
            if (!seed || *seed > 0xFFFFFFFFul)
                return "--seed must be a whole number from 0 to 4294967295, not '" + args[i] + "'";
            options.seed = static_cast<std::uint32_t>(*seed);
        } else {
            return "unknown option '" + arg + "' for " + args[0];
        }
    }
    if (encode && !options.level)
        return "encode needs --level 1, 2 or 3";
    return {};
}

int encode(const VeilOptions& options)
{
    std::vector<std::string> lines;
    if (options.input.empty()) {
        lines = readStdinLines();
    } else if (!ReadTextLines(options.input, lines)) {
        return usageError("cannot read " + options.input);
    }
    StderrReporter reporter;
    const VeilRandom random = options.seed ? SeededRandom(*options.seed) : ClockSeededRandom();
    std::string data;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto bytes = Cp1252FromUtf8(lines[i]);
        if (!bytes)
            return usageError("line " + std::to_string(i + 1)
                              + ": not valid UTF-8, or holds a character that Windows-1252 cannot store");
        const std::string masked = TextVeilEncode(*bytes, *options.level, reporter, random);
        if (options.output.empty())
            std::cout << Utf8FromCp1252(masked) << '\n';
        else
            data += masked + "\r\n";
    }
    if (!options.output.empty()) {
        std::string error;
        if (!WriteFileAtomically(options.output, data, error))
            return usageError(error);
    }
    return 0;
}

int decode(const VeilOptions& options)
{
    std::vector<std::string> lines;
    if (options.input.empty()) {
        for (const std::string& line : readStdinLines()) {
            const auto bytes = Cp1252FromUtf8(line);
            if (!bytes)
                return usageError("line " + std::to_string(lines.size() + 1)
                                  + ": not valid UTF-8, or holds a character that Windows-1252 cannot store");
            lines.push_back(*bytes);
        }
    } else if (!ReadTextLines(options.input, lines)) {
        return usageError("cannot read " + options.input);
    }
    StderrReporter reporter;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto plain = TextVeilDecode(lines[i], reporter);
        if (!plain) {
            std::cerr << "gearwise-cli veil: line " << i + 1 << " is not a masked line\n";
            return 2;
        }
        std::cout << Utf8FromCp1252(*plain) << '\n';
    }
    return 0;
}

} // namespace

int runVeil(const std::vector<std::string>& args)
{
    if (args.empty())
        return usageError("expected 'encode' or 'decode'");
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            printVeilUsage(std::cout);
            return 0;
        }
    }
    const bool isEncode = args[0] == "encode";
    if (!isEncode && args[0] != "decode")
        return usageError("unknown mode '" + args[0] + "' (expected encode or decode)");
    VeilOptions options;
    if (const std::string error = parseOptions(args, options, isEncode); !error.empty())
        return usageError(error);
    return isEncode ? encode(options) : decode(options);
}

} // namespace gw::cli
