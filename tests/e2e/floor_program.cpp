// The floor of the start-up figures: only what the platform makes any program of this kind do
// before it can show a printer's panel. The same manifest (common controls 6) and controls
// initialisation, the spooler's printers with the same flags and level, the same status library
// loaded and one session opened on the first printer, and one dialog of the panel's size with a
// tab control and the first page in it. Nothing of the program's own work.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "link/KovQmx.h"
#include "res/resource.h"

namespace {

constexpr int kFloorPanel = 100;

INT_PTR CALLBACK QuietPage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

INT_PTR CALLBACK FloorPanel(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        HWND tabs = GetDlgItem(dialog, IDC_TABS);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("tab");
        for (int i = 0; i < 6; ++i)
            SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PAPER_PAGE), dialog,
                                       QuietPage, 0);
        SetWindowPos(page, nullptr, 12, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(page, SW_SHOW);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    DWORD needed = 0, returned = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buffer(needed ? needed : 1);
    QMXSESSION session = nullptr;
    if (EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed,
                      &needed, &returned) &&
        returned > 0) {
        const auto* printer = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        char user[256] = "";
        DWORD size = sizeof user;
        GetUserNameA(user, &size);
        OpenManagerExA(printer->pPrinterName, user, QMX_OPEN_MODE, &session);
    }
    DialogBoxParamA(instance, MAKEINTRESOURCEA(kFloorPanel), nullptr, FloorPanel, 0);
    if (session) CloseManager(session);
    return 0;
}
