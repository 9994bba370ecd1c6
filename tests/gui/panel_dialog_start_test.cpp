// The panel on a printer, from its initialisation: the typical run (open, read, show, edit,
// update), update and exit, every way the start on a printer can fail with one and with several
// printers, the printer on "FILE:", the record that cannot be allocated, a read request the
// library refuses at once, and the header.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/Memory.h"
#include "link/PrinterState.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsCommand.h"
#include "tests/gui/QmxCallLog.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace shelltest {
namespace {

using rptest::BoxIcon;
using rptest::MessageBoxRecorder;

TEST_F(ProgramTest, TypicalRunReadsShowsEditsAndWritesExactlyTheNewBlock) {
    Install({"LP1"});
    ASSERT_EQ(vp::PatchBlock("LP1", BlockHeadCenterCutSheet, {30}), 0u);  // centre, column 30
    qmx::SettingsBlockBytes original{};
    ASSERT_EQ(vp::GetBlock("LP1", original), 0u);
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_NE(Start(), nullptr);

    // Opened on the printer with mode 11 (besides the enumeration's probe), read once; the pages
    // show the block's values.
    std::vector<linktest::QmxCall> opens;
    for (const auto& call : log.CallsOf("OpenManagerExA")) {
        if (call.session == AppState.Session) opens.push_back(call);
    }
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].item, "LP1");
    EXPECT_EQ(opens[0].message, 11u);
    const auto reads = log.CallsOf("GetReqPrinterStatusMsgA");
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].item, "RPVariables_PSV");
    EXPECT_EQ(reads[0].window, Panel());
    EXPECT_EQ(reads[0].message, static_cast<uint32_t>(WM_USER + 202));
    EXPECT_TRUE(SettingsLoaded());
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "30");
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_READ_AND_UPDATE));
    EXPECT_TRUE(ToolbarEnabled(IDM_READ_SETTINGS));
    EXPECT_TRUE(ToolbarEnabled(IDM_INITIAL_VALUES));
    EXPECT_FALSE(ToolbarEnabled(IDM_CHANGE_PRINTER));
    EXPECT_TRUE(Enabled(IDC_MODEL_TEXT));
    EXPECT_FALSE(Enabled(IDC_UPDATE));
    EXPECT_FALSE(Enabled(IDC_UPDATE_AND_EXIT));

    TypeOnPage0(IDC_HC_CUT_EDIT, "45");
    EXPECT_TRUE(Enabled(IDC_UPDATE));
    EXPECT_TRUE(Enabled(IDC_UPDATE_AND_EXIT));

    // The command the printer must receive: the block's values with the one edit.
    SettingsBlock read{};
    std::memcpy(read.Bytes, original.data(), sizeof read.Bytes);
    PanelSettingsRecord expected{};
    int32_t feeds[FeedPosOtherCount] = {};
    ASSERT_TRUE(DecodeBlockBytes(read, expected, feeds));
    expected.HeadCenterCutSheet = 45;
    SettingsCommand command{};
    ASSERT_TRUE(EncodeSettingsCommand(BuildSettingsBlock(expected, feeds), &command));

    Command(IDC_UPDATE);
    EXPECT_EQ(AppState.WritePending, 1);
    EXPECT_EQ(Status(), ProgramString(IDS_WRITING));
    EXPECT_FALSE(Enabled(IDC_UPDATE));
    EXPECT_FALSE(ToolbarEnabled(IDM_READ_SETTINGS));
    ASSERT_TRUE(WaitIdle());

    EXPECT_EQ(recorder.Count(), 0u);
    const vp::PrinterInfo printer = Printer("LP1");
    EXPECT_EQ(printer.writeCount, 1u);
    ASSERT_EQ(printer.lastCommand.size(), sizeof command.Area);
    EXPECT_EQ(std::memcmp(printer.lastCommand.data(), command.Area, sizeof command.Area), 0);
    qmx::SettingsBlockBytes written = original;
    written[BlockHeadCenterCutSheet] = 45;
    EXPECT_EQ(printer.block, written);
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_READ_AND_UPDATE));
    EXPECT_FALSE(Enabled(IDC_UPDATE));
    EXPECT_TRUE(ToolbarEnabled(IDM_READ_SETTINGS));
    EXPECT_EQ(log.CallsOf("ResSetPrinterStatus").size(), 1u);
}

