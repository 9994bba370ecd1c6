// The panel's commands and states: buttons and toolbar in every state of the states table, the
// refusals while busy, reading or writing, the question about unwritten edits, initial values
// during a read, update and exit after a refused write, a value the command cannot carry, and
// change printer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/Messages.h"
#include "panel/PanelDialog.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "shell/Startup.h"
#include "tests/gui/QmxCallLog.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace shelltest {
namespace {

using rptest::BoxIcon;
using rptest::MessageBoxRecorder;

constexpr uint32_t kLongLatency = 60000;  // a request that stays outstanding for the test

// What the panel offers in one state.
struct Offer {
    bool read, initialValues, changePrinter, update, pages;
};

struct StateCase {
    const char* state;
    std::vector<std::string> printers;
    std::function<void(ProgramTest&)> enter;
    Offer offer;
};

class PanelStates : public ProgramTest {
public:
    void Enter(const StateCase& c) {
        Install(c.printers);
        c.enter(*this);
    }
    HWND StartIdle() { return Start(); }
    void Type() { TypeOnPage0(IDC_HC_CUT_EDIT, "33"); }
    void Cmd(int id) { Command(id); }
    void ToolbarCommand(int id) { FrameCommand(id); }
};

TEST_F(PanelStates, ButtonsAndToolbarInEveryState) {
    const std::vector<StateCase> cases = {
        {"link failed",
         {"LP1", "LP2"},
         [](ProgramTest& t) {
             vp::SetFault("LP1", &vp::Faults::refuseOpen, true);
             static_cast<PanelStates&>(t).StartIdle();
         },
         {false, false, true, false, false}},
        {"printer unusable",
         {"LP1", "LP2"},
         [](ProgramTest& t) {
             auto& s = static_cast<PanelStates&>(t);
             s.StartIdle();
             vp::ApplyPreset("LP1", "offline");
             rptest::PumpUntil([] { return AppState.CanRead == 0; });
         },
         {false, false, true, false, false}},
        {"reading",
         {"LP1", "LP2"},
         [](ProgramTest& t) {
             auto& s = static_cast<PanelStates&>(t);
             s.StartIdle();
             vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
             s.ToolbarCommand(IDM_READ_SETTINGS);
         },
         {false, false, false, false, false}},
        {"loaded",
         {"LP1", "LP2"},
         [](ProgramTest& t) { static_cast<PanelStates&>(t).StartIdle(); },
         {true, true, true, false, true}},
        {"edited",
         {"LP1", "LP2"},
         [](ProgramTest& t) {
             auto& s = static_cast<PanelStates&>(t);
             s.StartIdle();
             s.Type();
         },
         {true, true, true, true, true}},
        {"writing",
         {"LP1", "LP2"},
         [](ProgramTest& t) {
             auto& s = static_cast<PanelStates&>(t);
             s.StartIdle();
             s.Type();
             vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
             s.Cmd(IDC_UPDATE);
         },
         {false, true, false, false, true}},
        {"busy",
         {"LP1", "LP2"},
         [](ProgramTest& t) {
             static_cast<PanelStates&>(t).StartIdle();
             vp::ApplyPreset("LP1", "busy");
             rptest::PumpUntil([] { return AppState.PrinterBusy == 1; });
         },
         {false, true, true, false, true}},
        {"read-only",
         {"LP1"},
         [](ProgramTest& t) {
             vp::ApplyPreset("LP1", "read-only");
             auto& s = static_cast<PanelStates&>(t);
             s.StartIdle();
             s.Type();  // an edit cannot be written
         },
         {true, true, false, false, true}},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.state);
        SetUp();
        MessageBoxRecorder recorder;
        Enter(c);
        EXPECT_EQ(ToolbarEnabled(IDM_READ_SETTINGS), c.offer.read);
        EXPECT_EQ(ToolbarEnabled(IDM_INITIAL_VALUES), c.offer.initialValues);
        EXPECT_EQ(ToolbarEnabled(IDM_CHANGE_PRINTER), c.offer.changePrinter);
        EXPECT_EQ(Enabled(IDC_UPDATE), c.offer.update);
        EXPECT_EQ(Enabled(IDC_UPDATE_AND_EXIT), c.offer.update);
        EXPECT_EQ(PagesShowSettings(), c.offer.pages);
        EXPECT_TRUE(Enabled(IDC_EXIT));
        EXPECT_TRUE(Enabled(IDC_HELP_CONTENTS));
        TearDown();
    }
}

