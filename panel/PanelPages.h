// The panel's own record: the tab control, the six page windows and what is needed to create and
// switch them. One per panel, created zero-filled by the panel's first initialisation and reached
// through the panel window's user data.
#ifndef RP_PANEL_PANELPAGES_H
#define RP_PANEL_PANELPAGES_H

#include <windows.h>
#include <commctrl.h>

#include "panel/PanelController.h"

struct PageDefinition;
#include "panel/TabRules.h"  // kPageCount, kPageOffsetX, kPageOffsetY

// Detail dialogs open at once: one, and one more that might open over it.
inline constexpr int kOpenDialogSlots = 2;

struct PanelPages {
    HWND TabControl;               // the panel's tab control IDC_TABS
    HWND CurrentPage;              // the page now shown; none before the first page exists
    HWND PageWindows[kPageCount];  // by tab index; none until the page is first shown
    HWND FocusHint;                // see the tab-change handling
    RECT PageArea;                 // tab control's rectangle in panel coordinates, moved 2 left, 6 up
    // By tab index, the page each slot creates: the panel's page table (TabPages.h), unless a
    // test gives a slot a page of its own.
    const PageDefinition* PageDefinitions[kPageCount];
    HIMAGELIST TabImages;
    // The settings, the user's edits and the request outstanding (PanelController.h).
    PanelState State;
    // The detail dialogs open on PanelSettings: a restart on another printer cancels them.
    HWND OpenDialogs[kOpenDialogSlots];
};

// The record of a panel window, or nullptr (no panel, or not yet initialised).
inline PanelPages* PanelPagesOf(HWND panel) {
    return panel ? reinterpret_cast<PanelPages*>(GetWindowLongPtrA(panel, GWLP_USERDATA)) : nullptr;
}

#endif
