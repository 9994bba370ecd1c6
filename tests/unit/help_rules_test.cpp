#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "help/HelpIds.h"
#include "help/HelpRules.h"

namespace {

// ---- Choice of the help engine --------------------------------------------------------------

struct RouteCase {
    const char* name;
    unsigned command;
    HelpRoute route;
};

class HelpRouteTest : public ::testing::TestWithParam<RouteCase> {};

TEST_P(HelpRouteTest, ExtensionAndCommandChooseTheEngine) {
    const RouteCase& c = GetParam();
    EXPECT_EQ(ChooseHelpRoute(c.name, c.command), c.route) << '"' << c.name << "\" " << c.command;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpRouteTest,
    ::testing::Values(
        // A WinHelp file takes every command, whatever the letter case of its extension.
        RouteCase{"RPANEL.HLP", kHelpWmHelp, HelpRoute::WinHelp},
        RouteCase{"rpanel.hlp", kHelpFinder, HelpRoute::WinHelp},
        RouteCase{"C:\\Help\\RPanel.Hlp", kHelpContextMenu, HelpRoute::WinHelp},
        RouteCase{"rpanel.hLp", kHelpContextPopup, HelpRoute::WinHelp},
        // Only the last three characters count: no dot is needed, and three letters are enough.
        RouteCase{"HLP", kHelpWmHelp, HelpRoute::WinHelp},
        // Compiled HTML help: the contents in HTML Help, everything else from the .POP file.
        RouteCase{"rpanel.chm", kHelpFinder, HelpRoute::HtmlHelp},
        RouteCase{"RPANEL.CHM", kHelpWmHelp, HelpRoute::WinHelpPopup},
        RouteCase{"rpanel.Chm", kHelpContextMenu, HelpRoute::WinHelpPopup},
        RouteCase{"rpanel.chm", kHelpContextPopup, HelpRoute::WinHelpPopup},
        // A .chm name too short to lose four characters has no .POP companion.
        RouteCase{"CHM", kHelpWmHelp, HelpRoute::None}, RouteCase{"CHM", kHelpFinder, HelpRoute::HtmlHelp},
        // Anything else does nothing.
        RouteCase{"rpanel.txt", kHelpWmHelp, HelpRoute::None},
        RouteCase{"rpanel.htm", kHelpFinder, HelpRoute::None},
        RouteCase{"rpanel.hlp ", kHelpWmHelp, HelpRoute::None},
        RouteCase{"rpanel.hl", kHelpWmHelp, HelpRoute::None}, RouteCase{"LP", kHelpWmHelp, HelpRoute::None},
        RouteCase{"", kHelpFinder, HelpRoute::None}, RouteCase{nullptr, kHelpFinder, HelpRoute::None},
        // The trail byte of a double-byte character is not a letter: 83 48 is one katakana
        // character whose second byte is 'H', so this name ends in "ハLP", not in "HLP".
        RouteCase{"\x83\x48LP", kHelpWmHelp, HelpRoute::None},
        RouteCase{"x\x83\x48LP", kHelpWmHelp, HelpRoute::None},
        // A double-byte character before a real extension does not disturb it.
        RouteCase{"\x83\x48.hlp", kHelpWmHelp, HelpRoute::WinHelp},
        RouteCase{"\x83\x43HM", kHelpFinder, HelpRoute::None}));

struct PopupCase {
    const char* name;
    size_t size;
    bool ok;
    std::string expected;
};

TEST(HelpPopupName, ReplacesTheLastFourCharactersWithPop) {
    const PopupCase cases[] = {
        {"rpanel.chm", 256, true, "rpanel.POP"},
        {"C:\\Help\\RPanel.CHM", 256, true, "C:\\Help\\RPanel.POP"},
        {".chm", 256, true, ".POP"},
        {"xchm", 256, true, ".POP"},
        // A double-byte character is one character: it goes whole, never half.
        {"\x83\x41"
         "CHM",
         256, true, ".POP"},
        {"a\x83\x41"
         "CHM",
         256, true, "a.POP"},
        {"chm", 256, false, ""},
        {"", 256, false, ""},
        // The result must fit the buffer: "ab.POP" needs 7 bytes.
        {"ab.chm", 7, true, "ab.POP"},
        {"ab.chm", 6, false, ""},
    };
    for (const PopupCase& c : cases) {
        char out[300];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(MakePopupFileName(c.name, out, c.size), c.ok) << c.name;
        EXPECT_EQ(std::string(out), c.expected) << c.name;
        EXPECT_EQ(out[c.size], '#') << c.name;  // nothing written past the buffer
    }
}

// ---- The help-id table ----------------------------------------------------------------------

std::vector<std::pair<uint32_t, uint32_t>> Pairs() {
    std::vector<std::pair<uint32_t, uint32_t>> pairs;
    for (const HelpIdWord* p = HelpIdTable; p[0] != 0; p += 2) {
        pairs.emplace_back(static_cast<uint32_t>(p[0]), static_cast<uint32_t>(p[1]));
    }
    return pairs;
}

TEST(HelpIdTable, HasAllPairsThenTheEndingPair) {
    const auto pairs = Pairs();
    EXPECT_EQ(pairs.size(), kHelpIdPairCount);
    EXPECT_EQ(HelpIdTable[2 * kHelpIdPairCount], 0u);
    EXPECT_EQ(HelpIdTable[2 * kHelpIdPairCount + 1], 0u);
    EXPECT_EQ(pairs.front(), std::make_pair(10000u, 0x80000000u));
    EXPECT_EQ(pairs.back(), std::make_pair(2u, 0x81000400u));
}

// The dialog a help id belongs to, from the id scheme: panel, selection dialog (with the shared
// OK/Cancel ids), or a page or detail dialog by its base.
uint32_t DialogOf(uint32_t helpId) {
    if ((helpId & 0xFF000000u) == 0x80000000u) return 117;
    if (helpId >= 0x81000300u) return 1;  // OK and Cancel of any dialog
    if ((helpId & 0xFF000000u) == 0x81000000u) return 122;
    static const struct {
        uint32_t base;
        uint32_t dialog;
    } bases[] = {{0x10000, 193}, {0x10500, 198}, {0x11000, 192}, {0x11500, 199},
                 {0x12000, 194}, {0x12500, 200}, {0x13000, 195}, {0x13300, 202},
                 {0x13600, 206}, {0x14000, 243}, {0x14500, 208}, {0x15000, 197}};
    uint32_t dialog = 0;
    for (const auto& b : bases) {
        if (helpId >= b.base) dialog = b.dialog;
    }
    return dialog;
}

TEST(HelpIdTable, DialogsComeInTableOrderEachInOneRun) {
    std::vector<uint32_t> runs;
    for (const auto& [control, helpId] : Pairs()) {
        const uint32_t dialog = DialogOf(helpId);
        if (runs.empty() || runs.back() != dialog) runs.push_back(dialog);
    }
    EXPECT_EQ(runs, (std::vector<uint32_t>{117, 193, 198, 192, 199, 194, 200, 195, 202, 206, 243, 208, 197,
                                           122, 1}));
}

TEST(HelpIdTable, EveryHelpIdFollowsTheScheme) {
    for (const auto& [control, helpId] : Pairs()) {
        if (helpId >= 0x80000000u) {
            EXPECT_EQ(helpId & 0xFFu, 0u) << control;  // 0x100 steps
            EXPECT_LE(helpId & 0x00FFFF00u, 0xC00u) << control;
        } else {
            EXPECT_EQ(helpId & 0xFu, 0u) << control;  // 0x10 steps
            EXPECT_LE(helpId, 0x15FFFu) << control;
            EXPECT_GE(helpId, 0x10000u) << control;
        }
    }
}

TEST(HelpIdTable, NoControlIdIsListedTwice) {
    std::vector<uint32_t> seen;
    for (const auto& [control, helpId] : Pairs()) {
        EXPECT_EQ(std::count(seen.begin(), seen.end(), control), 0) << control;
        seen.push_back(control);
    }
}

TEST(HelpIdTable, PanelDialogPairsInOrder) {
    const auto pairs = Pairs();
    const std::vector<std::pair<uint32_t, uint32_t>> panel = {
        {10000, 0x80000000}, {277, 0x80000600}, {281, 0x80000700}, {1046, 0x80000800}, {278, 0x80000900},
        {1047, 0x80000A00},  {279, 0x80000B00}, {284, 0x80000C00}, {1050, 0x80000100}, {8, 0x80000200},
        {12321, 0x80000300}, {9, 0x80000400},   {1061, 0x80000600}};
    ASSERT_GE(pairs.size(), panel.size());
    EXPECT_TRUE(std::equal(panel.begin(), panel.end(), pairs.begin()));
}

struct LookupCase {
    uint32_t control;
    bool found;
    uint32_t helpId;
};

TEST(HelpIdTable, LookupFindsTheControlsHelpId) {
    const LookupCase cases[] = {
        {277, true, 0x80000600},  // the printer picture and its frame share one topic
        {1061, true, 0x80000600},
        {10000, true, 0x80000000},  // the toolbar
        {285, true, 0x81000000},    // selection dialog: list, OK, Cancel
        {1052, true, 0x81000100},
        {1051, true, 0x81000200},
        {1, true, 0x81000300},  // OK and Cancel of any dialog
        {2, true, 0x81000400},
        {1326, true, 0x10060},  // label, edit, up-down and unit share one id
        {1176, true, 0x10060},
        {1231, true, 0x10500},  // detail dialog 198
        {1229, true, 0x15020},  // the last pair of the last page
        {1362, true, 0x14540},
        {4242, false, 0},  // a control in no pair
        {0, false, 0},     // 0 only ends the table
        {0xFFFF, false, 0},
    };
    for (const LookupCase& c : cases) {
        uint32_t helpId = 0xDEADu;
        EXPECT_EQ(LookupHelpId(c.control, &helpId), c.found) << c.control;
        EXPECT_EQ(helpId, c.found ? c.helpId : 0xDEADu) << c.control;
    }
}

TEST(HelpIdTable, FirstMatchingPairWins) {
    const HelpIdWord table[] = {5, 0x100, 7, 0x200, 5, 0x300, 0, 0, 9, 0x400};
    uint32_t helpId = 0;
    EXPECT_TRUE(FindHelpIdIn(table, 5, &helpId));
    EXPECT_EQ(helpId, 0x100u);
    EXPECT_TRUE(FindHelpIdIn(table, 7, &helpId));
    EXPECT_EQ(helpId, 0x200u);
    EXPECT_FALSE(FindHelpIdIn(table, 9, &helpId));  // past the ending pair
}

}  // namespace
