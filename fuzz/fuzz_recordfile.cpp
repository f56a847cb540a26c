// The record-file reader (Config.dat, User.dat) on any bytes.
#include "charset.h"
#include "fuzz_check.h"
#include "recordfile.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace gw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RecordFileContents read = ParseRecordFile(fuzz::Bytes(data, size));

    // Bytes in hand are never missing, unreadable or too large; the records
    // before the one in error are kept, and only those.
    FUZZ_CHECK(read.error == RecordFileError::None || read.error == RecordFileError::Truncated
               || read.error == RecordFileError::BadLength || read.error == RecordFileError::BadMask);
    if (read.error == RecordFileError::None)
        FUZZ_CHECK(read.lines.size() == (size + kRecordBytes - 1) / kRecordBytes);
    else
        FUZZ_CHECK(read.lines.size() == read.failedRecord);
    FUZZ_CHECK(!DescribeRecordFileError(read).empty());
    (void)HoldsSettings(read.lines);

    // What was read is stored again and reads back the same.
    std::vector<std::string> plain;
    for (const std::string& line : read.lines) {
        const auto bytes = Cp1252FromUtf8(line);
        FUZZ_CHECK(bytes);
        if (bytes->size() > kMaxRecordLine)
            return 0;
        plain.push_back(*bytes);
    }
    if (plain.size() > static_cast<std::size_t>(kSettingSlots))
        return 0;
    std::string error;
    const auto rebuilt = BuildRecordFile(plain, SeededRandom(static_cast<std::uint32_t>(size)), error);
    FUZZ_CHECK(rebuilt);
    const RecordFileContents again = ParseRecordFile(*rebuilt);
    FUZZ_CHECK(again.error == RecordFileError::None);
    FUZZ_CHECK(again.lines == read.lines);
    return 0;
}
