// remotepanel.exe working on a virtual printer, driven from this process through window messages
// as a user's typing and clicks would reach it: the settings are read and shown, edited, written
// (更新, then 更新後終了), and what the printer holds is checked with qmxctl.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "qmx/VirtualPrinters.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/e2e_support.h"

namespace {

namespace vp = qmx::vp;

const char kProgram[] = "remotepanel.exe";
const char kFrameClass[] = "RPWndClass";
constexpr UINT kCloseRequest = WM_USER + 201;
constexpr int kUpdateAndExit = 1050;
constexpr int kUpdate = 12321;
constexpr int kHeadCutSheetEdit = 1323;
constexpr int kHeadFrontEdit = 1324;

class PanelProgramTest : public e2e::OnePrinterTest {
protected:
    // The running program's frame, once its settings have been read, and its first page.
    void Attach(e2e::Child& child) {
        ASSERT_TRUE(child.Started());
        frame_ = e2e::WaitForWindow(child.Id(), kFrameClass, "Kestrovane リモートパネル - LP1");
        ASSERT_NE(frame_, nullptr);
        ASSERT_TRUE(e2e::WaitUntilReadEnded(frame_));
        panel_ = e2e::PanelOf(frame_);
        ASSERT_NE(panel_, nullptr);
        page_ = FindWindowExA(panel_, nullptr, "#32770", nullptr);
        ASSERT_NE(page_, nullptr);
    }
    // Types into an edit of the first page (the edit tells its page, the page the panel).
    void Type(int editId, const char* text) {
        SendMessageA(GetDlgItem(page_, editId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    void Click(int buttonId) {
        PostMessageA(panel_, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(panel_, buttonId)));
    }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(panel_, id)) != FALSE; }
    // The printer's stored block as qmxctl shows it.
    static std::string Block() { return e2e::RunAndCapture("qmxctl.exe", "block LP1"); }
    static bool Shows(const std::string& block, const std::string& line) {
        return block.find(line) != std::string::npos;
    }

    HWND frame_ = nullptr, panel_ = nullptr, page_ = nullptr;
};

TEST_F(PanelProgramTest, EditedSettingsAreWrittenAndTheProgramEndsAfterUpdateAndExit) {
    ASSERT_EQ(vp::PatchBlock("LP1", 22, {30}), 0u);
    e2e::Child child(kProgram, "");
    Attach(child);
    EXPECT_EQ(e2e::WindowText(GetDlgItem(page_, kHeadCutSheetEdit)), "30");
    EXPECT_FALSE(Enabled(kUpdate));

    // 更新: written while the program goes on.
    Type(kHeadCutSheetEdit, "52");
    EXPECT_TRUE(Enabled(kUpdate));
    Click(kUpdate);
    std::string block;
    for (int i = 0; i < 200 && !Shows(block = Block(), "head cut sheet   center, 52"); ++i) Sleep(50);
    EXPECT_TRUE(Shows(block, "head cut sheet   center, 52")) << block;
    EXPECT_TRUE(child.Running());
    for (int i = 0; i < 100 && Enabled(kUpdate); ++i) Sleep(50);
    EXPECT_FALSE(Enabled(kUpdate));

    // 更新後終了: written before the program ends.
    Type(kHeadFrontEdit, "61");
    Click(kUpdateAndExit);
    EXPECT_EQ(child.Wait(), 0u);
    block = Block();
    EXPECT_TRUE(Shows(block, "head centering cont. front  61")) << block;
    EXPECT_TRUE(Shows(block, "head cut sheet   center, 52")) << block;
    const std::string last = e2e::RunAndCapture("qmxctl.exe", "last LP1");
    EXPECT_NE(last.find("1C 6F"), std::string::npos) << last;  // FS "o"
}

TEST_F(PanelProgramTest, ClosingWithUnwrittenEditsAsksAndCancelKeepsThemOnScreen) {
    e2e::Child child(kProgram, "");
    Attach(child);
    Type(kHeadCutSheetEdit, "44");
    PostMessageA(frame_, kCloseRequest, 0, 0);
    e2e::Box box = e2e::WaitForBox(child.Id());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "設定が変更されています。コマンドを続行すると設定の変更は破棄されます。");
    e2e::Press(box.window, IDCANCEL);
    Sleep(300);
    EXPECT_TRUE(child.Running());
    EXPECT_EQ(e2e::WindowText(GetDlgItem(page_, kHeadCutSheetEdit)), "44");
    vp::PrinterInfo info;
    ASSERT_EQ(vp::Get("LP1", info), 0u);
    EXPECT_EQ(info.writeCount, 0u);
}

}  // namespace
