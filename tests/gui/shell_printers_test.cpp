// The frame told that the installed printers changed (WM_PRINTERS_CHANGED).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/Messages.h"
#include "panel/PanelPages.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "shell/Startup.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

const char kRemoved[] = "このプリンタは削除されました。";
using shelltest::kTitle;

class PrintersChangedTest : public shelltest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Install({"LP1", "LP2"});
        AppState.InstanceMapping = GuardSingleInstance("LP1");
        // The panel has opened its session on LP1 and read its settings.
        frame_ = Start("LP1");
        ASSERT_NE(frame_, nullptr);
        ASSERT_NE(AppState.Session, nullptr);
        CopyMemory(AppState.StatusText, "ready", 6);
        LoadInitialSettings();
    }

    LRESULT Changed(std::vector<std::string> installed) {
        shelltest::Install(installed);
        return SendMessageA(frame_, WM_PRINTERS_CHANGED, 0, 0);
    }
    bool ChangePrinterEnabled() {
        return SendMessageA(AppState.ToolbarWindow, TB_ISBUTTONENABLED, IDM_CHANGE_PRINTER, 0) != 0;
    }

    HWND frame_ = nullptr;
};

TEST_F(PrintersChangedTest, WithoutCurrentPrinterNothingHappens) {
    AppState.CurrentPrinter = nullptr;
    AppState.SeveralPrinters = 0;  // the change-printer button would go off if it were updated
    PrinterEntry* list = AppState.PrinterList;
    EXPECT_EQ(Changed({"LP3"}), 1);
    EXPECT_EQ(AppState.PrinterList, list);
    EXPECT_TRUE(ChangePrinterEnabled());
}

TEST_F(PrintersChangedTest, CurrentPrinterStillInstalledChangesOnlySeveralPrintersAndTheButton) {
    HANDLE mapping = AppState.InstanceMapping;
    QMXSESSION session = AppState.Session;
    EnableWindow(GetDlgItem(panel_, IDC_MODEL_TEXT), TRUE);  // as with loaded settings
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(Changed({"LP1"}), 1);
    EXPECT_EQ(AppState.SeveralPrinters, 0);
    EXPECT_FALSE(ChangePrinterEnabled());
    ASSERT_NE(AppState.CurrentPrinter, nullptr);
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP1");
    EXPECT_EQ(AppState.CurrentPrinter, AppState.PrinterList);

    EXPECT_EQ(Changed({"LP0", "LP1", "LP3"}), 1);
    EXPECT_EQ(AppState.SeveralPrinters, 1);
    EXPECT_TRUE(ChangePrinterEnabled());
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP1");

    // Nothing else moved.
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(AppState.Session, session);
    EXPECT_EQ(AppState.InstanceMapping, mapping);
    EXPECT_EQ(AppState.CanRead, 1);
    EXPECT_EQ(AppState.CanUpdate, 1);
    EXPECT_STREQ(AppState.StatusText, "ready");
    EXPECT_TRUE(SettingsLoaded());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(panel_, IDC_MODEL_TEXT)));
}

TEST_F(PrintersChangedTest, NoPrinterLeftEndsTheProgramAfterMessages121And74) {
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(Changed({}), 1);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text,
              std::string(kRemoved) + "Brindlemark 400ZXが存在しません。リモートパネルを終了します。");
    EXPECT_EQ(recorder.Boxes()[0].caption, std::string(kTitle) + " - LP1");
    EXPECT_EQ(recorder.Boxes()[0].icon, rptest::BoxIcon::Warning);
    EXPECT_FALSE(IsWindow(frame_));
}

// What the program looks like while the selection dialog is offered.
struct WhileOffered {
    bool offered = false;
    int canRead = -1, canUpdate = -1;
    std::string statusText, statusArea;
    bool modelLineEnabled = true, settingsLoaded = true, sessionOpen = true, printerFree = false;
    size_t boxesBefore = 0;
};

