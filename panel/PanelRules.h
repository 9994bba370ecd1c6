// Decisions of the panel dialog that need no window: which message turns a read or an update
// away, what follows a judged printer state, and how the settings read spends its attempts.
#ifndef RP_PANEL_PANELRULES_H
#define RP_PANEL_PANELRULES_H

#include <cstdint>

#include "base/PanelFlags.h"
#include "link/SettingsRead.h"  // kReadAttempts
#include "res/resource.h"

constexpr bool NothingInTheWay(const PanelFlags& flags) {
    return flags.PrinterBusy == 0 && flags.ReadPending == 0 && flags.WritePending == 0;
}

// The text that turns a read or an update away: a write outstanding (IDS_BUSY_WRITING) before
// a read outstanding (IDS_BUSY_READING) before a busy printer (IDS_PRINTER_BUSY); 0 when nothing
// is in the way.
constexpr uint32_t BusyRefusalText(const PanelFlags& flags) {
    if (flags.WritePending == 1) return IDS_BUSY_WRITING;
    if (flags.ReadPending == 1) return IDS_BUSY_READING;
    if (flags.PrinterBusy == 1) return IDS_PRINTER_BUSY;
    return 0;
}

// What the panel does once the printer's state has been found usable.
enum class StateFollowUp {
    Nothing,
    StartRead,          // the read command
    ShowNotLoaded,      // mark the record not loaded and refresh the panel
    ShowInitialValues,  // mark not loaded, refresh, then show the initial values
};

// At initialisation: a readable printer is read when nothing is in the way; a printer that can
// only be updated gets the initial values (and is told so).
constexpr StateFollowUp FollowUpAtStart(const PanelFlags& flags) {
    if (flags.CanRead == 1) {
        return NothingInTheWay(flags) ? StateFollowUp::StartRead : StateFollowUp::ShowNotLoaded;
    }
    if (flags.CanUpdate == 1) return StateFollowUp::ShowInitialValues;
    return StateFollowUp::Nothing;
}

// After a changed state item: loaded settings are never read again; otherwise as at
// initialisation, except that the initial values wait until nothing is in the way.
constexpr StateFollowUp FollowUpAfterChange(const PanelFlags& flags, bool settingsLoaded) {
    if (settingsLoaded) return StateFollowUp::Nothing;
    if (flags.CanRead == 1) {
        return NothingInTheWay(flags) ? StateFollowUp::StartRead : StateFollowUp::ShowNotLoaded;
    }
    if (flags.CanUpdate == 1 && NothingInTheWay(flags)) return StateFollowUp::ShowInitialValues;
    return StateFollowUp::Nothing;
}

enum class ReadDoneStep {
    ShowSettings,  // the block counts as loaded: enable and refresh the pages
    ReadAgain,     // not loaded, attempts left: the read command once more
    GiveUp,        // not loaded, no attempt left: enable the panel with empty pages
};

struct ReadDoneDecision {
    ReadDoneStep Step;
    int32_t AttemptsLeft;  // the new ReadAttemptsLeft
};

// What a completed read leads to, given whether the record now counts as loaded and the
// attempts that were left for this read. Any count at or below 1 ends the read.
constexpr ReadDoneDecision DecideReadDone(bool settingsLoaded, int32_t attemptsLeft) {
    if (settingsLoaded) return {ReadDoneStep::ShowSettings, kReadAttempts};
    if (attemptsLeft - 1 > 0) return {ReadDoneStep::ReadAgain, attemptsLeft - 1};
    return {ReadDoneStep::GiveUp, kReadAttempts};
}

// The state icon's top-left corner in the printer picture: the icon (32 x 32 as drawn, larger on
// a larger screen) centred in the client area of the picture's frame (IDC_PICTURE_FRAME),
// truncating toward zero.
struct IconOrigin {
    int32_t X, Y;
};
constexpr IconOrigin StateIconOrigin(int32_t frameWidth, int32_t frameHeight, int32_t iconSize = 32) {
    return {(frameWidth - iconSize) / 2, (frameHeight - iconSize) / 2};
}

#endif
