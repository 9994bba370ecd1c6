// Texts from the string table, the program's caption, and the one place where the program shows
// a message box (tests observe and answer boxes there through a WH_CBT hook).
#ifndef RP_BASE_UI_H
#define RP_BASE_UI_H

#include <windows.h>

#include <cstddef>

// Loads string `id` of the program into buffer (size bytes); an empty text when it is missing.
// Returns the length.
int LoadText(UINT id, char* buffer, int size);

// The caption of the program's boxes: "%s - %s" of string 3 and the given printer name, or
// string 3 alone when the name is null.
void FormatCaptionFor(const char* printerName, char* out, size_t size);
// The same for the current printer of AppState (string 3 alone when there is none).
void FormatCaption(char* out, size_t size);

// Shows a message box; returns the button pressed.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

#endif
