// Where the program's libraries come from. Windows looks for a library loaded by a bare name in
// the program's folder, the system folders, the current folder and the folders of PATH; a file of
// that name planted beside a downloaded settings file (which becomes the current folder when it is
// opened by a double click) or in a writable folder would run inside the program. The program and
// rpsettings take the current folder out of that search first thing, and a system library is
// loaded from the system folder only.
#ifndef RP_BASE_SYSTEMLIBRARIES_H
#define RP_BASE_SYSTEMLIBRARIES_H

#include <windows.h>

// From now on no library is looked for in the current folder. Where the system can say exactly
// where to look (Windows 8, and Windows 7 with its update), that is the program's folder, the
// system folder and the folder of `keptLibrary` (a library the program imports, such as the status
// library, whose own helpers lie beside it wherever its installer put it; nullptr: none); older
// systems keep their search order without the current folder.
void KeepCurrentFolderOutOfLibrarySearch(HMODULE keptLibrary);

// Loads the library `fileName` (a file name without a folder, such as "HHCTRL.OCX") from the system
// folder, and from nowhere else; nullptr when it is not there.
HMODULE LoadSystemLibrary(const char* fileName);

#endif
