// The fault matrix: every phase of a session with the status library failing in it, with one
// printer and with several. Each row checks the message, what the panel looks like afterwards,
// that an unsent edit survives and is written once the fault has gone, and that the printer's
// block holds the old or the new settings, never a mix. The matrix is printed as a table.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/Messages.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "panel/TabPages.h"
#include "printers/PrinterEnumeration.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "shell/Startup.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace shelltest {
namespace {

using Fault = std::function<void()>;

// When the fault strikes: as the panel starts, or after the user has edited the first page.
enum class When { AtStart, AfterEdit };
// When the fault ends the program.
enum class Ends { Never, WithOnePrinter, Always };

struct Row {
    const char* phase;
    Fault inject;
    When when;
    std::function<void(HWND panel)> trigger;  // after the edit; may be null
    UINT message;                             // the first message's text, 0: none
    Ends ends;
    UINT statusSeveral;   // the status area afterwards, several printers
    Fault recover;        // after the fault is cleared; may be null
    UINT askSeveral = 0;  // with several printers, the question the trigger asks instead (answered Cancel)
    bool triggerWrites = false;  // the trigger's own write goes through, whatever the fault
};

void Press(HWND panel, int id) { SendMessageA(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
void ChangeStatus() { vp::SetStatus("LP1", 0, 0, 0x3); }
void Idle() { vp::ApplyPreset("LP1", "idle"); }

std::vector<Row> Rows() {
    auto update = [](HWND panel) { Press(panel, IDC_UPDATE); };
    auto exit = [](HWND panel) { Press(panel, IDC_EXIT); };
    auto state = [](HWND) { ChangeStatus(); };
    const Ends N = Ends::Never, One = Ends::WithOnePrinter;
    return {
        {"open", [] { vp::SetFault("LP1", &vp::Faults::refuseOpen, true); }, When::AtStart, nullptr,
         IDS_OPEN_FAILED, One, IDS_PANEL_UNAVAILABLE, nullptr},
        {"state read (ext)", [] { vp::SetReadFault("LP1", qmx::Item::PrinterExtStatus, true); },
         When::AtStart, nullptr, IDS_EXT_STATUS_READ_FAILED, One, IDS_PANEL_UNAVAILABLE, nullptr},
        {"state read (authority)", [] { vp::SetReadFault("LP1", qmx::Item::UserAuthority, true); },
         When::AtStart, nullptr, IDS_AUTHORITY_READ_FAILED, One, IDS_PANEL_UNAVAILABLE, nullptr},
        {"registration 1", [] { vp::SetFault("LP1", &vp::Faults::failNotifyAt, 1); }, When::AtStart, nullptr,
         IDS_NOTIFY_FAILED, One, IDS_PANEL_UNAVAILABLE, nullptr},
        {"registration 6", [] { vp::SetFault("LP1", &vp::Faults::failNotifyAt, 6); }, When::AtStart, nullptr,
         IDS_NOTIFY_FAILED, One, IDS_PANEL_UNAVAILABLE, nullptr},
        {"read request", [] { vp::SetFault("LP1", &vp::Faults::failReadRequests, true); }, When::AtStart,
         nullptr, IDS_SETTINGS_READ_FAILED, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"read never answered", [] { vp::SetFault("LP1", &vp::Faults::loseReads, true); }, When::AtStart,
         nullptr, IDS_SETTINGS_READ_FAILED, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"block fetch", [] { vp::SetReadFault("LP1", qmx::Item::Settings, true); }, When::AtStart, nullptr,
         IDS_SETTINGS_READ_FAILED, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"block never loaded, then update", [] { vp::SetFault("LP1", &vp::Faults::badHeaderReads, 100); },
         When::AtStart,
         [](HWND panel) {
             SendMessageA(panel, WM_SETTINGS_CHANGED, 0, 0);
             Press(panel, IDC_UPDATE);
         },
         IDS_NOTHING_TO_WRITE, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"write request", [] { vp::SetFault("LP1", &vp::Faults::refuseWrites, 1); }, When::AfterEdit, update,
         IDS_WRITE_FAILED_RETRY, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"write result", [] { vp::SetFault("LP1", &vp::Faults::asyncResult, 5); }, When::AfterEdit, update,
         IDS_WRITE_FAILED, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"write never answered", [] { vp::SetFault("LP1", &vp::Faults::latencyMs, 600000); }, When::AfterEdit,
         update, IDS_WRITE_FAILED, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"changed status unreadable", [] { vp::SetReadFault("LP1", qmx::Item::PrinterStatus, true); },
         When::AfterEdit, state, IDS_STATUS_READ_FAILED, One, IDS_PANEL_UNAVAILABLE, Idle},
        {"printer unusable, then back", [] { vp::ApplyPreset("LP1", "offline"); }, When::AfterEdit, nullptr,
         IDS_NO_COMMUNICATION, One, IDS_NO_COMMUNICATION, Idle},
        {"name without terminator", [] { vp::SetFault("LP1", &vp::Faults::unterminatedText, true); },
         When::AfterEdit, [](HWND) { vp::Rename("LP1", "LP1b"); }, 0, N, IDS_CAN_READ_AND_UPDATE, nullptr},
        {"kill and close", [] { vp::SetFault("LP1", &vp::Faults::failClose, true); }, When::AtStart, exit, 0,
         Ends::Always, 0, nullptr},
        // The write reads the block once more for the odd feed distances: when that read fails,
        // the distances read before are sent, not zeros.
        {"write's re-read", [] { vp::SetReadFault("LP1", qmx::Item::Settings, true); }, When::AfterEdit,
         update, 0, N, IDS_CAN_READ_AND_UPDATE, nullptr, 0, true},
        // Edits held while the printer cannot be used are asked about before the exit drops them.
        {"printer unusable, then exit", [] { vp::ApplyPreset("LP1", "offline"); }, When::AfterEdit,
         [](HWND panel) {
             rptest::PumpUntil([] { return AppState.CanRead == 0; }, 3000);
             if (IsWindow(panel)) Press(panel, IDC_EXIT);
         },
         IDS_NO_COMMUNICATION, One, IDS_NO_COMMUNICATION, Idle, IDS_UNSENT_CHANGES},
    };
}

// Requests never answered are given up after half a second.
class FaultMatrix : public ProgramTest {
protected:
    struct ShortTimeout {
        UINT previous = SetPanelRequestTimeout(500);
        ~ShortTimeout() { SetPanelRequestTimeout(previous); }
    } timeout_;
};

bool Starts(const std::string& text, UINT id) { return text.rfind(ProgramString(id), 0) == 0; }

TEST_F(FaultMatrix, EveryPhaseWithOneAndWithSeveralPrinters) {
    constexpr uint8_t kEdited = 52;  // typed into the cut-sheet head centering, block byte 22
    std::vector<std::string> table;
    for (const Row& row : Rows()) {
        for (bool several : {false, true}) {
            SCOPED_TRACE(std::string(row.phase) + (several ? ", several printers" : ", one printer"));
            SetUp();
            Install(several ? std::vector<std::string>{"LP1", "LP2"} : std::vector<std::string>{"LP1"});
            // A continuous-front feed distance that no list names: every write must send it back.
            ASSERT_EQ(vp::PatchBlock("LP1", BlockFeedPos + FeedPathContFront, {100}), 0u);
            qmx::SettingsBlockBytes original{};
            ASSERT_EQ(vp::GetBlock("LP1", original), 0u);
            rptest::MessageBoxRecorder boxes({}, IDCANCEL);  // a Retry/Cancel box is cancelled
            if (row.when == When::AtStart) row.inject();
            const bool started = Start("LP1", true) != nullptr;  // a start that ends the program gives none
            const bool edited = row.when == When::AfterEdit;
            if (edited) {
                ASSERT_TRUE(started);
                TypeOnPage0(IDC_HC_CUT_EDIT, std::to_string(kEdited));
                ASSERT_TRUE(Enabled(IDC_UPDATE));
                boxes.Clear();
                row.inject();
            }
            if (row.trigger && started) row.trigger(Panel());
            Settle(300);
            WaitIdle();  // a request never answered is given up meanwhile

            const std::string first = boxes.Count() ? boxes.Boxes()[0].text : "";
            // A printer its state refuses, with several printers, is told of in the status area alone.
            const UINT firstText = several && row.askSeveral
                                       ? row.askSeveral
                                       : (several && row.message == IDS_NO_COMMUNICATION ? 0 : row.message);
            if (firstText) {
                EXPECT_TRUE(Starts(first, firstText)) << first;
            } else {
                EXPECT_EQ(boxes.Count(), 0u) << first;
            }
            const bool ends = row.ends == Ends::Always || (row.ends == Ends::WithOnePrinter && !several);
            EXPECT_EQ(ProgramEnded(), ends);
            if (ends && row.message) {
                EXPECT_NE(first.find(ProgramString(IDS_PROGRAM_ENDS)), std::string::npos) << first;
                EXPECT_EQ(first.find(ProgramString(IDS_EDITS_NOT_WRITTEN)) != std::string::npos, edited)
                    << first;
            }
            std::string afterwards = ends ? "ended" : "";
            if (!ends) {
                EXPECT_TRUE(Status().rfind(ProgramString(row.statusSeveral), 0) == 0) << Status();
                afterwards = std::string(Enabled(IDC_UPDATE) ? "update on" : "update off") +
                             (PagesShowSettings() ? ", pages shown" : ", pages off");
                if (!AppState.CanUpdate) {
                    EXPECT_FALSE(Enabled(IDC_UPDATE)) << "nothing can be written now";
                }
            }
            // The unsent edit survives the fault and is written once the fault has gone.
            std::vector<std::string> names;  // the first is the printer worked on, renamed or not
            vp::List(names);
            bool written = row.triggerWrites;
            if (edited && !ends && !written) {
                EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), std::to_string(kEdited));
                for (const std::string& name : names) vp::ClearFaults(name);
                if (row.recover) row.recover();
                Settle();
                EXPECT_TRUE(Enabled(IDC_UPDATE)) << "the edit is offered for writing again";
                Command(IDC_UPDATE);
                ASSERT_TRUE(WaitIdle());
                written = true;
            }
            qmx::SettingsBlockBytes now{};
            ASSERT_EQ(vp::GetBlock(names.front(), now), 0u);
            qmx::SettingsBlockBytes expected = original;
            if (written) expected[22] = static_cast<uint8_t>((original[22] & 0x80) | kEdited);
            EXPECT_EQ(now, expected) << "the block holds the old or the new settings, nothing else";
            char line[200];
            std::snprintf(line, sizeof line, "%-30s %-8s %-5s %-24s %s", row.phase,
                          several ? "several" : "one", firstText ? std::to_string(firstText).c_str() : "-",
                          afterwards.c_str(),
                          edited ? (written ? "edit kept, written" : "named as not written") : "-");
            table.push_back(line);
            TearDown();
        }
    }
    std::printf("%-30s %-8s %-5s %-24s %s\n", "phase", "printers", "text", "afterwards", "unsent edit");
    for (const std::string& line : table) std::printf("%s\n", line.c_str());
}

// OK in the selection dialog while another program announces new printers during the question
// about unsent edits: the chosen printer is found again, and one that has gone is refused.
TEST_F(ProgramTest, SelectionFindsTheChosenPrinterAgainAfterTheQuestion) {
    Install({"LP1", "LP2", "LP3"});
    ASSERT_NE(Start("LP1"), nullptr);
    TypeOnPage0(IDC_HC_CUT_EDIT, "50");
    rptest::MessageBoxRecorder boxes;
    boxes.OnDialog([](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_PRINTER_LIST);
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));  // LP2
        PostMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
        return true;
    });
    boxes.OnBox([](const rptest::RecordedBox& box) {
        if (box.text != ProgramString(IDS_UNSENT_CHANGES)) {
            PostMessageA(box.owner, WM_COMMAND, IDC_SELECT_CANCEL, 0);
            return;
        }
        vp::Remove("LP2");  // the list is rebuilt while the question is up
        AppState.PrinterCount = EnumerateSupportedPrinters();
    });
    FrameCommand(IDM_CHANGE_PRINTER);
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, ProgramString(IDS_SELECT_A_PRINTER));
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP1");
}

