// The tab framework in a panel laid out like the real one: tabs, lazy page creation, page
// switching, the focus hint, restart, driving the pages and collecting their values.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "PanelRig.h"
#include "base/AppState.h"
#include "base/ArtScale.h"
#include "base/Messages.h"
#include "panel/TabPages.h"
#include "panel/TabRules.h"
#include "panel/Toolbar.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace {

using rptest::PanelRig;

std::string TabTitle(HWND tabs, int index, int* image) {
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    *image = item.iImage;
    return text;
}

bool HasFocusIn(HWND window) {
    HWND focus = GetFocus();
    return focus == window || IsChild(window, focus);
}

POINT TopLeftInPanel(HWND page, HWND panel) {
    RECT rect{};
    GetWindowRect(page, &rect);
    POINT point{rect.left, rect.top};
    ScreenToClient(panel, &point);
    return point;
}

TEST(TabPages, SixTabsWithTheirTitlesSpacesIncluded) {
    PanelRig rig;
    ASSERT_EQ(SendMessageA(rig.Tabs(), TCM_GETITEMCOUNT, 0, 0), 6);
    const char* titles[] = {"用紙", "書式", "フォント", "印刷      ", "動作環境", "その他　"};
    for (int i = 0; i < 6; ++i) {
        int image = -2;
        EXPECT_EQ(TabTitle(rig.Tabs(), i, &image), titles[i]) << "tab " << i;
        EXPECT_EQ(image, i) << "tab " << i;
    }
    ASSERT_NE(rig.Pages().TabImages, nullptr);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(rig.Tabs(), TCM_GETIMAGELIST, 0, 0)),
              rig.Pages().TabImages);
}

// The pixels of a size x size picture drawn on grey.
std::vector<COLORREF> Rendered(int size, const std::function<void(HDC)>& draw) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ kept = SelectObject(dc, bitmap);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    draw(dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, kept);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

TEST(TabPages, TabAndToolbarImagesAreTheDrawnOnesAtTheScreensScale) {
    struct ScreenAgain {
        ~ScreenAgain() { SetScreenDpi(0); }
    } screenAgain;
    // 96 dpi shows the pictures as drawn; 144 and 192 the ones made for 150 % and 200 %.
    for (const auto& [dpi, size] : {std::pair{96, 16}, {144, 24}, {192, 32}}) {
        SCOPED_TRACE(dpi);
        SetScreenDpi(dpi);
        PanelRig rig;
        int width = 0, height = 0;
        ASSERT_TRUE(ImageList_GetIconSize(rig.Pages().TabImages, &width, &height));
        EXPECT_EQ(width, size);
        EXPECT_EQ(height, size);
        ASSERT_EQ(ImageList_GetImageCount(rig.Pages().TabImages), 6);
        // Each tab shows its own icon exactly as the icon resource holds it at that size.
        for (int i = 0; i < 6; ++i) {
            HICON icon = static_cast<HICON>(LoadImageA(
                GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTabPages[i]->IconId), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(
                Rendered(size,
                         [&](HDC dc) { ImageList_Draw(rig.Pages().TabImages, i, dc, 0, 0, ILD_NORMAL); }),
                Rendered(size,
                         [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL); }))
                << "tab " << i;
            DestroyIcon(icon);
        }
        // The toolbar takes the images of the same scale, and its gaps grow with them.
        HWND toolbar = CreateToolbar(rig.Frame());
        ASSERT_NE(toolbar, nullptr);
        auto buttons = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
        ASSERT_TRUE(ImageList_GetIconSize(buttons, &width, &height));
        EXPECT_EQ(width, size);
        EXPECT_EQ(ImageList_GetImageCount(buttons), 6);
        TBBUTTON gap{};
        SendMessageA(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&gap));
        EXPECT_EQ(gap.iBitmap, size / 4);
        DestroyWindow(toolbar);
    }
}

TEST(TabPages, OnlyTheFirstPageExistsAtStartPlacedInThePageArea) {
    PanelRig rig;
    const PanelPages& pages = rig.Pages();
    ASSERT_NE(pages.PageWindows[0], nullptr);
    for (int i = 1; i < 6; ++i) EXPECT_EQ(pages.PageWindows[i], nullptr) << i;
    EXPECT_EQ(pages.CurrentPage, pages.PageWindows[0]);
    EXPECT_TRUE(IsWindowVisible(pages.PageWindows[0]));
    EXPECT_EQ(rig.SelectedTab(), 0);
    EXPECT_EQ(AppState.ForegroundWindow, pages.PageWindows[0]);

    // Page area: the tab control's rectangle in panel coordinates, 2 left and 6 up.
    RECT tab{};
    GetWindowRect(rig.Tabs(), &tab);
    MapWindowPoints(HWND_DESKTOP, rig.Panel(), reinterpret_cast<POINT*>(&tab), 2);
    EXPECT_EQ(pages.PageArea.left, tab.left - 2);
    EXPECT_EQ(pages.PageArea.top, tab.top - 6);
    EXPECT_EQ(pages.PageArea.right, tab.right - 2);
    EXPECT_EQ(pages.PageArea.bottom, tab.bottom - 6);
    const POINT at = TopLeftInPanel(pages.PageWindows[0], rig.Panel());
    EXPECT_EQ(at.x, pages.PageArea.left + 6);
    EXPECT_EQ(at.y, pages.PageArea.top + 50);
}

