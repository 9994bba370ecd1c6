// Writes.cpp - the commands of rpsettings that write printers: import, copy and undo, each keeping
// the printer's settings before the write in its history; and the history listed.
#include "cli/Writes.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "base/FileText.h"
#include "base/Ui.h"
#include "cli/CommandKit.h"
#include "cli/PrinterLink.h"
#include "printers/SettingsHistory.h"
#include "res/resource.h"

namespace {

// A value the command cannot carry (one the printer holds and the file leaves alone).
std::optional<std::string> Encode(const PrinterSettings& settings, SettingsCommand& command) {
    EncodeFailure failure{};
    if (EncodeSettingsCommand(BuildSettingsBlock(settings.Record, settings.FeedPosOther), &command,
                              &failure)) {
        return std::nullopt;
    }
    char text[1024];
    snprintf(text, sizeof text, ProgramText(IDS_VALUE_DOES_NOT_FIT).c_str(), failure.Name,
             static_cast<int>(failure.Value));
    return std::string(text);
}

// A write's differences in the printer's entry: lines for the text, a list for --json.
void TellDifferences(CliRun& run, const std::string& name, const char* member,
                     const std::vector<SettingDifference>& differences, const char* before, const char* after,
                     const char* beforeKey, const char* afterKey) {
    for (const SettingDifference& d : differences) Tell(run, name, nullptr, 0, DifferenceLine(d, before, after));
    run.Doc.AddToPrinter(name, member, DifferencesArray(differences, beforeKey, afterKey));
}

// One printer and what goes over its settings: the file and where it came from.
struct WritePlan {
    std::string Name;
    const SettingsFile* File = nullptr;
    std::string Source;  // the file's name for its lines; the history note's reason
};

// How the printers are written: for real or as a dry run, and where their history goes.
struct WriteOptions {
    bool DryRun = false;
    HistoryPlace History;
    std::string Program;  // "rpsettings import", for the history note
};

// One printer made ready for the write: its session, its settings and the command for them.
struct Prepared {
    WritePlan Plan;
    std::unique_ptr<PrinterSession> Session;
    PrinterSettings Before, Wanted;
    SettingsCommand Command{};
    bool FileWrong = false;  // the file's values with this printer's own make wrong settings
};

// Opens, checks and reads one printer and puts the file over its settings. ExitDone with `ready`
// filled, or the exit code of why it cannot be written (one result line on standard output).
int Prepare(CliRun& run, const Setup& setup, const WritePlan& plan, Prepared& ready) {
    const std::string& name = plan.Name;
    if (!Supported(setup, name)) return Tell(run, name, "not-installed", ExitPrinterFailure, NotSupported(name));
    ready.Plan = plan;
    ready.Session = std::make_unique<PrinterSession>(name);
    if (const std::optional<std::string> refusal = RefusalOf(*ready.Session, PrinterUse::ReadAndUpdate)) {
        return Tell(run, name, "refused", ExitPrinterFailure, name + ": " + *refusal);
    }
    if (!ready.Session->ReadSettings(ready.Before)) {
        return Tell(run, name, "read-failed", ExitPrinterFailure,
                    name + ": " + ProgramText(IDS_SETTINGS_READ_FAILED));
    }
    ready.Wanted = ready.Before;
    ApplySettingsFile(*plan.File, ready.Wanted);
    const std::vector<FileProblem> problems = CheckAppliedSettings(*plan.File, ready.Wanted);
    if (!problems.empty()) {
        Tell(run, name, "invalid-file", ExitInvalidFile,
             name +
                 ": 設定ファイルの値とプリンタの値を合わせた設定が正しくないため、"
                 "どのプリンタにも書き込みません。");
        for (const FileProblem& p : problems)
            Tell(run, name, nullptr, 0, Indented(DescribeFileProblem(p, plan.Source)));
        ready.FileWrong = true;
        return ExitInvalidFile;
    }
    // A value of the printer's own that the command cannot carry stops this printer only.
    if (const std::optional<std::string> failure = Encode(ready.Wanted, ready.Command)) {
        return Tell(run, name, "value-does-not-fit", ExitInvalidFile, name + ": " + *failure);
    }
    return ExitDone;
}

// Keeps the printer's settings before the write in its history; false (the printer's result
// said) when they cannot be kept: then nothing is sent.
bool KeepBefore(CliRun& run, const Setup& setup, const Prepared& ready, const WriteOptions& options, size_t changes) {
    const std::string& name = ready.Plan.Name;
    if (options.History.Off) {
        run.Doc.AddToPrinter(name, "history", nullptr);
        return true;
    }
    HistoryNote note;
    note.Program = options.Program;
    note.Reason = ready.Plan.Source;
    note.Changes = static_cast<int>(changes);
    std::string problem;
    const std::optional<std::string> kept = KeepHistory(options.History, name, ready.Before, setup.Model, note, &problem);
    if (!kept) {
        Tell(run, name, "history-failed", ExitPrinterFailure,
             name + ": 書き込む前の設定を履歴に残せないため、書き込みません。" + problem);
        return false;
    }
    run.Doc.AddToPrinter(name, "history", ProgramString(*kept));
    return true;
}

// Writes one prepared printer, reads it back and compares; one result line on standard output.
int WriteTo(CliRun& run, const Setup& setup, const Prepared& ready, const WriteOptions& options) {
    const std::string& name = ready.Plan.Name;
    const std::vector<SettingDifference> changes = CompareSettings(ready.Before, ready.Wanted);
    if (options.DryRun) {
        Tell(run, name, "dry-run", ExitDone,
             name + ": 書き込むと " + std::to_string(changes.size()) +
                 " 項目が変わります (--dry-run: 書き込みません)。");
        TellDifferences(run, name, "changes", changes, "プリンタ", "ファイル", "printer", "file");
        return ExitDone;
    }
    run.Doc.AddToPrinter(name, "changes", DifferencesArray(changes, "printer", "file"));
    if (!KeepBefore(run, setup, ready, options, changes.size())) return ExitPrinterFailure;
    if (ready.Session->Write(ready.Command) != 0) {
        return Tell(run, name, "write-failed", ExitPrinterFailure, name + ": " + ProgramText(IDS_WRITE_FAILED));
    }
    PruneHistory(options.History, name);
    PrinterSettings after;
    if (!ready.Session->ReadSettings(after)) {
        return Tell(run, name, "read-back-failed", ExitPrinterFailure,
                    name + ": 書き込みました。" + ProgramText(IDS_SETTINGS_READ_FAILED));
    }
    const std::vector<SettingDifference> differences = CompareSettings(ready.Wanted, after);
    if (!differences.empty()) {
        Tell(run, name, "read-back-differs", ExitReadBackDiffers,
             name + ": 読み戻した設定が書き込んだ設定と " + std::to_string(differences.size()) +
                 " 項目違います。");
        TellDifferences(run, name, "readBackDifferences", differences, "書き込んだ値", "読み戻した値", "written",
                        "readBack");
        return ExitReadBackDiffers;
    }
    return Tell(run, name, "written", ExitDone,
                name + ": 設定を書き込みました (変更 " + std::to_string(changes.size()) + " 項目)。");
}

// Every printer is made ready first: settings that the file makes wrong together with one
// printer's own values (a form's margins, a switch byte no printer could be read with) stop the
// whole write before anything is written. A printer refused by its state is left out; the
// others go on.
int WriteToAll(CliRun& run, const Setup& setup, const std::vector<WritePlan>& plans, const WriteOptions& options) {
    run.Doc.Result().Set("dryRun", options.DryRun);
    int worst = ExitDone;
    bool fileWrong = false;
    std::vector<Prepared> ready;
    for (const WritePlan& plan : plans) {
        Tell(run, plan.Name, nullptr, 0, "");  // the entries in the order the printers were named
        Prepared one;
        const int result = Prepare(run, setup, plan, one);
        worst = std::max(worst, result);
        fileWrong = fileWrong || one.FileWrong;
        if (result == ExitDone) ready.push_back(std::move(one));
    }
    if (fileWrong) {
        for (const Prepared& one : ready) Tell(run, one.Plan.Name, "not-written", ExitInvalidFile, "");
        return worst;
    }
    for (const Prepared& one : ready) worst = std::max(worst, WriteTo(run, setup, one, options));
    return worst;
}

WriteOptions OptionsOf(const CliArguments& a) {
    WriteOptions options;
    options.DryRun = a.DryRun;
    options.History = HistoryPlace{a.NoHistory, a.HistoryRoot};
    options.Program = std::string("rpsettings ") + CommandName(a.Command);
    return options;
}

// The same file for every printer named.
int WriteFileToAll(CliRun& run, const Setup& setup, const CliArguments& a, const SettingsFile& file,
                   const std::string& source) {
    run.Doc.Result().Set("source", ProgramString(source));
    std::vector<WritePlan> plans;
    for (const std::string& name : a.Printers) plans.push_back({name, &file, source});
    return WriteToAll(run, setup, plans, OptionsOf(a));
}

// The history file of `a.At`, or the newest; empty (the printer's result said) when there is none.
std::string HistoryFileToUndo(CliRun& run, const std::string& name, const CliArguments& a) {
    const std::string folder = HistoryFolder(HistoryPlace{false, a.HistoryRoot}, name);
    const std::vector<std::string> names = folder.empty() ? std::vector<std::string>() : HistoryFileNames(folder);
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (a.At.empty() || HistoryTimeOf(*it) == a.At || *it == a.At) return HistoryFilePath(folder, *it);
    }
    Tell(run, name, "no-history", ExitPrinterFailure,
         name + ": " + (a.At.empty() ? std::string() : a.At + " の") + "履歴ファイルがありません (" + folder + ")。");
    return {};
}

}  // namespace

