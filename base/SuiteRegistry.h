// The suite's keys under HKEY_LOCAL_MACHINE, as the program and rpsettings read them: the stored
// password and the installed models with their values.
#ifndef RP_BASE_SUITEREGISTRY_H
#define RP_BASE_SUITEREGISTRY_H

#include <windows.h>

#include <optional>
#include <string>

#include "base/ScopedHandles.h"

inline constexpr char kSuiteKey[] = "Software\\KOV\\Kestrovane\\";
inline constexpr char kModelsKey[] = "Software\\KOV\\Kestrovane\\Printers";

// The stored password ("" when the value is missing or empty), read whole whatever its length
// and always terminated; nothing when the suite's key cannot be opened.
std::optional<std::string> ReadStoredPassword();

// Whether `model` is installed: a subkey of the models key whose name equals it byte for byte
// (the registry itself ignores letter case).
enum class ModelKey { KeyMissing, NotInstalled, Installed };
ModelKey FindInstalledModel(const char* model);

// Opens the key of `model` under the models key for reading its values; false when it does not
// open.
bool OpenModelKey(const char* model, RegistryKey& key);

#endif
