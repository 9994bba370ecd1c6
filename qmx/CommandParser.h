// The settings command as the printer receives it: a strict parser and the applier that stores
// the carried values in the printer's 260-byte settings block.
//
// A command is 195 bytes: FS (0x1C) and "o", then 58 fields separated by commas and a final ".".
// The first field is the digit "0"; the four switch bytes travel as two raw nibble bytes each
// (low nibble first, values 0x00-0x0F); the rest are fixed-width ASCII numbers: single coded
// digits, "%02d", "%03d" or upper-case "%02X". The command area handed over may be longer than
// the command: everything after the "." must be zero.
//
// This is the printer's reading of the format, written independently of the program's encoder.
#ifndef RP_QMX_COMMANDPARSER_H
#define RP_QMX_COMMANDPARSER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qmx {

inline constexpr size_t kBlockSize = 260;       // the settings block, as read
inline constexpr size_t kCommandLength = 195;   // the command proper
inline constexpr size_t kCommandAreaMax = 260;  // the largest area a write may hand over
inline constexpr uint8_t kFS = 0x1C;

using SettingsBlockBytes = std::array<uint8_t, kBlockSize>;

enum class FieldKind : uint8_t {
    Nibbles,  // two raw bytes 0x00-0x0F: low nibble, then high nibble of one block byte
    Digit,    // one ASCII digit out of an allowed set
    Dec2,     // two ASCII decimal digits
    Dec3,     // three ASCII decimal digits
    Hex2,     // two upper-case hexadecimal digits
};

inline constexpr uint8_t kNoTarget = 0xFF;

// One field of the command and where its value lands in the block: the bits (mask << shift) of
// byte `offset` are replaced by the value; the other bits of that byte keep what was stored.
struct CommandField {
    const char* label;
    FieldKind kind;
    uint16_t digits;  // Digit: bit d set = digit d allowed
    uint8_t offset;   // block byte, or kNoTarget
    uint8_t shift;
    uint8_t mask;  // largest value the field may carry
};

inline constexpr size_t kCommandFieldCount = 58;

// The 58 fields in command order.
const std::array<CommandField, kCommandFieldCount>& CommandFields();

// The values of a well-formed command, one per field, in command order.
struct CommandValues {
    std::array<uint16_t, kCommandFieldCount> value{};
};

struct CommandError {
    size_t offset = 0;   // byte of the command area where the fault was found
    std::string reason;  // English, for qmxctl and test messages
};

// Checks `size` bytes at `data` against the format. On success fills `values` and returns true;
// otherwise returns false, fills `error` when given and leaves `values` in an unspecified state.
bool ParseSettingsCommand(const uint8_t* data, size_t size, CommandValues& values,
                          CommandError* error = nullptr);

// Stores the values of a parsed command in the block. Bytes and bits the command does not carry
// (the header, unused areas, byte 21 bits 2-5) keep their stored value.
void ApplySettingsCommand(const CommandValues& values, SettingsBlockBytes& block);

// Parse and apply in one step; the block is changed only when the whole command is well formed.
bool ApplySettingsCommand(const uint8_t* data, size_t size, SettingsBlockBytes& block,
                          CommandError* error = nullptr);

// One line per field of a parsed command ("label: text as sent"), for qmxctl.
std::vector<std::string> DescribeCommand(const CommandValues& values);

}  // namespace qmx

#endif
