// Commands.cpp - what each command of rpsettings does with the printers and the settings file.
#include "cli/Commands.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "base/FileText.h"
#include "base/SuiteRegistry.h"
#include "base/Ui.h"
#include "cli/Console.h"
#include "cli/Document.h"
#include "cli/PrinterLink.h"
#include "res/resource.h"
#include "settings/SettingsFile.h"

namespace {

const char* const Usage[] = {
    "rpsettings - Brindlemark 400ZX のパネル設定を書き出し、比べ、ファイルからプリンタへ書き込みます。",
    "",
    "  rpsettings list                                  対応プリンタとその状態",
    "  rpsettings show    PRINTER                       すべての設定をパネルの項目名とともに表示",
    "  rpsettings export  PRINTER [FILE]                設定ファイルを書き出す (FILE なし: 標準出力)",
    "  rpsettings diff    PRINTER FILE                  import で変わる設定: "
    "項目、プリンタの値、ファイルの値",
    "  rpsettings import  PRINTER... FILE [--dry-run]   ファイル全体を確かめ、書き込み、読み戻して照合",
    "  rpsettings copy    FROM TO... [--dry-run]        FROM の設定をすべての TO へ同じように書き込む",
    "  rpsettings report                                すべての対応プリンタの接続先、状態、設定",
    "",
    "  --password X   パスワードが設定されているとき (指定しなければ入力を求めます)",
    "  --dry-run      確かめるだけで書き込まない",
    "  --json         結果を JSON の文書 1 つとして標準出力へ (UTF-8。list, show, export, diff, import,",
    "                 copy, report; 失敗も {\"error\": ...} として。メッセージは標準エラー出力へ)",
    "  --help         この説明",
    "",
    "設定ファイル: UTF-8 のテキスト。ヘッダ「RemotePanelSettings = 1」「Model = Brindlemark 400ZX」の後に",
    "「キー = 値」を 1 行に 1 つ。書かれていない設定はプリンタの値のままです。# から行末まではコメントです。",
    "",
    "終了コード: 0 完了, 1 プリンタまたは通信の失敗 (パスワードの誤りを含む) か、出力を書き込めなかった,",
    "            2 使い方の誤り,",
    "            3 設定ファイルが正しくない, 4 読み戻した設定が違う。複数のプリンタでは最も大きい値。",
};

// What every command needs: the supported printers and the model.
struct Setup {
    std::vector<std::string> Printers;
    std::string Model;
};

int Fail(CliRun& run, const std::string& text) {
    run.Out.Error(text);
    return ExitPrinterFailure;
}

std::string Indented(const std::string& text) { return "  " + text; }

std::string NameOf(const SettingKey& key) { return key.Key + "（" + key.Label + "）"; }

// The settings file, read and checked; every problem is reported.
std::optional<SettingsFile> LoadFile(CliRun& run, const std::string& path, const std::string& model) {
    uint32_t error = 0;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, kSettingsFileLimit);
    if (!bytes) {
        run.Out.Error(error == kFileTooLargeError
                          ? path + ": 設定ファイルの大きさの上限 " + kSettingsFileLimitText +
                                " を超えているため、読み込みません。"
                          : "ファイル「" + path + "」を開けません。" + SystemErrorText(error));
        return std::nullopt;
    }
    int badLine = 0;
    const std::optional<std::string> text = FromFileText(*bytes, &badLine);
    if (!text) {
        run.Out.Error(path + ":" + std::to_string(badLine) + ": UTF-8 のテキストではありません。");
        return std::nullopt;
    }
    FileReading reading = ReadSettingsFile(*text, model);
    for (const FileProblem& p : reading.Problems) run.Out.Error(DescribeFileProblem(p, path));
    if (!reading.Problems.empty()) return std::nullopt;
    return std::move(reading.File);
}

bool PassGate(CliRun& run, const CliArguments& arguments) {
    // The gate stays closed when the suite's key cannot be opened, as it does for the panel.
    const std::optional<std::string> stored = ReadStoredPassword();
    if (!stored) {
        run.Out.Error(std::string("パスワードの設定を読めません (HKEY_LOCAL_MACHINE\\") + kSuiteKey +
                   " を開けません)。");
        return false;
    }
    if (stored->empty()) return true;
    const std::optional<std::string> given = arguments.Password ? arguments.Password : run.Out.AskPassword();
    if (given && *given == *stored) return true;
    run.Out.Error("パスワードが違います。");
    return false;
}

bool Supported(const Setup& setup, const std::string& name) {
    return std::find(setup.Printers.begin(), setup.Printers.end(), name) != setup.Printers.end();
}

std::string NotSupported(const std::string& name) {
    return name + ": " + ProgramText(IDS_MODEL_NAME) + " のプリンタとしてインストールされていません。";
}

