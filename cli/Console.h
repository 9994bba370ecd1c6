// Console.h - what rpsettings writes and reads on its console: messages in the program's text
// (CP932), settings files as UTF-8, and the password typed without echo.
#ifndef RP_CLI_CONSOLE_H
#define RP_CLI_CONSOLE_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One line (CP932) to standard output or standard error. A console shows it in its own code page;
// redirected output receives the CP932 bytes. Line breaks inside the text become spaces, so that
// every message stays one line.
void PrintLine(std::string_view text);
void PrintError(std::string_view text);

// A settings file's text (UTF-8) to standard output, as it would be written to a file.
void PrintFileText(std::string_view utf8);

// With --json, standard output carries one JSON document only: PrintLine writes nothing, and what
// PrintError writes to standard error is kept for the document of a failure.
void KeepTextOffStandardOutput();
bool TextKeptOff();
const std::vector<std::string>& ErrorsPrinted();

// Asks for the password on the console without echo (from a redirected input: its first line).
// Nothing when no line could be read.
std::optional<std::string> AskPassword();

#endif
