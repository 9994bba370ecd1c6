// rpsettings: a printer's panel settings to and from a text file, for one printer or many.
// Exit codes: 0 done, 1 printer or link failure, 2 bad usage, 3 invalid file, 4 read-back differs.
#include <windows.h>

#include <string>
#include <vector>

#include "base/SystemLibraries.h"
#include "cli/CliRules.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/Document.h"

int main(int argc, char** argv) {
    // Before anything loads a library: none comes from the current folder.
    KeepCurrentFolderOutOfLibrarySearch(GetModuleHandleA("KOVQMX.DLL"));
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CliParse parse = ParseCliArguments(arguments);
    if (!parse.Ok) {
        PrintError("rpsettings: " + parse.Problem + " (rpsettings --help で使い方を表示します)");
        if (parse.Arguments.Json) PrintCommandDocument(nullptr, ExitBadUsage);
        return ExitBadUsage;
    }
    if (parse.Arguments.Command == CliCommand::Help) {
        PrintUsage();
        return ExitDone;
    }
    try {
        return RunCommand(parse.Arguments);
    } catch (...) {
        PrintError("rpsettings: メモリが足りません。");
        if (parse.Arguments.Json) PrintCommandDocument(nullptr, ExitPrinterFailure);
        return ExitPrinterFailure;
    }
}
