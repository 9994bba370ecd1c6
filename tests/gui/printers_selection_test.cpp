// The printer selection dialog, run modally and driven from inside its own message loop.
#include <algorithm>

#include "help/Help.h"
#include "link/Notifications.h"
#include "printers/PrinterEnumeration.h"
#include "printers/SingleInstance.h"
#include "printers_fixture.h"
#include "tests/support/Pump.h"

namespace printerstest {
namespace {

enum Shown { Connected, NotConnected, Unknown };

std::string Text(Shown state) {
    return ProgramString(state == Connected      ? IDS_STATE_CONNECTED
                         : state == NotConnected ? IDS_STATE_NOT_CONNECTED
                                                 : IDS_STATE_UNKNOWN);
}

// Printers whose name order, state order and port order all differ; letter case varies.
struct Listed {
    Printer printer;
    uint32_t w1, w2;
    void (*fault)(const std::string& name);
    Shown state;
};
const Listed kPrinters[] = {
    {{"alpha"}, 0, 0x1, nullptr, Connected},
    {{"Bravo", "LPT2:"}, 0x80, 0, nullptr, NotConnected},
    {{"charlie"},
     0,
     0x1,
     [](const std::string& n) { qmx::vp::SetFault(n, &qmx::vp::Faults::refuseOpen, true); },
     Unknown},
    {{"Delta", "COM1:"}, 0x10000, 0, nullptr, NotConnected},
    {{"echo", "\\\\srv\\q"}, 0x100000, 0x1, nullptr, Unknown},  // network, 0x100000
    {{"Foxtrot", "IP_1", "host"}, 0x100000, 0x100, nullptr, Unknown},
    {{"golf", "\\\\srv\\r"}, 0, 0x1, nullptr, Connected},
    {{"Hotel"},
     0,
     0x1,
     [](const std::string& n) { qmx::vp::SetReadFault(n, qmx::Item::PrinterStatus, true); },
     Unknown},
    {{"india"}, 0, 0, nullptr, Unknown},
    {{"juliet"},
     0,
     0x1,
     [](const std::string& n) { qmx::vp::SetReadFault(n, qmx::Item::Port, true); },
     Unknown},
};

class SelectionTest : public PrintersTest {
protected:
    void SetUp() override {
        PrintersTest::SetUp();
        panelHoldsUnsentEdits = false;
        for (const Listed& s : kPrinters) {
            Add(s.printer);
            qmx::vp::SetStatus(s.printer.name, 0, s.w1, s.w2);
        }
        ASSERT_EQ(EnumerateSupportedPrinters(), static_cast<int32_t>(std::size(kPrinters)));
        for (const Listed& s : kPrinters) {
            if (s.fault) s.fault(s.printer.name);
        }
    }
    void TearDown() override {
        if (panel_) DestroyWindow(panel_);
        if (AppState.Session) CloseSession();
        PrintersTest::TearDown();
    }

    // A stand-in for the panel with its Update button 12321.
    void MakePanel(bool unsentEdits) {
        panel_ =
            CreateWindowExA(0, "STATIC", "panel", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
        panelHoldsUnsentEdits = unsentEdits;
        AppState.PanelWindow = panel_;
    }
    void OpenSessionOn(const char* name) {
        ASSERT_EQ(OpenManagerExA(name, "", QMX_OPEN_MODE, &AppState.Session), 0u);
        AppState.InstanceMapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, nullptr);
    }
    // Column 0 after sorting by `column`, in the expected order: the column's texts ignoring
    // case, then the names.
    static std::vector<std::string> ExpectedOrder(int column) {
        struct Row {
            std::string name, key;
        };
        std::vector<Row> rows;
        for (const Listed& s : kPrinters) {
            PrinterEntry* e = Entry(s.printer.name);
            const std::string keys[] = {e->Name, Text(s.state), e->Model, PortTextOf(e)};
            rows.push_back({s.printer.name, keys[column]});
        }
        std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
            const int order = lstrcmpiA(a.key.c_str(), b.key.c_str());
            return order != 0 ? order < 0 : lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
        });
        std::vector<std::string> names;
        for (const Row& r : rows) names.push_back(r.name);
        return names;
    }

    HWND panel_ = nullptr;
};

