// The program's pictures at the screen's scale. The program tells Windows that it follows the
// screen's resolution itself, so Windows enlarges its dialogs and texts but none of its pictures.
// The artwork is drawn for 96 dots per inch and made 1.5 and 2 times as large as well
// (tools/artgen.py: every icon resource holds all three sizes, every bitmap comes as three
// resources); the program takes the size that suits the screen, and for a picture in a control of
// fixed size the largest one that fits.
#ifndef RP_BASE_ARTSCALE_H
#define RP_BASE_ARTSCALE_H

#include <windows.h>

// A drawn size made at `percent` (100, 150 or 200), rounded up as the generator rounds it: the
// 35-pixel printer picture is 53 pixels at 150 %.
constexpr int ScaledArtSize(int drawnSize, int percent) { return (drawnSize * percent + 99) / 100; }

// The artwork's scale for a screen of `dpi` dots per inch: the nearest of 100, 150 and 200 %, the
// larger one when two are as near (125 % takes 150 %, 175 % takes 200 %).
constexpr int ArtScaleFor(int dpi) { return dpi < 120 ? 100 : dpi < 168 ? 150 : 200; }

// The screen's resolution (read once; the program is not told of later changes).
int ScreenDpi();
// Lays the pictures out for another resolution from now on (0: the screen's again). For tests.
void SetScreenDpi(int dpi);

// A length laid out in pixels for 96 dots per inch, on the screen.
int ScreenPixels(int pixelsAt96);

// The artwork's scale for the screen.
int ArtScale();
// The scale for a picture drawn drawnWidth x drawnHeight in a room of roomWidth x roomHeight: the
// screen's scale, or a smaller one while the picture would not fit; 100 % when none fits.
int ArtScaleToFit(int drawnWidth, int drawnHeight, int roomWidth, int roomHeight);

// A picture made as one bitmap resource per scale.
struct ScaledBitmap {
    UINT At100, At150, At200;
    constexpr UINT For(int percent) const { return percent >= 200 ? At200 : percent >= 150 ? At150 : At100; }
};

// The size to show an icon drawn drawnSize x drawnSize at where the system shows icons of that
// size (32: a dialog's icons, 16: a caption's): the largest made size that fits the system's
// place for it, which grows with the resolution (40 pixels at 125 % take the drawn 32).
int IconSizeFor(int drawnSize);

// Icon iconId of the program at size x size pixels, loaded on first use and kept for the
// program's life (like a shared icon of LoadIcon: never destroyed by its users); nullptr when
// missing.
HICON ProgramIcon(UINT iconId, int size);

#endif
