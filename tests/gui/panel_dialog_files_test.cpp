// The printer's settings kept in a file from the panel, through the standard file dialogs: a saved
// file that rpsettings imports into another printer, a file rpsettings exported and one line
// changed that the panel opens as an unsent edit, and a bad file that changes nothing.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "tests/e2e/e2e_support.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace shelltest {
namespace {

std::string TemporaryFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

// Answers the save or open dialog with `path`: the file name box takes the name, then OK.
void AnswerFileDialogs(rptest::MessageBoxRecorder& boxes, const std::string& path) {
    boxes.OnDialog([path](HWND dialog) {
        HWND name = GetDlgItem(dialog, cmb13);
        if (!name) name = GetDlgItem(dialog, edt1);
        if (!name) return false;
        SetWindowTextA(name, path.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    });
}

qmx::SettingsBlockBytes Block(const char* printer) {
    qmx::SettingsBlockBytes block{};
    EXPECT_EQ(vp::GetBlock(printer, block), 0u);
    return block;
}

TEST_F(ProgramTest, SettingsSavedToAndOpenedFromAFile) {
    Install({"LP1", "LP2"});
    ASSERT_EQ(vp::PatchBlock("LP1", BlockFeedPos + FeedPathContFront, {100}), 0u);
    ASSERT_EQ(vp::PatchBlock("LP1", BlockHeadCenterCutSheet, {0x80 | 30}), 0u);
    ASSERT_NE(Start("LP1"), nullptr);
    rptest::MessageBoxRecorder boxes;

    // Saved from the panel, imported by rpsettings into LP2: the same block.
    const std::string saved = TemporaryFile("rp_saved.txt");
    DeleteFileA(saved.c_str());
    AnswerFileDialogs(boxes, saved);
    FrameCommand(IDM_SAVE_SETTINGS);
    ASSERT_EQ(GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES, true) << "the file was written";
    EXPECT_EQ(e2e::RunProgram("rpsettings.exe", "import LP2 \"" + saved + "\"").exitCode, 0u);
    EXPECT_EQ(Block("LP2"), Block("LP1"));
    EXPECT_EQ(Printer("LP1").writeCount, 0u) << "saving sends nothing to the printer";

    // Exported by rpsettings, one line changed, opened in the panel: an unsent edit until 更新.
    const std::string exported = TemporaryFile("rp_exported.txt");
    ASSERT_EQ(e2e::RunProgram("rpsettings.exe", "export LP1 \"" + exported + "\"").exitCode, 0u);
    std::string text;
    std::getline(std::ifstream(exported, std::ios::binary), text, '\0');
    const size_t line = text.find("HeadCenterCutSheet = 30");
    ASSERT_NE(line, std::string::npos);
    text.replace(line, 23, "HeadCenterCutSheet = 44");
    std::ofstream(exported, std::ios::binary) << text;
    const qmx::SettingsBlockBytes before = Block("LP1");
    AnswerFileDialogs(boxes, exported);
    FrameCommand(IDM_OPEN_SETTINGS);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "44");
    EXPECT_TRUE(Enabled(IDC_UPDATE));
    EXPECT_EQ(Block("LP1"), before) << "opening never writes";
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    qmx::SettingsBlockBytes expected = before;
    expected[BlockHeadCenterCutSheet] = 0x80 | 44;
    EXPECT_EQ(Block("LP1"), expected) << "exactly that byte";

    // A bad file: one message naming its lines; nothing changes.
    const std::string bad = TemporaryFile("rp_bad.txt");
    std::ofstream(bad, std::ios::binary)
        << "RemotePanelSettings = 1\nModel = Brindlemark 400ZX\nPageLength = 0\n"
        << "Nonsense = 1\n";
    TypeOnPage0(IDC_HC_CUT_EDIT, "45");
    const PanelSettingsRecord shown = PanelSettings;
    AnswerFileDialogs(boxes, bad);
    boxes.Clear();
    FrameCommand(IDM_OPEN_SETTINGS);
    ASSERT_EQ(boxes.Count(), 1u);
    const std::string& message = boxes.Boxes()[0].text;
    EXPECT_NE(message.find("行 3: PageLength"), std::string::npos) << message;
    EXPECT_NE(message.find("行 4: Nonsense"), std::string::npos) << message;
    EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "45") << "the unsent edit stays";
    EXPECT_EQ(PanelSettings.PageLength, shown.PageLength);
}

}  // namespace
}  // namespace shelltest
