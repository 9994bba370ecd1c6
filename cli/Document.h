// Document.h - what rpsettings says with --json: one document that a command fills as it goes
// and that is written to standard output, as UTF-8, when the command ends. A command that stops
// before it has a result gives the "error" document instead, with the messages it wrote to
// standard error.
#ifndef RP_CLI_DOCUMENT_H
#define RP_CLI_DOCUMENT_H

#include <string>
#include <vector>

#include "cli/CliRules.h"
#include "cli/Json.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsFile.h"

// The program's text (CP932) as a JSON string.
Json ProgramString(const std::string& programText);

// The command's result; from the first call on, the command has a result and no "error" document
// is written for it.
Json& CommandResult();

// One printer of an import or a copy: what became of it ("written", "dry-run", "refused", ...),
// its exit code and each line that was said about it (written to standard output as well, a
// failure's line to standard error with --json; an empty line is not). Entries keep the order of
// the first call; a result of nullptr adds a line only.
void TellAboutPrinter(const std::string& name, const char* result, int exitCode, const std::string& line);
// More about one printer's entry (the settings it changes, the ones read back differently).
void AddToPrinter(const std::string& name, const char* member, Json value);

// A printer's settings: every key of the settings file with its value in the printer's units.
Json SettingsObject(const PrinterSettings& settings);
// Settings that differ, each with its key, label and its two values under the names given.
Json DifferencesArray(const std::vector<SettingDifference>& differences, const char* before,
                      const char* after);

// The result (with "command" and "exitCode") or the error document, on standard output.
void PrintCommandDocument(const char* command, int exitCode);

#endif
