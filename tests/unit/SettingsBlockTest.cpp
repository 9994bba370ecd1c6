// Settings block: decoding from the printer's bytes, reading through the library, and building.
#include <gtest/gtest.h>
#include <string.h>

#include <functional>
#include <random>

#include "link/SettingsRead.h"
#include "settings/SettingsBlock.h"
#include "tests/unit/FakeQmx.h"
#include "tests/unit/QmxRandomSettings.h"

namespace {

using Getter = std::function<int32_t(const PanelSettingsRecord&)>;

SettingsBlock HeaderOnly() {
    SettingsBlock b{};
    b.Bytes[0] = 1;
    b.Bytes[1] = 4;
    return b;
}

bool SameRecord(const PanelSettingsRecord& a, const PanelSettingsRecord& b) {
    return memcmp(&a, &b, sizeof a) == 0;
}

TEST(DecodeBlock, EmptyBlockWithHeader) {
    PanelSettingsRecord r;
    memset(&r, 0x77, sizeof r);
    int32_t slots[FeedPosOtherCount];
    memset(slots, 0x77, sizeof slots);
    ASSERT_TRUE(DecodeBlockBytes(HeaderOnly(), r, slots));
    PanelSettingsRecord expected{};
    expected.PaperSetCenter = 1;  // bit 7 of byte 22 clear = センタ
    EXPECT_TRUE(SameRecord(r, expected));
    for (int32_t s : slots) EXPECT_EQ(s, 0);
}

// One byte set in an otherwise empty block, and the field it must land in.
TEST(DecodeBlock, EachFieldFromItsByte) {
    const struct {
        int Offset;
        uint8_t Byte;
        Getter Get;
        int32_t Expected;
    } cases[] = {
        {2, 7, [](auto& r) { return r.Reduction; }, 4},
        {2, 3, [](auto& r) { return r.Reduction; }, 2},
        {2, 2, [](auto& r) { return r.Reduction; }, 0},
        {3, 0x80, [](auto& r) { return r.Typeface; }, 1},
        {20, 0x4F, [](auto& r) { return r.Font1; }, 15},
        {20, 0x4F, [](auto& r) { return r.Font2; }, 4},
        {21, 0xC3, [](auto& r) { return r.KanjiCodeTable; }, 3},
        {21, 0x80, [](auto& r) { return r.PostcardMode * 10 + r.QuietPrint; }, 10},
        {21, 0x40, [](auto& r) { return r.PostcardMode * 10 + r.QuietPrint; }, 1},
        {22, 0x85, [](auto& r) { return r.PaperSetCenter * 1000 + r.HeadCenterCutSheet; }, 5},
        {22, 0x7F, [](auto& r) { return r.PaperSetCenter * 1000 + r.HeadCenterCutSheet; }, 1127},
        {23, 36, [](auto& r) { return r.HeadCenterContFront; }, 36},
        {24, 126, [](auto& r) { return r.HeadCenterContRear; }, 126},
        {25, 200, [](auto& r) { return r.PageLength; }, 200},
        {26, 15, [](auto& r) { return r.FeedPosContFront; }, 1},
        {27, 120, [](auto& r) { return r.FeedPosContRear; }, 7},
        {28, 46, [](auto& r) { return r.FeedPosCutSheet; }, 6},
        {29, 54, [](auto& r) { return r.FeedPosPostcard; }, 6},
        {30, 68, [](auto& r) { return r.CutSheetOffset; }, 68},
        {60, 12, [](auto& r) { return r.PaperThickness; }, 12},
        {61, 250, [](auto& r) { return r.PressureAdjust; }, 250},
        {64, 253, [](auto& r) { return r.PositionAdjust; }, 253},
        {68, 4, [](auto& r) { return r.FormSelect; }, 4},
        {68, 5, [](auto& r) { return r.FormSelect; }, 0},
        {69, 99, [](auto& r) { return r.Forms[0].PageLength; }, 99},
        {81, 135, [](auto& r) { return r.Forms[1].LeftMargin; }, 135},
        {93, 136, [](auto& r) { return r.Forms[2].RightMargin; }, 136},
        {94, 15, [](auto& r) { return r.Forms[2].FeedPosContFront; }, 1},
        {95, 60, [](auto& r) { return r.Forms[2].FeedPosContRear; }, 6},
        {96, 46, [](auto& r) { return r.Forms[2].FeedPosCutSheet; }, 6},
        {97, 54, [](auto& r) { return r.Forms[2].FeedPosPostcard; }, 6},
        {109, 68, [](auto& r) { return r.Forms[3].CutSheetOffset; }, 68},
    };
    for (const auto& c : cases) {
        SettingsBlock b = HeaderOnly();
        b.Bytes[c.Offset] = c.Byte;
        PanelSettingsRecord r{};
        int32_t slots[FeedPosOtherCount];
        ASSERT_TRUE(DecodeBlockBytes(b, r, slots));
        EXPECT_EQ(c.Get(r), c.Expected) << "byte " << c.Offset << " = " << int(c.Byte);
    }
}

TEST(DecodeBlock, SwitchBitsAreLittleEndian) {
    SettingsBlock b = HeaderOnly();
    const uint8_t bytes[4] = {0x78, 0x56, 0x34, 0x12};
    memcpy(b.Bytes + 4, bytes, 4);
    PanelSettingsRecord r{};
    int32_t slots[FeedPosOtherCount];
    ASSERT_TRUE(DecodeBlockBytes(b, r, slots));
    EXPECT_EQ(r.SwitchBits, 0x12345678);
    b.Bytes[6] = 0xFF;  // copied, but the record then counts as not loaded
    ASSERT_TRUE(DecodeBlockBytes(b, r, slots));
    EXPECT_FALSE(SettingsLoaded(r));
}

// Every feed byte outside its list goes to its own slot, in the documented slot order.
TEST(DecodeBlock, OddFeedDistancesFillTheirSlots) {
    SettingsBlock b = HeaderOnly();
    const int feedBytes[FeedPosOtherCount] = {26, 27, 28, 29, 72, 73, 74,  75,  83,  84,
                                              85, 86, 94, 95, 96, 97, 105, 106, 107, 108};
    for (int i = 0; i < FeedPosOtherCount; ++i) b.Bytes[feedBytes[i]] = static_cast<uint8_t>(200 + i);
    b.Bytes[28] = 54;  // not in FeedListB
    b.Bytes[29] = 46;  // not in FeedListC
    b.Bytes[105] = 100;
    PanelSettingsRecord r{};
    int32_t slots[FeedPosOtherCount];
    ASSERT_TRUE(DecodeBlockBytes(b, r, slots));
    for (int i = 0; i < FeedPosOtherCount; ++i) {
        EXPECT_EQ(slots[i], b.Bytes[feedBytes[i]]) << "slot " << i;
    }
    EXPECT_EQ(r.FeedPosContFront, 8);
    EXPECT_EQ(r.FeedPosCutSheet, 9);
    EXPECT_EQ(r.FeedPosPostcard, 9);
    EXPECT_EQ(r.Forms[3].FeedPosContFront, 8);
    EXPECT_EQ(r.Forms[0].FeedPosPostcard, 9);
}

TEST(DecodeBlock, BadHeaderChangesNothing) {
    const uint8_t headers[][2] = {{1, 3}, {0, 4}, {4, 1}, {0, 0}, {0xFF, 0xFF}};
    for (const auto& h : headers) {
        SettingsBlock b{};
        memset(b.Bytes, 0x11, sizeof b.Bytes);
        b.Bytes[0] = h[0];
        b.Bytes[1] = h[1];
        PanelSettingsRecord r, before;
        LoadInitialSettings(r);
        before = r;
        int32_t slots[FeedPosOtherCount] = {5, 6, 7};
        EXPECT_FALSE(DecodeBlockBytes(b, r, slots));
        EXPECT_TRUE(SameRecord(r, before));
        EXPECT_EQ(slots[0] + slots[1] + slots[2] + slots[3], 18);
    }
}

class DecodeSettingsBlockTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeQmx = FakeQmxState{};
        MarkSettingsNotLoaded(settings_.Record);
        for (int32_t& s : settings_.FeedPosOther) s = 9;
        for (int32_t& s : FeedPosOther) s = 9;  // the program's own slots, which decoding leaves alone
    }
    QMXSESSION session_ = reinterpret_cast<QMXSESSION>(0x1234);
    PrinterSettings settings_;
};

