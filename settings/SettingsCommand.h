// SettingsCommand.h - the FS "o" command that writes the settings to the printer.
//
// The command is 195 bytes in a zero-filled 260-byte area: FS (0x1C), "o", then every writable
// setting as comma-separated fields of fixed width, and a final ".". It holds raw nibble bytes
// 0x00-0x0F, so it is bytes, not text.
#ifndef RP_SETTINGS_SETTINGSCOMMAND_H
#define RP_SETTINGS_SETTINGSCOMMAND_H

#include <stdint.h>

#include "settings/SettingsBlock.h"

inline constexpr int32_t SettingsCommandAreaSize = 260;
inline constexpr int32_t SettingsCommandLength = 195;

struct SettingsCommand {
    uint8_t Area[SettingsCommandAreaSize];  // handed to the library whole, with size 260
    int32_t Count;                          // bytes of the area in use
};

// Why a block could not be encoded: a value that does not fit its fixed-width decimal field.
// Sending it would cut the number to its first digits and write a wrong value to the printer.
struct EncodeFailure {
    int32_t Offset;    // block offset of the field, -1 when none
    int32_t Value;     // the value found there (bits 0-6 only for byte 22)
    int32_t Width;     // the field's width in digits
    const char* Name;  // CP932 name of the setting for a message, e.g. "書式２の用紙長"
};

// Turns a block into the command. On success the area holds the 195-byte command followed by
// zeros, Count is 195 and the result is true. When a value does not fit its field, the area is all
// zeros, Count is 0, `failure` (when given) names the first such field in command order, and the
// result is false.
bool EncodeSettingsCommand(SettingsBlock block, SettingsCommand* command, EncodeFailure* failure = nullptr);

// Append one byte, or `count` bytes, at Count and advance it. Nothing is written and the result is
// false when the bytes would not fit in the area.
bool AppendCommandByte(SettingsCommand* command, uint8_t value);
bool AppendCommandBytes(SettingsCommand* command, const void* bytes, int32_t count);

#endif
