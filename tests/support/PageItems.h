// The controls of a page or dialog as the page tests look at them and work them.
#ifndef RP_TESTS_SUPPORT_PAGEITEMS_H
#define RP_TESTS_SUPPORT_PAGEITEMS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/ArtScale.h"
#include "base/Messages.h"

namespace rptest {

inline std::string ItemText(HWND dialog, int id) {
    char text[128] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

inline bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
inline bool ItemChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
inline void ClickItem(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The page's answer to WM_PAGE_COLLECT: 1 accepted, 0 refused, -1 when it did not answer.
inline int32_t CollectPage(HWND page) {
    int32_t flag = -1;
    SendMessageA(page, WM_PAGE_COLLECT, 0, reinterpret_cast<LPARAM>(&flag));
    return flag;
}

// The program's icon that a page shows for iconId (at the screen's size).
inline HICON PageIcon(UINT iconId) { return ProgramIcon(iconId, IconSizeFor(32)); }

// The icon a static shows, compared with the program's icon when the artwork is there (without
// it every icon is missing and the pictures cannot be told apart).
inline void ExpectIcon(HWND page, int control, UINT iconId) {
    HICON expected = PageIcon(iconId);
    if (!expected) return;
    EXPECT_EQ(reinterpret_cast<HICON>(SendDlgItemMessageA(page, control, STM_GETICON, 0, 0)), expected)
        << "control " << control << " should show icon " << iconId;
}

}  // namespace rptest

#endif
