// Document.h - what rpsettings says with --json: one document that a command fills as it goes
// and that is written to standard output, as UTF-8, when the command ends; and the run that
// holds it with its console. A command that stops
// before it has a result gives the "error" document instead, with the messages it wrote to
// standard error.
#ifndef RP_CLI_DOCUMENT_H
#define RP_CLI_DOCUMENT_H

#include <string>
#include <vector>

#include "cli/CliRules.h"
#include "cli/Console.h"
#include "cli/Json.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsFile.h"

// The program's text (CP932) as a JSON string.
Json ProgramString(const std::string& programText);

// The --json document of one run, filled by its command as it goes.
class Document {
public:
    explicit Document(Console& out) : out_(out) {}

    // The command's result; from the first call on, the command has a result and no "error"
    // document is written for it.
    Json& Result() {
        hasResult_ = true;
        return result_;
    }

    // One printer of an import or a copy: what became of it ("written", "dry-run", "refused",
    // ...), its exit code and each line that was said about it (written to standard output as
    // well, a failure's line to standard error with --json; an empty line is not). Entries keep
    // the order of the first call; a result of nullptr adds a line only.
    void TellAboutPrinter(const std::string& name, const char* result, int exitCode, const std::string& line);
    // More about one printer's entry (the settings it changes, the ones read back differently).
    void AddToPrinter(const std::string& name, const char* member, Json value);

    // The result (with "command" and "exitCode") or the error document, on standard output.
    void Print(const char* command, int exitCode);

private:
    // What became of one printer of an import or a copy.
    struct PrinterOutcome {
        std::string Name;
        std::string Result;
        int ExitCode = ExitDone;
        std::vector<std::string> Lines;
        Json More = Json::Object();
    };
    PrinterOutcome& OutcomeOf(const std::string& name);

    Console& out_;
    Json result_;
    bool hasResult_ = false;
    std::vector<PrinterOutcome> outcomes_;
};

// One run of rpsettings: what it says on its console and, with --json, its document.
struct CliRun {
    Console Out;
    Document Doc{Out};

    // The run's exit code once its command returned `exitCode`: with --json the document is
    // written first. Output that did not arrive whole (now or while the command ran) makes it
    // a failure, said on standard error; a printer written is not undone for it.
    int Finish(bool json, const char* command, int exitCode);
};

// A printer's settings: every key of the settings file with its value in the printer's units.
Json SettingsObject(const PrinterSettings& settings);
// Settings that differ, each with its key, label and its two values under the names given.
Json DifferencesArray(const std::vector<SettingDifference>& differences, const char* before,
                      const char* after);

#endif
