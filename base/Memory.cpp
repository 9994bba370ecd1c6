#include "base/Memory.h"

#include <cstring>

#include "base/AppState.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "res/resource.h"

namespace {

AllocationGate allocationGate = nullptr;

}  // namespace

AllocationGate SetAllocationGate(AllocationGate gate) {
    AllocationGate previous = allocationGate;
    allocationGate = gate;
    return previous;
}

void* AllocateZeroed(size_t bytes) {
    if (allocationGate && !allocationGate(bytes)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return LocalAlloc(LPTR, bytes);
}

void ReleaseMemory(void* block) {
    if (block) LocalFree(block);
}

char* DuplicateString(const char* text) {
    if (!text) return nullptr;
    const size_t length = std::strlen(text);
    char* copy = static_cast<char*>(AllocateZeroed(length + 1));
    if (copy) std::memcpy(copy, text, length);
    return copy;
}

void ShowAllocationFailure(HWND owner, DWORD code) {
    char failed[kTextBufferSize];
    char text[kTextBufferSize];
    LoadText(IDS_ALLOCATION_FAILED, failed, sizeof failed);
    FormatBounded(text, sizeof text, "%s\nエラーコード： %lx", failed, static_cast<unsigned long>(code));
    ShowProgramMessage(owner, text, MB_OK);
}