TEST_F(DecodeSettingsBlockTest, OtherItemsPassThrough) {
    FakeQmx.Status = 7;
    char buffer[12];
    uint32_t out = 0;
    EXPECT_EQ(DecodeSettingsBlock(session_, "PrinterStatus", buffer, sizeof buffer, &out), 7u);
    EXPECT_EQ(FakeQmx.Item, "PrinterStatus");
    EXPECT_EQ(FakeQmx.Buffer, buffer);
    EXPECT_EQ(FakeQmx.Size, 12u);
    EXPECT_EQ(FakeQmx.OutSize, &out);
    EXPECT_EQ(FakeQmx.Session, session_);
    // The comparison is case-sensitive: this is another item, passed through with the caller's size.
    EXPECT_EQ(DecodeSettingsBlock(session_, "rpvariables_psv", buffer, 4, &out), 7u);
    EXPECT_EQ(FakeQmx.Size, 4u);
    EXPECT_EQ(FakeQmx.Buffer, buffer);
}

TEST_F(DecodeSettingsBlockTest, SettingsItemReadsIntoItsOwnBuffer) {
    SettingsBlock b = HeaderOnly();
    b.Bytes[25] = 42;
    b.Bytes[26] = 100;
    FakeQmx.Reply.assign(b.Bytes, b.Bytes + 260);
    uint32_t out = 0;
    EXPECT_EQ(DecodeSettingsBlock(session_, "RPVariables_PSV", &settings_, 3, &out), 0u);
    EXPECT_EQ(FakeQmx.Item, "RPVariables_PSV");
    EXPECT_EQ(FakeQmx.Size, 260u);
    EXPECT_NE(FakeQmx.Buffer, static_cast<void*>(&settings_));
    EXPECT_EQ(FakeQmx.OutSize, &out);
    EXPECT_TRUE(SettingsLoaded(settings_.Record));
    EXPECT_EQ(settings_.Record.PageLength, 42);
    EXPECT_EQ(settings_.Record.FeedPosContFront, 8);
    EXPECT_EQ(settings_.FeedPosOther[0], 100);
    EXPECT_EQ(settings_.FeedPosOther[1], 0);  // all twenty rewritten
    EXPECT_EQ(FeedPosOther[0], 9) << "only the value given is written";
}

