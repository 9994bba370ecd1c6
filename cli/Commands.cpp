// Commands.cpp - what each command of rpsettings does with the printers and the settings file.
#include "cli/Commands.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "base/FileText.h"
#include "base/SuiteRegistry.h"
#include "base/Ui.h"
#include "cli/CommandKit.h"
#include "cli/PrinterLink.h"
#include "cli/Writes.h"
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
    "  rpsettings history PRINTER                       書き込みの前に残した設定の履歴 (古い順)",
    "  rpsettings undo    PRINTER... [--at TIME]        最新の (または TIME の) 履歴の設定を書き戻す",
    "",
    "  --password X   パスワードが設定されているとき (指定しなければ入力を求めます)",
    "  --dry-run      確かめるだけで書き込まない",
    "  --history DIR  履歴のフォルダ (既定: %LOCALAPPDATA%\\Kestrovane RemotePanel\\history)。",
    "                 import, copy, undo は書き込む前のプリンタの設定をプリンタごとに残します (最新 20 個)",
    "  --no-history   履歴を残さない",
    "  --json         結果を JSON の文書 1 つとして標準出力へ (UTF-8。すべてのコマンド;",
    "                 失敗も {\"error\": ...} として。メッセージは標準エラー出力へ)",
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

void PrintDifferences(CliRun& run, const std::vector<SettingDifference>& differences, const char* before,
                      const char* after) {
    for (const SettingDifference& d : differences) run.Out.Line(DifferenceLine(d, before, after));
}

// An import's differences in the printer's entry: lines for the text, a list for --json.

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
    // A printer's history stays when the printer has gone.
    if (a.Command == CliCommand::History) return ListHistory(run, a);
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
            return ImportFile(run, setup, a, *file);
        case CliCommand::Copy:
            return CopySettings(run, setup, a);
        case CliCommand::Undo:
            return UndoWrites(run, setup, a);
        case CliCommand::History:
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
