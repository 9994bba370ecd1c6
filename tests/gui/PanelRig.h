// A panel for the page tests: a frame window holding a child dialog laid out like the panel
// (tab control 284 at the same place), with a PanelPages record, the tab framework set up, and
// every WM_SETTINGS_CHANGED it receives recorded. Tabs 1 to 5 can be given a test page, so the
// framework can be driven before the later pages exist.
#ifndef RP_TESTS_GUI_PANELRIG_H
#define RP_TESTS_GUI_PANELRIG_H

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "panel/PanelPages.h"
#include "tests/support/MessageBoxRecorder.h"

namespace rptest {

// A protocol message that a test page received.
struct PageCall {
    int tab;
    UINT message;
};

class PanelRig {
public:
    // withTestPages: tabs 1 to 5 get the test page (template IDD_TEST_PAGE).
    explicit PanelRig(bool withTestPages = true);
    ~PanelRig();
    PanelRig(const PanelRig&) = delete;
    PanelRig& operator=(const PanelRig&) = delete;

    HWND Frame() const { return frame_; }
    HWND Panel() const { return panel_; }
    HWND Tabs() const { return Pages().TabControl; }
    PanelPages& Pages() const { return *PanelPagesOf(panel_); }
    HWND Page(int tab) const { return Pages().PageWindows[tab]; }
    int SelectedTab() const;

    // The tab control's notifications around a change of selection, as a user's click sends them.
    void ChangeTabLikeUser(int tab);

    // Senders of the WM_SETTINGS_CHANGED messages the panel received, in order.
    std::vector<HWND> notices;
    // Protocol messages received by the test pages, and how many of them were created.
    std::vector<PageCall> testPageCalls;
    int testPagesCreated = 0;
    // The tab whose test page refuses to collect (-1: none).
    int refusingTab = -1;

private:
    HWND frame_ = nullptr;
    HWND panel_ = nullptr;
};

}  // namespace rptest

#endif
