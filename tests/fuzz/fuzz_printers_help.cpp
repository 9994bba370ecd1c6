// Feeds the printer and help rules that read text or bytes they do not control: the "Port" item
// as the library hands it over (any bytes, any length) and the help file name from the registry
// (any CP932 or broken text). Every result must stay inside its buffer and be terminated.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "help/HelpRules.h"
#include "printers/PrinterRules.h"

#define FUZZ_CHECK(condition)               \
    do {                                    \
        if (!(condition)) __builtin_trap(); \
    } while (0)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The port item: the input as the item's bytes.
    PortNames names;
    ReadPortNames(data, size, &names);
    FUZZ_CHECK(std::strlen(names.Name) <= kPortFieldSize);
    FUZZ_CHECK(std::strlen(names.SecondName) <= kPortFieldSize);
    char portText[kPortTextSize];
    FormatPortText(names, portText, sizeof portText);
    FUZZ_CHECK(std::strlen(portText) < sizeof portText);
    if (names.SecondName[0] == '\0') FUZZ_CHECK(std::strcmp(portText, names.Name) == 0);
    DecideProbeState(size > 3 ? data[3] * 0x10101u : 0, size > 7 ? data[7] * 0x10101u : 0, names.Name,
                     names.SecondName);

    // The help file name: the input as a NUL-terminated text of at most 255 bytes.
    const std::string name(reinterpret_cast<const char*>(data), size < 255 ? size : 255);
    const char* text = name.c_str();
    for (unsigned command : {kHelpContextPopup, kHelpContextMenu, kHelpFinder, kHelpWmHelp}) {
        const HelpRoute route = ChooseHelpRoute(text, command);
        char popup[256];
        const bool made = MakePopupFileName(text, popup, sizeof popup);
        if (route == HelpRoute::WinHelpPopup) FUZZ_CHECK(made);
        if (made) {
            const size_t length = std::strlen(popup);
            FUZZ_CHECK(length >= 4 && std::strcmp(popup + length - 4, ".POP") == 0);
            FUZZ_CHECK(length <= std::strlen(text));
        }
    }
    return 0;
}
