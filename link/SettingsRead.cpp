// SettingsRead.cpp - fetching the settings block through the vendor library; the decoding itself
// is a rule of settings/, which needs no library to link against.
#include "link/SettingsRead.h"

#include <string.h>

QMXSTATUS FetchSettingsBlock(QMXSESSION session, SettingsBlock& block, uint32_t* outSize) {
    // Zeroed first, so that bytes the library leaves unwritten decode as 0 rather than as stale
    // memory.
    block = SettingsBlock{};
    return GetPrinterStatusA(session, QMX_ITEM_SETTINGS, block.Bytes, SettingsBlockSize, outSize);
}

QMXSTATUS DecodeSettingsBlock(QMXSESSION session, const char* item, void* dest, uint32_t size,
                              uint32_t* outSize) {
    if (item == nullptr || strcmp(item, QMX_ITEM_SETTINGS) != 0) {
        return GetPrinterStatusA(session, item, dest, size, outSize);
    }

    // The block goes into a buffer of our own, whatever the caller's size says.
    SettingsBlock block;
    const QMXSTATUS status = FetchSettingsBlock(session, block, outSize);
    if (status != 0) return status;
    if (dest != nullptr) {
        auto* settings = static_cast<PrinterSettings*>(dest);
        DecodeBlockBytes(block, settings->Record, settings->FeedPosOther);
    }
    return 0;
}

std::optional<PrinterSettings> ReadPrinterSettings(QMXSESSION session) {
    PrinterSettings settings;
    MarkSettingsNotLoaded(settings.Record);
    uint32_t size = 0;
    if (DecodeSettingsBlock(session, QMX_ITEM_SETTINGS, &settings, SettingsBlockSize, &size) != 0 ||
        !SettingsLoaded(settings.Record)) {
        return std::nullopt;
    }
    return settings;
}
