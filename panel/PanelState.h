// The state of the user's edits (unsent, held, none) and of the one request (a read or a write)
// outstanding on the printer, with the session it was made on. The panel's state
// (PanelController.h) holds both; every path that would drop edits asks it, and the update buttons
// only show it. Portable: no windows.h.
#ifndef RP_PANEL_PANELSTATE_H
#define RP_PANEL_PANELSTATE_H

#include <cstdint>

#include "base/PanelFlags.h"

// ---- The user's edits -------------------------------------------------------------------------

enum class EditState : uint8_t {
    None,    // the pages show what was read, written or loaded as initial values
    Unsent,  // the user changed something that has not been written
    Held,    // unsent edits kept on disabled pages while the printer cannot be used
};

enum class EditEvent : uint8_t {
    Edited,           // a page or detail dialog reported a change of loaded settings
    WriteAccepted,    // the library took a write of everything the pages showed
    WriteFailed,      // that write failed, was given up or was refused: its values are unsent again
    PrinterUnusable,  // the printer or the link cannot be used now; the pages are disabled
    PrinterUsable,    // it can be used again; the pages come back as they were
    Discarded,        // the user let the edits go (a read, another printer), or none were made
};

struct PanelEdits {
    EditState State = EditState::None;
    bool PrinterUnusable = false;  // the pages are disabled because the printer cannot be used

    bool operator==(const PanelEdits&) const = default;
};

constexpr PanelEdits NextEdits(PanelEdits edits, EditEvent event) {
    switch (event) {
        case EditEvent::Edited:
            if (edits.State == EditState::None)
                edits.State = edits.PrinterUnusable ? EditState::Held : EditState::Unsent;
            break;
        case EditEvent::WriteAccepted:
            if (edits.State == EditState::Unsent) edits.State = EditState::None;
            break;
        case EditEvent::WriteFailed:
            if (edits.State == EditState::None)
                edits.State = edits.PrinterUnusable ? EditState::Held : EditState::Unsent;
            break;
        case EditEvent::PrinterUnusable:
            edits.PrinterUnusable = true;
            if (edits.State == EditState::Unsent) edits.State = EditState::Held;
            break;
        case EditEvent::PrinterUsable:
            edits.PrinterUnusable = false;
            if (edits.State == EditState::Held) edits.State = EditState::Unsent;
            break;
        case EditEvent::Discarded:
            edits.State = EditState::None;
            break;
    }
    return edits;
}

// Whether leaving the settings shown (exit, a read, another printer) would drop edits: the user
// is asked first.
constexpr bool EditsWouldBeLost(const PanelEdits& edits) { return edits.State != EditState::None; }

// Whether the update buttons are offered: unsent edits of loaded settings, a printer that takes
// updates now, and no write under way (the write itself turns them off).
constexpr bool OffersUpdate(const PanelEdits& edits, const PanelFlags& flags, bool settingsLoaded) {
    return edits.State == EditState::Unsent && settingsLoaded && flags.CanUpdate == 1 &&
           flags.PrinterBusy == 0 && flags.WritePending == 0;
}

// ---- Requests -----------------------------------------------------------------------------------

enum class RequestKind : uint8_t { None, Read, Write };

// A request on the printer: what it is, the session it was made on (the link's session serial)
// and a number of its own. A reply, retry, completion or time limit is the request's only when it
// names the same request on the same session.
struct PanelRequest {
    RequestKind Kind = RequestKind::None;
    uint32_t Session = 0;
    uint32_t Number = 0;

    bool operator==(const PanelRequest&) const = default;
};

// Whether `ticket` is still the request outstanding, on the session open now.
constexpr bool StillOutstanding(const PanelRequest& outstanding, const PanelRequest& ticket,
                                uint32_t openSession) {
    return ticket.Kind != RequestKind::None && outstanding == ticket && ticket.Session == openSession &&
           openSession != 0;
}

// How the last write of the panel ended.
enum class WriteOutcome : uint8_t {
    HandedOver,       // the library took the command
    Cancelled,        // the library refused it and the user cancelled the retries, or there was
                      // nothing to write
    NotOverwritten,   // the user kept the edits unsent rather than overwrite what the printer
                      // changed meanwhile
    ValueDoesNotFit,  // a value cannot be carried by the command; nothing was sent
    HistoryNotKept,   // the printer's settings before the write could not be kept; nothing was sent
    Dropped,          // the panel moved to another printer while a box of the write was up
};

// The notifications of the session (extended status, status, authority, name, port), one bit each.
inline constexpr int kFollowedNotifications = 5;

#endif
