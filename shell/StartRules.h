// Start-up rules that need no window system: reading the command line against the stored
// password, and the systems the program runs on.
#ifndef RP_SHELL_STARTRULES_H
#define RP_SHELL_STARTRULES_H

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

// The operating systems the program runs on: the Windows 9x family (platform 1) and Windows NT
// (platform 2) from version 4 on.
bool OperatingSystemSupported(unsigned long platformId, unsigned long majorVersion);

#endif
