// The supported model as the suite's registry names it installed.
#ifndef RP_PRINTERS_SUPPORTEDMODELS_H
#define RP_PRINTERS_SUPPORTEDMODELS_H

#include <windows.h>

#include "base/AppState.h"

// Why a search for the supported printers found none: the model is not installed (its key is
// missing or holds no subkey of the model's exact name), memory ran out, or the spooler could not
// list its printers. None: the search went through, whether or not it found printers.
enum class SearchFailure {
    None,
    ModelKeyMissing,
    ModelNotInstalled,
    ModelOutOfMemory,
    SpoolerFailed,
    OutOfMemory
};

// The driver names a printer must carry to be served: the entry of the installed model whose
// subkey equals the model name (IDS_MODEL_NAME) byte for byte, with Model = "KOV <model>" (Name
// and PortText empty). The caller releases the list with FreePrinterList. Shows nothing: when
// there is no entry, *failure says why (one of the Model... failures) and *error holds the
// system's error code of a failed allocation.
PrinterEntry* FindSupportedModels(SearchFailure* failure, DWORD* error);

// Tells the user why FindSupportedModels found no model (boxes without an owner): the key that
// cannot be opened, the model that is not installed, or the allocation failure and the end of the
// program.
void ReportModelFailure(SearchFailure failure, DWORD error);

// FindSupportedModels, and when there is no entry, ReportModelFailure.
PrinterEntry* LoadSupportedModels();

#endif
