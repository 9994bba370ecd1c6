// LibrarySession.h - a session of the status library opened as the user, as the panel, the printer
// probes and rpsettings open it alike. The header needs no windows.h.
#ifndef RP_LINK_LIBRARYSESSION_H
#define RP_LINK_LIBRARYSESSION_H

#include <cstddef>

#include "link/KovQmx.h"

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

#endif
