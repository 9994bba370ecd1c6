// Stand-ins, for the shell's tests only, of functions whose owners' code is not yet in the tree:
// printer enumeration and help. They keep just enough behaviour
// for the shell's tests and record how they were called. Removed when the real code arrives.
#include "tests/gui/shell_support.h"

#include <cstring>

#include "shell/PendingApis.h"

namespace shelltest {

std::vector<std::string> InstalledPrinters;
std::vector<HelpCall> HelpCalls;

}  // namespace shelltest

const DWORD HelpIdTable[] = {
    10000, 0x80000000, 277, 0x80000600, 281, 0x80000700, 1046, 0x80000800, 278, 0x80000900,
    1047, 0x80000A00, 279, 0x80000B00, 284, 0x80000C00, 1050, 0x80000100, 8, 0x80000200,
    12321, 0x80000300, 9, 0x80000400, 1061, 0x80000600, 1, 0x81000300, 2, 0x81000400, 0, 0};

void ShowHelp(HWND window, UINT command, ULONG_PTR data) {
    shelltest::HelpCalls.push_back({window, command, data});
}

void FreePrinterList(PrinterEntry* list) {
    while (list) {
        PrinterEntry* next = list->Next;
        LocalFree(list->Name);
        LocalFree(list->PortText);
        LocalFree(list->Model);
        LocalFree(list);
        list = next;
    }
}

int32_t EnumerateSupportedPrinters() {
    std::string current = AppState.CurrentPrinter ? AppState.CurrentPrinter->Name : "";
    FreePrinterList(AppState.PrinterList);
    AppState.PrinterList = nullptr;
    AppState.CurrentPrinter = nullptr;
    AppState.PrinterCount = 0;
    PrinterEntry** tail = &AppState.PrinterList;
    for (const std::string& name : shelltest::InstalledPrinters) {
        *tail = shelltest::MakeEntry(name.c_str());
        if (!current.empty() && name == current) AppState.CurrentPrinter = *tail;
        tail = &(*tail)->Next;
        ++AppState.PrinterCount;
    }
    return AppState.PrinterCount;
}

INT_PTR CALLBACK PrinterSelectionDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

