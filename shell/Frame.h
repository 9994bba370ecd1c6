// The frame window: the program's only top-level window, holding the toolbar and the panel; its
// About box and its help mode.
#ifndef RP_SHELL_FRAME_H
#define RP_SHELL_FRAME_H

#include <windows.h>

extern const char kFrameClassName[];    // "RPWndClass"
extern const char kOverlayClassName[];  // "TransWndClassName"

// Registers the frame class (RegisterClassExA, falling back to RegisterClassA). Returns the
// class atom or 0.
ATOM RegisterFrameClass(HINSTANCE instance);

// Creates the frame for the current printer (its creation creates the toolbar and the panel).
HWND CreateFrameWindow();

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

// Dialog 116.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Help mode: the next click on the frame shows the pop-up help of the control under it.
void StartHelpMode();
// The frame's click while help mode is on; x and y relative to the frame window's top-left.
void HelpModeClick(HWND frame, int x, int y);
// Keeps the overlay on the frame when the frame moves.
void FollowFrameWithOverlay(HWND frame);

// The set of installed printers changed (WM_PRINTERS_CHANGED).
LRESULT OnPrintersChanged(HWND frame);

#endif
