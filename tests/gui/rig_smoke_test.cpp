// Proves the build and test rig: the Wine prefix runs with the Japanese code page, UTF-8 resource
// sources come back as CP932 bytes, dialog templates with the Japanese dialog font load, and
// Japanese C++ literals are compiled to the same CP932 bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "rig_smoke.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

std::string Bytes(const char* text) { return std::string(text); }

using rptest::ProgramString;

TEST(RigSmoke, AnsiCodePageIsJapanese) { EXPECT_EQ(GetACP(), 932u); }

TEST(RigSmoke, JapaneseLiteralIsCp932) {
    // "ソ" is 83 5C in CP932: its second byte is a backslash, the classic trail-byte trap.
    EXPECT_EQ(Bytes("ソ"), std::string("\x83\x5C"));
    EXPECT_EQ(Bytes("表"), std::string("\x95\x5C"));
    EXPECT_EQ(Bytes("リモートパネル"),
              std::string("\x83\x8A\x83\x82\x81\x5B\x83\x67\x83\x70\x83\x6C\x83\x8B"));
}

TEST(RigSmoke, StringTableReturnsCp932BytesEqualToLiterals) {
    EXPECT_EQ(ProgramString(IDS_APP_TITLE), Bytes("Kestrovane リモートパネル"));
    EXPECT_EQ(ProgramString(IDS_TAB_PRINT), Bytes("印刷      "));
    EXPECT_EQ(ProgramString(IDS_TAB_OTHER), Bytes("その他　"));
    EXPECT_EQ(ProgramString(IDS_NO_SIZE), Bytes("     "));
    EXPECT_EQ(ProgramString(IDS_FILE_PORT_REFUSED),
              Bytes("\"FILE:\"に接続されているため、設定の読み込み/更新ができません。\n"
                    "リモートパネルを終了します。"));
}

INT_PTR CALLBACK SmokeDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* out = reinterpret_cast<std::string*>(lParam);
        char text[256] = {};
        GetDlgItemTextA(dialog, IDC_RIG_SMOKE_TEXT, text, sizeof text);
        out[0] = text;
        out[1] = rptest::WindowText(dialog);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
        out[2] = font.lfFaceName;
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

TEST(RigSmoke, DialogTemplateWithJapaneseFontLoadsAndKeepsTexts) {
    std::string seen[3];
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_RIG_SMOKE), nullptr,
                                     SmokeDialogProc, reinterpret_cast<LPARAM>(seen));
    ASSERT_EQ(result, 1);
    EXPECT_EQ(seen[0], Bytes("表示ソフト（ソ・表・能）"));
    EXPECT_EQ(seen[1], Bytes("リグの確認"));
    EXPECT_EQ(seen[2], Bytes("ＭＳ Ｐゴシック"));
}

TEST(RigSmoke, MessageBoxRecorderReadsAndAnswersBoxes) {
    rptest::MessageBoxRecorder recorder({IDCANCEL});
    int pressed = MessageBoxA(nullptr, "本文", "見出し", MB_OKCANCEL | MB_ICONWARNING);
    EXPECT_EQ(pressed, IDCANCEL);
    ASSERT_EQ(recorder.Count(), 1u);
    const rptest::RecordedBox& box = recorder.Boxes()[0];
    EXPECT_EQ(box.text, Bytes("本文"));
    EXPECT_EQ(box.caption, Bytes("見出し"));
    EXPECT_EQ(box.icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK, IDCANCEL}));
}

}  // namespace
