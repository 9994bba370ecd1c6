// Fuzzes block decoding with any 260 bytes: no crash, no sanitizer report; a bad header changes
// nothing; a decoded record holds valid indexes and slots; building from it is stable (building
// again from its own decoding gives the same block) and its encoding passes EncodeAndCheck.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "tests/fuzz/FuzzChecks.h"

namespace {

void CheckFeeds(const int32_t indexes[4], const int32_t* slots) {
    for (int32_t p = 0; p < FeedPathCount; ++p) {
        const ValueList& list = FeedListFor(static_cast<FeedPath>(p));
        FUZZ_CHECK(indexes[p] >= 0 && indexes[p] <= list.Size);
        if (indexes[p] == list.Size) {
            FUZZ_CHECK(slots[p] > 0 && slots[p] <= 255 && ValueListIndexOf(list, slots[p]) < 0);
        } else {
            FUZZ_CHECK(slots[p] == 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsBlock block{};
    memcpy(block.Bytes, data, size < sizeof block.Bytes ? size : sizeof block.Bytes);

    PanelSettingsRecord record;
    memset(&record, 0x3C, sizeof record);
    int32_t slots[FeedPosOtherCount];
    memset(slots, 0x3C, sizeof slots);
    const PanelSettingsRecord untouched = record;
    const bool headerOk = block.Bytes[0] == 1 && block.Bytes[1] == 4;
    const bool decoded = DecodeBlockBytes(block, record, slots);
    FUZZ_CHECK(decoded == headerOk);
    if (!decoded) {
        FUZZ_CHECK(memcmp(&record, &untouched, sizeof record) == 0 && slots[0] == 0x3C3C3C3C);
        // Decode the same bytes once more as if the header had been right.
        block.Bytes[0] = 1;
        block.Bytes[1] = 4;
        FUZZ_CHECK(DecodeBlockBytes(block, record, slots));
    }

    const int32_t current[4] = {record.FeedPosContFront, record.FeedPosContRear, record.FeedPosCutSheet,
                                record.FeedPosPostcard};
    CheckFeeds(current, slots);
    for (int32_t k = 0; k < FormCount; ++k) {
        const FormSettings& f = record.Forms[k];
        const int32_t feeds[4] = {f.FeedPosContFront, f.FeedPosContRear, f.FeedPosCutSheet,
                                  f.FeedPosPostcard};
        CheckFeeds(feeds, slots + FeedPosOtherSlot(FeedGroupForm(k), FeedPathContFront));
    }
    FUZZ_CHECK(record.FormSelect >= 0 && record.FormSelect <= 4);
    FUZZ_CHECK(record.Reduction >= 0 && record.Reduction <= 4);

    const SettingsBlock built = BuildSettingsBlock(record, slots);
    SettingsBlock again = built;
    again.Bytes[0] = 1;
    again.Bytes[1] = 4;
    PanelSettingsRecord record2;
    int32_t slots2[FeedPosOtherCount];
    FUZZ_CHECK(DecodeBlockBytes(again, record2, slots2));
    const SettingsBlock rebuilt = BuildSettingsBlock(record2, slots2);
    FUZZ_CHECK(memcmp(&built, &rebuilt, sizeof built) == 0);

    EncodeAndCheck(built);
    EncodeAndCheck(block);  // the printer's own bytes, unused ones included
    return 0;
}
