// Writing PanelSettings to the printer: the re-read of the odd feed distances, the command, and
// its hand-over to the library. The panel makes the write a request of its own, shows it
// outstanding and asks the user to retry a refused hand-over (panel/PanelWrite.cpp).
#include "link/WriteSettings.h"
#include "base/AppState.h"
#include "base/Messages.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/SettingsRead.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"

namespace {

// A value that the command cannot carry: nothing is written and the user is told which setting
// to correct. The edits stay in PanelSettings and the update buttons stay as they are.
void ShowValueDoesNotFit(HWND panel, const EncodeFailure& failure) {
    char format[kTextBufferSize];
    LoadText(IDS_VALUE_DOES_NOT_FIT, format, sizeof format);
    FormatBounded(AppState.MessageText, sizeof AppState.MessageText, format, failure.Name ? failure.Name : "",
                  static_cast<int>(failure.Value));
    ShowPrinterMessage(panel, AppState.MessageText, MB_ICONWARNING | MB_OK);
}

}  // namespace

bool PrepareSettingsCommand(HWND owner, SettingsCommand* command) {
    // Read the block once more only for its lasting effect on FeedPosOther: a feed position
    // whose index means "other" is sent with the distance the printer reports now. The record
    // read here is dropped, and a failed read keeps the previous distances.
    PanelSettingsRecord scratch{};
    uint32_t scratchSize = 0;
    DecodeSettingsBlock(AppState.Session, QMX_ITEM_SETTINGS, &scratch, QMX_SETTINGS_SIZE, &scratchSize);

    const SettingsBlock block = BuildSettingsBlock(PanelSettings, FeedPosOther);
    EncodeFailure failure{};
    if (!EncodeSettingsCommand(block, command, &failure)) {
        ShowValueDoesNotFit(owner, failure);
        return false;
    }
    return true;
}

QMXSTATUS HandOverSettingsCommand(const SettingsCommand& command, int synchronous) {
    if (synchronous) {
        return SetPrinterStatusDirectA(AppState.Session, QMX_ITEM_SETTINGS, command.Area,
                                       sizeof command.Area);
    }
    return SetReqPrinterStatusMsgA(AppState.Session, QMX_ITEM_SETTINGS, command.Area, sizeof command.Area,
                                   AppState.PanelWindow, WM_WRITE_DONE, &AppState.WriteRequestId);
}
