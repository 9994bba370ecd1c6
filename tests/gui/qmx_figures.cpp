// qmx_figures: measures the stand-in library on the machine at hand and prints the figures (call
// times, request round trips, notification delay and rate). Not a test: nothing is asserted.
// Run it under Wine: tools/wine-session.sh build/cross-x86 -- build/cross-x86/wine-run build/cross-x86/bin/qmx_figures.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "link/KovQmx.h"
#include "qmx/VirtualPrinters.h"
#include "tests/gui/qmx_test_support.h"
#include "tests/support/Clock.h"
#include "tests/support/InitialCommand.h"

namespace {

constexpr const char* kName = "Figures";
constexpr UINT kReadDone = WM_USER + 202;
constexpr UINT kWriteDone = WM_USER + 209;
constexpr UINT kStatusChanged = WM_USER + 211;

void Print(const char* what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms) sum += v;
    std::printf("%-44s n=%-5zu mean %8.3f ms  median %8.3f ms  max %8.3f ms\n", what, ms.size(),
                sum / ms.size(), ms[ms.size() / 2], ms.back());
}

volatile LONG stormStop = 0;
volatile LONG stormChanges = 0;

DWORD WINAPI Storm(void*) {
    uint32_t k = 0;
    while (!stormStop) {
        qmx::vp::SetStatus(kName, 0, 0, ++k);
        InterlockedIncrement(&stormChanges);
    }
    return 0;
}

}  // namespace

int main() {
    qmx::vp::ResetAll();
    qmx::vp::NewPrinter p;
    p.name = kName;
    if (qmx::vp::Add(p) != qmx::kOk) {
        std::printf("cannot add a virtual printer\n");
        return 1;
    }
    qmxtest::MessageWindow window;
    QMXSESSION s = nullptr;
    if (OpenManagerExA(kName, "figures", QMX_OPEN_MODE, &s) != qmx::kOk) return 1;
    uint8_t buffer[260];
    uint32_t got = 0;
    const auto command = qmxtest::InitialCommand();

    std::vector<double> t;
    for (int i = 0; i < 2000; ++i) {
        const double a = rptest::NowMs();
        GetPrinterStatusA(s, "PrinterStatus", buffer, 12, &got);
        t.push_back(rptest::NowMs() - a);
    }
    Print("GetPrinterStatusA PrinterStatus", t);
    t.clear();
    for (int i = 0; i < 2000; ++i) {
        const double a = rptest::NowMs();
        GetPrinterStatusA(s, "RPVariables_PSV", buffer, 260, &got);
        t.push_back(rptest::NowMs() - a);
    }
    Print("GetPrinterStatusA RPVariables_PSV", t);
    t.clear();
    for (int i = 0; i < 300; ++i) {
        const double a = rptest::NowMs();
        SetPrinterStatusDirectA(s, "RPVariables_PSV", command.data(), 260);
        t.push_back(rptest::NowMs() - a);
    }
    Print("SetPrinterStatusDirectA (write stored)", t);

    std::vector<double> call, trip;
    for (int i = 0; i < 300; ++i) {
        int32_t id = 0;
        const double a = rptest::NowMs();
        SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window.Get(), kWriteDone, &id);
        const double b = rptest::NowMs();
        if (!qmxtest::WaitForMessage(window.Get(), kWriteDone, 10000)) break;
        trip.push_back(rptest::NowMs() - a);
        call.push_back(b - a);
    }
    Print("SetReqPrinterStatusMsgA call", call);
    Print("write request round trip (to WM_WRITE_DONE)", trip);
    call.clear();
    trip.clear();
    for (int i = 0; i < 300; ++i) {
        const double a = rptest::NowMs();
        GetReqPrinterStatusMsgA(s, "RPVariables_PSV", window.Get(), kReadDone);
        const double b = rptest::NowMs();
        if (!qmxtest::WaitForMessage(window.Get(), kReadDone, 10000)) break;
        trip.push_back(rptest::NowMs() - a);
        call.push_back(b - a);
    }
    Print("GetReqPrinterStatusMsgA call", call);
    Print("read request round trip (to WM_READ_DONE)", trip);

    QMXNOTIFY h = nullptr;
    SetNotificationMsgA(s, "PrinterStatus", window.Get(), kStatusChanged, &h);
    t.clear();
    for (uint32_t i = 0; i < 300; ++i) {
        qmxtest::DrainMessages(window.Get());
        const double a = rptest::NowMs();
        qmx::vp::SetStatus(kName, 0, 0, 0x10000 + i);
        if (!qmxtest::WaitForMessage(window.Get(), kStatusChanged, 10000)) break;
        t.push_back(rptest::NowMs() - a);
    }
    Print("change in-process -> notification", t);
    // From another process: the notification is usually queued before qmxctl has even ended.
    t.clear();
    int queuedAtExit = 0;
    for (uint32_t i = 0; i < 10; ++i) {
        qmxtest::DrainMessages(window.Get());
        char args[64];
        std::snprintf(args, sizeof args, "set %s w2 %u", kName, 0x20000 + i);
        const double a = rptest::NowMs();
        if (qmxtest::RunQmxctl(args) != 0) break;
        MSG m;
        queuedAtExit += PeekMessageA(&m, window.Get(), kStatusChanged, kStatusChanged, PM_NOREMOVE) ? 1 : 0;
        if (!qmxtest::WaitForMessage(window.Get(), kStatusChanged, 10000)) break;
        t.push_back(rptest::NowMs() - a);
    }
    Print("qmxctl started -> notification (other process)", t);
    std::printf("  of these, %d were queued by the time qmxctl had ended\n", queuedAtExit);

    // A storm: another thread changes the status as fast as it can while this thread reacts to every
    // notification the way the panel does (reads the item again).
    qmxtest::DrainMessages(window.Get());
    HANDLE storm = CreateThread(nullptr, 0, Storm, nullptr, 0, nullptr);
    const double start = rptest::NowMs();
    long notifications = 0;
    double longestCall = 0;
    while (rptest::NowMs() - start < 3000) {
        if (qmxtest::WaitForMessage(window.Get(), kStatusChanged, 100)) {
            ++notifications;
            const double a = rptest::NowMs();
            GetPrinterStatusA(s, "PrinterStatus", buffer, 12, &got);
            longestCall = std::max(longestCall, rptest::NowMs() - a);
        }
    }
    stormStop = 1;
    WaitForSingleObject(storm, 10000);
    CloseHandle(storm);
    const double seconds = (rptest::NowMs() - start) / 1000.0;
    std::printf("storm: %ld changes/s, %ld notifications/s, longest read while storming %.3f ms\n",
                static_cast<long>(stormChanges / seconds), static_cast<long>(notifications / seconds),
                longestCall);

    KillNotificationMsg(s, h);
    CloseManager(s);
    qmx::vp::ResetAll();
    return 0;
}
