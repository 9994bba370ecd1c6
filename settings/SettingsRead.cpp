// SettingsRead.cpp - reading the settings item through the vendor library. Kept apart from the
// pure decoding so that code which only decodes bytes needs no library to link against.
#include <string.h>

#include "settings/SettingsBlock.h"

QMXSTATUS DecodeSettingsBlock(QMXSESSION session, const char* item, void* dest, uint32_t size,
                              uint32_t* outSize) {
  if (item == nullptr || strcmp(item, QMX_ITEM_SETTINGS) != 0) {
    return GetPrinterStatusA(session, item, dest, size, outSize);
  }

  // The block goes into a buffer of our own, zeroed first so that bytes the library leaves
  // unwritten decode as 0 rather than as stale stack memory.
  SettingsBlock block{};
  const QMXSTATUS status =
      GetPrinterStatusA(session, QMX_ITEM_SETTINGS, block.Bytes, SettingsBlockSize, outSize);
  if (status != 0) return status;
  if (dest != nullptr) {
    DecodeBlockBytes(block, *static_cast<PanelSettingsRecord*>(dest), FeedPosOther);
  }
  return 0;
}
