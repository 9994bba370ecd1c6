// Help invocation in-process: the registry value that names the help file, the choice of engine by
// extension, and what each engine receives. The engines are replaced by recorders; the real
// WinHelpA never runs.
#include <windows.h>

#include <htmlhelp.h>
#undef HtmlHelp  // keeps the seam's member name HelpEngines::HtmlHelp

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "base/SystemLibraries.h"
#include "help/Help.h"
#include "res/resource.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

const char kModelKey[] = "Software\\KOV\\Kestrovane\\Printers\\Brindlemark 400ZX";

struct EngineCall {
    std::string engine;  // "winhelp" or "htmlhelp"
    HWND window;
    std::string file;
    UINT command;
    ULONG_PTR data;
    const void* fileAddress;
    UINT popupId;  // HH_DISPLAY_TEXT_POPUP: the topic asked for
};
std::vector<EngineCall> calls;

BOOL WINAPI RecordWinHelp(HWND window, LPCSTR file, UINT command, ULONG_PTR data) {
    calls.push_back({"winhelp", window, file ? file : "", command, data, file, 0});
    return TRUE;
}

HWND WINAPI RecordHtmlHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    const auto* popup = reinterpret_cast<const HH_POPUP*>(data);
    const bool textPopup = command == HH_DISPLAY_TEXT_POPUP && popup->cbStruct == sizeof *popup;
    calls.push_back(
        {"htmlhelp", owner, file ? file : "", command, data, file, textPopup ? popup->idString : 0});
    return nullptr;
}

void RemoveModelKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kModelKey); }

void SetModelKey(const char* helpFile) {
    RemoveModelKey();
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kModelKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    if (helpFile != nullptr) {
        RegSetValueExA(key, "RPHLP", 0, REG_SZ, reinterpret_cast<const BYTE*>(helpFile),
                       static_cast<DWORD>(strlen(helpFile) + 1));
    }
    RegCloseKey(key);
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        HelpEngines engines;
        engines.WinHelp = RecordWinHelp;
        engines.HtmlHelp = RecordHtmlHelp;
        SetHelpEngines(engines);
        window_ =
            CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        control_ = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 5, 5, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(1052)), nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(window_);
        SetHelpEngines({});
        RemoveModelKey();
    }
    static ULONG_PTR Table() { return reinterpret_cast<ULONG_PTR>(HelpIdTable); }

    HWND window_ = nullptr;
    HWND control_ = nullptr;
};

// The requests every window of the program makes, with their data.
struct Request {
    UINT command;
    ULONG_PTR data;
};
std::vector<Request> AllRequests() {
    return {{HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(HelpIdTable)},
            {HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(HelpIdTable)},
            {HELP_FINDER, 0},
            {HELP_CONTEXTPOPUP, 0x81000100}};
}

TEST_F(HelpTest, WinHelpFileTakesEveryRequestWhateverTheLetterCase) {
    for (const char* name : {"C:\\Help\\RPANEL.HLP", "rpanel.hlp", "RPanel.Hlp"}) {
        SetModelKey(name);
        SetHelpEngines({RecordWinHelp, RecordHtmlHelp, nullptr});  // reads the name afresh
        calls.clear();
        for (const Request& request : AllRequests()) ShowHelp(control_, request.command, request.data);
        ASSERT_EQ(calls.size(), 4u) << name;
        for (size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].engine, "winhelp") << name;
            EXPECT_EQ(calls[i].window, control_) << name;
            EXPECT_EQ(calls[i].file, name);
            EXPECT_EQ(calls[i].command, AllRequests()[i].command) << name;
            EXPECT_EQ(calls[i].data, AllRequests()[i].data) << name;
        }
    }
}

