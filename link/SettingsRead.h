// SettingsRead.h - the settings block fetched from a session of the status library, for the panel
// and for rpsettings, with the attempts and the time a read is given. Portable: the library's
// header needs no windows.h.
#ifndef RP_LINK_SETTINGSREAD_H
#define RP_LINK_SETTINGSREAD_H

#include <stdint.h>

#include <optional>

#include "link/KovQmx.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsBlock.h"

// A settings read has three attempts in all: a block that does not count as loaded is asked for
// again, by the panel and by rpsettings alike.
inline constexpr int32_t kReadAttempts = 3;

// How long a request to the library (a settings read, an asynchronous write) may stay unanswered
// before it is given up, in the panel and in rpsettings.
inline constexpr uint32_t kRequestTimeLimitMs = 30000;

// Reads the "RPVariables_PSV" item of `session` into `block`, which is zeroed first. Returns the
// library's result, 0 = success.
QMXSTATUS FetchSettingsBlock(QMXSESSION session, SettingsBlock& block, uint32_t* outSize);

// Reads a status item. For QMX_ITEM_SETTINGS ("RPVariables_PSV", exact and case-sensitive),
// `dest` is the PrinterSettings to fill (the record and its odd feed distances) and `size` is
// ignored: the block is read into a buffer of its own and decoded into `dest` and nothing else; a
// block whose header does not match changes nothing and still gives 0. Any other item name is
// passed through to GetPrinterStatusA unchanged. Returns the library's result, 0 = success.
QMXSTATUS DecodeSettingsBlock(QMXSESSION session, const char* item, void* dest, uint32_t size,
                              uint32_t* outSize);

// The printer's settings as they are now, or nothing when the read fails or the block holds no
// settings.
std::optional<PrinterSettings> ReadPrinterSettings(QMXSESSION session);

#endif
