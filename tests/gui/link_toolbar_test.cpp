// UpdateToolbarButtons on a real toolbar, with the panel's record and the first page's group box.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "LinkFixture.h"
#include "panel/PanelPages.h"
#include "panel/ToolbarButtons.h"

namespace {

class LinkToolbar : public linktest::LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        toolbar_ = AddToolbar({IDM_READ_SETTINGS, IDM_INITIAL_VALUES, IDM_CHANGE_PRINTER});
        ASSERT_NE(toolbar_, nullptr);
        AppState.ToolbarWindow = nullptr;  // each test says whether the program has it
        page_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LINK_TEST_PAGE), panel_,
                                   linktest::QuietDialogProc, 0);
        ASSERT_NE(page_, nullptr);
    }

    void TearDown() override {
        SetWindowLongPtrA(panel_, GWLP_USERDATA, 0);
        LinkTest::TearDown();
    }

    void AttachRecord(bool withPage) {
        pages_ = PanelPages{};
        pages_.PageWindows[0] = withPage ? page_ : nullptr;
        SetWindowLongPtrA(panel_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&pages_));
    }

    bool Enabled(int command) const { return SendMessageA(toolbar_, TB_ISBUTTONENABLED, command, 0) != 0; }
    void ExpectButtons(bool read, bool initial, bool change, const char* what) {
        EXPECT_EQ(Enabled(IDM_READ_SETTINGS), read) << what;
        EXPECT_EQ(Enabled(IDM_INITIAL_VALUES), initial) << what;
        EXPECT_EQ(Enabled(IDM_CHANGE_PRINTER), change) << what;
    }

    HWND toolbar_ = nullptr;
    HWND page_ = nullptr;
    PanelPages pages_{};
};

TEST_F(LinkToolbar, WithoutAToolbarNothingHappens) {
    AppState.ToolbarWindow = nullptr;
    AppState.ReadPending = 1;
    UpdateToolbarButtons();
    ExpectButtons(true, true, true, "the toolbar was not addressed");
}

TEST_F(LinkToolbar, ButtonsFollowTheFlagsAndTheFirstPage) {
    AppState.ToolbarWindow = toolbar_;

    // First initialisation: the panel has no record yet, so initial values are offered.
    SetWindowLongPtrA(panel_, GWLP_USERDATA, 0);
    UpdateToolbarButtons();
    ExpectButtons(true, true, true, "no record");

    // Record, first page showing settings (group box enabled), then not.
    AttachRecord(true);
    UpdateToolbarButtons();
    ExpectButtons(true, true, true, "page enabled");
    EnableWindow(GetDlgItem(page_, IDC_PAPER_SET_GROUP), FALSE);
    UpdateToolbarButtons();
    ExpectButtons(true, false, true, "page disabled");

    // A record whose first page does not exist yet.
    AttachRecord(false);
    UpdateToolbarButtons();
    ExpectButtons(true, false, true, "no page");

    AttachRecord(true);
    EnableWindow(GetDlgItem(page_, IDC_PAPER_SET_GROUP), TRUE);
    AppState.ReadPending = 1;
    UpdateToolbarButtons();
    ExpectButtons(false, false, false, "reading");

    AppState.ReadPending = 0;
    AppState.WritePending = 1;
    UpdateToolbarButtons();
    ExpectButtons(false, true, false, "writing");

    AppState.WritePending = 0;
    AppState.PrinterBusy = 1;
    AppState.SeveralPrinters = 0;
    UpdateToolbarButtons();
    ExpectButtons(false, true, false, "busy, one printer");

    AppState.PrinterBusy = 0;
    AppState.CanRead = 0;
    AppState.CanUpdate = 0;
    AppState.SeveralPrinters = 1;
    UpdateToolbarButtons();
    ExpectButtons(false, false, true, "neither read nor update");
}

}  // namespace