TEST_F(PrintersChangedTest, RemovedCurrentPrinterOffersTheOthersAndStartsOverOnTheChoice) {
    for (int choose : {IDC_SELECT_CANCEL, IDC_SELECT_OK}) {
        SCOPED_TRACE(choose);
        if (!IsWindow(frame_)) SetUp();
        EnableWindow(GetDlgItem(panel_, IDC_MODEL_TEXT), TRUE);
        SendMessageA(panel_, WM_SETTINGS_CHANGED, 0, 0);  // an unsent edit
        TabCtrl_SetCurSel(GetDlgItem(panel_, IDC_TABS), 2);
        rptest::MessageBoxRecorder recorder;
        WhileOffered seen;
        recorder.OnDialog([&](HWND dialog) {
            if (rptest::WindowText(dialog) != "プリンタの選択") return false;
            seen.offered = true;
            seen.canRead = AppState.CanRead;
            seen.canUpdate = AppState.CanUpdate;
            seen.statusText = AppState.StatusText;
            seen.statusArea = rptest::WindowText(GetDlgItem(panel_, IDC_STATUS_AREA));
            seen.modelLineEnabled = IsWindowEnabled(GetDlgItem(panel_, IDC_MODEL_TEXT)) != FALSE;
            seen.settingsLoaded = SettingsLoaded();
            seen.sessionOpen = AppState.Session != nullptr;
            HANDLE mark = OpenFileMappingA(FILE_MAP_READ, FALSE, "KOVRP_LP1");
            seen.printerFree = mark == nullptr;
            if (mark) CloseHandle(mark);
            seen.boxesBefore = recorder.Count();
            // With the current printer gone nothing is preselected but the first row (LP2).
            PostMessageA(dialog, WM_COMMAND, choose, 0);
            return true;
        });
        EXPECT_EQ(Changed({"LP2", "LP3"}), 0);
        ASSERT_TRUE(seen.offered);
        ASSERT_EQ(seen.boxesBefore, 1u);
        const rptest::RecordedBox& box = recorder.Boxes()[0];
        EXPECT_EQ(box.text, kRemoved);
        EXPECT_EQ(box.caption, std::string(kTitle) + " - LP1");
        EXPECT_EQ(box.icon, rptest::BoxIcon::Information);
        EXPECT_EQ(seen.canRead, 0);
        EXPECT_EQ(seen.canUpdate, 0);
        EXPECT_EQ(seen.statusText, kRemoved);
        EXPECT_EQ(seen.statusArea, kRemoved);
        EXPECT_FALSE(seen.modelLineEnabled);
        EXPECT_TRUE(seen.settingsLoaded) << "the unsent edit is held, not dropped";
        EXPECT_FALSE(seen.sessionOpen);
        EXPECT_TRUE(seen.printerFree);

        if (choose == IDC_SELECT_CANCEL) {
            // Not choosing ends the program.
            EXPECT_FALSE(IsWindow(frame_));
            shelltest::ResetProgram();
            continue;
        }
        // The panel starts over on LP2, on the first tab, with nothing to update.
        ASSERT_TRUE(IsWindow(frame_));
        ASSERT_NE(AppState.CurrentPrinter, nullptr);
        EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP2");
        HWND page = PanelPagesOf(panel_)->CurrentPage;
        EXPECT_TRUE(AppState.ForegroundWindow == panel_ || AppState.ForegroundWindow == page);
        EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(panel_, IDC_TABS)), 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(panel_, IDC_UPDATE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(panel_, IDC_UPDATE_AND_EXIT)));
        EXPECT_NE(AppState.InstanceMapping, nullptr);
        HANDLE mark = OpenFileMappingA(FILE_MAP_READ, FALSE, "KOVRP_LP2");
        EXPECT_NE(mark, nullptr);
        if (mark) CloseHandle(mark);
        // The selection dialog asked about the unwritten changes before letting go of LP1.
        ASSERT_EQ(recorder.Count(), 2u);
        EXPECT_EQ(recorder.Boxes()[1].text,
                  "設定が変更されています。コマンドを続行すると設定の変更は破棄されます。");
    }
}

}  // namespace
