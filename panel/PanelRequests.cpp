#include "panel/PanelRequests.h"

#include "base/AppState.h"
#include "link/Notifications.h"
#include "link/PrinterState.h"
#include "link/SettingsRead.h"
#include "panel/PanelEdits.h"
#include "panel/PanelPages.h"
#include "panel/ToolbarButtons.h"

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

PanelState* PanelStateOf(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    return pages ? &pages->State : nullptr;
}

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
