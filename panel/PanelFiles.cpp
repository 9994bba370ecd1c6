#include "panel/PanelFiles.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/FileText.h"
#include "base/Messages.h"
#include "base/SystemLibraries.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "panel/PanelWrite.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsFile.h"

namespace {

// A message shows this many bad lines of a file, and how many more there are.
constexpr size_t kProblemsShown = 10;

std::string Formatted(UINT id, const std::string& first, const std::string& second) {
    char text[16 * kTextBufferSize];
    FormatBounded(text, sizeof text, ProgramText(id).c_str(), first.c_str(), second.c_str());
    return text;
}

// The file dialogs' types: the string's "|" separators become the NULs the dialog wants.
std::string FileTypes() {
    std::string types = ProgramText(IDS_SETTINGS_FILE_FILTER);
    std::replace(types.begin(), types.end(), '|', '\0');
    return types + '\0';
}

using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

// GetSaveFileNameA or GetOpenFileNameA of the common dialog library. The first screen has no use
// for the library (nor for the shell libraries it brings with it): it is loaded on the first save
// or open, from the system folder only, and kept. nullptr, with the system's error code in
// `error`, when it cannot be loaded.
FileDialogFunction FileDialogEntry(bool save, DWORD& error) {
    static HMODULE library = nullptr;
    if (!library) library = LoadSystemLibrary("comdlg32.dll");
    FARPROC entry = library ? GetProcAddress(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA") : nullptr;
    if (!entry) error = GetLastError();
    return reinterpret_cast<FileDialogFunction>(reinterpret_cast<void*>(entry));
}

// The standard save or open dialog (save: the name proposed from `printer`); the file's full name,
// or nothing when the user cancelled or the dialog could not be shown (the user is told why).
bool AskFileName(HWND owner, bool save, const std::string& printer, std::string& path) {
    DWORD error = 0;
    const FileDialogFunction askFile = FileDialogEntry(save, error);
    if (!askFile) {
        char text[4 * kTextBufferSize];
        FormatBounded(text, sizeof text, ProgramText(IDS_FILE_DIALOG_MISSING).c_str(),
                      SystemErrorText(error).c_str());
        ShowPrinterMessage(owner, text, MB_OK | MB_ICONWARNING);
        return false;
    }
    char file[MAX_PATH] = "";
    // Room for ".txt" and for the temporary ".new" that the save writes first.
    if (save) CopyBounded(file, sizeof file, (FileNameFrom(printer, 8) + ".txt").c_str());
    const std::string types = FileTypes();
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = types.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!askFile(&dialog)) return false;
    path = file;
    return true;
}

// What a save or open was started for: the settings shown then and their printer. The answer of
// its dialog counts only while the panel still shows the same (StillTheSame).
struct FileStart {
    SettingsTicket Ticket;
    PrinterSettings Shown;
    std::string Printer;
};

// Collects the pages first, as for a write; nothing when the pages hold no settings or refused.
std::optional<FileStart> StartFileCommand(HWND panel) {
    if (!SettingsLoaded() || !CollectForWrite(panel)) return std::nullopt;
    const PanelModel* model = ModelOf(panel);
    if (!model) return std::nullopt;
    const char* printer = CurrentPrinterName();
    return FileStart{TicketOf(model->Settings), PagesSettings(), printer ? printer : ""};
}

// After a box or dialog: whether the panel still shows what the command was started for; when not,
// the user is told (`textId` with the file's name) and nothing is done.
bool StillFor(HWND panel, const FileStart& start, UINT textId, const std::string& path) {
    const PanelModel* model = PanelStillOpen(panel) ? ModelOf(panel) : nullptr;
    if (model && StillTheSame(model->Settings, start.Ticket)) return true;
    if (PanelStillOpen(panel)) {
        char text[4 * kTextBufferSize];
        FormatBounded(text, sizeof text, ProgramText(textId).c_str(), path.c_str());
        ShowPrinterMessage(panel, text, MB_OK | MB_ICONWARNING);
    }
    return false;
}

// One message with the file's bad lines: the first ten, and how many more there are.
void ShowBadLines(HWND panel, const std::string& path, const std::vector<FileProblem>& problems) {
    std::string lines;
    for (size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
        const FileProblem& p = problems[i];
        lines +=
            (p.Line > 0 ? "行 " + std::to_string(p.Line) + ": " : std::string()) + FileProblemText(p) + "\n";
    }
    if (problems.size() > kProblemsShown) {
        char more[kTextBufferSize];
        FormatBounded(more, sizeof more, ProgramText(IDS_FILE_MORE_PROBLEMS).c_str(),
                      static_cast<int>(problems.size() - kProblemsShown));
        lines += more;
    }
    ShowPrinterMessage(panel, Formatted(IDS_FILE_INVALID, path, lines).c_str(), MB_OK | MB_ICONWARNING);
}

// The file's text in the program's text, or nothing after telling the user why not.
std::optional<std::string> ReadFileText(HWND panel, const std::string& path) {
    uint32_t error = 0;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, kSettingsFileLimit);
    if (!bytes) {
        const std::string message = error == kFileTooLargeError
                                        ? Formatted(IDS_FILE_TOO_LARGE, path, kSettingsFileLimitText)
                                        : Formatted(IDS_FILE_READ_FAILED, path, SystemErrorText(error));
        ShowPrinterMessage(panel, message.c_str(), MB_OK | MB_ICONWARNING);
        return std::nullopt;
    }
    int badLine = 0;
    std::optional<std::string> text = FromFileText(*bytes, &badLine);
    if (!text) {
        char message[4 * kTextBufferSize];
        FormatBounded(message, sizeof message, ProgramText(IDS_FILE_NOT_UTF8).c_str(), path.c_str(), badLine);
        ShowPrinterMessage(panel, message, MB_OK | MB_ICONWARNING);
    }
    return text;
}

