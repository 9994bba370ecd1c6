// Figures of the panel at work (not a test: nothing is asserted). The frame with its panel runs
// in this process on a virtual printer; each cycle reads the settings (Ctrl+R), edits the first
// page and writes (更新), waiting for the library's replies. Prints the process's memory and its
// handles after a warm-up and after the cycles, and the time per cycle.
//   panel_figures [cycles] [reads]   (default 1000 read/write cycles; "reads": reads only;
//                                    run inside tools/wine-session.sh)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/AppState.h"
#include "base/Messages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "tests/gui/shell_support.h"
#include "tests/support/Clock.h"
#include "tests/support/Pump.h"

namespace {

struct Usage {
    double committedKiB;  // committed private pages of the address space
    double heapKiB;       // blocks in use in every heap of the process
    double workingSetKiB;
    DWORD handles;
};

// Wine reports neither PrivateUsage nor GDI/USER object counts, so the private memory is summed
// from the address space and the heaps are walked.
double CommittedPrivateKiB() {
    double total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return total / 1024.0;
}

double HeapInUseKiB() {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    double total = 0;
    for (DWORD i = 0; i < count && i < 256; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return total / 1024.0;
}

Usage Measure() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return {CommittedPrivateKiB(), HeapInUseKiB(), counters.WorkingSetSize / 1024.0, handles};
}

void Print(const char* when, const Usage& usage) {
    std::printf(
        "%-18s committed private %9.1f KiB  heaps in use %8.1f KiB  working set %8.1f KiB"
        "  handles %lu\n",
        when, usage.committedKiB, usage.heapKiB, usage.workingSetKiB,
        static_cast<unsigned long>(usage.handles));
}

bool Idle() { return AppState.ReadPending == 0 && AppState.WritePending == 0; }

bool readsOnly = false;

// One read and one write (or the read alone); false when a reply did not come.
bool Cycle(int round) {
    SendMessageA(AppState.FrameWindow, WM_COMMAND, IDM_READ_SETTINGS, 0);
    if (!rptest::PumpUntil(Idle) || !SettingsLoaded()) return false;
    if (readsOnly) return true;
    HWND page = FindWindowExA(AppState.PanelWindow, nullptr, "#32770", nullptr);
    SetDlgItemTextA(page, IDC_HC_CUT_EDIT, std::to_string(10 + round % 59).c_str());
    SendMessageA(AppState.PanelWindow, WM_COMMAND, MAKEWPARAM(IDC_UPDATE, BN_CLICKED), 0);
    return rptest::PumpUntil(Idle) && AppState.CanUpdate == 1;
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    readsOnly = argc > 2 && std::string(argv[2]) == "reads";
    shelltest::ResetProgram();
    shelltest::InstallPrinters({"LP1"});
    AppState.CurrentPrinter = AppState.PrinterList;
    AppState.SeveralPrinters = 0;
    HWND frame = shelltest::MakeFrame();
    if (!frame) {
        std::fprintf(stderr, "panel_figures: no frame\n");
        return 1;
    }
    ShowWindow(frame, SW_SHOW);
    if (!rptest::PumpUntil(Idle)) return 1;

    for (int round = 0; round < 20; ++round) {
        if (!Cycle(round)) return 1;
    }
    const Usage warm = Measure();
    const double start = rptest::NowMs();
    for (int round = 0; round < cycles; ++round) {
        if (!Cycle(round)) {
            std::fprintf(stderr, "panel_figures: cycle %d got no reply\n", round);
            return 1;
        }
    }
    const double end = rptest::NowMs();
    const Usage after = Measure();
    std::printf("%s cycles: %d\n", readsOnly ? "read" : "read/write", cycles);
    Print("after 20 warm-up", warm);
    Print("after the cycles", after);
    std::printf("difference: committed private %+.1f KiB, heaps %+.1f KiB, handles %+ld\n",
                after.committedKiB - warm.committedKiB, after.heapKiB - warm.heapKiB,
                static_cast<long>(after.handles) - static_cast<long>(warm.handles));
    std::printf("time per cycle: %.2f ms\n", (end - start) / cycles);
    shelltest::ResetProgram();
    return 0;
}
