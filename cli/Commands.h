// Commands.h - the commands of rpsettings: list, show, export, diff, import, copy, report;
// with --json each answers with one JSON document.
#ifndef RP_CLI_COMMANDS_H
#define RP_CLI_COMMANDS_H

#include "cli/CliRules.h"
#include "cli/Document.h"

// Runs a parsed command line (not Help) in `run` and returns the command's exit code; the run's
// Finish gives the program's.
int RunCommand(CliRun& run, const CliArguments& arguments);

// The usage text, one line each.
void PrintUsage(Console& out);

#endif