// Opens a printer for reading and reads its settings; the failure is reported on standard error.
std::optional<PrinterSettings> ReadPrinter(CliRun& run, const Setup& setup, const std::string& name) {
    if (!Supported(setup, name)) {
        Fail(run, NotSupported(name));
        return std::nullopt;
    }
    PrinterSession session(name);
    if (const std::optional<std::string> refusal = RefusalOf(session, PrinterUse::Read)) {
        Fail(run, name + ": " + *refusal);
        return std::nullopt;
    }
    PrinterSettings settings;
    if (!session.ReadSettings(settings)) {
        Fail(run, name + ": " + ProgramText(IDS_SETTINGS_READ_FAILED));
        return std::nullopt;
    }
    return settings;
}

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

// A printer's result line of an import or a copy, with what became of it for --json.
int Tell(CliRun& run, const std::string& name, const char* result, int exitCode, const std::string& line) {
    run.Doc.TellAboutPrinter(name, result, exitCode, line);
    return exitCode;
}

std::string DifferenceLine(const SettingDifference& d, const char* before, const char* after) {
    return Indented(NameOf(*d.Key) + ": " + before + " " + DescribeSettingValue(*d.Key, d.Before) + ", " +
                    after + " " + DescribeSettingValue(*d.Key, d.After));
}

void PrintDifferences(CliRun& run, const std::vector<SettingDifference>& differences, const char* before,
                      const char* after) {
    for (const SettingDifference& d : differences) run.Out.Line(DifferenceLine(d, before, after));
}

// An import's differences in the printer's entry: lines for the text, a list for --json.
void TellDifferences(CliRun& run, const std::string& name, const char* member,
                     const std::vector<SettingDifference>& differences, const char* before, const char* after,
                     const char* beforeKey, const char* afterKey) {
    for (const SettingDifference& d : differences) Tell(run, name, nullptr, 0, DifferenceLine(d, before, after));
    run.Doc.AddToPrinter(name, member, DifferencesArray(differences, beforeKey, afterKey));
}

// One printer made ready for the write: its session, its settings and the command for them.
struct Prepared {
    std::string Name;
    std::unique_ptr<PrinterSession> Session;
    PrinterSettings Before, Wanted;
    SettingsCommand Command{};
    bool FileWrong = false;  // the file's values with this printer's own make wrong settings
};

// Opens, checks and reads one printer and puts the file over its settings. ExitDone with `ready`
// filled, or the exit code of why it cannot be written (one result line on standard output).
int Prepare(CliRun& run, const Setup& setup, const std::string& name, const SettingsFile& file, const std::string& source,
            Prepared& ready) {
    if (!Supported(setup, name)) return Tell(run, name, "not-installed", ExitPrinterFailure, NotSupported(name));
    ready.Name = name;
    ready.Session = std::make_unique<PrinterSession>(name);
    if (const std::optional<std::string> refusal = RefusalOf(*ready.Session, PrinterUse::ReadAndUpdate)) {
        return Tell(run, name, "refused", ExitPrinterFailure, name + ": " + *refusal);
    }
    if (!ready.Session->ReadSettings(ready.Before)) {
        return Tell(run, name, "read-failed", ExitPrinterFailure,
                    name + ": " + ProgramText(IDS_SETTINGS_READ_FAILED));
    }
    ready.Wanted = ready.Before;
    ApplySettingsFile(file, ready.Wanted);
    const std::vector<FileProblem> problems = CheckAppliedSettings(file, ready.Wanted);
    if (!problems.empty()) {
        Tell(run, name, "invalid-file", ExitInvalidFile,
             name +
                 ": 設定ファイルの値とプリンタの値を合わせた設定が正しくないため、"
                 "どのプリンタにも書き込みません。");
        for (const FileProblem& p : problems)
            Tell(run, name, nullptr, 0, Indented(DescribeFileProblem(p, source)));
        ready.FileWrong = true;
        return ExitInvalidFile;
    }
    // A value of the printer's own that the command cannot carry stops this printer only.
    if (const std::optional<std::string> failure = Encode(ready.Wanted, ready.Command)) {
        return Tell(run, name, "value-does-not-fit", ExitInvalidFile, name + ": " + *failure);
    }
    return ExitDone;
}

