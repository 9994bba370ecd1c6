// One panel per printer: a named file mapping per printer marks the panel that works on it.
#include "printers/SingleInstance.h"

#include <string>

#include "base/AppState.h"
#include "base/Messages.h"
#include "base/ScopedHandles.h"
#include "base/Ui.h"
#include "printers/PrinterRules.h"
#include "res/resource.h"

namespace {

constexpr DWORD kMappingSize = 32;
constexpr UINT kBringForwardWaitMs = 5000;
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
            // The first program runs in the background, and Windows lets a background process
            // bring itself forward only when the foreground one allows it. A first program that
            // does not answer must not hold up this start, which ends all the same.
            DWORD firstProcess = 0;
            GetWindowThreadProcessId(frame, &firstProcess);
            AllowSetForegroundWindow(firstProcess);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(frame, WM_BRING_FORWARD, 0, 0, SMTO_ABORTIFHUNG, kBringForwardWaitMs,
                                &ignored);
        }
        return true;
    }
    return false;
}

}  // namespace

HANDLE CreateInstanceMapping(const char* printerName, bool* existed) {
    *existed = false;
    const std::string name = InstanceMappingName(printerName);
    KernelHandle mapping(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, kMappingSize, name.c_str()));
    if (mapping.Get() && GetLastError() == ERROR_ALREADY_EXISTS) {
        *existed = true;
        return nullptr;  // this handle goes; the other panel's mapping stays
    }
    return mapping.Detach();
}

void HoldInstanceMapping(HANDLE mapping) {
    // AppState is a plain record that start-up and tests fill directly: it holds the handle, and
    // this is the one place that closes it.
    KernelHandle previous(AppState.InstanceMapping);
    AppState.InstanceMapping = mapping;
}

void ReleaseInstanceMapping() { HoldInstanceMapping(nullptr); }

HANDLE GuardSingleInstance(const char* printerName) {
    char caption[kTextBufferSize];
    FormatCaptionFor(printerName, caption, sizeof caption);
    bool existed = false;
    HANDLE mapping = CreateInstanceMapping(printerName, &existed);
    if (existed) {
        if (!BringOtherPanelForward(caption))
            ShowPrinterMessage(nullptr, IDS_ALREADY_RUNNING, MB_OK, printerName);
    } else if (!mapping) {
        ShowPrinterMessage(nullptr, IDS_MAPPING_FAILED, MB_OK, printerName);
    }
    return mapping;
}
