#include "base/FileText.h"

#include <windows.h>

#include "base/ScopedHandles.h"
#include "base/Text.h"

namespace {

// CreateFileA fails with INVALID_HANDLE_VALUE; the owner holds nothing then.
KernelHandle OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE file =
        CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return KernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

std::wstring WidenText(std::string_view text, unsigned codePage, unsigned long flags) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

std::string NarrowText(std::wstring_view wide, unsigned codePage) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

std::string ToFileText(std::string_view programText) {
    std::string crlf;
    crlf.reserve(programText.size() + programText.size() / 16);
    for (const char c : programText) {
        if (c == '\n') crlf.push_back('\r');
        crlf.push_back(c);
    }
    return Utf8FromProgramText(crlf);
}

std::string Utf8FromProgramText(std::string_view programText) {
    return NarrowText(WidenText(programText, kProgramCodePage), CP_UTF8);
}

std::optional<std::string> FromFileText(std::string_view utf8, int* badLine) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
    int line = 1;
    std::string text;
    size_t start = 0;
    while (start <= utf8.size()) {
        size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos) end = utf8.size();
        const std::string_view part = utf8.substr(start, end - start);
        const std::wstring wide = WidenText(part, CP_UTF8, MB_ERR_INVALID_CHARS);
        if (!part.empty() && wide.empty()) {
            if (badLine) *badLine = line;
            return std::nullopt;
        }
        text += NarrowText(wide, kProgramCodePage);
        if (end < utf8.size()) text.push_back('\n');
        start = end + 1;
        ++line;
    }
    return text;
}

static_assert(kFileTooLargeError == ERROR_FILE_TOO_LARGE);

std::optional<std::string> ReadWholeFile(const std::string& path, uint32_t* error, uint32_t limit) {
    const KernelHandle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    std::string bytes;
    DWORD failure = 0;
    LARGE_INTEGER size{};
    if (!file.Get()) {
        failure = GetLastError();
    } else if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > limit) {
        failure = ERROR_FILE_TOO_LARGE;
    } else {
        // A pipe or device has no size, and a file may grow while it is read: the limit holds for
        // what is read as well.
        char chunk[16384];
        DWORD got = 0;
        while (ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) {
            if (got == 0) return bytes;
            if (bytes.size() + got > limit) {
                SetLastError(ERROR_FILE_TOO_LARGE);
                break;
            }
            bytes.append(chunk, got);
        }
        failure = GetLastError();
    }
    if (error) *error = failure;
    return std::nullopt;
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, uint32_t* error) {
    const std::string temporary = TemporaryFileName(path);
    bool written = false;
    {
        const KernelHandle file = OpenFile(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS);
        if (file.Get()) {
            DWORD done = 0;
            written = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                      done == bytes.size() && FlushFileBuffers(file.Get());
        }
        if (!written && error) *error = GetLastError();
    }
    if (written &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    if (written && error) *error = GetLastError();
    DeleteFileA(temporary.c_str());
    return false;
}

std::string SystemErrorText(uint32_t error) {
    char text[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        error, 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) {
        result.pop_back();
    }
    return result.empty() ? "エラーコード " + std::to_string(error) : result;
}
