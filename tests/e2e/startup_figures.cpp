// Start-up figures: the time from starting remotepanel.exe until its frame is visible and until
// its panel shows the printer's settings, against the time a program that shows one dialog needs
// for that dialog, alternately in the same prefix.
//   rp_startup_figures [rounds]
// Prints the median of each and their ratio. Not a test: nothing is asserted.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "qmx/VirtualPrinters.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/Clock.h"

namespace {

// Milliseconds from process start to a visible window of the class; -1 when none appeared.
double TimeToWindow(const char* program, const char* className) {
    const double start = rptest::NowMs();
    e2e::Child child(program, "");
    HWND window = nullptr;
    while (!window && child.Running()) {
        window = e2e::WaitForWindow(child.Id(), className, nullptr, 0);
        if (!window) Sleep(1);
    }
    const double seen = rptest::NowMs();
    if (!window) return -1;
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (child.Wait(10000) == STILL_ACTIVE) return -1;
    return seen - start;
}

// The first page's paper-set group box (1159) is enabled exactly while the pages show settings.
bool SettingsShown(HWND frame) {
    HWND panel = e2e::PanelOf(frame);
    HWND page = panel ? FindWindowExA(panel, nullptr, "#32770", nullptr) : nullptr;
    HWND group = page ? GetDlgItem(page, 1159) : nullptr;
    return group && IsWindowEnabled(group);
}

// Milliseconds from process start until the panel shows the printer's settings; -1 when it did
// not within ten seconds.
double TimeToSettings() {
    const double start = rptest::NowMs();
    e2e::Child child("remotepanel.exe", "");
    HWND frame = nullptr;
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (child.Running() && GetTickCount64() < deadline) {
        if (!frame) frame = e2e::WaitForWindow(child.Id(), "RPWndClass", nullptr, 0);
        if (frame && SettingsShown(frame)) break;
        Sleep(1);
    }
    const double seen = rptest::NowMs();
    if (!frame || !SettingsShown(frame)) return -1;
    PostMessageA(frame, WM_CLOSE, 0, 0);
    if (child.Wait(10000) == STILL_ACTIVE) return -1;
    return seen - start;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    qmx::vp::ResetAll();
    qmx::vp::InstallModel();
    qmx::vp::NewPrinter printer;
    printer.name = "LP1";
    printer.spoolerEntry = true;
    qmx::vp::Add(printer);

    std::vector<double> program, settings, baseline;
    TimeToWindow("remotepanel.exe", "RPWndClass");  // warm-up of both
    TimeToWindow("rp_min_dialog.exe", "#32770");
    for (int round = 0; round < rounds; ++round) {
        double a = TimeToWindow("remotepanel.exe", "RPWndClass");
        double s = TimeToSettings();
        double b = TimeToWindow("rp_min_dialog.exe", "#32770");
        if (a < 0 || s < 0 || b < 0) {
            std::fprintf(stderr, "round %d: a window or the settings did not appear\n", round);
            return 1;
        }
        program.push_back(a);
        settings.push_back(s);
        baseline.push_back(b);
    }
    qmx::vp::ResetAll();
    const double p = rptest::MedianOf(program), s = rptest::MedianOf(settings), b = rptest::MedianOf(baseline);
    std::printf("rounds %d\nremotepanel.exe to frame shown: median %.1f ms\n"
                "remotepanel.exe to settings shown: median %.1f ms\n"
                "one-dialog program to dialog shown: median %.1f ms\n"
                "ratio frame/dialog %.2f, settings/dialog %.2f\n",
                rounds, p, s, b, p / b, s / b);
    return 0;
}
