// HistoryFile.h - the history of a printer's settings: before each write, the settings the printer
// held are kept as an ordinary settings file with a few comment lines saying when, by which
// program and user, why, and how many settings the write changed. The files of one printer are
// named by their UTC time, so that their names sort as they were written.
#ifndef RP_SETTINGS_HISTORYFILE_H
#define RP_SETTINGS_HISTORYFILE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingKeys.h"

// What a history file says about the write it was kept for.
struct HistoryNote {
    std::string Time;     // UTC, as HistoryTime writes it
    std::string Program;  // "rpsettings import", "RemotePanel 更新", ...
    std::string User;
    std::string Reason;   // the file imported, the printer copied, the history file undone, ...
    int Changes = -1;     // the settings the write changes; -1 when the file does not say
};

// How many history files of one printer are kept.
inline constexpr size_t kHistoryFilesKept = 20;

// A UTC time as history files are named: "20261210T150405.123Z" (ISO 8601, basic format).
std::string HistoryTime(int year, int month, int day, int hour, int minute, int second, int millisecond);

// The history file of `before`, the printer's settings read just before the write: the text of
// WriteSettingsFile after the note's comment lines (control characters shown as "?").
std::string HistoryFileText(const PrinterSettings& before, std::string_view model, std::string_view printer,
                            const HistoryNote& note);
// The note of a history file's text; what it does not say stays empty (Changes -1).
HistoryNote ReadHistoryNote(std::string_view text);

// Whether a file name is a history file's ("<HistoryTime>.txt"), and its time.
bool IsHistoryFileName(std::string_view name);
std::string HistoryTimeOf(std::string_view name);

// Of one printer's history file names, those to remove so that the newest kHistoryFilesKept stay,
// oldest first.
std::vector<std::string> HistoryFilesToRemove(std::vector<std::string> names);

#endif
