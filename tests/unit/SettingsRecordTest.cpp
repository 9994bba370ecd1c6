// The settings record: initial values, the loaded test, switch-bit positions, feed-position lists.
#include <gtest/gtest.h>
#include <string.h>

#include "settings/SettingsBlock.h"

namespace {

TEST(SettingsRecord, InitialValues) {
    PanelSettingsRecord r;
    memset(&r, 0x5A, sizeof r);
    LoadInitialSettings(r);
    EXPECT_EQ(r.SwitchBits, 0x08000000);
    EXPECT_TRUE(IsSwitchOn(r.SwitchBits, Bidirectional));
    EXPECT_TRUE(SettingsLoaded(r));
    const int32_t expected[] = {0x08000000, 0, 0,   40, 36, 96, 0, 7, 7,   6, 6,   66, 0,  0, 66, 7, 7, 6,
                                6,          0, 136, 0,  66, 7,  7, 6, 6,   0, 136, 0,  66, 7, 7,  6, 6, 0,
                                136,        0, 66,  7,  7,  6,  6, 0, 136, 0, 0,   0,  0,  0, 0,  0, 0, 0};
    static_assert(sizeof expected == sizeof r);
    EXPECT_EQ(memcmp(&r, expected, sizeof r), 0);
}

TEST(SettingsRecord, GlobalInitialValuesLeaveFeedPosOtherAlone) {
    for (int32_t i = 0; i < FeedPosOtherCount; ++i) FeedPosOther[i] = 100 + i;
    MarkSettingsNotLoaded();
    EXPECT_FALSE(SettingsLoaded());
    LoadInitialSettings();
    EXPECT_TRUE(SettingsLoaded());
    EXPECT_EQ(PanelSettings.FeedPosContFront, 7);
    for (int32_t i = 0; i < FeedPosOtherCount; ++i) EXPECT_EQ(FeedPosOther[i], 100 + i);
}

TEST(SettingsRecord, LoadedTestLooksAtEachByte) {
    const struct {
        uint32_t Bits;
        bool Loaded;
    } cases[] = {
        {0x00000000, true},  {0x08000000, true},  {0xFEFEFEFE, true},
        {0x7F80FE01, true},  {0x000000FF, false}, {0x0000FF00, false},
        {0x00FF0000, false}, {0xFF000000, false}, {0xFFFFFFFF, false},
    };
    for (const auto& c : cases) {
        PanelSettingsRecord r{};
        r.SwitchBits = static_cast<int32_t>(c.Bits);
        EXPECT_EQ(SettingsLoaded(r), c.Loaded) << std::hex << c.Bits;
    }
}

TEST(SettingsRecord, MarkNotLoadedChangesOnlySwitchBits) {
    PanelSettingsRecord r;
    LoadInitialSettings(r);
    PanelSettingsRecord before = r;
    MarkSettingsNotLoaded(r);
    EXPECT_EQ(static_cast<uint32_t>(r.SwitchBits), 0xFFFFFFFFu);
    before.SwitchBits = r.SwitchBits;
    EXPECT_EQ(memcmp(&r, &before, sizeof r), 0);
}

// Every named switch sits at its own byte.bit of SwitchBits and so of block bytes 4..7.
struct NamedSwitch {
    const char* Name;
    SwitchField Field;
    int Byte;
    int Bit;
    int Width;
};
const NamedSwitch NamedSwitches[] = {
    {"IntlCharSet", IntlCharSet, 0, 0, 3},
    {"Dc1Dc3Disabled", Dc1Dc3Disabled, 0, 4, 1},
    {"AutoCrOnly", AutoCrOnly, 0, 5, 1},
    {"PrintCmdCrOther", PrintCmdCrOther, 0, 6, 1},
    {"CrIsCrLf", CrIsCrLf, 0, 7, 1},
    {"SlashZeroSingle", SlashZeroSingle, 1, 0, 1},
    {"DotGraphicsCopy", DotGraphicsCopy, 1, 2, 1},
    {"DosHsPica", DosHsPica, 1, 4, 1},
    {"SevenBitData", SevenBitData, 1, 5, 1},
    {"Columns80", Columns80, 1, 6, 1},
    {"DosUnidirectional", DosUnidirectional, 1, 7, 1},
    {"NoFeedPosMemory", NoFeedPosMemory, 2, 2, 1},
    {"SheetFeederEscAll", SheetFeederEscAll, 2, 3, 1},
    {"SlashZeroDouble", SlashZeroDouble, 2, 6, 1},
    {"PerforationSkip", PerforationSkip, 2, 7, 1},
    {"NoEdgeDetect", NoEdgeDetect, 3, 0, 1},
    {"SheetFeederControl", SheetFeederControl, 3, 1, 1},
    {"Bidirectional", Bidirectional, 3, 3, 1},
    {"DraftAtPowerOn", DraftAtPowerOn, 3, 4, 1},
    {"CutSheetRearEject", CutSheetRearEject, 3, 5, 1},
    {"SheetFeederRearFixed", SheetFeederRearFixed, 3, 6, 1},
    {"SheetGuideBySwitch", SheetGuideBySwitch, 3, 7, 1},
};

TEST(SwitchBits, EachNamedSwitchReadsAndWritesItsOwnBits) {
    const int32_t allOnes = -1;
    uint32_t named = 0;
    for (const NamedSwitch& s : NamedSwitches) {
        SCOPED_TRACE(s.Name);
        const uint8_t byteBits = static_cast<uint8_t>(((1 << s.Width) - 1) << s.Bit);
        const uint32_t mask = static_cast<uint32_t>(byteBits) << (8 * s.Byte);
        int32_t bits = 0;
        SetSwitchField(bits, s.Field, allOnes);
        EXPECT_EQ(static_cast<uint32_t>(bits), mask);
        bits = -1;
        SetSwitch(bits, s.Field, false);
        EXPECT_EQ(static_cast<uint32_t>(bits), ~mask);

        // Through the block: written to byte 4+Byte only, read back from there.
        PanelSettingsRecord r;
        LoadInitialSettings(r);
        r.SwitchBits = 0;
        SetSwitchField(r.SwitchBits, s.Field, allOnes);
        SettingsBlock block = BuildSettingsBlock(r, FeedPosOther);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(block.Bytes[4 + k], k == s.Byte ? byteBits : 0) << k;
        block.Bytes[0] = 1;
        block.Bytes[1] = 4;
        PanelSettingsRecord back{};
        int32_t slots[FeedPosOtherCount];
        ASSERT_TRUE(DecodeBlockBytes(block, back, slots));
        EXPECT_EQ(GetSwitchField(back.SwitchBits, s.Field), (1 << s.Width) - 1);
        EXPECT_EQ(named & mask, 0u) << "overlaps another switch";
        named |= mask;
    }
    EXPECT_EQ(named & SwitchBitsWithoutControl, 0u);
    EXPECT_EQ(named | SwitchBitsWithoutControl, 0xFFFFFFFFu);
    EXPECT_EQ(SwitchBitsWithoutControl, 0x04330A08u);  // 0.3, 1.1, 1.3, 2.0, 2.1, 2.4, 2.5, 3.2
}

TEST(SwitchBits, IntlCharSetKeepsNeighbours) {
    int32_t bits = static_cast<int32_t>(0xFFFFFFF8u);
    SetSwitchField(bits, IntlCharSet, 5);
    EXPECT_EQ(static_cast<uint32_t>(bits), 0xFFFFFFFDu);
    EXPECT_EQ(GetSwitchField(bits, IntlCharSet), 5);
    SetSwitchField(bits, IntlCharSet, 9);  // only three bits are kept
    EXPECT_EQ(GetSwitchField(bits, IntlCharSet), 1);
    EXPECT_EQ(static_cast<uint32_t>(bits) | 7u, 0xFFFFFFFFu);
}

// Raw byte -> index for each list, every value 0..255; `Other` is the byte when not listed.
TEST(FeedLists, ValueToIndexForEveryByte) {
    const struct {
        int Raw;
        int A, B, C;
    } listed[] = {
        {0, 0, 0, 0},  {15, 1, 1, 1}, {20, 2, 2, 2}, {28, 3, 3, 3}, {30, 4, 4, 4},
        {40, 5, 5, 5}, {46, 8, 6, 9}, {54, 8, 9, 6}, {60, 6, 7, 7}, {120, 7, 8, 8},
    };
    for (int raw = 0; raw < 256; ++raw) {
        int expected[3] = {8, 9, 9};
        for (const auto& row : listed) {
            if (row.Raw == raw) expected[0] = row.A, expected[1] = row.B, expected[2] = row.C;
        }
        const ValueList* lists[3] = {&FeedListA, &FeedListB, &FeedListC};
        for (int l = 0; l < 3; ++l) {
            const FeedIndex got = FeedValueToIndex(*lists[l], static_cast<uint8_t>(raw));
            EXPECT_EQ(got.Index, expected[l]) << "list " << l << " byte " << raw;
            EXPECT_EQ(got.Other, got.Index == FeedOtherIndex(*lists[l]) ? raw : 0) << raw;
        }
    }
}

TEST(FeedLists, IndexToValue) {
    const struct {
        int Index;
        int A, B, C;
    } rows[] = {
        {0, 0, 0, 0},          {1, 15, 15, 15},    {2, 20, 20, 20},     {3, 28, 28, 28},
        {4, 30, 30, 30},       {5, 40, 40, 40},    {6, 60, 46, 54},     {7, 120, 60, 60},
        {8, 255, 120, 120},    {9, 255, 255, 255}, {10, 255, 255, 255}, {-1, 255, 255, 255},
        {1000, 255, 255, 255},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FeedIndexToValue(FeedListA, row.Index), row.A) << row.Index;
        EXPECT_EQ(FeedIndexToValue(FeedListB, row.Index), row.B) << row.Index;
        EXPECT_EQ(FeedIndexToValue(FeedListC, row.Index), row.C) << row.Index;
    }
    EXPECT_EQ(&FeedListFor(FeedPathContRear), &FeedListA);
    EXPECT_EQ(&FeedListFor(FeedPathCutSheet), &FeedListB);
    EXPECT_EQ(&FeedListFor(FeedPathPostcard), &FeedListC);
    EXPECT_EQ(FeedPosOtherSlot(FeedGroupForm(3), FeedPathPostcard), 19);
}

