// Writing the settings against the stand-in library: synchronous and asynchronous hand-over, the
// Retry/Cancel box, the pending-write state, an odd feed distance, and a value that the command
// cannot carry.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LinkFixture.h"
#include "QmxCallLog.h"
#include "base/Messages.h"
#include "link/Notifications.h"
#include "link/PrinterState.h"
#include "link/SettingsRead.h"
#include "panel/PanelControl.h"
#include "panel/PanelWrite.h"
#include "panel/ToolbarButtons.h"
#include "qmx/VirtualPrinters.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsCommand.h"
#include "tests/support/Pump.h"

namespace {

using linktest::ProgramString;
using linktest::QmxCallLog;
namespace vp = qmx::vp;

constexpr const char* kPrinter = "RP Write Test";
const std::string kTitle = "Kestrovane リモートパネル";

int writeDoneArrivals = 0;
WNDPROC panelOriginalProc = nullptr;
// Posted to the panel, it stands for a notification whose handler reports something in the
// shared message buffers while a box of the write is up.
constexpr UINT kReportSomethingElse = WM_APP + 41;
LRESULT CALLBACK RecordingPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WRITE_DONE) ++writeDoneArrivals;
    if (message == kReportSomethingElse) {
        std::strcpy(AppState.MessageText, "another report");
        std::strcpy(AppState.MessageCaption, "another caption");
        return 0;
    }
    return CallWindowProcA(panelOriginalProc, window, message, wParam, lParam);
}

// The form-1 continuous-front feed byte of a block.
constexpr int32_t kForm1FrontFeed = BlockFormOffset(0) + FormBlockFeedPos + FeedPathContFront;
constexpr int32_t kForm1FrontSlot = FeedPosOtherSlot(FeedGroupForm(0), FeedPathContFront);

class LinkWrite : public linktest::LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        AddPrinterAndOpenSession(kPrinter);
        SetCurrentPrinter(kPrinter);
        ShowAsRead();

        // The panel after an edit: state shown, update buttons enabled.
        const int32_t idle[3] = {0, 0, 1};
        ASSERT_EQ(EvaluatePrinterState(panel_, 0x3, idle, 0x10), 1);
        RefreshStatusArea(Status());
        stateText_ = StatusShown();
        writeDoneArrivals = 0;
        panelOriginalProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(panel_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingPanelProc)));
    }

    void TearDown() override {
        SetWindowLongPtrA(panel_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(panelOriginalProc));
        CloseSession();
        vp::ResetAll();
        LinkTest::TearDown();
    }

    // The panel shows the printer's settings as it has read them: the edits are made over these.
    void ShowAsRead() {
        const std::optional<PrinterSettings> read = ReadPrinterSettings(AppState.Session);
        ASSERT_TRUE(read.has_value());
        SetPagesSettings(*read);
        Dispatch(panel_, SessionOpened{CurrentSessionSerial()});
        Dispatch(panel_, SettingsRead{*read});
    }

    uint32_t WritesReceived() {
        vp::PrinterInfo info;
        EXPECT_EQ(vp::Get(kPrinter, info), 0u);
        return info.writeCount;
    }

    std::vector<uint8_t> LastCommand() {
        std::vector<uint8_t> command;
        EXPECT_EQ(vp::GetLastCommand(kPrinter, command), 0u);
        return command;
    }

    // The command the current PanelSettings and FeedPosOther give.
    std::vector<uint8_t> ExpectedCommand() {
        SettingsCommand command{};
        EXPECT_TRUE(EncodeSettingsCommand(BuildSettingsBlock(PanelSettings, FeedPosOther), &command));
        return std::vector<uint8_t>(command.Area, command.Area + sizeof command.Area);
    }

    void ExpectRetryBox(const rptest::RecordedBox& box, const std::string& caption) {
        EXPECT_EQ(box.text, ProgramString(IDS_WRITE_FAILED_RETRY));
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.icon, rptest::BoxIcon::Warning);
        EXPECT_EQ(box.buttons, (std::vector<int>{IDRETRY, IDCANCEL}));
        EXPECT_EQ(box.owner, panel_);
    }

    std::string stateText_;
};

