// Shortening a text with a trailing ellipsis so that it fits a width, without a window: the
// caller passes how a piece of text is measured and how to step over one character, so the same
// walk serves the GDI version and the native tests.
#ifndef RP_PANEL_TEXTFIT_H
#define RP_PANEL_TEXTFIT_H

#include <cstddef>
#include <cstdint>
#include <functional>

// Measures `length` bytes at `text`; false when the width cannot be found.
using TextMeasure = std::function<bool(const char* text, size_t length, int32_t* width)>;
// Returns the start of the character after the one at `text` (never past the terminator).
using NextCharacter = std::function<const char*(const char* text)>;

// The next character of CP932 text: a lead byte followed by a trail byte is one character.
const char* NextCp932Character(const char* text);

// Shortens `text` to fit maxWidth pixels (see FitTextWithEllipsis in Drawing.h):
//  - maxWidth <= 0 or text null: returns 0, out untouched;
//  - text empty: out = "", returns 1;
//  - text as wide as maxWidth or narrower (and fitting in out): out = text, returns 1;
//  - ellipsis alone wider than maxWidth: out = "", returns 0;
//  - otherwise the walk goes over the character boundaries inside text, left to right, and
//    measures each prefix followed by the ellipsis: it keeps the prefix while the candidate is at
//    most maxWidth wide and stops at the first wider one (or at one exactly maxWidth wide, which
//    it keeps). out = the kept prefix followed by the ellipsis (the ellipsis alone when no
//    prefix was kept); returns 1.
// `out` (not overlapping text) holds outSize bytes and is always terminated (outSize > 0); a text
// that does not fit in it is shortened like one that is too wide.
int FitTextWalk(int32_t maxWidth, const char* text, const char* ellipsis, char* out, size_t outSize,
                const TextMeasure& measure, const NextCharacter& next);

#endif
