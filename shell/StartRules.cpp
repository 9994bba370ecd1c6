#include "shell/StartRules.h"

#include <cstring>

CommandLineReading ReadCommandLine(const char* commandLine, const char* storedPassword) {
    CommandLineReading reading;
    const char* line = commandLine ? commandLine : "";
    const char* password = storedPassword ? storedPassword : "";
    const size_t passwordLength = std::strlen(password);

    // Neither "/" nor a space can be the second byte of a CP932 character, so a byte search
    // finds only whole characters here.
    const char* option = std::strstr(line, "/p:");
    if (!option) option = std::strstr(line, "/P:");

    const char* name = nullptr;
    if (option) {
        const char* value = option + 3;
        reading.PasswordGiven = passwordLength > 0 && std::strncmp(value, password, passwordLength) == 0 &&
                                (value[passwordLength] == '\0' || value[passwordLength] == ' ');
        // The name follows the first space from the password's last character on (or from the
        // start of the option's value when the password was not given), and the spaces after it.
        const char* from = reading.PasswordGiven ? value + passwordLength - 1 : value;
        const char* space = std::strchr(from, ' ');
        if (space) {
            name = space;
            while (*name == ' ') ++name;
        }
    } else {
        name = line;
    }
    reading.PrinterName = (name && *name) ? name : nullptr;
    return reading;
}

bool OperatingSystemSupported(unsigned long platformId, unsigned long majorVersion) {
    constexpr unsigned long kWindows9x = 1;
    constexpr unsigned long kWindowsNt = 2;
    return platformId == kWindows9x || (platformId == kWindowsNt && majorVersion >= 4);
}
