// The settings command for the printer's initial values, in a 260-byte area as the program hands
// it over: the base of the tests, the fuzzer and the figures that send commands to the stand-in.
// Header-only and portable (the fuzzer builds natively).
#ifndef RP_TESTS_SUPPORT_INITIALCOMMAND_H
#define RP_TESTS_SUPPORT_INITIALCOMMAND_H

#include <cstdint>
#include <string>
#include <vector>

namespace qmxtest {

inline std::vector<uint8_t> InitialCommand() {
    std::vector<uint8_t> c = {0x1C, 0x6F, 0x30, 0x2C, 0x00, 0x00, 0x2C, 0x00,
                              0x00, 0x2C, 0x00, 0x00, 0x2C, 0x08, 0x00, 0x2C};
    const std::string rest = "0,0,0,0,0,1,40,36,096,66,120,120,046,054,00,0,0,00,00,00,0,";
    c.insert(c.end(), rest.begin(), rest.end());
    for (int form = 0; form < 4; ++form) {
        const std::string f = "66,000,136,120,120,046,054,00";
        c.insert(c.end(), f.begin(), f.end());
        c.push_back(form < 3 ? ',' : '.');
    }
    c.resize(260, 0);
    return c;
}

}  // namespace qmxtest

#endif