// Replies that belong to no outstanding request are not this panel's; every read starts with
// three attempts; a renamed printer's panel is found by its new name.
TEST_F(ProgramTest, StrayRepliesAttemptsAndRenames) {
    Install({"LP1"});
    ASSERT_NE(Start("LP1"), nullptr);
    PanelSettings.HeadCenterCutSheet = 11;  // a decode would overwrite it
    PostMessageA(Panel(), WM_READ_DONE, 0, 0);
    Settle();
    EXPECT_EQ(PanelSettings.HeadCenterCutSheet, 11);

    PanelStateOf(Panel())->ReadAttemptsLeft = 1;  // left over from a read whose retry was turned away
    vp::SetFault("LP1", &vp::Faults::badHeaderReads, 1);
    FrameCommand(IDM_READ_SETTINGS);
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(PagesShowSettings()) << "the second of three attempts was made";

    ASSERT_EQ(vp::Rename("LP1", "LP9"), 0u);
    Settle();
    bool existed = false;
    EXPECT_EQ(CreateInstanceMapping("LP9", &existed), nullptr);
    EXPECT_TRUE(existed);
    HANDLE old = CreateInstanceMapping("LP1", &existed);
    EXPECT_FALSE(existed) << "the old name is free for another panel";
    if (old) CloseHandle(old);
}

