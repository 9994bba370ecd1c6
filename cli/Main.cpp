// rpsettings: a printer's panel settings to and from a text file, for one printer or many.
// Exit codes: 0 done, 1 printer or link failure or output that did not arrive, 2 bad usage, 3 invalid
// file, 4 read-back differs.
#include <windows.h>

#include <string>
#include <vector>

#include "base/SystemLibraries.h"
#include "cli/CliRules.h"
#include "cli/Commands.h"

int main(int argc, char** argv) {
    // Before anything loads a library: none comes from the current folder.
    KeepCurrentFolderOutOfLibrarySearch(GetModuleHandleA("KOVQMX.DLL"));
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CliParse parse = ParseCliArguments(arguments);
    const bool json = parse.Arguments.Json;
    CliRun run;
    if (!parse.Ok) {
        run.Out.Error("rpsettings: " + parse.Problem + " (rpsettings --help で使い方を表示します)");
        return run.Finish(json, nullptr, ExitBadUsage);
    }
    if (parse.Arguments.Command == CliCommand::Help) {
        PrintUsage(run.Out);
        return run.Finish(false, nullptr, ExitDone);
    }
    try {
        const int code = RunCommand(run, parse.Arguments);
        return run.Finish(json, CommandName(parse.Arguments.Command), code);
    } catch (...) {
        run.Out.Error("rpsettings: メモリが足りません。");
        return run.Finish(json, nullptr, ExitPrinterFailure);
    }
}
