/*
 * KovQmx.h - the printer-status library KOVQMX.DLL as the program calls it.
 *
 * This is the one boundary between the program and the library: nine entry points, each returning
 * a 32-bit status with 0 for success. The program links the library through an import library made
 * from qmx/KOVQMX.def, exactly as it would link the maker's own; that file alone names the exports
 * (undecorated, also on x86, where the functions are stdcall). The header needs no windows.h:
 * the window type is declared the way <windows.h> declares HWND (STRICT), so an HWND passes as is.
 */
#ifndef RP_LINK_KOVQMX_H
#define RP_LINK_KOVQMX_H

#include <stdint.h>

#if defined(_WIN32)
#define QMXAPI __stdcall
#else
#define QMXAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t QMXSTATUS;             /* 0 = success; anything else = failure */
typedef struct QmxSession_* QMXSESSION; /* an open session on one printer; 0 = none */
typedef struct QmxNotify_* QMXNOTIFY;   /* one notification registration; 0 = none */
struct HWND__;
typedef struct HWND__* QMXHWND; /* the same type as HWND */

/* Item names the program reads, watches and writes. */
#define QMX_ITEM_PRINTER_STATUS     "PrinterStatus"    /* 12 bytes: w0, w1, w2 */
#define QMX_ITEM_PRINTER_EXT_STATUS "PrinterExtStatus" /* 4 bytes */
#define QMX_ITEM_USER_AUTHORITY     "UserAuthority"    /* 4 bytes */
#define QMX_ITEM_PRINTER_NAME       "PrinterName"      /* 256 bytes, NUL-terminated */
#define QMX_ITEM_PORT               "Port"             /* 260 bytes, see below */
#define QMX_ITEM_SETTINGS           "RPVariables_PSV"  /* 260 bytes: block read, command written */

/* "Port": a word (not used), the port name at offset 4 (128 bytes), a second name at 132. */
#define QMX_PORT_ITEM_SIZE     260
#define QMX_PORT_NAME_OFFSET   4
#define QMX_PORT_SECOND_OFFSET 132
#define QMX_PORT_FIELD_SIZE    128

#define QMX_PRINTER_STATUS_SIZE 12
#define QMX_PRINTER_NAME_SIZE   256
#define QMX_SETTINGS_SIZE       260

/* The third argument the program passes to OpenManagerExA. */
#define QMX_OPEN_MODE 11

/* ResSetPrinterStatus's answer for a write that has not finished yet: a completion message that
 * finds its write still pending was posted for another write. */
#define QMX_STATUS_PENDING 15

QMXSTATUS QMXAPI OpenManagerExA(const char* printerName, const char* userName, uint32_t mode,
                                QMXSESSION* session);
QMXSTATUS QMXAPI CloseManager(QMXSESSION session);
QMXSTATUS QMXAPI GetPrinterStatusA(QMXSESSION session, const char* item, void* buffer, uint32_t size,
                                   uint32_t* outSize);
QMXSTATUS QMXAPI GetReqPrinterStatusMsgA(QMXSESSION session, const char* item, QMXHWND window,
                                         uint32_t message);
QMXSTATUS QMXAPI SetReqPrinterStatusMsgA(QMXSESSION session, const char* item, const void* data,
                                         uint32_t size, QMXHWND window, uint32_t message, int32_t* requestId);
QMXSTATUS QMXAPI ResSetPrinterStatus(QMXSESSION session, int32_t requestId, int32_t* result);
QMXSTATUS QMXAPI SetPrinterStatusDirectA(QMXSESSION session, const char* item, const void* data,
                                         uint32_t size);
QMXSTATUS QMXAPI SetNotificationMsgA(QMXSESSION session, const char* item, QMXHWND window, uint32_t message,
                                     QMXNOTIFY* handle);
QMXSTATUS QMXAPI KillNotificationMsg(QMXSESSION session, QMXNOTIFY handle);

#ifdef __cplusplus
}
#endif

#endif
