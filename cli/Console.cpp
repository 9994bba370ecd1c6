// Console.cpp - console output in the program's code page, file text in UTF-8, and the password
// prompt.
#include "cli/Console.h"

#include <windows.h>

#include <vector>

#include "base/FileText.h"

namespace {

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
}

// A console gets the text as characters, whatever its code page; a file or pipe gets the bytes.
void Write(DWORD which, std::string_view text, UINT codePage) {
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    if (IsConsole(handle)) {
        const std::wstring wide = WidenText(text, codePage);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    while (!text.empty()) {
        if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written == 0) {
            return;
        }
        text.remove_prefix(written);
    }
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

namespace {
bool textKeptOff = false;
std::vector<std::string> errorsPrinted;
}  // namespace

void PrintLine(std::string_view text) {
    if (!textKeptOff) Write(STD_OUTPUT_HANDLE, OneLine(text), kProgramCodePage);
}

void PrintError(std::string_view text) {
    Write(STD_ERROR_HANDLE, OneLine(text), kProgramCodePage);
    errorsPrinted.emplace_back(text);
}

void KeepTextOffStandardOutput() { textKeptOff = true; }

bool TextKeptOff() { return textKeptOff; }

const std::vector<std::string>& ErrorsPrinted() { return errorsPrinted; }

void PrintFileText(std::string_view utf8) { Write(STD_OUTPUT_HANDLE, utf8, CP_UTF8); }

std::optional<std::string> AskPassword() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return std::nullopt;
    Write(STD_ERROR_HANDLE, "パスワードを入力してください: ", kProgramCodePage);
    DWORD mode = 0;
    if (!IsConsole(input) || !GetConsoleMode(input, &mode)) return ReadInputLine(input);

    SetConsoleMode(input, (mode | ENABLE_LINE_INPUT) & ~ENABLE_ECHO_INPUT);
    std::vector<wchar_t> typed(512);
    DWORD got = 0;
    const BOOL read = ReadConsoleW(input, typed.data(), static_cast<DWORD>(typed.size()), &got, nullptr);
    SetConsoleMode(input, mode);
    Write(STD_ERROR_HANDLE, "\r\n", kProgramCodePage);
    if (!read) return std::nullopt;
    std::wstring line(typed.data(), got);
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
    return NarrowText(line, kProgramCodePage);
}
