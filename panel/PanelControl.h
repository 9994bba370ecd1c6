// Running the panel's transitions (PanelController.h) on the window side: an event is handed to
// the panel's state as it is now, and what follows is carried out (the pages filled or emptied,
// the printer read for a write, the question before overwriting, the hand-over). After every box
// or dialog the answer goes back as an event to the state as it is then.
#ifndef RP_PANEL_PANELCONTROL_H
#define RP_PANEL_PANELCONTROL_H

#include <windows.h>

#include "panel/PanelController.h"

// The panel's model, or nullptr when the panel has no record.
PanelModel* ModelOf(HWND panel);

// What the pages hold now: PanelSettings and FeedPosOther as one value, and the other way round.
PrinterSettings PagesSettings();
void SetPagesSettings(const PrinterSettings& settings);

// Hands `event` to the panel's state and carries out its effects; the update buttons then show
// the state. Nothing when the panel has no record.
void Dispatch(HWND panel, const PanelEvent& event);

// The pages have been collected into PanelSettings: what differs from the settings shown becomes
// the user's edits.
void TakePagesEdits(HWND panel);

// A detail dialog opened on `before` (a copy of the settings shown) closed with OK and `after`: its
// changes become edits, and the pages' settings take them while they hold settings.
void TakeDialogEdits(HWND panel, const PrinterSettings& before, const PrinterSettings& after);

#endif
