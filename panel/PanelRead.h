// Reading the printer's settings: the read command, the library's reply with its three attempts
// in all, the time limit after which the reply counts as never coming, and a request the library
// refuses at once.
#ifndef RP_PANEL_PANELREAD_H
#define RP_PANEL_PANELREAD_H

#include <windows.h>

// How the read command ended.
enum class ReadStart {
    NotStarted,  // not readable, refused while busy, or the user kept the unwritten edits
    Requested,   // the request is outstanding; WM_READ_DONE follows
    Refused,     // the library refused the request; the read has been given up
};
// Whether a read begins anew (the command, or the automatic read), is the next attempt of the read
// under way, or brings back the settings under edits held while the printer was away (no question,
// the edits stay over what is read).
enum class ReadChain { New, Retry, KeepEdits };

// The read command (the toolbar's read-settings button): asks before it drops unsent edits, marks
// the settings not loaded and asks the library for the block.
ReadStart ReadSettingsCommand(HWND panel, ReadChain chain);

// WM_READ_DONE: the reply to the read outstanding on the open session, and no other.
void OnReadDone(HWND panel);

// The read's reply did not come in time: the read ends as one that found nothing.
void ReadTimedOut(HWND panel);

#endif
