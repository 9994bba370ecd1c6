// Prints the pairs of HelpIdTable, "control-id help-id" with the help id in hexadecimal, one pair a
// line: what the check of the compiled help file reads as the ids the program asks for.
#include <cstdio>

#include "help/HelpIds.h"

int main() {
    for (const HelpIdWord* pair = HelpIdTable; pair[0] != 0; pair += 2) {
        std::printf("%lu 0x%lX\n", static_cast<unsigned long>(pair[0]), static_cast<unsigned long>(pair[1]));
    }
    return 0;
}
