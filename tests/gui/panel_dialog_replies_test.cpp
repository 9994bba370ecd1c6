// The status library's replies and notifications reaching the panel: the read with its three
// attempts, the asynchronous write's end, changed state items (read again, judged, failing), the
// printer's new name, its new port, and a storm of state changes made by another process.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/Messages.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "tests/e2e/e2e_support.h"
#include "tests/gui/QmxCallLog.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace shelltest {
namespace {

using rptest::BoxIcon;
using rptest::MessageBoxRecorder;

size_t ReadRequests(const linktest::QmxCallLog& log) { return log.CallsOf("GetReqPrinterStatusMsgA").size(); }

TEST_F(ProgramTest, BlockThatNeverCountsAsLoadedIsReadThreeTimesThenThreeAgain) {
    Install({"LP1"});
    ASSERT_EQ(vp::SetFault("LP1", &vp::Faults::badHeaderReads, 100), 0u);
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(ReadRequests(log), 3u);
    // Given up without a message: the panel is enabled, its pages stay empty and disabled.
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_FALSE(SettingsLoaded());
    EXPECT_FALSE(PagesShowSettings());
    EXPECT_TRUE(Enabled(IDC_MODEL_TEXT));
    EXPECT_TRUE(ToolbarEnabled(IDM_READ_SETTINGS));
    EXPECT_EQ(PanelStateOf(Panel())->ReadAttemptsLeft, 3);

    FrameCommand(IDM_READ_SETTINGS);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(ReadRequests(log), 6u);
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(ProgramTest, BlockThatCountsAsLoadedOnTheSecondAttemptIsShown) {
    Install({"LP1"});
    ASSERT_EQ(vp::SetFault("LP1", &vp::Faults::badHeaderReads, 1), 0u);
    linktest::QmxCallLog log;
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(ReadRequests(log), 2u);
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_EQ(PanelStateOf(Panel())->ReadAttemptsLeft, 3);
}

TEST_F(ProgramTest, BlockThatCannotBeFetchedShows103OnEachOfTheThreeAttempts) {
    Install({"LP1"});
    ASSERT_EQ(vp::SetReadFault("LP1", qmx::Item::Settings, true), 0u);
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(ReadRequests(log), 3u);
    ASSERT_EQ(recorder.Count(), 3u);
    for (const auto& box : recorder.Boxes()) {
        EXPECT_EQ(box.text, "プリンタ設定情報の読み込みに失敗しました。");
        EXPECT_EQ(box.icon, BoxIcon::Warning);
    }
    EXPECT_FALSE(PagesShowSettings());
}

TEST_F(ProgramTest, AsynchronousWriteThatFailsShows109AndKeepsTheEditsUnwritten) {
    Install({"LP1"});
    ASSERT_NE(Start(), nullptr);
    qmx::SettingsBlockBytes before{};
    ASSERT_EQ(vp::GetBlock("LP1", before), 0u);
    ASSERT_EQ(vp::SetFault("LP1", &vp::Faults::asyncResult, 5), 0u);
    TypeOnPage0(IDC_HC_CUT_EDIT, "50");
    MessageBoxRecorder recorder;
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "プリンタへの設定に失敗しました。");
    EXPECT_EQ(recorder.Boxes()[0].caption, Caption("LP1"));
    EXPECT_TRUE(Enabled(IDC_UPDATE));
    EXPECT_TRUE(Enabled(IDC_UPDATE_AND_EXIT));
    EXPECT_EQ(Printer("LP1").block, before);
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_READ_AND_UPDATE));

    // A completion that belongs to no outstanding write is not this panel's.
    recorder.Clear();
    PostMessageA(Panel(), WM_WRITE_DONE, 0, 0);
    Settle();
    EXPECT_EQ(recorder.Count(), 0u);
}

// A changed state item that then cannot be read, and its text.
struct ItemFailure {
    const char* what;
    qmx::Item item;
    std::function<void()> change;
    UINT text;
};

std::vector<ItemFailure> ItemFailures() {
    return {
        {"ext", qmx::Item::PrinterExtStatus, [] { vp::SetExtStatus("LP1", 0x7); },
         IDS_EXT_STATUS_READ_FAILED},
        {"status", qmx::Item::PrinterStatus, [] { vp::SetStatus("LP1", 0, 0, 0x3); }, IDS_STATUS_READ_FAILED},
        {"authority", qmx::Item::UserAuthority, [] { vp::SetAuthority("LP1", 0x18); },
         IDS_AUTHORITY_READ_FAILED},
        {"name", qmx::Item::PrinterName, [] { vp::Rename("LP1", "LP1x"); }, IDS_NAME_READ_FAILED},
    };
}

