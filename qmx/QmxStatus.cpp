// Texts of the status codes.
#include "qmx/QmxStatus.h"

namespace qmx {

const char* StatusText(uint32_t status) {
    switch (status) {
        case kOk:
            return "success";
        case kErrArgument:
            return "a required argument is missing or out of range";
        case kErrSession:
            return "unknown or closed session";
        case kErrNoPrinter:
            return "no virtual printer of that name";
        case kErrOpenRefused:
            return "the printer refuses sessions (fault switch)";
        case kErrItem:
            return "unknown item name";
        case kErrBufferSize:
            return "the buffer is smaller than the item";
        case kErrReadFailed:
            return "reading this item fails (fault switch)";
        case kErrWindow:
            return "not a window";
        case kErrNotifyRefused:
            return "the notification registration fails (fault switch)";
        case kErrHandle:
            return "unknown notification handle";
        case kErrNotWritable:
            return "the item cannot be written";
        case kErrCommand:
            return "malformed settings command";
        case kErrWriteRefused:
            return "the printer refuses the write (fault switch)";
        case kErrRequest:
            return "unknown request id";
        case kErrPending:
            return "the request has not finished";
        case kErrStore:
            return "the virtual printer store cannot be read or written";
        case kErrExists:
            return "a virtual printer of that name exists already";
        case kErrName:
            return "a name is empty or too long for its field";
        case kErrInternal:
            return "internal failure (memory or thread)";
        default:
            return "unknown status";
    }
}

}  // namespace qmx
