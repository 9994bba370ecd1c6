// Sessions of the status library, opened as the user.
#include <windows.h>

#include "link/LibrarySession.h"

void CurrentUserName(char (&user)[kUserNameSize]) {
    DWORD size = kUserNameSize;
    if (!GetUserNameA(user, &size)) user[0] = '\0';
    user[kUserNameSize - 1] = '\0';
}

QMXSTATUS OpenPrinterSession(const char* printerName, const char* userName, QMXSESSION* session) {
    char user[kUserNameSize] = "";
    if (userName == nullptr) {
        CurrentUserName(user);
        userName = user;
    }
    *session = nullptr;
    const QMXSTATUS status = OpenManagerExA(printerName, userName, QMX_OPEN_MODE, session);
    if (status != 0) *session = nullptr;
    return status;
}

LibrarySession::LibrarySession(const char* printerName, const char* userName) {
    OpenPrinterSession(printerName, userName, &session_);
}

LibrarySession::~LibrarySession() {
    if (session_ != nullptr) CloseManager(session_);
}