std::string ModelName() { return ProgramText(IDS_MODEL_NAME); }

}  // namespace

void SaveSettingsCommand(HWND panel) {
    // As the toolbar button, Ctrl+S does nothing while the record holds no settings.
    const std::optional<FileStart> start = StartFileCommand(panel);
    std::string path;
    if (!start || !AskFileName(panel, true, start->Printer, path)) return;
    // A printer gone, another chosen or the settings dropped while the dialog was up: the file
    // would hold what the panel no longer shows.
    if (!StillFor(panel, *start, IDS_FILE_SAVE_STALE, path)) return;
    const std::string text = ToFileText(WriteSettingsFile(start->Shown, ModelName(), start->Printer));
    uint32_t error = 0;
    if (!WriteFileSafely(path, text, &error)) {
        ShowPrinterMessage(panel, Formatted(IDS_FILE_SAVE_FAILED, path, SystemErrorText(error)).c_str(),
                           MB_OK | MB_ICONWARNING);
    }
}

void OpenSettingsCommand(HWND panel) {
    // The settings the file leaves out stay as the pages show them: the pages are collected first.
    const std::optional<FileStart> start = StartFileCommand(panel);
    std::string path;
    if (!start || !AskFileName(panel, false, start->Printer, path)) return;
    if (!StillFor(panel, *start, IDS_FILE_OPEN_STALE, path)) return;
    const std::optional<std::string> text = ReadFileText(panel, path);
    if (!text || !StillFor(panel, *start, IDS_FILE_OPEN_STALE, path)) return;
    FileReading reading = ReadSettingsFile(*text, ModelName());
    PrinterSettings wanted = start->Shown;
    if (reading.Problems.empty()) {
        ApplySettingsFile(reading.File, wanted);
        reading.Problems = CheckAppliedSettings(reading.File, wanted);
    }
    if (!reading.Problems.empty()) {
        ShowBadLines(panel, path, reading.Problems);
        return;
    }
    // What the file leaves out would be written as the values shown: with values that were not
    // read from the printer, the user says so first.
    if (FileNeedsQuestion(ModelOf(panel)->Settings, reading.File)) {
        const int answer = ShowPrinterMessage(panel, Formatted(IDS_FILE_PARTIAL_NOT_READ, path, "").c_str(),
                                              MB_OKCANCEL | MB_ICONQUESTION);
        if (answer != IDOK || !StillFor(panel, *start, IDS_FILE_OPEN_STALE, path)) return;
    }
    Dispatch(panel, FileApplied{reading.File});
    SendToPages(panel, WM_PAGE_REFRESH);
    FocusCurrentPage(panel);
}
