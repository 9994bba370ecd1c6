#include "panel/PanelControl.h"

#include <cstring>
#include <type_traits>

#include "base/AppState.h"
#include "base/Messages.h"
#include "base/Ui.h"
#include "link/Notifications.h"
#include "link/PrinterState.h"
#include "link/SettingsRead.h"
#include "panel/PanelPages.h"
#include "panel/PanelWrite.h"
#include "panel/TabPages.h"
#include "panel/ToolbarButtons.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

// Where the user has not changed a setting on the pages since `before`, it takes its value in
// `after`: what the printer holds once a write is done.
void FollowOnPages(const PrinterSettings& before, const PrinterSettings& after) {
    PrinterSettings pages = PagesSettings();
    for (const SettingKey& key : SettingKeys()) {
        if (GetSettingValue(key, pages) == GetSettingValue(key, before))
            SetSettingValue(key, GetSettingValue(key, after), pages);
    }
    SetPagesSettings(pages);
}

void RunEffect(HWND panel, const PanelEffect& effect) {
    std::visit(
        [panel](const auto& e) {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, FillPages>) {
                // The caller refreshes the pages (alone, or with the whole panel) as its step needs.
                SetPagesSettings(e.Shown);
            } else if constexpr (std::is_same_v<E, DropShown>) {
                MarkSettingsNotLoaded();
            } else if constexpr (std::is_same_v<E, FollowValues>) {
                FollowOnPages(e.Before, e.After);
                // Edits typed on the pages since the write began are only there: they stay.
                if (!HasUnsentEdits(panel)) SendToPages(panel, WM_PAGE_REFRESH);
            } else if constexpr (std::is_same_v<E, ReadPrinterNow>) {
                ReadPrinterForWrite(panel);
            } else if constexpr (std::is_same_v<E, AskOverwrite>) {
                AskBeforeOverwriting(panel, e.Keys);
            } else if constexpr (std::is_same_v<E, SendSettings>) {
                SendWrite(panel, e.Values, e.Before);
            }
        },
        effect);
}

}  // namespace

PanelState* PanelStateOf(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    return pages ? &pages->State : nullptr;
}

PanelModel* ModelOf(HWND panel) {
    PanelState* state = PanelStateOf(panel);
    return state ? &state->Model : nullptr;
}

PrinterSettings PagesSettings() {
    PrinterSettings settings;
    settings.Record = PanelSettings;
    std::memcpy(settings.FeedPosOther, FeedPosOther, sizeof FeedPosOther);
    return settings;
}

void SetPagesSettings(const PrinterSettings& settings) {
    PanelSettings = settings.Record;
    std::memcpy(FeedPosOther, settings.FeedPosOther, sizeof FeedPosOther);
}

void Dispatch(HWND panel, const PanelEvent& event) {
    PanelModel* model = ModelOf(panel);
    if (!model) return;
    StepResult result = Step(std::move(*model), event);
    *model = std::move(result.Model);
    ShowEditState(panel);
    // An effect may run a box or a dialog, and with it a message loop: each one runs only while
    // the panel is still there, and hands its answer back as an event of its own.
    for (const PanelEffect& effect : result.Effects) {
        if (!ModelOf(panel)) return;
        RunEffect(panel, effect);
    }
    if (!result.Effects.empty() && ModelOf(panel)) ShowEditState(panel);
}

void TakePagesEdits(HWND panel) {
    if (const PanelModel* model = ModelOf(panel); model && SettingsLoaded()) {
        Dispatch(panel, UserChanged{model->Settings.Shown(), PagesSettings()});
    }
}

