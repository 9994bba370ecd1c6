// The five flags of AppState that say what the current printer allows and what is outstanding,
// each 0 or 1. The panel's decisions, the toolbar's buttons and the status area all look at the
// same five; CurrentFlags() (base/AppState.h) reads them. Portable: no windows.h.
#ifndef RP_BASE_PANELFLAGS_H
#define RP_BASE_PANELFLAGS_H

#include <cstdint>

struct PanelFlags {
    int32_t CanRead;
    int32_t CanUpdate;
    int32_t PrinterBusy;
    int32_t ReadPending;
    int32_t WritePending;

    bool operator==(const PanelFlags&) const = default;
};

#endif
