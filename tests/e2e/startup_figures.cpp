// Start-up figures: remotepanel.exe from process start until its panel shows the printer's
// settings, against the floor program (only the platform's unavoidable work) until its dialog is
// shown; and with 200 printers installed, until the selection dialog is shown against the floor
// with the same 200 printers. A program that shows one dialog is measured beside them. Rounds
// alternate in the same prefix, the three programs in each of their orders in turn; medians are
// printed, with a breakdown of where the program's time goes when it was built with its start-up
// trace, and the libraries each program has loaded when its window is ready (the names the program
// loads and the floor does not, and the other way round).
//   rp_startup_figures [rounds] [trace-file]
// Not a test: nothing is asserted.
#include <windows.h>
#include <psapi.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "qmx/VirtualPrinters.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/Clock.h"

namespace {

namespace vp = qmx::vp;

using Ready = bool (*)(HWND window);
using Libraries = std::set<std::string>;  // file names, lower case

// The libraries (DLLs and the like, not the program itself) loaded in the process right now.
Libraries LoadedLibraries(DWORD processId) {
    Libraries names;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return names;
    HMODULE modules[512];
    DWORD needed = 0;
    if (EnumProcessModules(process, modules, sizeof modules, &needed)) {
        const DWORD count = needed / sizeof modules[0];
        // The first module is the program's own file.
        for (DWORD i = 1; i < count && i < sizeof modules / sizeof modules[0]; ++i) {
            char name[MAX_PATH];
            if (!GetModuleBaseNameA(process, modules[i], name, sizeof name)) continue;
            std::string lower(name);
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            names.insert(lower);
        }
    }
    CloseHandle(process);
    return names;
}

// The names of `all` that `others` lacks, space separated; "none" when there are none.
std::string OnlyIn(const Libraries& all, const Libraries& others) {
    std::string text;
    for (const std::string& name : all) {
        if (others.count(name) == 0) text += (text.empty() ? "" : " ") + name;
    }
    return text.empty() ? "none" : text;
}

bool Shown(HWND) { return true; }

// The first page's paper-set group box (1159) is enabled exactly while the pages show settings.
bool SettingsShown(HWND frame) {
    HWND panel = e2e::PanelOf(frame);
    HWND page = panel ? FindWindowExA(panel, nullptr, "#32770", nullptr) : nullptr;
    HWND group = page ? GetDlgItem(page, 1159) : nullptr;
    return group && IsWindowEnabled(group);
}

// The selection dialog lists every installed printer (a message box instead would not do).
bool ListsAllPrinters(HWND dialog) {
    constexpr int kPrinterList = 285;
    HWND list = GetDlgItem(dialog, kPrinterList);
    return list && SendMessageA(list, 0x1004 /* LVM_GETITEMCOUNT */, 0, 0) == 200;
}

// Milliseconds from process start until a visible window of the class is there and ready; the
// window is then closed. -1 when that did not happen within twenty seconds. `loaded`, when given,
// receives the libraries the process had loaded then (listed after the time was taken).
double TimeTo(const char* program, const char* className, Ready ready, Libraries* loaded = nullptr) {
    const double start = rptest::NowMs();
    e2e::Child child(program, "");
    HWND window = nullptr;
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (child.Running() && GetTickCount64() < deadline) {
        if (!window) window = e2e::WaitForWindow(child.Id(), className, nullptr, 0);
        if (window && ready(window)) break;
        Sleep(1);
    }
    const double seen = rptest::NowMs();
    if (!window || !ready(window)) {
        // What the round saw, for the run's failure: the program ended, its window never came or
        // never got ready, or a box stands in its way.
        const e2e::Box box = e2e::WaitForBox(child.Id(), 0);
        std::fprintf(stderr, "%s: %s%s%s\n", program,
                     !child.Running() ? "ended"
                     : !window        ? "no window"
                                      : "window not ready",
                     box.window ? ", box: " : "", box.text.c_str());
        return -1;
    }
    if (loaded) *loaded = LoadedLibraries(child.Id());
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (child.Wait(10000) == STILL_ACTIVE) return -1;
    return seen - start;
}

void Install(int printers) {
    vp::ResetAll();
    vp::InstallModel();
    for (int i = 1; i <= printers; ++i) {
        vp::NewPrinter printer;
        printer.name = "LP" + std::to_string(i);
        printer.spoolerEntry = true;
        vp::Add(printer);
    }
}

// The program's start-up trace: lines "<mark> <microseconds since process creation>", one run.
std::vector<std::pair<std::string, double>> ReadTrace(const char* path) {
    std::vector<std::pair<std::string, double>> marks;
    FILE* file = path ? std::fopen(path, "r") : nullptr;
    if (!file) return marks;
    char name[64];
    double at = 0;
    while (std::fscanf(file, "%63s %lf", name, &at) == 2) marks.emplace_back(name, at / 1000.0);
    std::fclose(file);
    return marks;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    const char* trace = argc > 2 ? argv[2] : nullptr;
    // The program writes its start-up trace where this names, when it was built with it.
    if (trace) SetEnvironmentVariableA("RP_STARTUP_TRACE_FILE", trace);
    std::vector<double> settings, floor, dialog, selection200, floor200;
    std::vector<std::string> order;                    // the trace marks, in the order of a run
    std::map<std::string, std::vector<double>> steps;  // each mark's time since the one before
    Libraries programLoaded, floorLoaded, selectionLoaded, floor200Loaded;  // of the last round

    Install(1);
    TimeTo("remotepanel.exe", "RPWndClass", SettingsShown);  // warm-up of all three
    TimeTo("rp_floor.exe", "#32770", Shown);
    TimeTo("rp_min_dialog.exe", "#32770", Shown);
    // The three start in each of their six orders in turn, so that each starts after each of the
    // others as often: a process's start under Wine depends on what the one before it left behind.
    constexpr int kOrders[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 2, 1}, {2, 1, 0}, {1, 0, 2}};
    for (int round = 0; round < rounds; ++round) {
        if (trace) DeleteFileA(trace);
        for (int program : kOrders[round % 6]) {
            if (program == 0)
                settings.push_back(TimeTo("remotepanel.exe", "RPWndClass", SettingsShown, &programLoaded));
            if (program == 1) floor.push_back(TimeTo("rp_floor.exe", "#32770", Shown, &floorLoaded));
            if (program == 2) dialog.push_back(TimeTo("rp_min_dialog.exe", "#32770", Shown));
        }
        const auto marks = ReadTrace(trace);
        double before = 0;
        for (const auto& [name, at] : marks) {
            if (steps.find(name) == steps.end()) order.push_back(name);
            steps[name].push_back(at - before);
            before = at;
        }
    }
    Install(200);
    TimeTo("remotepanel.exe", "#32770", ListsAllPrinters);
    for (int round = 0; round < rounds; ++round) {
        selection200.push_back(TimeTo("remotepanel.exe", "#32770", ListsAllPrinters, &selectionLoaded));
        floor200.push_back(TimeTo("rp_floor.exe", "#32770", Shown, &floor200Loaded));
    }
    vp::ResetAll();
    for (const auto* series : {&settings, &floor, &dialog, &selection200, &floor200}) {
        for (double value : *series) {
            if (value < 0) {
                std::fprintf(stderr, "a window or the settings did not appear\n");
                return 1;
            }
        }
    }
    const double s = rptest::MedianOf(settings), f = rptest::MedianOf(floor), d = rptest::MedianOf(dialog);
    const double s200 = rptest::MedianOf(selection200), f200 = rptest::MedianOf(floor200);
    std::printf("rounds %d (medians)\n", rounds);
    std::printf("remotepanel.exe to settings shown        %8.1f ms\n", s);
    std::printf("floor program to dialog shown            %8.1f ms\n", f);
    std::printf("one-dialog program to dialog shown       %8.1f ms\n", d);
    std::printf("remotepanel.exe, 200 printers, to selection dialog %8.1f ms\n", s200);
    std::printf("floor program, 200 printers, to dialog   %8.1f ms\n", f200);
    if (!order.empty()) {
        std::printf("\nwhere remotepanel.exe's time goes (median of each step, ms since the mark before)\n");
        for (const std::string& name : order)
            std::printf("  %-28s %8.1f\n", name.c_str(), rptest::MedianOf(steps[name]));
    }
    std::printf("\nlibraries loaded when the window is ready\n");
    std::printf("  remotepanel.exe, settings shown        %3zu   floor %3zu\n", programLoaded.size(),
                floorLoaded.size());
    std::printf("  remotepanel.exe, selection dialog (200) %3zu   floor %3zu\n", selectionLoaded.size(),
                floor200Loaded.size());
    std::printf("  only remotepanel.exe's, settings shown: %s\n", OnlyIn(programLoaded, floorLoaded).c_str());
    std::printf("  only the floor's, settings shown: %s\n", OnlyIn(floorLoaded, programLoaded).c_str());
    std::printf("  only remotepanel.exe's, selection dialog: %s\n",
                OnlyIn(selectionLoaded, floor200Loaded).c_str());
    std::printf("\nratio settings/dialog %.2f\n", s / d);
    std::printf("ratio settings/floor %.2f\n", s / f);
    std::printf("ratio selection200/floor200 %.2f\n", s200 / f200);
    return 0;
}