TEST(TabPages, PagesAreCreatedOnFirstViewAndShownAgainWhenReturning) {
    PanelRig rig;
    HWND first = rig.Page(0);
    rig.ChangeTabLikeUser(2);
    HWND third = rig.Page(2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(rig.testPagesCreated, 1);
    EXPECT_EQ(rig.Pages().CurrentPage, third);
    EXPECT_TRUE(IsWindowVisible(third));
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_EQ(AppState.ForegroundWindow, third);
    const POINT at = TopLeftInPanel(third, rig.Panel());
    EXPECT_EQ(at.x, rig.Pages().PageArea.left + 6);
    EXPECT_EQ(at.y, rig.Pages().PageArea.top + 50);

    // The page keeps what it showed: it is hidden and shown again, never recreated.
    SetDlgItemTextA(third, 9002, "57");
    rig.ChangeTabLikeUser(0);
    EXPECT_EQ(rig.Page(0), first);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(third));
    EXPECT_EQ(AppState.ForegroundWindow, first);
    rig.ChangeTabLikeUser(2);
    EXPECT_EQ(rig.Page(2), third);
    EXPECT_EQ(rig.testPagesCreated, 1);
    char text[8] = {};
    GetDlgItemTextA(third, 9002, text, sizeof text);
    EXPECT_STREQ(text, "57");
    for (int i : {1, 3, 4, 5}) EXPECT_EQ(rig.Page(i), nullptr) << i;
}

