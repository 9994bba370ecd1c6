#include "base/ArtScale.h"

#include "base/AppState.h"

namespace {

int dpiOverride = 0;

struct KeptIcon {
    UINT Id;
    int Size;
    HICON Icon;
};
// The program has under thirty icons, each wanted at one or two sizes.
KeptIcon keptIcons[128];
int keptCount = 0;

}  // namespace

int ScreenDpi() {
    static int screen = 0;
    if (dpiOverride) return dpiOverride;
    if (!screen) {
        HDC dc = GetDC(nullptr);
        screen = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
        if (dc) ReleaseDC(nullptr, dc);
        if (screen <= 0) screen = USER_DEFAULT_SCREEN_DPI;
    }
    return screen;
}

void SetScreenDpi(int dpi) { dpiOverride = dpi; }

int ScreenPixels(int pixelsAt96) { return MulDiv(pixelsAt96, ScreenDpi(), USER_DEFAULT_SCREEN_DPI); }

int ArtScale() { return ArtScaleFor(ScreenDpi()); }

int ArtScaleToFit(int drawnWidth, int drawnHeight, int roomWidth, int roomHeight) {
    for (int percent = ArtScale(); percent > 100; percent -= 50) {
        if (ScaledArtSize(drawnWidth, percent) <= roomWidth &&
            ScaledArtSize(drawnHeight, percent) <= roomHeight)
            return percent;
    }
    return 100;
}

int IconSizeFor(int drawnSize) {
    const int cell = ScreenPixels(drawnSize);
    return ScaledArtSize(drawnSize, ArtScaleToFit(drawnSize, drawnSize, cell, cell));
}

HICON ProgramIcon(UINT iconId, int size) {
    for (int i = 0; i < keptCount; ++i) {
        if (keptIcons[i].Id == iconId && keptIcons[i].Size == size) return keptIcons[i].Icon;
    }
    // At the system's icon size an icon is the one the icon controls of the dialogs load from their
    // templates, shared: it is not loaded again, and a control that shows it already is left be.
    const UINT shared = size == GetSystemMetrics(SM_CXICON) ? LR_SHARED : 0;
    HICON icon = static_cast<HICON>(
        LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, shared));
    if (icon && keptCount < static_cast<int>(sizeof keptIcons / sizeof keptIcons[0])) {
        keptIcons[keptCount++] = {iconId, size, icon};
    }
    return icon;
}
