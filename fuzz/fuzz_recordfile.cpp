// The record-file reader (Config.dat, User.dat) on any bytes. It reads a
// path, so the bytes go through an in-memory file.
#include "charset.h"
#include "fuzz_check.h"
#include "recordfile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

using namespace gw;

namespace {

class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("gearwise-fuzz-record", 0)) { FUZZ_CHECK(fd_ >= 0); }
    ~MemoryFile() { close(fd_); }

    // The file's path after it was made to hold exactly `bytes`.
    std::string hold(std::string_view bytes)
    {
        FUZZ_CHECK(ftruncate(fd_, 0) == 0);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            FUZZ_CHECK(n > 0);
            done += static_cast<std::size_t>(n);
        }
        return "/proc/self/fd/" + std::to_string(fd_);
    }

private:
    int fd_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile file;
    const RecordFileContents read = ReadRecordFile(file.hold(fuzz::Bytes(data, size)));

    FUZZ_CHECK(read.error != RecordFileError::Missing);
    FUZZ_CHECK(read.lines.size() <= static_cast<std::size_t>(kSettingSlots));
    // The records before the one in error are kept, and only those.
    if (read.error == RecordFileError::None)
        FUZZ_CHECK(read.lines.size() == (size + kRecordBytes - 1) / kRecordBytes);
    else
        FUZZ_CHECK(read.lines.size() == read.failedRecord);
    FUZZ_CHECK(!DescribeRecordFileError(read).empty());

    // What was read is stored again and reads back the same.
    std::vector<std::string> plain;
    for (const std::string& line : read.lines) {
        const auto bytes = Cp1252FromUtf8(line);
        FUZZ_CHECK(bytes);
        if (bytes->size() > kMaxRecordLine)
            return 0;
        plain.push_back(*bytes);
    }
    std::string error;
    const auto rebuilt = BuildRecordFile(plain, SeededRandom(static_cast<std::uint32_t>(size)), error);
    FUZZ_CHECK(rebuilt);
    const RecordFileContents again = ReadRecordFile(file.hold(*rebuilt));
    FUZZ_CHECK(again.error == RecordFileError::None);
    FUZZ_CHECK(again.lines == read.lines);
    return 0;
}
