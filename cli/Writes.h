// Writes.h - the commands of rpsettings that write printers, each keeping the printer's settings
// before the write in its history (unless --no-history), and the history listed.
#ifndef RP_CLI_WRITES_H
#define RP_CLI_WRITES_H

#include "cli/CliRules.h"
#include "cli/CommandKit.h"

// import: the file over every printer named.
int ImportFile(CliRun& run, const Setup& setup, const CliArguments& a, const SettingsFile& file);
// copy: the settings of a.From over every printer named.
int CopySettings(CliRun& run, const Setup& setup, const CliArguments& a);
// undo: each printer's newest history file (or the one of --at) written back.
int UndoWrites(CliRun& run, const Setup& setup, const CliArguments& a);
// history: one printer's history files, oldest first, with what their notes say.
int ListHistory(CliRun& run, const CliArguments& a);

#endif