// Writes one prepared printer, reads it back and compares; one result line on standard output.
int WriteTo(CliRun& run, const Prepared& ready, bool dryRun) {
    const std::string& name = ready.Name;
    const std::vector<SettingDifference> changes = CompareSettings(ready.Before, ready.Wanted);
    if (dryRun) {
        Tell(run, name, "dry-run", ExitDone,
             name + ": 書き込むと " + std::to_string(changes.size()) +
                 " 項目が変わります (--dry-run: 書き込みません)。");
        TellDifferences(run, name, "changes", changes, "プリンタ", "ファイル", "printer", "file");
        return ExitDone;
    }
    run.Doc.AddToPrinter(name, "changes", DifferencesArray(changes, "printer", "file"));
    if (ready.Session->Write(ready.Command) != 0) {
        return Tell(run, name, "write-failed", ExitPrinterFailure, name + ": " + ProgramText(IDS_WRITE_FAILED));
    }
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
// whole import before anything is written. A printer refused by its state is left out; the
// others go on.
int WriteToAll(CliRun& run, const Setup& setup, const std::vector<std::string>& printers, const SettingsFile& file,
               const std::string& source, bool dryRun) {
    Json& result = run.Doc.Result();
    result.Set("source", ProgramString(source));
    result.Set("dryRun", dryRun);
    int worst = ExitDone;
    bool fileWrong = false;
    std::vector<Prepared> ready;
    for (const std::string& name : printers) {
        Tell(run, name, nullptr, 0, "");  // the entries in the order the printers were named
        Prepared one;
        const int result = Prepare(run, setup, name, file, source, one);
        worst = std::max(worst, result);
        fileWrong = fileWrong || one.FileWrong;
        if (result == ExitDone) ready.push_back(std::move(one));
    }
    if (fileWrong) {
        for (const Prepared& one : ready) Tell(run, one.Name, "not-written", ExitInvalidFile, "");
        return worst;
    }
    for (const Prepared& one : ready) worst = std::max(worst, WriteTo(run, one, dryRun));
    return worst;
}

// The state text of a printer as the panel shows it, or the failure that kept it from being read.
std::string StateText(const PrinterSession& session) {
    std::string state;
    if (!session.IsOpen()) {
        state = ProgramText(IDS_OPEN_FAILED);
    } else if (const std::optional<PrinterStateDecision> decision = session.JudgeState(&state)) {
        state = StatusText(decision->TextId);
    }
    return state;
}

// One printer's line of list and report, and its entry for --json.
Json PrinterLine(CliRun& run, const std::string& name, const PrinterSession& session) {
    const std::string port = session.PortText();
    const std::string state = StateText(session);
    run.Out.Line(name + "\t" + port + "\t" + state);
    Json entry = Json::Object();
    entry.Set("name", ProgramString(name));
    entry.Set("port", ProgramString(port));
    entry.Set("state", ProgramString(state));
    return entry;
}

std::string SettingLine(const SettingKey& key, const PrinterSettings& settings) {
    return key.Label + " (" + key.Key + "): " + DescribeSettingValue(key, GetSettingValue(key, settings));
}

int List(CliRun& run, const Setup& setup) {
    Json printers = Json::Array();
    for (const std::string& name : setup.Printers) printers.Push(PrinterLine(run, name, PrinterSession(name)));
    run.Doc.Result().Set("printers", std::move(printers));
    return ExitDone;
}

// Every supported printer with its port, state and settings, for an inventory. A printer whose
// settings cannot be read is reported with the reason, and the exit code says that one could not.
int Report(CliRun& run, const Setup& setup) {
    int worst = ExitDone;
    Json printers = Json::Array();
    for (const std::string& name : setup.Printers) {
        const PrinterSession session(name);
        Json entry = PrinterLine(run, name, session);
        std::optional<std::string> unreadable = RefusalOf(session, PrinterUse::Read);
        PrinterSettings settings;
        if (!unreadable && !session.ReadSettings(settings))
            unreadable = ProgramText(IDS_SETTINGS_READ_FAILED);
        if (unreadable) {
            run.Out.Line(Indented("設定を読めません: " + *unreadable));
            entry.Set("settings", nullptr);
            entry.Set("error", ProgramString(*unreadable));
            worst = ExitPrinterFailure;
        } else {
            for (const SettingKey& key : SettingKeys()) run.Out.Line(Indented(SettingLine(key, settings)));
            entry.Set("settings", SettingsObject(settings));
        }
        printers.Push(std::move(entry));
    }
    Json& result = run.Doc.Result();
    result.Set("model", ProgramString(setup.Model));
    result.Set("printers", std::move(printers));
    return worst;
}

int Show(CliRun& run, const Setup& setup, const std::string& name) {
    const std::optional<PrinterSettings> settings = ReadPrinter(run, setup, name);
    if (!settings) return ExitPrinterFailure;
    Json list = Json::Array();
    for (const SettingKey& key : SettingKeys()) {
        run.Out.Line(SettingLine(key, *settings));
        const int32_t value = GetSettingValue(key, *settings);
        Json item = Json::Object();
        item.Set("key", key.Key);
        item.Set("label", ProgramString(key.Label));
        item.Set("value", value);
        item.Set("text", ProgramString(DescribeSettingValue(key, value)));
        list.Push(std::move(item));
    }
    Json& result = run.Doc.Result();
    result.Set("printer", ProgramString(name));
    result.Set("model", ProgramString(setup.Model));
    result.Set("settings", std::move(list));
    return ExitDone;
}

// The settings file, to FILE or to standard output; with --json the document carries the
// settings (and FILE is written as well when it is given).
int Export(CliRun& run, const Setup& setup, const std::string& name, const std::string& path) {
    const std::optional<PrinterSettings> settings = ReadPrinter(run, setup, name);
    if (!settings) return ExitPrinterFailure;
    const std::string text = ToFileText(WriteSettingsFile(*settings, setup.Model, name));
    if (path.empty()) {
        if (!run.Out.TextKeptOff()) run.Out.FileText(text);
    } else {
        uint32_t error = 0;
        if (!WriteFileSafely(path, text, &error)) {
            return Fail(run, "ファイル「" + path + "」に書き込めません。" + SystemErrorText(error));
        }
        run.Out.Line(name + ": 設定を「" + path + "」に書き出しました。");
    }
    Json& result = run.Doc.Result();
    result.Set("format", std::stoi(SettingsFileFormatVersion));
    result.Set("model", ProgramString(setup.Model));
    result.Set("printer", ProgramString(name));
    if (!path.empty()) result.Set("file", ProgramString(path));
    result.Set("settings", SettingsObject(*settings));
    return ExitDone;
}

int Diff(CliRun& run, const Setup& setup, const std::string& name, const SettingsFile& file, const std::string& path) {
    const std::optional<PrinterSettings> before = ReadPrinter(run, setup, name);
    if (!before) return ExitPrinterFailure;
    PrinterSettings after = *before;
    ApplySettingsFile(file, after);
    const std::vector<FileProblem> problems = CheckAppliedSettings(file, after);
    for (const FileProblem& p : problems) run.Out.Error(DescribeFileProblem(p, path));
    if (!problems.empty()) return ExitInvalidFile;
    const std::vector<SettingDifference> differences = CompareSettings(*before, after);
    if (differences.empty()) {
        run.Out.Line(name + ": 違いはありません。");
    } else {
        run.Out.Line(name + ": import で " + std::to_string(differences.size()) + " 項目が変わります。");
    }
    PrintDifferences(run, differences, "プリンタ", "ファイル");
    Json& result = run.Doc.Result();
    result.Set("printer", ProgramString(name));
    result.Set("file", ProgramString(path));
    result.Set("differences", DifferencesArray(differences, "printer", "file"));
    return ExitDone;
}

int Dispatch(CliRun& run, const CliArguments& a) {
    Setup setup;
    setup.Model = ProgramText(IDS_MODEL_NAME);
    // The file is checked before anything else, so that a wrong file costs no password.
    std::optional<SettingsFile> file;
    if (a.Command == CliCommand::Diff || a.Command == CliCommand::Import) {
        file = LoadFile(run, a.File, setup.Model);
        if (!file) return ExitInvalidFile;
    }
    if (!PassGate(run, a)) return ExitPrinterFailure;
    std::string problem;
    std::optional<std::vector<std::string>> printers = SupportedPrinters(&problem);
    if (!printers) return Fail(run, problem);
    setup.Printers = std::move(*printers);

    switch (a.Command) {
        case CliCommand::List:
        case CliCommand::Report:
            if (setup.Printers.empty()) return Fail(run, setup.Model + " のプリンタがありません。");
            return a.Command == CliCommand::List ? List(run, setup) : Report(run, setup);
        case CliCommand::Show:
            return Show(run, setup, a.Printers[0]);
        case CliCommand::Export:
            return Export(run, setup, a.Printers[0], a.File);
        case CliCommand::Diff:
            return Diff(run, setup, a.Printers[0], *file, a.File);
        case CliCommand::Import:
            return WriteToAll(run, setup, a.Printers, *file, a.File, a.DryRun);
        case CliCommand::Copy: {
            const std::optional<PrinterSettings> from = ReadPrinter(run, setup, a.From);
            if (!from) return ExitPrinterFailure;
            const SettingsFile settings = SettingsOf(*from);
            const std::vector<FileProblem> problems = CheckSettings(settings);
            for (const FileProblem& p : problems) run.Out.Error(DescribeFileProblem(p, a.From));
            if (!problems.empty()) return ExitInvalidFile;
            return WriteToAll(run, setup, a.Printers, settings, a.From, a.DryRun);
        }
        case CliCommand::Help:
            break;
    }
    PrintUsage(run.Out);
    return ExitDone;
}

}  // namespace

void PrintUsage(Console& out) {
    for (const char* line : Usage) out.Line(line);
}

int RunCommand(CliRun& run, const CliArguments& a) {
    if (a.Json) run.Out.KeepTextOffStandardOutput();
    return Dispatch(run, a);
}
