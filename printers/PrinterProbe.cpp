#include "printers/PrinterProbe.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "link/KovQmx.h"

namespace {

// An open probe session, closed when it goes out of scope.
class ProbeSession {
public:
    ProbeSession(const char* printerName, const char* userName) {
        if (OpenManagerExA(printerName, userName, QMX_OPEN_MODE, &session_) != 0) session_ = nullptr;
    }
    ~ProbeSession() {
        if (session_ != nullptr) CloseManager(session_);
    }
    ProbeSession(const ProbeSession&) = delete;
    ProbeSession& operator=(const ProbeSession&) = delete;

    bool IsOpen() const { return session_ != nullptr; }
    // Reads an item into buffer (zero-filled first, so bytes the library leaves out read as 0).
    bool Read(const char* item, unsigned char* buffer, uint32_t size) const {
        std::memset(buffer, 0, size);
        uint32_t got = 0;
        return GetPrinterStatusA(session_, item, buffer, size, &got) == 0;
    }

private:
    QMXSESSION session_ = nullptr;
};

bool ReadPort(const ProbeSession& session, PortNames* names) {
    unsigned char item[QMX_PORT_ITEM_SIZE];
    if (!session.Read(QMX_ITEM_PORT, item, sizeof item)) return false;
    ReadPortNames(item, sizeof item, names);
    return true;
}

}  // namespace

void CurrentUserName(char (&user)[kUserNameSize]) {
    DWORD size = kUserNameSize;
    if (!GetUserNameA(user, &size)) user[0] = '\0';
    user[kUserNameSize - 1] = '\0';
}

bool ProbePortText(const char* printerName, const char* userName, char* out, size_t size) {
    ProbeSession session(printerName, userName);
    if (!session.IsOpen()) return false;
    PortNames names;
    if (!ReadPort(session, &names)) return false;
    FormatPortText(names, out, size);
    return true;
}

ProbeState ProbePrinterState(const char* printerName, const char* userName) {
    ProbeSession session(printerName, userName);
    if (!session.IsOpen()) return ProbeState::Unknown;
    unsigned char status[QMX_PRINTER_STATUS_SIZE];
    if (!session.Read(QMX_ITEM_PRINTER_STATUS, status, sizeof status)) return ProbeState::Unknown;
    PortNames names;
    if (!ReadPort(session, &names)) return ProbeState::Unknown;
    uint32_t w1 = 0, w2 = 0;
    std::memcpy(&w1, status + 4, sizeof w1);
    std::memcpy(&w2, status + 8, sizeof w2);
    return DecideProbeState(w1, w2, names.Name, names.SecondName);
}
