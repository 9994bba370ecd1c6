// Items, presets and the text conversions that qmxctl relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qmx/PrinterRules.h"

namespace {

TEST(QmxRules, ItemNamesAreExactAndSizesAsTheProgramPassesThem) {
    const struct {
        const char* name;
        uint32_t size;
    } items[] = {{"PrinterStatus", 12}, {"PrinterExtStatus", 4}, {"UserAuthority", 4},
                 {"PrinterName", 256},  {"Port", 260},           {"RPVariables_PSV", 260}};
    for (const auto& it : items) {
        const auto item = qmx::ItemByName(it.name);
        ASSERT_TRUE(item.has_value()) << it.name;
        EXPECT_EQ(qmx::InfoOf(*item).size, it.size) << it.name;
    }
    for (const char* wrong : {"printerstatus", "PrinterStatus ", "RPVariables_psv", "", "Port\x01"})
        EXPECT_FALSE(qmx::ItemByName(wrong).has_value()) << wrong;
}

TEST(QmxRules, PresetsAreDistinctAndIdleIsTheNewPrinterState) {
    const qmx::StateWords fresh;
    const auto* idle = qmx::PresetByName("idle");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->words, fresh);
    const auto& all = qmx::Presets();
    ASSERT_EQ(all.size(), 8u);
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t k = i + 1; k < all.size(); ++k) EXPECT_FALSE(all[i].words == all[k].words) << all[i].name;
    EXPECT_EQ(qmx::PresetByName("Idle"), nullptr);
}

TEST(QmxRules, HexBytes) {
    const struct {
        const char* text;
        bool ok;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"1c6F 30,2c:00", true, {0x1C, 0x6F, 0x30, 0x2C, 0x00}},
        {"", true, {}},
        {"  \n", true, {}},
        {"1", false, {}},
        {"1 c", false, {}},
        {"0x1c", false, {}},
        {"zz", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes;
        EXPECT_EQ(qmx::ParseHexBytes(c.text, bytes), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(bytes, c.bytes) << c.text;
        }
    }
}

TEST(QmxRules, HexDumpShowsOffsetsAndEveryByte) {
    const uint8_t data[18] = {0x1C, 0x6F, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0xAB, 0xCD};
    EXPECT_EQ(qmx::FormatHexDump(data, sizeof data, 16),
              "0000: 1C 6F 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E\n0010: AB CD\n");
}

TEST(QmxRules, Words) {
    const struct {
        const char* text;
        bool ok;
        uint32_t value;
    } cases[] = {
        {"0", true, 0},
        {"16", true, 16},
        {"0x10", true, 16},
        {"0X7ffe32c", true, 0x7FFE32C},
        {"-1", true, 0xFFFFFFFF},
        {"4294967295", true, 0xFFFFFFFF},
        {"-2147483648", true, 0x80000000},
        {"4294967296", false, 0},
        {"-2147483649", false, 0},
        {"0x", false, 0},
        {"-0x1", false, 0},
        {"12a", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {" 1", false, 0},
    };
    for (const auto& c : cases) {
        uint32_t v = 12345;
        EXPECT_EQ(qmx::ParseWord(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(QmxRules, BlockDescriptionNamesTheHeaderAndStrayBytes) {
    auto block = qmx::InitialBlock();
    auto lines = qmx::DescribeBlock(block);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("good"), std::string::npos);
    EXPECT_EQ(lines.back().find("unused"), std::string::npos);
    block[1] = 3;
    block[77] = 0x5A;
    lines = qmx::DescribeBlock(block);
    EXPECT_NE(lines[0].find("bad"), std::string::npos);
    EXPECT_NE(lines.back().find("77=5A"), std::string::npos) << lines.back();
}

}  // namespace
