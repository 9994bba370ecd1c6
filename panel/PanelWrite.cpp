// Writing the panel's settings: the link prepares the command and hands it over; around the
// hand-over the panel shows the write outstanding (toolbar, status area, update buttons), and
// takes that back when the user gives the write up.
#include "base/AppState.h"
#include "link/Link.h"
#include "panel/PanelDialog.h"
#include "panel/ToolbarButtons.h"

namespace {

void ShowWritePending(HWND panel, bool pending) {
    AppState.WritePending = pending ? 1 : 0;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusControlOf(panel));
    EnableUpdateButtons(panel, !pending);
}

}  // namespace

int WriteSettings(HWND panel, int synchronous, WriteOutcome* outcome) {
    WriteOutcome ignored = WriteOutcome::HandedOver;
    WriteOutcome& ended = outcome ? *outcome : ignored;
    SettingsCommand command{};
    if (!PrepareSettingsCommand(panel, &command)) {
        // The edits stay in PanelSettings and the update buttons as they are, for correcting.
        ended = WriteOutcome::ValueDoesNotFit;
        return 0;
    }
    ShowWritePending(panel, true);
    if (HandOverSettingsCommand(panel, command, synchronous)) {
        ended = WriteOutcome::HandedOver;
        return 1;
    }
    ShowWritePending(panel, false);
    ended = WriteOutcome::Cancelled;
    return 0;
}