// Requests and dialogs of a printer the panel has left are not the new printer's: a retry
// answered after the move, a detail dialog still open, a completion that comes late, and a
// notification while the box of a read's reply is up.
TEST_F(FaultMatrix, WhatBelongsToOnePrinterOrRequestStaysThere) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    TypeOnPage0(IDC_HC_CUT_EDIT, "52");
    vp::SetFault("LP1", &vp::Faults::refuseWrites, 9);
    rptest::MessageBoxRecorder boxes;  // every question OK, the retry box Retry (its first button)
    boxes.OnDialog([](HWND dialog) {   // the selection dialog: LP2 is the only row left
        PostMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
        return true;
    });
    boxes.OnBox([&](const rptest::RecordedBox& box) {
        if (box.text != ProgramString(IDS_WRITE_FAILED_RETRY) || boxes.Count() > 1) return;
        vp::Remove("LP1");  // while the box is up, the printer goes and another program says so
        PostMessageA(Frame(), WM_PRINTERS_CHANGED, 0, 0);
    });
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP2");
    EXPECT_EQ(Printer("LP2").writeCount, 0u) << "the retry answered after the move was dropped";

    // A detail dialog open on LP2's settings while the panel moves to LP3 stores nothing there.
    Install({"LP2", "LP3"});
    ASSERT_EQ(vp::PatchBlock("LP3", BlockPaperThickness, {2}), 0u);
    boxes.OnBox(nullptr);
    boxes.OnDialog([this](HWND dialog) {
        if (GetDlgItem(dialog, IDC_THICKNESS_LIST)) {
            SendDlgItemMessageA(dialog, IDC_THICKNESS_LIST, CB_SETCURSEL, 5, 0);
            vp::Remove("LP2");
            PostMessageA(Frame(), WM_PRINTERS_CHANGED, 0, 0);
            // The user's OK comes once the panel has moved (with the old dialog still up).
            rptest::PressOkLater(dialog, 300);
        } else {
            PostMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
        }
        return true;
    });
    SendMessageA(GetDlgItem(Page0(), IDC_PAPER_ADVANCED), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitIdle());
    Settle(400);
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP3");
    EXPECT_EQ(PanelSettings.PaperThickness, 2);
    EXPECT_FALSE(Enabled(IDC_UPDATE));

    // A write given up after the time limit completes while the next one is under way.
    boxes.OnDialog(nullptr);
    boxes.Clear();
    TypeOnPage0(IDC_HC_CUT_EDIT, "53");
    vp::SetFault("LP3", &vp::Faults::latencyMs, 700);
    const UINT previous = SetPanelRequestTimeout(300);
    Command(IDC_UPDATE);
    ASSERT_TRUE(rptest::PumpUntil([&] { return boxes.Count() == 1; }));  // 109: given up
    SetPanelRequestTimeout(5000);
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    SetPanelRequestTimeout(previous);
    EXPECT_EQ(boxes.Count(), 1u) << "the late completion was not taken for the second write";
    EXPECT_FALSE(Enabled(IDC_UPDATE));

    // A notification that arrives while the box of a read's reply is up does not start a second
    // read: every attempt says that the block could not be read, and none is turned away.
    vp::SetFault("LP3", &vp::Faults::latencyMs, 0);
    vp::SetReadFault("LP3", qmx::Item::Settings, true);
    boxes.Clear();
    boxes.OnBox([&](const rptest::RecordedBox&) {
        if (boxes.Count() > 1) return;
        vp::SetStatus("LP3", 7, 0, 0x1);  // a change that leaves the printer idle
        Sleep(200);                       // its notification is queued before the box's answer
    });
    FrameCommand(IDM_READ_SETTINGS);
    ASSERT_TRUE(WaitIdle());
    Settle();
    ASSERT_EQ(boxes.Count(), 3u);
    for (const rptest::RecordedBox& box : boxes.Boxes())
        EXPECT_EQ(box.text, ProgramString(IDS_SETTINGS_READ_FAILED));
}

