// Benchmark of the printer enumeration under Wine: enumerating 200 virtual printers against
// enumerating 1, and against a bare EnumPrintersA of the same 200, all in one run. Prints medians
// and ratios; asserts nothing. Not a test: run it by hand inside tools/wine-session.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "link/KovQmx.h"
#include "printers/PrinterEnumeration.h"
#include "qmx/VirtualPrinters.h"
#include "tests/support/Clock.h"

namespace {

// Median time of one call over `rounds` rounds.
double Median(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = rptest::NowMs();
        work();
        times.push_back((rptest::NowMs() - start) / 1000.0);
    }
    return rptest::MedianOf(times);
}

void AddPrinters(int from, int to) {
    for (int i = from; i < to; ++i) {
        qmx::vp::NewPrinter printer;
        char name[32];
        snprintf(name, sizeof name, "Bench %03d", i);
        printer.name = name;
        printer.port = "LPT1:";
        printer.spoolerEntry = true;
        qmx::vp::Add(printer);
    }
}

double Enumerate(int rounds, int expected) {
    return Median(rounds, [expected] {
        if (EnumerateSupportedPrinters() != expected) std::printf("unexpected count\n");
    });
}

double BareEnumPrinters(int rounds) {
    return Median(rounds, [] {
        DWORD needed = 0, returned = 0;
        EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned);
        std::vector<BYTE> buffer(needed);
        EnumPrintersA(6, nullptr, 2, buffer.data(), needed, &needed, &returned);
    });
}

// One probe session as the enumeration makes it: open, read "Port", close.
double Probe(int rounds, const char* name) {
    return Median(rounds, [name] {
        QMXSESSION session = nullptr;
        if (OpenManagerExA(name, "", QMX_OPEN_MODE, &session) == 0) {
            unsigned char port[QMX_PORT_ITEM_SIZE];
            uint32_t got = 0;
            GetPrinterStatusA(session, QMX_ITEM_PORT, port, sizeof port, &got);
            CloseManager(session);
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    AppState.Instance = GetModuleHandleA(nullptr);
    qmx::vp::ResetAll();
    qmx::vp::InstallModel();

    AddPrinters(0, 1);
    const double one = Enumerate(rounds, 1);
    const double bareOne = BareEnumPrinters(rounds);
    const double probeOne = Probe(rounds, "Bench 000");
    AddPrinters(1, 200);
    const double many = Enumerate(rounds, 200);
    const double bareMany = BareEnumPrinters(rounds);
    const double probeMany = Probe(rounds, "Bench 100");

    std::printf("median of %d rounds\n", rounds);
    std::printf("EnumerateSupportedPrinters,   1 printer : %9.3f ms\n", one * 1e3);
    std::printf("EnumerateSupportedPrinters, 200 printers: %9.3f ms (%.1f x one printer)\n", many * 1e3,
                many / one);
    std::printf("bare EnumPrintersA,           1 printer : %9.3f ms\n", bareOne * 1e3);
    std::printf("bare EnumPrintersA,         200 printers: %9.3f ms\n", bareMany * 1e3);
    std::printf("enumeration / bare EnumPrintersA at 200 : %.1f\n", many / bareMany);
    std::printf("per printer beyond the spooler          : %9.3f ms\n", (many - bareMany) / 200 * 1e3);
    std::printf("one library probe with   1 printer      : %9.3f ms\n", probeOne * 1e3);
    std::printf("one library probe with 200 printers     : %9.3f ms\n", probeMany * 1e3);

    FreePrinterList(AppState.PrinterList);
    AppState.PrinterList = nullptr;
    qmx::vp::ResetAll();
    qmx::vp::RemoveModel();
    return 0;
}
