// The frame told that the installed printers changed (WM_PRINTERS_CHANGED).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "shell/Messages.h"
#include "shell/Startup.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

const char kTitle[] = "Kestrovane リモートパネル";
const char kRemoved[] = "このプリンタは削除されました。";

class PrintersChangedTest : public ::testing::Test {
protected:
    void SetUp() override {
        shelltest::ResetProgram();
        shelltest::InstallPrinters({"LP1", "LP2"});
        AppState.SeveralPrinters = 1;
        AppState.CurrentPrinter = AppState.PrinterList;
        AppState.InstanceMapping = GuardSingleInstance("LP1");
        frame_ = shelltest::MakeFrame();
        ASSERT_NE(frame_, nullptr);
        panel_ = AppState.PanelWindow;
        CopyMemory(AppState.StatusText, "ready", 6);
        LoadInitialSettings();
        shelltest::OpenSession("LP1");
    }
    void TearDown() override { shelltest::ResetProgram(); }

    LRESULT Changed(std::vector<std::string> installed) {
        shelltest::InstalledPrinters = std::move(installed);
        return SendMessageA(frame_, WM_PRINTERS_CHANGED, 0, 0);
    }
    bool ChangePrinterEnabled() {
        return SendMessageA(AppState.ToolbarWindow, TB_ISBUTTONENABLED, IDM_CHANGE_PRINTER, 0) != 0;
    }

    HWND frame_ = nullptr;
    HWND panel_ = nullptr;
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

TEST_F(PrintersChangedTest, RemovedCurrentPrinterDisablesThePanelAndLetsGoOfThePrinter) {
    rptest::MessageBoxRecorder recorder;
    Changed({"LP2", "LP3"});
    ASSERT_GE(recorder.Count(), 1u);
    const rptest::RecordedBox& box = recorder.Boxes()[0];
    EXPECT_EQ(box.text, kRemoved);
    EXPECT_EQ(box.caption, std::string(kTitle) + " - LP1");
    EXPECT_EQ(box.icon, rptest::BoxIcon::Information);
    EXPECT_EQ(AppState.CanRead, 0);
    EXPECT_EQ(AppState.CanUpdate, 0);
    EXPECT_STREQ(AppState.StatusText, kRemoved);
    EXPECT_FALSE(SettingsLoaded());
    EXPECT_EQ(AppState.Session, nullptr);
    // The printer is free for another panel.
    HANDLE again = GuardSingleInstance("LP1");
    EXPECT_NE(again, nullptr);
    CloseHandle(again);
}

}  // namespace
