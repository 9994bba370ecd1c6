// The supported model as the suite's registry names it installed.
#ifndef RP_PRINTERS_SUPPORTEDMODELS_H
#define RP_PRINTERS_SUPPORTEDMODELS_H

#include "base/AppState.h"

// The driver names a printer must carry to be served: the entry of the installed model whose
// subkey equals the model name (IDS_MODEL_NAME) byte for byte, with Model = "KOV <model>" (Name
// and PortText empty). Returns nullptr after showing a message when the registry key cannot be
// opened, no model matches or memory runs out. The caller releases the list with FreePrinterList.
PrinterEntry* LoadSupportedModels();

#endif
