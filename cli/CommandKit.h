// CommandKit.h - what the commands of rpsettings share: the printers they may use, the settings
// file read and checked, a printer read, and the lines said about a printer.
#ifndef RP_CLI_COMMANDKIT_H
#define RP_CLI_COMMANDKIT_H

#include <optional>
#include <string>
#include <vector>

#include "cli/Document.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsFile.h"

// What every command needs: the supported printers and the model.
struct Setup {
    std::vector<std::string> Printers;
    std::string Model;
};

// Says `text` on standard error; the exit code of a printer's failure.
int Fail(CliRun& run, const std::string& text);

std::string Indented(const std::string& text);
// A setting as the lines name it: "Key（label）".
std::string NameOf(const SettingKey& key);

// The settings file, read and checked; every problem is reported.
std::optional<SettingsFile> LoadFile(CliRun& run, const std::string& path, const std::string& model);

bool Supported(const Setup& setup, const std::string& name);
std::string NotSupported(const std::string& name);

// Opens a printer for reading and reads its settings; the failure is reported on standard error.
std::optional<PrinterSettings> ReadPrinter(CliRun& run, const Setup& setup, const std::string& name);

// A printer's result line of an import, a copy or an undo, with what became of it for --json.
int Tell(CliRun& run, const std::string& name, const char* result, int exitCode, const std::string& line);

// One setting's two values, for a line of its own.
std::string DifferenceLine(const SettingDifference& d, const char* before, const char* after);

#endif