TEST_F(SelectionTest, ShowsEveryPrinterWithItsProbedStateAndSortsByAnyColumn) {
    rptest::MessageBoxRecorder boxes;
    std::vector<std::vector<std::string>> orders;
    std::vector<std::string> states, models, ports, titles;
    std::vector<int> widths;
    int portWidth = 0;
    RunSelection(boxes, [&](HWND dialog) {
        for (int column = 0; column < 4; ++column) {
            char title[64] = {};
            LVCOLUMNA lvColumn{};
            lvColumn.mask = LVCF_TEXT | LVCF_FMT;
            lvColumn.pszText = title;
            lvColumn.cchTextMax = sizeof title;
            SendMessageA(List(dialog), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&lvColumn));
            EXPECT_EQ(lvColumn.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
            titles.push_back(title);
            widths.push_back(static_cast<int>(SendMessageA(List(dialog), LVM_GETCOLUMNWIDTH, column, 0)));
        }
        RECT client{};
        GetClientRect(List(dialog), &client);
        portWidth = std::max<int>(client.right - 400, 220);
        orders.push_back(Column(dialog, 0));  // as opened
        for (int column : {1, 2, 3, 0}) {
            Notify(dialog, LVN_COLUMNCLICK, column);
            orders.push_back(Column(dialog, 0));
        }
        Notify(dialog, LVN_COLUMNCLICK, 1);  // every click sorts ascending
        orders.push_back(Column(dialog, 0));
        Notify(dialog, LVN_COLUMNCLICK, 0);
        states = Column(dialog, 1);
        models = Column(dialog, 2);
        ports = Column(dialog, 3);
    });
    EXPECT_EQ(titles,
              (std::vector<std::string>{ProgramString(IDS_COLUMN_NAME), ProgramString(IDS_COLUMN_STATE),
                                        ProgramString(IDS_COLUMN_MODEL), ProgramString(IDS_COLUMN_PORT)}));
    EXPECT_EQ(widths, (std::vector<int>{170, 60, 170, portWidth}));
    ASSERT_EQ(orders.size(), 6u);
    EXPECT_EQ(orders[0], ExpectedOrder(0));
    EXPECT_EQ(orders[1], ExpectedOrder(1));
    EXPECT_EQ(orders[2], ExpectedOrder(2));
    EXPECT_EQ(orders[3], ExpectedOrder(3));
    EXPECT_EQ(orders[4], ExpectedOrder(0));
    EXPECT_EQ(orders[5], ExpectedOrder(1));
    // Name order ignores case: byte order would put every capital first.
    EXPECT_EQ(orders[0].front(), "alpha");
    EXPECT_EQ(orders[0][1], "Bravo");
    for (size_t i = 0; i < orders[0].size(); ++i) {
        const std::string& name = orders[0][i];
        const Listed& s = *std::find_if(std::begin(kPrinters), std::end(kPrinters),
                                        [&](const Listed& p) { return p.printer.name == name; });
        EXPECT_EQ(states[i], Text(s.state)) << name;
        EXPECT_EQ(models[i], kDriver) << name;
        EXPECT_EQ(ports[i], Entry(name)->PortText) << name;
    }
    EXPECT_TRUE(scriptCancelled);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(SelectionTest, PreselectsTheCurrentPrinterOrTheFirstRow) {
    for (const char* current : {static_cast<const char*>(nullptr), "golf", "Delta"}) {
        AppState.CurrentPrinter = current ? Entry(current) : nullptr;
        rptest::MessageBoxRecorder boxes;
        std::vector<UINT> states;
        std::vector<std::string> names;
        RunSelection(boxes, [&](HWND dialog) {
            names = Column(dialog, 0);
            for (int i = 0; i < ItemCount(dialog); ++i) states.push_back(ItemState(dialog, i));
        });
        const std::string expected = current ? current : "alpha";
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(states[i], names[i] == expected ? LVIS_SELECTED | LVIS_FOCUSED : 0u)
                << names[i] << " with current " << expected;
        }
    }
}

TEST_F(SelectionTest, OkOnTheCurrentPrinterEndsWithZeroAndKeepsTheSession) {
    AppState.CurrentPrinter = Entry("golf");
    OpenSessionOn("golf");
    const QMXSESSION session = AppState.Session;
    const HANDLE mapping = AppState.InstanceMapping;
    MakePanel(true);  // unsent changes do not matter for the same printer
    rptest::MessageBoxRecorder boxes;
    EXPECT_EQ(RunSelection(boxes, [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0); }),
              0);
    EXPECT_FALSE(scriptCancelled);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(AppState.CurrentPrinter, Entry("golf"));
    EXPECT_EQ(AppState.Session, session);
    EXPECT_EQ(AppState.InstanceMapping, mapping);
    CloseHandle(mapping);
}