TEST_F(PanelStates, ReadAndUpdateAreTurnedAwayWhileWritingReadingOrBusy) {
    struct Refusal {
        const char* state;
        std::function<void(PanelStates&)> enter;
        UINT text;
    };
    const std::vector<Refusal> refusals = {
        {"writing",
         [](PanelStates& s) {
             s.Type();
             vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
             s.Cmd(IDC_UPDATE);
         },
         IDS_BUSY_WRITING},
        {"reading",
         [](PanelStates& s) {
             vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
             s.ToolbarCommand(IDM_READ_SETTINGS);
         },
         IDS_BUSY_READING},
        {"busy",
         [](PanelStates&) {
             vp::ApplyPreset("LP1", "busy");
             rptest::PumpUntil([] { return AppState.PrinterBusy == 1; });
         },
         IDS_PRINTER_BUSY},
    };
    for (const Refusal& refusal : refusals) {
        for (int command : {IDM_READ_SETTINGS, IDC_UPDATE, IDC_UPDATE_AND_EXIT}) {
            SCOPED_TRACE(std::string(refusal.state) + " " + std::to_string(command));
            SetUp();
            Install({"LP1"});
            ASSERT_NE(StartIdle(), nullptr);
            refusal.enter(*this);
            linktest::QmxCallLog log;
            MessageBoxRecorder recorder;
            const int32_t reading = AppState.ReadPending, writing = AppState.WritePending;
            Cmd(command);
            ASSERT_EQ(recorder.Count(), 1u);
            EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(refusal.text));
            EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Information);
            EXPECT_EQ(recorder.Boxes()[0].caption, Caption("LP1"));
            // Nothing started.
            EXPECT_TRUE(log.Calls().empty());
            EXPECT_EQ(AppState.ReadPending, reading);
            EXPECT_EQ(AppState.WritePending, writing);
            EXPECT_FALSE(ProgramEnded());
            TearDown();
        }
    }
}

TEST_F(PanelStates, ReadWithCanReadZeroDoesNothingAtAll) {
    Install({"LP1"});
    ASSERT_EQ(vp::ApplyPreset("LP1", "update-only"), 0u);
    MessageBoxRecorder recorder;
    StartIdle();
    recorder.Clear();
    linktest::QmxCallLog log;
    ToolbarCommand(IDM_READ_SETTINGS);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_TRUE(log.Calls().empty());
    EXPECT_TRUE(PagesShowSettings());
}

TEST_F(PanelStates, UnwrittenEditsAreAskedAboutBeforeExitAndRead) {
    for (int command : {IDC_EXIT, IDM_READ_SETTINGS}) {
        for (int answer : {IDCANCEL, IDOK}) {
            SCOPED_TRACE(std::to_string(command) + (answer == IDOK ? " OK" : " Cancel"));
            SetUp();
            Install({"LP1"});
            ASSERT_NE(StartIdle(), nullptr);
            Type();
            linktest::QmxCallLog log;
            MessageBoxRecorder recorder({answer});
            Cmd(command);
            ASSERT_GE(recorder.Count(), 1u);
            EXPECT_EQ(recorder.Boxes()[0].text,
                      "設定が変更されています。コマンドを続行すると設定の変更は破棄されます。");
            EXPECT_EQ(recorder.Boxes()[0].icon, BoxIcon::Question);
            EXPECT_EQ(recorder.Boxes()[0].buttons, (std::vector<int>{IDOK, IDCANCEL}));
            if (answer == IDCANCEL) {
                EXPECT_FALSE(ProgramEnded());
                EXPECT_TRUE(Enabled(IDC_UPDATE));
                EXPECT_TRUE(log.CallsOf("GetReqPrinterStatusMsgA").empty());
                EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "33");
            } else if (command == IDC_EXIT) {
                EXPECT_TRUE(ProgramEnded());
                EXPECT_EQ(Printer("LP1").writeCount, 0u);
            } else {
                EXPECT_EQ(log.CallsOf("GetReqPrinterStatusMsgA").size(), 1u);
                EXPECT_FALSE(Enabled(IDC_UPDATE));
                ASSERT_TRUE(WaitIdle());
                EXPECT_NE(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "33");
            }
            TearDown();
        }
    }
}

