// Screenshot helper for the Wine rig. Runs inside a Wine virtual desktop under Xvfb and tells the
// driver script (tools/screenshot.sh) where on the desktop a window is, so that the script can cut
// it out of an X screenshot (PrintWindow gives blank images under Wine).
//   rp_shot show <dialog-id> <rect-file>   shows a dialog template of the program's resources
//   rp_shot rect <window-class> <rect-file> waits for a visible top-level window of that class
//   rp_shot idle [<ready-file>]             keeps a hidden window (and with it Wine's desktop
//                                           process) alive until the session's wineserver ends;
//                                           writes <ready-file> once the window is there
//   rp_shot press <control-id> <button-id>  waits for a visible dialog that holds the control
//                                           and presses its button (e.g. OK of the printer
//                                           selection dialog, which holds the list 285)
//   rp_shot drive <tab> <button> <rect-file> waits for the program's frame to finish its first
//                                           read, shows tab <tab>, and with a button other
//                                           than 0 clicks it on that page and takes the detail
//                                           dialog it opens instead of the frame
// The rect file receives "x y width height" once the window is painted. "show" then keeps the
// dialog up until <rect-file>.done exists (or a minute passes).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool WriteRect(HWND window, const char* path) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return false;
    std::string temp = std::string(path) + ".tmp";
    FILE* file = std::fopen(temp.c_str(), "w");
    if (!file) return false;
    std::fprintf(file, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top);
    std::fclose(file);
    return MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING) != 0;
}

void PumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    MSG msg;
    while (GetTickCount64() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(GetActiveWindow(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

int Show(int id, const char* rectFile) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!found) {
        std::fprintf(stderr, "rp_shot: no dialog template %d\n", id);
        return 2;
    }
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(instance, found)));
    // DIALOGEX templates start with 1, 0xFFFF; the style follows the help id and extended style.
    DWORD style = (words[0] == 1 && words[1] == 0xFFFF) ? *reinterpret_cast<const DWORD*>(words + 6)
                                                        : *reinterpret_cast<const DWORD*>(words);
    HWND top = nullptr;
    if (style & WS_CHILD) {
        // A child dialog (a tab page or the panel) is shown inside a plain host window.
        WNDCLASSA cls{};
        cls.lpfnWndProc = HostProc;
        cls.hInstance = instance;
        cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        cls.lpszClassName = "RpShotHost";
        RegisterClassA(&cls);
        top = CreateWindowExA(0, "RpShotHost", "rp-shot", WS_POPUP | WS_BORDER, 40, 40, 100, 100, nullptr,
                              nullptr, instance, nullptr);
        HWND child = CreateDialogParamA(instance, MAKEINTRESOURCEA(id), top, QuietDialogProc, 0);
        if (!child) return 3;
        RECT rect{};
        GetWindowRect(child, &rect);
        SetWindowPos(top, nullptr, 40, 40, rect.right - rect.left + 2, rect.bottom - rect.top + 2,
                     SWP_NOZORDER);
        SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(child, SW_SHOW);
    } else {
        top = CreateDialogParamA(instance, MAKEINTRESOURCEA(id), nullptr, QuietDialogProc, 0);
        if (!top) return 3;
        SetWindowPos(top, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ShowWindow(top, SW_SHOW);
    UpdateWindow(top);
    PumpFor(800);
    if (!WriteRect(top, rectFile)) return 4;
    std::string done = std::string(rectFile) + ".done";
    for (int i = 0; i < 3000 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        PumpFor(20);
    }
    DestroyWindow(top);
    return 0;
}

int Rect(const char* className, const char* rectFile) {
    for (int i = 0; i < 600; ++i) {
        HWND window = FindWindowA(className, nullptr);
        if (window && IsWindowVisible(window)) {
            Sleep(1500);  // let the program finish its first paint
            return WriteRect(window, rectFile) ? 0 : 4;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "rp_shot: no window of class %s\n", className);
    return 5;
}

struct DialogSearch {
    int controlId;
    HWND found;
};

BOOL CALLBACK FindDialogWithControl(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 &&
        GetDlgItem(window, search->controlId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int Press(int controlId, int buttonId) {
    for (int i = 0; i < 600; ++i) {
        DialogSearch search{controlId, nullptr};
        EnumWindows(FindDialogWithControl, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            Sleep(500);  // let it finish its first paint
            PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(search.found, buttonId)));
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "rp_shot: no dialog with control %d\n", controlId);
    return 5;
}

// The visible top-level dialog of a process (a detail dialog the program opened).
struct ProcessDialog {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ProcessDialog*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int Drive(int tab, int button, const char* rectFile) {
    constexpr int kToolbar = 10000, kReadCommand = 282, kTabs = 284;
    HWND frame = nullptr;
    for (int i = 0; i < 600 && !(frame && IsWindowVisible(frame)); ++i, Sleep(100)) {
        frame = FindWindowA("RPWndClass", nullptr);
    }
    if (!frame) return 5;
    // The first read has ended when the read button is available again.
    for (int i = 0;
         i < 600 && !SendMessageA(GetDlgItem(frame, kToolbar), TB_ISBUTTONENABLED, kReadCommand, 0); ++i) {
        Sleep(50);
    }
    HWND panel = FindWindowExA(frame, nullptr, "#32770", nullptr);
    SendMessageA(GetDlgItem(panel, kTabs), TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
    HWND target = frame;
    if (button != 0) {
        HWND page = nullptr;
        while ((page = FindWindowExA(panel, page, "#32770", nullptr)) && !IsWindowVisible(page)) {}
        if (!page) return 6;
        PostMessageA(GetDlgItem(page, button), BM_CLICK, 0, 0);
        DWORD processId = 0;
        GetWindowThreadProcessId(frame, &processId);
        ProcessDialog search{processId, nullptr};
        for (int i = 0; i < 100 && !search.found; ++i, Sleep(100)) {
            EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
        }
        if (!search.found) return 7;
        target = search.found;
    }
    Sleep(1500);  // let it finish its paint
    return WriteRect(target, rectFile) ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "show") {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        return Show(std::atoi(argv[2]), argv[3]);
    }
    if (argc == 4 && std::string(argv[1]) == "rect") return Rect(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "press") return Press(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc == 5 && std::string(argv[1]) == "drive")
        return Drive(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    if ((argc == 2 || argc == 3) && std::string(argv[1]) == "idle") {
        CreateWindowExA(0, "STATIC", "rp-shot idle", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
        if (argc == 3) {
            if (std::FILE* ready = std::fopen(argv[2], "w")) std::fclose(ready);
        }
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
    }
    std::fprintf(stderr,
                 "usage: rp_shot show <dialog-id> <rect-file> | rect <class> <rect-file> |"
                 " press <control-id> <button-id> | drive <tab> <button> <rect-file> | idle [<ready-file>]\n");
    return 2;
}