TEST_F(ProgramTest, UpdateAndExitWritesDirectlyAndEndsTheProgram) {
    Install({"LP1"});
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_NE(Start(), nullptr);
    TypeOnPage0(IDC_HC_FRONT_EDIT, "20");
    Command(IDC_UPDATE_AND_EXIT);

    EXPECT_TRUE(ProgramEnded());
    EXPECT_EQ(AppState.PanelWindow, nullptr);
    EXPECT_EQ(AppState.Session, nullptr);
    EXPECT_EQ(log.CallsOf("SetPrinterStatusDirectA").size(), 1u);
    EXPECT_TRUE(log.CallsOf("SetReqPrinterStatusMsgA").empty());
    EXPECT_EQ(Printer("LP1").block[BlockHeadCenterContFront], 20);
    EXPECT_EQ(recorder.Count(), 0u);
}

// A way the link to the printer fails while the panel starts, and its text.
struct LinkFailure {
    const char* what;
    std::function<void(const std::string&)> inject;
    UINT text;
};

std::vector<LinkFailure> LinkFailures() {
    using qmx::Item;
    return {
        {"open refused", [](const std::string& p) { vp::SetFault(p, &vp::Faults::refuseOpen, true); },
         IDS_OPEN_FAILED},
        {"third registration refused",
         [](const std::string& p) { vp::SetFault(p, &vp::Faults::failNotifyAt, 3); }, IDS_NOTIFY_FAILED},
        {"ext unreadable", [](const std::string& p) { vp::SetReadFault(p, Item::PrinterExtStatus, true); },
         IDS_EXT_STATUS_READ_FAILED},
        {"ext -1", [](const std::string& p) { vp::SetExtStatus(p, 0xFFFFFFFF); }, IDS_EXT_STATUS_READ_FAILED},
        {"status unreadable", [](const std::string& p) { vp::SetReadFault(p, Item::PrinterStatus, true); },
         IDS_STATUS_READ_FAILED},
        {"w1 -1", [](const std::string& p) { vp::SetStatus(p, 0, 0xFFFFFFFF, 1); }, IDS_STATUS_READ_FAILED},
        {"w2 -1", [](const std::string& p) { vp::SetStatus(p, 0, 0, 0xFFFFFFFF); }, IDS_STATUS_READ_FAILED},
        {"authority unreadable", [](const std::string& p) { vp::SetReadFault(p, Item::UserAuthority, true); },
         IDS_AUTHORITY_READ_FAILED},
    };
}

TEST_F(ProgramTest, LinkFailureAtStartWithOnePrinterEndsTheProgram) {
    for (const LinkFailure& failure : LinkFailures()) {
        SCOPED_TRACE(failure.what);
        SetUp();
        Install({"LP1"});
        failure.inject("LP1");
        MessageBoxRecorder recorder;
        EXPECT_EQ(Start("", false), nullptr);
        ASSERT_EQ(recorder.Count(), 1u);
        EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(failure.text) + "\n" + kProgramEnds);
        EXPECT_EQ(recorder.Boxes()[0].caption, Caption("LP1"));
        EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Warning);
        EXPECT_TRUE(ProgramEnded());
        EXPECT_EQ(AppState.PanelWindow, nullptr);
        EXPECT_EQ(AppState.Session, nullptr);
        TearDown();
    }
}

