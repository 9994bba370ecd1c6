// The panel's window-free rules: page placement, the collect loop over the tab slots, entered
// numbers and the feed combos' entries (the bindings' rules per setting are the table's test).
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "panel/SettingBindings.h"
#include "panel/TabRules.h"

namespace {

TEST(PagePlacement, PageAreaIsTabRectangleInPanelCoordinatesMovedLeftAndUp) {
    // Panel at (100, 200) on the screen, tab control at (106, 290)-(448, 523).
    const PixelRect area = PageAreaFrom({106, 290, 448, 523}, {100, 200, 454, 564});
    EXPECT_EQ(area.Left, 4);
    EXPECT_EQ(area.Top, 84);
    EXPECT_EQ(area.Right, 346);
    EXPECT_EQ(area.Bottom, 317);
    const PixelPoint origin = PageOrigin(area);
    EXPECT_EQ(origin.X, 10);
    EXPECT_EQ(origin.Y, 134);
}

// A page slot in the collect loop: absent, or present and answering with a flag value (or
// leaving the flag alone).
enum class Slot { Absent, Accepts, Refuses, LeavesFlag };

struct CollectCase {
    const char* name;
    std::vector<Slot> slots;
    bool result;
    std::vector<int> asked;  // the slots that received the collect request, in order
};

class CollectLoop : public ::testing::TestWithParam<CollectCase> {};

TEST_P(CollectLoop, AsksExistingPagesInOrderAndStopsAtTheFirstRefusal) {
    const CollectCase& c = GetParam();
    std::vector<int> asked;
    const bool result =
        CollectInTabOrder([&](int index) { return c.slots[static_cast<size_t>(index)] != Slot::Absent; },
                          [&](int index, int32_t* flag) {
                              asked.push_back(index);
                              switch (c.slots[static_cast<size_t>(index)]) {
                                  case Slot::Accepts:
                                      *flag = 1;
                                      break;
                                  case Slot::Refuses:
                                      *flag = 0;
                                      break;
                                  default:
                                      break;
                              }
                          });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(asked, c.asked);
}

using S = Slot;
INSTANTIATE_TEST_SUITE_P(
    Pages, CollectLoop,
    ::testing::Values(CollectCase{"OnlyFirstPageExists",
                                  {S::Accepts, S::Absent, S::Absent, S::Absent, S::Absent, S::Absent},
                                  true,
                                  {0}},
                      CollectCase{"AllPagesAccept",
                                  {S::Accepts, S::Accepts, S::Accepts, S::Accepts, S::Accepts, S::Accepts},
                                  true,
                                  {0, 1, 2, 3, 4, 5}},
                      CollectCase{"FirstPageRefuses",
                                  {S::Refuses, S::Accepts, S::Accepts, S::Absent, S::Absent, S::Absent},
                                  false,
                                  {0}},
                      CollectCase{"LaterPageRefusesAndStopsTheRest",
                                  {S::Accepts, S::Absent, S::Refuses, S::Accepts, S::Absent, S::Accepts},
                                  false,
                                  {0, 2}},
                      CollectCase{"MissingFirstPageFails",
                                  {S::Absent, S::Accepts, S::Absent, S::Absent, S::Absent, S::Absent},
                                  false,
                                  {}},
                      CollectCase{"PageThatLeavesTheFlagInheritsTheOneBefore",
                                  {S::Accepts, S::LeavesFlag, S::Accepts, S::Absent, S::Absent, S::Absent},
                                  true,
                                  {0, 1, 2}},
                      CollectCase{"LastPageRefuses",
                                  {S::Accepts, S::Accepts, S::Accepts, S::Accepts, S::Accepts, S::Refuses},
                                  false,
                                  {0, 1, 2, 3, 4, 5}}),
    [](const ::testing::TestParamInfo<CollectCase>& info) { return std::string(info.param.name); });

TEST(EnteredNumbers, OnlyDigitsThatFit32BitsAreANumber) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"68", 68},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"4294967295", -1},  // unsigned, compared as signed: refused by every range
        {"4294967296", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {" 5", std::nullopt},
        {"1a", std::nullopt},
        {nullptr, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseEnteredNumber(c.text), c.value) << (c.text ? c.text : "null");
}

TEST(FeedCombos, TheOtherEntryExistsOnlyWithADistance) {
    EXPECT_EQ(FeedComboEntryCount(FeedPathContFront, 0), 8);
    EXPECT_EQ(FeedComboEntryCount(FeedPathContFront, 100), 9);
    EXPECT_EQ(FeedComboSelection(FeedPathContFront, 100, 8), 8);
    EXPECT_EQ(FeedComboSelection(FeedPathContFront, 0, 8), -1);
    EXPECT_EQ(FeedComboSelection(FeedPathCutSheet, 0, 8), 8);
    EXPECT_EQ(FeedComboSelection(FeedPathPostcard, 77, 10), -1);
}

}  // namespace
