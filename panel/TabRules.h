// Rules of the panel's tab pages that need no window: how many there are, where they sit inside
// the panel, and how the panel asks them for their values. Which tab shows which page is the page
// table of TabPages.h.
#ifndef RP_PANEL_TABRULES_H
#define RP_PANEL_TABRULES_H

#include <cstdint>

inline constexpr int kPageCount = 6;  // 用紙, 書式, フォント, 印刷, 動作環境, その他 (tab order)

// A rectangle or point in pixels, as the window manager reports them.
struct PixelRect {
    int32_t Left, Top, Right, Bottom;
};
struct PixelPoint {
    int32_t X, Y;
};

// Pages sit at the page area's left + 6 and top + 50 in the panel.
inline constexpr int32_t kPageOffsetX = 6;
inline constexpr int32_t kPageOffsetY = 50;

// The page area: the tab control's window rectangle taken into the panel's coordinates (both
// rectangles in screen coordinates) and moved 2 pixels left and 6 pixels up.
constexpr PixelRect PageAreaFrom(PixelRect tabWindow, PixelRect panelWindow) {
    const int32_t dx = -panelWindow.Left - 2;
    const int32_t dy = -panelWindow.Top - 6;
    return {tabWindow.Left + dx, tabWindow.Top + dy, tabWindow.Right + dx, tabWindow.Bottom + dy};
}

// Where a page places its top-left corner in the panel.
constexpr PixelPoint PageOrigin(PixelRect pageArea) {
    return {pageArea.Left + kPageOffsetX, pageArea.Top + kPageOffsetY};
}

// Asks the pages for their values in tab order with one accept flag that starts at 0. A slot
// without a page receives nothing and leaves the flag as the page before it set it. Stops with
// false at the first slot after which the flag is 0; true when every slot has been passed.
//   exists(index) -> bool, collect(index, int32_t* flag)
template <class Exists, class Collect>
bool CollectInTabOrder(Exists exists, Collect collect) {
    int32_t accepted = 0;
    for (int index = 0; index < kPageCount; ++index) {
        if (exists(index)) collect(index, &accepted);
        if (accepted == 0) return false;
    }
    return true;
}

#endif
