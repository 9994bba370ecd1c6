// One panel per printer: a named file mapping per printer marks the panel that works on it, so
// that a second start on the same printer brings the first one forward instead.
#ifndef RP_PRINTERS_SINGLEINSTANCE_H
#define RP_PRINTERS_SINGLEINSTANCE_H

#include <windows.h>

// Creates the single-instance mapping of a printer. Returns it, or nullptr when it cannot be
// created (the user is told so) or another panel already works on the printer (that panel is
// brought forward, or the user is told that it runs already).
HANDLE GuardSingleInstance(const char* printerName);

// The single-instance mapping of a printer, made without a word to the user: the new handle, or
// nullptr when it cannot be made or another panel holds it already (*existed then says so).
HANDLE CreateInstanceMapping(const char* printerName, bool* existed);

// The mapping of the printer being worked on is AppState.InstanceMapping. HoldInstanceMapping
// makes `mapping` that mapping and closes the one held before; ReleaseInstanceMapping closes it
// (nothing when none is held).
void HoldInstanceMapping(HANDLE mapping);
void ReleaseInstanceMapping();

#endif
