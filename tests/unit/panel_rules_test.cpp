// The panel's window-free rules: page placement, the collect loop over the tab slots, and the
// bindings between controls and settings.
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

// ---- Bindings ---------------------------------------------------------------------------------

constexpr SettingRef kPostcardMode = FieldAt(offsetof(PanelSettingsRecord, PostcardMode));

struct SwitchCase {
    const char* name;
    SettingSwitch setting;
    int32_t field;       // the bound field (PostcardMode) before
    int32_t bits;        // SwitchBits before
    bool on;             // what the setting reads as
    bool store;          // the value stored afterwards
    int32_t fieldAfter;  // the field after storing
    int32_t bitsAfter;   // SwitchBits after storing
};

class SwitchRules : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchRules, ReadAndStore) {
    const SwitchCase& c = GetParam();
    PanelSettingsRecord record{};
    record.PostcardMode = c.field;
    record.SwitchBits = c.bits;
    const EditedRecord edited{&record, nullptr};
    EXPECT_EQ(SettingIsOn(edited, c.setting), c.on);
    StoreSwitch(edited, c.setting, c.store);
    EXPECT_EQ(record.PostcardMode, c.fieldAfter);
    EXPECT_EQ(static_cast<uint32_t>(record.SwitchBits), static_cast<uint32_t>(c.bitsAfter));
}

constexpr int32_t kPerforation = 0x00800000;   // byte 2 bit 7
constexpr int32_t kNoFeedMemory = 0x00040000;  // byte 2 bit 2
constexpr int32_t kOthers = 0x0A0B000C;        // bits of other switches that must survive

