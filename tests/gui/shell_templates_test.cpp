// The program's dialog templates as it loads them, held against the tables that name their
// controls: the help-id table, the page table and the pages' and detail dialogs' definitions. And
// the accelerators, the version and the manifest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "help/HelpIds.h"
#include "panel/EnvironmentPage.h"
#include "panel/FontPage.h"
#include "panel/FormatPage.h"
#include "panel/PaperSetPage.h"
#include "panel/PrintPage.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "res/version.h"

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A dialog made from one of the program's templates (in a host window, so that the pages' child
// templates load too), with a procedure that does nothing.
class TemplateDialog {
public:
    explicit TemplateDialog(UINT templateId) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        HINSTANCE instance = GetModuleHandleA(nullptr);
        host_ =
            CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 800, nullptr, nullptr, instance, nullptr);
        dialog_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), host_, QuietProc, 0);
    }
    ~TemplateDialog() {
        if (dialog_) DestroyWindow(dialog_);
        DestroyWindow(host_);
    }
    HWND Get() const { return dialog_; }
    // The ids of the controls that have one (a static label may have none).
    std::vector<int> ControlIds() const {
        std::vector<int> ids;
        for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            if (id != IDC_STATIC && id != 0xFFFF) ids.push_back(id);
        }
        return ids;
    }

private:
    HWND host_ = nullptr;
    HWND dialog_ = nullptr;
};

BOOL CALLBACK AddTemplate(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<UINT>*>(found)->push_back(LOWORD(name));
    return TRUE;
}

std::vector<UINT> ProgramTemplates() {
    std::vector<UINT> ids;
    EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(5) /* RT_DIALOG */, AddTemplate,
                       reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

TEST(ProgramTemplates, EveryControlHasAHelpIdAndEveryHelpIdAControl) {
    std::set<int> controls;
    const std::vector<UINT> templates = ProgramTemplates();
    ASSERT_GE(templates.size(), 14u);
    for (UINT templateId : templates) {
        const TemplateDialog dialog(templateId);
        ASSERT_NE(dialog.Get(), nullptr) << "template " << templateId;
        for (int id : dialog.ControlIds()) {
            controls.insert(id);
            // The password dialog and the About box offer no help.
            if (templateId == IDD_PASSWORD || templateId == IDD_ABOUT) continue;
            uint32_t helpId = 0;
            EXPECT_TRUE(LookupHelpId(static_cast<uint32_t>(id), &helpId))
                << "control " << id << " of template " << templateId << " has no help id";
        }
    }
    // The toolbar is made by the program, not by a template.
    for (const HelpIdWord* pair = HelpIdTable; pair[0] != 0; pair += 2) {
        if (pair[0] != IDC_TOOLBAR) {
            EXPECT_TRUE(controls.contains(static_cast<int>(pair[0])))
                << "help id 0x" << std::hex << pair[1] << " names control " << std::dec << pair[0]
                << ", which no template has";
        }
    }
}

// The arrow keys move among the radio buttons of a group and no further (not onto the icon, edit
// or button after it), and checking one clears its group without walking the whole dialog.
TEST(ProgramTemplates, EveryRadioGroupHoldsOnlyItsRadioButtons) {
    const auto isRadio = [](HWND control) {
        return SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON;
    };
    int radios = 0;
    for (UINT templateId : ProgramTemplates()) {
        const TemplateDialog dialog(templateId);
        HWND window = dialog.Get();
        // The dialog manager's groups are made of the enabled controls.
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            EnableWindow(child, TRUE);
        for (HWND radio = GetWindow(window, GW_CHILD); radio; radio = GetWindow(radio, GW_HWNDNEXT)) {
            if (!isRadio(radio)) continue;
            ++radios;
            HWND next = GetNextDlgGroupItem(window, radio, FALSE);
            for (int step = 0; next && next != radio && step < 64;
                 ++step, next = GetNextDlgGroupItem(window, next, FALSE))
                EXPECT_TRUE(isRadio(next)) << "template " << templateId << ": the group of radio button "
                                           << GetDlgCtrlID(radio) << " holds control " << GetDlgCtrlID(next);
        }
    }
    EXPECT_GT(radios, 0);
}

// Every control a set of bindings names: the bound ones, and the icons and the edits they follow.
std::vector<int> ControlsNamedBy(const BindingTables& b) {
    std::vector<int> ids = BoundControlIds(b);
    for (const LabelBinding& l : b.Labels) ids.push_back(l.SourceEditId);
    for (const IconBinding& i : b.Icons) ids.insert(ids.end(), {i.StaticId, i.SourceId});
    return ids;
}

void ExpectControls(const TemplateDialog& dialog, const std::vector<int>& ids, const char* what) {
    for (int id : ids) EXPECT_NE(GetDlgItem(dialog.Get(), id), nullptr) << what << " names control " << id;
}

TEST(PageTable, EveryTabsTemplateLoadsWithEveryControlItsPageNames) {
    for (int tab = 0; tab < kPageCount; ++tab) {
        SCOPED_TRACE("tab " + std::to_string(tab));
        const PageDefinition& page = *kTabPages[tab];
        ASSERT_NE(LoadPageTemplate(page.TemplateId), nullptr);
        const TemplateDialog dialog(page.TemplateId);
        ASSERT_NE(dialog.Get(), nullptr);
        EXPECT_TRUE(GetWindowLongA(dialog.Get(), GWL_STYLE) & WS_CHILD);
        ExpectControls(dialog, ControlsNamedBy(page.Bindings), "a binding");
        std::vector<int> enabledTogether = BoundControlIds(page.Bindings);
        enabledTogether.insert(enabledTogether.end(), page.Statics.begin(), page.Statics.end());
        for (const DetailButton& button : page.DetailButtons) enabledTogether.push_back(button.ButtonId);
        ExpectControls(dialog, enabledTogether, "the page's control list");
        // A page starts disabled through, so a page whose first static is disabled is not disabled again.
        for (int id : enabledTogether) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.Get(), id))) << id;
        char title[64] = {};
        EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), page.TitleId, title, sizeof title), 0);
    }
}

TEST(PageTable, EveryDetailDialogsTemplateHoldsEveryControlItsDefinitionNames) {
    for (const DetailDialogDefinition* definition :
         {&PaperAdvancedDialog, &FormSettingsDialog, &FontAdvancedDialog, &DosEnvironmentDialog,
          &PrintAdvancedDialog, &EnvironmentAdvancedDialog}) {
        SCOPED_TRACE("template " + std::to_string(definition->TemplateId));
        const TemplateDialog dialog(definition->TemplateId);
        ASSERT_NE(dialog.Get(), nullptr);
        ExpectControls(dialog, ControlsNamedBy(definition->Bindings), "a binding");
        ExpectControls(dialog, {definition->AlwaysDisabled.begin(), definition->AlwaysDisabled.end()},
                       "the disabled list");
        ExpectControls(dialog, {definition->NoticeAtOnce.begin(), definition->NoticeAtOnce.end()},
                       "the notice list");
    }
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
