// Records the program's calls into the status library while they still reach the stand-in: the
// test executable's import entries of KOVQMX.dll are pointed at recording functions that log each
// call (function, session, item, window, message, handle, size, result) and pass it on. For
// OpenManagerExA the item is the printer's name and the message the mode; for ResSetPrinterStatus
// the message is the request id.
#ifndef RP_TESTS_GUI_QMXCALLLOG_H
#define RP_TESTS_GUI_QMXCALLLOG_H

#include <windows.h>

#include <string>
#include <vector>

#include "link/KovQmx.h"

namespace linktest {

struct QmxCall {
    std::string function;
    QMXSESSION session = nullptr;
    std::string item;
    HWND window = nullptr;
    uint32_t message = 0;
    QMXNOTIFY handle = nullptr;  // the handle registered (SetNotificationMsgA) or cancelled
    uint32_t size = 0;
    QMXSTATUS result = 0;
};

// While one exists, calls are recorded. Only one at a time.
class QmxCallLog {
public:
    QmxCallLog();
    ~QmxCallLog();
    QmxCallLog(const QmxCallLog&) = delete;
    QmxCallLog& operator=(const QmxCallLog&) = delete;

    // False when no import entry of the library could be found (nothing can be observed).
    bool Active() const { return active_; }
    const std::vector<QmxCall>& Calls() const;
    std::vector<QmxCall> CallsOf(const char* function) const;
    void Clear();

    // The next `count` read requests (GetReqPrinterStatusMsgA) are refused with `status` at once,
    // without reaching the library (they are still recorded, with that result).
    void RefuseReadRequests(int count, QMXSTATUS status = 19);

private:
    bool active_ = false;
};

}  // namespace linktest

#endif
