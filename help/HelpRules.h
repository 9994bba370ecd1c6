// Which help engine answers a request, decided from the help file's name and the help command.
// Portable: no windows.h.
#ifndef RP_HELP_HELPRULES_H
#define RP_HELP_HELPRULES_H

#include <cstddef>

// The WinHelp commands the program sends (the values of <winuser.h>).
constexpr unsigned kHelpContextPopup = 8;  // HELP_CONTEXTPOPUP
constexpr unsigned kHelpContextMenu = 10;  // HELP_CONTEXTMENU
constexpr unsigned kHelpFinder = 11;       // HELP_FINDER
constexpr unsigned kHelpWmHelp = 12;       // HELP_WM_HELP

// HTML Help's own commands for text pop-ups (the values of <htmlhelp.h>).
constexpr unsigned kHhDisplayTextPopup = 0x0E;   // HH_DISPLAY_TEXT_POPUP
constexpr unsigned kHhTpHelpContextMenu = 0x10;  // HH_TP_HELP_CONTEXTMENU
constexpr unsigned kHhTpHelpWmHelp = 0x11;       // HH_TP_HELP_WM_HELP

// The text-pop-up file that a compiled help file carries: one short text per help context id.
constexpr char kTextPopupFile[] = "cshelp.txt";

enum class HelpRoute {
    None,          // no help: unknown extension, or a name too short for its rule
    WinHelp,       // WinHelpA on the file itself (a ".hlp" file)
    HtmlHelp,      // HTML Help on the file (a ".chm" file, help contents)
    WinHelpPopup,  // WinHelpA on the ".POP" companion of a ".chm" file (context help)
};

// The last three characters of the name, compared ignoring letter case, choose the engine:
// "HLP" always WinHelp; "CHM" HTML Help for the help contents and the ".POP" companion for every
// other command. Only single-byte characters count: the trail byte of a double-byte character is
// never taken for a letter of the extension.
HelpRoute ChooseHelpRoute(const char* fileName, unsigned command);

// The ".POP" companion of a help file: the name without its last four characters (a double-byte
// character counts as one), then ".POP".
// Returns false (out empty) when the name has fewer than four characters or the result does not
// fit `size` bytes.
bool MakePopupFileName(const char* fileName, char* out, size_t size);

// Context help from a compiled help file without its ".POP" companion is shown by HTML Help as a
// text pop-up: HELP_WM_HELP, HELP_CONTEXTMENU and HELP_CONTEXTPOPUP become HH_TP_HELP_WM_HELP,
// HH_TP_HELP_CONTEXTMENU and HH_DISPLAY_TEXT_POPUP; any other command has none (0).
unsigned HtmlPopupCommand(unsigned winHelpCommand);

// "<file>::/cshelp.txt", the text-pop-up file inside the compiled help file, as HTML Help names it.
// Returns false (out empty) when the result does not fit `size` bytes.
bool MakeTextPopupPath(const char* fileName, char* out, size_t size);

#endif