TEST_F(PanelStates, ExitDuringAnOutstandingWriteClosesWithoutWaiting) {
    Install({"LP1"});
    ASSERT_NE(StartIdle(), nullptr);
    Type();
    vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
    Cmd(IDC_UPDATE);
    ASSERT_EQ(AppState.WritePending, 1);
    MessageBoxRecorder recorder;
    Cmd(IDC_EXIT);
    EXPECT_TRUE(ProgramEnded());
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(PanelStates, InitialValuesDuringAReadReplaceTheRecordAndAllowUpdating) {
    Install({"LP1"});
    ASSERT_EQ(vp::PatchBlock("LP1", BlockHeadCenterCutSheet, {30}), 0u);
    ASSERT_NE(StartIdle(), nullptr);
    vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
    ToolbarCommand(IDM_READ_SETTINGS);
    ASSERT_EQ(AppState.ReadPending, 1);
    EXPECT_FALSE(ToolbarEnabled(IDM_INITIAL_VALUES));
    MessageBoxRecorder recorder;
    ToolbarCommand(IDM_INITIAL_VALUES);  // Ctrl+I while the toolbar button is off
    PanelSettingsRecord initial{};
    LoadInitialSettings(initial);
    EXPECT_EQ(std::memcmp(&PanelSettings, &initial, sizeof initial), 0);
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)),
              std::to_string(initial.HeadCenterCutSheet));
    EXPECT_TRUE(Enabled(IDC_UPDATE));
    EXPECT_TRUE(Enabled(IDC_UPDATE_AND_EXIT));
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(PanelStates, EditsEnableUpdatingOnlyOfLoadedSettingsAndNotWhileBusy) {
    Install({"LP1"});
    ASSERT_NE(StartIdle(), nullptr);
    vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
    ToolbarCommand(IDM_READ_SETTINGS);
    // A read discards the settings shown: an edit notice now has nothing that could be written.
    SendMessageA(Panel(), WM_SETTINGS_CHANGED, reinterpret_cast<WPARAM>(Page0()), 0);
    EXPECT_FALSE(Enabled(IDC_UPDATE));
    EXPECT_FALSE(Enabled(IDC_UPDATE_AND_EXIT));

    SetUp();
    Install({"LP1"});
    ASSERT_NE(StartIdle(), nullptr);
    vp::ApplyPreset("LP1", "busy");
    ASSERT_TRUE(rptest::PumpUntil([] { return AppState.PrinterBusy == 1; }));
    SendMessageA(Panel(), WM_SETTINGS_CHANGED, reinterpret_cast<WPARAM>(Page0()), 0);
    EXPECT_FALSE(Enabled(IDC_UPDATE));
    EXPECT_FALSE(Enabled(IDC_UPDATE_AND_EXIT));
}

TEST_F(PanelStates, UpdateAndExitAfterARefusedWriteAsks69) {
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        SetUp();
        Install({"LP1"});
        ASSERT_NE(StartIdle(), nullptr);
        Type();
        vp::SetFault("LP1", &vp::Faults::refuseWrites, 1);
        MessageBoxRecorder recorder({IDCANCEL, answer});
        Cmd(IDC_UPDATE_AND_EXIT);
        ASSERT_EQ(recorder.Count(), 2u);
        EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_WRITE_FAILED_RETRY));
        EXPECT_EQ(recorder.Boxes()[1].text,
                  "プリンタへの設定が完了していません。リモートパネルを終了しますか？");
        EXPECT_EQ(recorder.Boxes()[1].icon, BoxIcon::Question);
        EXPECT_EQ(recorder.Boxes()[1].buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(ProgramEnded(), answer == IDYES);
        EXPECT_EQ(Printer("LP1").writeCount, 0u);
        if (answer == IDNO) {
            EXPECT_TRUE(Enabled(IDC_UPDATE));
            EXPECT_EQ(AppState.WritePending, 0);
        }
        TearDown();
    }
}

