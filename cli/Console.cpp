// Console.cpp - console output in the program's code page, file text in UTF-8, the password
// prompt, and what became of the writes.
#include "cli/Console.h"

#include <windows.h>

#include <vector>

#include "base/FileText.h"

namespace {

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return line + "\r\n";
}

// One line of the standard input, without its line end.
std::optional<std::string> ReadInputLine(HANDLE input) {
    std::string line;
    char c = 0;
    DWORD got = 0;
    while (ReadFile(input, &c, 1, &got, nullptr) && got == 1) {
        if (c == '\n') return line;
        if (c != '\r') line.push_back(c);
    }
    if (line.empty()) return std::nullopt;
    return line;
}

}  // namespace

// A console gets the text as characters, whatever its code page; a file or pipe gets the bytes.
void Console::Write(bool toError, std::string_view text, unsigned codePage) {
    HANDLE handle = GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    bool done = true;
    if (IsConsole(handle)) {
        const std::wstring wide = WidenText(text, codePage);
        done = wide.empty() ||
               WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        while (done && !text.empty()) {
            done = WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                   written != 0;
            text.remove_prefix(done ? written : 0);
        }
    }
    if (done || lostError_ != 0) return;
    lostError_ = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
    lostOnError_ = toError;
}

void Console::Line(std::string_view text) {
    if (!textKeptOff_) Write(false, OneLine(text), kProgramCodePage);
}

void Console::Error(std::string_view text) {
    Write(true, OneLine(text), kProgramCodePage);
    errorsPrinted_.emplace_back(text);
}

void Console::FileText(std::string_view utf8) { Write(false, utf8, CP_UTF8); }

void Console::TellOutputLost() {
    if (!OutputLost() || lostTold_) return;
    lostTold_ = true;
    Error(std::string("rpsettings: ") + (lostOnError_ ? "標準エラー出力" : "標準出力") +
          "に書き込めませんでした。出力はすべては届いていません。" + SystemErrorText(lostError_));
}

std::optional<std::string> Console::AskPassword() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return std::nullopt;
    Write(true, "パスワードを入力してください: ", kProgramCodePage);
    DWORD mode = 0;
    if (!IsConsole(input) || !GetConsoleMode(input, &mode)) return ReadInputLine(input);

    SetConsoleMode(input, (mode | ENABLE_LINE_INPUT) & ~ENABLE_ECHO_INPUT);
    std::vector<wchar_t> typed(512);
    DWORD got = 0;
    const BOOL read = ReadConsoleW(input, typed.data(), static_cast<DWORD>(typed.size()), &got, nullptr);
    SetConsoleMode(input, mode);
    Write(true, "\r\n", kProgramCodePage);
    if (!read) return std::nullopt;
    std::wstring line(typed.data(), got);
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
    return NarrowText(line, kProgramCodePage);
}