TEST(TabPages, TabChangeWithFocusOnTheTabsLeavesTheFocusThere) {
    PanelRig rig;
    SetFocus(rig.Tabs());
    ASSERT_EQ(GetFocus(), rig.Tabs());
    // The tab control itself sends TCN_SELCHANGING and TCN_SELCHANGE for the arrow key.
    SendMessageA(rig.Tabs(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(rig.SelectedTab(), 1);
    ASSERT_NE(rig.Page(1), nullptr);
    EXPECT_EQ(rig.Pages().CurrentPage, rig.Page(1));
    EXPECT_EQ(rig.Pages().FocusHint, rig.Tabs());
    EXPECT_EQ(GetFocus(), rig.Tabs());
}

TEST(TabPages, TabChangeWithFocusElsewhereMovesTheFocusIntoTheNewPage) {
    PanelRig rig;
    SetFocus(GetDlgItem(rig.Panel(), IDC_EXIT));
    rig.ChangeTabLikeUser(3);
    EXPECT_EQ(rig.Pages().FocusHint, rig.Page(0));
    EXPECT_TRUE(HasFocusIn(rig.Page(3)));
    // And from a control of the page back to the first tab.
    SetFocus(rig.Page(3));
    rig.ChangeTabLikeUser(0);
    EXPECT_EQ(rig.Pages().FocusHint, rig.Page(3));
    EXPECT_TRUE(HasFocusIn(rig.Page(0)));
}

TEST(TabPages, ProgrammaticShowKeepsTheFocusHint) {
    PanelRig rig;
    SetFocus(rig.Tabs());
    SendMessageA(rig.Tabs(), WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_EQ(rig.Pages().FocusHint, rig.Tabs());
    SendMessageA(rig.Tabs(), TCM_SETCURSEL, 4, 0);
    ShowPage(rig.Panel(), 4);
    EXPECT_EQ(rig.Pages().FocusHint, rig.Tabs());
    EXPECT_EQ(rig.Pages().CurrentPage, rig.Page(4));
    EXPECT_EQ(GetFocus(), rig.Tabs());
}

TEST(TabPages, RestartSelectsTheFirstTabShowsItsPageAndClearsTheFocusHint) {
    PanelRig rig;
    SetFocus(rig.Tabs());
    SendMessageA(rig.Tabs(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(rig.Tabs(), WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_EQ(rig.SelectedTab(), 2);
    HWND first = rig.Page(0);
    RestartPages(rig.Panel());
    EXPECT_EQ(rig.Pages().FocusHint, nullptr);
    EXPECT_EQ(rig.SelectedTab(), 0);
    EXPECT_EQ(rig.Page(0), first);
    EXPECT_EQ(rig.Pages().CurrentPage, first);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(rig.Page(1)));
    EXPECT_FALSE(IsWindowVisible(rig.Page(2)));
    EXPECT_TRUE(HasFocusIn(first));
}

TEST(TabPages, PageThatCannotBeCreatedLeavesItsSlotEmptyAndIsTriedAgain) {
    rptest::MessageBoxRecorder boxes;
    PanelRig rig;
    const PageDefinition withoutTemplate{.TemplateId = 9999};
    const PageDefinition* testPage = rig.Pages().PageDefinitions[5];
    rig.Pages().PageDefinitions[5] = &withoutTemplate;
    rig.ChangeTabLikeUser(5);
    EXPECT_EQ(rig.Page(5), nullptr);
    EXPECT_EQ(rig.testPagesCreated, 0);
    EXPECT_EQ(boxes.Count(), 0u);
    // Skipped like a page never shown.
    LoadInitialSettings();
    SendToPages(rig.Panel(), WM_PAGE_REFRESH);
    EXPECT_EQ(CollectPages(rig.Panel()), 1);
    EXPECT_TRUE(rig.testPageCalls.empty());
    // The next show tries again.
    rig.Pages().PageDefinitions[5] = testPage;
    ShowPage(rig.Panel(), 5);
    EXPECT_NE(rig.Page(5), nullptr);
    EXPECT_EQ(rig.Pages().CurrentPage, rig.Page(5));
    EXPECT_EQ(rig.testPagesCreated, 1);
}

TEST(TabPages, RefreshAndDisableReachOnlyExistingPagesInTabOrder) {
    PanelRig rig;
    rig.ChangeTabLikeUser(4);
    rig.ChangeTabLikeUser(1);
    rig.testPageCalls.clear();
    SendToPages(rig.Panel(), WM_PAGE_DISABLE);
    SendToPages(rig.Panel(), WM_PAGE_REFRESH);
    ASSERT_EQ(rig.testPageCalls.size(), 4u);
    EXPECT_EQ(rig.testPageCalls[0].tab, 1);
    EXPECT_EQ(rig.testPageCalls[1].tab, 4);
    EXPECT_EQ(rig.testPageCalls[0].message, static_cast<UINT>(WM_PAGE_DISABLE));
    EXPECT_EQ(rig.testPageCalls[2].tab, 1);
    EXPECT_EQ(rig.testPageCalls[3].tab, 4);
    EXPECT_EQ(rig.testPageCalls[2].message, static_cast<UINT>(WM_PAGE_REFRESH));
}

TEST(TabPages, CollectAsksOnlyTheFirstPageBeforeOtherTabsAreVisited) {
    PanelRig rig;
    LoadInitialSettings();
    SendToPages(rig.Panel(), WM_PAGE_REFRESH);
    PanelSettings.HeadCenterCutSheet = 0;  // the page's value (40) must be what is collected
    EXPECT_EQ(CollectPages(rig.Panel()), 1);
    EXPECT_TRUE(rig.testPageCalls.empty());
    EXPECT_EQ(PanelSettings.HeadCenterCutSheet, 40);
}

TEST(TabPages, CollectStopsAtThePageThatRefuses) {
    rptest::MessageBoxRecorder boxes;
    PanelRig rig;
    LoadInitialSettings();
    SendToPages(rig.Panel(), WM_PAGE_REFRESH);
    rig.ChangeTabLikeUser(2);
    rig.ChangeTabLikeUser(3);
    rig.ChangeTabLikeUser(0);
    rig.refusingTab = 2;
    rig.testPageCalls.clear();
    EXPECT_EQ(CollectPages(rig.Panel()), 0);
    ASSERT_EQ(rig.testPageCalls.size(), 1u);
    EXPECT_EQ(rig.testPageCalls[0].tab, 2);
    ASSERT_EQ(boxes.Count(), 1u);
    // The refusing page is brought forward with the focus on its edit.
    EXPECT_EQ(rig.SelectedTab(), 2);
    EXPECT_EQ(rig.Pages().CurrentPage, rig.Page(2));
    EXPECT_TRUE(IsWindowVisible(rig.Page(2)));
    EXPECT_EQ(GetFocus(), GetDlgItem(rig.Page(2), 9002));
}

TEST(TabPages, DestroyRemovesEveryPageAndTheImageList) {
    PanelRig rig;
    rig.ChangeTabLikeUser(1);
    HWND first = rig.Page(0);
    HWND second = rig.Page(1);
    DestroyPages(rig.Panel());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(rig.Page(i), nullptr) << i;
    EXPECT_EQ(rig.Pages().TabImages, nullptr);
    EXPECT_EQ(SendMessageA(rig.Tabs(), TCM_GETIMAGELIST, 0, 0), 0);
}

}  // namespace