TEST_F(PanelStates, ValueTheCommandCannotCarryIsNamedAndNothingIsLost) {
    for (int command : {IDC_UPDATE, IDC_UPDATE_AND_EXIT}) {
        SCOPED_TRACE(command);
        SetUp();
        Install({"LP1"});
        ASSERT_EQ(vp::PatchBlock("LP1", BlockPageLength, {150}), 0u);  // two digits in the command
        ASSERT_NE(StartIdle(), nullptr);
        Type();
        MessageBoxRecorder recorder;
        Cmd(command);
        ASSERT_EQ(recorder.Count(), 1u);  // no question 69 after it
        EXPECT_NE(recorder.Boxes()[0].text.find("150"), std::string::npos);
        EXPECT_NE(recorder.Boxes()[0].text.find("用紙長"), std::string::npos);
        EXPECT_FALSE(ProgramEnded());
        EXPECT_EQ(Printer("LP1").writeCount, 0u);
        EXPECT_EQ(AppState.WritePending, 0);
        EXPECT_TRUE(Enabled(IDC_UPDATE));
        EXPECT_EQ(PanelSettings.HeadCenterCutSheet, 33);
        EXPECT_EQ(PanelSettings.PageLength, 150);
        TearDown();
    }
}

TEST_F(PanelStates, PageThatRefusesItsValuesStopsUpdateAndExit) {
    Install({"LP1"});
    ASSERT_NE(StartIdle(), nullptr);
    TypeOnPage0(IDC_HC_CUT_EDIT, "99");  // the column range is 10 to 68
    MessageBoxRecorder recorder;
    Cmd(IDC_UPDATE_AND_EXIT);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_BAD_HEAD_CENTERING));
    EXPECT_FALSE(ProgramEnded());
    EXPECT_EQ(Printer("LP1").writeCount, 0u);
}

// ---- Change printer -------------------------------------------------------------------------

// Selects the row of `name` in the selection dialog and confirms it.
void Choose(HWND dialog, const std::string& name) {
    HWND list = GetDlgItem(dialog, IDC_PRINTER_LIST);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        char text[300] = {};
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = name == text ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    PostMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
}

// The selection dialog, whenever it comes up, is answered with the row of `name`.
void ChooseInSelection(MessageBoxRecorder& recorder, const std::string& name) {
    recorder.OnDialog([name](HWND dialog) {
        Choose(dialog, name);
        return true;
    });
}

TEST_F(PanelStates, ChangePrinterWithOnePrinterOnlyRefreshesTheToolbar) {
    Install({"LP1"});
    ASSERT_NE(StartIdle(), nullptr);
    AppState.SeveralPrinters = 1;  // as left by an earlier count
    MessageBoxRecorder recorder;
    int dialogs = 0;
    recorder.OnDialog([&](HWND dialog) {
        ++dialogs;
        PostMessageA(dialog, WM_COMMAND, IDC_SELECT_CANCEL, 0);
        return true;
    });
    ToolbarCommand(IDM_CHANGE_PRINTER);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(AppState.SeveralPrinters, 0);
    EXPECT_FALSE(ToolbarEnabled(IDM_CHANGE_PRINTER));
}