TEST_F(LinkWrite, SynchronousWriteAcceptedAtOnceShowsNoBoxAndStaysPending) {
    rptest::MessageBoxRecorder recorder;
    QmxCallLog log;
    ASSERT_TRUE(log.Active());
    const std::vector<uint8_t> expected = ExpectedCommand();

    EXPECT_EQ(WriteSettings(panel_, 1), 1);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(AppState.WritePending, 1);
    EXPECT_FALSE(ButtonEnabled(IDC_UPDATE_AND_EXIT));
    EXPECT_FALSE(ButtonEnabled(IDC_UPDATE));
    EXPECT_EQ(StatusShown(), ProgramString(IDS_WRITING));

    // The block was read once more, then the 260-byte command area written directly.
    const std::vector<linktest::QmxCall>& calls = log.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].function, "GetPrinterStatusA");
    EXPECT_EQ(calls[0].item, "RPVariables_PSV");
    EXPECT_EQ(calls[1].function, "SetPrinterStatusDirectA");
    EXPECT_EQ(calls[1].item, "RPVariables_PSV");
    EXPECT_EQ(calls[1].size, 260u);
    EXPECT_EQ(WritesReceived(), 1u);
    EXPECT_EQ(LastCommand(), expected);
}

TEST_F(LinkWrite, AsynchronousRequestRefusedTwiceThenAcceptedStaysPendingUntilWriteDone) {
    ASSERT_EQ(vp::SetFault(kPrinter, &vp::Faults::refuseWrites, 2), 0u);
    rptest::MessageBoxRecorder recorder({IDRETRY, IDRETRY});
    QmxCallLog log;
    ASSERT_TRUE(log.Active());

    EXPECT_EQ(WriteSettings(panel_, 0), 1);
    ASSERT_EQ(recorder.Count(), 2u);
    ExpectRetryBox(recorder.Boxes()[0], kTitle + " - " + kPrinter);
    ExpectRetryBox(recorder.Boxes()[1], kTitle + " - " + kPrinter);
    std::vector<linktest::QmxCall> requests = log.CallsOf("SetReqPrinterStatusMsgA");
    ASSERT_EQ(requests.size(), 3u);
    for (const linktest::QmxCall& call : requests) {
        EXPECT_EQ(call.item, "RPVariables_PSV");
        EXPECT_EQ(call.size, 260u);
        EXPECT_EQ(call.window, panel_);
        EXPECT_EQ(call.message, static_cast<uint32_t>(WM_WRITE_DONE));
    }
    EXPECT_NE(requests[0].result, 0u);
    EXPECT_NE(requests[1].result, 0u);
    EXPECT_EQ(requests[2].result, 0u);
    EXPECT_EQ(AppState.WritePending, 1);
    EXPECT_FALSE(ButtonEnabled(IDC_UPDATE));
    EXPECT_FALSE(ButtonEnabled(IDC_UPDATE_AND_EXIT));

    ASSERT_TRUE(rptest::PumpUntil([] { return writeDoneArrivals > 0; }));
    EXPECT_EQ(AppState.WritePending, 1) << "only the completion handler ends the pending write";
    int32_t result = -1;
    EXPECT_EQ(ResSetPrinterStatus(AppState.Session, PanelStateOf(panel_)->WriteRequestId, &result), 0u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(WritesReceived(), 1u);
    EXPECT_EQ(LastCommand(), ExpectedCommand());
}

TEST_F(LinkWrite, ARetryBoxKeepsItsTextWhenAHandlerReportsWhileItIsUp) {
    ASSERT_EQ(vp::SetFault(kPrinter, &vp::Faults::refuseWrites, 2), 0u);
    rptest::MessageBoxRecorder recorder({IDRETRY, IDRETRY});
    PostMessageA(panel_, kReportSomethingElse, 0, 0);  // handled inside the first box

    EXPECT_EQ(WriteSettings(panel_, 0), 1);
    ASSERT_EQ(recorder.Count(), 2u);
    ExpectRetryBox(recorder.Boxes()[0], kTitle + " - " + kPrinter);
    ExpectRetryBox(recorder.Boxes()[1], kTitle + " - " + kPrinter);
    EXPECT_STREQ(AppState.MessageText, "another report") << "the handler did run during the box";
}

TEST_F(LinkWrite, CancelOnTheFirstBoxEndsTheWriteAndKeepsTheEdits) {
    HWND toolbar = AddToolbar({IDM_READ_SETTINGS});

    ASSERT_EQ(vp::SetFault(kPrinter, &vp::Faults::refuseWrites, 5), 0u);
    PanelSettings.PageLength = 42;
    const PanelSettingsRecord edited = PanelSettings;
    rptest::MessageBoxRecorder recorder({IDCANCEL});

    EXPECT_EQ(WriteSettings(panel_, 0), 0);
    ASSERT_EQ(recorder.Count(), 1u);
    ExpectRetryBox(recorder.Boxes()[0], kTitle + " - " + kPrinter);
    EXPECT_EQ(AppState.WritePending, 0);
    EXPECT_TRUE(ButtonEnabled(IDC_UPDATE_AND_EXIT));
    EXPECT_TRUE(ButtonEnabled(IDC_UPDATE));
    EXPECT_NE(SendMessageA(toolbar, TB_ISBUTTONENABLED, IDM_READ_SETTINGS, 0), 0);
    EXPECT_EQ(StatusShown(), stateText_);
    EXPECT_EQ(std::memcmp(&edited, &PanelSettings, sizeof edited), 0);
    EXPECT_EQ(WritesReceived(), 0u);
    AppState.ToolbarWindow = nullptr;
}

TEST_F(LinkWrite, WhilePendingTheReadAndChangePrinterButtonsAreOff) {
    HWND toolbar = AddToolbar({IDM_READ_SETTINGS, IDM_CHANGE_PRINTER});
    UpdateToolbarButtons();
    ASSERT_NE(SendMessageA(toolbar, TB_ISBUTTONENABLED, IDM_READ_SETTINGS, 0), 0);

    EXPECT_EQ(WriteSettings(panel_, 0), 1);
    EXPECT_EQ(SendMessageA(toolbar, TB_ISBUTTONENABLED, IDM_READ_SETTINGS, 0), 0);
    EXPECT_EQ(SendMessageA(toolbar, TB_ISBUTTONENABLED, IDM_CHANGE_PRINTER, 0), 0);
    rptest::PumpUntil([] { return writeDoneArrivals > 0; });
    AppState.ToolbarWindow = nullptr;
}

TEST_F(LinkWrite, CaptionFollowsTheCurrentPrinterAndIsBounded) {
    struct Case {
        const char* what;
        std::string name;  // empty: no current printer
        std::string caption;
    } cases[] = {
        {"no current printer", "", kTitle},
        {"300-byte name", std::string(300, 'N'), (kTitle + " - " + std::string(300, 'N')).substr(0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.name.empty())
            ClearCurrentPrinter();
        else
            SetCurrentPrinter(c.name.c_str());
        ASSERT_EQ(vp::SetFault(kPrinter, &vp::Faults::refuseWrites, 1), 0u);
        rptest::MessageBoxRecorder recorder({IDCANCEL});
        EXPECT_EQ(WriteSettings(panel_, 1), 0);
        ASSERT_EQ(recorder.Count(), 1u);
        EXPECT_EQ(recorder.Boxes()[0].caption, c.caption);
        EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_WRITE_FAILED_RETRY));
    }
}

