// What a virtual printer is made of, independent of where it is stored: the status items and their
// sizes, the initial settings block, the named state presets, the readable form of a block, and the
// small text conversions qmxctl needs (hex bytes, status words).
#ifndef RP_QMX_PRINTERRULES_H
#define RP_QMX_PRINTERRULES_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qmx/CommandParser.h"

namespace qmx {

// The status items a session reads and watches, with their sizes in bytes.
enum class Item : uint8_t { PrinterStatus, PrinterExtStatus, UserAuthority, PrinterName, Port, Settings };
inline constexpr size_t kItemCount = 6;

struct ItemInfo {
    Item item;
    const char* name;  // as the program passes it, compared case-sensitively
    uint32_t size;
};

const ItemInfo& InfoOf(Item item);
std::optional<Item> ItemByName(std::string_view name);  // exact, case-sensitive
inline uint32_t ItemBit(Item item) { return 1u << static_cast<unsigned>(item); }

// Field sizes: the name item is 256 bytes, port and second name 128 bytes each, all NUL-terminated.
inline constexpr size_t kNameMax = 255;
inline constexpr size_t kPortFieldMax = 127;
inline constexpr const char* kDefaultDriver = "KOV Brindlemark 400ZX";
inline constexpr const char* kDefaultPort = "LPT1:";

// The state words of a printer.
struct StateWords {
    uint32_t w0 = 0, w1 = 0, w2 = 0x1;  // w2 0x1: connected, not busy
    uint32_t ext = 0x3;                 // reachable, settings readable
    uint32_t authority = 0x10;          // the user may read and update
    bool operator==(const StateWords&) const = default;
};

// Named states for qmxctl and tests. Each preset sets all five words.
struct Preset {
    const char* name;
    const char* meaning;
    StateWords words;
};
const std::vector<Preset>& Presets();
const Preset* PresetByName(std::string_view name);

// The block of a new printer: header 1, 4 and the initial panel values.
SettingsBlockBytes InitialBlock();

// The header that a good block carries in bytes 0 and 1, and what a "bad header" read delivers.
inline constexpr uint8_t kHeader0 = 1, kHeader1 = 4;
inline constexpr uint8_t kBadHeader1 = 3;

// The stored block decoded field by field, one line each, for qmxctl.
std::vector<std::string> DescribeBlock(const SettingsBlockBytes& block);

// "1c 6f 30 2c" (whitespace, commas and colons between bytes allowed) to bytes; false on a stray
// character or an odd number of digits.
bool ParseHexBytes(std::string_view text, std::vector<uint8_t>& bytes);
// Bytes as hex, `perLine` bytes per line with the offset in front.
std::string FormatHexDump(const uint8_t* data, size_t size, size_t perLine = 16);

// A status word as qmxctl accepts it: decimal, 0x-hexadecimal, or a negative decimal down to
// -2147483648 (two's complement, so -1 is 0xFFFFFFFF).
bool ParseWord(std::string_view text, uint32_t& value);

}  // namespace qmx

#endif
