// The shell's dialog templates as the program loads them: every control in template order with
// its class, text, identifier, place and size (dialog units) and the style bits that matter.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "res/version.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

struct ControlLayout {
    int id;
    const char* className;
    const char* text;
    RECT units;   // x, y, width, height in dialog units
    DWORD style;  // bits that must be set
    bool enabled;
    bool sized;  // false: only the position is checked (an icon takes its picture's size)
};

struct DialogLayout {
    int id;
    const char* caption;
    int width, height;  // dialog units
    DWORD style;
    DWORD exStyle;
    std::vector<ControlLayout> controls;
};

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The dialog manager converts position and size each on its own.
RECT ToPixels(HWND dialog, RECT units) {
    RECT rect = units;
    MapDialogRect(dialog, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

void CheckDialog(const DialogLayout& layout) {
    SCOPED_TRACE("dialog " + std::to_string(layout.id));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND host = nullptr;
    if (layout.style & WS_CHILD) {
        host =
            CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 800, nullptr, nullptr, instance, nullptr);
    }
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(layout.id), host, QuietProc, 0);
    ASSERT_NE(dialog, nullptr);

    EXPECT_EQ(rptest::WindowText(dialog), layout.caption);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & layout.style, layout.style);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)) & layout.exStyle, layout.exStyle);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");
    RECT client{};
    GetClientRect(dialog, &client);
    RECT size = ToPixels(dialog, {0, 0, layout.width, layout.height});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ASSERT_LT(index, layout.controls.size()) << "more controls than the template lists";
        const ControlLayout& c = layout.controls[index++];
        SCOPED_TRACE("control " + std::to_string(index) + " id " + std::to_string(c.id));
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(lstrcmpiA(className, c.className), 0) << className;
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        if (c.text) {
            EXPECT_EQ(rptest::WindowText(child), c.text);
        }
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & c.style, c.style);
        EXPECT_EQ(IsWindowEnabled(child) != FALSE, c.enabled);
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        RECT expected = ToPixels(dialog, c.units);
        EXPECT_EQ(rect.left, expected.left);
        EXPECT_EQ(rect.top, expected.top);
        if (c.sized) {
            EXPECT_EQ(rect.right, expected.right);
            EXPECT_EQ(rect.bottom, expected.bottom);
        }
    }
    EXPECT_EQ(index, layout.controls.size());
    DestroyWindow(dialog);
    if (host) DestroyWindow(host);
}

TEST(ShellTemplates, PasswordDialog) {
    CheckDialog({IDD_PASSWORD,
                 "パスワードの入力",
                 143,
                 75,
                 WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND,
                 0,
                 {
                     {-1, "Static", "パスワードを入力してください。", {5, 5, 130, 15}, 0, true, true},
                     {IDC_PASSWORD,
                      "Edit",
                      "",
                      {5, 25, 130, 15},
                      ES_PASSWORD | ES_AUTOHSCROLL | WS_TABSTOP,
                      true,
                      true},
                     {IDOK, "Button", "OK", {15, 55, 50, 15}, BS_DEFPUSHBUTTON, true, true},
                     {IDCANCEL, "Button", "キャンセル", {80, 55, 50, 15}, 0, true, true},
                 }});
}

TEST(ShellTemplates, AboutBox) {
    CheckDialog({IDD_ABOUT,
                 "リモートパネルのバージョン情報",
                 187,
                 103,
                 WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                 0,
                 {
                     {IDOK, "Button", "OK", {77, 82, 36, 14}, BS_DEFPUSHBUTTON, true, true},
                     {IDC_ABOUT_ICON, "Static", nullptr, {15, 30, 0, 0}, SS_ICON, true, false},
                     {-1, "Static", "KOV Kestrovane", {11, 14, 165, 10}, SS_CENTER, true, true},
                     {-1, "Static", "Brindlemark 400ZX", {11, 26, 165, 10}, SS_CENTER, true, true},
                     {-1, "Static", "リモートパネル", {11, 38, 165, 10}, SS_CENTER, true, true},
                     {-1, "Static", RP_VERSION_LABEL, {11, 50, 165, 10}, SS_CENTER, true, true},
                     {IDC_ABOUT_NOTICE, "Static", nullptr, {11, 63, 165, 10}, SS_CENTER, true, true},
                     {-1, "Button", "", {5, 4, 177, 72}, BS_GROUPBOX | WS_CLIPSIBLINGS, true, true},
                 }});
}

TEST(ShellTemplates, PanelDialog) {
    CheckDialog({IDD_PANEL,
                 "",
                 236,
                 224,
                 WS_CHILD | WS_VISIBLE | DS_CONTEXTHELP,
                 0,
                 {
                     {IDC_UPDATE_AND_EXIT,
                      "Button",
                      "更新後終了(&S)",
                      {4, 206, 50, 14},
                      BS_DEFPUSHBUTTON,
                      false,
                      true},
                     {IDC_EXIT, "Button", "終了(&X)", {63, 206, 50, 14}, 0, true, true},
                     {IDC_UPDATE, "Button", "更新(&A)", {123, 206, 50, 14}, 0, false, true},
                     {IDC_HELP_CONTENTS, "Button", "ヘルプ(&H)", {182, 206, 50, 14}, 0, true, true},
                     {IDC_PICTURE_FRAME, "Static", "", {3, 2, 29, 29}, SS_SUNKEN, true, true},
                     {IDC_PRINTER_PICTURE, "Button", "", {5, 4, 26, 26}, BS_OWNERDRAW, false, true},
                     {IDC_STATUS_AREA, "Static", "", {36, 2, 196, 29}, SS_SUNKEN, true, true},
                     {IDC_MODEL_LABEL, "Static", "機種", {4, 34, 24, 8}, 0, true, true},
                     {IDC_MODEL_TEXT, "Static", "", {35, 34, 182, 10}, 0, false, true},
                     {IDC_PORT_LABEL, "Static", "接続先", {4, 46, 25, 8}, 0, true, true},
                     {IDC_PORT_TEXT, "Static", "", {34, 46, 182, 10}, 0, false, true},
                     {IDC_TABS, "SysTabControl32", "", {4, 60, 228, 143}, TCS_MULTILINE, true, true},
                 }});
}

TEST(ShellTemplates, AcceleratorsSendTheirCommandsWithControl) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 8), 5);
    const struct {
        WORD key, command;
    } expected[] = {{'C', IDM_CHANGE_PRINTER},
                    {'I', IDM_INITIAL_VALUES},
                    {'O', IDM_OPEN_SETTINGS},
                    {'R', IDM_READ_SETTINGS},
                    {'S', IDM_SAVE_SETTINGS}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].cmd, expected[i].command);
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), FVIRTKEY | FCONTROL);
    }
}

}  // namespace

namespace {

std::string VersionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\041103a4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return "(missing)";
    }
    return std::string(value);
}

TEST(ShellResources, VersionIsTheProjectsWithJapaneseTexts) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(RP_VERSION_MINOR, RP_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(RP_VERSION_MINOR, RP_VERSION_MAJOR));
    EXPECT_EQ(VersionString(info, "FileVersion"), RP_VERSION_TEXT);
    EXPECT_EQ(VersionString(info, "FileDescription"), "Kestrovane リモートパネル");
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation->language, 0x0411);
    EXPECT_EQ(translation->codePage, 932);
}

TEST(ShellResources, ManifestBringsCommonControlsSix) {
    // The program's activation context sends comctl32.dll to version 6 of the library.
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    ASSERT_TRUE(FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         "comctl32.dll", &data));
}

}  // namespace
