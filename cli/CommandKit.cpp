// CommandKit.cpp - what the commands of rpsettings share.
#include "cli/CommandKit.h"

#include <algorithm>

#include "base/FileText.h"
#include "base/Ui.h"
#include "cli/PrinterLink.h"
#include "res/resource.h"

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

int Tell(CliRun& run, const std::string& name, const char* result, int exitCode, const std::string& line) {
    run.Doc.TellAboutPrinter(name, result, exitCode, line);
    return exitCode;
}

std::string DifferenceLine(const SettingDifference& d, const char* before, const char* after) {
    return Indented(NameOf(*d.Key) + ": " + before + " " + DescribeSettingValue(*d.Key, d.Before) + ", " +
                    after + " " + DescribeSettingValue(*d.Key, d.After));
}

