// The printer's settings kept in a file from the panel, through the standard file dialogs: a saved
// file that rpsettings imports into another printer, a file rpsettings exported and one line
// changed that the panel opens as an unsent edit, and a bad file that changes nothing.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/FileText.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "tests/e2e/e2e_support.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace shelltest {
namespace {

std::string TemporaryFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

// Answers the save or open dialog with `path`: the file name box takes the name, then OK; with
// `meanwhile`, that happens first and OK comes a moment later, from inside the dialog's loop.
void AnswerFileDialogs(rptest::MessageBoxRecorder& boxes, const std::string& path,
                       std::function<void()> meanwhile = nullptr) {
    boxes.OnDialog([path, meanwhile](HWND dialog) {
        HWND name = GetDlgItem(dialog, cmb13);
        if (!name) name = GetDlgItem(dialog, edt1);
        if (!name) return false;
        SetWindowTextA(name, path.c_str());
        const auto ok = [dialog] { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); };
        if (!meanwhile) return ok(), true;
        meanwhile();
        rptest::RunLater(400, ok);
        return true;
    });
}

const std::string kHeader = "RemotePanelSettings = 1\nModel = Brindlemark 400ZX\n";

std::string Formatted(UINT id, const std::string& path) {
    char text[1024];
    std::snprintf(text, sizeof text, ProgramString(id).c_str(), path.c_str());
    return text;
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

    // Exported by rpsettings, three lines changed (two feed distances that no list names), opened
    // in the panel: unsent edits until 更新, which writes exactly them.
    const std::string exported = TemporaryFile("rp_exported.txt");
    ASSERT_EQ(e2e::RunProgram("rpsettings.exe", "export LP1 \"" + exported + "\"").exitCode, 0u);
    std::string text;
    std::getline(std::ifstream(exported, std::ios::binary), text, '\0');
    const auto set = [&text](const std::string& key, const char* value) {
        const size_t at = text.find("\n" + key + " = ");
        ASSERT_NE(at, std::string::npos) << key;
        const size_t from = at + key.size() + 4;
        text.replace(from, text.find(' ', from) - from, value);
    };
    set("HeadCenterCutSheet", "44");
    set("FeedPosContFront", "37");
    set("Form1.FeedPosCutSheet", "50");
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
    expected[BlockFeedPos + FeedPathContFront] = 37;
    expected[BlockFormOffset(0) + FormBlockFeedPos + FeedPathCutSheet] = 50;
    EXPECT_EQ(Block("LP1"), expected) << "exactly those bytes";

    // A bad file (a NUL byte is a bad line like any other) and a file over the size limit: one
    // message naming the lines or the limit; nothing changes.
    const std::string bad = TemporaryFile("rp_bad.txt"), huge = TemporaryFile("rp_huge.txt");
    std::ofstream(bad, std::ios::binary) << kHeader << "PageLength = 0\n"
                                         << std::string("Nonsense\0 = 1\n", 14) << "Font9 = 1\n";
    std::ofstream(huge, std::ios::binary) << kHeader << "# " << std::string(1 << 20, 'x') << "\n";
    TypeOnPage0(IDC_HC_CUT_EDIT, "45");
    const PanelSettingsRecord shown = PanelSettings;
    const struct {
        std::string path;
        std::vector<std::string> said;
    } files[] = {{bad, {"行 3: PageLength", "行 4: NUL", "行 5: Font9"}}, {huge, {huge, kSettingsFileLimitText}}};
    for (const auto& file : files) {
        AnswerFileDialogs(boxes, file.path);
        boxes.Clear();
        FrameCommand(IDM_OPEN_SETTINGS);
        ASSERT_EQ(boxes.Count(), 1u) << file.path;
        const std::string& message = boxes.Boxes()[0].text;
        for (const std::string& said : file.said) EXPECT_NE(message.find(said), std::string::npos) << message;
        EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "45") << "the unsent edit stays";
        EXPECT_EQ(PanelSettings.PageLength, shown.PageLength);
    }
}

// An administrator's import beside the panel stays unless the operator changed the same setting,
// and then the operator is asked once, naming it: Cancel keeps the edit unsent, OK writes it.
TEST_F(ProgramTest, AnImportBesideThePanelIsKeptOrAskedAbout) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    const std::string file = TemporaryFile("rp_import.txt");
    const auto import = [&](const std::string& lines) {
        std::ofstream(file, std::ios::binary) << kHeader << lines;
        EXPECT_EQ(e2e::RunProgram("rpsettings.exe", "import LP1 \"" + file + "\"").exitCode, 0u);
    };
    const uint8_t postcard = Block("LP1")[BlockPrintModes] & BlockPostcardModeBit;
    rptest::MessageBoxRecorder boxes({IDCANCEL, IDOK});
    SendMessageA(GetDlgItem(Page0(), IDC_POSTCARD_MODE), BM_CLICK, 0, 0);
    import("PageLength = 72\nHeadCenterCutSheet = 40\n");
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(Block("LP1")[BlockPageLength], 72);
    EXPECT_NE(Block("LP1")[BlockPrintModes] & BlockPostcardModeBit, postcard);
    EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "40") << "the pages show it";

    TypeOnPage0(IDC_HC_CUT_EDIT, "33");
    import("HeadCenterCutSheet = 41\n");
    Command(IDC_UPDATE_AND_EXIT);
    ASSERT_FALSE(ProgramEnded());
    ASSERT_EQ(boxes.Count(), 1u) << "keeping the edits asks nothing more";
    EXPECT_NE(boxes.Boxes()[0].text.find(FindSettingKey("HeadCenterCutSheet")->Label), std::string::npos);
    EXPECT_EQ(Block("LP1")[BlockHeadCenterCutSheet] & BlockHeadCenterMask, 41);
    ASSERT_TRUE(Enabled(IDC_UPDATE)) << "the edit stays unsent";
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Block("LP1")[BlockHeadCenterCutSheet] & BlockHeadCenterMask, 33);
}