TEST_F(ProgramTest, LinkFailureAtStartWithSeveralPrintersKeepsThePanelForAnotherPrinter) {
    for (const LinkFailure& failure : LinkFailures()) {
        SCOPED_TRACE(failure.what);
        SetUp();
        Install({"LP1", "LP2"});
        failure.inject("LP1");
        MessageBoxRecorder recorder;
        ASSERT_NE(Start("LP1", false), nullptr);
        ASSERT_EQ(recorder.Count(), 1u);
        EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(failure.text));
        EXPECT_EQ(recorder.Boxes()[0].caption, Caption("LP1"));
        EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Warning);
        EXPECT_EQ(Status(), ProgramString(IDS_PANEL_UNAVAILABLE));
        EXPECT_EQ(AppState.CanRead, 0);
        EXPECT_EQ(AppState.CanUpdate, 0);
        EXPECT_EQ(CurrentStatusIconId(), static_cast<UINT>(IDI_STATE_NEITHER));
        EXPECT_FALSE(ToolbarEnabled(IDM_READ_SETTINGS));
        EXPECT_FALSE(ToolbarEnabled(IDM_INITIAL_VALUES));
        EXPECT_TRUE(ToolbarEnabled(IDM_CHANGE_PRINTER));
        EXPECT_FALSE(PagesShowSettings());
        EXPECT_FALSE(ProgramEnded());
        TearDown();
    }
}

struct Unusable {
    const char* preset;
    UINT text;
};
constexpr Unusable kUnusable[] = {
    {"unsupported", IDS_NOT_SUPPORTED_PRINTER},
    {"offline", IDS_NO_COMMUNICATION},
    {"no-rights", IDS_CANNOT_READ_OR_UPDATE},
};

TEST_F(ProgramTest, PrinterUnusableByItsStateEndsOrDisablesThePanel) {
    for (const Unusable& state : kUnusable) {
        for (bool several : {false, true}) {
            SCOPED_TRACE(std::string(state.preset) + (several ? ", several" : ", one"));
            SetUp();
            Install(several ? std::vector<std::string>{"LP1", "LP2"} : std::vector<std::string>{"LP1"});
            ASSERT_EQ(vp::ApplyPreset("LP1", state.preset), 0u);
            MessageBoxRecorder recorder;
            HWND frame = Start("LP1", false);
            if (several) {
                // No box: the reason and string 96 on one line, change printer available.
                ASSERT_NE(frame, nullptr);
                EXPECT_EQ(recorder.Count(), 0u);
                EXPECT_EQ(Status(), ProgramString(state.text) + ProgramString(IDS_PANEL_UNAVAILABLE));
                EXPECT_TRUE(ToolbarEnabled(IDM_CHANGE_PRINTER));
                EXPECT_FALSE(ToolbarEnabled(IDM_READ_SETTINGS));
                EXPECT_FALSE(PagesShowSettings());
            } else {
                EXPECT_EQ(frame, nullptr);
                ASSERT_EQ(recorder.Count(), 1u);
                EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(state.text) + "\n" + kProgramEnds);
                EXPECT_TRUE(ProgramEnded());
            }
            TearDown();
        }
    }
}

TEST_F(ProgramTest, PrinterThatCanOnlyBeUpdatedShowsTheInitialValuesWithMessage61) {
    Install({"LP1"});
    ASSERT_EQ(vp::ApplyPreset("LP1", "update-only"), 0u);
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    ASSERT_NE(Start(), nullptr);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "プリンタの設定値が読み込めないため、初期値を表示します。");
    EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Information);
    EXPECT_TRUE(log.CallsOf("GetReqPrinterStatusMsgA").empty());
    PanelSettingsRecord initial{};
    LoadInitialSettings(initial);
    EXPECT_EQ(std::memcmp(&PanelSettings, &initial, sizeof initial), 0);
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_UPDATE_ONLY));
    EXPECT_EQ(CurrentStatusIconId(), static_cast<UINT>(IDI_STATE_UPDATE_ONLY));
    // An edit can be written; reading stays off.
    TypeOnPage0(IDC_HC_CUT_EDIT, "12");
    EXPECT_TRUE(Enabled(IDC_UPDATE));
    EXPECT_FALSE(ToolbarEnabled(IDM_READ_SETTINGS));
}

