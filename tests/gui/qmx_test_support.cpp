#include "tests/gui/qmx_test_support.h"

namespace qmxtest {

MessageWindow::MessageWindow() {
    hwnd_ = CreateWindowExA(0, "STATIC", "qmx test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

MessageWindow::~MessageWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool WaitForMessage(HWND window, UINT message, DWORD timeoutMs, MSG* got, std::vector<UINT>* others) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.hwnd == window && m.message == message) {
                if (got) *got = m;
                return true;
            }
            if (m.hwnd == window && m.message >= WM_USER) {
                if (others) others->push_back(m.message);
                continue;
            }
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

std::vector<MSG> CollectMessages(HWND window, DWORD ms) {
    std::vector<MSG> got;
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.hwnd == window && m.message >= WM_USER) {
                got.push_back(m);
                continue;
            }
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return got;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

void DrainMessages(HWND window) {
    MSG m;
    while (PeekMessageA(&m, window, 0, 0, PM_REMOVE)) {}
}

int RunQmxctl(const std::string& arguments) {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return -1;
    std::string exe(path, n);
    exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "qmxctl.exe";
    std::string commandLine = "\"" + exe + "\" " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             0, nullptr);
    SetHandleInformation(nul, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    si.hStdInput = nul;
    si.hStdOutput = nul;
    si.hStdError = nul;
    PROCESS_INFORMATION pi{};
    const BOOL started =
        CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(nul);
    if (!started) return -1;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

}  // namespace qmxtest
