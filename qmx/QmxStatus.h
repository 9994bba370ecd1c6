// Status codes of the stand-in KOVQMX.DLL and of the virtual printer store.
//
// Every entry point returns a 32-bit status: 0 for success, one of the codes below for a failure.
// The program never looks at the value beyond "zero or not"; the codes are here for tests, for
// qmxctl's messages and for whoever reads a trace.
#ifndef RP_QMX_QMXSTATUS_H
#define RP_QMX_QMXSTATUS_H

#include <cstdint>

namespace qmx {

enum Status : uint32_t {
    kOk = 0,
    kErrArgument = 1,       // a required pointer is null, or an argument is out of its range
    kErrSession = 2,        // the session is unknown or already closed
    kErrNoPrinter = 3,      // no virtual printer of that name, or the session's printer was removed
    kErrOpenRefused = 4,    // the printer refuses sessions (fault switch)
    kErrItem = 5,           // unknown item name (names are compared case-sensitively)
    kErrBufferSize = 6,     // the buffer is smaller than the item; nothing was written
    kErrReadFailed = 7,     // reading this item fails (fault switch)
    kErrWindow = 8,         // the window handle does not name a window
    kErrNotifyRefused = 9,  // this notification registration fails (fault switch)
    kErrHandle = 10,        // unknown notification handle for this session
    kErrNotWritable = 11,   // the item cannot be written (only the settings item can)
    kErrCommand = 12,       // the settings command is malformed; nothing was changed
    kErrWriteRefused = 13,  // the printer refuses this write (fault switch)
    kErrRequest = 14,       // unknown request id for this session
    kErrPending = 15,       // the request has not finished yet
    kErrStore = 16,         // the virtual printer store (registry) cannot be read or written
    kErrExists = 17,        // a virtual printer of that name exists already
    kErrName = 18,          // a name, port or second name is empty or too long for its field
    kErrInternal = 19,      // out of memory, or the worker thread could not be started
};

// A short English description of a status, for messages and test output.
const char* StatusText(uint32_t status);

}  // namespace qmx

#endif
