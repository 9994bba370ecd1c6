// Commands.h - the commands of rpsettings: list, show, export, diff, import, copy, report;
// with --json each answers with one JSON document.
#ifndef RP_CLI_COMMANDS_H
#define RP_CLI_COMMANDS_H

#include "cli/CliRules.h"

// Runs a parsed command line (not Help) and returns the exit code.
int RunCommand(const CliArguments& arguments);

// The usage text, one line per call of PrintLine.
void PrintUsage();

#endif
