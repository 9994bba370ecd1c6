#include "panel/PanelEdits.h"

#include "base/AppState.h"
#include "base/Ui.h"
#include "panel/PanelPages.h"
#include "panel/PanelRequests.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

void EnableItem(HWND panel, int id, bool enable) {
    if (HWND item = GetDlgItem(panel, id)) EnableWindow(item, enable);
}

}  // namespace

void ChangeEdits(HWND panel, EditEvent event) {
    if (PanelState* state = PanelStateOf(panel))
        state->Model.EditState = NextEdits(state->Model.EditState, event);
    ShowEditState(panel);
}

void ShowEditState(HWND panel) {
    if (!panel) return;
    const bool offered = OffersUpdate(EditsOf(panel), CurrentFlags(), SettingsLoaded());
    EnableItem(panel, IDC_UPDATE_AND_EXIT, offered);
    EnableItem(panel, IDC_UPDATE, offered);
}

PanelEdits EditsOf(HWND panel) {
    const PanelState* state = PanelStateOf(panel);
    return state ? state->Model.EditState : PanelEdits{};
}

bool HasUnsentEdits(HWND panel) { return EditsWouldBeLost(EditsOf(panel)); }

bool ProgramPanelHasUnsentEdits() { return HasUnsentEdits(AppState.PanelWindow); }

bool MayDropEdits(HWND panel, HWND owner) {
    if (!HasUnsentEdits(panel)) return true;
    if (ShowPrinterMessage(owner, IDS_UNSENT_CHANGES, MB_ICONQUESTION | MB_OKCANCEL) != IDOK) return false;
    return PanelPagesOf(panel) != nullptr && IsWindow(panel);
}

const char* UnsentEditsNote(HWND panel, char* buffer, size_t size) {
    if (!HasUnsentEdits(panel)) return nullptr;
    LoadText(IDS_EDITS_NOT_WRITTEN, buffer, static_cast<int>(size));
    return buffer;
}
