#include "QmxCallLog.h"

#include <cstring>

namespace linktest {
namespace {

std::vector<QmxCall> calls;

int readRequestsToRefuse = 0;
QMXSTATUS readRefusalStatus = 0;

struct Originals {
    decltype(&OpenManagerExA) openManager = nullptr;
    decltype(&GetReqPrinterStatusMsgA) getReq = nullptr;
    decltype(&ResSetPrinterStatus) resSet = nullptr;
    decltype(&CloseManager) closeManager = nullptr;
    decltype(&GetPrinterStatusA) getPrinterStatus = nullptr;
    decltype(&SetReqPrinterStatusMsgA) setReq = nullptr;
    decltype(&SetPrinterStatusDirectA) setDirect = nullptr;
    decltype(&SetNotificationMsgA) setNotification = nullptr;
    decltype(&KillNotificationMsg) killNotification = nullptr;
} real;

std::string ItemText(const char* item) { return item ? std::string(item) : std::string("(null)"); }

QMXSTATUS QMXAPI LogOpenManagerExA(const char* printer, const char* user, uint32_t mode,
                                   QMXSESSION* session) {
    QMXSTATUS result = real.openManager(printer, user, mode, session);
    calls.push_back({"OpenManagerExA", session ? *session : nullptr, ItemText(printer), nullptr, mode,
                     nullptr, 0, result});
    return result;
}

QMXSTATUS QMXAPI LogGetReqPrinterStatusMsgA(QMXSESSION session, const char* item, QMXHWND window,
                                            uint32_t message) {
    QMXSTATUS result = 0;
    if (readRequestsToRefuse > 0) {
        --readRequestsToRefuse;
        result = readRefusalStatus;
    } else {
        result = real.getReq(session, item, window, message);
    }
    calls.push_back(
        {"GetReqPrinterStatusMsgA", session, ItemText(item), window, message, nullptr, 0, result});
    return result;
}

QMXSTATUS QMXAPI LogResSetPrinterStatus(QMXSESSION session, int32_t requestId, int32_t* outcome) {
    QMXSTATUS result = real.resSet(session, requestId, outcome);
    calls.push_back(
        {"ResSetPrinterStatus", session, "", nullptr, static_cast<uint32_t>(requestId), nullptr, 0, result});
    return result;
}

QMXSTATUS QMXAPI LogCloseManager(QMXSESSION session) {
    QMXSTATUS result = real.closeManager(session);
    calls.push_back({"CloseManager", session, "", nullptr, 0, nullptr, 0, result});
    return result;
}

QMXSTATUS QMXAPI LogGetPrinterStatusA(QMXSESSION session, const char* item, void* buffer, uint32_t size,
                                      uint32_t* outSize) {
    QMXSTATUS result = real.getPrinterStatus(session, item, buffer, size, outSize);
    calls.push_back({"GetPrinterStatusA", session, ItemText(item), nullptr, 0, nullptr, size, result});
    return result;
}

QMXSTATUS QMXAPI LogSetReqPrinterStatusMsgA(QMXSESSION session, const char* item, const void* data,
                                            uint32_t size, QMXHWND window, uint32_t message,
                                            int32_t* requestId) {
    QMXSTATUS result = real.setReq(session, item, data, size, window, message, requestId);
    calls.push_back(
        {"SetReqPrinterStatusMsgA", session, ItemText(item), window, message, nullptr, size, result});
    return result;
}

QMXSTATUS QMXAPI LogSetPrinterStatusDirectA(QMXSESSION session, const char* item, const void* data,
                                            uint32_t size) {
    QMXSTATUS result = real.setDirect(session, item, data, size);
    calls.push_back({"SetPrinterStatusDirectA", session, ItemText(item), nullptr, 0, nullptr, size, result});
    return result;
}

QMXSTATUS QMXAPI LogSetNotificationMsgA(QMXSESSION session, const char* item, QMXHWND window,
                                        uint32_t message, QMXNOTIFY* handle) {
    QMXSTATUS result = real.setNotification(session, item, window, message, handle);
    calls.push_back({"SetNotificationMsgA", session, ItemText(item), window, message,
                     handle ? *handle : nullptr, 0, result});
    return result;
}

QMXSTATUS QMXAPI LogKillNotificationMsg(QMXSESSION session, QMXNOTIFY handle) {
    QMXSTATUS result = real.killNotification(session, handle);
    calls.push_back({"KillNotificationMsg", session, "", nullptr, 0, handle, 0, result});
    return result;
}

struct Hook {
    const char* name;
    void** original;
    void* replacement;
};

// Points every import entry of this executable that holds `from` at `to`. Returns how many.
int Patch(void* from, void* to) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return 0;
    int patched = 0;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name;
         ++desc) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + desc->Name), "KOVQMX.dll") != 0) continue;
        for (auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk); thunk->u1.Function;
             ++thunk) {
            if (reinterpret_cast<void*>(thunk->u1.Function) != from) continue;
            DWORD old = 0;
            VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, PAGE_READWRITE, &old);
            thunk->u1.Function = reinterpret_cast<ULONG_PTR>(to);
            VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, old, &old);
            ++patched;
        }
    }
    return patched;
}