TEST_F(ProgramTest, ChangedStateItemThatCannotBeReadIsALinkFailure) {
    for (const ItemFailure& failure : ItemFailures()) {
        for (bool several : {false, true}) {
            SCOPED_TRACE(std::string(failure.what) + (several ? ", several" : ", one"));
            SetUp();
            Install(several ? std::vector<std::string>{"LP1", "LP2"} : std::vector<std::string>{"LP1"});
            ASSERT_NE(Start("LP1"), nullptr);
            MessageBoxRecorder recorder;
            ASSERT_EQ(vp::SetReadFault("LP1", failure.item, true), 0u);
            failure.change();
            ASSERT_TRUE(rptest::PumpUntil([&] { return recorder.Count() > 0; }));
            Settle();
            ASSERT_EQ(recorder.Count(), 1u);
            const std::string text = ProgramString(failure.text);
            if (several) {
                EXPECT_EQ(recorder.Boxes()[0].text, text);
                EXPECT_EQ(Status(), ProgramString(IDS_PANEL_UNAVAILABLE));
                EXPECT_TRUE(ToolbarEnabled(IDM_CHANGE_PRINTER));
                EXPECT_FALSE(ToolbarEnabled(IDM_READ_SETTINGS));
                EXPECT_FALSE(ToolbarEnabled(IDM_INITIAL_VALUES));
                EXPECT_EQ(AppState.CanRead, 0);
                EXPECT_EQ(AppState.CanUpdate, 0);
                EXPECT_FALSE(ProgramEnded());
            } else {
                EXPECT_EQ(recorder.Boxes()[0].text, text + "\n" + kProgramEnds);
                EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Warning);
                EXPECT_TRUE(ProgramEnded());
            }
            TearDown();
        }
    }
}

TEST_F(ProgramTest, StateChangesOfALoadedPrinterAreJudgedButNeverReadAgain) {
    Install({"LP1"});
    ASSERT_NE(Start(), nullptr);
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_EQ(vp::SetStatus("LP1", 0, 0, 0x5), 0u);  // busy
    ASSERT_TRUE(rptest::PumpUntil([] { return AppState.PrinterBusy == 1; }));
    EXPECT_EQ(Status(), ProgramString(IDS_PRINTER_BUSY));
    EXPECT_FALSE(ToolbarEnabled(IDM_READ_SETTINGS));
    ASSERT_EQ(vp::SetStatus("LP1", 0, 0, 0x1), 0u);
    ASSERT_TRUE(rptest::PumpUntil([] { return AppState.PrinterBusy == 0; }));
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_READ_AND_UPDATE));
    EXPECT_TRUE(ToolbarEnabled(IDM_READ_SETTINGS));
    EXPECT_EQ(ReadRequests(log), 0u);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_TRUE(PagesShowSettings());
}

TEST_F(ProgramTest, PrinterThatBecomesReadableIsReadAtOnce) {
    Install({"LP1"});
    ASSERT_EQ(vp::ApplyPreset("LP1", "busy"), 0u);
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(ReadRequests(log), 0u);
    EXPECT_FALSE(PagesShowSettings());
    ASSERT_EQ(vp::ApplyPreset("LP1", "idle"), 0u);
    ASSERT_TRUE(rptest::PumpUntil([] { return SettingsLoaded() && AppState.ReadPending == 0; }));
    EXPECT_EQ(ReadRequests(log), 1u);
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(ProgramTest, PrinterThatBecomesUpdatableOnlyShowsTheInitialValuesWithoutAMessage) {
    Install({"LP1"});
    ASSERT_EQ(vp::ApplyPreset("LP1", "busy"), 0u);
    MessageBoxRecorder recorder;
    ASSERT_NE(Start(), nullptr);
    ASSERT_EQ(vp::SetExtStatus("LP1", 0x1), 0u);  // settings not readable
    ASSERT_EQ(vp::SetStatus("LP1", 0, 0, 0x1), 0u);
    ASSERT_TRUE(rptest::PumpUntil([] { return SettingsLoaded(); }));
    Settle();
    PanelSettingsRecord initial{};
    LoadInitialSettings(initial);
    EXPECT_EQ(std::memcmp(&PanelSettings, &initial, sizeof initial), 0);
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_UPDATE_ONLY));
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(ProgramTest, PrinterThatBecomesUnusableDisablesThePanelOrEndsTheProgram) {
    for (bool several : {false, true}) {
        SCOPED_TRACE(several ? "several" : "one");
        SetUp();
        Install(several ? std::vector<std::string>{"LP1", "LP2"} : std::vector<std::string>{"LP1"});
        ASSERT_NE(Start("LP1"), nullptr);
        MessageBoxRecorder recorder;
        ASSERT_EQ(vp::SetStatus("LP1", 0, 0x200, 0x1), 0u);  // not a supported printer
        if (several) {
            ASSERT_TRUE(rptest::PumpUntil([] { return AppState.CanRead == 0; }));
            Settle();
            EXPECT_EQ(recorder.Count(), 0u);
            EXPECT_EQ(Status(),
                      ProgramString(IDS_NOT_SUPPORTED_PRINTER) + ProgramString(IDS_PANEL_UNAVAILABLE));
            EXPECT_FALSE(PagesShowSettings());
            EXPECT_FALSE(Enabled(IDC_MODEL_TEXT));
            EXPECT_TRUE(ToolbarEnabled(IDM_CHANGE_PRINTER));
            EXPECT_FALSE(ToolbarEnabled(IDM_INITIAL_VALUES));
        } else {
            ASSERT_TRUE(rptest::PumpUntil([this] { return ProgramEnded(); }));
            ASSERT_EQ(recorder.Count(), 1u);
            EXPECT_EQ(recorder.Boxes()[0].text,
                      ProgramString(IDS_NOT_SUPPORTED_PRINTER) + "\n" + kProgramEnds);
        }
        TearDown();
    }
}

