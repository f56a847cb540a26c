#include "recordfile.h"

#include "charset.h"
#include "reporter.h"
#include "textfile.h"

#include <algorithm>

namespace gw {

namespace {

class SilentReporter : public SettingsReporter {
public:
    void report(const std::string&, const std::string&, Icon) override {}
};

} // namespace

std::string MaskRecord(std::string_view plain, const VeilRandom& random)
{
    SilentReporter silent;  // level 3 is always valid
    return TextVeilEncode(TextVeilEncode(plain, 3, silent, random), 3, silent, random);
}

std::optional<std::string> FrameRecord(std::string_view masked)
{
    if (masked.size() > kRecordTextBytes)
        return std::nullopt;
    std::string record(kRecordBytes, '\0');
    record[0] = static_cast<char>(masked.size() & 0xFF);
    record[1] = static_cast<char>((masked.size() >> 8) & 0xFF);
    record.replace(2, masked.size(), masked);
    return record;
}

RecordFileContents ReadRecordFile(const std::filesystem::path& path)
{
    std::string bytes;
    std::string reason;
    switch (ReadFileBytes(path, bytes, kMaxRecordFileBytes, reason)) {
    case FileProblem::None:
        return ParseRecordFile(bytes);
    case FileProblem::Missing:
        return {{}, RecordFileError::Missing, 0, reason};
    case FileProblem::Unreadable:
        return {{}, RecordFileError::Unreadable, 0, reason};
    case FileProblem::TooLarge:
        return {{}, RecordFileError::TooLarge, 0, reason};
    }
    return {};
}

RecordFileContents ParseRecordFile(std::string_view bytes)
{
    RecordFileContents result;
    SilentReporter silent;
    std::size_t index = 0;
    for (std::size_t at = 0; at < bytes.size(); at += kRecordBytes, ++index) {
        result.failedRecord = index;
        if (bytes.size() - at < 2) {
            result.error = RecordFileError::Truncated;
            return result;
        }
        // Two bytes, low first; no record holds more than 253, so the high one is 0.
        const std::size_t length = static_cast<unsigned char>(bytes[at]);
        if (bytes[at + 1] != 0 || length > kRecordTextBytes) {
            result.error = RecordFileError::BadLength;
            return result;
        }
        // Only the padding may be missing from the last record.
        if (bytes.size() - at - 2 < length) {
            result.error = RecordFileError::Truncated;
            return result;
        }
        const auto once = TextVeilDecode(bytes.substr(at + 2, length), silent);
        const auto twice = once ? TextVeilDecode(*once, silent) : std::nullopt;
        if (!twice) {
            result.error = RecordFileError::BadMask;
            return result;
        }
        result.lines.push_back(Utf8FromCp1252(*twice));
    }
    result.failedRecord = 0;
    return result;
}

bool HoldsSettings(const SettingLines& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find('=') != std::string::npos;
    });
}

std::optional<std::string> BuildRecordFile(const std::vector<std::string>& plainLines, const VeilRandom& random,
                                           std::string& error)
{
    if (plainLines.size() > static_cast<std::size_t>(kSettingSlots)) {
        error = "too many lines (" + std::to_string(plainLines.size()) + "); a settings file holds at most "
            + std::to_string(kSettingSlots);
        return std::nullopt;
    }
    std::string file;
    for (std::size_t i = 0; i < plainLines.size(); ++i) {
        const std::string& line = plainLines[i];
        std::optional<std::string> record;
        if (line.size() <= kMaxRecordLine)
            record = FrameRecord(MaskRecord(line, random));
        if (!record) {
            const std::string shown = Utf8FromCp1252(std::string_view(line).substr(0, 60));
            error = "line " + std::to_string(i + 1) + " is " + std::to_string(line.size())
                + " characters long; at most " + std::to_string(kMaxRecordLine) + " fit in a record: \""
                + shown + "...\"";
            return std::nullopt;
        }
        file += *record;
    }
    return file;
}

std::string DescribeRecordFileError(const RecordFileContents& contents)
{
    const std::string record = "record " + std::to_string(contents.failedRecord + 1);
    switch (contents.error) {
    case RecordFileError::None: return "no error";
    case RecordFileError::Missing:
    case RecordFileError::Unreadable:
    case RecordFileError::TooLarge: return contents.reason;
    case RecordFileError::Truncated: return record + " is cut short";
    case RecordFileError::BadLength: return record + " has an invalid length";
    case RecordFileError::BadMask: return record + " cannot be unmasked";
    }
    return "unknown error";
}

} // namespace gw
