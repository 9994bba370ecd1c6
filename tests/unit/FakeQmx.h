// FakeQmx.h - a stand-in for the library's GetPrinterStatusA in native unit tests: it records how
// it was called and answers with a prepared status and bytes.
#ifndef RP_TESTS_UNIT_FAKEQMX_H
#define RP_TESTS_UNIT_FAKEQMX_H

#include <stdint.h>

#include <string>
#include <vector>

#include "link/KovQmx.h"

struct FakeQmxState {
    // The answer.
    QMXSTATUS Status = 0;
    std::vector<uint8_t> Reply;  // copied into the caller's buffer, at most `size` bytes
    // The last call.
    int Calls = 0;
    QMXSESSION Session = nullptr;
    std::string Item;
    void* Buffer = nullptr;
    uint32_t Size = 0;
    uint32_t* OutSize = nullptr;
};

extern FakeQmxState FakeQmx;

#endif
