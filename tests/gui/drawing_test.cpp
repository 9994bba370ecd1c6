// The drawing helpers with real GDI: the recoloured, centred bitmap (read back pixel by pixel),
// the icon at a point, and the ellipsis with the Japanese dialog font.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/AppState.h"
#include "pages_test.h"
#include "panel/Drawing.h"
#include "tests/support/ProgramState.h"
#include "tests/support/Pump.h"

namespace {

constexpr COLORREF kKey = RGB(0, 128, 128);
constexpr COLORREF kFill = RGB(255, 0, 255);
constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The test bitmap IDB_TEST_KEY_REGION, row by row (K key, R red, G green, B blue).
const char* const kKeyRegion[] = {
    "KKKRKKKK", "KRRRKKKK", "KRKRKGGK", "KRRRKGGK", "KKKKKKKK", "BBBBBBBB",
};

COLORREF ColourOf(char c, COLORREF key) {
    switch (c) {
        case 'K':
            return key;
        case 'R':
            return kRed;
        case 'G':
            return kGreen;
        default:
            return kBlue;
    }
}

// A borderless popup with a client area of the given size, painted in kBackground.
class Canvas {
public:
    Canvas(int width, int height) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = DefWindowProcA;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "RpDrawingCanvas";
        RegisterClassA(&cls);
        window_ = CreateWindowExA(WS_EX_TOPMOST, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, 50, 50, width,
                                  height, nullptr, nullptr, cls.hInstance, nullptr);
        rptest::PumpPending();
        HDC dc = GetDC(window_);
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(window_, dc);
    }
    ~Canvas() { DestroyWindow(window_); }
    HWND window() const { return window_; }
    COLORREF Pixel(int x, int y) const {
        HDC dc = GetDC(window_);
        COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window_, dc);
        return colour;
    }

private:
    HWND window_ = nullptr;
};

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { rptest::ResetProgramState(); }
    void TearDown() override { rptest::ResetProgramState(); }
};

// Every pixel of the 8 x 6 picture drawn at (x, y), as the expected colours say.
void ExpectPicture(const Canvas& canvas, int x, int y, COLORREF outerKey, COLORREF islandKey) {
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 8; ++col) {
            const bool island = row == 2 && col == 2;
            const COLORREF expected = ColourOf(kKeyRegion[row][col], island ? islandKey : outerKey);
            EXPECT_EQ(canvas.Pixel(x + col, y + row), expected) << "pixel " << col << "," << row;
        }
    }
}

TEST_F(DrawingTest, KeyColourConnectedToTheCornerIsReplacedAndTheBitmapCentred) {
    Canvas canvas(21, 11);  // (21 - 8) / 2 = 6, (11 - 6) / 2 = 2
    EXPECT_EQ(DrawBitmapCentered(canvas.window(), IDB_TEST_KEY_REGION, kKey, kFill), 1);
    ExpectPicture(canvas, 6, 2, kFill, kKey);
    EXPECT_EQ(canvas.Pixel(5, 2), kBackground);
    EXPECT_EQ(canvas.Pixel(14, 2), kBackground);
    EXPECT_EQ(canvas.Pixel(6, 1), kBackground);
    EXPECT_EQ(canvas.Pixel(6, 8), kBackground);
}

TEST_F(DrawingTest, KeyColourNotAtTheCornerCopiesTheBitmapUnchanged) {
    Canvas canvas(8, 6);
    EXPECT_EQ(DrawBitmapCentered(canvas.window(), IDB_TEST_KEY_ELSEWHERE, kKey, kFill), 1);
    EXPECT_EQ(canvas.Pixel(0, 0), kGreen);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 8; ++col) {
            if (row == 0 && col == 0) continue;
            EXPECT_EQ(canvas.Pixel(col, row), ColourOf(kKeyRegion[row][col], kKey)) << col << "," << row;
        }
    }
}

TEST_F(DrawingTest, InvalidKeyColourSkipsTheRecolouring) {
    Canvas canvas(8, 6);
    EXPECT_EQ(DrawBitmapCentered(canvas.window(), IDB_TEST_KEY_REGION, CLR_INVALID, kFill), 1);
    ExpectPicture(canvas, 0, 0, kKey, kKey);
}

