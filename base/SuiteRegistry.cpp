#include "base/SuiteRegistry.h"

#include <cstring>

#include "base/Text.h"

namespace {

constexpr char kPasswordValue[] = "Password";

}  // namespace

std::optional<std::string> ReadStoredPassword() {
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSuiteKey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), kPasswordValue, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size == 0) {
        return std::string();
    }
    std::string buffer(size + 1, '\0');
    if (RegQueryValueExA(key.Get(), kPasswordValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS) {
        return std::string();
    }
    return std::string(buffer.c_str());
}

ModelKey FindInstalledModel(const char* model) {
    RegistryKey models;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kModelsKey, 0, KEY_ENUMERATE_SUB_KEYS, models.Receive()) !=
        ERROR_SUCCESS) {
        return ModelKey::KeyMissing;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof name;
        const LONG result =
            RegEnumKeyExA(models.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;                     // a name longer than any model name
        if (result != ERROR_SUCCESS) return ModelKey::NotInstalled;  // no more, or the key went away
        name[sizeof name - 1] = '\0';
        if (std::strcmp(name, model) == 0) return ModelKey::Installed;
    }
}

bool OpenModelKey(const char* model, RegistryKey& key) {
    char keyName[512];
    FormatBounded(keyName, sizeof keyName, "%s\\%s", kModelsKey, model);
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS;
}
