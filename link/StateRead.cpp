// Reading the printer's three state items through the library.
#include <cstring>
#include <initializer_list>

#include "base/AppState.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/Link.h"
#include "res/resource.h"

UINT ReadStateItem(StateItem item) {
    uint32_t outSize = 0;
    switch (item) {
        case StateItem::ExtStatus: {
            int32_t value = -1;
            if (GetPrinterStatusA(AppState.Session, QMX_ITEM_PRINTER_EXT_STATUS, &value, sizeof value,
                                  &outSize) != 0) {
                return IDS_EXT_STATUS_READ_FAILED;
            }
            AppState.LastExtStatus = value;
            return value == -1 ? IDS_EXT_STATUS_READ_FAILED : 0;
        }
        case StateItem::Status: {
            int32_t words[3] = {-1, -1, -1};
            if (GetPrinterStatusA(AppState.Session, QMX_ITEM_PRINTER_STATUS, words, sizeof words,
                                  &outSize) != 0) {
                return IDS_STATUS_READ_FAILED;
            }
            std::memcpy(AppState.LastPrinterStatus, words, sizeof words);
            return (words[1] == -1 || words[2] == -1) ? IDS_STATUS_READ_FAILED : 0;
        }
        case StateItem::Authority: {
            int32_t value = 0;
            if (GetPrinterStatusA(AppState.Session, QMX_ITEM_USER_AUTHORITY, &value, sizeof value,
                                  &outSize) != 0) {
                return IDS_AUTHORITY_READ_FAILED;
            }
            AppState.LastUserAuthority = value;
            return 0;
        }
    }
    return IDS_STATUS_READ_FAILED;
}

int ReadPrinterState() {
    for (StateItem item : {StateItem::ExtStatus, StateItem::Status, StateItem::Authority}) {
        if (UINT failure = ReadStateItem(item)) {
            LoadText(failure, AppState.MessageText, sizeof AppState.MessageText);
            return 0;
        }
    }
    return 1;
}
