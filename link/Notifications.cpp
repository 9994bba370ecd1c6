// The session of the current printer: its start with a serial of its own, its six change
// notifications, and its end.
#include "link/Notifications.h"
#include "base/AppState.h"
#include "base/Messages.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/LibrarySession.h"
#include "res/resource.h"

namespace {

struct Watch {
    const char* Item;
    UINT Message;
};

// In the order of AppState.NotificationHandles.
constexpr Watch kWatches[kNotificationCount] = {
    {QMX_ITEM_PRINTER_NAME, WM_NAME_CHANGED},
    {QMX_ITEM_PORT, WM_PORT_CHANGED},
    {QMX_ITEM_PRINTER_EXT_STATUS, WM_EXTSTATUS_CHANGED},
    {QMX_ITEM_PRINTER_STATUS, WM_STATUS_CHANGED},
    {QMX_ITEM_USER_AUTHORITY, WM_AUTHORITY_CHANGED},
    {QMX_ITEM_SETTINGS, WM_PSV_CHANGED},
};

// The session that has a serial, and its serial. Serials are counted across sessions and never
// reused; a session found in AppState that is not the one numbered (opened and closed by other
// means, whose handle may even be a closed one's again) gets a new serial.
QMXSESSION numberedSession = nullptr;
uint32_t openSerial = 0;
uint32_t serialsGiven = 0;

}  // namespace

QMXSTATUS OpenCurrentSession(const char* printerName) {
    QMXSESSION session = nullptr;
    const QMXSTATUS status = OpenPrinterSession(printerName, nullptr, &session);
    AppState.Session = status == 0 ? session : nullptr;
    numberedSession = nullptr;
    return status;
}

uint32_t CurrentSessionSerial() {
    if (!AppState.Session) return 0;
    if (AppState.Session != numberedSession) {
        numberedSession = AppState.Session;
        openSerial = ++serialsGiven;
    }
    return openSerial;
}

int RegisterNotifications(HWND window) {
    for (int slot = 0; slot < kNotificationCount; ++slot) {
        // The handle goes into its slot only when the registration succeeded, so that a refused
        // registration never leaves a handle for CloseSession to cancel.
        QMXNOTIFY handle = nullptr;
        if (SetNotificationMsgA(AppState.Session, kWatches[slot].Item, window, kWatches[slot].Message,
                                &handle) != 0) {
            LoadText(IDS_NOTIFY_FAILED, AppState.MessageText, sizeof AppState.MessageText);
            return 0;
        }
        AppState.NotificationHandles[slot] = handle;
    }
    return 1;
}

void CloseSession() {
    if (!AppState.Session) return;
    for (QMXNOTIFY handle : AppState.NotificationHandles) {
        if (handle) KillNotificationMsg(AppState.Session, handle);
    }
    for (QMXNOTIFY& handle : AppState.NotificationHandles) handle = nullptr;
    CloseManager(AppState.Session);
    AppState.Session = nullptr;
    numberedSession = nullptr;
    // Replies and notifications the closed session has posted but the panel has not taken yet
    // belong to no session any more: a later session must not take them for its own.
    if (HWND panel = AppState.PanelWindow) {
        MSG stale;
        while (PeekMessageA(&stale, panel, WM_READ_DONE, WM_READ_DONE, PM_REMOVE | PM_NOYIELD)) {}
        while (PeekMessageA(&stale, panel, WM_WRITE_DONE, WM_PSV_CHANGED, PM_REMOVE | PM_NOYIELD)) {}
    }
}
