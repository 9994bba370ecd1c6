#include "printers/PrinterProbe.h"

#include <cstdint>
#include <cstring>

#include "link/LibrarySession.h"

namespace {

// Reads an item into buffer (zero-filled first, so bytes the library leaves out read as 0).
bool ReadItem(const LibrarySession& session, const char* item, unsigned char* buffer, uint32_t size) {
    std::memset(buffer, 0, size);
    uint32_t got = 0;
    return GetPrinterStatusA(session.Get(), item, buffer, size, &got) == 0;
}

bool ReadPort(const LibrarySession& session, PortNames* names) {
    unsigned char item[QMX_PORT_ITEM_SIZE];
    if (!ReadItem(session, QMX_ITEM_PORT, item, sizeof item)) return false;
    ReadPortNames(item, sizeof item, names);
    return true;
}

}  // namespace

bool ProbePortText(const char* printerName, const char* userName, char* out, size_t size) {
    const LibrarySession session(printerName, userName);
    if (!session.IsOpen()) return false;
    PortNames names;
    if (!ReadPort(session, &names)) return false;
    FormatPortText(names, out, size);
    return true;
}

ProbeState ProbePrinterState(const char* printerName, const char* userName, char* portText, size_t size) {
    const LibrarySession session(printerName, userName);
    if (!session.IsOpen()) return ProbeState::Unknown;
    // The port first: its text stands in the list whatever the state read gives.
    PortNames names;
    if (!ReadPort(session, &names)) return ProbeState::Unknown;
    if (portText) FormatPortText(names, portText, size);
    unsigned char status[QMX_PRINTER_STATUS_SIZE];
    if (!ReadItem(session, QMX_ITEM_PRINTER_STATUS, status, sizeof status)) return ProbeState::Unknown;
    uint32_t w1 = 0, w2 = 0;
    std::memcpy(&w1, status + 4, sizeof w1);
    std::memcpy(&w2, status + 8, sizeof w2);
    return DecideProbeState(w1, w2, names.Name, names.SecondName);
}
