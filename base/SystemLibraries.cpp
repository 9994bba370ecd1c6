#include "base/SystemLibraries.h"

#include <cstdio>

namespace {

// A function of kernel32 that older systems lack, or nullptr.
template <class Function>
Function Kernel32Function(const char* name) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name)))
                  : nullptr;
}

// The systems that have AddDllDirectory also take the LOAD_LIBRARY_SEARCH_ flags.
bool HasSearchFlags() { return Kernel32Function<decltype(&AddDllDirectory)>("AddDllDirectory") != nullptr; }

}  // namespace

void KeepCurrentFolderOutOfLibrarySearch(HMODULE keptLibrary) {
    const auto setDefault = Kernel32Function<decltype(&SetDefaultDllDirectories)>("SetDefaultDllDirectories");
    const auto addDirectory = Kernel32Function<decltype(&AddDllDirectory)>("AddDllDirectory");
    if (setDefault == nullptr || addDirectory == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) {
        SetDllDirectoryA("");
        return;
    }
    // The folder AddDllDirectory takes has no ANSI form.
    wchar_t folder[MAX_PATH];
    const DWORD length = keptLibrary ? GetModuleFileNameW(keptLibrary, folder, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH) return;
    for (DWORD i = length; i-- > 0;) {
        if (folder[i] == L'\\' || folder[i] == L'/') {
            folder[i] = L'\0';
            addDirectory(folder);
            return;
        }
    }
}

HMODULE LoadSystemLibrary(const char* fileName) {
    if (HasSearchFlags()) return LoadLibraryExA(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, sizeof path);
    if (folder == 0 || folder >= sizeof path) return nullptr;
    const int length = std::snprintf(path + folder, sizeof path - folder, "\\%s", fileName);
    if (length < 0 || static_cast<size_t>(length) >= sizeof path - folder) return nullptr;
    return LoadLibraryA(path);
}