TEST_F(LinkWrite, AnOddFeedDistanceIsSentAsTheUserSetItWhateverThePrinterReportsNow) {
    // The printer reports a listed distance (15) for form 1's front feed; the user sets an odd one.
    for (const bool readFails : {false, true}) {
        SCOPED_TRACE(readFails ? "the read before the write fails" : "the printer still reports 15");
        ASSERT_EQ(vp::SetReadFault(kPrinter, qmx::Item::Settings, false), 0u);
        ASSERT_EQ(vp::PatchBlock(kPrinter, kForm1FrontFeed, {15}), 0u);
        ShowAsRead();
        PanelSettings.Forms[0].FeedPosContFront = FeedOtherIndex(FeedListA);
        FeedPosOther[kForm1FrontSlot] = 100;
        ASSERT_EQ(vp::SetReadFault(kPrinter, qmx::Item::Settings, readFails), 0u);
        EXPECT_EQ(WriteSettings(panel_, 1), 1);
        EXPECT_EQ(FeedPosOther[kForm1FrontSlot], 100) << "the pages keep the distance";
        qmx::SettingsBlockBytes stored{};
        ASSERT_EQ(vp::GetBlock(kPrinter, stored), 0u);
        EXPECT_EQ(stored[kForm1FrontFeed], 100);
    }
}