TEST(FeedLists, OtherLabelIsBounded) {
    char text[32];
    ASSERT_TRUE(FormatFeedOtherLabel(text, sizeof text, 100));
    EXPECT_STREQ(text, "100/120インチ");
    char small[6];
    EXPECT_FALSE(FormatFeedOtherLabel(small, sizeof small, 100));
    EXPECT_STREQ(small, "100/1");
    EXPECT_FALSE(FormatFeedOtherLabel(nullptr, 0, 1));
}

#if defined(__GNUC__) && !defined(__clang__)
// The GCC builds turn the Japanese literals into CP932, the program's code page.
TEST(ValueLists, LabelsAreCp932) {
    EXPECT_STREQ(ValueListLabel(FeedListA, 1), "1/8\x83\x43\x83\x93\x83\x60");  // 1/8インチ
    EXPECT_STREQ(ValueListLabel(IntlCharSetList, 0), "\x93\xfa\x96\x7b");       // 日本
}
#endif

TEST(ValueLists, StoredValuesInDisplayOrder) {
    const struct {
        const ValueList* List;
        std::vector<int32_t> Values;
    } lists[] = {
        {&FontList, {0, 1, 2, 3, 4}},
        {&ReductionList, {0, 1, 3, 5, 7}},
        {&PressureAdjustList, {3, 2, 1, 0, 255, 254, 253, 252, 251, 250}},
        {&PositionAdjustList, {0, 1, 2, 3, 255, 254, 253}},
        {&IntlCharSetList, {0, 2, 3, 4, 5}},
        {&KanjiCodeTableList, {0, 1, 2}},
    };
    for (const auto& l : lists) {
        ASSERT_EQ(l.List->Size, static_cast<int32_t>(l.Values.size()));
        for (int32_t i = 0; i < l.List->Size; ++i) EXPECT_EQ(ValueListIndexOf(*l.List, l.Values[i]), i);
    }
    EXPECT_EQ(ValueListIndexOf(PressureAdjustList, 4), -1);
    EXPECT_EQ(ValueListLabel(PositionAdjustList, 7), nullptr);
    EXPECT_STREQ(ValueListLabel(PositionAdjustList, 6), "-1.3mm");
}

}  // namespace
