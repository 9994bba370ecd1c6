// Reading the printer's three state items through the library.
#include <cstring>
#include <initializer_list>

#include "link/StateItems.h"
#include "res/resource.h"

uint32_t ReadStateItemOf(QMXSESSION session, StateItem item, StateWords& words) {
    uint32_t outSize = 0;
    switch (item) {
        case StateItem::ExtStatus: {
            int32_t value = -1;
            if (GetPrinterStatusA(session, QMX_ITEM_PRINTER_EXT_STATUS, &value, sizeof value, &outSize) !=
                0) {
                return IDS_EXT_STATUS_READ_FAILED;
            }
            words.Ext = value;
            return value == -1 ? IDS_EXT_STATUS_READ_FAILED : 0;
        }
        case StateItem::Status: {
            int32_t status[3] = {-1, -1, -1};
            if (GetPrinterStatusA(session, QMX_ITEM_PRINTER_STATUS, status, sizeof status, &outSize) != 0) {
                return IDS_STATUS_READ_FAILED;
            }
            std::memcpy(words.Status, status, sizeof status);
            return (status[1] == -1 || status[2] == -1) ? IDS_STATUS_READ_FAILED : 0;
        }
        case StateItem::Authority: {
            int32_t value = 0;
            if (GetPrinterStatusA(session, QMX_ITEM_USER_AUTHORITY, &value, sizeof value, &outSize) != 0) {
                return IDS_AUTHORITY_READ_FAILED;
            }
            words.Authority = value;
            return 0;
        }
    }
    return IDS_STATUS_READ_FAILED;
}

uint32_t ReadStateWords(QMXSESSION session, StateWords& words) {
    for (StateItem item : {StateItem::ExtStatus, StateItem::Status, StateItem::Authority}) {
        if (const uint32_t failure = ReadStateItemOf(session, item, words)) return failure;
    }
    return 0;
}
