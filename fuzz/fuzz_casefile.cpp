// The client case reader on any bytes: it never throws, and a case it takes
// is written and read back as the same case.
#include "casefile.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

using namespace gw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SettingValues settings;
    settings[Setting::MaxReturnAllowed] = 25;
    settings[Setting::MinInterestRateAllowed] = 2;
    settings[Setting::DeferredCapitalGains] = 100;
    const CaseReadResult read = ReadCaseJson(fuzz::Bytes(data, size), settings);
    if (read.clientCase) {
        const CaseReadResult again = ReadCaseJson(WriteCaseJson(*read.clientCase), settings);
        FUZZ_CHECK(again.clientCase);
        // Text that is not UTF-8 cannot be in a case the parser took.
        FUZZ_CHECK(*again.clientCase == *read.clientCase);
    }
    return 0;
}
