#include "printers/PrinterRules.h"

#include <cstring>

#include "base/Text.h"

namespace {

constexpr uint32_t kW1NetworkUnknown = 0x100000;
constexpr uint32_t kW2Connected = 0x3F | 0x7FFF300;
constexpr uint32_t kW1NotConnected = 0x80 | 0x10100;

constexpr size_t kPortNameOffset = 4;
constexpr size_t kSecondNameOffset = 132;

void ReadField(const unsigned char* item, size_t size, size_t offset, char* out) {
    size_t available = size > offset ? size - offset : 0;
    if (available > kPortFieldSize) available = kPortFieldSize;
    size_t length = 0;
    while (length < available && item[offset + length] != 0) ++length;
    std::memcpy(out, item + offset, length);
    out[length] = '\0';
    TruncateCp932(out, length);  // a field cut at 128 bytes may end in half a character
}

}  // namespace

ProbeState DecideProbeState(uint32_t w1, uint32_t w2, const char* portName, const char* secondName) {
    const bool network = portName[0] == '\\' || secondName[0] != '\0';
    if (network && (w1 & kW1NetworkUnknown) != 0) return ProbeState::Unknown;
    if ((w2 & kW2Connected) != 0) return ProbeState::Connected;
    if ((w1 & kW1NotConnected) != 0) return ProbeState::NotConnected;
    return ProbeState::Unknown;
}

void ReadPortNames(const unsigned char* item, size_t size, PortNames* names) {
    ReadField(item, size, kPortNameOffset, names->Name);
    ReadField(item, size, kSecondNameOffset, names->SecondName);
}

void FormatPortText(const PortNames& names, char* out, size_t size) {
    if (names.SecondName[0] != '\0') {
        FormatBounded(out, size, "%s(%s)", names.Name, names.SecondName);
    } else {
        CopyBounded(out, size, names.Name);
    }
}

int ComparePrinterRows(const char* const a[kPrinterColumns], const char* const b[kPrinterColumns], int column,
                       CompareNoCaseFunction compareNoCase) {
    if (column > 0 && column < kPrinterColumns) {
        const int order = compareNoCase(a[column], b[column]);
        if (order != 0) return order;
    }
    return compareNoCase(a[0], b[0]);
}

std::string InstanceMappingName(const char* printerName) {
    std::string mapping = "KOVRP_";
    const char* p = printerName ? printerName : "";
    while (*p) {
        if (IsCp932LeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            mapping.append(p, 2);
            p += 2;
        } else {
            mapping.push_back(*p == '\\' ? ',' : *p);
            ++p;
        }
    }
    return mapping;
}
