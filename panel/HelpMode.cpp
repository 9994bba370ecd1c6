// Help mode: a transparent overlay over the frame catches the next click; the control under it
// gets its pop-up help.
#include "panel/HelpMode.h"

#include <commctrl.h>

#include "base/AppState.h"
#include "base/Procedures.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "help/Help.h"
#include "help/HelpIds.h"
#include "panel/PanelPages.h"
#include "panel/Toolbar.h"
#include "res/resource.h"

const char kOverlayClassName[] = "TransWndClassName";

namespace {

LRESULT CALLBACK OverlayWindowProc(HWND overlay, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardWindowMessage(overlay, message, wParam, lParam, [&] {
        if (message == WM_LBUTTONDOWN) SendMessageA(GetWindow(overlay, GW_OWNER), message, wParam, lParam);
        return DefWindowProcA(overlay, message, wParam, lParam);
    });
}

// The pop-up help of a control; nothing for a control that has no help context.
void ShowPopupHelp(HWND window, int controlId) {
    uint32_t context = 0;
    if (LookupHelpId(static_cast<uint32_t>(controlId), &context)) {
        ShowHelp(window, HELP_CONTEXTPOPUP, context);
    }
}

void CheckHelpButton(bool pressed) {
    if (AppState.ToolbarWindow) {
        SendMessageA(AppState.ToolbarWindow, TB_CHECKBUTTON, IDM_HELP_MODE, MAKELPARAM(pressed, 0));
    }
}

void EndHelpMode(HWND frame) {
    CheckHelpButton(false);
    RECT rect{};
    GetWindowRect(frame, &rect);
    SetWindowPos(AppState.HelpOverlay, nullptr, rect.left, rect.top, 0, 0,
                 SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    DestroyWindow(AppState.HelpOverlay);
    AppState.ForegroundWindow = AppState.PanelWindow;
    AppState.HelpOverlay = nullptr;
}

}  // namespace

void StartHelpMode() {
    if (!AppState.ToolbarWindow || AppState.HelpOverlay) return;
    HINSTANCE instance = AppState.Instance;
    UnregisterClassA(kOverlayClassName, instance);
    WNDCLASSA overlayClass{};
    overlayClass.lpfnWndProc = OverlayWindowProc;
    overlayClass.hInstance = instance;
    overlayClass.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDCUR_HELP_MODE));
    overlayClass.lpszClassName = kOverlayClassName;
    if (!RegisterClassA(&overlayClass)) {
        char text[2 * kTextBufferSize];
        LoadTextLines(IDS_CLASS_REGISTER_FAILED, IDS_FEATURE_UNAVAILABLE, text, sizeof text);
        CheckHelpButton(false);
        ShowProgramMessage(AppState.PanelWindow, text, MB_OK | MB_ICONWARNING);
        return;
    }

    HWND frame = AppState.FrameWindow;
    RECT rect{};
    GetWindowRect(frame, &rect);
    HWND overlay = CreateWindowExA(
        WS_EX_TRANSPARENT, kOverlayClassName, "", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, frame, nullptr, instance, nullptr);
    if (!overlay) {
        CheckHelpButton(false);
        return;
    }
    AppState.HelpOverlay = overlay;
    AppState.ForegroundWindow = overlay;
    CheckHelpButton(true);
}

void FollowFrameWithOverlay(HWND frame) {
    RECT rect{};
    GetWindowRect(frame, &rect);
    SetWindowPos(AppState.HelpOverlay, nullptr, rect.left, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_NOACTIVATE);
}

void HelpModeClick(HWND frame, int x, int y) {
    // Any click ends help mode.
    EndHelpMode(frame);

    // The point is relative to the frame window's corner: below the caption it is taken as a
    // point of the frame's client area.
    POINT point{x, y - GetSystemMetrics(SM_CYCAPTION)};
    if (point.y < 0) return;
    HWND panel = AppState.PanelWindow;
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return;

    HWND child = ChildWindowFromPoint(frame, point);
    if (!child) return;
    if (child == AppState.ToolbarWindow) {
        ShowPopupHelp(child, IDC_TOOLBAR);
        return;
    }
    if (child != panel) return;

    point.y -= ToolbarClientHeight();
    HWND control = ChildWindowFromPoint(panel, point);
    HWND page = pages->CurrentPage;
    if (control && page && control == page) {
        RECT panelRect{}, pageRect{};
        GetWindowRect(panel, &panelRect);
        GetWindowRect(page, &pageRect);
        point.x += panelRect.left - pageRect.left;
        point.y += panelRect.top - pageRect.top;
        control = ChildWindowFromPoint(page, point);
    }
    if (control && control != panel && control != page) {
        ShowPopupHelp(control, GetDlgCtrlID(control));
    }
}