// The printer goes while the retry box of its write is up, and the user keeps the edits (Cancel to
// letting them go, for another printer and for ending): no request waits on the closed session
// for ever, and the edits stay held.
TEST_F(FaultMatrix, AWriteOnAPrinterThatWentEndsAndItsEditsStayHeld) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    TypeOnPage0(IDC_HC_CUT_EDIT, "52");
    vp::SetFault("LP1", &vp::Faults::refuseWrites, 9);
    rptest::MessageBoxRecorder boxes;
    boxes.OnDialog([](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
        return true;
    });
    boxes.OnChoose([&](const rptest::RecordedBox& box) {
        if (box.text == ProgramString(IDS_WRITE_FAILED_RETRY)) {
            vp::Remove("LP1");
            PostMessageA(Frame(), WM_PRINTERS_CHANGED, 0, 0);
            return IDRETRY;
        }
        if (box.text != ProgramString(IDS_UNSENT_CHANGES)) return 0;
        if (GetDlgItem(box.owner, IDC_PRINTER_LIST))
            PostMessageA(box.owner, WM_COMMAND, IDC_SELECT_CANCEL, 0);
        return IDCANCEL;
    });
    Command(IDC_UPDATE_AND_EXIT);
    ASSERT_TRUE(WaitIdle()) << "the write waits for a session that is closed";
    EXPECT_FALSE(ProgramEnded());
    EXPECT_EQ(EditsOf(Panel()).State, EditState::Held);
}