TEST_F(PanelStates, ChangePrinterRestartsThePanelOnTheChosenPrinter) {
    Install({"LP1", "LP2"});
    ASSERT_EQ(vp::PatchBlock("LP2", BlockHeadCenterCutSheet, {40}), 0u);
    ASSERT_NE(Start("LP1"), nullptr);
    AppState.InstanceMapping = GuardSingleInstance("LP1");
    TabCtrl_SetCurSel(Control(IDC_TABS), 3);
    MessageBoxRecorder recorder;
    ChooseInSelection(recorder, "LP2");
    ToolbarCommand(IDM_CHANGE_PRINTER);
    ASSERT_TRUE(WaitIdle());
    ASSERT_FALSE(ProgramEnded());
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP2");
    EXPECT_EQ(TabCtrl_GetCurSel(Control(IDC_TABS)), 0);
    EXPECT_EQ(PanelSettings.HeadCenterCutSheet, 40);
    EXPECT_TRUE(PagesShowSettings());
    EXPECT_FALSE(Enabled(IDC_UPDATE));
    RedrawWindow(Panel(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(rptest::WindowText(Frame()), Caption("LP2"));
    HANDLE mark = OpenFileMappingA(FILE_MAP_READ, FALSE, "KOVRP_LP2");
    EXPECT_NE(mark, nullptr);
    if (mark) CloseHandle(mark);
    mark = OpenFileMappingA(FILE_MAP_READ, FALSE, "KOVRP_LP1");
    EXPECT_EQ(mark, nullptr);
    if (mark) CloseHandle(mark);
}

TEST_F(PanelStates, ChangePrinterWithoutAChoiceOrOnTheSamePrinterChangesNothing) {
    for (const char* choice : {"", "LP1"}) {
        SCOPED_TRACE(choice);
        SetUp();
        Install({"LP1", "LP2"});
        ASSERT_NE(Start("LP1"), nullptr);
        QMXSESSION session = AppState.Session;
        MessageBoxRecorder recorder;
        recorder.OnDialog([choice](HWND dialog) {
            if (*choice) {
                Choose(dialog, choice);
            } else {
                PostMessageA(dialog, WM_COMMAND, IDC_SELECT_CANCEL, 0);
            }
            return true;
        });
        linktest::QmxCallLog log;
        ToolbarCommand(IDM_CHANGE_PRINTER);
        EXPECT_FALSE(ProgramEnded());
        EXPECT_EQ(AppState.Session, session);
        EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP1");
        for (const auto& call : log.CallsOf("CloseManager")) {
            EXPECT_NE(call.session, session);  // only the probes' sessions end
        }
        EXPECT_TRUE(PagesShowSettings());
        TearDown();
    }
}

TEST_F(PanelStates, ChangePrinterToAPrinterOnFileEndsTheProcess) {
    Install({"LP1", "LP2"});
    ASSERT_EQ(vp::SetPort("LP2", "FILE:"), 0u);
    ASSERT_NE(Start("LP1"), nullptr);
    MessageBoxRecorder recorder;
    ChooseInSelection(recorder, "LP2");
    ToolbarCommand(IDM_CHANGE_PRINTER);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_FILE_PORT_REFUSED));
    EXPECT_EQ(exitCodes, std::vector<int>{1});
}

TEST_F(PanelStates, ChangePrinterToAPrinterServedElsewhereEndsTheProgramOrKeepsTheOldPrinterWhole) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    HANDLE other = GuardSingleInstance("LP2");
    MessageBoxRecorder recorder;
    ChooseInSelection(recorder, "LP2");
    ToolbarCommand(IDM_CHANGE_PRINTER);
    EXPECT_TRUE(ProgramEnded());
    ASSERT_GE(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "このプリンタのリモートパネルは現在起動されています。");

    // With unsent edits the user keeps them at the question: the panel is on LP1 as before, its
    // session, its single-instance mapping and its edits, which are written to LP1.
    SetUp();
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    const QMXSESSION session = AppState.Session;
    HoldInstanceMapping(GuardSingleInstance("LP1"));
    const HANDLE mapping = AppState.InstanceMapping;
    ASSERT_NE(mapping, nullptr);
    TypeOnPage0(IDC_HC_CUT_EDIT, "33");
    MessageBoxRecorder keep({IDOK, IDOK, IDCANCEL});  // let the edits go, already running, keep them
    ChooseInSelection(keep, "LP2");
    ToolbarCommand(IDM_CHANGE_PRINTER);
    ASSERT_FALSE(ProgramEnded());
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP1");
    EXPECT_EQ(AppState.Session, session);
    EXPECT_EQ(AppState.InstanceMapping, mapping);
    EXPECT_EQ(GuardSingleInstance("LP1"), nullptr) << "a third start finds this panel";
    ASSERT_TRUE(Enabled(IDC_UPDATE));
    Command(IDC_UPDATE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Printer("LP1").block[BlockHeadCenterCutSheet] & BlockHeadCenterMask, 33);
    EXPECT_EQ(Printer("LP2").writeCount, 0u);
    CloseHandle(other);
}

TEST_F(PanelStates, ChangePrinterWithNoPrinterLeftEndsTheProgramWithMessage74) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    Install({});
    MessageBoxRecorder recorder;
    ToolbarCommand(IDM_CHANGE_PRINTER);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_NO_SUPPORTED_PRINTER));
    EXPECT_EQ(recorder.Boxes()[0].caption, kTitle);
    EXPECT_TRUE(ProgramEnded());
}