TEST_F(DrawingTest, LargerBitmapGetsANegativeOffsetTruncatedTowardZero) {
    Canvas canvas(5, 3);  // (5 - 8) / 2 = -1 and (3 - 6) / 2 = -1, not -2
    EXPECT_EQ(DrawBitmapCentered(canvas.window(), IDB_TEST_KEY_REGION, kKey, kFill), 1);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool island = y + 1 == 2 && x + 1 == 2;
            const COLORREF expected = ColourOf(kKeyRegion[y + 1][x + 1], island ? kKey : kFill);
            EXPECT_EQ(canvas.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(DrawingTest, MissingBitmapDrawsNothing) {
    Canvas canvas(8, 6);
    EXPECT_EQ(DrawBitmapCentered(canvas.window(), 9999, kKey, kFill), 0);
    EXPECT_EQ(canvas.Pixel(3, 3), kBackground);
}

TEST_F(DrawingTest, IconIsDrawnWithItsCornerAtThePointOfTheControl) {
    Canvas canvas(120, 100);
    HWND control = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 60, canvas.window(),
                                   reinterpret_cast<HMENU>(277), GetModuleHandleA(nullptr), nullptr);
    rptest::PumpPending();
    HDC dc = GetDC(control);
    RECT all{0, 0, 80, 60};
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(control, dc);

    DrawIconAt(canvas.window(), POINT{24, 14}, 277, IDI_TEST_SQUARE);
    // The square covers (4..27, 4..27) of the icon; its border is transparent.
    const COLORREF yellow = RGB(255, 255, 0);
    EXPECT_EQ(canvas.Pixel(10 + 24 + 4, 10 + 14 + 4), yellow);
    EXPECT_EQ(canvas.Pixel(10 + 24 + 27, 10 + 14 + 27), yellow);
    EXPECT_EQ(canvas.Pixel(10 + 24 + 3, 10 + 14 + 4), kBackground);
    EXPECT_EQ(canvas.Pixel(10 + 24 + 28, 10 + 14 + 27), kBackground);
    EXPECT_EQ(canvas.Pixel(10 + 24 + 4, 10 + 14 + 3), kBackground);
}

// ---- FitTextWithEllipsis with a real font ---------------------------------------------------

class FitWithFont : public ::testing::Test {
protected:
    void SetUp() override {
        dc_ = CreateCompatibleDC(nullptr);
        font_ =
            CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "ＭＳ Ｐゴシック");
        previous_ = SelectObject(dc_, font_);
    }
    void TearDown() override {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    int Width(const std::string& text) const {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    std::string Fit(int maxWidth, const char* text, int* result) const {
        char out[256];
        std::memset(out, 'z', sizeof out);
        out[sizeof out - 1] = '\0';
        *result = FitTextWithEllipsis(dc_, maxWidth, text, "...", out, sizeof out);
        return out;
    }

    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(FitWithFont, TextThatFitsExactlyIsKept) {
    int result = 0;
    const char* text = "Brindlemark 400ZX";
    EXPECT_EQ(Fit(Width(text), text, &result), text);
    EXPECT_EQ(result, 1);
}

TEST_F(FitWithFont, EightLettersInRoomForThreeAndTheEllipsis) {
    const int three = Width("ABC...");
    ASSERT_LT(three, Width("ABCD..."));
    int result = 0;
    EXPECT_EQ(Fit(three, "ABCDEFGH", &result), "ABC...");
    EXPECT_EQ(Fit(Width("ABCD...") - 1, "ABCDEFGH", &result), "ABC...");
    EXPECT_EQ(result, 1);
}

TEST_F(FitWithFont, JapaneseTextIsCutBetweenCharacters) {
    const char* text = "ソ表能プリンタ";
    for (int width = Width("..."); width < Width(text); ++width) {
        int result = 0;
        const std::string out = Fit(width, text, &result);
        ASSERT_EQ(result, 1);
        ASSERT_GE(out.size(), 3u);
        const std::string kept = out.substr(0, out.size() - 3);
        EXPECT_EQ(out.substr(out.size() - 3), "...") << width;
        // Whole characters only: the kept bytes are a prefix that CharNextA steps over exactly.
        const char* at = kept.c_str();
        while (*at) at = CharNextA(at);
        EXPECT_EQ(static_cast<size_t>(at - kept.c_str()), kept.size()) << width;
        EXPECT_EQ(std::string(text).compare(0, kept.size(), kept), 0) << width;
        EXPECT_LE(Width(out), width) << width;
    }
}

TEST_F(FitWithFont, OnlyTheEllipsisOrNothing) {
    int result = 0;
    EXPECT_EQ(Fit(Width("..."), "プリンタ", &result), "...");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Fit(Width("...") - 1, "プリンタ", &result), "");
    EXPECT_EQ(result, 0);
}

TEST_F(FitWithFont, NonPositiveWidthLeavesTheOutputAlone) {
    int result = 1;
    EXPECT_EQ(Fit(0, "プリンタ", &result), std::string(255, 'z'));
    EXPECT_EQ(result, 0);
}

TEST_F(FitWithFont, LongNameIsCutToTheBufferWithoutOverrunningIt) {
    const std::string name(300, 'N');
    char out[256];
    std::memset(out, 'z', sizeof out);
    EXPECT_EQ(FitTextWithEllipsis(dc_, 100000, name.c_str(), "...", out, sizeof out), 1);
    EXPECT_EQ(std::string(out), std::string(252, 'N') + "...");
}

}  // namespace
