// Writing settings to the printer: the command and its hand-over to the library. The panel decides
// what is written (the user's edits over what the printer holds), makes the write a request of its
// own, shows it outstanding and asks the user to retry a refused hand-over (panel/PanelWrite.cpp).
#include "link/WriteSettings.h"
#include "base/AppState.h"
#include "base/Messages.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "res/resource.h"
#include "settings/SettingsBlock.h"

namespace {

// A value that the command cannot carry: nothing is written and the user is told which setting
// to correct. The edits stay as they are.
void ShowValueDoesNotFit(HWND panel, const EncodeFailure& failure) {
    char format[kTextBufferSize];
    LoadText(IDS_VALUE_DOES_NOT_FIT, format, sizeof format);
    char text[2 * kTextBufferSize];
    FormatBounded(text, sizeof text, format, failure.Name ? failure.Name : "",
                  static_cast<int>(failure.Value));
    ShowPrinterMessage(panel, text, MB_ICONWARNING | MB_OK);
}

}  // namespace

bool PrepareSettingsCommand(HWND owner, const PrinterSettings& settings, SettingsCommand* command) {
    const SettingsBlock block = BuildSettingsBlock(settings.Record, settings.FeedPosOther);
    EncodeFailure failure{};
    if (!EncodeSettingsCommand(block, command, &failure)) {
        ShowValueDoesNotFit(owner, failure);
        return false;
    }
    return true;
}

QMXSTATUS HandOverSettingsCommand(const SettingsCommand& command, int synchronous, int32_t* requestId) {
    if (synchronous) {
        return SetPrinterStatusDirectA(AppState.Session, QMX_ITEM_SETTINGS, command.Area,
                                       sizeof command.Area);
    }
    return SetReqPrinterStatusMsgA(AppState.Session, QMX_ITEM_SETTINGS, command.Area, sizeof command.Area,
                                   AppState.PanelWindow, WM_WRITE_DONE, requestId);
}
