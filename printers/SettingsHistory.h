// SettingsHistory.h - the history files of the printers' settings on disk: one folder per printer
// under the user's folder (or one chosen, a share for many PCs), a file kept before each write and
// the oldest removed after it.
#ifndef RP_PRINTERS_SETTINGSHISTORY_H
#define RP_PRINTERS_SETTINGSHISTORY_H

#include <optional>
#include <string>
#include <vector>

#include "settings/HistoryFile.h"
#include "settings/SettingKeys.h"

// Where history goes: the user's folder, another one, or nowhere.
struct HistoryPlace {
    bool Off = false;
    std::string Root;  // empty: %LOCALAPPDATA%\Kestrovane RemotePanel\history
};

// The folder of one printer's history files (the printer's name as a file name under the root);
// empty when the user's folder is not known.
std::string HistoryFolder(const HistoryPlace& place, const std::string& printer);

// Keeps the settings the printer held before a write: a history file written beside its place
// first, then renamed, in a folder made when missing. The note's time (now, UTC) and user (the
// one this program runs as) are filled here. The file's full name, or nothing with the reason in
// `problem`, in the program's text.
std::optional<std::string> KeepHistory(const HistoryPlace& place, const std::string& printer,
                                       const PrinterSettings& before, const std::string& model, HistoryNote note,
                                       std::string* problem);

// The history file names of a folder, oldest first, and one's full name.
std::vector<std::string> HistoryFileNames(const std::string& folder);
std::string HistoryFilePath(const std::string& folder, const std::string& name);

// Removes a printer's oldest history files beyond the kept number.
void PruneHistory(const HistoryPlace& place, const std::string& printer);

#endif
