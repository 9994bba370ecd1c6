#include "tests/fuzz/FuzzChecks.h"

#include <string.h>

namespace {

// Block offsets of the two-digit decimal fields in command order, with the bits that count.
const struct {
    int32_t Offset;
    uint8_t Mask;
} TwoDigit[] = {
    {22, 0x7F}, {23, 0xFF}, {25, 0xFF}, {30, 0xFF}, {60, 0xFF},  {69, 0xFF},  {76, 0xFF},
    {80, 0xFF}, {87, 0xFF}, {91, 0xFF}, {98, 0xFF}, {102, 0xFF}, {109, 0xFF},
};

bool AllZero(const uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) return false;
    }
    return true;
}

}  // namespace

void EncodeAndCheck(const SettingsBlock& block) {
    int32_t firstWide = -1;
    for (const auto& field : TwoDigit) {
        if ((block.Bytes[field.Offset] & field.Mask) >= 100) {
            firstWide = field.Offset;
            break;
        }
    }

    SettingsCommand command;
    memset(&command, 0xA5, sizeof command);
    EncodeFailure failure;
    const bool ok = EncodeSettingsCommand(block, &command, &failure);

    if (!ok) {
        FUZZ_CHECK(firstWide >= 0 && failure.Offset == firstWide);
        FUZZ_CHECK(failure.Width == 2 && failure.Value >= 100 && failure.Value <= 255);
        FUZZ_CHECK(failure.Name != nullptr && failure.Name[0] != '\0');
        FUZZ_CHECK(command.Count == 0 && AllZero(command.Area, sizeof command.Area));
        return;
    }
    FUZZ_CHECK(firstWide < 0 && failure.Offset == -1);
    FUZZ_CHECK(command.Count == SettingsCommandLength);
    FUZZ_CHECK(command.Area[0] == 0x1C && command.Area[1] == 'o' && command.Area[194] == '.');
    FUZZ_CHECK(AllZero(command.Area + 195, sizeof command.Area - 195));
    // Between FS "o" and ".", only separators, digits, upper-case hex and raw nibbles (0x00-0x0F).
    int commas = 0;
    for (int i = 2; i < 194; ++i) {
        const uint8_t c = command.Area[i];
        if (c == ',') {
            ++commas;
            continue;
        }
        FUZZ_CHECK(c <= 0x0F || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
    }
    FUZZ_CHECK(commas == 57);
}