// A printer that reports bit 3.2 with six of the seven switches of its byte on: turning on the
// seventh would store 0xFF, which no one could read back. The update is refused with the switches
// named, on their page, nothing is sent and the edit stays.
TEST_F(FaultMatrix, AnUpdateThatLeavesASwitchByteFullIsRefused) {
    Install({"LP1"});
    ASSERT_EQ(vp::PatchBlock("LP1", BlockSwitchBits + 3, {0x7F}), 0u);
    ASSERT_NE(Start("LP1"), nullptr);
    SelectTab(Panel(), 4);
    HWND page = Pages()->PageWindows[4];
    SendMessageA(GetDlgItem(page, IDC_SHEET_GUIDE_SWITCH), BM_CLICK, 0, 0);
    SelectTab(Panel(), 0);
    rptest::MessageBoxRecorder boxes;
    for (const int update : {IDC_UPDATE, IDC_UPDATE_AND_EXIT}) {
        boxes.Clear();
        Command(update);
        ASSERT_EQ(boxes.Count(), 1u);
        const std::string& text = boxes.Boxes()[0].text;
        EXPECT_TRUE(text.rfind(ProgramString(IDS_SWITCHES_UNREADABLE).substr(0, 20), 0) == 0) << text;
        EXPECT_NE(text.find("シートガイドの自動吸入方式"), std::string::npos) << text;
        EXPECT_EQ(Pages()->CurrentPage, page) << "the page of those switches is brought forward";
        EXPECT_TRUE(Enabled(IDC_UPDATE)) << "the edit stays";
        EXPECT_FALSE(ProgramEnded());
    }
    EXPECT_EQ(Printer("LP1").writeCount, 0u);

    // The same in a detail dialog, whose OK stores into the record at once: the dialog stays open.
    ASSERT_EQ(vp::PatchBlock("LP1", BlockSwitchBits + 3, {0xEF}), 0u);  // all but the draft switch
    FrameCommand(IDM_READ_SETTINGS);                                    // the question: OK
    ASSERT_TRUE(WaitIdle());
    SelectTab(Panel(), 3);
    boxes.Clear();
    EXPECT_TRUE(rptest::RunDetailDialogFrom(
        boxes, Pages()->PageWindows[3], IDC_DOS_ENVIRONMENT,
        [](HWND dialog) { CheckDlgButton(dialog, IDC_DOS_DRAFT_AT_POWER_ON, BST_CHECKED); }, IDOK));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.find("電源オン時にドラフトモードにする"), std::string::npos);
    EXPECT_TRUE(SettingsLoaded()) << "the record keeps the switches it had";
    EXPECT_FALSE(Enabled(IDC_UPDATE)) << "nothing was stored";
}

