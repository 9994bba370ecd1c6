// The ellipsis walk over CP932 text, with a fake measurer: ASCII letters are 5 pixels wide, the
// dot 2, a double-byte character 10. "..." is therefore 6 pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/Text.h"
#include "panel/TextFit.h"

namespace {

int32_t FakeWidth(const char* text, size_t length) {
    int32_t width = 0;
    for (size_t i = 0; i < length;) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsCp932LeadByte(byte) && i + 1 < length) {
            width += 10;
            i += 2;
        } else {
            width += byte == '.' ? 2 : 5;
            i += 1;
        }
    }
    return width;
}

struct Fit {
    int result;
    std::string out;
    int measured;  // number of measurements taken
};

Fit RunFit(int32_t maxWidth, const char* text, const char* ellipsis = "...", size_t outSize = 64) {
    Fit fit{0, {}, 0};
    std::string buffer(outSize, 'z');
    const TextMeasure measure = [&fit](const char* piece, size_t length, int32_t* width) {
        ++fit.measured;
        *width = FakeWidth(piece, length);
        return true;
    };
    fit.result =
        FitTextWalk(maxWidth, text, ellipsis, buffer.data(), buffer.size(), measure, NextCp932Character);
    fit.out = std::string(buffer.c_str());
    return fit;
}

struct FitCase {
    const char* name;
    int32_t maxWidth;
    const char* text;
    int result;
    const char* out;
};

class FitTextCases : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTextCases, GivesTheExpectedText) {
    const FitCase& c = GetParam();
    const Fit fit = RunFit(c.maxWidth, c.text);
    EXPECT_EQ(fit.result, c.result);
    EXPECT_EQ(fit.out, std::string(c.out));
}

INSTANTIATE_TEST_SUITE_P(
    Walk, FitTextCases,
    ::testing::Values(FitCase{"FitsWithRoomToSpare", 100, "ABCDEFGH", 1, "ABCDEFGH"},
                      FitCase{"FitsExactly", 40, "ABCDEFGH", 1, "ABCDEFGH"},
                      // Three letters + "..." = 21, four = 26: every width from 21 to 25 keeps three.
                      FitCase{"ThreeLettersFitExactlyWithEllipsis", 21, "ABCDEFGH", 1, "ABC..."},
                      FitCase{"ThreeLettersFitNotFour", 25, "ABCDEFGH", 1, "ABC..."},
                      FitCase{"OneCharacterShortOfTheWholeText", 39, "ABCDEFGH", 1, "ABCDEF..."},
                      // あい... = 26, あいう... = 36.
                      FitCase{"DoubleByteCutBetweenCharacters", 35, "あいうえお", 1, "あい..."},
                      // ソ and 表 end in 0x5C; a cut at a byte count would split them.
                      FitCase{"TrailByteBackslashNeverSplit", 30, "ソ表ソ表", 1, "ソ表..."},
                      FitCase{"MixedSingleAndDoubleByte", 30, "AあBいC", 1, "AあB..."},
                      FitCase{"OnlyTheEllipsisFits", 10, "ABCD", 1, "..."},
                      FitCase{"SingleCharacterTooWideGivesEllipsis", 9, "あ", 1, "..."},
                      FitCase{"EllipsisAloneTooWide", 5, "ABCD", 0, ""}, FitCase{"EmptyText", 10, "", 1, ""}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(FitText, NonPositiveWidthOrMissingTextLeavesOutputUntouched) {
    for (int32_t width : {0, -1}) {
        const Fit fit = RunFit(width, "ABC");
        EXPECT_EQ(fit.result, 0) << width;
        EXPECT_EQ(fit.out, std::string(64, 'z')) << width;
    }
    const Fit fit = RunFit(100, nullptr);
    EXPECT_EQ(fit.result, 0);
    EXPECT_EQ(fit.out, std::string(64, 'z'));
}

TEST(FitText, OutputNeverEndsInALoneLeadByte) {
    // Every width from the ellipsis to the whole text: the output is whole characters + "...".
    const char* text = "プリンタ名ソ表";
    for (int32_t width = 6; width < 70; ++width) {
        const Fit fit = RunFit(width, text);
        std::string kept = fit.out;
        if (kept.size() >= 3 && kept.compare(kept.size() - 3, 3, "...") == 0) kept.resize(kept.size() - 3);
        size_t i = 0;
        while (i < kept.size()) i += IsCp932LeadByte(static_cast<unsigned char>(kept[i])) ? 2 : 1;
        EXPECT_EQ(i, kept.size()) << "width " << width;
        EXPECT_EQ(std::string(text).compare(0, kept.size(), kept), 0) << "width " << width;
    }
}

TEST(FitText, BufferShorterThanTheTextCutsItWithEllipsisInsteadOfOverrunning) {
    // The text fits the width but not the 6-byte buffer: two letters + "..." + terminator.
    const Fit fit = RunFit(1000, "ABCDEFGH", "...", 6);
    EXPECT_EQ(fit.result, 1);
    EXPECT_EQ(fit.out, "AB...");
    // "AあいB" is 6 bytes: in a 6-byte buffer, "Aあ..." would need 7 with its terminator.
    const Fit kanji = RunFit(1000, "AあいB", "...", 6);
    EXPECT_EQ(kanji.out, "A...");
}

TEST(FitText, EllipsisLongerThanTheBufferGivesEmptyOutput) {
    const Fit fit = RunFit(1000, "ABCDEFGH", "...", 3);
    EXPECT_EQ(fit.result, 0);
    EXPECT_EQ(fit.out, "");
}

TEST(FitText, TextThatCannotBeMeasuredIsNeverClaimedToFit) {
    char out[16] = {};
    const TextMeasure failing = [](const char*, size_t, int32_t*) { return false; };
    EXPECT_EQ(FitTextWalk(100, "ABC", "...", out, sizeof out, failing, NextCp932Character), 0);
    EXPECT_STREQ(out, "");
}

TEST(FitText, MeasuresOneCandidatePerBoundaryAndStopsAtTheFirstTooWide) {
    // 100 letters, width for 20 letters + "..." and 2 pixels more: the whole text, the ellipsis,
    // then candidates of 1..21 letters (the 21st is the first too wide).
    const std::string text(100, 'A');
    const Fit fit = RunFit(5 * 20 + 6 + 2, text.c_str(), "...", 256);
    EXPECT_EQ(fit.out, std::string(20, 'A') + "...");
    EXPECT_EQ(fit.measured, 2 + 21);
}

}  // namespace
