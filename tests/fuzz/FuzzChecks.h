// FuzzChecks.h - what every encoding must satisfy, shared by the settings fuzzers. A violated
// check aborts, which libFuzzer reports as a crash with the input that caused it.
#ifndef RP_TESTS_FUZZ_FUZZCHECKS_H
#define RP_TESTS_FUZZ_FUZZCHECKS_H

#include "settings/SettingsCommand.h"

#define FUZZ_CHECK(condition)               \
    do {                                    \
        if (!(condition)) __builtin_trap(); \
    } while (0)

// Encodes `block` and checks the result: either a 195-byte command of the fixed shape, or a
// refusal that names the first two-digit field holding 100 or more, with nothing produced.
void EncodeAndCheck(const SettingsBlock& block);

#endif
