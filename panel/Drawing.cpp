#include "panel/Drawing.h"

#include "base/AppState.h"
#include "base/ArtScale.h"
#include "base/ScopedHandles.h"
#include "panel/TextFit.h"

int DrawBitmapCentered(HWND window, UINT bitmapId, COLORREF keyColour, COLORREF fillColour) {
    RECT client{};
    GetClientRect(window, &client);
    WindowDc windowDc(window);
    if (!windowDc.Get()) return 0;
    MemoryDc memory(CreateCompatibleDC(windowDc.Get()));
    if (!memory.Get()) return 0;
    // A fresh copy each time: the flood fill changes the bitmap.
    GdiObject<HBITMAP> bitmap(LoadBitmapA(ProgramInstance(), MAKEINTRESOURCEA(bitmapId)));
    if (!bitmap.Get()) return 0;
    BITMAP info{};
    if (!GetObjectA(bitmap.Get(), sizeof info, &info)) return 0;
    SelectedObject selectedBitmap(memory.Get(), bitmap.Get());

    if (keyColour != CLR_INVALID) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(fillColour));
        SelectedObject selectedBrush(memory.Get(), brush.Get());
        ExtFloodFill(memory.Get(), 0, 0, keyColour, FLOODFILLSURFACE);
    }

    const int x = (client.right - client.left - info.bmWidth) / 2;
    const int y = (client.bottom - client.top - info.bmHeight) / 2;
    return BitBlt(windowDc.Get(), x, y, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY) ? 1 : 0;
}

void DrawIconAt(HWND dialog, POINT point, int controlId, UINT iconId, int size) {
    HWND control = GetDlgItem(dialog, controlId);
    WindowDc dc(control);
    if (!dc.Get()) return;
    HICON icon = ProgramIcon(iconId, size);
    if (icon) DrawIconEx(dc.Get(), point.x, point.y, icon, size, size, 0, nullptr, DI_NORMAL);
}

int FitTextWithEllipsis(HDC dc, int maxWidth, const char* text, const char* ellipsis, char* out,
                        size_t outSize) {
    const TextMeasure measure = [dc](const char* piece, size_t length, int32_t* width) {
        SIZE size{};
        if (!GetTextExtentPoint32A(dc, piece, static_cast<int>(length), &size)) return false;
        *width = size.cx;
        return true;
    };
    const NextCharacter next = [](const char* at) -> const char* { return CharNextA(at); };
    return FitTextWalk(maxWidth, text, ellipsis, out, outSize, measure, next);
}
