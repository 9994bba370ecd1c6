// The panel's tab framework: builds the six tabs, creates each page from its template the first
// time it is shown, switches pages on tab changes, and drives the existing pages (refresh,
// disable, collect) in tab order. Every call takes the panel window, whose user data holds its
// PanelPages record.
#ifndef RP_PANEL_TABPAGES_H
#define RP_PANEL_TABPAGES_H

#include <windows.h>
#include <commctrl.h>

#include "panel/PageKit.h"
#include "panel/TabRules.h"  // kPageCount

// The panel's pages in tab order, each with its template, its tab's title and icon and its
// bindings; every loop over the pages follows this order.
extern const PageDefinition* const kTabPages[kPageCount];

// Builds the tab images and the six tabs, gives each slot its page of kTabPages, clears the page
// windows, computes the page area and shows page 0. The panel calls it once, after it has attached
// its zero-filled record with TabControl set to its tab control IDC_TABS.
void SetUpTabs(HWND panel);

// The tab index of a page in its panel, or -1 when it is none of the panel's pages.
int TabOfPage(HWND page);

// The dialog template `templateId` of the program's resources, or nullptr when it is missing.
LPCDLGTEMPLATEA LoadPageTemplate(UINT templateId);

// Makes page `index` the visible current page, creating it when needed (the page's procedure, the
// kit's PageProc unless the page has its own, gets the definition as its creation parameter). A
// page whose template is missing or that cannot be created leaves its slot empty; the next call
// tries again.
void ShowPage(HWND panel, int index);

// The tab control's TCN_SELCHANGING and TCN_SELCHANGE (IDC_TABS); true when handled. The
// change itself is always allowed.
bool HandleTabNotify(HWND panel, const NMHDR* header);

// Sends `message` (WM_PAGE_REFRESH or WM_PAGE_DISABLE) to every existing page in tab order.
void SendToPages(HWND panel, UINT message);

// Has every existing page copy its controls into PanelSettings, in tab order; stops at the first
// page that refuses (it has told the user why). Returns 1 when all six slots were passed, else 0.
int CollectPages(HWND panel);

// Selects tab `index` and shows its page, as a program's choice (no tab-change notifications).
void SelectTab(HWND panel, int index);

// After a restart on another printer: clears the focus hint, selects tab 0 and shows page 0.
void RestartPages(HWND panel);

// Destroys the six page windows and the tab image list.
void DestroyPages(HWND panel);

#endif