TEST_F(PanelStates, ChangePrinterWaitsForAnOutstandingRead) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
    ToolbarCommand(IDM_READ_SETTINGS);
    MessageBoxRecorder recorder;
    int dialogs = 0;
    recorder.OnDialog([&](HWND dialog) {
        ++dialogs;
        PostMessageA(dialog, WM_COMMAND, IDC_SELECT_CANCEL, 0);
        return true;
    });
    ToolbarCommand(IDM_CHANGE_PRINTER);  // Ctrl+C while the toolbar button is off
    EXPECT_EQ(dialogs, 0);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, ProgramString(IDS_BUSY_READING));
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP1");
}

TEST_F(PanelStates, ARefusedOpenAfterARestartDuringAReadLeavesChangePrinterAvailable) {
    Install({"LP1", "LP2", "LP3"});
    ASSERT_NE(Start("LP1"), nullptr);
    vp::SetFault("LP1", &vp::Faults::latencyMs, kLongLatency);
    ToolbarCommand(IDM_READ_SETTINGS);
    ASSERT_EQ(AppState.ReadPending, 1);
    Install({"LP2", "LP3"});
    ASSERT_EQ(vp::SetFault("LP2", &vp::Faults::refuseOpen, true), 0u);
    MessageBoxRecorder recorder;
    int dialogs = 0;
    recorder.OnDialog([&](HWND dialog) {
        if (++dialogs == 1)
            Choose(dialog, "LP2");
        else
            PostMessageA(dialog, WM_COMMAND, IDC_SELECT_CANCEL, 0);
        return true;
    });
    SendMessageA(AppState.FrameWindow, WM_PRINTERS_CHANGED, 0, 0);
    ASSERT_TRUE(WaitIdle());
    ASSERT_FALSE(ProgramEnded());
    ASSERT_EQ(dialogs, 1);
    EXPECT_EQ(AppState.Session, nullptr);
    EXPECT_EQ(AppState.ReadPending, 0);
    EXPECT_EQ(AppState.WritePending, 0);

    const size_t boxesBefore = recorder.Count();
    ToolbarCommand(IDM_CHANGE_PRINTER);
    EXPECT_EQ(dialogs, 2) << "change printer offers the selection again";
    for (size_t i = boxesBefore; i < recorder.Count(); ++i) {
        EXPECT_NE(recorder.Boxes()[i].text, ProgramString(IDS_BUSY_READING));
    }
}

TEST_F(PanelStates, ChangePrinterAfterTheOnlyOtherPrinterReplacedTheCurrentOneOffersIt) {
    Install({"LP1", "LP2"});
    ASSERT_NE(Start("LP1"), nullptr);
    Install({"LP2"});
    MessageBoxRecorder recorder;
    ChooseInSelection(recorder, "LP2");
    ToolbarCommand(IDM_CHANGE_PRINTER);
    ASSERT_TRUE(WaitIdle());
    ASSERT_FALSE(ProgramEnded());
    ASSERT_NE(AppState.CurrentPrinter, nullptr);
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP2");
    EXPECT_TRUE(PagesShowSettings());
}

TEST_F(PanelStates, PrinterRemovedFromTheSystemRestartsThePanelOnTheChosenOne) {
    Install({"LP1", "LP2"});
    ASSERT_EQ(vp::PatchBlock("LP2", BlockHeadCenterCutSheet, {41}), 0u);
    ASSERT_NE(Start("LP1"), nullptr);
    AppState.InstanceMapping = GuardSingleInstance("LP1");
    TypeOnPage0(IDC_HC_CUT_EDIT, "35");
    Install({"LP2"});
    MessageBoxRecorder recorder({IDOK, IDOK});  // 121, then 67 in the selection dialog
    ChooseInSelection(recorder, "LP2");
    SendMessageA(AppState.FrameWindow, WM_PRINTERS_CHANGED, 0, 0);
    ASSERT_TRUE(WaitIdle());
    ASSERT_FALSE(ProgramEnded());
    EXPECT_STREQ(AppState.CurrentPrinter->Name, "LP2");
    EXPECT_EQ(PanelSettings.HeadCenterCutSheet, 41);
    EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)), "41");
    EXPECT_EQ(Status(), ProgramString(IDS_CAN_READ_AND_UPDATE));
    EXPECT_FALSE(Enabled(IDC_UPDATE));
    EXPECT_EQ(AppState.SeveralPrinters, 0);
    EXPECT_FALSE(ToolbarEnabled(IDM_CHANGE_PRINTER));
}

}  // namespace
}  // namespace shelltest