TEST_F(ProgramTest, NewNameReachesTheFrameTitleWithoutAMessage) {
    Install({"LP1"});
    ASSERT_NE(Start(), nullptr);
    MessageBoxRecorder recorder;
    ASSERT_EQ(vp::Rename("LP1", "LP1 (2F)"), 0u);
    ASSERT_TRUE(rptest::PumpUntil([this] { return rptest::WindowText(Frame()) == Caption("LP1 (2F)"); }));
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP1 (2F)");
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(ProgramTest, NewPortEndsTheProgramWith118) {
    Install({"LP1"});
    ASSERT_NE(Start(), nullptr);
    MessageBoxRecorder recorder;
    ASSERT_EQ(vp::SetPort("LP1", "LPT2:"), 0u);
    ASSERT_TRUE(rptest::PumpUntil([this] { return ProgramEnded(); }));
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_PORT_CHANGED));
    EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Information);
}

TEST_F(ProgramTest, ChangedSettingsItemIsNotReadAgain) {
    Install({"LP1"});
    ASSERT_NE(Start(), nullptr);
    const PanelSettingsRecord shown = PanelSettings;
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_EQ(vp::PatchBlock("LP1", BlockHeadCenterCutSheet, {55}), 0u);
    Settle(300);
    EXPECT_EQ(ReadRequests(log), 0u);
    EXPECT_EQ(std::memcmp(&PanelSettings, &shown, sizeof shown), 0);
    EXPECT_EQ(recorder.Count(), 0u);
}

// Runs qmxctl.exe (beside the test) once per argument list, one after the other, in a process of
// its own, while this thread goes on dispatching the panel's messages.
void StormFromAnotherProcess(const std::vector<std::string>& commands) {
    std::string script = "cmd /c \"";
    for (size_t i = 0; i < commands.size(); ++i) {
        if (i) script += " & ";
        script += e2e::QuotedBesideMe("qmxctl.exe") + " " + commands[i] + " >nul";
    }
    script += "\"";
    std::vector<char> line(script.begin(), script.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process));
    EXPECT_TRUE(
        rptest::PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 120000));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST_F(ProgramTest, StormOfStateChangesFromAnotherProcess) {
    Install({"LP1"});
    ASSERT_EQ(vp::ApplyPreset("LP1", "busy"), 0u);  // nothing loaded yet: idle moments read
    MessageBoxRecorder recorder;
    ASSERT_NE(Start(), nullptr);
    std::vector<std::string> storm;
    for (int i = 0; i < 12; ++i) {
        storm.push_back(i % 2 ? "set LP1 w2 0x1 ext 0x3" : "set LP1 w2 0x5 ext 0x1");
        storm.push_back(i % 3 ? "set LP1 auth 0x10" : "set LP1 auth 0x18");
    }
    storm.push_back("preset LP1 idle");
    StormFromAnotherProcess(storm);
    ASSERT_TRUE(rptest::PumpUntil([] {
        return AppState.PrinterBusy == 0 && AppState.CanRead == 1 && AppState.ReadPending == 0 &&
               SettingsLoaded();
    }));
    Settle(300);
    // Whatever the order of the notifications, the panel ends on the printer's last state, with
    // its settings shown and no message.
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_READ_AND_UPDATE));
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_TRUE(ToolbarEnabled(IDM_READ_SETTINGS));
    EXPECT_EQ(AppState.CanUpdate, 1);
}

}  // namespace
}  // namespace shelltest
