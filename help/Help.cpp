#include "help/Help.h"

#include <htmlhelp.h>
#undef HtmlHelp  // the header's A/W name would rename the seam's member HelpEngines::HtmlHelp

#include <cstring>

#include "base/ScopedHandles.h"
#include "base/SuiteRegistry.h"
#include "base/SystemLibraries.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "help/HelpRules.h"
#include "res/resource.h"

namespace {

constexpr const char kHelpValue[] = "RPHLP";
constexpr const char kHtmlHelpModule[] = "HHCTRL.OCX";

char HelpFileName[256];  // once read, kept for the program's life
// Once loaded, kept loaded for the program's life: HTML Help's windows run from it.
HMODULE HtmlHelpLibrary;
HelpEngines Engines;

// Reads "RPHLP" from the model's registry subkey into HelpFileName. A key that does not open
// leaves the name empty without a word; a key without a usable value says that help is missing.
void ReadHelpFileName(HWND window) {
    char model[256];
    LoadText(IDS_MODEL_NAME, model, sizeof model);
    RegistryKey key;
    if (!OpenModelKey(model, key)) {
        HelpFileName[0] = '\0';
        return;
    }
    DWORD size = sizeof HelpFileName;
    const LONG result = RegQueryValueExA(key.Get(), kHelpValue, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(HelpFileName), &size);
    if (result != ERROR_SUCCESS) {
        HelpFileName[0] = '\0';
        ShowProgramMessage(window, "ヘルプはインストールされていません。", MB_ICONWARNING);
        return;
    }
    // A value stored without its terminator is terminated here; one that fills all 256 bytes
    // loses its last byte.
    HelpFileName[size < sizeof HelpFileName ? size : sizeof HelpFileName - 1] = '\0';
}

BOOL CallWinHelp(HWND window, const char* file, UINT command, ULONG_PTR data) {
    return Engines.WinHelp ? Engines.WinHelp(window, file, command, data)
                           : WinHelpA(window, file, command, data);
}

// HTML Help's entry point: the replacement, or "HtmlHelpA" of the HTML Help library, loaded from
// the system folder once and kept (a file of its name anywhere else is never loaded); a library
// without the entry point is dropped again. None when HTML Help is missing.
HtmlHelpFunction HtmlHelpEntry() {
    if (Engines.HtmlHelp != nullptr) return Engines.HtmlHelp;
    LibraryModule library(HtmlHelpLibrary);
    if (library.Get() == nullptr) {
        library.Reset(LoadSystemLibrary(Engines.HtmlHelpModule ? Engines.HtmlHelpModule : kHtmlHelpModule));
        if (library.Get() == nullptr) return nullptr;
    }
    auto htmlHelp = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "HtmlHelpA")));
    // Without the entry point the library goes again; with it, it stays.
    HtmlHelpLibrary = htmlHelp != nullptr ? library.Detach() : nullptr;
    return htmlHelp;
}

bool FileExists(const char* name) {
    const DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Context help from a compiled help file that has no ".POP" companion: HTML Help shows the
// control's text from the file's own text pop-ups (Windows since Vista has no WinHelp to read a
// ".POP" file). The window is the control, as HTML Help looks its id up in the table.
void ShowHtmlTextPopup(HWND window, UINT command, ULONG_PTR data, const char* fileName) {
    const UINT popupCommand = HtmlPopupCommand(command);
    char path[sizeof HelpFileName + sizeof kTextPopupFile + 3];
    if (popupCommand == 0 || !MakeTextPopupPath(fileName, path, sizeof path)) return;
    HtmlHelpFunction htmlHelp = HtmlHelpEntry();
    if (htmlHelp == nullptr) return;
    if (popupCommand != HH_DISPLAY_TEXT_POPUP) {
        htmlHelp(window, path, popupCommand, data);
        return;
    }
    HH_POPUP popup = {};
    popup.cbStruct = sizeof popup;
    popup.idString = static_cast<UINT>(data);  // the help context id, a topic of the text file
    GetCursorPos(&popup.pt);
    popup.clrForeground = popup.clrBackground = static_cast<COLORREF>(-1);  // system colours
    popup.rcMargins = {-1, -1, -1, -1};
    htmlHelp(window, path, popupCommand, reinterpret_cast<DWORD_PTR>(&popup));
}

}  // namespace

void ShowHelp(HWND window, UINT command, ULONG_PTR data) {
    if (HelpFileName[0] == '\0') ReadHelpFileName(window);
    switch (ChooseHelpRoute(HelpFileName, command)) {
        case HelpRoute::WinHelp:
            CallWinHelp(window, HelpFileName, command, data);
            break;
        case HelpRoute::HtmlHelp:
            ShowHtmlHelp(command, data, HelpFileName);
            break;
        case HelpRoute::WinHelpPopup: {
            char popupName[sizeof HelpFileName];
            if (!MakePopupFileName(HelpFileName, popupName, sizeof popupName)) break;
            if (FileExists(popupName)) {
                CallWinHelp(window, popupName, command, data);
            } else {
                ShowHtmlTextPopup(window, command, data, HelpFileName);
            }
            break;
        }
        case HelpRoute::None:
            break;
    }
}

int ShowHtmlHelp(UINT command, ULONG_PTR data, const char* fileName) {
    HtmlHelpFunction htmlHelp = HtmlHelpEntry();
    if (htmlHelp == nullptr) return 0;
    // HTML Help gets its own copy of the name in global memory.
    const size_t length = std::strlen(fileName);
    const GlobalMemory copy(GlobalAlloc(GPTR, length + 1));
    if (copy.Get() == nullptr) return 0;
    std::memcpy(reinterpret_cast<char*>(copy.Get()), fileName, length + 1);
    const UINT mapped = command == HELP_FINDER ? HH_DISPLAY_TOPIC : command;
    htmlHelp(GetDesktopWindow(), reinterpret_cast<const char*>(copy.Get()), mapped, data);
    return 1;
}

const char* HelpFileNameForTest() { return HelpFileName; }

HelpEngines SetHelpEngines(const HelpEngines& engines) {
    HelpEngines previous = Engines;
    Engines = engines;
    HelpFileName[0] = '\0';
    LibraryModule unloaded(HtmlHelpLibrary);
    HtmlHelpLibrary = nullptr;
    return previous;
}

bool AnswerHelpRequest(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP) {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (!info || info->iContextType != HELPINFO_WINDOW) return false;
        ShowHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP,
                 reinterpret_cast<ULONG_PTR>(HelpIdTable));
        return true;
    }
    if (message == WM_CONTEXTMENU) {
        ShowHelp(reinterpret_cast<HWND>(wParam), HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(HelpIdTable));
        return true;
    }
    return false;
}
