// Document.cpp - the --json document of rpsettings, filled by the commands and written at the end.
#include "cli/Document.h"

#include <utility>

#include "base/FileText.h"
#include "cli/Console.h"

namespace {

Json result;
bool hasResult = false;

// What became of one printer of an import or a copy.
struct PrinterOutcome {
    std::string Name;
    std::string Result;
    int ExitCode = ExitDone;
    std::vector<std::string> Lines;
    Json More = Json::Object();
};
std::vector<PrinterOutcome> outcomes;

PrinterOutcome& OutcomeOf(const std::string& name) {
    for (PrinterOutcome& outcome : outcomes) {
        if (outcome.Name == name) return outcome;
    }
    outcomes.emplace_back();
    outcomes.back().Name = name;
    return outcomes.back();
}

Json Strings(const std::vector<std::string>& lines) {
    Json array = Json::Array();
    for (const std::string& line : lines) array.Push(ProgramString(line));
    return array;
}

}  // namespace

Json ProgramString(const std::string& programText) { return Json(Utf8FromProgramText(programText)); }

Json& CommandResult() {
    hasResult = true;
    return result;
}

void TellAboutPrinter(const std::string& name, const char* resultName, int exitCode,
                      const std::string& line) {
    PrinterOutcome& outcome = OutcomeOf(name);
    if (resultName) {
        outcome.Result = resultName;
        outcome.ExitCode = exitCode;
    }
    if (line.empty()) return;
    // With --json a failure's line is still said to a person, on standard error.
    if (TextKeptOff() && resultName && exitCode != ExitDone) {
        PrintError(line);
    } else {
        PrintLine(line);
    }
    outcome.Lines.push_back(line);
}

void AddToPrinter(const std::string& name, const char* member, Json value) {
    OutcomeOf(name).More.Set(member, std::move(value));
}

Json SettingsObject(const PrinterSettings& settings) {
    Json object = Json::Object();
    for (const SettingKey& key : SettingKeys()) object.Set(key.Key, GetSettingValue(key, settings));
    return object;
}

Json DifferencesArray(const std::vector<SettingDifference>& differences, const char* before,
                      const char* after) {
    Json array = Json::Array();
    for (const SettingDifference& d : differences) {
        Json item = Json::Object();
        item.Set("key", d.Key->Key);
        item.Set("label", ProgramString(d.Key->Label));
        item.Set(before, d.Before);
        item.Set(after, d.After);
        array.Push(std::move(item));
    }
    return array;
}

void PrintCommandDocument(const char* command, int exitCode) {
    Json document = Json::Object();
    if (!hasResult && exitCode != ExitDone) {
        Json& error = document.Set("error", Json::Object());
        if (command) error.Set("command", command);
        error.Set("exitCode", exitCode);
        error.Set("messages", Strings(ErrorsPrinted()));
    } else {
        document.Set("command", command ? command : "");
        for (auto& member : result.TakeMembers()) {
            document.Set(member.first, std::move(member.second));
        }
        if (!outcomes.empty()) {
            Json printers = Json::Array();
            for (PrinterOutcome& outcome : outcomes) {
                Json entry = Json::Object();
                entry.Set("name", ProgramString(outcome.Name));
                entry.Set("result", outcome.Result);
                entry.Set("exitCode", outcome.ExitCode);
                for (auto& member : outcome.More.TakeMembers())
                    entry.Set(member.first, std::move(member.second));
                entry.Set("messages", Strings(outcome.Lines));
                printers.Push(std::move(entry));
            }
            document.Set("printers", std::move(printers));
        }
        document.Set("exitCode", exitCode);
    }
    PrintFileText(document.Text());
}
