// Short probe sessions on a printer through the status library: its port text for the printer
// list and its state for the selection dialog. Each probe opens a session, reads and closes it.
#ifndef RP_PRINTERS_PRINTERPROBE_H
#define RP_PRINTERS_PRINTERPROBE_H

#include <cstddef>

#include "printers/PrinterRules.h"

// Writes the printer's port text ("port", "port(second name)") into out; false when the printer
// cannot be opened or its "Port" item cannot be read (out is then left alone).
bool ProbePortText(const char* printerName, const char* userName, char* out, size_t size);

// The state the selection dialog shows; Unknown when a session or an item read fails. The port
// text it reads on the way is written into `portText` (when given) as ProbePortText writes it.
ProbeState ProbePrinterState(const char* printerName, const char* userName, char* portText = nullptr,
                             size_t size = 0);

#endif
