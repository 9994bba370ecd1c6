#include "link/StateRules.h"

#include <cstring>

#include "res/resource.h"

namespace {

bool Has(int32_t word, uint32_t mask) { return (static_cast<uint32_t>(word) & mask) != 0; }

}  // namespace

PrinterStateDecision DecidePrinterState(int32_t ext, const int32_t status[3], int32_t auth) {
    using namespace StateBits;
    const int32_t w1 = status[1];
    const int32_t w2 = status[2];

    PrinterStateDecision decision{1, 1, 0, 0, 1};
    bool haveText = false;
    auto refuse = [&decision](uint32_t textId) {
        decision.TextId = textId;
        decision.Result = 0;
        return decision;
    };

    // An unsupported printer is refused before anything else is looked at, rights included.
    if (Has(w1, W1NotSupported)) {
        decision.CanUpdate = decision.CanRead = 0;
        return refuse(IDS_NOT_SUPPORTED_PRINTER);
    }
    if (!Has(ext, ExtReachable) || Has(w1, W1NoCommunication)) {
        decision.CanUpdate = decision.CanRead = 0;
        return refuse(IDS_NO_COMMUNICATION);
    }

    // The user's rights: 0x10 allows both, 0x08 alone allows reading only.
    const bool mayUpdate = Has(auth, AuthReadUpdate);
    if (!mayUpdate) {
        decision.CanUpdate = 0;
        if (Has(auth, AuthRead)) {
            decision.TextId = IDS_CAN_READ_ONLY;
            haveText = true;
        } else {
            decision.CanRead = 0;
            return refuse(IDS_CANNOT_READ_OR_UPDATE);
        }
    }

    // Whether the settings can be read out at all.
    if (Has(w1, W1Unreadable) || !Has(ext, ExtReadable)) {
        decision.CanRead = 0;
        if (!mayUpdate) return refuse(IDS_CANNOT_READ_OR_UPDATE);
        decision.TextId = IDS_CAN_UPDATE_ONLY;
        haveText = true;
    }

    // A usable printer may still be busy now; the print-enable switch counts only while status
    // word 1 is clear as a whole.
    if (Has(w1, W1Busy) || Has(w2, W2Busy)) {
        decision.PrinterBusy = 1;
        decision.TextId = IDS_PRINTER_BUSY;
        haveText = true;
    } else if (Has(w2, W2SwitchOff) && w1 == 0) {
        decision.PrinterBusy = 1;
        decision.TextId = kPrintSwitchText;
        haveText = true;
    }

    if (!haveText) decision.TextId = IDS_CAN_READ_AND_UPDATE;
    return decision;
}

uint32_t StatusIconFor(int32_t canUpdate, int32_t canRead) {
    if (canUpdate == 0 && canRead == 0) return IDI_STATE_NEITHER;
    if (canUpdate == 0) return IDI_STATE_READ_ONLY;
    if (canRead == 0) return IDI_STATE_UPDATE_ONLY;
    return 0;
}

StatusAreaChoice ChooseStatusAreaText(const StatusAreaState& lastShown, const StatusAreaState& now) {
    const bool unchanged = static_cast<const PanelFlags&>(now) == lastShown &&
                           std::strncmp(now.StatusText, lastShown.StatusText, kStatusTextSize) == 0;
    const bool active = now.PrinterBusy == 1 || now.ReadPending == 1 || now.WritePending == 1;
    if (unchanged && !active) return {false, kStatusAreaStateText};

    if (now.CanRead == 1 && now.PrinterBusy != 1 && now.ReadPending == 1) return {true, IDS_READING};
    if (now.CanUpdate == 1 && now.PrinterBusy != 1 && now.WritePending == 1) return {true, IDS_WRITING};
    return {true, kStatusAreaStateText};
}

void RecordStatusAreaShown(StatusAreaState& lastShown, const StatusAreaState& now) {
    static_cast<PanelFlags&>(lastShown) = now;
    std::strncpy(lastShown.StatusText, now.StatusText, kStatusTextSize - 1);
    lastShown.StatusText[kStatusTextSize - 1] = '\0';
}
