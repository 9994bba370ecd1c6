#include "base/StartupTrace.h"

#ifdef RP_STARTUP_TRACE

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Mark {
    const char* Name;
    ULONGLONG At;  // 100 ns since the process was created
};

Mark marks[64];
int markCount = 0;
bool written = false;

ULONGLONG Now() {
    // The precise clock where the system has it (Windows 8 on), the ordinary one otherwise.
    using PreciseClock = VOID(WINAPI*)(LPFILETIME);
    static const auto precise = reinterpret_cast<PreciseClock>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now{};
    if (precise) {
        precise(&now);
    } else {
        GetSystemTimeAsFileTime(&now);
    }
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

ULONGLONG ProcessCreated() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

void TraceStartup(const char* mark) {
    static const ULONGLONG created = ProcessCreated();
    if (written || markCount == static_cast<int>(sizeof marks / sizeof marks[0])) return;
    marks[markCount++] = {mark, Now() - created};
}

void WriteStartupTrace() {
    if (written) return;
    written = true;
    const char* path = std::getenv("RP_STARTUP_TRACE_FILE");
    FILE* file = path ? std::fopen(path, "w") : nullptr;
    if (!file) return;
    for (int i = 0; i < markCount; ++i) std::fprintf(file, "%s %.1f\n", marks[i].Name, marks[i].At / 10.0);
    std::fclose(file);
}

#endif
