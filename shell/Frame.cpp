// The frame window: class, creation around toolbar and panel, message handling, About box.
#include <windows.h>
#include <commctrl.h>

#include "base/AppState.h"
#include "base/ArtScale.h"
#include "base/Messages.h"
#include "base/Procedures.h"
#include "base/StartupTrace.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "help/Help.h"
#include "help/HelpIds.h"
#include "panel/HelpMode.h"
#include "panel/PanelDialog.h"
#include "panel/Toolbar.h"
#include "printers/PrinterEnumeration.h"
#include "res/resource.h"
#include "shell/Frame.h"
#include "shell/PrintersChanged.h"

namespace {

constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFrameExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

void OnCreate(HWND frame) {
    AppState.ForegroundWindow = frame;
    InitCommonControls();
    AppState.FrameWindow = frame;

    AppState.ToolbarWindow = CreateToolbar(frame);
    TraceStartup("toolbar");

    // The panel's whole initialisation runs inside this call, before PanelWindow is set.
    HWND panel =
        CreateDialogParamA(AppState.Instance, MAKEINTRESOURCEA(IDD_PANEL), frame, PanelDialogProc, 0);
    // A panel that ended the program during its initialisation has already gone.
    AppState.PanelWindow = panel && IsWindow(panel) ? panel : nullptr;

    // The frame fits the panel, with the toolbar above it.
    if (AppState.PanelWindow) {
        RECT rect{};
        GetClientRect(AppState.PanelWindow, &rect);
        AdjustWindowRect(&rect, kFrameStyle, FALSE);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top + ToolbarClientHeight();
        // Not activated while hidden: it is when it is shown.
        SetWindowPos(frame, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    if (HMENU systemMenu = GetSystemMenu(frame, FALSE)) {
        char about[kTextBufferSize];
        LoadText(IDS_ABOUT_MENU, about, sizeof about);
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT, about);
    }
}

void OnClose(HWND frame) {
    if (AppState.PanelWindow) {
        // The panel's exit command, with its question about unwritten changes.
        SendMessageA(AppState.PanelWindow, WM_COMMAND, IDC_EXIT,
                     reinterpret_cast<LPARAM>(GetDlgItem(AppState.PanelWindow, IDC_EXIT)));
        return;
    }
    ReleasePrinterList();
    AppState.ForegroundWindow = nullptr;
    DestroyWindow(frame);
}

// Tool-tip texts of the toolbar's buttons, by command.
UINT ToolTipText(UINT_PTR command) {
    switch (command) {
        case IDM_INITIAL_VALUES:
            return IDS_TIP_INITIAL;
        case IDM_READ_SETTINGS:
            return IDS_TIP_READ;
        case IDM_CHANGE_PRINTER:
            return IDS_TIP_CHANGE_PRINTER;
        case IDM_HELP_MODE:
            return IDS_TIP_HELP;
        case IDM_SAVE_SETTINGS:
            return IDS_TIP_SAVE_SETTINGS;
        case IDM_OPEN_SETTINGS:
            return IDS_TIP_OPEN_SETTINGS;
    }
    return 0;
}

void OnNotify(const NMHDR* header) {
    if (header->code == TTN_NEEDTEXTA) {
        auto* info = const_cast<NMTTDISPINFOA*>(reinterpret_cast<const NMTTDISPINFOA*>(header));
        if (UINT text = ToolTipText(header->idFrom)) {
            info->hinst = AppState.Instance;
            info->lpszText = MAKEINTRESOURCEA(text);
        }
    } else if (header->code == TTN_NEEDTEXTW) {
        auto* info = const_cast<NMTTDISPINFOW*>(reinterpret_cast<const NMTTDISPINFOW*>(header));
        if (UINT text = ToolTipText(header->idFrom)) {
            info->hinst = AppState.Instance;
            info->lpszText = MAKEINTRESOURCEW(text);
        }
    }
}

bool IsForwardedCommand(UINT id) {
    return id == IDM_INITIAL_VALUES || id == IDM_READ_SETTINGS || id == IDM_CHANGE_PRINTER ||
           id == IDM_HELP_MODE || id == IDM_SAVE_SETTINGS || id == IDM_OPEN_SETTINGS;
}

}  // namespace

ATOM RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXA extended{};
    extended.cbSize = sizeof extended;
    extended.style = CS_HREDRAW | CS_VREDRAW;
    extended.lpfnWndProc = FrameWindowProc;
    extended.hInstance = instance;
    extended.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    // The caption's icon: 16 x 16 as drawn, larger on a larger screen.
    const int small = IconSizeFor(16);
    extended.hIconSm =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, small, small, 0));
    extended.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    extended.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    extended.lpszClassName = kFrameClassName;
    if (ATOM atom = RegisterClassExA(&extended)) return atom;

    WNDCLASSA plain{};
    plain.style = extended.style;
    plain.lpfnWndProc = FrameWindowProc;
    plain.hInstance = instance;
    plain.hIcon = extended.hIcon;
    plain.hCursor = extended.hCursor;
    plain.hbrBackground = extended.hbrBackground;
    plain.lpszClassName = kFrameClassName;
    return RegisterClassA(&plain);
}

