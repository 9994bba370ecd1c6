// SettingsRead.h - the settings block fetched from a session of the status library, for the panel
// and for rpsettings. Portable: the library's header needs no windows.h.
#ifndef RP_LINK_SETTINGSREAD_H
#define RP_LINK_SETTINGSREAD_H

#include <stdint.h>

#include "link/KovQmx.h"
#include "settings/SettingsBlock.h"

// Reads the "RPVariables_PSV" item of `session` into `block`, which is zeroed first. Returns the
// library's result, 0 = success.
QMXSTATUS FetchSettingsBlock(QMXSESSION session, SettingsBlock& block, uint32_t* outSize);

// Reads a status item. For QMX_ITEM_SETTINGS ("RPVariables_PSV", exact and case-sensitive),
// `dest` is the PanelSettingsRecord to fill and `size` is ignored: the block is read into a buffer
// of its own and decoded into it and the program-wide FeedPosOther; a block whose header does not
// match changes nothing and still gives 0. Any other item name is passed through to
// GetPrinterStatusA unchanged. Returns the library's result, 0 = success.
QMXSTATUS DecodeSettingsBlock(QMXSESSION session, const char* item, void* dest, uint32_t size,
                              uint32_t* outSize);

#endif
