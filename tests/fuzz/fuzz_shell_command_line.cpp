// The command line against a stored password, and the single-instance mapping name, for any
// bytes: no crash or sanitizer report, the printer name lies inside the command line and is never
// empty, the mapping name keeps the name's length and has no backslash outside double-byte
// characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Text.h"
#include "printers/PrinterRules.h"
#include "shell/StartRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // First byte: where the stored password ends and the command line begins.
    if (size == 0) return 0;
    const size_t split = data[0] % size;
    std::string password(reinterpret_cast<const char*>(data + 1), split > 0 ? split - 1 : 0);
    std::string line(reinterpret_cast<const char*>(data + 1 + password.size()), size - 1 - password.size());
    password = password.c_str();  // texts end at their first NUL, as the system hands them over
    line = line.c_str();

    CommandLineReading reading = ReadCommandLine(line.c_str(), password.c_str());
    if (reading.PrinterName) {
        const char* begin = line.c_str();
        if (reading.PrinterName < begin || reading.PrinterName >= begin + line.size()) std::abort();
        if (*reading.PrinterName == '\0') std::abort();
        // After an option the name starts after the spaces that follow the option's value.
        const bool option = line.find("/p:") != std::string::npos || line.find("/P:") != std::string::npos;
        if (option && *reading.PrinterName == ' ') std::abort();
    }
    if (reading.PasswordGiven && password.empty()) std::abort();

    const std::string mapping = InstanceMappingName(line.c_str());
    if (mapping.size() != 6 + line.size()) std::abort();
    for (size_t i = 6; i < mapping.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(mapping[i])) && i + 1 < mapping.size()) {
            ++i;
        } else if (mapping[i] == '\\') {
            std::abort();
        }
    }
    return 0;
}
