#include "printers/SupportedModels.h"

#include "base/Memory.h"
#include "base/SuiteRegistry.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "res/resource.h"

PrinterEntry* FindSupportedModels(SearchFailure* failure, DWORD* error) {
    char model[kTextBufferSize];
    LoadText(IDS_MODEL_NAME, model, sizeof model);

    switch (FindInstalledModel(model)) {
        case ModelKey::KeyMissing:
            *failure = SearchFailure::ModelKeyMissing;
            return nullptr;
        case ModelKey::NotInstalled:
            *failure = SearchFailure::ModelNotInstalled;
            return nullptr;
        case ModelKey::Installed:
            break;
    }

    // Subkey names are unique: the installed model is one entry.
    auto* entry = static_cast<PrinterEntry*>(AllocateZeroed(sizeof(PrinterEntry)));
    char driver[sizeof model + 8];
    FormatBounded(driver, sizeof driver, "KOV %s", model);
    if (entry != nullptr) entry->Model = DuplicateString(driver);
    if (entry == nullptr || entry->Model == nullptr) {
        *error = GetLastError();
        *failure = SearchFailure::ModelOutOfMemory;
        ReleaseMemory(entry);
        return nullptr;
    }
    *failure = SearchFailure::None;
    return entry;
}

void ReportModelFailure(SearchFailure failure, DWORD error) {
    switch (failure) {
        case SearchFailure::ModelKeyMissing: {
            char reason[kTextBufferSize];
            LoadText(IDS_REGISTRY_OPEN_FAILED, reason, sizeof reason);
            char text[2 * kTextBufferSize];
            FormatBounded(text, sizeof text, "%s\nKey: HKEY_LOCAL_MACHINE\\%s", reason, kModelsKey);
            ShowProgramMessage(nullptr, text, MB_ICONWARNING);
            return;
        }
        case SearchFailure::ModelNotInstalled:
            ShowProgramMessage(nullptr, IDS_NO_SUPPORTED_PRINTER, MB_ICONWARNING);
            return;
        case SearchFailure::ModelOutOfMemory:
            ShowAllocationFailure(nullptr, error);
            ShowProgramMessage(nullptr, IDS_PROGRAM_ENDS, MB_ICONWARNING);
            return;
        default:
            return;
    }
}

PrinterEntry* LoadSupportedModels() {
    SearchFailure failure = SearchFailure::None;
    DWORD error = 0;
    PrinterEntry* models = FindSupportedModels(&failure, &error);
    if (models == nullptr) ReportModelFailure(failure, error);
    return models;
}
