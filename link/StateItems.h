// StateItems.h - the three state items of a printer read from a session of the status library, by
// the panel and rpsettings alike. The header needs no windows.h.
#ifndef RP_LINK_STATEITEMS_H
#define RP_LINK_STATEITEMS_H

#include <cstdint>

#include "link/KovQmx.h"

// The three state items the panel and rpsettings judge a printer by.
enum class StateItem { ExtStatus, Status, Authority };

// Their values as last read.
struct StateWords {
    int32_t Ext = -1;
    int32_t Status[3] = {-1, -1, -1};
    int32_t Authority = -1;
};

// Reads one state item into its place in `words` (changed only when the library call succeeds).
// Returns 0 when the value is usable, else the id of the failure text: the call failed, or the
// ext word, or status word 1 or 2, is -1.
uint32_t ReadStateItemOf(QMXSESSION session, StateItem item, StateWords& words);

// Reads "PrinterExtStatus", "PrinterStatus" and "UserAuthority" in this order, stopping at the
// first failure. Returns 0 when all three were read, else the failure text's id.
uint32_t ReadStateWords(QMXSESSION session, StateWords& words);

#endif