TEST_F(HelpTest, CompiledHelpFileGivesContextHelpFromItsPopFileWhereThatExistsElseHtmlHelpPopups) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "rp-help-" + std::to_string(GetCurrentProcessId());
    const std::string chm = base + ".chm", pop = base + ".POP", popups = chm + "::/cshelp.txt";
    using Call = std::tuple<std::string, HWND, std::string, UINT, ULONG_PTR>;  // data, or the topic
    for (bool withPopFile : {true, false}) {
        if (withPopFile) {
            CloseHandle(CreateFileA(pop.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        } else {
            DeleteFileA(pop.c_str());
        }
        SetModelKey(chm.c_str());
        SetHelpEngines({RecordWinHelp, RecordHtmlHelp, nullptr});
        calls.clear();
        ShowHelp(window_, HELP_FINDER, 0);
        ShowHelp(control_, HELP_WM_HELP, Table());
        ShowHelp(control_, HELP_CONTEXTMENU, Table());
        ShowHelp(control_, HELP_CONTEXTPOPUP, 0x81000100);
        std::vector<Call> seen;
        for (const EngineCall& c : calls) {
            seen.emplace_back(c.engine, c.window, c.file, c.command, c.popupId ? c.popupId : c.data);
        }
        const Call contents{"htmlhelp", GetDesktopWindow(), chm, HH_DISPLAY_TOPIC, 0};
        const std::vector<Call> winHelp = {// WinHelp reads the companion, as it always did
                                           contents,
                                           {"winhelp", control_, pop, HELP_WM_HELP, Table()},
                                           {"winhelp", control_, pop, HELP_CONTEXTMENU, Table()},
                                           {"winhelp", control_, pop, HELP_CONTEXTPOPUP, 0x81000100}};
        const std::vector<Call> htmlHelp = {
            // HTML Help's pop-ups from the file itself
            contents,
            {"htmlhelp", control_, popups, HH_TP_HELP_WM_HELP, Table()},
            {"htmlhelp", control_, popups, HH_TP_HELP_CONTEXTMENU, Table()},
            {"htmlhelp", control_, popups, HH_DISPLAY_TEXT_POPUP, 0x81000100}};
        EXPECT_EQ(seen, withPopFile ? winHelp : htmlHelp);
    }
    DeleteFileA(pop.c_str());
}

TEST_F(HelpTest, OtherExtensionsAndShortNamesDoNothing) {
    for (const char* name : {"rpanel.txt", "rpanel.htm", "", "hl", "CHM"}) {
        SetModelKey(name);
        SetHelpEngines({RecordWinHelp, RecordHtmlHelp, nullptr});
        calls.clear();
        rptest::MessageBoxRecorder boxes;
        for (const Request& request : AllRequests()) {
            if (std::string(name) == "CHM" && request.command == HELP_FINDER) continue;
            ShowHelp(control_, request.command, request.data);
        }
        EXPECT_TRUE(calls.empty()) << '"' << name << '"';
        // An empty value reads as no name: it is not "help not installed".
        EXPECT_EQ(boxes.Count(), 0u) << '"' << name << '"';
    }
}

TEST_F(HelpTest, NoRegistryKeyDoesNothingAndTheKeyIsLookedForAgainNextTime) {
    RemoveModelKey();
    rptest::MessageBoxRecorder boxes;
    ShowHelp(control_, HELP_WM_HELP, Table());
    ShowHelp(window_, HELP_FINDER, 0);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_STREQ(HelpFileNameForTest(), "");

    SetModelKey("late.hlp");  // installed while the program runs
    ShowHelp(control_, HELP_WM_HELP, Table());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "late.hlp");
}

TEST_F(HelpTest, KeyWithoutTheValueSaysHelpIsNotInstalledEveryTime) {
    SetModelKey(nullptr);
    rptest::MessageBoxRecorder boxes;
    ShowHelp(control_, HELP_WM_HELP, Table());
    ShowHelp(window_, HELP_FINDER, 0);
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(boxes.Count(), 2u);
    const std::string title = rptest::ProgramString(IDS_APP_TITLE);
    EXPECT_EQ(boxes.Boxes()[0].text, std::string("ヘルプはインストールされていません。"));
    EXPECT_EQ(boxes.Boxes()[0].caption, title);
    EXPECT_EQ(boxes.Boxes()[0].icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(boxes.Boxes()[0].buttons, std::vector<int>{IDOK});
    // A box asked for by a control belongs to the control's window.
    EXPECT_EQ(boxes.Boxes()[0].owner, window_);
    EXPECT_EQ(boxes.Boxes()[1].owner, window_);
    EXPECT_STREQ(HelpFileNameForTest(), "");
}

TEST_F(HelpTest, TheNameIsReadOnceAndKept) {
    SetModelKey("first.hlp");
    ShowHelp(control_, HELP_WM_HELP, Table());
    SetModelKey("second.chm");
    ShowHelp(control_, HELP_WM_HELP, Table());
    RemoveModelKey();
    ShowHelp(control_, HELP_WM_HELP, Table());
    ASSERT_EQ(calls.size(), 3u);
    for (const EngineCall& call : calls) EXPECT_EQ(call.file, "first.hlp");
}

TEST_F(HelpTest, ValueFillingTheWholeBufferWithoutTerminatorIsCutNotOverrun) {
    // 256 bytes, no terminator, ending in ".hlp" beyond the 255 the program keeps.
    std::string value(252, 'x');
    value += ".hlp";
    HKEY key = nullptr;
    RemoveModelKey();
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kModelKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, "RPHLP", 0, REG_BINARY, reinterpret_cast<const BYTE*>(value.data()),
                   static_cast<DWORD>(value.size()));
    RegCloseKey(key);
    ShowHelp(control_, HELP_WM_HELP, Table());
    EXPECT_EQ(strlen(HelpFileNameForTest()), 255u);
    EXPECT_TRUE(calls.empty());  // "x...x.hl" names no help engine
}