Hook hooks[] = {
    {"OpenManagerExA", reinterpret_cast<void**>(&real.openManager),
     reinterpret_cast<void*>(&LogOpenManagerExA)},
    {"GetReqPrinterStatusMsgA", reinterpret_cast<void**>(&real.getReq),
     reinterpret_cast<void*>(&LogGetReqPrinterStatusMsgA)},
    {"ResSetPrinterStatus", reinterpret_cast<void**>(&real.resSet),
     reinterpret_cast<void*>(&LogResSetPrinterStatus)},
    {"CloseManager", reinterpret_cast<void**>(&real.closeManager), reinterpret_cast<void*>(&LogCloseManager)},
    {"GetPrinterStatusA", reinterpret_cast<void**>(&real.getPrinterStatus),
     reinterpret_cast<void*>(&LogGetPrinterStatusA)},
    {"SetReqPrinterStatusMsgA", reinterpret_cast<void**>(&real.setReq),
     reinterpret_cast<void*>(&LogSetReqPrinterStatusMsgA)},
    {"SetPrinterStatusDirectA", reinterpret_cast<void**>(&real.setDirect),
     reinterpret_cast<void*>(&LogSetPrinterStatusDirectA)},
    {"SetNotificationMsgA", reinterpret_cast<void**>(&real.setNotification),
     reinterpret_cast<void*>(&LogSetNotificationMsgA)},
    {"KillNotificationMsg", reinterpret_cast<void**>(&real.killNotification),
     reinterpret_cast<void*>(&LogKillNotificationMsg)},
};

}  // namespace

QmxCallLog::QmxCallLog() {
    calls.clear();
    HMODULE library = GetModuleHandleA("KOVQMX.dll");
    if (!library) return;
    // A function this executable never imports is never called, so there is nothing to record
    // for it; the log is active when at least one entry could be redirected.
    for (Hook& hook : hooks) {
        void* address = reinterpret_cast<void*>(GetProcAddress(library, hook.name));
        *hook.original = address;
        if (address && Patch(address, hook.replacement) > 0) active_ = true;
    }
}

QmxCallLog::~QmxCallLog() {
    readRequestsToRefuse = 0;
    for (Hook& hook : hooks) {
        if (*hook.original) Patch(hook.replacement, *hook.original);
    }
    calls.clear();
}

const std::vector<QmxCall>& QmxCallLog::Calls() const { return calls; }

std::vector<QmxCall> QmxCallLog::CallsOf(const char* function) const {
    std::vector<QmxCall> found;
    for (const QmxCall& call : calls) {
        if (call.function == function) found.push_back(call);
    }
    return found;
}

void QmxCallLog::Clear() { calls.clear(); }

void QmxCallLog::RefuseReadRequests(int count, QMXSTATUS status) {
    readRequestsToRefuse = count;
    readRefusalStatus = status;
}

}  // namespace linktest
