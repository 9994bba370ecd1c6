#include "panel/PanelFiles.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/FileText.h"
#include "base/Messages.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "panel/PanelDialog.h"
#include "panel/PanelEdits.h"
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

// The standard save or open dialog; the file's full name, or nothing when the user cancelled.
bool AskFileName(HWND owner, bool save, std::string& path) {
    char file[MAX_PATH] = "";
    if (save) {
        const char* printer = CurrentPrinterName();
        CopyBounded(file, sizeof file, (FileNameFrom(printer ? printer : "") + ".txt").c_str());
    }
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
    if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) return false;
    path = file;
    return true;
}

PrinterSettings SettingsShown() {
    PrinterSettings shown;
    shown.Record = PanelSettings;
    std::memcpy(shown.FeedPosOther, FeedPosOther, sizeof FeedPosOther);
    return shown;
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
    const std::optional<std::string> bytes = ReadWholeFile(path, &error);
    if (!bytes) {
        ShowPrinterMessage(panel, Formatted(IDS_FILE_READ_FAILED, path, SystemErrorText(error)).c_str(),
                           MB_OK | MB_ICONWARNING);
        return std::nullopt;
    }
    int badLine = 0;
    std::optional<std::string> text = FromFileText(*bytes, &badLine);
    if (!text) {
        char message[4 * kTextBufferSize];
        FormatBounded(message, sizeof message, ProgramText(IDS_FILE_NOT_UTF8).c_str(), path.c_str(),
                      badLine);
        ShowPrinterMessage(panel, message, MB_OK | MB_ICONWARNING);
    }
    return text;
}

std::string ModelName() { return ProgramText(IDS_MODEL_NAME); }

}  // namespace

void SaveSettingsCommand(HWND panel) {
    // As the toolbar button, Ctrl+S does nothing while the record holds no settings.
    if (!SettingsLoaded() || !CollectForWrite(panel)) return;
    std::string path;
    if (!AskFileName(panel, true, path) || !PanelStillOpen(panel)) return;
    const char* printer = CurrentPrinterName();
    const std::string text =
        ToFileText(WriteSettingsFile(SettingsShown(), ModelName(), printer ? printer : ""));
    uint32_t error = 0;
    if (!WriteFileSafely(path, text, &error)) {
        ShowPrinterMessage(panel, Formatted(IDS_FILE_SAVE_FAILED, path, SystemErrorText(error)).c_str(),
                           MB_OK | MB_ICONWARNING);
    }
}

void OpenSettingsCommand(HWND panel) {
    // The settings the file leaves out stay as the pages show them: the pages are collected first.
    if (!SettingsLoaded() || !CollectForWrite(panel)) return;
    std::string path;
    if (!AskFileName(panel, false, path) || !PanelStillOpen(panel)) return;
    const std::optional<std::string> text = ReadFileText(panel, path);
    if (!text || !PanelStillOpen(panel) || !SettingsLoaded()) return;
    FileReading reading = ReadSettingsFile(*text, ModelName());
    PrinterSettings wanted = SettingsShown();
    if (reading.Problems.empty()) {
        ApplySettingsFile(reading.File, wanted);
        reading.Problems = CheckAppliedSettings(reading.File, wanted);
    }
    if (!reading.Problems.empty()) {
        ShowBadLines(panel, path, reading.Problems);
        return;
    }
    PanelSettings = wanted.Record;
    std::memcpy(FeedPosOther, wanted.FeedPosOther, sizeof FeedPosOther);
    SendToPages(panel, WM_PAGE_REFRESH);
    ChangeEdits(panel, EditEvent::Edited);
    FocusCurrentPage(panel);
}