int ImportFile(CliRun& run, const Setup& setup, const CliArguments& a, const SettingsFile& file) {
    return WriteFileToAll(run, setup, a, file, a.File);
}

int CopySettings(CliRun& run, const Setup& setup, const CliArguments& a) {
    const std::optional<PrinterSettings> from = ReadPrinter(run, setup, a.From);
    if (!from) return ExitPrinterFailure;
    const SettingsFile settings = SettingsOf(*from);
    const std::vector<FileProblem> problems = CheckSettings(settings);
    for (const FileProblem& p : problems) run.Out.Error(DescribeFileProblem(p, a.From));
    if (!problems.empty()) return ExitInvalidFile;
    return WriteFileToAll(run, setup, a, settings, a.From);
}

int UndoWrites(CliRun& run, const Setup& setup, const CliArguments& a) {
    int worst = ExitDone;
    std::vector<SettingsFile> files;
    files.reserve(a.Printers.size());  // the plans point into it
    std::vector<WritePlan> plans;
    for (const std::string& name : a.Printers) {
        Tell(run, name, nullptr, 0, "");
        const std::string path = HistoryFileToUndo(run, name, a);
        std::optional<SettingsFile> file = path.empty() ? std::nullopt : LoadFile(run, path, setup.Model);
        if (!path.empty() && !file) Tell(run, name, "invalid-file", ExitInvalidFile, name + ": " + path);
        if (!file) {
            worst = std::max<int>(worst, path.empty() ? ExitPrinterFailure : ExitInvalidFile);
            continue;
        }
        run.Doc.AddToPrinter(name, "restored", ProgramString(path));
        files.push_back(std::move(*file));
        plans.push_back({name, &files.back(), path});
    }
    return std::max(worst, WriteToAll(run, setup, plans, OptionsOf(a)));
}

