// LibraryCalls.h - the calls of the status library that the panel, the printer probes and
// rpsettings make alike: a session opened as the user, and the three state items read from it.
// The header needs no windows.h.
#ifndef RP_LINK_LIBRARYCALLS_H
#define RP_LINK_LIBRARYCALLS_H

#include <cstddef>
#include <cstdint>

#include "link/KovQmx.h"

// ---- The session ------------------------------------------------------------------------------

constexpr size_t kUserNameSize = 256;

// The current user's name as the library wants it (empty when the system does not give it).
void CurrentUserName(char (&user)[kUserNameSize]);

// Opens a session on `printerName` for `userName` (the current user's when null) in the
// program's mode. Returns the library's result; *session is null unless it is 0.
QMXSTATUS OpenPrinterSession(const char* printerName, const char* userName, QMXSESSION* session);

// A session that is closed when it goes out of scope.
class LibrarySession {
public:
    // As OpenPrinterSession; IsOpen() says whether it opened.
    explicit LibrarySession(const char* printerName, const char* userName = nullptr);
    ~LibrarySession();
    LibrarySession(const LibrarySession&) = delete;
    LibrarySession& operator=(const LibrarySession&) = delete;

    bool IsOpen() const { return session_ != nullptr; }
    QMXSESSION Get() const { return session_; }

private:
    QMXSESSION session_ = nullptr;
};

// ---- The state items -------------------------------------------------------------------------

// The three state items the panel and rpsettings judge a printer by.
enum class StateItem { ExtStatus, Status, Authority };

// Their values as last read.
struct StateWords {
    int32_t Ext = -1;
    int32_t Status[3] = {-1, -1, -1};
    int32_t Authority = -1;
};

// Reads one state item into its place in `words` (changed only when the library call succeeds).
// Returns 0 when the value is usable, else the id of the failure text: the call failed, or the
// ext word, or status word 1 or 2, is -1.
uint32_t ReadStateItemOf(QMXSESSION session, StateItem item, StateWords& words);

// Reads "PrinterExtStatus", "PrinterStatus" and "UserAuthority" in this order, stopping at the
// first failure. Returns 0 when all three were read, else the failure text's id.
uint32_t ReadStateWords(QMXSESSION session, StateWords& words);

#endif
