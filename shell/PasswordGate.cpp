// The password gate and the choice of the start printer.
#include <windows.h>

#include <cstring>
#include <string>

#include "base/AppState.h"
#include "base/Procedures.h"
#include "base/SuiteRegistry.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "res/resource.h"
#include "shell/PasswordGate.h"
#include "shell/StartRules.h"

namespace {

const char kWrongPassword[] = "パスワードが違います。";

std::string DialogItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    int length = item ? GetWindowTextLengthA(item) : 0;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    if (item) GetWindowTextA(item, text.data(), length + 1);
    text.resize(std::strlen(text.c_str()));
    return text;
}

INT_PTR HandlePasswordMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    const char* stored = reinterpret_cast<const char*>(GetWindowLongPtrA(dialog, DWLP_USER));
                    std::string typed = DialogItemText(dialog, IDC_PASSWORD);
                    if (typed.empty() || !stored || typed != stored) {
                        ShowProgramMessage(dialog, kWrongPassword, MB_OK | MB_ICONERROR);
                        SetDlgItemTextA(dialog, IDC_PASSWORD, "");
                        SetFocus(GetDlgItem(dialog, IDC_PASSWORD));
                        return TRUE;
                    }
                    EndDialog(dialog, 1);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK PasswordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardDialogMessage([&] { return HandlePasswordMessage(dialog, message, wParam, lParam); });
}

int PasswordGate(const char* commandLine, const char** printerName) {
    *printerName = nullptr;
    // The gate stays closed when the suite's key cannot be opened.
    const std::optional<std::string> password = ReadStoredPassword();
    if (!password) return 0;
    CommandLineReading reading = ReadCommandLine(commandLine, password->c_str());
    *printerName = reading.PrinterName;
    if (password->empty() || reading.PasswordGiven) return 1;
    INT_PTR result = DialogBoxParamA(AppState.Instance, MAKEINTRESOURCEA(IDD_PASSWORD), AppState.PanelWindow,
                                     PasswordDialogProc, reinterpret_cast<LPARAM>(password->c_str()));
    return result == 1 ? 1 : 0;
}

PrinterEntry* ChooseStartPrinter(const char* commandLine) {
    const char* name = nullptr;
    if (!PasswordGate(commandLine, &name)) return nullptr;
    if (!name) return AppState.PrinterList;
    for (PrinterEntry* entry = AppState.PrinterList; entry; entry = entry->Next) {
        if (entry->Name && std::strcmp(entry->Name, name) == 0) return entry;
    }
    char notSupported[kTextBufferSize];
    LoadText(IDS_PRINTER_NOT_SUPPORTED, notSupported, sizeof notSupported);
    // The whole name is shown, however long it is.
    std::string text = std::string(name) + " " + notSupported;
    ShowPrinterMessage(nullptr, text.c_str(), MB_OK | MB_ICONWARNING, name);
    return nullptr;
}