// The user's switch over another program's switches of the same byte would turn every bit of it
// on: nothing is written, the user is told, the edit stays.
TEST_F(LinkWrite, ASwitchByteThatTheMergeWouldFillIsNotWritten) {
    ASSERT_EQ(vp::PatchBlock(kPrinter, BlockSwitchBits + 3, {0x00}), 0u);
    ShowAsRead();
    SetSwitch(PanelSettings.SwitchBits, SheetGuideBySwitch, true);
    ASSERT_EQ(vp::PatchBlock(kPrinter, BlockSwitchBits + 3, {0x7F}), 0u);
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(WriteSettings(panel_, 0), 0);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text.rfind(ProgramString(IDS_SWITCHES_UNREADABLE).substr(0, 40), 0), 0u);
    EXPECT_EQ(WritesReceived(), 0u);
    EXPECT_TRUE(IsSwitchOn(PanelSettings.SwitchBits, SheetGuideBySwitch));
}

TEST_F(LinkWrite, AValueTooWideForTheCommandIsNotWrittenAndTheUserIsTold) {
    EnableWindow(GetDlgItem(panel_, IDC_UPDATE), TRUE);
    EnableWindow(GetDlgItem(panel_, IDC_UPDATE_AND_EXIT), TRUE);
    PanelSettings.PageLength = 100;
    const PanelSettingsRecord edited = PanelSettings;
    rptest::MessageBoxRecorder recorder;
    QmxCallLog log;
    ASSERT_TRUE(log.Active());

    EXPECT_EQ(WriteSettings(panel_, 0), 0);
    ASSERT_EQ(recorder.Count(), 1u);
    const rptest::RecordedBox& box = recorder.Boxes()[0];
    EXPECT_EQ(box.text, std::string("用紙長の値 100 はプリンタへ送ることのできる範囲を超えているため、"
                                    "設定を行いませんでした。正しい値を指定して下さい。"));
    EXPECT_EQ(box.caption, kTitle + " - " + kPrinter);
    EXPECT_EQ(box.icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.owner, panel_);
    EXPECT_EQ(AppState.WritePending, 0);
    EXPECT_TRUE(ButtonEnabled(IDC_UPDATE));
    EXPECT_TRUE(ButtonEnabled(IDC_UPDATE_AND_EXIT));
    EXPECT_EQ(StatusShown(), stateText_);
    EXPECT_EQ(std::memcmp(&edited, &PanelSettings, sizeof edited), 0);
    EXPECT_TRUE(log.CallsOf("SetReqPrinterStatusMsgA").empty());
    EXPECT_TRUE(log.CallsOf("SetPrinterStatusDirectA").empty());
    EXPECT_EQ(WritesReceived(), 0u);
}

}  // namespace
