// Help mode: a transparent overlay over the frame catches the next click, and the control under
// it gets its pop-up help. Started by the toolbar's help button; the frame hands it its clicks
// and moves.
#ifndef RP_PANEL_HELPMODE_H
#define RP_PANEL_HELPMODE_H

#include <windows.h>

extern const char kOverlayClassName[];  // "TransWndClassName"

// Help mode: the next click on the frame shows the pop-up help of the control under it.
void StartHelpMode();
// The frame's click while help mode is on; x and y relative to the frame window's top-left.
void HelpModeClick(HWND frame, int x, int y);
// Keeps the overlay on the frame when the frame moves.
void FollowFrameWithOverlay(HWND frame);

#endif
