// Which toolbar buttons are available: read settings, initial values, change printer and the two
// file buttons, decided from the program's flags. The decision needs no window and is tested on
// its own; UpdateToolbarButtons applies it to the toolbar.
#ifndef RP_PANEL_TOOLBARBUTTONS_H
#define RP_PANEL_TOOLBARBUTTONS_H

#include <cstdint>

#include "base/PanelFlags.h"

// The five flags and what else the buttons depend on.
struct ToolbarInputs : PanelFlags {
    int32_t SeveralPrinters;
    bool PanelRecordReachable;  // the panel's record can be reached through PanelWindow
    bool PagesShowSettings;     // the paper-set group box of the first page is enabled
    bool SettingsLoaded;        // the record holds settings (read, or the initial values)
};

struct ToolbarButtonStates {
    bool Read;           // IDM_READ_SETTINGS
    bool InitialValues;  // IDM_INITIAL_VALUES
    bool ChangePrinter;  // IDM_CHANGE_PRINTER
    bool Files;          // IDM_SAVE_SETTINGS and IDM_OPEN_SETTINGS: while the record holds settings
};

constexpr ToolbarButtonStates ChooseToolbarButtons(const ToolbarInputs& in) {
    ToolbarButtonStates states{};
    states.Read = in.CanRead == 1 && in.PrinterBusy == 0 && in.ReadPending == 0 && in.WritePending == 0;
    if (in.ReadPending == 1 || (in.CanRead == 0 && in.CanUpdate == 0)) {
        states.InitialValues = false;
    } else {
        // Before the panel's record exists (its first initialisation) the pages cannot be asked;
        // afterwards initial values are offered while the pages show settings.
        states.InitialValues = !in.PanelRecordReachable || in.PagesShowSettings;
    }
    states.ChangePrinter = in.SeveralPrinters == 1 && in.ReadPending == 0 && in.WritePending == 0;
    states.Files = in.SettingsLoaded;
    return states;
}

// Sets the buttons of AppState.ToolbarWindow from AppState; nothing without a toolbar.
void UpdateToolbarButtons();

#endif