HWND CreateFrameWindow() {
    char title[kTextBufferSize];
    FormatCaption(title, sizeof title);
    return CreateWindowExA(kFrameExStyle, kFrameClassName, title, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, AppState.Instance, nullptr);
}

namespace {

LRESULT HandleFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate(frame);
            return 0;
        case WM_DESTROY:
            AppState.ForegroundWindow = nullptr;
            PostQuitMessage(0);
            return 0;
        case WM_MOVE:
            if (AppState.HelpOverlay) FollowFrameWithOverlay(frame);
            break;
        case WM_ACTIVATE:
        case WM_SETFOCUS:
            if (AppState.PanelWindow) SendMessageA(AppState.PanelWindow, message, wParam, lParam);
            return 0;
        case WM_CLOSE:
        case WM_CLOSE_REQUEST:
            OnClose(frame);
            return 0;
        case WM_NOTIFY:
            if (lParam) OnNotify(reinterpret_cast<const NMHDR*>(lParam));
            break;
        case WM_SYSCOLORCHANGE:
            if (AppState.ToolbarWindow) {
                SendMessageA(AppState.ToolbarWindow, message, wParam, lParam);
            }
            break;
        case WM_HELP:
        case WM_CONTEXTMENU:
            AnswerHelpRequest(message, wParam, lParam);
            return 1;
        case WM_COMMAND:
            if (IsForwardedCommand(LOWORD(wParam))) {
                if (AppState.PanelWindow) {
                    SendMessageA(AppState.PanelWindow, WM_COMMAND, wParam, lParam);
                }
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            if (wParam == IDM_ABOUT) {
                DialogBoxParamA(AppState.Instance, MAKEINTRESOURCEA(IDD_ABOUT), frame, AboutDialogProc, 0);
                AppState.ForegroundWindow = AppState.PanelWindow;
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            if (AppState.HelpOverlay) {
                HelpModeClick(frame, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            }
            break;
        case WM_PRINTERS_CHANGED:
            return OnPrintersChanged(frame);
        case WM_BRING_FORWARD: {
            // The panel and its pages are child windows, which cannot be put in front
            // themselves: the top-level window that holds them is.
            HWND active = AppState.ForegroundWindow ? AppState.ForegroundWindow : frame;
            HWND topLevel = GetAncestor(active, GA_ROOT);
            SetForegroundWindow(topLevel ? topLevel : active);
            return 0;
        }
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

INT_PTR HandleAboutMessage(HWND dialog, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG:
            AppState.ForegroundWindow = dialog;
            SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETICON,
                                reinterpret_cast<WPARAM>(ProgramIcon(IDI_PROGRAM, IconSizeFor(32))), 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardWindowMessage(frame, message, wParam, lParam,
                              [&] { return HandleFrameMessage(frame, message, wParam, lParam); });
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return GuardDialogMessage([&] { return HandleAboutMessage(dialog, message, wParam); });
}
