// Judging the printer's state through AppState, the refusal paths with their boxes, and the status
// area written into a real static control.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LinkFixture.h"
#include "link/PrinterState.h"
#include "link/StateRules.h"

namespace {

using linktest::LinkTest;
using linktest::ProgramString;
using linktest::statusWrites;

const std::string kTitle = "Kestrovane リモートパネル";

struct Words {
    int32_t ext;
    int32_t status[3];
    int32_t auth;
};
const Words kIdle{0x3, {0, 0, 0x1}, 0x10};
const Words kReadOnly{0x3, {0, 0, 0x1}, 0x08};
const Words kNoRights{0x3, {0, 0, 0x1}, 0x0};
const Words kSwitchOff{0x3, {0, 0, 0x1000}, 0x10};
const Words kBusy{0x3, {0, 0x80, 0}, 0x10};
const Words kUnsupported{0x3, {0, 0x200, 0}, 0x10};

using LinkState = LinkTest;

TEST_F(LinkState, UsablePrinterSetsFlagsAndTheStateTextWithoutABox) {
    struct Case {
        Words w;
        int canUpdate, canRead, busy;
        std::string text;
        UINT icon;
    } cases[] = {
        {kIdle, 1, 1, 0, ProgramString(IDS_CAN_READ_AND_UPDATE), 0},
        {kReadOnly, 0, 1, 0, ProgramString(IDS_CAN_READ_ONLY), IDI_STATE_READ_ONLY},
        {{0x1, {0, 0, 0}, 0x10}, 1, 0, 0, ProgramString(IDS_CAN_UPDATE_ONLY), IDI_STATE_UPDATE_ONLY},
        {kBusy, 1, 1, 1, ProgramString(IDS_PRINTER_BUSY), 0},
        {kSwitchOff, 1, 1, 1, "印刷可スイッチが押されていません。\n設定の更新はできません。", 0},
    };
    rptest::MessageBoxRecorder recorder;
    for (const Case& c : cases) {
        AppState.SeveralPrinters = 0;
        AppState.PrinterBusy = 1 - c.busy;  // cleared or set by the evaluation, never kept
        EXPECT_EQ(EvaluatePrinterState(panel_, c.w.ext, c.w.status, c.w.auth), 1);
        EXPECT_EQ(AppState.CanUpdate, c.canUpdate);
        EXPECT_EQ(AppState.CanRead, c.canRead);
        EXPECT_EQ(AppState.PrinterBusy, c.busy);
        EXPECT_EQ(std::string(AppState.StatusText), c.text);
        EXPECT_EQ(CurrentStatusIconId(), c.icon);
    }
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(statusWrites, 0) << "evaluating alone never writes the status area";
}

TEST_F(LinkState, RefusalWithSeveralPrintersAppendsString96WithoutABox) {
    AppState.SeveralPrinters = 1;
    SetCurrentPrinter("PRN");
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(EvaluatePrinterState(panel_, kNoRights.ext, kNoRights.status, kNoRights.auth), 0);
    EXPECT_EQ(std::string(AppState.StatusText),
              ProgramString(IDS_CANNOT_READ_OR_UPDATE) + ProgramString(IDS_PANEL_UNAVAILABLE));
    EXPECT_EQ(AppState.CanUpdate, 0);
    EXPECT_EQ(AppState.CanRead, 0);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(statusWrites, 0);

    // The panel shows it on its next refresh.
    RefreshStatusArea(Status());
    EXPECT_EQ(StatusShown(), std::string(AppState.StatusText));
    EXPECT_EQ(CurrentStatusIconId(), static_cast<UINT>(IDI_STATE_NEITHER));
}

TEST_F(LinkState, RefusalWithOnePrinterShowsTheStatusThenTellsTheProgramEnds) {
    AppState.SeveralPrinters = 0;
    SetCurrentPrinter("Brindlemark 400ZX on LPT1");
    HWND owner = panel_;
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(EvaluatePrinterState(owner, kUnsupported.ext, kUnsupported.status, kUnsupported.auth), 0);
    const std::string reason = ProgramString(IDS_NOT_SUPPORTED_PRINTER);
    EXPECT_EQ(std::string(AppState.StatusText), reason);
    ASSERT_EQ(recorder.Count(), 1u);
    const rptest::RecordedBox& box = recorder.Boxes()[0];
    EXPECT_EQ(box.text, reason + "\n" + ProgramString(IDS_PROGRAM_ENDS));
    EXPECT_EQ(box.caption, kTitle + " - Brindlemark 400ZX on LPT1");
    EXPECT_EQ(box.icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.owner, owner);
    // The status area was brought up to date for the panel that is about to close.
    EXPECT_EQ(statusWrites, 1);
    EXPECT_EQ(StatusShown(), reason);
}

TEST_F(LinkState, RefusalWithoutPanelOrPrinterHasTheBareTitleAndWritesNoStatus) {
    AppState.SeveralPrinters = 0;
    AppState.PanelWindow = nullptr;
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(EvaluatePrinterState(nullptr, 0x0, kIdle.status, 0x10), 0);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text,
              ProgramString(IDS_NO_COMMUNICATION) + "\n" + ProgramString(IDS_PROGRAM_ENDS));
    EXPECT_EQ(recorder.Boxes()[0].caption, kTitle);
    EXPECT_EQ(statusWrites, 0);
}

