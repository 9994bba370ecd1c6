// Document.cpp - the --json document of rpsettings, filled by the commands and written at the end.
#include "cli/Document.h"

#include <algorithm>
#include <utility>

#include "base/FileText.h"

namespace {

Json Strings(const std::vector<std::string>& lines) {
    Json array = Json::Array();
    for (const std::string& line : lines) array.Push(ProgramString(line));
    return array;
}

}  // namespace

Json ProgramString(const std::string& programText) { return Json(Utf8FromProgramText(programText)); }

Document::PrinterOutcome& Document::OutcomeOf(const std::string& name) {
    for (PrinterOutcome& outcome : outcomes_) {
        if (outcome.Name == name) return outcome;
    }
    outcomes_.emplace_back();
    outcomes_.back().Name = name;
    return outcomes_.back();
}

void Document::TellAboutPrinter(const std::string& name, const char* resultName, int exitCode,
                                const std::string& line) {
    PrinterOutcome& outcome = OutcomeOf(name);
    if (resultName) {
        outcome.Result = resultName;
        outcome.ExitCode = exitCode;
    }
    if (line.empty()) return;
    // With --json a failure's line is still said to a person, on standard error.
    if (out_.TextKeptOff() && resultName && exitCode != ExitDone) {
        out_.Error(line);
    } else {
        out_.Line(line);
    }
    outcome.Lines.push_back(line);
}

void Document::AddToPrinter(const std::string& name, const char* member, Json value) {
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

void Document::Print(const char* command, int exitCode) {
    Json document = Json::Object();
    if (!hasResult_ && exitCode != ExitDone) {
        Json& error = document.Set("error", Json::Object());
        if (command) error.Set("command", command);
        error.Set("exitCode", exitCode);
        error.Set("messages", Strings(out_.ErrorsPrinted()));
    } else {
        document.Set("command", command ? command : "");
        for (auto& member : result_.TakeMembers()) {
            document.Set(member.first, std::move(member.second));
        }
        if (!outcomes_.empty()) {
            Json printers = Json::Array();
            for (PrinterOutcome& outcome : outcomes_) {
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
    out_.FileText(document.Text());
}

int CliRun::Finish(bool json, const char* command, int exitCode) {
    const auto countLostOutput = [this, &exitCode] {
        if (!Out.OutputLost()) return;
        Out.TellOutputLost();
        exitCode = std::max<int>(exitCode, ExitPrinterFailure);
    };
    // Output lost while the command ran (standard error closed, say) is told in the document too;
    // the document itself may not arrive whole either.
    countLostOutput();
    if (json) Doc.Print(command, exitCode);
    countLostOutput();
    return exitCode;
}
