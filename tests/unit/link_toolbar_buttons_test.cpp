// The three toolbar rules: read (282), initial values (280), change printer (283).
#include <gtest/gtest.h>

#include "panel/ToolbarButtons.h"

namespace {

struct ToolbarCase {
    const char* what;
    ToolbarInputs in;  // CanRead, CanUpdate, Busy, ReadPending, WritePending, Several, record, pages, loaded
    bool read, initial, change;
};

const ToolbarCase kCases[] = {
    {"idle, loaded, several", {1, 1, 0, 0, 0, 1, true, true, true}, true, true, true},
    {"idle, loaded, one printer", {1, 1, 0, 0, 0, 0, true, true, true}, true, true, false},
    {"pages not showing settings", {1, 1, 0, 0, 0, 1, true, false, true}, true, false, true},
    {"first initialisation: no record yet", {1, 1, 0, 0, 0, 1, false, false, true}, true, true, true},
    {"busy", {1, 1, 1, 0, 0, 1, true, true, true}, false, true, true},
    {"reading", {1, 1, 0, 1, 0, 1, true, true, true}, false, false, false},
    {"reading, no record", {1, 1, 0, 1, 0, 1, false, false, true}, false, false, false},
    {"writing", {1, 1, 0, 0, 1, 1, true, true, true}, false, true, false},
    {"read only", {1, 0, 0, 0, 0, 1, true, true, true}, true, true, true},
    {"update only", {0, 1, 0, 0, 0, 1, true, true, true}, false, true, true},
    {"neither", {0, 0, 0, 0, 0, 1, true, true, true}, false, false, true},
    {"neither, no record", {0, 0, 0, 0, 0, 1, false, false, true}, false, false, true},
    {"flags other than 1 do not count as set", {2, 1, 0, 0, 0, 2, true, true, true}, false, true, false},
};

TEST(ToolbarButtons, EveryRuleOverTheFlagCombinations) {
    for (const ToolbarCase& c : kCases) {
        ToolbarButtonStates s = ChooseToolbarButtons(c.in);
        EXPECT_EQ(s.Read, c.read) << c.what;
        EXPECT_EQ(s.InitialValues, c.initial) << c.what;
        EXPECT_EQ(s.ChangePrinter, c.change) << c.what;
    }
}

}  // namespace