TEST_F(LinkState, ALongPrinterNameIsCutToTheCaptionBuffer) {
    AppState.SeveralPrinters = 0;
    const std::string name(300, 'N');
    SetCurrentPrinter(name.c_str());
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(EvaluatePrinterState(panel_, kNoRights.ext, kNoRights.status, kNoRights.auth), 0);
    ASSERT_EQ(recorder.Count(), 1u);
    const std::string full = kTitle + " - " + name;
    EXPECT_EQ(recorder.Boxes()[0].caption, full.substr(0, 255));
    EXPECT_EQ(std::strlen(AppState.MessageCaption), 255u);
    // The buffers before the caption are intact.
    EXPECT_EQ(std::string(AppState.StatusText), ProgramString(IDS_CANNOT_READ_OR_UPDATE));
    EXPECT_EQ(std::string(AppState.MessageText),
              ProgramString(IDS_CANNOT_READ_OR_UPDATE) + "\n" + ProgramString(IDS_PROGRAM_ENDS));
}

TEST_F(LinkState, StatusAreaIsWrittenOnceForAnUnchangedState) {
    EvaluatePrinterState(panel_, kIdle.ext, kIdle.status, kIdle.auth);
    RefreshStatusArea(Status());
    RefreshStatusArea(Status());
    EXPECT_EQ(statusWrites, 1);
    EXPECT_EQ(StatusShown(), ProgramString(IDS_CAN_READ_AND_UPDATE));

    // A new evaluation with another outcome is shown.
    EvaluatePrinterState(panel_, kReadOnly.ext, kReadOnly.status, kReadOnly.auth);
    RefreshStatusArea(Status());
    EXPECT_EQ(statusWrites, 2);
    EXPECT_EQ(StatusShown(), ProgramString(IDS_CAN_READ_ONLY));
}

TEST_F(LinkState, PendingReadOrWriteIsShownOnEveryRefresh) {
    EvaluatePrinterState(panel_, kIdle.ext, kIdle.status, kIdle.auth);
    AppState.ReadPending = 1;
    RefreshStatusArea(Status());
    RefreshStatusArea(Status());
    EXPECT_EQ(statusWrites, 2);
    EXPECT_EQ(StatusShown(), ProgramString(IDS_READING));

    AppState.ReadPending = 0;
    AppState.WritePending = 1;
    RefreshStatusArea(Status());
    EXPECT_EQ(StatusShown(), ProgramString(IDS_WRITING));

    AppState.WritePending = 0;
    RefreshStatusArea(Status());
    EXPECT_EQ(StatusShown(), ProgramString(IDS_CAN_READ_AND_UPDATE));
    EXPECT_EQ(statusWrites, 4);
}

TEST_F(LinkState, EveryWriteHasThePictureRedrawn) {
    HWND picture = GetDlgItem(panel_, IDC_PRINTER_PICTURE);
    UpdateWindow(panel_);
    ValidateRect(picture, nullptr);
    RECT dirty{};
    ASSERT_FALSE(GetUpdateRect(picture, &dirty, FALSE));

    RefreshStatusArea(Status());
    EXPECT_TRUE(GetUpdateRect(picture, &dirty, FALSE));

    // Nothing changed: neither the text nor the picture is touched.
    ValidateRect(picture, nullptr);
    RefreshStatusArea(Status());
    EXPECT_FALSE(GetUpdateRect(picture, &dirty, FALSE));
}

}  // namespace
