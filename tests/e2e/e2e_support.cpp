#include "tests/e2e/e2e_support.h"

#include <commctrl.h>

#include <vector>

namespace e2e {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

struct Search {
    DWORD processId;
    const char* className;
    const char* title;
    bool box;  // a message box: a dialog with the box's text control
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, search->className) != 0) return TRUE;
    if (search->title && WindowText(window) != search->title) return TRUE;
    if (search->box && !GetDlgItem(window, kMessageBoxTextId)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND Find(Search search, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        search.found = nullptr;
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (GetTickCount64() >= deadline) return nullptr;
        Sleep(50);
    }
}

}  // namespace

std::string BesideMe(const char* fileName) {
    if (fileName[0] != '\0' && fileName[1] == ':') return fileName;  // already a full path
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder.resize(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

std::string QuotedBesideMe(const char* fileName) {
    // Appended, not "\"" + BesideMe(...): GCC 12 at -O3 warns falsely (-Wrestrict) on that form.
    std::string quoted(1, '"');
    quoted += BesideMe(fileName);
    quoted += '"';
    return quoted;
}

Child::Child(const char* program, const std::string& arguments) {
    std::string commandLine = QuotedBesideMe(program);
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        process_ = {};
    }
}

Child::~Child() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

DWORD Child::Wait(DWORD timeoutMs) {
    if (!process_.hProcess) return 0xFFFFFFFF;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs) {
    return Find({processId, className, title, false, nullptr}, timeoutMs);
}

Box WaitForBox(DWORD processId, DWORD timeoutMs) {
    Box box;
    box.window = Find({processId, "#32770", nullptr, true, nullptr}, timeoutMs);
    if (box.window) {
        box.text = WindowText(GetDlgItem(box.window, kMessageBoxTextId));
        box.caption = WindowText(box.window);
    }
    return box;
}

std::string RunAndCapture(const char* program, const std::string& arguments, DWORD timeoutMs) {
    return RunProgram(program, arguments, "", timeoutMs).output;
}

Run RunProgram(const char* program, const std::string& arguments, const std::string& input, DWORD timeoutMs) {
    Run run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr, inputRead = nullptr, inputWrite = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    if (!CreatePipe(&inputRead, &inputWrite, &inherit, 0)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return run;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0);
    std::string commandLine = QuotedBesideMe(program) + " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = inputRead;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    CloseHandle(inputRead);
    DWORD written = 0;
    // A short input fits the pipe's buffer, so writing it cannot wait for the child.
    if (started && !input.empty())
        WriteFile(inputWrite, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    CloseHandle(inputWrite);
    if (started) {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0)
            run.output.append(chunk, got);
        if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &run.exitCode);
        } else {
            run.exitCode = STILL_ACTIVE;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}

HWND PanelOf(HWND frame) { return FindWindowExA(frame, nullptr, "#32770", nullptr); }

bool WaitUntilReadEnded(HWND frame, DWORD timeoutMs) {
    constexpr int kToolbarId = 10000;
    constexpr int kReadCommand = 282;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        HWND toolbar = GetDlgItem(frame, kToolbarId);
        DWORD_PTR enabled = 0;
        if (toolbar &&
            SendMessageTimeoutA(toolbar, TB_ISBUTTONENABLED, kReadCommand, 0, SMTO_ABORTIFHUNG, 5000,
                                &enabled) &&
            enabled) {
            return true;
        }
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

void Press(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

}  // namespace e2e
