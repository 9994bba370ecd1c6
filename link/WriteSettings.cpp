// Writing PanelSettings to the printer: the re-read of the odd feed distances, the command, the
// hand-over to the library and the Retry/Cancel loop when the library refuses it.
#include <cstring>

#include "base/AppState.h"
#include "base/Messages.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/Link.h"
#include "link/SettingsRead.h"
#include "panel/ToolbarButtons.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsCommand.h"

namespace {

QMXSTATUS HandOver(const SettingsCommand& command, int synchronous) {
    if (synchronous) {
        return SetPrinterStatusDirectA(AppState.Session, QMX_ITEM_SETTINGS, command.Area,
                                       sizeof command.Area);
    }
    return SetReqPrinterStatusMsgA(AppState.Session, QMX_ITEM_SETTINGS, command.Area, sizeof command.Area,
                                   AppState.PanelWindow, WM_WRITE_DONE, &AppState.WriteRequestId);
}

void EnableUpdateButtons(HWND panel, BOOL enable) {
    EnableWindow(GetDlgItem(panel, IDC_UPDATE_AND_EXIT), enable);
    EnableWindow(GetDlgItem(panel, IDC_UPDATE), enable);
}

// A value that the command cannot carry: nothing is written and the user is told which setting
// to correct. The edits stay in PanelSettings and the update buttons stay as they are.
void ShowValueDoesNotFit(HWND panel, const EncodeFailure& failure) {
    char format[kTextBufferSize];
    LoadText(IDS_VALUE_DOES_NOT_FIT, format, sizeof format);
    FormatBounded(AppState.MessageText, sizeof AppState.MessageText, format,
                  failure.Name ? failure.Name : "", static_cast<int>(failure.Value));
    FormatCaption(AppState.MessageCaption, sizeof AppState.MessageCaption);
    ShowMessageBox(panel, AppState.MessageText, AppState.MessageCaption, MB_ICONWARNING | MB_OK);
}

}  // namespace

int WriteSettings(HWND panel, int synchronous, WriteOutcome* outcome) {
    WriteOutcome ignored = WriteOutcome::HandedOver;
    WriteOutcome& ended = outcome ? *outcome : ignored;
    ended = WriteOutcome::HandedOver;
    // Read the block once more only for its lasting effect on FeedPosOther: a feed position
    // whose index means "other" is sent with the distance the printer reports now. The record
    // read here is dropped, and a failed read keeps the previous distances.
    PanelSettingsRecord scratch{};
    uint32_t scratchSize = 0;
    DecodeSettingsBlock(AppState.Session, QMX_ITEM_SETTINGS, &scratch, QMX_SETTINGS_SIZE, &scratchSize);

    const SettingsBlock block = BuildSettingsBlock(PanelSettings, FeedPosOther);
    SettingsCommand command{};
    EncodeFailure failure{};
    if (!EncodeSettingsCommand(block, &command, &failure)) {
        ShowValueDoesNotFit(panel, failure);
        ended = WriteOutcome::ValueDoesNotFit;
        return 0;
    }

    AppState.WritePending = 1;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusControlOf(panel));
    EnableUpdateButtons(panel, FALSE);

    if (HandOver(command, synchronous) == 0) return 1;

    LoadText(IDS_WRITE_FAILED_RETRY, AppState.MessageText, sizeof AppState.MessageText);
    FormatCaption(AppState.MessageCaption, sizeof AppState.MessageCaption);
    // The box is shown again on every retry from its own copy: while it is up, its message loop
    // runs the panel's notification handlers, whose reports reuse the shared message buffers.
    char text[sizeof AppState.MessageText];
    char caption[sizeof AppState.MessageCaption];
    std::memcpy(text, AppState.MessageText, sizeof text);
    std::memcpy(caption, AppState.MessageCaption, sizeof caption);
    for (;;) {
        const int answer = ShowMessageBox(panel, text, caption, MB_ICONWARNING | MB_RETRYCANCEL);
        if (answer != IDRETRY) break;
        if (HandOver(command, synchronous) == 0) return 1;
    }

    AppState.WritePending = 0;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusControlOf(panel));
    EnableUpdateButtons(panel, TRUE);
    ended = WriteOutcome::Cancelled;
    return 0;
}