TEST_F(DecodeSettingsBlockTest, FailureOrBadHeaderLeavesEverythingAlone) {
    SettingsBlock b = HeaderOnly();
    b.Bytes[1] = 3;
    FakeQmx.Reply.assign(b.Bytes, b.Bytes + 260);
    uint32_t out = 0;
    EXPECT_EQ(DecodeSettingsBlock(session_, "RPVariables_PSV", &settings_, 260, &out), 0u);
    EXPECT_FALSE(SettingsLoaded(settings_.Record));
    EXPECT_EQ(settings_.FeedPosOther[0], 9);
    b.Bytes[1] = 4;
    FakeQmx.Reply.assign(b.Bytes, b.Bytes + 260);
    FakeQmx.Status = 0x80000005;
    EXPECT_EQ(DecodeSettingsBlock(session_, "RPVariables_PSV", &settings_, 260, &out), 0x80000005u);
    EXPECT_FALSE(SettingsLoaded(settings_.Record));
    EXPECT_EQ(settings_.FeedPosOther[19], 9);
}

TEST_F(DecodeSettingsBlockTest, ShortReplyNullItemAndNullRecordAreSafe) {
    // A reply shorter than the block: the bytes the library left unwritten decode as 0.
    SettingsBlock b = HeaderOnly();
    FakeQmx.Reply.assign(b.Bytes, b.Bytes + 2);
    uint32_t out = 0;
    settings_.Record.PageLength = 77;
    EXPECT_EQ(DecodeSettingsBlock(session_, "RPVariables_PSV", &settings_, 260, &out), 0u);
    EXPECT_TRUE(SettingsLoaded(settings_.Record));
    EXPECT_EQ(settings_.Record.PageLength, 0);
    EXPECT_EQ(settings_.FeedPosOther[0], 0);

    // No item name: handed to the library as it is, which answers for itself.
    FakeQmx = FakeQmxState{};
    FakeQmx.Status = 1;
    char buffer[4];
    EXPECT_EQ(DecodeSettingsBlock(session_, nullptr, buffer, sizeof buffer, &out), 1u);
    EXPECT_EQ(FakeQmx.Calls, 1);

    // No record: the block is read (the library's status counts) but nothing is decoded.
    FakeQmx = FakeQmxState{};
    b.Bytes[25] = 42;
    FakeQmx.Reply.assign(b.Bytes, b.Bytes + 260);
    MarkSettingsNotLoaded();
    for (int32_t& slot : FeedPosOther) slot = 9;
    EXPECT_EQ(DecodeSettingsBlock(session_, "RPVariables_PSV", nullptr, 260, &out), 0u);
    EXPECT_EQ(FakeQmx.Calls, 1);
    EXPECT_FALSE(SettingsLoaded());
    EXPECT_EQ(FeedPosOther[0], 9);
}

