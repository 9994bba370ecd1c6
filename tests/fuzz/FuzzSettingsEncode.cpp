// Fuzzes building and encoding with any record and FeedPosOther slots taken from the input (any
// integers, far outside the ranges the pages allow): no crash, no sanitizer report, and every
// result passes EncodeAndCheck.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "tests/fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    struct {
        PanelSettingsRecord Record;
        int32_t Slots[FeedPosOtherCount];
    } input{};
    memcpy(&input, data, size < sizeof input ? size : sizeof input);

    const SettingsBlock block = BuildSettingsBlock(input.Record, input.Slots);
    FUZZ_CHECK(block.Bytes[0] == 0 && block.Bytes[1] == 0);
    EncodeAndCheck(block);
    return 0;
}
