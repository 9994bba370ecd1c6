// Texts the Windows tests compare: a string of the program's string table, and a window's text.
#ifndef RP_TESTS_SUPPORT_TEXTS_H
#define RP_TESTS_SUPPORT_TEXTS_H

#include <windows.h>

#include <string>

namespace rptest {

// String `id` of the test executable's string table (the program's resources), as CP932 bytes;
// empty when it is missing.
std::string ProgramString(UINT id);

// The text of a window as CP932 bytes; a window of another process too (asked with WM_GETTEXT,
// giving up after five seconds when that process hangs).
std::string WindowText(HWND window);

}  // namespace rptest

#endif
