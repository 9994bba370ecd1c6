// The decisions of the printer link that need no window: what the printer's state words allow,
// which text the status area shows, whether the status area has to be written at all, and which
// state icon goes with the two permission flags. The Win32 side (link/PrinterState.h) applies them to
// AppState and to the controls.
#ifndef RP_LINK_STATERULES_H
#define RP_LINK_STATERULES_H

#include <cstddef>
#include <cstdint>

#include "base/PanelFlags.h"

// Bits of the state words that the program looks at; every other bit is ignored (except that the
// print-enable switch only counts while status word 1 is 0 as a whole).
namespace StateBits {
constexpr uint32_t ExtReachable = 0x1;           // ext: the printer can be reached
constexpr uint32_t ExtReadable = 0x2;            // ext: the settings can be read out
constexpr uint32_t W1NotSupported = 0x200;       // w1: the printer does not support this program
constexpr uint32_t W1NoCommunication = 0x71000;  // w1: any bit: no communication
constexpr uint32_t W1Unreadable = 0x400;         // w1: reading impossible
constexpr uint32_t W1Busy = 0x180;               // w1: any bit: busy or in error
constexpr uint32_t W2Busy = 0x7FFE32C;           // w2: any bit: busy or in error
constexpr uint32_t W2SwitchOff = 0x1000;         // w2: print-enable switch not pressed
constexpr uint32_t AuthReadUpdate = 0x10;        // auth: the user may read and update
constexpr uint32_t AuthRead = 0x08;              // auth: the user may read
}  // namespace StateBits

// The status text for a printer whose print-enable switch is off. It is a fixed text of the
// program, not a string-table entry; TextId kPrintSwitchText stands for it.
constexpr uint32_t kPrintSwitchText = 0;
#define RP_PRINT_SWITCH_TEXT "印刷可スイッチが押されていません。\n設定の更新はできません。"

struct PrinterStateDecision {
    int32_t CanUpdate;
    int32_t CanRead;
    int32_t PrinterBusy;
    uint32_t TextId;  // string id of the status text, or kPrintSwitchText
    int Result;       // 1: the panel can be used with this printer; 0: refused
};

// What the last read state words allow. status[0] (w0) is not used.
PrinterStateDecision DecidePrinterState(int32_t ext, const int32_t status[3], int32_t auth);

// The state icon for the two permission flags: IDI_STATE_NEITHER, IDI_STATE_READ_ONLY,
// IDI_STATE_UPDATE_ONLY,
// or 0 (both allowed: no icon).
uint32_t StatusIconFor(int32_t canUpdate, int32_t canRead);

// What the status area shows: the five flags and the state text. The status area keeps one of
// these as its record of what it last showed (all zero and empty at load).
constexpr size_t kStatusTextSize = 256;
struct StatusAreaState : PanelFlags {
    char StatusText[kStatusTextSize];
};

// kStatusAreaStateText: the control shows the state text itself rather than a string-table entry.
constexpr uint32_t kStatusAreaStateText = 0;
struct StatusAreaChoice {
    bool Write;       // false: the control already shows this, leave it alone
    uint32_t TextId;  // IDS_READING, IDS_WRITING, or kStatusAreaStateText
};

// Whether the status area must be written now, and with which text. A pending read or write, or
// a busy printer, always writes; otherwise an unchanged state is written only once.
StatusAreaChoice ChooseStatusAreaText(const StatusAreaState& lastShown, const StatusAreaState& now);

// Remembers `now` as what the status area shows (the text is copied, always terminated).
void RecordStatusAreaShown(StatusAreaState& lastShown, const StatusAreaState& now);

#endif