INSTANTIATE_TEST_SUITE_P(
    Settings, SwitchRules,
    ::testing::Values(
        SwitchCase{"IsOneOnlyForExactlyOne", SettingSwitch::IsOne(kPostcardMode), 1, 0, true, false, 0, 0},
        SwitchCase{"IsOneOffForTwo", SettingSwitch::IsOne(kPostcardMode), 2, 0, false, false, 0, 0},
        SwitchCase{"IsOneStoresOne", SettingSwitch::IsOne(kPostcardMode), 0, 0, false, true, 1, 0},
        SwitchCase{"NonZeroOnForTwo", SettingSwitch::NonZero(kPostcardMode), 2, 0, true, true, 1, 0},
        SwitchCase{"NonZeroOnForMinusOne", SettingSwitch::NonZero(kPostcardMode), -1, 0, true, false, 0, 0},
        SwitchCase{"BitSetReadsTheBit", SettingSwitch::BitSet(PerforationSkip), 7, kPerforation | kOthers,
                   true, false, 7, kOthers},
        SwitchCase{"BitSetStoresOnlyItsBit", SettingSwitch::BitSet(PerforationSkip), 7, kOthers, false, true,
                   7, kPerforation | kOthers},
        SwitchCase{"BitClearIsOnWhenClear", SettingSwitch::BitCleared(NoFeedPosMemory), 0, kOthers, true,
                   true, 0, kOthers},
        SwitchCase{"BitClearStoresInverted", SettingSwitch::BitCleared(NoFeedPosMemory), 0, kOthers, true,
                   false, 0, kNoFeedMemory | kOthers},
        SwitchCase{"BitClearIsOffWhenSet", SettingSwitch::BitCleared(NoFeedPosMemory), 0, kNoFeedMemory,
                   false, true, 0, 0}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

TEST(RadioPair, ReadsTheOnButtonOrTheInverseOfTheOffButton) {
    const SettingSwitch setting =
        SettingSwitch::NonZero(FieldAt(offsetof(PanelSettingsRecord, PaperSetCenter)));
    const RadioPairBinding readsOn{1162, 1160, 1160, setting};   // on := checked(1160)
    const RadioPairBinding readsOff{1202, 1203, 1202, setting};  // on := not checked(1202)
    EXPECT_TRUE(RadioPairReadsOn(readsOn, true));
    EXPECT_FALSE(RadioPairReadsOn(readsOn, false));
    EXPECT_FALSE(RadioPairReadsOn(readsOff, true));
    EXPECT_TRUE(RadioPairReadsOn(readsOff, false));
}

const ValueLabel kMapped[] = {{3, "+3"}, {0, "0"}, {255, "-1"}};
const ValueList kMappedList{kMapped, 3};
const ValueLabel kIndexed[] = {{0, "オート"}, {1, "1"}, {2, "2"}};
const ValueList kIndexedList{kIndexed, 3};

TEST(ListBindingRules, IndexListShowsTheValueOrTheFallback) {
    const ListBinding thickness{
        1308, FieldAt(offsetof(PanelSettingsRecord, PaperThickness)), &kIndexedList, ListHolds::Index, 0,
        false};
    EXPECT_EQ(ListIndexForValue(thickness, 0), 0);
    EXPECT_EQ(ListIndexForValue(thickness, 2), 2);
    EXPECT_EQ(ListIndexForValue(thickness, 3), 0);
    EXPECT_EQ(ListIndexForValue(thickness, -1), 0);
    const ListBinding noSelection{
        1306, FieldAt(offsetof(PanelSettingsRecord, Font1)), &kIndexedList, ListHolds::Index, -1, false};
    EXPECT_EQ(ListIndexForValue(noSelection, 7), -1);
}

TEST(ListBindingRules, ValueListLooksTheValueUpBothWays) {
    const ListBinding pressure{
        1311, FieldAt(offsetof(PanelSettingsRecord, PressureAdjust)), &kMappedList, ListHolds::Value, 1,
        false};
    EXPECT_EQ(ListIndexForValue(pressure, 255), 2);
    EXPECT_EQ(ListIndexForValue(pressure, 3), 0);
    EXPECT_EQ(ListIndexForValue(pressure, 4), 1);  // not in the list: the fallback entry
    int32_t value = -7;
    EXPECT_TRUE(ListValueForIndex(pressure, 2, &value));
    EXPECT_EQ(value, 255);
    EXPECT_FALSE(ListValueForIndex(pressure, -1, &value));
    EXPECT_FALSE(ListValueForIndex(pressure, 3, &value));
    EXPECT_EQ(value, 255);
}

TEST(ListBindingRules, IndexListStoresTheIndex) {
    const ListBinding thickness{
        1308, FieldAt(offsetof(PanelSettingsRecord, PaperThickness)), &kIndexedList, ListHolds::Index, 0,
        false};
    int32_t value = -7;
    EXPECT_TRUE(ListValueForIndex(thickness, 2, &value));
    EXPECT_EQ(value, 2);
    EXPECT_FALSE(ListValueForIndex(thickness, -1, &value));
    EXPECT_EQ(value, 2);
}

}  // namespace

namespace {

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

TEST(RadioGroups, AValueOutsideChecksNoneAndNoneCheckedStoresTheDefault) {
    const int buttons[] = {1256, 1257, 1258};
    const RadioGroupBinding kanji{buttons, FieldAt(offsetof(PanelSettingsRecord, KanjiCodeTable)), 2};
    EXPECT_EQ(RadioGroupButtonFor(kanji, 1), 1);
    EXPECT_EQ(RadioGroupButtonFor(kanji, 3), -1);
    EXPECT_EQ(RadioGroupValueFor(kanji, 0), 0);
    EXPECT_EQ(RadioGroupValueFor(kanji, -1), 2);
}

TEST(SettingRefs, ABitFieldIsReadAndStoredInPlace) {
    PanelSettingsRecord record{};
    record.SwitchBits = 0x0A0B0C08;
    const EditedRecord edited{&record, nullptr};
    EXPECT_EQ(ReadSetting(edited, SwitchOf(IntlCharSet)), 0);
    StoreSetting(edited, SwitchOf(IntlCharSet), 5);
    EXPECT_EQ(static_cast<uint32_t>(record.SwitchBits), 0x0A0B0C0Du);
    StoreSetting(edited, FieldAt(offsetof(PanelSettingsRecord, Font2)), 3);
    EXPECT_EQ(record.Font2, 3);
}

}  // namespace
