// Drawing helpers of the panel's header: the printer picture centred on its button with its
// background recoloured, the state icon over it, and texts shortened with an ellipsis to fit
// their static.
#ifndef RP_PANEL_DRAWING_H
#define RP_PANEL_DRAWING_H

#include <windows.h>

#include <cstddef>

// Paints bitmap resource bitmapId centred in the window's client area, unscaled (a bitmap larger
// than the window gets a negative offset and is clipped). Unless keyColour is CLR_INVALID, the
// region of keyColour pixels connected to the bitmap's top-left pixel is first painted with
// fillColour; key-colour pixels outside that region keep their colour. Returns 1 when drawn, 0
// when the bitmap is missing or the copy fails.
int DrawBitmapCentered(HWND window, UINT bitmapId, COLORREF keyColour, COLORREF fillColour);

// Draws icon resource iconId at size x size pixels (32 as drawn; the icon's own image of that
// size) with its top-left corner at `point` of control controlId of the dialog.
void DrawIconAt(HWND dialog, POINT point, int controlId, UINT iconId, int size = 32);

// Shortens `text` (CP932) with `ellipsis` so that it fits maxWidth pixels in the device
// context's font, cutting only between characters:
//  - returns 0 with out untouched when maxWidth <= 0 or text is null;
//  - out = text (result 1) when it fits, also exactly;
//  - out = "" (result 0) when not even the ellipsis fits;
//  - otherwise out = the prefix of whole characters that still fits with the ellipsis (walking
//    left to right, up to the first candidate that is too wide), followed by the ellipsis (the
//    ellipsis alone when no character fits), result 1.
// out holds outSize bytes and is always terminated; a text too long for it is shortened too.
int FitTextWithEllipsis(HDC dc, int maxWidth, const char* text, const char* ellipsis, char* out,
                        size_t outSize);

#endif
