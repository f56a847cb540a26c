// Masking: any bytes as a masked line, and any bytes masked then unmasked.
#include "fuzz_check.h"
#include "textveil.h"

#include <cstddef>
#include <cstdint>

using namespace gw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::Bytes(data, size);

    // A damaged line is refused with one message or unmasks to no more
    // characters than it holds.
    fuzz::CountingReporter reporter;
    const auto plain = TextVeilDecode(input, reporter);
    if (plain) {
        FUZZ_CHECK(reporter.count == 0);
        FUZZ_CHECK(plain->size() < input.size());
    } else {
        FUZZ_CHECK(reporter.count == 1);
        FUZZ_CHECK(TextVeilLevel(input) == 0);
    }

    // The key letters come from the input too, including values outside
    // [0, 1) that a broken generator could give.
    std::size_t next = 0;
    const VeilRandom random = [&]() -> double {
        if (size == 0)
            return 0.5;
        const std::uint8_t byte = data[next++ % size];
        if (byte == 0xFF)
            return 1.0;
        if (byte == 0xFE)
            return -0.25;
        return byte / 256.0;
    };
    for (int level = 1; level <= 3; ++level) {
        fuzz::CountingReporter silent;
        const std::string masked = TextVeilEncode(input, level, silent, random);
        FUZZ_CHECK(silent.count == 0);
        FUZZ_CHECK(TextVeilLevel(masked) == level);
        const auto back = TextVeilDecode(masked, silent);
        FUZZ_CHECK(back && *back == input);
    }
    return 0;
}