int ListHistory(CliRun& run, const CliArguments& a) {
    const std::string& name = a.Printers[0];
    const std::string folder = HistoryFolder(HistoryPlace{false, a.HistoryRoot}, name);
    if (folder.empty()) return Fail(run, "ユーザーのフォルダ (LOCALAPPDATA) がわかりません。");
    Json entries = Json::Array();
    const std::vector<std::string> files = HistoryFileNames(folder);
    for (const std::string& file : files) {
        const std::string path = HistoryFilePath(folder, file);
        uint32_t error = 0;
        const std::optional<std::string> bytes = ReadWholeFile(path, &error, kSettingsFileLimit);
        const std::optional<std::string> text = bytes ? FromFileText(*bytes, nullptr) : std::nullopt;
        const HistoryNote note = ReadHistoryNote(text ? *text : std::string());
        const std::string changes = note.Changes < 0 ? "?" : std::to_string(note.Changes);
        run.Out.Line(HistoryTimeOf(file) + "\t" + note.Program + "\t変更 " + changes + " 項目\t" + note.User +
                     "\t" + note.Reason);
        Json entry = Json::Object();
        entry.Set("time", HistoryTimeOf(file));
        entry.Set("file", ProgramString(path));
        entry.Set("program", ProgramString(note.Program));
        entry.Set("user", ProgramString(note.User));
        entry.Set("reason", ProgramString(note.Reason));
        entry.Set("changes", note.Changes < 0 ? Json() : Json(note.Changes));
        entries.Push(std::move(entry));
    }
    if (files.empty()) run.Out.Line(name + ": 履歴はありません (" + folder + ")。");
    Json& result = run.Doc.Result();
    result.Set("printer", ProgramString(name));
    result.Set("folder", ProgramString(folder));
    result.Set("history", std::move(entries));
    return ExitDone;
}
