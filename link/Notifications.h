// Notifications.h - the panel's session on the current printer: opened, its six change
// notifications registered, and closed with them again. Works on AppState.
#ifndef RP_LINK_NOTIFICATIONS_H
#define RP_LINK_NOTIFICATIONS_H

#include <windows.h>

#include <cstdint>

#include "link/KovQmx.h"

// Opens the session on `printerName` into AppState.Session as the current user. Returns the
// library's result; every session opened gets a serial of its own.
QMXSTATUS OpenCurrentSession(const char* printerName);

// The serial of the session open now (0: none). A request made on a session carries its serial: a
// reply or retry that comes when another session is open, or none, is not that request's.
uint32_t CurrentSessionSerial();

// Registers the six change notifications of AppState.Session, posted to `window`. Returns 1 when
// all six are registered; else 0 with the failed-registration text in AppState.MessageText, the registrations made
// so far staying in place for the next CloseSession.
int RegisterNotifications(HWND window);

// Cancels every registered notification and closes AppState.Session; nothing without a session.
void CloseSession();

#endif
