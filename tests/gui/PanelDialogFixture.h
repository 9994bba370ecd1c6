// Shared set-up of the panel dialog's tests: virtual printers installed in the spooler, the
// program state as start-up leaves it, the frame with the real panel on the chosen printer, and
// small helpers to look at the panel, drive it and wait for the status library's replies.
#ifndef RP_TESTS_GUI_PANELDIALOGFIXTURE_H
#define RP_TESTS_GUI_PANELDIALOGFIXTURE_H

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/AppState.h"
#include "panel/PanelPages.h"
#include "qmx/VirtualPrinters.h"
#include "tests/support/PageItems.h"
#include "tests/support/Texts.h"

namespace paneltest {

namespace vp = qmx::vp;

inline const char kTitle[] = "Kestrovane リモートパネル";
inline const char kProgramEnds[] = "リモートパネルを終了します。";

std::string Caption(const std::string& printer);
// A string of the program's string table.
using rptest::ProgramString;

// Exit codes the panel asked the process to end with (the panel's exit seam records them).
extern std::vector<int> exitCodes;

class PanelDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes exactly these printers installed (each a virtual printer in the spooler).
    void Install(const std::vector<std::string>& names);
    // Enumerates the installed printers as start-up does, takes `current` (default: the first
    // in the list) and creates the frame with its panel; with `waitForRead` also waits until the
    // first read has ended. Returns the frame (null when its creation ended the program).
    HWND Start(const std::string& current = "", bool waitForRead = true);

    HWND Frame() const { return AppState.FrameWindow; }
    HWND Panel() const { return panel_; }
    PanelPages* Pages() const { return PanelPagesOf(panel_); }
    HWND Page0() const;
    HWND Control(int id) const { return GetDlgItem(panel_, id); }
    bool Enabled(int id) const { return rptest::ItemEnabled(panel_, id); }
    bool ToolbarEnabled(int command) const;
    bool PagesShowSettings() const;  // the first page's group box 1159 is enabled
    std::string Status() const;      // the text of the status area 281
    std::string Text(int id) const;  // a control's text

    // The panel's WM_COMMAND for a button of the panel (also for toolbar commands).
    void Command(int id);
    // The frame's WM_COMMAND, as a toolbar button or an accelerator sends it.
    void FrameCommand(int id);
    // Types a head-centering column into the first page (edit 1323, 1324 or 1325).
    void TypeOnPage0(int editId, const std::string& text);

    // Dispatches messages until no read or write is outstanding; false on time-out.
    bool WaitIdle();
    // Dispatches messages for a short while, so that posted replies and notifications arrive.
    void Settle(DWORD milliseconds = 150);
    bool QuitPosted();
    bool ProgramEnded() const { return !AppState.FrameWindow || !IsWindow(AppState.FrameWindow); }

    vp::PrinterInfo Printer(const std::string& name);

    HWND panel_ = nullptr;
};

}  // namespace paneltest

#endif