TEST_F(ProgramTest, PrinterOnFilePortEndsTheProcessWithMessage135) {
    Install({"LP1"});
    ASSERT_EQ(vp::SetPort("LP1", "FILE:"), 0u);
    MessageBoxRecorder recorder;
    Start("", false);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(
        recorder.Boxes()[0].text,
        "\"FILE:\"に接続されているため、設定の読み込み/更新ができません。\nリモートパネルを終了します。");
    EXPECT_EQ(recorder.Boxes()[0].caption, kTitle);
    EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Warning);
    EXPECT_EQ(exitCodes, std::vector<int>{1});
    EXPECT_EQ(AppState.Session, nullptr);
}

TEST_F(ProgramTest, RecordThatCannotBeAllocatedEndsTheProcessWithTheAllocationMessage) {
    Install({"LP1"});
    SetAllocationGate([](size_t bytes) { return bytes != sizeof(PanelPages); });
    MessageBoxRecorder recorder;
    Start("", false);
    SetAllocationGate(nullptr);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "領域確保に失敗しました。\nエラーコード： 8");
    EXPECT_EQ(exitCodes, std::vector<int>{1});
    EXPECT_EQ(AppState.Session, nullptr);
}

TEST_F(ProgramTest, ReadRequestRefusedAtOnceEndsTheReadInsteadOfWaitingForEver) {
    Install({"LP1"});
    MessageBoxRecorder recorder;
    linktest::QmxCallLog log;
    log.RefuseReadRequests(1);
    ASSERT_NE(Start("", false), nullptr);
    // The read at start was refused: message 103, nothing outstanding, reading available again.
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_SETTINGS_READ_FAILED));
    EXPECT_EQ(AppState.ReadPending, 0);
    EXPECT_EQ(PanelStateOf(Panel())->ReadAttemptsLeft, 3);
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_READ_AND_UPDATE));
    EXPECT_TRUE(ToolbarEnabled(IDM_READ_SETTINGS));
    EXPECT_FALSE(PagesShowSettings());

    // The user reads again, and this time the library takes the request.
    FrameCommand(IDM_READ_SETTINGS);
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(SettingsLoaded());
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_EQ(recorder.Count(), 1u);
}

TEST_F(ProgramTest, HeaderShowsModelAndPortShortenedToTheirLinesAndTheTitle) {
    const std::string longPort(120, 'P');
    Install({"LP1"});
    ASSERT_EQ(vp::SetPort("LP1", longPort), 0u);
    ASSERT_NE(Start(), nullptr);
    RedrawWindow(Panel(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Text(IDC_MODEL_TEXT), AppState.CurrentPrinter->Model);
    const std::string port = Text(IDC_PORT_TEXT);
    ASSERT_GT(port.size(), 3u);
    EXPECT_EQ(port.substr(port.size() - 3), "...");
    EXPECT_EQ(port.substr(0, port.size() - 3), longPort.substr(0, port.size() - 3));
    EXPECT_EQ(rptest::WindowText(Frame()), Caption("LP1"));
}

TEST_F(ProgramTest, HelpAndCommandsOfTheActivePage) {
    Install({"LP1"});
    ASSERT_NE(Start(), nullptr);
    Command(IDC_HELP_CONTENTS);
    ASSERT_FALSE(shelltest::HelpCalls.empty());
    EXPECT_EQ(shelltest::HelpCalls.back().window, Panel());
    EXPECT_EQ(shelltest::HelpCalls.back().command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(shelltest::HelpCalls.back().data, 0u);

    // Another command goes to the active page, and the panel answers it as not its own.
    HWND page = Page0();
    AppState.ForegroundWindow = page;
    EXPECT_EQ(SendMessageA(Panel(), WM_COMMAND, MAKEWPARAM(IDC_POSTCARD_MODE, BN_CLICKED), 0), 0);
    EXPECT_TRUE(Enabled(IDC_UPDATE));  // the page took it as the user's click
}

}  // namespace
}  // namespace shelltest
