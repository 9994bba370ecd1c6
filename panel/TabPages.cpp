#include "panel/TabPages.h"

#include <algorithm>

#include "base/AppState.h"
#include "base/ArtScale.h"
#include "base/Messages.h"
#include "base/ScopedHandles.h"
#include "base/Ui.h"
#include "panel/EnvironmentPage.h"
#include "panel/FontPage.h"
#include "panel/FormatPage.h"
#include "panel/OtherPage.h"
#include "panel/PageKit.h"
#include "panel/PanelPages.h"
#include "panel/PaperSetPage.h"
#include "panel/PrintPage.h"
#include "panel/TabRules.h"
#include "res/resource.h"

const PageDefinition* const kTabPages[kPageCount] = {
    &PaperSetPage, &FormatPage, &FontPage, &PrintPage, &EnvironmentPage, &OtherPage,
};

namespace {

constexpr int kTabIconSize = 16;
// The tab icons side by side in tab order, one bitmap per scale, their transparent pixels magenta.
constexpr ScaledBitmap kTabIcons{IDB_TAB_STRIP, IDB_TAB_STRIP_150, IDB_TAB_STRIP_200};
constexpr COLORREF kTabIconsKey = RGB(255, 0, 255);

// The tab icons at the screen's scale, added as one strip (an icon at a time costs more than the
// rest of the tabs); the image of tab i is i, none when the strip is missing.
bool AddTabImages(PanelPages& pages) {
    const int scale = ArtScale();
    const int size = ScaledArtSize(kTabIconSize, scale);
    pages.TabImages = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kPageCount, 0);
    const GdiObject<HBITMAP> strip(static_cast<HBITMAP>(
        LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(kTabIcons.For(scale)), IMAGE_BITMAP, 0, 0, 0)));
    return pages.TabImages && strip.Get() &&
           ImageList_AddMasked(pages.TabImages, strip.Get(), kTabIconsKey) == 0;
}

void BuildTabs(PanelPages& pages) {
    const bool images = AddTabImages(pages);
    SendMessageA(pages.TabControl, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pages.TabImages));

    for (int i = 0; i < kPageCount; ++i) {
        char title[kTextBufferSize];
        LoadText(kTabPages[i]->TitleId, title, sizeof title);
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = title;
        item.iImage = images ? i : -1;
        SendMessageA(pages.TabControl, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void ComputePageArea(HWND panel, PanelPages& pages) {
    RECT tab{};
    RECT window{};
    GetWindowRect(pages.TabControl, &tab);
    GetWindowRect(panel, &window);
    const PixelRect area = PageAreaFrom({tab.left, tab.top, tab.right, tab.bottom},
                                        {window.left, window.top, window.right, window.bottom});
    pages.PageArea = {area.Left, area.Top, area.Right, area.Bottom};
}

}  // namespace

LPCDLGTEMPLATEA LoadPageTemplate(UINT templateId) {
    HINSTANCE instance = ProgramInstance();
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    if (!loaded) return nullptr;
    return static_cast<LPCDLGTEMPLATEA>(LockResource(loaded));
}

void SetUpTabs(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return;
    BuildTabs(*pages);
    std::ranges::copy(kTabPages, pages->PageDefinitions);
    for (HWND& window : pages->PageWindows) window = nullptr;
    ComputePageArea(panel, *pages);
    ShowPage(panel, 0);
}

void ShowPage(HWND panel, int index) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages || index < 0 || index >= kPageCount) return;
    if (pages->CurrentPage) {
        ShowWindow(pages->CurrentPage, SW_HIDE);
        SetWindowPos(pages->CurrentPage, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
    }
    HWND& slot = pages->PageWindows[index];
    if (!slot) {
        const PageDefinition* definition = pages->PageDefinitions[index];
        LPCDLGTEMPLATEA pageTemplate = definition ? LoadPageTemplate(definition->TemplateId) : nullptr;
        if (!pageTemplate) return;
        HWND page = CreateDialogIndirectParamA(ProgramInstance(), pageTemplate, panel,
                                               definition->Procedure ? definition->Procedure : PageProc,
                                               reinterpret_cast<LPARAM>(definition));
        if (!page) return;
        slot = page;
        pages->CurrentPage = page;
        ShowWindow(page, SW_SHOWNORMAL);
    } else {
        ShowWindow(slot, SW_RESTORE);
        pages->CurrentPage = slot;
        SetWindowPos(slot, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
        AppState.ForegroundWindow = slot;
    }
    // Before the program's window is first shown, its creation gives the focus to the panel, which
    // hands it to this same page; focusing a page of a hidden window costs an activation for nothing.
    if (pages->FocusHint != pages->TabControl && IsWindowVisible(GetAncestor(panel, GA_ROOT))) {
        SetFocus(pages->CurrentPage);
    }
}

int TabOfPage(HWND page) {
    const PanelPages* pages = PanelPagesOf(GetParent(page));
    for (int i = 0; pages && page && i < kPageCount; ++i) {
        if (pages->PageWindows[i] == page) return i;
    }
    return -1;
}

bool HandleTabNotify(HWND panel, const NMHDR* header) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages || !header || header->hwndFrom != pages->TabControl) return false;
    switch (header->code) {
        case TCN_SELCHANGING:
            pages->FocusHint = GetFocus() == pages->TabControl ? pages->TabControl : pages->CurrentPage;
            SetWindowLongPtrA(panel, DWLP_MSGRESULT, FALSE);  // allow the change
            return true;
        case TCN_SELCHANGE:
            ShowPage(panel, static_cast<int>(SendMessageA(pages->TabControl, TCM_GETCURSEL, 0, 0)));
            return true;
        default:
            return false;
    }
}

void SendToPages(HWND panel, UINT message) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return;
    for (HWND page : pages->PageWindows) {
        if (page) SendMessageA(page, message, 0, 0);
    }
}

int CollectPages(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return 0;
    const bool collected = CollectInTabOrder(
        [pages](int index) { return pages->PageWindows[index] != nullptr; },
        [pages](int index, int32_t* accepted) {
            SendMessageA(pages->PageWindows[index], WM_PAGE_COLLECT, 0, reinterpret_cast<LPARAM>(accepted));
        });
    return collected ? 1 : 0;
}

void SelectTab(HWND panel, int index) {
    const PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return;
    SendMessageA(pages->TabControl, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowPage(panel, index);
}

void RestartPages(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return;
    pages->FocusHint = nullptr;
    SelectTab(panel, 0);
}

void DestroyPages(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return;
    for (HWND& page : pages->PageWindows) {
        if (page) DestroyWindow(page);
        page = nullptr;
    }
    pages->CurrentPage = nullptr;
    if (pages->TabImages) {
        if (pages->TabControl && IsWindow(pages->TabControl)) {
            SendMessageA(pages->TabControl, TCM_SETIMAGELIST, 0, 0);
        }
        ImageList_Destroy(pages->TabImages);
        pages->TabImages = nullptr;
    }
}
