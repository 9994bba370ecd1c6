// Memory for records and strings: zero-filled blocks from the local heap, the string duplicate,
// and the message shown when an allocation fails. Tests can make allocations fail on purpose.
#ifndef RP_BASE_MEMORY_H
#define RP_BASE_MEMORY_H

#include <windows.h>

#include <cstddef>

// A zero-filled block of `bytes` bytes from the local heap (release it with ReleaseMemory), or
// null when the allocation fails; GetLastError() then gives the reason.
void* AllocateZeroed(size_t bytes);
// Releases a block from AllocateZeroed or DuplicateString; null is allowed.
void ReleaseMemory(void* block);

// A copy of a NUL-terminated CP932 string in new zero-filled local memory (length + 1 bytes), or
// null when the allocation fails (or `text` is null). The copy belongs to the caller.
char* DuplicateString(const char* text);

// Shows "%s\nエラーコード： %lx" of the allocation-failure text and `code` (lower-case hexadecimal), captioned with the program's name,
// no icon, OK, owned by `owner` (may be null).
void ShowAllocationFailure(HWND owner, DWORD code);

// Test seam: a gate asked before every allocation; when it returns false the allocation fails with
// ERROR_NOT_ENOUGH_MEMORY. Null (the default) lets every allocation go ahead. Returns the previous
// gate.
using AllocationGate = bool (*)(size_t bytes);
AllocationGate SetAllocationGate(AllocationGate gate);

#endif
