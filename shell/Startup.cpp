// The program's entry: start-up in its fixed order, the message loop and shutdown.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "base/AppState.h"
#include "base/Messages.h"
#include "base/StartupTrace.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "panel/PanelDialog.h"
#include "panel/PanelPages.h"
#include "printers/PrinterEnumeration.h"
#include "printers/PrinterSelection.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "shell/Frame.h"
#include "shell/PasswordGate.h"
#include "shell/StartRules.h"
#include "shell/Startup.h"

namespace {

// A failed start: the printer list is released and the program ends with code 1.
int EndStart() {
    ReleaseInstanceMapping();
    ReleasePrinterList();
    return 1;
}

// Start-up messages have no owner, the program's name as caption and the warning icon.
constexpr UINT kStartMessage = MB_OK | MB_ICONWARNING;

bool RunsOnThisSystem() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    if (!GetVersionExA(&version)) return false;
    return OperatingSystemSupported(version.dwPlatformId, version.dwMajorVersion);
}

void InitialiseCommonControls() {
    InitCommonControls();
    // Version 6 of the library registers its classes on request only.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
}

// The panel asked for the settings while the frame was created. A reply that has come already is
// taken before the frame is first shown, so that the first screen shows the printer's settings
// rather than an empty page that is filled and painted again a moment later.
void TakeSettingsAlreadyRead() {
    MSG reply;
    if (AppState.PanelWindow &&
        PeekMessageA(&reply, AppState.PanelWindow, WM_READ_DONE, WM_READ_DONE, PM_REMOVE | PM_NOYIELD)) {
        DispatchMessageA(&reply);
    }
}

// The focus, given once the frame is shown (a hidden frame would be activated for it): the current
// page when it shows the settings, the panel otherwise.
void FocusFirstScreen() {
    if (!AppState.PanelWindow) return;
    if (SettingsLoaded()) {
        FocusCurrentPage(AppState.PanelWindow);
    } else {
        SetFocus(AppState.PanelWindow);
    }
}

}  // namespace

int RunProgram(HINSTANCE instance, const char* commandLine, int show) {
    TraceStartup("loader-and-runtime");
    // Nothing is decoded before the record is marked not loaded and the odd feed distances are
    // cleared: the first read may be decoded before the frame is first shown.
    MarkSettingsNotLoaded();
    std::memset(FeedPosOther, 0, sizeof FeedPosOther);
    AppState.Instance = instance;

    if (!RunsOnThisSystem()) {
        ShowProgramMessage(nullptr, IDS_OS_NOT_SUPPORTED, kStartMessage);
        return EndStart();
    }

    InitialiseCommonControls();
    TraceStartup("common-controls");

    AppState.PrinterCount = EnumerateSupportedPrinters();
    if (AppState.PrinterCount == 0) {
        ShowProgramMessage(nullptr, IDS_NO_SUPPORTED_PRINTER, kStartMessage);
        return EndStart();
    }
    AppState.SeveralPrinters = AppState.PrinterCount != 1;
    TraceStartup("printer-list");

    PrinterEntry* chosen = ChooseStartPrinter(commandLine);
    if (!chosen) return EndStart();
    AppState.CurrentPrinter = chosen;
    TraceStartup("gate");

    if (AppState.PrinterCount > 1) {
        // The name on the command line has only been checked for being installed: the user
        // chooses here, with nothing preselected.
        AppState.CurrentPrinter = nullptr;
        INT_PTR chosenInDialog = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SELECT_PRINTER), nullptr,
                                                 PrinterSelectionDialog, 0);
        if (chosenInDialog != 1 || !AppState.CurrentPrinter) return EndStart();
    }

    AppState.InstanceMapping = GuardSingleInstance(AppState.CurrentPrinter->Name);
    if (!AppState.InstanceMapping) return EndStart();
    TraceStartup("single-instance");

    if (!RegisterFrameClass(instance)) {
        char text[2 * kTextBufferSize];
        LoadTextLines(IDS_CLASS_REGISTER_FAILED, IDS_PROGRAM_ENDS, text, sizeof text);
        ShowProgramMessage(nullptr, text, kStartMessage);
        return EndStart();
    }

    HWND frame = CreateFrameWindow();
    if (!frame) return EndStart();
    TraceStartup("frame-created");
    TakeSettingsAlreadyRead();
    ShowWindow(frame, show);
    FocusFirstScreen();
    UpdateWindow(frame);
    TraceStartup("frame-shown");
    if (SettingsLoaded()) WriteStartupTrace();

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));

    const int exitCode = RunMessageLoop(accelerators);
    ShutDown();
    return exitCode;
}

int RunMessageLoop(HACCEL accelerators) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        PanelPages* pages = PanelPagesOf(AppState.PanelWindow);
        if (accelerators && AppState.FrameWindow &&
            TranslateAcceleratorA(AppState.FrameWindow, accelerators, &message)) {
            continue;
        }
        if (pages && pages->CurrentPage &&
            (IsDialogMessageA(AppState.PanelWindow, &message) ||
             IsDialogMessageA(pages->CurrentPage, &message))) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void ShutDown() {
    ReleaseInstanceMapping();
    ReleasePanelRecord(AppState.PanelWindow);
    ReleasePrinterList();
}