// On a printer whose settings cannot be read (initial values shown), a file that leaves settings
// out asks first, since those are written as shown: Cancel changes nothing, OK applies it.
TEST_F(ProgramTest, APartialFileOverInitialValuesAsksFirst) {
    Install({"LP1", "LP2"});
    vp::ApplyPreset("LP1", "update-only");
    rptest::MessageBoxRecorder boxes({IDOK, IDCANCEL, IDOK});  // 61, then the question twice
    ASSERT_NE(Start("LP1"), nullptr);
    const std::string file = TemporaryFile("rp_partial.txt");
    std::ofstream(file, std::ios::binary) << kHeader << "PageLength = 40\n";
    AnswerFileDialogs(boxes, file);
    FrameCommand(IDM_OPEN_SETTINGS);
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, Formatted(IDS_FILE_PARTIAL_NOT_READ, file));
    EXPECT_NE(PanelSettings.PageLength, 40);
    FrameCommand(IDM_OPEN_SETTINGS);
    EXPECT_EQ(PanelSettings.PageLength, 40);
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    PanelSettingsRecord initial{};
    LoadInitialSettings(initial);
    EXPECT_EQ(Block("LP1")[BlockPageLength], 40);
    EXPECT_EQ(Block("LP1")[BlockHeadCenterCutSheet] & BlockHeadCenterMask, initial.HeadCenterCutSheet);
}

// A save or open whose printer went offline while its dialog was up writes and applies nothing.
TEST_F(ProgramTest, ASaveOrOpenWhileThePrinterWentDoesNothing) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    const std::string file = TemporaryFile("rp_stale.txt");
    for (const auto& [command, text] : {std::pair{IDM_SAVE_SETTINGS, IDS_FILE_SAVE_STALE},
                                        std::pair{IDM_OPEN_SETTINGS, IDS_FILE_OPEN_STALE}}) {
        DeleteFileA(file.c_str());
        if (command == IDM_OPEN_SETTINGS)
            std::ofstream(file, std::ios::binary) << kHeader << "PageLength = 40\n";
        const PanelSettingsRecord shown = PanelSettings;
        rptest::MessageBoxRecorder boxes;
        AnswerFileDialogs(boxes, file, [] { vp::ApplyPreset("LP1", "offline"); });
        FrameCommand(command);
        ASSERT_EQ(boxes.Count(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, Formatted(text, file));
        EXPECT_EQ(PanelSettings.PageLength, shown.PageLength);
        EXPECT_EQ(GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES, command == IDM_OPEN_SETTINGS);
        vp::ApplyPreset("LP1", "idle");
        Settle();
        ASSERT_TRUE(WaitIdle());
    }
}

// 更新 keeps what the printer held in the user's history folder first; when that cannot be done
// (a file stands where the printer's folder goes), nothing is sent and the edit stays unsent.
TEST_F(ProgramTest, UpdateKeepsThePrintersSettingsInItsHistoryFirst) {
    Install({"LP1"});
    char local[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local), 0u);
    const std::string root = std::string(local) + "\\Kestrovane RemotePanel", folder = root + "\\history\\LP1";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\history").c_str(), nullptr);
    const auto removeFolder = [&folder] {
        WIN32_FIND_DATAA found{};
        const HANDLE search = FindFirstFileA((folder + "\\*.txt").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        RemoveDirectoryA(folder.c_str());
    };
    removeFolder();
    std::ofstream(folder, std::ios::binary) << "in the way";
    ASSERT_NE(Start("LP1"), nullptr);
    const qmx::SettingsBlockBytes before = Block("LP1");
    rptest::MessageBoxRecorder boxes;
    TypeOnPage0(IDC_HC_CUT_EDIT, "44");
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.find(folder), std::string::npos) << boxes.Boxes()[0].text;
    EXPECT_EQ(Printer("LP1").writeCount, 0u) << "nothing sent";
    ASSERT_TRUE(Enabled(IDC_UPDATE)) << "the edit stays unsent";

    DeleteFileA(folder.c_str());
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Block("LP1")[BlockHeadCenterCutSheet] & BlockHeadCenterMask, 44);
    WIN32_FIND_DATAA found{};
    const HANDLE kept = FindFirstFileA((folder + "\\*Z.txt").c_str(), &found);
    ASSERT_NE(kept, INVALID_HANDLE_VALUE) << "a history file";
    FindClose(kept);
    std::string text;
    std::getline(std::ifstream(folder + "\\" + found.cFileName, std::ios::binary), text, '\0');
    const std::string line = "\nHeadCenterCutSheet = ";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(std::atoi(text.c_str() + at + line.size()), before[BlockHeadCenterCutSheet] & BlockHeadCenterMask)
        << "the value before the write";
    removeFolder();
}

}  // namespace
}  // namespace shelltest
