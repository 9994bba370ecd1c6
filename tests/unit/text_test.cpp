#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/Text.h"

namespace {

// "設定" is two double-byte characters: 90 DD 92 E8 in CP932.
const char kTwoKanji[] = "\x90\xDD\x92\xE8";

TEST(BoundedText, FormatFitsUnchanged) {
    char out[32];
    EXPECT_EQ(FormatBounded(out, sizeof out, "%s - %s", "A", "B"), 5u);
    EXPECT_STREQ(out, "A - B");
}

TEST(BoundedText, FormatCutsAtCharacterBoundaryNeverSplittingADoubleByteCharacter) {
    // "ab" + two kanji = 6 bytes; a buffer of 6 keeps 5 bytes at most, which would split the
    // second kanji: it must keep "ab" + the first kanji only.
    char out[6];
    std::memset(out, 'x', sizeof out);
    size_t length = FormatBounded(out, sizeof out, "ab%s", kTwoKanji);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(std::string(out), std::string("ab\x90\xDD"));
}

TEST(BoundedText, LongPrinterNameNeverOverrunsACaptionBuffer) {
    std::string name(300, 'N');
    char out[256 + 8];
    std::memset(out, '#', sizeof out);
    size_t length = FormatBounded(out, 256, "%s - %s", "Kestrovane", name.c_str());
    EXPECT_EQ(length, 255u);
    EXPECT_EQ(out[255], '\0');
    for (size_t i = 256; i < sizeof out; ++i) EXPECT_EQ(out[i], '#') << i;
}

TEST(BoundedText, CopyHandlesNullEmptyAndExactFit) {
    char out[4];
    EXPECT_EQ(CopyBounded(out, sizeof out, nullptr), 0u);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(CopyBounded(out, sizeof out, "abc"), 3u);
    EXPECT_STREQ(out, "abc");
    EXPECT_EQ(CopyBounded(out, sizeof out, "abcd"), 3u);
    EXPECT_STREQ(out, "abc");
    EXPECT_EQ(CopyBounded(out, sizeof out, "a\x90\xDD\x92\xE8"), 3u);
    EXPECT_EQ(std::string(out), std::string("a\x90\xDD"));
    EXPECT_EQ(CopyBounded(out, sizeof out, "ab\x90\xDD"), 2u);
    EXPECT_STREQ(out, "ab");
}

TEST(BoundedText, TrailByteThatLooksLikeALeadByteIsNotMistaken) {
    // "ソ" is 83 5C and "表" 95 5C; 0x83 and 0x95 are lead bytes, 0x5C trail bytes. A text of
    // three of them cut to 5 bytes keeps two whole characters.
    char text[] = "\x83\x5C\x95\x5C\x83\x5C";
    EXPECT_EQ(TruncateCp932(text, 5), 4u);
    EXPECT_EQ(std::string(text), std::string("\x83\x5C\x95\x5C"));
}

// A printer's name as a file name Windows takes, and the temporary name beside a file: forbidden
// characters replaced, device names given a "_", the length cut to the limit with room for what
// follows, and "ソ" (83 5C) and "表" (95 5C) kept whole, never cut in half nor taken for a "\\".
TEST(BoundedText, FileNamesWindowsTakes) {
    const std::string a250(250, 'a'), so130 = [] {
        std::string s;
        for (int i = 0; i < 130; ++i) s += "\x83\x5C";
        return s;
    }();
    const struct {
        std::string name;
        size_t room;
        std::string file;
    } names[] = {{"\\\\srv\\lp1", 0, "__srv_lp1"},
                 {"a:b*c?d\"e<f>g|h/i", 0, "a_b_c_d_e_f_g_h_i"},
                 {"\x83\x5C\x95\x5C", 0, "\x83\x5C\x95\x5C"},
                 {"LP1. ", 0, "LP1"},
                 {"", 0, "settings"},
                 {"x\x83", 0, "x_"},
                 {"tab\there\r\n", 0, "tab_here__"},
                 {"PRN", 0, "PRN_"},
                 {"con", 0, "con_"},
                 {"LPT1.lan", 0, "LPT1_.lan"},
                 {"Com9 .x", 0, "Com9 _.x"},
                 {"NUL...", 0, "NUL_"},
                 {"LPT10", 0, "LPT10"},
                 {"CONSOLE", 0, "CONSOLE"},
                 {a250, 8, std::string(247, 'a')},
                 {a250 + "   .. x", 0, a250},
                 {std::string(246, 'a') + " . b", 8, std::string(246, 'a')},
                 {"x" + so130, 8, "x" + so130.substr(0, 246)}};
    for (const auto& c : names) EXPECT_EQ(FileNameFrom(c.name, c.room), c.file) << c.name;

    const struct {
        std::string path, temporary;
    } temporaries[] = {{"C:\\f\\LP1.txt", "C:\\f\\LP1.txt.new"},
                       {"LP1.txt", "LP1.txt.new"},
                       {"C:\\" + a250 + ".txt", "C:\\" + a250 + "..new"},
                       {"C:\\\x95\x5C\\" + so130, "C:\\\x95\x5C\\" + so130.substr(0, 248) + ".new"},
                       {"C:\\" + std::string(200, 'd') + "\\" + std::string(53, 'n'),
                        "C:\\" + std::string(200, 'd') + "\\" + std::string(51, 'n') + ".new"}};
    for (const auto& c : temporaries) EXPECT_EQ(TemporaryFileName(c.path), c.temporary) << c.path;
}

}  // namespace
