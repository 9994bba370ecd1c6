// Texts from the string table, the program's caption, and the one place where the program shows
// a message box (tests observe and answer boxes there through a WH_CBT hook), with the two kinds
// of box the program shows.
#ifndef RP_BASE_UI_H
#define RP_BASE_UI_H

#include <windows.h>

#include <cstddef>
#include <string>

// Loads string `id` of the program into buffer (size bytes); an empty text when it is missing.
// Returns the length.
int LoadText(UINT id, char* buffer, int size);
// String `id` of the program as a string (empty when it is missing).
std::string ProgramText(UINT id);
// Two strings of the program on two lines, "first\nsecond", bounded to `size` bytes.
void LoadTextLines(UINT firstId, UINT secondId, char* out, size_t size);

// The caption of the program's boxes: "%s - %s" of the program's name and the given printer
// name, or the program's name alone when the name is null.
void FormatCaptionFor(const char* printerName, char* out, size_t size);
// The same for the current printer of AppState (the program's name alone when there is none).
void FormatCaption(char* out, size_t size);
// The current printer's name, or null without a current printer.
const char* CurrentPrinterName();

// Shows a message box; returns the button pressed.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// The program's two kinds of box, shown through ShowMessageBox; each returns the button pressed.
// The caption goes into AppState.MessageCaption, and a text given by its string id into
// AppState.MessageText; a text given as such is shown as it is.
//
// Captioned with the program's name alone: before there is a printer, or about the program.
int ShowProgramMessage(HWND owner, const char* text, UINT type);
int ShowProgramMessage(HWND owner, UINT textId, UINT type);
// Captioned with the program's name and a printer: the current one, or `printerName` when the
// box is about another (the program's name alone when there is neither).
int ShowPrinterMessage(HWND owner, const char* text, UINT type,
                       const char* printerName = CurrentPrinterName());
int ShowPrinterMessage(HWND owner, UINT textId, UINT type, const char* printerName = CurrentPrinterName());

#endif
