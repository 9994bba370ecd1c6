#include <cstring>

#include "base/Memory.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "printers/Printers.h"
#include "res/resource.h"

namespace {

constexpr const char kModelsKey[] = "Software\\KOV\\Kestrovane\\Printers";

// A warning without owner, captioned with the program's title.
void Warn(const char* text, UINT type = MB_ICONWARNING) {
    char caption[kTextBufferSize];
    LoadText(IDS_APP_TITLE, caption, sizeof caption);
    ShowMessageBox(nullptr, text, caption, type);
}

void WarnText(UINT id, UINT type = MB_ICONWARNING) {
    char text[kTextBufferSize];
    LoadText(id, text, sizeof text);
    Warn(text, type);
}

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

PrinterEntry* LoadSupportedModels() {
    char model[kTextBufferSize];
    LoadText(IDS_MODEL_NAME, model, sizeof model);

    RegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kModelsKey, 0, KEY_ENUMERATE_SUB_KEYS, key.Receive()) !=
        ERROR_SUCCESS) {
        char reason[kTextBufferSize];
        LoadText(IDS_REGISTRY_OPEN_FAILED, reason, sizeof reason);
        char text[2 * kTextBufferSize];
        FormatBounded(text, sizeof text, "%s\nKey: HKEY_LOCAL_MACHINE\\%s", reason, kModelsKey);
        Warn(text);
        return nullptr;
    }

    PrinterEntry* list = nullptr;
    PrinterEntry** tail = &list;
    for (DWORD index = 0;; ++index) {
        char subkey[256];
        DWORD length = sizeof subkey;
        LONG result = RegEnumKeyExA(key.Get(), index, subkey, &length, nullptr, nullptr, nullptr,
                                    nullptr);
        if (result == ERROR_MORE_DATA) continue;  // a name longer than any model name
        if (result != ERROR_SUCCESS) break;       // ERROR_NO_MORE_ITEMS, or the key went away
        subkey[sizeof subkey - 1] = '\0';
        if (std::strcmp(subkey, model) != 0) continue;

        auto* entry = static_cast<PrinterEntry*>(AllocateZeroed(sizeof(PrinterEntry)));
        char driver[sizeof subkey + 8];
        FormatBounded(driver, sizeof driver, "KOV %s", subkey);
        if (entry != nullptr) entry->Model = DuplicateString(driver);
        if (entry == nullptr || entry->Model == nullptr) {
            const DWORD error = GetLastError();
            const bool first = list == nullptr;
            if (entry != nullptr) ReleaseMemory(entry);
            FreePrinterList(list);
            ShowAllocationFailure(nullptr, error);
            WarnText(IDS_PROGRAM_ENDS, first ? MB_ICONWARNING : MB_OK);
            return nullptr;
        }
        *tail = entry;
        tail = &entry->Next;
    }

    if (list == nullptr) WarnText(IDS_NO_SUPPORTED_PRINTER);
    return list;
}
