// Private window messages of the program (all WM_USER + n).
#ifndef RP_BASE_MESSAGES_H
#define RP_BASE_MESSAGES_H

#include <windows.h>

// Page protocol between the panel and its tab pages.
#define WM_PAGE_REFRESH     (WM_USER + 1)    // 1025: show PanelSettings when loaded
#define WM_PAGE_DISABLE     (WM_USER + 2)    // 1026: disable every control of the page
#define WM_PAGE_COLLECT     (WM_USER + 3)    // 1027: lParam = int32_t* accept flag
#define WM_PAGE_ENABLE      (WM_USER + 4)    // 1028: enable the controls, keeping what they show
#define WM_SETTINGS_CHANGED (WM_USER + 104)  // 1128: wParam = the page or dialog that changed

// The frame's window class, by which other programs and a second start of this one find it.
inline constexpr char kFrameClassName[] = "RPWndClass";

// Sent to the frame by other programs and by a second start of this one.
#define WM_PRINTERS_CHANGED (WM_USER + 100)  // 1124
#define WM_CLOSE_REQUEST    (WM_USER + 201)  // 1225
#define WM_BRING_FORWARD    (WM_USER + 300)  // 1324

// Posted to the panel by the status library.
#define WM_READ_DONE         (WM_USER + 202)  // 1226
#define WM_WRITE_DONE        (WM_USER + 209)  // 1233
#define WM_EXTSTATUS_CHANGED (WM_USER + 210)  // 1234
#define WM_STATUS_CHANGED    (WM_USER + 211)  // 1235
#define WM_AUTHORITY_CHANGED (WM_USER + 212)  // 1236
#define WM_NAME_CHANGED      (WM_USER + 213)  // 1237
#define WM_PORT_CHANGED      (WM_USER + 214)  // 1238
#define WM_PSV_CHANGED       (WM_USER + 215)  // 1239 (registered, not handled)

// The panel's own refresh: five values that share one handler, always sent in ascending order.
#define WM_PANEL_REFRESH_FIRST (WM_USER + 203)  // 1227
#define WM_PANEL_REFRESH_LAST  (WM_USER + 207)  // 1231

#endif