TEST_F(SelectionTest, ChoosingAnotherPrinterLeavesSessionAndMappingToTheCaller) {
    // Without a panel, with a panel that has nothing unsent, and with OK to the question.
    for (int panel : {0, 1, 2}) {
        AppState.CurrentPrinter = Entry("golf");
        OpenSessionOn("golf");
        if (panel) MakePanel(panel == 2);
        rptest::MessageBoxRecorder boxes({IDOK});
        const INT_PTR result = RunSelection(boxes, [](HWND dialog) {
            Select(dialog, 0);  // "alpha"; a printer that cannot be probed could be chosen too
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(result, 1) << panel;
        EXPECT_EQ(AppState.CurrentPrinter, Entry("alpha")) << panel;
        EXPECT_NE(AppState.Session, nullptr) << panel;
        EXPECT_NE(AppState.InstanceMapping, nullptr) << panel;
        EXPECT_EQ(boxes.Count(), panel == 2 ? 1u : 0u) << panel;
        CloseSession();
        ReleaseInstanceMapping();
        if (panel_) DestroyWindow(panel_);
        panel_ = nullptr;
        panelHoldsUnsentEdits = false;
        AppState.PanelWindow = nullptr;
    }
}

TEST_F(SelectionTest, UnsentChangesAskFirstAndCancelKeepsTheDialog) {
    AppState.CurrentPrinter = Entry("golf");
    OpenSessionOn("golf");
    MakePanel(true);
    rptest::MessageBoxRecorder boxes({IDCANCEL});
    bool stayed = false;
    EXPECT_EQ(RunSelection(boxes,
                           [&](HWND dialog) {
                               Select(dialog, ItemCount(dialog) - 1);
                               SendMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
                               stayed = IsWindowVisible(dialog) != FALSE;
                           }),
              0);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(boxes.Count(), 1u);
    const rptest::RecordedBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.text, ProgramString(IDS_UNSENT_CHANGES));
    EXPECT_EQ(box.caption, ProgramString(IDS_APP_TITLE) + " - golf");
    EXPECT_EQ(box.icon, rptest::BoxIcon::Question);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(AppState.CurrentPrinter, Entry("golf"));
    EXPECT_NE(AppState.Session, nullptr);
    CloseHandle(AppState.InstanceMapping);
}

TEST_F(SelectionTest, NothingSelectedAsksForAPrinterAndDoubleClickOnEmptySpaceDoesNothing) {
    AppState.CurrentPrinter = Entry("golf");
    rptest::MessageBoxRecorder boxes;
    bool stayedAfterDoubleClick = false, stayedAfterOk = false;
    HWND dialogWindow = nullptr;
    RunSelection(boxes, [&](HWND dialog) {
        dialogWindow = dialog;
        Select(dialog, -1);
        // A real double-click below the last row, then the notification the list sends for it.
        RECT client{};
        GetClientRect(List(dialog), &client);
        const LPARAM point = MAKELPARAM(5, client.bottom - 3);
        SendMessageA(List(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        SendMessageA(List(dialog), WM_LBUTTONUP, 0, point);
        Select(dialog, -1);
        Notify(dialog, NM_DBLCLK);
        stayedAfterDoubleClick = IsWindowVisible(dialog) && boxes.Count() == 0;
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        stayedAfterOk = IsWindowVisible(dialog) != FALSE;
    });
    EXPECT_TRUE(stayedAfterDoubleClick);
    EXPECT_TRUE(stayedAfterOk);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, ProgramString(IDS_SELECT_A_PRINTER));
    EXPECT_EQ(boxes.Boxes()[0].caption, ProgramString(IDS_APP_TITLE));  // no printer name
    EXPECT_EQ(boxes.Boxes()[0].icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(boxes.Boxes()[0].owner, dialogWindow);
    EXPECT_EQ(AppState.CurrentPrinter, Entry("golf"));
}

TEST_F(SelectionTest, DoubleClickOnASelectedRowChoosesIt) {
    rptest::MessageBoxRecorder boxes;
    EXPECT_EQ(RunSelection(boxes,
                           [](HWND dialog) {
                               Select(dialog, 2);
                               Notify(dialog, NM_DBLCLK);
                           }),
              1);
    EXPECT_FALSE(scriptCancelled);
    EXPECT_EQ(AppState.CurrentPrinter, Entry(ExpectedOrder(0)[2]));
}

struct HelpCall {
    HWND window;
    UINT command;
    ULONG_PTR data;
};
std::vector<HelpCall> helpCalls;

BOOL WINAPI RecordWinHelp(HWND window, LPCSTR, UINT command, ULONG_PTR data) {
    helpCalls.push_back({window, command, data});
    return TRUE;
}

TEST_F(SelectionTest, HelpRequestsGoToShowHelpWithTheTable) {
    std::vector<HelpCall>& calls = helpCalls;
    calls.clear();
    HelpEngines engines;
    engines.WinHelp = RecordWinHelp;
    SetHelpEngines(engines);
    qmx::vp::InstallModel("rpanel.hlp");
    rptest::MessageBoxRecorder boxes;
    HWND list = nullptr, ok = nullptr;
    RunSelection(boxes, [&](HWND dialog) {
        list = List(dialog);
        ok = GetDlgItem(dialog, IDC_SELECT_OK);
        HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_PRINTER_LIST, list, 0, {}};
        SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ok), MAKELPARAM(10, 10));
    });
    SetHelpEngines({});
    ASSERT_EQ(calls.size(), 2u);
    const ULONG_PTR table = reinterpret_cast<ULONG_PTR>(HelpIdTable);
    EXPECT_EQ(calls[0].window, list);
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_WM_HELP));
    EXPECT_EQ(calls[0].data, table);
    EXPECT_EQ(calls[1].window, ok);
    EXPECT_EQ(calls[1].command, static_cast<UINT>(HELP_CONTEXTMENU));
    EXPECT_EQ(calls[1].data, table);
}

