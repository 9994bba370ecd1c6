// CliRules.h - the decisions of rpsettings that need no window system: what the command line
// asks for, what a printer's judged state allows the tool to do, and the exit codes.
#ifndef RP_CLI_CLIRULES_H
#define RP_CLI_CLIRULES_H

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "link/StateRules.h"

// Exit codes; with several printers the highest one of them.
enum ExitCode : int {
    ExitDone = 0,
    ExitPrinterFailure = 1,  // a printer, the link or the password refused
    ExitBadUsage = 2,
    ExitInvalidFile = 3,
    ExitReadBackDiffers = 4,
};

enum class CliCommand { Help, List, Show, Export, Diff, Import, Copy, Report, History, Undo };

struct CliArguments {
    CliCommand Command = CliCommand::Help;
    std::vector<std::string> Printers;  // show, export, diff, history: one; import, undo: one or more; copy: TO...
    std::string From;                   // copy
    std::string File;                   // export (may be empty: standard output), diff, import
    bool DryRun = false;
    bool Json = false;  // one JSON document on standard output instead of text
    std::string HistoryRoot;  // --history DIR (import, copy, undo, history): where history is kept and
                              // read; empty: the user's folder
    bool NoHistory = false;   // --no-history (import, copy, undo): no history file is kept
    std::string At;           // --at TIME (undo): the history file of that time instead of the newest
    std::optional<std::string> Password;
};

struct CliParse {
    bool Ok = false;
    CliArguments Arguments;
    std::string Problem;  // in the program's text, one line
};

// The arguments after the program name. Options may stand anywhere: --password X (or
// --password=X), --dry-run (import, copy, undo), --history DIR, --no-history, --at TIME, --json,
// --help.
// A refused command line has Arguments.Json set when --json was among its arguments.
CliParse ParseCliArguments(const std::vector<std::string>& arguments);

// The command's name on the command line.
const char* CommandName(CliCommand command);

// What the tool is about to do with a printer.
enum class PrinterUse { Read, ReadAndUpdate };

// The status text id that refuses this use of a printer in the judged state (the text the panel
// shows for it, kPrintSwitchText included), or nothing when the use is allowed. A busy printer
// is turned away like the panel turns away its read and update commands.
std::optional<uint32_t> RefusalFor(const PrinterStateDecision& decision, PrinterUse use);

#endif
