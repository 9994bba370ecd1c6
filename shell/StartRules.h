// Start-up rules that need no window system: reading the command line against the stored
// password, and the name of the single-instance mapping of a printer.
#ifndef RP_SHELL_STARTRULES_H
#define RP_SHELL_STARTRULES_H

#include <string>

// What the command line says, given the stored password ("" when none is required).
struct CommandLineReading {
    // The command line carries the stored password: "/p:" (or, only when there is no "/p:",
    // "/P:") directly followed by the password and then the end of the text or a space.
    bool PasswordGiven = false;
    // The printer name: a pointer into the command line, running to its end; nullptr when the
    // command line names no printer (an empty name counts as none).
    const char* PrinterName = nullptr;
};

CommandLineReading ReadCommandLine(const char* commandLine, const char* storedPassword);

// "KOVRP_" followed by the printer name with every "\" replaced by ",". The name is read as
// CP932 characters, so the second byte of a double-byte character (which may be 0x5C) is kept.
std::string InstanceMappingName(const char* printerName);

// The operating systems the program runs on: the Windows 9x family (platform 1) and Windows NT
// (platform 2) from version 4 on.
bool OperatingSystemSupported(unsigned long platformId, unsigned long majorVersion);

#endif
