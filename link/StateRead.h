// StateRead.h - the panel's session's three state items read into AppState.
#ifndef RP_LINK_STATEREAD_H
#define RP_LINK_STATEREAD_H

#include <windows.h>

#include "link/StateItems.h"

// Reads one state item of AppState.Session into its AppState value (the value is kept only when
// the library call succeeds). Returns 0 when the value is usable, else the id of the failure text
// (the ext status, status or authority could not be read): the call failed, or ext / status
// word 1 / status word 2 is -1.
UINT ReadStateItem(StateItem item);

// Reads "PrinterExtStatus", "PrinterStatus" and "UserAuthority" in this order, stopping at the
// first failure. Returns 1 when all three were read, else 0 with the failure text in
// AppState.MessageText.
int ReadPrinterState();

#endif
