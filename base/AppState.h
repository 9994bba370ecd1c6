// The program-wide state: printers, what the current printer allows, the library session, the
// program's windows and the text buffers shared by the status area and the message boxes.
// Only the user-interface thread touches it.
#ifndef RP_BASE_APPSTATE_H
#define RP_BASE_APPSTATE_H

#include <windows.h>
#include <cstdint>

#include "base/PanelFlags.h"

// The status library's session and notification handles (QMXSESSION and QMXNOTIFY of
// link/KovQmx.h are pointers to these): the state only holds them, the link uses them.
struct QmxSession_;
struct QmxNotify_;

// One supported printer; strings are CP932, NUL-terminated and owned by the entry.
struct PrinterEntry {
    char* Name;          // the printer's name as the spooler reports it
    char* PortText;      // port name, "port(second name)" or "不明"
    char* Model;         // the driver name, shown as the model
    PrinterEntry* Next;  // next entry, nullptr at the end
};

constexpr int kNotificationCount = 6;  // PrinterName, Port, PrinterExtStatus, PrinterStatus,
                                       // UserAuthority, RPVariables_PSV, in this order
constexpr int kTextBufferSize = 256;

struct AppStateRecord {
    HINSTANCE Instance = nullptr;

    PrinterEntry* PrinterList = nullptr;
    int32_t PrinterCount = 0;
    PrinterEntry* CurrentPrinter = nullptr;

    int32_t SeveralPrinters = 1;
    int32_t CanUpdate = 1;
    int32_t CanRead = 1;
    int32_t PrinterBusy = 0;
    int32_t ReadPending = 0;
    int32_t WritePending = 0;

    int32_t LastUserAuthority = -1;
    int32_t LastExtStatus = -1;
    int32_t LastPrinterStatus[3] = {-1, -1, -1};

    QmxSession_* Session = nullptr;
    QmxNotify_* NotificationHandles[kNotificationCount] = {};

    HANDLE InstanceMapping = nullptr;
    HWND FrameWindow = nullptr;
    HWND PanelWindow = nullptr;
    HWND ToolbarWindow = nullptr;
    HWND HelpOverlay = nullptr;
    HWND ForegroundWindow = nullptr;

    char StatusText[kTextBufferSize] = {};
    char MessageText[kTextBufferSize] = {};
    char MessageCaption[kTextBufferSize] = {};
};

extern AppStateRecord AppState;

// The five flags of AppState as one value.
inline PanelFlags CurrentFlags() {
    return {AppState.CanRead, AppState.CanUpdate, AppState.PrinterBusy, AppState.ReadPending,
            AppState.WritePending};
}

// The module whose resources (templates, icons, bitmaps, strings) the program loads: the
// program's instance once start-up has set it, the executable before that.
inline HINSTANCE ProgramInstance() {
    return AppState.Instance ? AppState.Instance : GetModuleHandleA(nullptr);
}

#endif
