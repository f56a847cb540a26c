#include "commands.h"

#include "charset.h"
#include "recordfile.h"
#include "textfile.h"
#include "textveil.h"

#include <charconv>
#include <iostream>
#include <optional>

namespace gw::cli {

namespace {

void printConfigUsage(std::ostream& out)
{
    out << "Usage: gearwise-cli config unpack FILE\n"
           "       gearwise-cli config pack PLAIN OUT [--seed S]\n"
           "\n"
           "Turns a sponsor or user file (Config.dat, User.dat: records of 255 bytes,\n"
           "each line masked twice) into plain lines and back.\n"
           "\n"
           "unpack  prints the plain lines of the record file FILE in UTF-8, one per line.\n"
           "pack    writes the record file OUT from PLAIN, a UTF-8 text file with one\n"
           "        line per record (sections and \"value= key\" lines, as unpack prints\n"
           "        them). A line may hold at most 174 Windows-1252 characters. OUT is\n"
           "        replaced only when every record was written.\n"
           "        --seed S (a whole number) makes the masking reproducible.\n"
           "\n"
           "Exit status: 0 success, 2 bad usage or input.\n";
}

int usageError(const std::string& message)
{
    std::cerr << "gearwise-cli config: " << message << "\n"
              << "Run 'gearwise-cli config --help' for usage.\n";
    return 2;
}

int unpack(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return usageError("unpack takes one record file");
    const RecordFileContents contents = ReadRecordFile(args[1]);
    for (const std::string& line : contents.lines)
        std::cout << line << '\n';
    if (contents.error != RecordFileError::None) {
        std::cerr << "gearwise-cli config: " << args[1] << ": " << DescribeRecordFileError(contents) << "\n";
        return 2;
    }
    return 0;
}

int pack(const std::vector<std::string>& args)
{
    std::vector<std::string> positional;
    std::optional<std::uint32_t> seed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--seed") {
            if (i + 1 >= args.size())
                return usageError("--seed needs a value");
            const std::string& text = args[++i];
            unsigned long value = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 0xFFFFFFFFul)
                return usageError("--seed must be a whole number from 0 to 4294967295, not '" + text + "'");
            seed = static_cast<std::uint32_t>(value);
        } else if (args[i].starts_with("--")) {
            return usageError("unknown option '" + args[i] + "' for pack");
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return usageError("pack takes a plain text file and the record file to write");
    std::vector<std::string> lines;
    if (!ReadTextLines(positional[0], lines))
        return usageError("cannot read " + positional[0]);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto bytes = Cp1252FromUtf8(lines[i]);
        if (!bytes)
            return usageError(positional[0] + ": line " + std::to_string(i + 1)
                              + " is not valid UTF-8, or holds a character that Windows-1252 cannot store");
        lines[i] = std::move(*bytes);
    }
    std::string error;
    const auto file = BuildRecordFile(lines, seed ? SeededRandom(*seed) : ClockSeededRandom(), error);
    if (!file)
        return usageError(positional[0] + ": " + error);
    if (!WriteFileAtomically(positional[1], *file, error))
        return usageError(error);
    return 0;
}

} // namespace

int runConfig(const std::vector<std::string>& args)
{
    if (args.empty())
        return usageError("expected 'unpack' or 'pack'");
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            printConfigUsage(std::cout);
            return 0;
        }
    }
    if (args[0] == "unpack")
        return unpack(args);
    if (args[0] == "pack")
        return pack(args);
    return usageError("unknown mode '" + args[0] + "' (expected unpack or pack)");
}

} // namespace gw::cli
