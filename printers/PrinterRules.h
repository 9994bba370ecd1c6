// Decisions of the printer list and the selection dialog that need no window: the state shown for
// a printer, the port text, the order of the rows, and the name of the mapping that marks the
// panel working on a printer. Portable: no windows.h.
#ifndef RP_PRINTERS_PRINTERRULES_H
#define RP_PRINTERS_PRINTERRULES_H

#include <cstddef>
#include <cstdint>
#include <string>

// The state the selection dialog shows for a printer: "接続中", "未接続" or "不明".
enum class ProbeState { Connected, NotConnected, Unknown };

// Decides the state from the "PrinterStatus" words w1 and w2 and the "Port" names. A network
// printer (port name starting with "\" or a second name) whose w1 has 0x100000 is unknown;
// otherwise w2 bits 0x3F or 0x7FFF300 mean connected, w1 bits 0x80 or 0x10100 not connected.
ProbeState DecideProbeState(uint32_t w1, uint32_t w2, const char* portName, const char* secondName);

// The two names of a "Port" item: each at most 128 bytes, always terminated, never cut inside a
// double-byte character, even when the item's field holds no terminator.
constexpr size_t kPortFieldSize = 128;
struct PortNames {
    char Name[kPortFieldSize + 1];
    char SecondName[kPortFieldSize + 1];
};
// `item` holds `size` bytes of the item (260 when complete); fields beyond `size` read as empty.
void ReadPortNames(const unsigned char* item, size_t size, PortNames* names);

// The port text of a printer: "%s(%s)" of port name and second name, or the port name alone when
// the second name is empty. kPortTextSize always holds both names in full.
constexpr size_t kPortTextSize = 2 * kPortFieldSize + 3;
void FormatPortText(const PortNames& names, char* out, size_t size);

// The selection dialog's order: the texts of `column` compared without regard to letter case,
// the names (column 0) when those are equal. `compareNoCase` is the system's comparison
// (lstrcmpiA in the program). A column outside 0..3 compares the names.
constexpr int kPrinterColumns = 4;
using CompareNoCaseFunction = int (*)(const char*, const char*);
int ComparePrinterRows(const char* const a[kPrinterColumns], const char* const b[kPrinterColumns], int column,
                       CompareNoCaseFunction compareNoCase);

// The name of the single-instance mapping of a printer: "KOVRP_" followed by the printer name
// with every "\" replaced by ",". The name is read as CP932 characters, so the second byte of a
// double-byte character (which may be 0x5C) is kept.
std::string InstanceMappingName(const char* printerName);

#endif