// One record field set and the block byte it must produce.
TEST(BuildBlock, EachFieldToItsByte) {
    using Set = std::function<void(PanelSettingsRecord&, int32_t*)>;
    const struct {
        const char* What;
        Set Change;
        int Offset;
        uint8_t Expected;
    } cases[] = {
        {"centre", [](auto& r, auto) { r.PaperSetCenter = 1; }, 22, 40},
        {"left", [](auto& r, auto) { r.PaperSetCenter = 0; }, 22, 0x80 | 40},
        {"column keeps 7 bits", [](auto& r, auto) { r.HeadCenterCutSheet = 0xFF; }, 22, 0xFF},
        {"flags count only 1", [](auto& r, auto) { r.PostcardMode = 2, r.QuietPrint = -1; }, 21, 0},
        {"flags", [](auto& r, auto) { r.PostcardMode = 1, r.QuietPrint = 1, r.KanjiCodeTable = 2; }, 21,
         0xC2},
        {"kanji 3", [](auto& r, auto) { r.KanjiCodeTable = 3; }, 21, 3},
        {"fonts keep 3 bits", [](auto& r, auto) { r.Font1 = 4, r.Font2 = 15; }, 20, 0x74},
        {"typeface", [](auto& r, auto) { r.Typeface = -3; }, 3, 1},
        {"reduction 2", [](auto& r, auto) { r.Reduction = 2; }, 2, 3},
        {"reduction 4", [](auto& r, auto) { r.Reduction = 4; }, 2, 7},
        {"reduction 5", [](auto& r, auto) { r.Reduction = 5; }, 2, 0},
        {"form select 4", [](auto& r, auto) { r.FormSelect = 4; }, 68, 4},
        {"form select 5", [](auto& r, auto) { r.FormSelect = 5; }, 68, 0},
        {"pressure -1", [](auto& r, auto) { r.PressureAdjust = -1; }, 61, 255},
        {"position", [](auto& r, auto) { r.PositionAdjust = 253; }, 64, 253},
        {"thickness", [](auto& r, auto) { r.PaperThickness = 12; }, 60, 12},
        {"rear column", [](auto& r, auto) { r.HeadCenterContRear = 126; }, 24, 126},
        {"cut sheet other 77", [](auto& r, auto s) { r.FeedPosCutSheet = 9, s[2] = 77; }, 28, 77},
        {"cut sheet other 0", [](auto& r, auto s) { r.FeedPosCutSheet = 9, s[2] = 0; }, 28, 0},
        {"slot low byte", [](auto& r, auto s) { r.FeedPosContRear = -5, s[1] = 0x1FF; }, 27, 0xFF},
        {"slot unused when listed", [](auto& r, auto s) { r.FeedPosPostcard = 6, s[3] = 77; }, 29, 54},
        {"form 2 margins", [](auto& r, auto) { r.Forms[1].LeftMargin = 135; }, 81, 135},
        {"form 3 right", [](auto& r, auto) { r.Forms[2].RightMargin = 1; }, 93, 1},
        {"form 4 other", [](auto& r, auto s) { r.Forms[3].FeedPosContFront = 8, s[16] = 99; }, 105, 99},
        {"form 4 offset", [](auto& r, auto) { r.Forms[3].CutSheetOffset = 68; }, 109, 68},
    };
    for (const auto& c : cases) {
        PanelSettingsRecord r;
        LoadInitialSettings(r);
        int32_t slots[FeedPosOtherCount] = {};
        const SettingsBlock before = BuildSettingsBlock(r, slots);
        c.Change(r, slots);
        const SettingsBlock after = BuildSettingsBlock(r, slots);
        EXPECT_EQ(after.Bytes[c.Offset], c.Expected) << c.What;
        for (int i = 0; i < SettingsBlockSize; ++i) {
            if (i != c.Offset) {
                EXPECT_EQ(after.Bytes[i], before.Bytes[i]) << c.What << " byte " << i;
            }
        }
    }
}