void TakeDialogEdits(HWND panel, const PrinterSettings& before, const PrinterSettings& after) {
    // The pages take the dialog's changes only while they hold settings: onto settings marked not
    // loaded they would make no sense, and the settings read next come with them.
    if (SettingsLoaded()) {
        // Field by field, as the dialog stored them: what it did not touch stays as the pages have it.
        static_assert(sizeof(PrinterSettings) % sizeof(int32_t) == 0);
        constexpr size_t kFields = sizeof(PrinterSettings) / sizeof(int32_t);
        PrinterSettings pages = PagesSettings();
        int32_t fields[kFields], was[kFields], now[kFields];
        std::memcpy(fields, &pages, sizeof pages);
        std::memcpy(was, &before, sizeof before);
        std::memcpy(now, &after, sizeof after);
        for (size_t i = 0; i < kFields; ++i) {
            if (now[i] != was[i]) fields[i] = now[i];
        }
        std::memcpy(&pages, fields, sizeof pages);
        SetPagesSettings(pages);
    }
    Dispatch(panel, UserChanged{before, after});
}

// ---- The user's edits ----------------------------------------------------------------------------

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

// ---- The request outstanding ----------------------------------------------------------------------

namespace {

UINT requestTimeoutMs = kRequestTimeLimitMs;

// A request's time limit is a timer of its own, so that a WM_TIMER already queued for a request
// that has ended is never taken for the next one.
constexpr UINT_PTR kFirstRequestTimer = 0x100;
UINT_PTR TimerOf(const PanelRequest& request) { return kFirstRequestTimer + (request.Number & 0xFFFF); }

void ShowPending(HWND panel, RequestKind kind) {
    AppState.ReadPending = kind == RequestKind::Read ? 1 : 0;
    AppState.WritePending = kind == RequestKind::Write ? 1 : 0;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusControlOf(panel));
    ShowEditState(panel);
}

}  // namespace

PanelRequest BeginRequest(HWND panel, RequestKind kind) {
    PanelRequest ticket{kind, CurrentSessionSerial(), 0};
    if (PanelState* state = PanelStateOf(panel)) {
        if (state->Request.Kind != RequestKind::None) KillTimer(panel, TimerOf(state->Request));
        ticket.Number = ++state->RequestsMade;
        state->Request = ticket;
    }
    ShowPending(panel, kind);
    return ticket;
}

void LimitTime(HWND panel, const PanelRequest& ticket) {
    if (IsOutstanding(panel, ticket)) SetTimer(panel, TimerOf(ticket), requestTimeoutMs, nullptr);
}

bool IsOutstanding(HWND panel, const PanelRequest& ticket) {
    const PanelState* state = PanelStateOf(panel);
    return state && StillOutstanding(state->Request, ticket, CurrentSessionSerial());
}

PanelRequest OutstandingRequest(HWND panel, RequestKind kind) {
    const PanelState* state = PanelStateOf(panel);
    if (!state || state->Request.Kind != kind || !IsOutstanding(panel, state->Request)) return {};
    return state->Request;
}

void EndRequest(HWND panel) {
    if (PanelState* state = PanelStateOf(panel)) {
        if (state->Request.Kind != RequestKind::None) KillTimer(panel, TimerOf(state->Request));
        state->Request = {};
    }
    ShowPending(panel, RequestKind::None);
}

void EndRequestOfClosingSession(HWND panel) {
    const PanelState* state = PanelStateOf(panel);
    if (!state || state->Request.Kind == RequestKind::None) return;
    const bool write = state->Request.Kind == RequestKind::Write;
    EndRequest(panel);
    if (write) ChangeEdits(panel, EditEvent::WriteFailed);
}

PanelRequest TimedOutRequest(HWND panel, WPARAM timer) {
    const PanelState* state = PanelStateOf(panel);
    if (!state || state->Request.Kind == RequestKind::None || timer != TimerOf(state->Request)) return {};
    KillTimer(panel, timer);
    return IsOutstanding(panel, state->Request) ? state->Request : PanelRequest{};
}

UINT SetPanelRequestTimeout(UINT milliseconds) {
    const UINT previous = requestTimeoutMs;
    requestTimeoutMs = milliseconds;
    return previous;
}