TEST_F(SelectionTest, RowsThatCannotBeAllocatedAreLeftOut) {
    rptest::MessageBoxRecorder boxes;
    int count = -1;
    failAfter = 8;  // the dialog's record, then the port text and row of three printers and a fourth port text
    SetAllocationGate(CountingGate);
    RunSelection(boxes, [&](HWND dialog) { count = ItemCount(dialog); });
    SetAllocationGate(nullptr);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(boxes.Count(), 0u);
}

// Another program may announce new printers while the dialog is open; the list is then rebuilt
// and its old entries released. The rows keep their own texts, and OK finds the new entry.
TEST_F(SelectionTest, ListRebuiltWhileOpenLeavesTheRowsIntact) {
    rptest::MessageBoxRecorder boxes;
    std::vector<std::string> before, after;
    const INT_PTR result = RunSelection(boxes, [&](HWND dialog) {
        before = Column(dialog, 3);
        ASSERT_EQ(EnumerateSupportedPrinters(), static_cast<int32_t>(std::size(kPrinters)));
        after = Column(dialog, 3);
        Select(dialog, 1);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(after, before);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(AppState.CurrentPrinter, Entry(ExpectedOrder(0)[1]));
}

// Names of 300 bytes: the list's text buffer bounds every copy, the current printer is still
// found, and the question's caption is cut to its buffer.
TEST_F(SelectionTest, LongNamesNeverOverrunAndStillSelect) {
    FreePrinterList(AppState.PrinterList);
    const std::string first(300, 'A'), second(299, 'B');
    PrinterEntry* entries[2] = {};
    for (int i = 0; i < 2; ++i) {
        entries[i] = static_cast<PrinterEntry*>(AllocateZeroed(sizeof(PrinterEntry)));
        entries[i]->Name = DuplicateString((i ? second : first).c_str());
        entries[i]->PortText = DuplicateString("LPT1:");
        entries[i]->Model = DuplicateString(kDriver);
    }
    entries[0]->Next = entries[1];
    AppState.PrinterList = entries[0];
    AppState.PrinterCount = 2;
    AppState.CurrentPrinter = entries[1];
    MakePanel(true);
    rptest::MessageBoxRecorder boxes({IDOK});
    UINT secondState = 0;
    std::string cut;
    const INT_PTR result = RunSelection(boxes, [&](HWND dialog) {
        secondState = ItemState(dialog, 1);
        // The text callback fills no more than the buffer the list gives.
        char buffer[16];
        memset(buffer, '#', sizeof buffer);
        NMLVDISPINFOA info{};
        info.hdr = {List(dialog), IDC_PRINTER_LIST, static_cast<UINT>(LVN_GETDISPINFOA)};
        info.item.mask = LVIF_TEXT | LVIF_PARAM;
        info.item.iSubItem = 0;
        info.item.pszText = buffer;
        info.item.cchTextMax = 8;
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        SendMessageA(List(dialog), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        info.item.lParam = item.lParam;
        SendMessageA(dialog, WM_NOTIFY, IDC_PRINTER_LIST, reinterpret_cast<LPARAM>(&info));
        cut = std::string(buffer, sizeof buffer);
        Select(dialog, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(secondState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(cut, std::string(7, 'A') + '\0' + std::string(8, '#'));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(AppState.CurrentPrinter, entries[0]);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, (ProgramString(IDS_APP_TITLE) + " - " + second).substr(0, 255));
}

// Not a check: keeps the dialog up for tools/screenshot.sh when RP_SHOT_SELECTION is set.
TEST_F(SelectionTest, HoldsTheDialogForAScreenshotOnRequest) {
    if (GetEnvironmentVariableA("RP_SHOT_SELECTION", nullptr, 0) == 0) GTEST_SKIP();
    AppState.CurrentPrinter = Entry("golf");
    rptest::MessageBoxRecorder boxes;
    RunSelection(boxes, [](HWND) { rptest::PumpUntil([] { return false; }, 30000); });
}

}  // namespace
}  // namespace printerstest
