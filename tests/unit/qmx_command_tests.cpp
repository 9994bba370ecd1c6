// The virtual printer's reading of the settings command, checked against the format as a table of
// field positions and against a small encoder written here from the format's encoding rules.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "qmx/CommandParser.h"
#include "qmx/PrinterRules.h"

namespace {

using qmx::SettingsBlockBytes;
using Bytes = std::vector<uint8_t>;

void Append(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

// The worked example of the format: the initial settings as the program sends them.
Bytes WorkedExample() {
    Bytes c = {0x1C, 0x6F, 0x30, 0x2C, 0x00, 0x00, 0x2C, 0x00,
               0x00, 0x2C, 0x00, 0x00, 0x2C, 0x08, 0x00, 0x2C};
    Append(c, "0,0,0,0,0,1,40,36,096,66,120,120,046,054,00,0,0,00,00,00,0,");
    for (int form = 0; form < 4; ++form) {
        Append(c, "66,000,136,120,120,046,054,00");
        c.push_back(form < 3 ? ',' : '.');
    }
    return c;
}

std::string Fixed(unsigned value, int width, bool hex = false) {
    char text[8];
    std::snprintf(text, sizeof text, hex ? "%0*X" : "%0*u", width, value);
    return text;
}

// An encoder of the test's own, following the format's table row by row. The block must hold
// values the format can carry (digit fields within their sets, two-digit fields below 100).
Bytes EncodeForTest(const SettingsBlockBytes& b) {
    Bytes c = {0x1C, 'o'};
    Append(c, "0,");
    for (int k = 4; k <= 7; ++k) {
        c.push_back(b[k] & 0x0F);
        c.push_back(b[k] >> 4);
        c.push_back(',');
    }
    Append(c, Fixed(b[20] & 0x0F, 1) + "," + Fixed(b[20] >> 4, 1) + "," + Fixed(b[21] & 3, 1) + "," +
                  Fixed((b[21] >> 6) & 1, 1) + "," + Fixed(b[21] >> 7, 1) + "," + Fixed(b[22] >> 7, 1) + ",");
    Append(c, Fixed(b[22] & 0x7F, 2) + "," + Fixed(b[23], 2) + "," + Fixed(b[24], 3) + "," + Fixed(b[25], 2) +
                  ",");
    for (int k = 26; k <= 29; ++k) Append(c, Fixed(b[k], 3) + ",");
    Append(c, Fixed(b[30], 2) + "," + Fixed(b[3], 1) + "," + Fixed(b[2], 1) + "," + Fixed(b[60], 2) + "," +
                  Fixed(b[61], 2, true) + "," + Fixed(b[64], 2, true) + "," + Fixed(b[68], 1) + ",");
    for (int form = 0; form < 4; ++form) {
        const int at = 69 + 11 * form;
        Append(c, Fixed(b[at], 2) + ",");
        for (int k = 1; k <= 6; ++k) Append(c, Fixed(b[at + k], 3) + ",");
        Append(c, Fixed(b[at + 7], 2));
        c.push_back(form < 3 ? ',' : '.');
    }
    return c;
}

// Block bytes the command carries in full; byte 21 carries only bits 0-1, 6 and 7.
bool Carried(size_t i) {
    if (i >= 2 && i <= 7) return true;
    if (i >= 20 && i <= 30 && i != 21) return true;
    if (i == 60 || i == 61 || i == 64 || i == 68) return true;
    return i >= 69 && i < 110 && (i - 69) % 11 < 8;
}

SettingsBlockBytes RandomBlock(std::mt19937& rng) {
    SettingsBlockBytes b;
    for (auto& x : b) x = static_cast<uint8_t>(rng());
    return b;
}

// A random block whose carried values are all inside what the format can express.
SettingsBlockBytes RandomCarriableBlock(std::mt19937& rng) {
    SettingsBlockBytes b = RandomBlock(rng);
    auto below = [&](unsigned n) { return static_cast<uint8_t>(rng() % n); };
    const uint8_t reductions[] = {0, 1, 3, 5, 7};
    b[2] = reductions[below(5)];
    b[3] = below(2);
    b[20] = static_cast<uint8_t>(below(5) | below(5) << 4);
    b[21] = static_cast<uint8_t>((b[21] & 0x3C) | below(3) | below(2) << 6 | below(2) << 7);
    b[22] = static_cast<uint8_t>(below(2) << 7 | below(100));
    for (int k : {23, 25, 30, 60}) b[k] = below(100);
    b[68] = below(5);
    for (int form = 0; form < 4; ++form) {
        b[69 + 11 * form] = below(100);
        b[69 + 11 * form + 7] = below(100);
    }
    return b;
}

TEST(QmxCommand, WorkedExampleIsAcceptedAndGivesTheInitialBlock) {
    const Bytes example = WorkedExample();
    ASSERT_EQ(example.size(), qmx::kCommandLength);
    SettingsBlockBytes block{};
    block[0] = 1;
    block[1] = 4;
    qmx::CommandError error;
    ASSERT_TRUE(qmx::ApplySettingsCommand(example.data(), example.size(), block, &error)) << error.reason;
    EXPECT_EQ(block, qmx::InitialBlock());
}

TEST(QmxCommand, TestEncoderReproducesTheWorkedExample) {
    // Keeps the test's encoder honest before it is used for the property test below.
    EXPECT_EQ(EncodeForTest(qmx::InitialBlock()), WorkedExample());
}

TEST(QmxCommand, CommandAreaOf260WithZeroTailIsAccepted) {
    Bytes area = WorkedExample();
    area.resize(260, 0);
    qmx::CommandValues values;
    EXPECT_TRUE(qmx::ParseSettingsCommand(area.data(), area.size(), values));
}

TEST(QmxCommand, RandomCommandsStoreExactlyTheCarriedBits) {
    std::mt19937 rng(4711);
    for (int round = 0; round < 2000; ++round) {
        const SettingsBlockBytes source = RandomCarriableBlock(rng);
        const SettingsBlockBytes base = RandomBlock(rng);
        Bytes area = EncodeForTest(source);
        ASSERT_EQ(area.size(), qmx::kCommandLength);
        area.resize(260, 0);
        SettingsBlockBytes block = base;
        qmx::CommandError error;
        ASSERT_TRUE(qmx::ApplySettingsCommand(area.data(), area.size(), block, &error))
            << "round " << round << " at " << error.offset << ": " << error.reason;
        for (size_t i = 0; i < qmx::kBlockSize; ++i) {
            if (i == 21) {
                EXPECT_EQ(block[i], (source[i] & 0xC3) | (base[i] & 0x3C)) << "round " << round;
            } else if (Carried(i)) {
                EXPECT_EQ(block[i], source[i]) << "byte " << i << " round " << round;
            } else {
                EXPECT_EQ(block[i], base[i]) << "byte " << i << " changed, round " << round;
            }
        }
    }
}

struct Malformed {
    const char* what;
    size_t position;     // byte to replace (ignored when replacement < 0)
    int replacement;     // new byte, or -1 for a length case
    size_t size;         // size of the area handed over
    size_t errorOffset;  // where the parser must report the fault
};

// Positions in the worked example: switch bytes at 4/5, 7/8, 10/11, 13/14; font 1 at 16, font 2
// at 18, kanji table 20, quiet 22, postcard 24, paper set 26; head centering 28-29, 31-32,
// 34-36; page length 38-39; feeds 41-43, 45-47, 49-51, 53-55; offset 57-58; typeface 60;
// reduction 62; thickness 64-65; pressure 67-68; position 70-71; form select 73; form 1 at 75.
const Malformed kMalformed[] = {
    {"not FS", 0, 0x1B, 195, 0},
    {"upper-case letter", 1, 'O', 195, 1},
    {"leading field not zero", 2, '1', 195, 2},
    {"separator is a full stop", 3, '.', 195, 3},
    {"nibble above 0x0F", 5, 0x10, 195, 5},
    {"nibble sent as ASCII digit", 13, '8', 195, 13},
    {"separator after nibbles", 6, ';', 195, 6},
    {"font 1 digit 5", 16, '5', 195, 16},
    {"font 2 not a digit", 18, 'x', 195, 18},
    {"kanji table 3", 20, '3', 195, 20},
    {"quiet print 2", 22, '2', 195, 22},
    {"postcard mode 9", 24, '9', 195, 24},
    {"paper set 2", 26, '2', 195, 26},
    {"head centering with a space", 28, ' ', 195, 28},
    {"head centering rear 996", 34, '9', 195, 34},
    {"page length with a sign", 38, '+', 195, 38},
    {"feed 920", 41, '9', 195, 41},
    {"feed with a letter", 47, 'A', 195, 47},
    {"missing comma after feed", 56, '0', 195, 56},
    {"typeface 2", 60, '2', 195, 60},
    {"reduction code 2 (even)", 62, '2', 195, 62},
    {"reduction code 8", 62, '8', 195, 62},
    {"pressure lower-case hex", 67, 'f', 195, 67},
    {"position hex G", 71, 'G', 195, 71},
    {"form select 5", 73, '5', 195, 73},
    {"form 1 left margin 300", 78, '3', 195, 78},
    {"form 4 last value not a digit", 193, '/', 195, 193},
    {"final full stop is a comma", 194, ',', 195, 194},
    {"byte after the full stop", 195, '.', 260, 195},
    {"byte at the end of the area", 259, 1, 260, 259},
    {"one byte short", 0, -1, 194, 194},
    {"area longer than 260", 0, -1, 261, 260},
    {"empty", 0, -1, 0, 0},
};

TEST(QmxCommand, MalformedCommandsAreRefusedAndChangeNothing) {
    for (const auto& m : kMalformed) {
        Bytes area = WorkedExample();
        area.resize(300, 0);
        if (m.replacement >= 0) area[m.position] = static_cast<uint8_t>(m.replacement);
        std::mt19937 rng(7);
        const SettingsBlockBytes before = RandomBlock(rng);
        SettingsBlockBytes block = before;
        qmx::CommandError error;
        EXPECT_FALSE(qmx::ApplySettingsCommand(area.data(), m.size, block, &error)) << m.what;
        EXPECT_EQ(block, before) << m.what;
        EXPECT_EQ(error.offset, m.errorOffset) << m.what << ": " << error.reason;
        EXPECT_FALSE(error.reason.empty()) << m.what;
    }
}

TEST(QmxCommand, LargestValuesOfEachFieldKindAreAccepted) {
    Bytes c = WorkedExample();
    const std::pair<size_t, const char*> edits[] = {
        {4, "\x0F\x0F"}, {28, "99"}, {34, "255"}, {41, "255"}, {67, "FF"}, {70, "80"}, {62, "7"}, {16, "4"},
    };
    for (const auto& [at, text] : edits) std::memcpy(&c[at], text, std::strlen(text));
    SettingsBlockBytes block = qmx::InitialBlock();
    qmx::CommandError error;
    ASSERT_TRUE(qmx::ApplySettingsCommand(c.data(), c.size(), block, &error)) << error.reason;
    EXPECT_EQ(block[4], 0xFF);
    EXPECT_EQ(block[22], 0x80 | 99);
    EXPECT_EQ(block[24], 255);
    EXPECT_EQ(block[26], 255);
    EXPECT_EQ(block[61], 0xFF);
    EXPECT_EQ(block[64], 0x80);
    EXPECT_EQ(block[2], 7);
    EXPECT_EQ(block[20], 0x04);
}

TEST(QmxCommand, DescriptionShowsEveryFieldAsSent) {
    qmx::CommandValues values;
    const Bytes c = WorkedExample();
    ASSERT_TRUE(qmx::ParseSettingsCommand(c.data(), c.size(), values));
    const auto lines = qmx::DescribeCommand(values);
    ASSERT_EQ(lines.size(), qmx::kCommandFieldCount);
    EXPECT_NE(lines[4].find("08 00 (byte 0x08)"), std::string::npos) << lines[4];
    EXPECT_NE(lines[13].find("096"), std::string::npos) << lines[13];
    EXPECT_NE(lines[23].find("00"), std::string::npos) << lines[23];
}

}  // namespace
