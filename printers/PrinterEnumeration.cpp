#include "printers/PrinterEnumeration.h"

#include <cstring>

#include "base/Memory.h"
#include "base/ScopedHandles.h"
#include "base/StartupTrace.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/LibrarySession.h"
#include "printers/PrinterProbe.h"
#include "res/resource.h"

namespace {

constexpr DWORD kEnumFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;  // 6

bool SupportsDriver(const PrinterEntry* models, const char* driver) {
    for (const PrinterEntry* model = models; model != nullptr; model = model->Next) {
        if (lstrcmpA(model->Model, driver) == 0) return true;
    }
    return false;
}

// The model list, released when the search ends whichever way.
class ModelList {
public:
    explicit ModelList(PrinterEntry* list) : list_(list) {}
    ~ModelList() { FreePrinterList(list_); }
    ModelList(const ModelList&) = delete;
    ModelList& operator=(const ModelList&) = delete;
    const PrinterEntry* Get() const { return list_; }

private:
    PrinterEntry* list_;
};

// A search that ran out of memory keeps nothing it found.
PrinterSearch OutOfMemory(PrinterSearch& search, DWORD error) {
    FreePrinterList(search.List);
    return {nullptr, 0, SearchFailure::OutOfMemory, error};
}

// Tells the user why a search found nothing, as the program does at start-up and after the
// printers changed.
void ReportSearchFailure(const PrinterSearch& search) {
    switch (search.Failure) {
        case SearchFailure::None:
            return;
        case SearchFailure::SpoolerFailed:
            ShowProgramMessage(nullptr, IDS_ENUM_FAILED, MB_ICONWARNING);
            return;
        case SearchFailure::OutOfMemory:
            // The allocation-failure message with the system's error code, then "the program ends".
            ShowAllocationFailure(nullptr, search.Error);
            ShowProgramMessage(nullptr, IDS_PROGRAM_ENDS, MB_OK);
            return;
        default:
            ReportModelFailure(search.Failure, search.Error);
            return;
    }
}

}  // namespace

void ReleasePrinterList() {
    FreePrinterList(AppState.PrinterList);
    AppState.PrinterList = nullptr;
    AppState.CurrentPrinter = nullptr;
    AppState.PrinterCount = 0;
}

void FreePrinterList(PrinterEntry* list) {
    while (list != nullptr) {
        PrinterEntry* next = list->Next;
        if (list->Name != nullptr) ReleaseMemory(list->Name);
        if (list->PortText != nullptr) ReleaseMemory(list->PortText);
        if (list->Model != nullptr) ReleaseMemory(list->Model);
        ReleaseMemory(list);
        list = next;
    }
}

PrinterSearch FindSupportedPrinters() {
    PrinterSearch search;
    ModelList models(FindSupportedModels(&search.Failure, &search.Error));
    TraceStartup("model-registry");
    if (models.Get() == nullptr) return search;

    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersA(kEnumFlags, nullptr, 2, nullptr, 0, &needed, &returned);
    if (needed == 0) return search;

    const LocalMemory buffer(AllocateZeroed(needed));
    if (buffer.Get() == nullptr) return OutOfMemory(search, GetLastError());
    if (EnumPrintersA(kEnumFlags, nullptr, 2, static_cast<BYTE*>(buffer.Get()), needed, &needed, &returned) !=
        1) {
        search.Failure = SearchFailure::SpoolerFailed;
        return search;
    }
    TraceStartup("spooler");

    const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.Get());
    PrinterEntry** tail = &search.List;
    for (DWORD i = 0; i < returned; ++i) {
        const PRINTER_INFO_2A& info = printers[i];
        if (info.pPrinterName == nullptr || info.pDriverName == nullptr) continue;
        if (!SupportsDriver(models.Get(), info.pDriverName)) continue;

        auto* entry = static_cast<PrinterEntry*>(AllocateZeroed(sizeof(PrinterEntry)));
        if (entry == nullptr) return OutOfMemory(search, GetLastError());
        *tail = entry;
        tail = &entry->Next;
        ++search.Count;

        entry->Name = DuplicateString(info.pPrinterName);
        entry->Model = DuplicateString(info.pDriverName);
        // A string that cannot be copied is a failed allocation like the entry's own.
        if (entry->Name == nullptr || entry->Model == nullptr) {
            return OutOfMemory(search, GetLastError());
        }
    }
    return search;
}

int32_t EnumerateSupportedPrinters() {
    // The current printer is found again by its name in the new list.
    char* remembered = nullptr;
    if (AppState.CurrentPrinter != nullptr && AppState.CurrentPrinter->Name != nullptr) {
        remembered = AppState.CurrentPrinter->Name;
        AppState.CurrentPrinter->Name = nullptr;  // kept past the release of the old list
    }
    ReleasePrinterList();
    const LocalMemory forget(remembered);

    const PrinterSearch search = FindSupportedPrinters();
    ReportSearchFailure(search);
    AppState.PrinterList = search.List;
    AppState.PrinterCount = search.Count;
    for (PrinterEntry* entry = AppState.PrinterList; entry != nullptr; entry = entry->Next) {
        if (remembered != nullptr && std::strcmp(entry->Name, remembered) == 0)
            AppState.CurrentPrinter = entry;
    }
    return AppState.PrinterCount;
}

const char* PortTextOf(PrinterEntry* entry) {
    if (entry == nullptr) return nullptr;
    if (entry->PortText == nullptr && entry->Name != nullptr) {
        char user[kUserNameSize] = "";
        CurrentUserName(user);
        char portText[kPortTextSize];
        if (!ProbePortText(entry->Name, user, portText, sizeof portText))
            LoadText(IDS_STATE_UNKNOWN, portText, sizeof portText);
        SetPortText(entry, portText);
    }
    return entry->PortText;
}

void SetPortText(PrinterEntry* entry, const char* text) {
    char* copy = DuplicateString(text);
    if (copy == nullptr) return;  // out of memory: the entry keeps what it had
    if (entry->PortText != nullptr) ReleaseMemory(entry->PortText);
    entry->PortText = copy;
}

PrinterEntry* FindPrinterEntry(const char* name) {
    for (PrinterEntry* entry = AppState.PrinterList; name != nullptr && entry != nullptr;
         entry = entry->Next) {
        if (entry->Name != nullptr && std::strcmp(entry->Name, name) == 0) return entry;
    }
    return nullptr;
}
