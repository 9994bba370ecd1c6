#include "printers/SettingsHistory.h"

#include <windows.h>

#include <algorithm>

#include "base/FileText.h"
#include "base/ScopedHandles.h"
#include "base/Text.h"

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

// Makes a folder and the folders above it that are missing; true when it is there.
bool MakeFolder(const std::string& folder, DWORD* error) {
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    *error = GetLastError();
    if (*error == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (*error != ERROR_PATH_NOT_FOUND) return false;
    std::string parent = folder.substr(0, LastPathPart(folder));
    while (!parent.empty() && (parent.back() == '\\' || parent.back() == '/')) parent.pop_back();
    if (parent.empty() || parent.size() >= folder.size() || !MakeFolder(parent, error)) return false;
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    *error = GetLastError();
    return false;
}

std::string NowAsHistoryTime(int laterMilliseconds) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    ticks.QuadPart += static_cast<ULONGLONG>(laterMilliseconds) * 10000;
    now.dwLowDateTime = ticks.LowPart;
    now.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME t{};
    FileTimeToSystemTime(&now, &t);
    return HistoryTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

std::string UserName() {
    char name[256] = "";
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? name : "";
}

}  // namespace

std::string HistoryFolder(const HistoryPlace& place, const std::string& printer) {
    std::string root = place.Root;
    if (root.empty()) {
        char local[MAX_PATH] = "";
        const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local);
        if (length == 0 || length >= sizeof local) return {};
        root = Joined(local, "Kestrovane RemotePanel\\history");
    }
    // The printer's folder name is cut where a history file's full name (and its temporary ".new")
    // would pass the longest path the program's file functions take.
    constexpr size_t kLongestPath = 259, kFileName = sizeof "20261210T150405.123Z.txt.new" - 1;
    const size_t used = root.size() + 2 + kFileName;
    const size_t longest = used < kLongestPath ? std::min(kLongestPath - used, kLongestFileName) : 1;
    return Joined(root, FileNameFrom(printer, kLongestFileName - longest));
}

std::optional<std::string> KeepHistory(const HistoryPlace& place, const std::string& printer,
                                       const PrinterSettings& before, const std::string& model, HistoryNote note,
                                       std::string* problem) {
    const std::string folder = HistoryFolder(place, printer);
    DWORD error = 0;
    if (folder.empty()) {
        *problem = "ユーザーのフォルダ (LOCALAPPDATA) がわかりません。";
        return std::nullopt;
    }
    if (!MakeFolder(folder, &error)) {
        *problem = "フォルダ「" + folder + "」を作れません。" + SystemErrorText(error);
        return std::nullopt;
    }
    note.User = UserName();
    // Two writes within one millisecond: the later one's file is named a millisecond later.
    std::string path;
    for (int later = 0; later < 1000; ++later) {
        note.Time = NowAsHistoryTime(later);
        path = Joined(folder, note.Time + ".txt");
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) break;
    }
    uint32_t written = 0;
    if (!WriteFileSafely(path, ToFileText(HistoryFileText(before, model, printer, note)), &written)) {
        *problem = "ファイル「" + path + "」に書き込めません。" + SystemErrorText(written);
        return std::nullopt;
    }
    return path;
}

std::vector<std::string> HistoryFileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE first = FindFirstFileA(Joined(folder, "*.txt").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return names;
    const FileSearch search(first);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsHistoryFileName(found.cFileName))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::string HistoryFilePath(const std::string& folder, const std::string& name) { return Joined(folder, name); }

void PruneHistory(const HistoryPlace& place, const std::string& printer) {
    const std::string folder = HistoryFolder(place, printer);
    if (place.Off || folder.empty()) return;
    for (const std::string& name : HistoryFilesToRemove(HistoryFileNames(folder)))
        DeleteFileA(Joined(folder, name).c_str());
}
