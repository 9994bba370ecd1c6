// The printer-state decision, the state icon and the status area's write-once rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "link/StateRules.h"
#include "res/resource.h"

namespace {

constexpr uint32_t kSwitch = kPrintSwitchText;

struct StateCase {
    const char* what;
    int32_t ext, w0, w1, w2, auth;
    int32_t canUpdate, canRead, busy;
    uint32_t text;
    int result;
    uint32_t icon;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.what; }

class PrinterStateTable : public ::testing::TestWithParam<StateCase> {};

TEST_P(PrinterStateTable, DecidesFlagsTextResultAndIcon) {
    const StateCase& c = GetParam();
    const int32_t status[3] = {c.w0, c.w1, c.w2};
    PrinterStateDecision d = DecidePrinterState(c.ext, status, c.auth);
    EXPECT_EQ(d.CanUpdate, c.canUpdate);
    EXPECT_EQ(d.CanRead, c.canRead);
    EXPECT_EQ(d.PrinterBusy, c.busy);
    EXPECT_EQ(d.TextId, c.text);
    EXPECT_EQ(d.Result, c.result);
    EXPECT_EQ(StatusIconFor(d.CanUpdate, d.CanRead), c.icon);
}

// ext, w0, w1, w2, auth -> CanUpdate, CanRead, PrinterBusy, text, result, icon.
const StateCase kStateCases[] = {
    // The rights and readability table, row by row (readable: ext 0x3 and w1 without 0x400).
    {"rw, readable", 0x3, 0, 0, 0, 0x10, 1, 1, 0, IDS_CAN_READ_AND_UPDATE, 1, 0},
    {"rw+r, readable", 0x3, 0, 0, 0, 0x18, 1, 1, 0, IDS_CAN_READ_AND_UPDATE, 1, 0},
    {"rw, ext lacks 0x2", 0x1, 0, 0, 0, 0x10, 1, 0, 0, IDS_CAN_UPDATE_ONLY, 1, IDI_STATE_UPDATE_ONLY},
    {"rw, w1 0x400", 0x3, 0, 0x400, 0, 0x10, 1, 0, 0, IDS_CAN_UPDATE_ONLY, 1, IDI_STATE_UPDATE_ONLY},
    {"rw+r, unreadable", 0x1, 0, 0, 0, 0x18, 1, 0, 0, IDS_CAN_UPDATE_ONLY, 1, IDI_STATE_UPDATE_ONLY},
    {"r, readable", 0x3, 0, 0, 0, 0x08, 0, 1, 0, IDS_CAN_READ_ONLY, 1, IDI_STATE_READ_ONLY},
    {"r, w1 0x400", 0x3, 0, 0x400, 0, 0x08, 0, 0, 0, IDS_CANNOT_READ_OR_UPDATE, 0, IDI_STATE_NEITHER},
    {"r, ext lacks 0x2", 0x1, 0, 0, 0, 0x08, 0, 0, 0, IDS_CANNOT_READ_OR_UPDATE, 0, IDI_STATE_NEITHER},
    {"no rights, readable", 0x3, 0, 0, 0, 0, 0, 0, 0, IDS_CANNOT_READ_OR_UPDATE, 0, IDI_STATE_NEITHER},
    {"no rights, unreadable", 0x1, 0, 0x400, 0, 0, 0, 0, 0, IDS_CANNOT_READ_OR_UPDATE, 0, IDI_STATE_NEITHER},
    {"rights from other bits only", 0x3, 0, 0, 0, 0x7 | 0x20 | 0x40, 0, 0, 0, IDS_CANNOT_READ_OR_UPDATE, 0,
     IDI_STATE_NEITHER},

    // Not supported: wins over every other bit and over the rights.
    {"0x200 alone", 0x3, 0, 0x200, 0, 0x10, 0, 0, 0, IDS_NOT_SUPPORTED_PRINTER, 0, IDI_STATE_NEITHER},
    {"0x200 over everything", 0x0, 0, 0x200 | 0x71000 | 0x400 | 0x180, 0x7FFE32C | 0x1000, 0, 0, 0, 0,
     IDS_NOT_SUPPORTED_PRINTER, 0, IDI_STATE_NEITHER},

    // No communication: before the rights are looked at.
    {"ext lacks 0x1", 0x2, 0, 0, 0, 0x10, 0, 0, 0, IDS_NO_COMMUNICATION, 0, IDI_STATE_NEITHER},
    {"ext 0", 0x0, 0, 0, 0, 0x10, 0, 0, 0, IDS_NO_COMMUNICATION, 0, IDI_STATE_NEITHER},
    {"w1 0x1000", 0x3, 0, 0x1000, 0, 0x10, 0, 0, 0, IDS_NO_COMMUNICATION, 0, IDI_STATE_NEITHER},
    {"w1 0x10000", 0x3, 0, 0x10000, 0, 0x10, 0, 0, 0, IDS_NO_COMMUNICATION, 0, IDI_STATE_NEITHER},
    {"w1 0x20000", 0x3, 0, 0x20000, 0, 0x10, 0, 0, 0, IDS_NO_COMMUNICATION, 0, IDI_STATE_NEITHER},
    {"w1 0x40000", 0x3, 0, 0x40000, 0, 0x10, 0, 0, 0, IDS_NO_COMMUNICATION, 0, IDI_STATE_NEITHER},
    {"no communication, no rights", 0x2, 0, 0, 0, 0, 0, 0, 0, IDS_NO_COMMUNICATION, 0, IDI_STATE_NEITHER},

    // Busy or in error: replaces the text of a usable printer, keeps the flags.
    {"w1 0x80", 0x3, 0, 0x80, 0, 0x10, 1, 1, 1, IDS_PRINTER_BUSY, 1, 0},
    {"w1 0x100", 0x3, 0, 0x100, 0, 0x10, 1, 1, 1, IDS_PRINTER_BUSY, 1, 0},
    {"w2 0x4", 0x3, 0, 0, 0x4, 0x10, 1, 1, 1, IDS_PRINTER_BUSY, 1, 0},
    {"w2 0x4000000", 0x3, 0, 0, 0x4000000, 0x10, 1, 1, 1, IDS_PRINTER_BUSY, 1, 0},
    {"busy, read only", 0x3, 0, 0, 0x8, 0x08, 0, 1, 1, IDS_PRINTER_BUSY, 1, IDI_STATE_READ_ONLY},
    {"busy, update only", 0x1, 0, 0x80, 0, 0x10, 1, 0, 1, IDS_PRINTER_BUSY, 1, IDI_STATE_UPDATE_ONLY},
    {"busy does not save a refusal", 0x3, 0, 0x80, 0x4, 0, 0, 0, 0, IDS_CANNOT_READ_OR_UPDATE, 0,
     IDI_STATE_NEITHER},

    // The print-enable switch: only while w1 is 0 as a whole, and only when not busy.
    {"switch off, idle", 0x3, 0, 0, 0x1000, 0x10, 1, 1, 1, kSwitch, 1, 0},
    {"switch off with w2 bit 0x1", 0x3, 0, 0, 0x1001, 0x10, 1, 1, 1, kSwitch, 1, 0},
    {"switch off, read only", 0x3, 0, 0, 0x1000, 0x08, 0, 1, 1, kSwitch, 1, IDI_STATE_READ_ONLY},
    {"switch off, w1 0x800", 0x3, 0, 0x800, 0x1000, 0x10, 1, 1, 0, IDS_CAN_READ_AND_UPDATE, 1, 0},
    {"switch off, w1 0x400", 0x3, 0, 0x400, 0x1000, 0x10, 1, 0, 0, IDS_CAN_UPDATE_ONLY, 1,
     IDI_STATE_UPDATE_ONLY},
    {"switch off and busy", 0x3, 0, 0, 0x1000 | 0x4, 0x10, 1, 1, 1, IDS_PRINTER_BUSY, 1, 0},
    {"switch off and w1 busy", 0x3, 0, 0x80, 0x1000, 0x10, 1, 1, 1, IDS_PRINTER_BUSY, 1, 0},

    // Bits in no mask, and w0, change nothing.
    {"w0 all ones", 0x3, -1, 0, 0, 0x10, 1, 1, 0, IDS_CAN_READ_AND_UPDATE, 1, 0},
    {"w1 0x800", 0x3, 0, 0x800, 0, 0x10, 1, 1, 0, IDS_CAN_READ_AND_UPDATE, 1, 0},
    {"w2 0x1 0x2 0x10 0x40 0x80", 0x3, 0, 0, 0x1 | 0x2 | 0x10 | 0x40 | 0x80, 0x10, 1, 1, 0,
     IDS_CAN_READ_AND_UPDATE, 1, 0},
    {"other ext bits", 0x3 | 0x4 | INT32_MIN, 0, 0, 0, 0x10, 1, 1, 0, IDS_CAN_READ_AND_UPDATE, 1, 0},
};

INSTANTIATE_TEST_SUITE_P(AllRows, PrinterStateTable, ::testing::ValuesIn(kStateCases));

// Every single bit of w1 and w2 on an otherwise idle, fully allowed printer lands in the class its
// mask gives it; a bit of no mask leaves the printer idle.
TEST(PrinterState, EachSingleStatusBitIsClassifiedByItsMask) {
    for (int bit = 0; bit < 32; ++bit) {
        const uint32_t value = 1u << bit;
        SCOPED_TRACE(::testing::Message() << "bit 0x" << std::hex << value);
        {
            const int32_t status[3] = {0, static_cast<int32_t>(value), 0};
            PrinterStateDecision d = DecidePrinterState(0x3, status, 0x10);
            uint32_t expected = IDS_CAN_READ_AND_UPDATE;
            if (value == 0x200)
                expected = IDS_NOT_SUPPORTED_PRINTER;
            else if (value & 0x71000)
                expected = IDS_NO_COMMUNICATION;
            else if (value & 0x180)
                expected = IDS_PRINTER_BUSY;
            else if (value == 0x400)
                expected = IDS_CAN_UPDATE_ONLY;
            EXPECT_EQ(d.TextId, expected) << "w1";
            EXPECT_EQ(d.PrinterBusy, (value & 0x180) ? 1 : 0) << "w1";
        }
        {
            const int32_t status[3] = {0, 0, static_cast<int32_t>(value)};
            PrinterStateDecision d = DecidePrinterState(0x3, status, 0x10);
            uint32_t expected = IDS_CAN_READ_AND_UPDATE;
            if (value & 0x7FFE32C)
                expected = IDS_PRINTER_BUSY;
            else if (value == 0x1000)
                expected = kSwitch;
            EXPECT_EQ(d.TextId, expected) << "w2";
            EXPECT_EQ(d.PrinterBusy, expected == IDS_CAN_READ_AND_UPDATE ? 0 : 1) << "w2";
            EXPECT_EQ(d.Result, 1);
        }
    }
}

TEST(PrinterState, SwitchTextIsTheFixedTwoLineText) {
    EXPECT_STREQ(RP_PRINT_SWITCH_TEXT, "印刷可スイッチが押されていません。\n設定の更新はできません。");
}

// ---- The status area ---------------------------------------------------------------------------

StatusAreaState Shown(int32_t canUpdate, int32_t canRead, int32_t busy, int32_t reading, int32_t writing,
                      const char* text) {
    StatusAreaState s{};
    s.CanUpdate = canUpdate;
    s.CanRead = canRead;
    s.PrinterBusy = busy;
    s.ReadPending = reading;
    s.WritePending = writing;
    std::strncpy(s.StatusText, text, sizeof s.StatusText - 1);
    return s;
}

// Writes and records like RefreshStatusArea does; returns the number of writes.
struct StatusArea {
    StatusAreaState last{};
    int writes = 0;
    uint32_t lastText = 99999;
    void Refresh(const StatusAreaState& now) {
        StatusAreaChoice choice = ChooseStatusAreaText(last, now);
        if (!choice.Write) return;
        ++writes;
        lastText = choice.TextId;
        RecordStatusAreaShown(last, now);
    }
};

TEST(StatusArea, UnchangedStateIsWrittenOnce) {
    StatusArea area;
    area.Refresh(Shown(1, 1, 0, 0, 0, "ok"));
    area.Refresh(Shown(1, 1, 0, 0, 0, "ok"));
    EXPECT_EQ(area.writes, 1);
    EXPECT_EQ(area.lastText, kStatusAreaStateText);
}

TEST(StatusArea, AnyChangedFlagOrTextWritesAgain) {
    const StatusAreaState base = Shown(1, 1, 0, 0, 0, "ok");
    const StatusAreaState changed[] = {
        Shown(0, 1, 0, 0, 0, "ok"), Shown(1, 0, 0, 0, 0, "ok"), Shown(1, 1, 2, 0, 0, "ok"),
        Shown(1, 1, 0, 2, 0, "ok"), Shown(1, 1, 0, 0, 2, "ok"), Shown(1, 1, 0, 0, 0, "ok!"),
    };
    for (const StatusAreaState& now : changed) {
        StatusArea area;
        area.Refresh(base);
        area.Refresh(now);
        EXPECT_EQ(area.writes, 2) << now.CanUpdate << now.CanRead << now.PrinterBusy << now.ReadPending
                                  << now.WritePending << now.StatusText;
    }
}

TEST(StatusArea, NothingShownAtLoadMatchesAnAllZeroEmptyState) {
    StatusArea area;
    area.Refresh(Shown(0, 0, 0, 0, 0, ""));
    EXPECT_EQ(area.writes, 0);
}

TEST(StatusArea, PendingOrBusyWritesEveryTime) {
    struct Case {
        StatusAreaState now;
        uint32_t text;
    } cases[] = {
        {Shown(1, 1, 0, 1, 0, "ok"), IDS_READING},
        {Shown(1, 1, 0, 0, 1, "ok"), IDS_WRITING},
        {Shown(1, 1, 1, 0, 0, "busy"), kStatusAreaStateText},
        // Reading wins over writing; neither is shown when its permission is missing or busy.
        {Shown(1, 1, 0, 1, 1, "ok"), IDS_READING},
        {Shown(1, 0, 0, 1, 0, "upd"), kStatusAreaStateText},
        {Shown(1, 0, 0, 1, 1, "upd"), IDS_WRITING},
        {Shown(0, 1, 0, 0, 1, "rd"), kStatusAreaStateText},
        {Shown(1, 1, 1, 1, 0, "busy"), kStatusAreaStateText},
        {Shown(1, 1, 1, 0, 1, "busy"), kStatusAreaStateText},
    };
    for (const Case& c : cases) {
        StatusArea area;
        area.Refresh(c.now);
        area.Refresh(c.now);
        area.Refresh(c.now);
        EXPECT_EQ(area.writes, 3) << c.now.StatusText;
        EXPECT_EQ(area.lastText, c.text) << c.now.CanUpdate << c.now.CanRead << c.now.PrinterBusy
                                         << c.now.ReadPending << c.now.WritePending;
    }
}

TEST(StatusArea, AfterAReadEndsTheStateTextComesBack) {
    StatusArea area;
    area.Refresh(Shown(1, 1, 0, 0, 0, "ok"));
    area.Refresh(Shown(1, 1, 0, 1, 0, "ok"));
    EXPECT_EQ(area.lastText, IDS_READING);
    area.Refresh(Shown(1, 1, 0, 0, 0, "ok"));
    EXPECT_EQ(area.writes, 3);
    EXPECT_EQ(area.lastText, kStatusAreaStateText);
}

TEST(StatusArea, RecordKeepsAFullLengthTextTerminated) {
    StatusAreaState now{};
    std::memset(now.StatusText, 'x', sizeof now.StatusText - 1);
    StatusAreaState last{};
    RecordStatusAreaShown(last, now);
    EXPECT_EQ(std::strlen(last.StatusText), sizeof last.StatusText - 1);
    EXPECT_FALSE(ChooseStatusAreaText(last, now).Write);
}

}  // namespace
