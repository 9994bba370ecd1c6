// Shared set-up of the printer tests: a fresh AppState, the supported model installed, virtual
// printers with spooler entries, an allocation gate that fails the n-th allocation, and the
// selection dialog run modally with a script that drives it from inside its message loop.
#ifndef RP_TESTS_GUI_PRINTERS_FIXTURE_H
#define RP_TESTS_GUI_PRINTERS_FIXTURE_H

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/Memory.h"
#include "link/KovQmx.h"
#include "printers/PrinterEnumeration.h"
#include "printers/PrinterSelection.h"
#include "qmx/VirtualPrinters.h"
#include "res/resource.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ProgramState.h"

namespace printerstest {

constexpr const char kDriver[] = "KOV Brindlemark 400ZX";

using rptest::ProgramString;

// Fails the allocation after `failAfter` successful ones (-1: never).
inline int failAfter = -1;
inline bool CountingGate(size_t) {
    if (failAfter < 0) return true;
    return failAfter-- > 0;
}

struct Printer {
    Printer(std::string n, std::string p = "LPT1:", std::string s = "", std::string d = kDriver)
        : name(std::move(n)), port(std::move(p)), second(std::move(s)), driver(std::move(d)) {}
    std::string name, port, second, driver;
};

class PrintersTest : public ::testing::Test {
protected:
    void SetUp() override {
        rptest::ResetProgramState();
        ASSERT_EQ(qmx::vp::ResetAll(), 0u);
        ASSERT_EQ(qmx::vp::InstallModel(), 0u);
    }
    void TearDown() override {
        SetAllocationGate(nullptr);
        failAfter = -1;
        FreePrinterList(AppState.PrinterList);
        rptest::ResetProgramState();
        qmx::vp::ResetAll();
        qmx::vp::RemoveModel();
    }

    static void Add(const Printer& p) {
        qmx::vp::NewPrinter printer;
        printer.name = p.name;
        printer.port = p.port;
        printer.secondName = p.second;
        printer.spoolerEntry = true;
        printer.driver = p.driver;
        ASSERT_EQ(qmx::vp::Add(printer), 0u) << p.name;
    }

    // The names of the spooler's printers with the driver, in the spooler's own order.
    static std::vector<std::string> SpoolerOrder(const char* driver) {
        DWORD needed = 0, returned = 0;
        EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned);
        std::vector<BYTE> buffer(needed + 1);
        std::vector<std::string> names;
        if (!EnumPrintersA(6, nullptr, 2, buffer.data(), needed, &needed, &returned)) return names;
        const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < returned; ++i) {
            if (info[i].pDriverName && strcmp(info[i].pDriverName, driver) == 0) {
                names.push_back(info[i].pPrinterName);
            }
        }
        return names;
    }

    static std::vector<std::string> ListedNames() {
        std::vector<std::string> names;
        for (const PrinterEntry* e = AppState.PrinterList; e; e = e->Next) names.push_back(e->Name);
        return names;
    }

    static PrinterEntry* Entry(const std::string& name) {
        for (PrinterEntry* e = AppState.PrinterList; e; e = e->Next) {
            if (name == e->Name) return e;
        }
        return nullptr;
    }
};

// ---- The selection dialog, driven by a script ---------------------------------------------

using Script = std::function<void(HWND dialog)>;
inline Script* currentScript = nullptr;
inline bool scriptCancelled = false;  // the dialog was still open after the script

// The modal loop shows the dialog once its queue runs empty; the script waits for that.
inline void CALLBACK RunScript(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    if (!IsWindowVisible(dialog)) return;
    KillTimer(dialog, timer);
    (*currentScript)(dialog);
    if (IsWindowVisible(dialog)) {
        scriptCancelled = true;
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

// Runs dialog 122 with PrinterSelectionDialog; `script` runs once the dialog is shown. A dialog
// the script leaves open is cancelled (scriptCancelled tells).
// What the panel answers the dialog's question whether it holds unsent edits.
inline bool panelHoldsUnsentEdits = false;
inline bool AskThePanel() { return panelHoldsUnsentEdits; }

inline INT_PTR RunSelection(rptest::MessageBoxRecorder& boxes, const Script& script, HWND owner = nullptr) {
    Script copy = script;
    currentScript = &copy;
    scriptCancelled = false;
    boxes.OnDialog([](HWND window) {
        if (GetDlgItem(window, IDC_PRINTER_LIST) == nullptr) return false;
        SetTimer(window, 1, 10, RunScript);
        return true;
    });
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SELECT_PRINTER), owner,
                                     PrinterSelectionDialog, reinterpret_cast<LPARAM>(&AskThePanel));
    currentScript = nullptr;
    return result;
}

inline HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_PRINTER_LIST); }

inline int ItemCount(HWND dialog) {
    return static_cast<int>(SendMessageA(List(dialog), LVM_GETITEMCOUNT, 0, 0));
}

inline std::string ItemText(HWND dialog, int item, int column) {
    char buffer[600] = {};
    LVITEMA lvItem{};
    lvItem.iSubItem = column;
    lvItem.pszText = buffer;
    lvItem.cchTextMax = sizeof buffer;
    SendMessageA(List(dialog), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvItem));
    return buffer;
}

inline std::vector<std::string> Column(HWND dialog, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < ItemCount(dialog); ++i) texts.push_back(ItemText(dialog, i, column));
    return texts;
}

inline UINT ItemState(HWND dialog, int item) {
    return static_cast<UINT>(
        SendMessageA(List(dialog), LVM_GETITEMSTATE, item, LVIS_SELECTED | LVIS_FOCUSED));
}

inline void Select(HWND dialog, int item) {
    LVITEMA lvItem{};
    lvItem.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    lvItem.state = item >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(List(dialog), LVM_SETITEMSTATE, item >= 0 ? item : -1, reinterpret_cast<LPARAM>(&lvItem));
}

inline void Notify(HWND dialog, UINT code, int subItem = 0) {
    NMLISTVIEW info{};
    info.hdr.hwndFrom = List(dialog);
    info.hdr.idFrom = IDC_PRINTER_LIST;
    info.hdr.code = code;
    info.iItem = -1;
    info.iSubItem = subItem;
    SendMessageA(dialog, WM_NOTIFY, IDC_PRINTER_LIST, reinterpret_cast<LPARAM>(&info));
}

}  // namespace printerstest

#endif
