#include "tests/unit/FakeQmx.h"

#include <string.h>

FakeQmxState FakeQmx;

extern "C" QMXSTATUS QMXAPI GetPrinterStatusA(QMXSESSION session, const char* item, void* buffer,
                                              uint32_t size, uint32_t* outSize) {
    ++FakeQmx.Calls;
    FakeQmx.Session = session;
    FakeQmx.Item = item != nullptr ? item : "";
    FakeQmx.Buffer = buffer;
    FakeQmx.Size = size;
    FakeQmx.OutSize = outSize;
    if (FakeQmx.Status == 0 && buffer != nullptr) {
        const size_t n = FakeQmx.Reply.size() < size ? FakeQmx.Reply.size() : size;
        memcpy(buffer, FakeQmx.Reply.data(), n);
        if (outSize != nullptr) *outSize = static_cast<uint32_t>(n);
    }
    return FakeQmx.Status;
}
