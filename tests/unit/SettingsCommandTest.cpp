// The FS "o" settings command: the worked example, where each field lands, the two-digit limit,
// and the bounded append helpers.
#include <gtest/gtest.h>
#include <string.h>

#include <functional>
#include <string>

#include "settings/SettingsCommand.h"

namespace {

std::string Bytes(const SettingsCommand& c, int from, int count) {
    return std::string(reinterpret_cast<const char*>(c.Area) + from, static_cast<size_t>(count));
}

SettingsCommand Encode(const PanelSettingsRecord& r, const int32_t* slots) {
    SettingsCommand c;
    memset(&c, 0xEE, sizeof c);
    EXPECT_TRUE(EncodeSettingsCommand(BuildSettingsBlock(r, slots), &c));
    return c;
}

TEST(SettingsCommand, InitialValuesGiveTheDocumentedBytes) {
    const std::string form = "66,000,136,120,120,046,054,00";
    const std::string expected = std::string("\x1C\x6F\x30\x2C\0\0,\0\0,\0\0,\x08\0,", 16) +
                                 "0,0,0,0,0,1,40,36,096,66,120,120,046,054,00,0,0,00,00,00,0," + form + "," +
                                 form + "," + form + "," + form + ".";
    ASSERT_EQ(expected.size(), 195u);
    PanelSettingsRecord r;
    LoadInitialSettings(r);
    const int32_t slots[FeedPosOtherCount] = {};
    const SettingsCommand c = Encode(r, slots);
    EXPECT_EQ(c.Count, 195);
    EXPECT_EQ(Bytes(c, 0, 195), expected);
    for (int i = 195; i < SettingsCommandAreaSize; ++i) ASSERT_EQ(c.Area[i], 0) << i;
}

// One change from the initial values: the command text at its position, and nothing else moves.
TEST(SettingsCommand, EachFieldAtItsPosition) {
    using Set = std::function<void(PanelSettingsRecord&, int32_t*)>;
    const struct {
        const char* What;
        Set Change;
        int At;
        std::string Text;
    } cases[] = {
        {"switches", [](auto& r, auto) { r.SwitchBits = 0x12345678; }, 4,
         std::string("\x08\x07,\x06\x05,\x04\x03,\x02\x01,", 12)},
        {"font 1", [](auto& r, auto) { r.Font1 = 3; }, 16, "3"},
        {"font 2", [](auto& r, auto) { r.Font2 = 4; }, 18, "4"},
        {"font 1 of 5..7", [](auto& r, auto) { r.Font1 = 6; }, 16, "0"},
        {"kanji", [](auto& r, auto) { r.KanjiCodeTable = 2; }, 20, "2"},
        {"kanji 3", [](auto& r, auto) { r.KanjiCodeTable = 3; }, 20, "0"},
        {"quiet", [](auto& r, auto) { r.QuietPrint = 1; }, 22, "1"},
        {"postcard", [](auto& r, auto) { r.PostcardMode = 1; }, 24, "1"},
        {"centre", [](auto& r, auto) { r.PaperSetCenter = 1; }, 26, "0"},
        {"head cut sheet", [](auto& r, auto) { r.HeadCenterCutSheet = 7; }, 28, "07"},
        {"head front", [](auto& r, auto) { r.HeadCenterContFront = 68; }, 31, "68"},
        {"head rear", [](auto& r, auto) { r.HeadCenterContRear = 255; }, 34, "255"},
        {"page length", [](auto& r, auto) { r.PageLength = 5; }, 38, "05"},
        {"feed front", [](auto& r, auto) { r.FeedPosContFront = 1; }, 41, "015"},
        {"feed rear", [](auto& r, auto) { r.FeedPosContRear = 5; }, 45, "040"},
        {"cut sheet 77", [](auto& r, auto s) { r.FeedPosCutSheet = 9, s[2] = 77; }, 49, "077"},
        {"cut sheet 0", [](auto& r, auto s) { r.FeedPosCutSheet = 9, s[2] = 0; }, 49, "000"},
        {"postcard feed", [](auto& r, auto) { r.FeedPosPostcard = 8; }, 53, "120"},
        {"cut sheet offset", [](auto& r, auto) { r.CutSheetOffset = 68; }, 57, "68"},
        {"typeface", [](auto& r, auto) { r.Typeface = 5; }, 60, "1"},
        {"reduction 2", [](auto& r, auto) { r.Reduction = 2; }, 62, "3"},
        {"thickness", [](auto& r, auto) { r.PaperThickness = 12; }, 64, "12"},
        {"pressure -1", [](auto& r, auto) { r.PressureAdjust = 255; }, 67, "FF"},
        {"pressure +3", [](auto& r, auto) { r.PressureAdjust = 3; }, 67, "03"},
        {"position", [](auto& r, auto) { r.PositionAdjust = 253; }, 70, "FD"},
        {"form select", [](auto& r, auto) { r.FormSelect = 4; }, 73, "4"},
        {"form 1 offset", [](auto& r, auto) { r.Forms[0].CutSheetOffset = 68; }, 102, "68,"},
        {"form 2 length", [](auto& r, auto) { r.Forms[1].PageLength = 12; }, 105, "12,"},
        {"form 2 left", [](auto& r, auto) { r.Forms[1].LeftMargin = 135; }, 108, "135"},
        {"form 3 right", [](auto& r, auto) { r.Forms[2].RightMargin = 7; }, 142, "007"},
        {"form 4 other", [](auto& r, auto s) { r.Forms[3].FeedPosContFront = 8, s[16] = 200; }, 176, "200"},
        {"form 4 postcard", [](auto& r, auto) { r.Forms[3].FeedPosPostcard = 2; }, 188, "020"},
        {"form 4 offset", [](auto& r, auto) { r.Forms[3].CutSheetOffset = 9; }, 192, "09."},
    };
    PanelSettingsRecord initial;
    LoadInitialSettings(initial);
    const int32_t noSlots[FeedPosOtherCount] = {};
    const SettingsCommand base = Encode(initial, noSlots);
    for (const auto& c : cases) {
        PanelSettingsRecord r = initial;
        int32_t slots[FeedPosOtherCount] = {};
        c.Change(r, slots);
        const SettingsCommand got = Encode(r, slots);
        EXPECT_EQ(got.Count, 195) << c.What;
        const int end = c.At + static_cast<int>(c.Text.size());
        EXPECT_EQ(Bytes(got, c.At, end - c.At), c.Text) << c.What;
        for (int i = 0; i < SettingsCommandAreaSize; ++i) {
            if (i < c.At || i >= end) {
                EXPECT_EQ(got.Area[i], base.Area[i]) << c.What << " at " << i;
            }
        }
    }
}

// Two-digit decimal fields: 99 is sent, 100 is refused with the field named and nothing produced.
TEST(SettingsCommand, TwoDigitFieldsRefuseThreeDigitValues) {
    const struct {
        int Offset;
        int At;
        const char* Name;
    } fields[] = {
        {22, 28, "ヘッドセンタリング位置（カット紙）"},
        {23, 31, "ヘッドセンタリング位置（連続紙・前）"},
        {25, 38, "用紙長"},
        {30, 57, "カット紙位置補正"},
        {60, 64, "用紙厚調整"},
        {69, 75, "書式１の用紙長"},
        {76, 102, "書式１のカット紙位置補正"},
        {80, 105, "書式２の用紙長"},
        {87, 132, "書式２のカット紙位置補正"},
        {91, 135, "書式３の用紙長"},
        {98, 162, "書式３のカット紙位置補正"},
        {102, 165, "書式４の用紙長"},
        {109, 192, "書式４のカット紙位置補正"},
    };
    PanelSettingsRecord r;
    LoadInitialSettings(r);
    const int32_t slots[FeedPosOtherCount] = {};
    const SettingsBlock initial = BuildSettingsBlock(r, slots);
    for (const auto& f : fields) {
        SCOPED_TRACE(f.Name);
        const uint8_t high = f.Offset == 22 ? 0x80 : 0;  // keep the left paper set bit beside the column
        for (int value : {99, 100, 127, 255}) {
            if (f.Offset == 22 && value > 127) continue;
            SettingsBlock b = initial;
            b.Bytes[f.Offset] = static_cast<uint8_t>(high | value);
            SettingsCommand c;
            memset(&c, 0xEE, sizeof c);
            EncodeFailure failure{};
            const bool ok = EncodeSettingsCommand(b, &c, &failure);
            if (value == 99) {
                ASSERT_TRUE(ok);
                EXPECT_EQ(c.Count, 195);
                EXPECT_EQ(failure.Offset, -1);
                EXPECT_EQ(Bytes(c, f.At, 2), "99");
                continue;
            }
            EXPECT_FALSE(ok) << value;
            EXPECT_EQ(failure.Offset, f.Offset);
            EXPECT_EQ(failure.Value, value);
            EXPECT_EQ(failure.Width, 2);
            EXPECT_STREQ(failure.Name, f.Name);
            EXPECT_EQ(c.Count, 0);
            for (uint8_t byte : c.Area) ASSERT_EQ(byte, 0);
        }
    }
}

TEST(SettingsCommand, ThreeDigitValueFromThePrinterIsNotWrittenBack) {
    SettingsBlock b{};
    b.Bytes[0] = 1, b.Bytes[1] = 4, b.Bytes[91] = 120;  // form 3 page length as the printer sent it
    PanelSettingsRecord r;
    int32_t slots[FeedPosOtherCount];
    ASSERT_TRUE(DecodeBlockBytes(b, r, slots));
    SettingsCommand c;
    EncodeFailure failure;
    EXPECT_FALSE(EncodeSettingsCommand(BuildSettingsBlock(r, slots), &c, &failure));
    EXPECT_STREQ(failure.Name, "書式３の用紙長");
    EXPECT_EQ(failure.Value, 120);
    EXPECT_FALSE(EncodeSettingsCommand(BuildSettingsBlock(r, slots), nullptr));
}

TEST(SettingsCommand, AppendHelpersStayInsideTheArea) {
    SettingsCommand c{};
    const uint8_t three[3] = {1, 2, 3};
    c.Count = 257;
    EXPECT_TRUE(AppendCommandBytes(&c, three, 3));
    EXPECT_EQ(c.Count, 260);
    EXPECT_EQ(c.Area[259], 3);
    EXPECT_FALSE(AppendCommandByte(&c, 9));
    c.Count = 258;
    EXPECT_FALSE(AppendCommandBytes(&c, three, 3));
    EXPECT_EQ(c.Count, 258);
    EXPECT_EQ(c.Area[258], 2);  // untouched
    c.Count = -1;
    EXPECT_FALSE(AppendCommandByte(&c, 9));
    c.Count = 0;
    EXPECT_FALSE(AppendCommandBytes(&c, three, -1));
    EXPECT_FALSE(AppendCommandBytes(&c, nullptr, 1));
    EXPECT_TRUE(AppendCommandBytes(&c, nullptr, 0));
    EXPECT_FALSE(AppendCommandByte(nullptr, 9));
    EXPECT_EQ(c.Count, 0);
}

}  // namespace
