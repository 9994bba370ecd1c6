// The frame window: the program's only top-level window, holding the toolbar and the panel; its
// About box.
#ifndef RP_SHELL_FRAME_H
#define RP_SHELL_FRAME_H

#include <windows.h>

// Registers the frame class (RegisterClassExA, falling back to RegisterClassA). Returns the
// class atom or 0.
ATOM RegisterFrameClass(HINSTANCE instance);

// Creates the frame for the current printer (its creation creates the toolbar and the panel).
HWND CreateFrameWindow();

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

// The About box (IDD_ABOUT).
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