TEST_F(HelpTest, ValueTooLongForTheBufferCountsAsMissing) {
    std::string value(300, 'y');
    value += ".hlp";
    SetModelKey(value.c_str());
    rptest::MessageBoxRecorder boxes;
    ShowHelp(control_, HELP_WM_HELP, Table());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_STREQ(HelpFileNameForTest(), "");
}

TEST_F(HelpTest, ControlInNoPairStillReachesWinHelpWithTheTable) {
    SetModelKey("rpanel.hlp");
    HWND stray = CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 5, 5, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(4242)), nullptr, nullptr);
    ShowHelp(stray, HELP_WM_HELP, Table());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, stray);
    EXPECT_EQ(calls[0].data, Table());
    uint32_t helpId = 0;
    EXPECT_FALSE(LookupHelpId(4242, &helpId));
}

TEST_F(HelpTest, HtmlHelpGetsItsOwnCopyOfTheName) {
    const char name[] = "own.chm";
    EXPECT_EQ(ShowHtmlHelp(HELP_FINDER, 7, name), 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "own.chm");
    EXPECT_NE(calls[0].fileAddress, static_cast<const void*>(name));
    EXPECT_EQ(calls[0].command, 0u);
    EXPECT_EQ(calls[0].data, 7u);
    // Other commands pass unchanged.
    EXPECT_EQ(ShowHtmlHelp(HELP_CONTEXTPOPUP, 8, name), 1);
    EXPECT_EQ(calls[1].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
}

TEST_F(HelpTest, MissingHtmlHelpLibraryOrEntryPointShowsNothing) {
    SetHelpEngines({RecordWinHelp, nullptr, "no-such-library.ocx"});
    EXPECT_EQ(ShowHtmlHelp(HELP_FINDER, 0, "x.chm"), 0);
    SetHelpEngines({RecordWinHelp, nullptr, "version.dll"});  // loads, but has no HtmlHelpA
    EXPECT_EQ(ShowHtmlHelp(HELP_FINDER, 0, "x.chm"), 0);
    EXPECT_EQ(ShowHtmlHelp(HELP_FINDER, 0, "x.chm"), 0);  // tried again: the module was dropped
    SetModelKey("x.chm");
    ShowHelp(window_, HELP_FINDER, 0);
    EXPECT_TRUE(calls.empty());
}

// A DLL (a copy of the stand-in status library) planted as HHCTRL.OCX in the program's folder
// and under another name in the current folder: HTML Help still comes from the system folder, and
// once the program has taken the current folder out of the search, nothing is loaded from there.
TEST_F(HelpTest, LibrariesComeFromTheSystemFolderNotFromPlantedFiles) {
    char program[MAX_PATH], system[MAX_PATH], folder[MAX_PATH], previous[MAX_PATH], loaded[MAX_PATH] = "";
    ASSERT_GT(GetModuleFileNameA(nullptr, program, sizeof program), 0u);
    *strrchr(program, '\\') = '\0';
    const std::string library = std::string(program) + "\\KOVQMX.dll";
    const std::string inProgramFolder = std::string(program) + "\\HHCTRL.OCX";
    GetTempPathA(sizeof folder, folder);
    const std::string current = std::string(folder) + "rp-planted-" + std::to_string(GetCurrentProcessId());
    const std::string inCurrentFolder = current + "\\rp-planted.dll";
    CreateDirectoryA(current.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(library.c_str(), inProgramFolder.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(library.c_str(), inCurrentFolder.c_str(), FALSE));
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(current.c_str());

    // hhctrl.ocx answers a missing file at once; the request counts as passed on.
    SetHelpEngines({RecordWinHelp, nullptr, nullptr});
    EXPECT_EQ(ShowHtmlHelp(HELP_FINDER, 0, "C:\\no-such-help.chm"), 1);
    EXPECT_TRUE(calls.empty());
    GetModuleFileNameA(GetModuleHandleA("HHCTRL.OCX"), loaded, sizeof loaded);
    const UINT length = GetSystemDirectoryA(system, sizeof system);
    EXPECT_TRUE(_strnicmp(loaded, system, length) == 0 && loaded[length] == '\\') << loaded;

    const HMODULE before = LoadLibraryA("rp-planted.dll");
    EXPECT_NE(before, nullptr) << "the current folder is searched at first";
    FreeLibrary(before);
    KeepCurrentFolderOutOfLibrarySearch(nullptr);
    EXPECT_EQ(LoadLibraryA("rp-planted.dll"), nullptr);

    SetCurrentDirectoryA(previous);
    SetHelpEngines({});
    DeleteFileA(inProgramFolder.c_str());
    DeleteFileA(inCurrentFolder.c_str());
    RemoveDirectoryA(current.c_str());
}

}  // namespace
