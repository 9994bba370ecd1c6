// One panel per printer: a named file mapping per printer marks the panel that works on it.
#include <windows.h>

#include <string>

#include "res/resource.h"
#include "shell/Frame.h"
#include "shell/Messages.h"
#include "shell/StartRules.h"
#include "shell/Startup.h"
#include "shell/Ui.h"

namespace {

constexpr DWORD kMappingSize = 32;
const char* const kDialogClass = MAKEINTATOM(32770);

// Brings forward the program that already works on the printer: a dialog titled with the
// program's name, a dialog or message box titled with the printer's caption, or the frame.
bool BringOtherPanelForward(const char* caption) {
    char title[kTextBufferSize];
    LoadText(IDS_APP_TITLE, title, sizeof title);
    if (HWND box = FindWindowA(kDialogClass, title)) {
        SetForegroundWindow(box);
        return true;
    }
    if (HWND dialog = FindWindowA(kDialogClass, caption)) {
        SetForegroundWindow(dialog);
        return true;
    }
    if (HWND frame = FindWindowA(kFrameClassName, caption)) {
        if (IsIconic(frame)) {
            ShowWindow(frame, SW_RESTORE);
            SetForegroundWindow(frame);
        } else {
            SendMessageA(frame, WM_BRING_FORWARD, 0, 0);
        }
        return true;
    }
    return false;
}

void ShowGuardMessage(UINT textId, const char* caption) {
    char text[kTextBufferSize];
    LoadText(textId, text, sizeof text);
    ShowMessageBox(nullptr, text, caption, MB_OK);
}

}  // namespace

HANDLE GuardSingleInstance(const char* printerName) {
    const std::string name = InstanceMappingName(printerName);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0,
                                        kMappingSize, name.c_str());
    const DWORD error = GetLastError();
    char caption[kTextBufferSize];
    FormatCaptionFor(printerName, caption, sizeof caption);
    if (!mapping) {
        ShowGuardMessage(IDS_MAPPING_FAILED, caption);
        return nullptr;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        if (!BringOtherPanelForward(caption)) ShowGuardMessage(IDS_ALREADY_RUNNING, caption);
        CloseHandle(mapping);
        return nullptr;
    }
    return mapping;
}