// Random records inside the documented ranges come back unchanged through build and decode; an
// "other" slot comes back where its index is the list's other entry, and as 0 elsewhere.
TEST(BuildBlock, DecodeOfBuildGivesTheRecordBack) {
    std::mt19937 rng(20240607);
    for (int n = 0; n < 5000; ++n) {
        const qmxtest::RandomSettings random = qmxtest::MakeRandomSettings(rng);
        const PanelSettingsRecord& r = random.record;
        SettingsBlock b = BuildSettingsBlock(r, random.slots);
        EXPECT_EQ(b.Bytes[0] | b.Bytes[1], 0);  // the built block carries no header
        b.Bytes[0] = 1;
        b.Bytes[1] = 4;
        PanelSettingsRecord back;
        int32_t backSlots[FeedPosOtherCount];
        ASSERT_TRUE(DecodeBlockBytes(b, back, backSlots));
        ASSERT_TRUE(SameRecord(back, r)) << "record " << n;
        ASSERT_EQ(memcmp(backSlots, random.expected, sizeof backSlots), 0) << "record " << n;
    }
}

// Bits without a control survive a read, an edit of every named switch, and the next build.
TEST(BuildBlock, SwitchBitsWithoutControlSurvive) {
    std::mt19937 rng(7);
    for (int n = 0; n < 200; ++n) {
        SettingsBlock b = HeaderOnly();
        for (int k = 4; k < 8; ++k) b.Bytes[k] = static_cast<uint8_t>(rng());
        PanelSettingsRecord r{};
        int32_t slots[FeedPosOtherCount];
        ASSERT_TRUE(DecodeBlockBytes(b, r, slots));
        const uint32_t named = ~SwitchBitsWithoutControl;
        r.SwitchBits = static_cast<int32_t>(static_cast<uint32_t>(r.SwitchBits) ^ named);
        const SettingsBlock out = BuildSettingsBlock(r, slots);
        for (int k = 0; k < 4; ++k) {
            const uint8_t keep = static_cast<uint8_t>(SwitchBitsWithoutControl >> (8 * k));
            EXPECT_EQ(out.Bytes[4 + k] & keep, b.Bytes[4 + k] & keep);
            EXPECT_EQ(out.Bytes[4 + k] & ~keep & 0xFF, ~b.Bytes[4 + k] & ~keep & 0xFF);
        }
    }
}

}  // namespace
