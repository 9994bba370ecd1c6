// The in-process tests of the program on virtual printers (the shell and the panel): installed
// printers (virtual printers of the stand-in library with their spooler entries), the stored
// password, a fresh program state for each test, what the help engine was asked for, and the one
// fixture that starts the frame with its panel on a printer and looks at it.
#ifndef RP_TESTS_GUI_SHELL_SUPPORT_H
#define RP_TESTS_GUI_SHELL_SUPPORT_H

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/AppState.h"
#include "link/KovQmx.h"
#include "panel/PanelPages.h"
#include "qmx/VirtualPrinters.h"
#include "tests/support/PageItems.h"
#include "tests/support/Texts.h"

namespace shelltest {

struct HelpCall {
    HWND window;
    UINT command;
    ULONG_PTR data;
};

// What the help engine was asked for, in order.
extern std::vector<HelpCall> HelpCalls;

// Makes exactly these printers of the supported model installed (a printer that stays keeps its
// virtual printer and sessions).
void Install(const std::vector<std::string>& names);
// The same, then enumerates them into AppState.
void InstallPrinters(const std::vector<std::string>& names);

// Opens a session of the status library on the virtual printer into AppState.Session.
void OpenSession(const char* printer);

// The stored password: a value, "" for an empty value, or removed; the suite's key itself can be
// removed too (then the gate stays closed).
void SetStoredPassword(const char* password);
void RemoveStoredPassword();
void RemoveSuiteKey();

// Destroys the program's windows, unregisters its classes, frees the printer list, closes the
// session, resets AppState and the recorded help calls, and puts the help recorder in place; the
// virtual printers are removed too unless `keepPrinters`.
void ResetProgram(bool keepPrinters = false);

// Makes the frame (class, window) for the current printer as start-up does; nullptr on failure.
// Its panel opens the session and asks for the settings.
HWND MakeFrame();

// Dispatches messages until no read or write of the panel is outstanding; false on time-out.
bool WaitUntilPanelIdle();

namespace vp = qmx::vp;
using rptest::ProgramString;

inline const char kTitle[] = "Kestrovane リモートパネル";
inline const char kProgramEnds[] = "リモートパネルを終了します。";
// The caption of the program's boxes about `printer`.
std::string Caption(const std::string& printer);

// Exit codes the panel asked the process to end with (the panel's exit seam records them).
extern std::vector<int> exitCodes;

// A fresh program for each test (and afterwards), the panel's process exit recorded, and the
// frame with its panel started on installed printers.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes exactly these printers installed (each a virtual printer in the spooler).
    void Install(const std::vector<std::string>& names) { shelltest::Install(names); }
    // Enumerates the installed printers as start-up does, takes `current` (default: the first
    // in the list) and creates the frame with its panel, shown; with `waitForRead` also waits until
    // the first read has ended. Returns the frame (null when its creation ended the program).
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
    bool WaitIdle() { return WaitUntilPanelIdle(); }
    // Dispatches messages for a short while, so that posted replies and notifications arrive.
    void Settle(DWORD milliseconds = 150);
    bool QuitPosted();
    bool ProgramEnded() const { return !AppState.FrameWindow || !IsWindow(AppState.FrameWindow); }

    vp::PrinterInfo Printer(const std::string& name);

    HWND panel_ = nullptr;
};

}  // namespace shelltest

#endif
