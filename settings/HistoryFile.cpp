#include "settings/HistoryFile.h"

#include <algorithm>
#include <cstdio>

#include "settings/SettingsFile.h"

namespace {

// The comment lines of the note: "# Key = value", one line whatever the value holds.
const char kTimeKey[] = "HistoryTime";
const char kProgramKey[] = "HistoryProgram";
const char kUserKey[] = "HistoryUser";
const char kReasonKey[] = "HistoryReason";
const char kChangesKey[] = "HistoryChanges";

std::string OneLine(std::string_view text) {
    std::string line;
    for (const char c : text) line.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
    return line;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string HistoryTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d.%03dZ", year, month, day, hour, minute, second,
                  millisecond);
    return text;
}

std::string HistoryFileText(const PrinterSettings& before, std::string_view model, std::string_view printer,
                            const HistoryNote& note) {
    std::string text = "# 設定の履歴: 次の書き込みの前にプリンタが持っていた設定です。\n";
    text += std::string("# ") + kTimeKey + " = " + OneLine(note.Time) + "\n";
    text += std::string("# ") + kProgramKey + " = " + OneLine(note.Program) + "\n";
    text += std::string("# ") + kUserKey + " = " + OneLine(note.User) + "\n";
    text += std::string("# ") + kReasonKey + " = " + OneLine(note.Reason) + "\n";
    if (note.Changes >= 0) text += std::string("# ") + kChangesKey + " = " + std::to_string(note.Changes) + "\n";
    return text + WriteSettingsFile(before, model, printer);
}

HistoryNote ReadHistoryNote(std::string_view text) {
    HistoryNote note;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() != '#') continue;
        line = Trim(line.substr(1));
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string value(Trim(line.substr(equals + 1)));
        if (key == kTimeKey) note.Time = value;
        if (key == kProgramKey) note.Program = value;
        if (key == kUserKey) note.User = value;
        if (key == kReasonKey) note.Reason = value;
        if (key == kChangesKey && AllDigits(value) && value.size() < 6) note.Changes = std::stoi(value);
    }
    return note;
}

bool IsHistoryFileName(std::string_view name) {
    // "20261210T150405.123Z.txt"
    return name.size() == 24 && AllDigits(name.substr(0, 8)) && name[8] == 'T' && AllDigits(name.substr(9, 6)) &&
           name[15] == '.' && AllDigits(name.substr(16, 3)) && name.substr(19) == "Z.txt";
}

std::string HistoryTimeOf(std::string_view name) {
    return IsHistoryFileName(name) ? std::string(name.substr(0, name.size() - 4)) : std::string();
}

std::vector<std::string> HistoryFilesToRemove(std::vector<std::string> names) {
    names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& n) { return !IsHistoryFileName(n); }),
                names.end());
    std::sort(names.begin(), names.end());
    if (names.size() <= kHistoryFilesKept) return {};
    names.resize(names.size() - kHistoryFilesKept);
    return names;
}
