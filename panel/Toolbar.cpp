#include "panel/Toolbar.h"

#include <commctrl.h>

#include "base/AppState.h"
#include "res/resource.h"

namespace {

constexpr int kImageCount = 6;      // read, initial values, change printer, help, save, open
constexpr int kSeparatorWidth = 4;  // pixels

TBBUTTON Separator() {
    TBBUTTON button{};
    button.iBitmap = kSeparatorWidth;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_SEP;
    return button;
}

TBBUTTON Button(int image, int command, BYTE style) {
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = style;
    return button;
}

}  // namespace

HWND CreateToolbar(HWND frame) {
    HINSTANCE instance = AppState.Instance;
    HWND toolbar = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | CCS_NODIVIDER | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), instance, nullptr);
    if (!toolbar) return nullptr;

    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP bitmap{instance, IDB_TOOLBAR};
    SendMessageA(toolbar, TB_ADDBITMAP, kImageCount, reinterpret_cast<LPARAM>(&bitmap));
    const TBBUTTON buttons[] = {
        Separator(),
        Button(0, IDM_READ_SETTINGS, TBSTYLE_BUTTON),
        Button(1, IDM_INITIAL_VALUES, TBSTYLE_BUTTON),
        Separator(),
        Separator(),
        Button(2, IDM_CHANGE_PRINTER, TBSTYLE_BUTTON),
        Separator(),
        Separator(),
        Button(3, IDM_HELP_MODE, TBSTYLE_CHECK),
        Separator(),
        Separator(),
        Button(4, IDM_SAVE_SETTINGS, TBSTYLE_BUTTON),
        Button(5, IDM_OPEN_SETTINGS, TBSTYLE_BUTTON),
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, sizeof buttons / sizeof buttons[0],
                 reinterpret_cast<LPARAM>(buttons));
    ShowWindow(toolbar, SW_SHOW);
    return toolbar;
}

int ToolbarClientHeight() {
    if (!AppState.ToolbarWindow) return 0;
    RECT rect{};
    GetClientRect(AppState.ToolbarWindow, &rect);
    return rect.bottom - rect.top;
}