// Edits whose write timed out while the printer was away, and a detail dialog's OK that came after
// the printer went (and came back, or not yet): once it is back, 更新 writes exactly them.
TEST_F(FaultMatrix, EditsMadeOrSentWhileThePrinterWasAwayStayWritable) {
    enum Way { WriteTimesOut, DialogOkAfterItCameBack, DialogOkWhileAway };
    for (const Way way : {WriteTimesOut, DialogOkAfterItCameBack, DialogOkWhileAway}) {
        SCOPED_TRACE(way);
        SetUp();
        Install({"LP1", "LP2"});
        ASSERT_NE(Start("LP1"), nullptr);
        rptest::MessageBoxRecorder boxes;
        if (way == WriteTimesOut) {
            TypeOnPage0(IDC_HC_CUT_EDIT, "52");
            vp::SetFault("LP1", &vp::Faults::latencyMs, 60000);
            Command(IDC_UPDATE);
            vp::ApplyPreset("LP1", "offline");
            Settle(900);  // the write's time limit passes: message 109
            vp::SetFault("LP1", &vp::Faults::latencyMs, 0);
        } else {
            boxes.OnDialog([&](HWND dialog) {
                SendDlgItemMessageA(dialog, IDC_THICKNESS_LIST, CB_SETCURSEL, 5, 0);
                vp::ApplyPreset("LP1", "offline");
                if (way == DialogOkAfterItCameBack)
                    rptest::RunLater(400, [] { vp::ApplyPreset("LP1", "idle"); });
                rptest::RunLater(1000, [dialog] { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
                return true;
            });
            SendMessageA(GetDlgItem(Page0(), IDC_PAPER_ADVANCED), BM_CLICK, 0, 0);
        }
        vp::ApplyPreset("LP1", "idle");
        Settle();
        ASSERT_TRUE(WaitIdle());
        for (const rptest::RecordedBox& box : boxes.Boxes())
            EXPECT_FALSE(Starts(box.text, IDS_SWITCHES_UNREADABLE)) << "switches the user never touched";
        ASSERT_TRUE(Enabled(IDC_UPDATE));
        Command(IDC_UPDATE);
        ASSERT_TRUE(WaitIdle());
        if (way == WriteTimesOut) {
            EXPECT_EQ(Printer("LP1").block[BlockHeadCenterCutSheet] & BlockHeadCenterMask, 52);
        } else {
            EXPECT_EQ(Printer("LP1").block[BlockPaperThickness], 5);
        }
    }
}

}  // namespace
}  // namespace shelltest
