// KOVQMX.DLL over virtual printers: the nine entry points.
//
// Sessions, notification registrations and outstanding requests live in this process; the
// printers live in the store (qmx/VirtualPrinters.h), shared by every process. One worker thread
// per process completes requests (after the printer's latency) and watches the store: it waits
// on a registry change notification for the whole store, compares every registered item with the
// value it last reported and posts the registered message when the value differs. The watch is
// re-armed before the values are read, so a change made while they are being compared wakes the
// worker again and the last value is always reported.
//
// The caller's thread never waits for the worker: both sides hold the process lock only to copy
// or update a few records, and the worker reads and writes the registry outside it. Messages are
// posted under the lock, so once KillNotificationMsg or CloseManager has returned nothing more is
// posted for what they cancelled.
#include "link/KovQmx.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/ScopedHandles.h"
#include "qmx/PrinterRules.h"
#include "qmx/QmxStatus.h"
#include "qmx/VirtualPrinters.h"

namespace {

using qmx::Item;

constexpr size_t kKeptResults = 4096;  // finished request results kept per session

struct Registration {
    uintptr_t session;
    std::string printerId;
    Item item;
    HWND window;
    UINT message;
    std::vector<uint8_t> last;  // the value last reported (or seen at registration)
};

struct Request {
    int32_t id;  // 0 for read requests
    uintptr_t session;
    std::string printerId;
    bool write;
    HWND window;
    UINT message;
    ULONGLONG due;
    uint64_t order;
    std::vector<uint8_t> command;
};

struct RequestState {
    bool done = false;
    int32_t result = 0;
};

struct Session {
    std::string printerId;  // stable: the session follows its printer across a rename
    RegistryKey key;        // the printer's key, open while the session is
    std::string user;
    uint32_t mode = 0;
    uint32_t notifyCalls = 0;
    std::map<int32_t, RequestState> requests;
    std::deque<int32_t> finished;
};

struct Library {
    CRITICAL_SECTION lock;
    std::map<uintptr_t, Session> sessions;
    std::map<uintptr_t, Registration> registrations;
    std::vector<Request> pending;
    uintptr_t nextHandle = 0x10001;
    int32_t nextRequestId = 1;
    uint64_t nextOrder = 0;
    HANDLE wake = nullptr;
    bool workerRunning = false;
};

// Never destroyed: the worker may still run while the process ends.
Library& Lib() {
    static Library* lib = [] {
        auto* l = new Library;
        InitializeCriticalSection(&l->lock);
        return l;
    }();
    return *lib;
}

class Guard {
public:
    explicit Guard(CRITICAL_SECTION& cs) : cs_(cs) { EnterCriticalSection(&cs_); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    ~Guard() { LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION& cs_;
};

template <typename Body>
QMXSTATUS Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return qmx::kErrInternal;
    }
}

uintptr_t Key(QMXSESSION session) { return reinterpret_cast<uintptr_t>(session); }

// The session's printer id (and, when asked for, its open key), or a failure status.
uint32_t SessionPrinter(QMXSESSION session, std::string& printerId, HKEY* key = nullptr) {
    Library& lib = Lib();
    Guard g(lib.lock);
    const auto it = lib.sessions.find(Key(session));
    if (it == lib.sessions.end()) return qmx::kErrSession;
    printerId = it->second.printerId;
    if (key) *key = it->second.key.Get();
    return qmx::kOk;
}

std::optional<Item> ItemOf(const char* item) {
    return qmx::ItemByName(std::string_view(item, strnlen(item, 64)));
}

// What every call that names an item checks first, in this order: the session (giving its printer
// and open key), then the item's name.
uint32_t SessionItem(QMXSESSION session, const char* item, std::string& printerId, HKEY* key, Item* which) {
    if (const uint32_t s = SessionPrinter(session, printerId, key)) return s;
    if (!item) return qmx::kErrArgument;
    const auto found = ItemOf(item);
    if (!found) return qmx::kErrItem;
    *which = *found;
    return qmx::kOk;
}

// ---- worker ---------------------------------------------------------------------------------

void CheckRegistrations(Library& lib) {
    struct Watch {
        uintptr_t handle;
        std::string printerId;
        Item item;
    };
    std::vector<Watch> watches;
    {
        Guard g(lib.lock);
        for (const auto& [handle, r] : lib.registrations) watches.push_back({handle, r.printerId, r.item});
    }
    if (watches.empty()) return;
    std::map<std::pair<std::string, Item>, std::optional<std::vector<uint8_t>>> values;
    for (const auto& w : watches) {
        const auto key = std::make_pair(w.printerId, w.item);
        if (values.count(key)) continue;
        std::vector<uint8_t> v;
        // A printer that is gone has no value: that is not reported as a change.
        values[key] = qmx::store::ReadItem(w.printerId, w.item, v) == qmx::kOk ? std::optional(std::move(v))
                                                                               : std::nullopt;
    }
    Guard g(lib.lock);
    for (const auto& w : watches) {
        const auto it = lib.registrations.find(w.handle);
        if (it == lib.registrations.end()) continue;  // killed meanwhile
        const auto& value = values[std::make_pair(w.printerId, w.item)];
        if (!value || *value == it->second.last) continue;
        it->second.last = *value;
        PostMessageA(it->second.window, it->second.message, 0, 0);
    }
}

void CompleteDueRequests(Library& lib) {
    std::vector<Request> due;
    {
        Guard g(lib.lock);
        const ULONGLONG now = GetTickCount64();
        auto split = std::stable_partition(lib.pending.begin(), lib.pending.end(),
                                           [now](const Request& r) { return r.due > now; });
        std::move(split, lib.pending.end(), std::back_inserter(due));
        lib.pending.erase(split, lib.pending.end());
    }
    std::sort(due.begin(), due.end(), [](const Request& a, const Request& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    for (auto& r : due) {
        uint32_t result = qmx::kOk;
        if (r.write) {
            qmx::vp::Faults faults;
            if (qmx::store::ReadFaults(r.printerId, faults) != qmx::kOk) {
                result = qmx::kErrNoPrinter;
            } else if (faults.asyncResult != 0) {
                qmx::store::ReceiveCommand(r.printerId, r.command.data(), r.command.size(), false);
                result = faults.asyncResult;
            } else {
                result = qmx::store::ReceiveCommand(r.printerId, r.command.data(), r.command.size(), true);
            }
        }
        Guard g(lib.lock);
        const auto s = lib.sessions.find(r.session);
        if (s == lib.sessions.end()) continue;  // closed: a write still went to the printer, nobody is told
        if (r.write) {
            auto& state = s->second.requests[r.id];
            state.done = true;
            state.result = static_cast<int32_t>(result);
            s->second.finished.push_back(r.id);
            while (s->second.finished.size() > kKeptResults) {
                s->second.requests.erase(s->second.finished.front());
                s->second.finished.pop_front();
            }
        }
        PostMessageA(r.window, r.message, 0, static_cast<LPARAM>(r.id));
    }
}

DWORD NextTimeout(Library& lib) {
    Guard g(lib.lock);
    if (lib.pending.empty()) return INFINITE;
    ULONGLONG first = lib.pending.front().due;
    for (const auto& r : lib.pending) first = std::min(first, r.due);
    const ULONGLONG now = GetTickCount64();
    return first <= now ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(first - now, 0x7FFFFFFF));
}

DWORD WINAPI WorkerMain(void*) {
    Library& lib = Lib();
    const KernelHandle changed(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    RegistryKey root;
    bool armed = false;
    for (;;) {
        try {
            if (!armed) {
                if (!root.Get())
                    RegCreateKeyExA(HKEY_CURRENT_USER, qmx::store::kStoreRoot, 0, nullptr, 0,
                                    KEY_NOTIFY | KEY_READ, nullptr, root.Receive(), nullptr);
                if (root.Get() && changed.Get()) {
                    const DWORD filter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
                    if (RegNotifyChangeKeyValue(root.Get(), TRUE, filter, changed.Get(), TRUE) ==
                        ERROR_SUCCESS)
                        armed = true;
                    else
                        root.Reset();  // deleted under us: open it again next time
                }
                CheckRegistrations(lib);
            }
            CompleteDueRequests(lib);
        } catch (...) {
            // Out of memory: keep the thread alive and try again on the next wake-up.
        }
        DWORD timeout = NextTimeout(lib);
        if (!armed) timeout = std::min<DWORD>(timeout, 100);  // poll until the watch is set again
        const HANDLE handles[2] = {lib.wake, changed.Get()};
        const DWORD r = WaitForMultipleObjects(changed.Get() ? 2 : 1, handles, FALSE, timeout);
        if (r == WAIT_OBJECT_0 + 1) armed = false;
    }
}

// Starts the worker on first use. The module is pinned so that the worker's code stays mapped
// until the process ends.
bool EnsureWorker(Library& lib) {
    if (lib.workerRunning) return true;
    if (!lib.wake) lib.wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!lib.wake) return false;
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&WorkerMain), &self);
    const HANDLE thread = CreateThread(nullptr, 0, WorkerMain, nullptr, 0, nullptr);
    if (!thread) return false;
    CloseHandle(thread);
    lib.workerRunning = true;
    return true;
}

uint32_t QueueRequest(QMXSESSION session, const std::string& printerId, uint32_t latencyMs, bool write,
                      HWND window, UINT message, std::vector<uint8_t> command, int32_t* requestId) {
    Library& lib = Lib();
    Guard g(lib.lock);
    const auto s = lib.sessions.find(Key(session));
    if (s == lib.sessions.end()) return qmx::kErrSession;
    Request r;
    r.id = 0;
    if (write) {
        r.id = lib.nextRequestId;
        lib.nextRequestId = lib.nextRequestId == INT32_MAX ? 1 : lib.nextRequestId + 1;
        s->second.requests[r.id] = RequestState{};
    }
    r.session = Key(session);
    r.printerId = printerId;
    r.write = write;
    r.window = window;
    r.message = message;
    r.due = GetTickCount64() + latencyMs;
    r.order = lib.nextOrder++;
    r.command = std::move(command);
    lib.pending.push_back(std::move(r));
    if (requestId) *requestId = lib.pending.back().id;
    SetEvent(lib.wake);
    return qmx::kOk;
}

// The checks every write makes before the command reaches the printer; gives the printer and its
// fault switches.
uint32_t CheckWrite(QMXSESSION session, const char* item, const void* data, std::string& printerId,
                    qmx::vp::Faults& faults) {
    HKEY printer = nullptr;
    Item which{};
    if (const uint32_t s = SessionItem(session, item, printerId, &printer, &which)) return s;
    if (which != Item::Settings) return qmx::kErrNotWritable;
    if (!data) return qmx::kErrArgument;
    if (qmx::store::ReadFaults(printer, faults) != qmx::kOk) return qmx::kErrNoPrinter;
    return qmx::kOk;
}

// The fail-close fault of the session's printer: kill and close fail and change nothing.
bool FailsToClose(QMXSESSION session) {
    std::string id;
    HKEY printer = nullptr;
    qmx::vp::Faults faults;
    return SessionPrinter(session, id, &printer) == qmx::kOk &&
           qmx::store::ReadFaults(printer, faults) == qmx::kOk && faults.failClose;
}

// The unterminated-text fault: the text fields of the name and port items are filled to their
// last byte, so that no terminator is left in them.
void FillTextFields(Item item, std::vector<uint8_t>& value) {
    auto fill = [&](size_t from, size_t to) {
        for (size_t i = from; i < to && i < value.size(); ++i) {
            if (value[i] == 0) value[i] = 'X';
        }
    };
    if (item == Item::PrinterName) fill(0, value.size());
    if (item == Item::Port) {
        fill(QMX_PORT_NAME_OFFSET, QMX_PORT_NAME_OFFSET + QMX_PORT_FIELD_SIZE);
        fill(QMX_PORT_SECOND_OFFSET, QMX_PORT_SECOND_OFFSET + QMX_PORT_FIELD_SIZE);
    }
}

}  // namespace

extern "C" {

QMXSTATUS QMXAPI OpenManagerExA(const char* printerName, const char* userName, uint32_t mode,
                                QMXSESSION* session) {
    return Guarded([&]() -> uint32_t {
        if (!session) return qmx::kErrArgument;
        *session = nullptr;
        if (!printerName) return qmx::kErrArgument;
        std::string id;
        const std::string_view name(printerName, strnlen(printerName, qmx::kNameMax + 1));
        RegistryKey key;
        if (const uint32_t s = qmx::store::FindByName(name, id, &key)) return s;
        qmx::vp::Faults faults;
        if (qmx::store::ReadFaults(key.Get(), faults) != qmx::kOk) return qmx::kErrNoPrinter;
        if (faults.refuseOpen) return qmx::kErrOpenRefused;
        Library& lib = Lib();
        Guard g(lib.lock);
        if (!EnsureWorker(lib)) return qmx::kErrInternal;
        const uintptr_t handle = lib.nextHandle++;
        Session s;
        s.printerId = id;
        s.key = std::move(key);
        if (userName) s.user.assign(userName, strnlen(userName, 256));
        s.mode = mode;
        lib.sessions.emplace(handle, std::move(s));
        *session = reinterpret_cast<QMXSESSION>(handle);
        return qmx::kOk;
    });
}

QMXSTATUS QMXAPI CloseManager(QMXSESSION session) {
    return Guarded([&]() -> uint32_t {
        if (FailsToClose(session)) return qmx::kErrInternal;
        Library& lib = Lib();
        Guard g(lib.lock);
        const auto it = lib.sessions.find(Key(session));
        if (it == lib.sessions.end()) return qmx::kErrSession;
        std::erase_if(lib.registrations,
                      [&](const auto& entry) { return entry.second.session == Key(session); });
        lib.sessions.erase(it);
        return qmx::kOk;
    });
}

QMXSTATUS QMXAPI GetPrinterStatusA(QMXSESSION session, const char* item, void* buffer, uint32_t size,
                                   uint32_t* outSize) {
    return Guarded([&]() -> uint32_t {
        std::string id;
        HKEY printer = nullptr;
        Item which{};
        if (const uint32_t s = SessionItem(session, item, id, &printer, &which)) return s;
        if (!buffer) return qmx::kErrArgument;
        const uint32_t need = qmx::InfoOf(which).size;
        if (size < need) {
            if (outSize) *outSize = need;
            return qmx::kErrBufferSize;
        }
        qmx::vp::Faults faults;
        if (qmx::store::ReadFaults(printer, faults) != qmx::kOk) return qmx::kErrNoPrinter;
        if (faults.failReadItems & qmx::ItemBit(which)) return qmx::kErrReadFailed;
        std::vector<uint8_t> value;
        if (const uint32_t s = qmx::store::ReadItem(printer, which, value)) return s;
        if (value.size() != need) return qmx::kErrStore;
        if (which == Item::Settings && faults.badHeaderReads > 0 && qmx::store::ConsumeBadHeaderRead(id)) {
            value[0] = qmx::kHeader0;
            value[1] = qmx::kBadHeader1;
        }
        if (faults.unterminatedText) FillTextFields(which, value);
        std::memcpy(buffer, value.data(), need);
        if (outSize) *outSize = need;
        return qmx::kOk;
    });
}

QMXSTATUS QMXAPI GetReqPrinterStatusMsgA(QMXSESSION session, const char* item, QMXHWND window,
                                         uint32_t message) {
    return Guarded([&]() -> uint32_t {
        std::string id;
        HKEY printer = nullptr;
        Item which{};
        if (const uint32_t s = SessionItem(session, item, id, &printer, &which)) return s;
        if (!IsWindow(window)) return qmx::kErrWindow;
        qmx::vp::Faults faults;
        if (qmx::store::ReadFaults(printer, faults) != qmx::kOk) return qmx::kErrNoPrinter;
        if (faults.failReadRequests) return qmx::kErrReadFailed;
        // A lost read is accepted and then never answered.
        if (faults.loseReads) return qmx::kOk;
        return QueueRequest(session, id, faults.latencyMs, false, window, message, {}, nullptr);
    });
}

QMXSTATUS QMXAPI SetReqPrinterStatusMsgA(QMXSESSION session, const char* item, const void* data,
                                         uint32_t size, QMXHWND window, uint32_t message,
                                         int32_t* requestId) {
    return Guarded([&]() -> uint32_t {
        std::string id;
        qmx::vp::Faults faults;
        if (const uint32_t s = CheckWrite(session, item, data, id, faults)) return s;
        if (!requestId) return qmx::kErrArgument;
        if (!IsWindow(window)) return qmx::kErrWindow;
        if (faults.refuseWrites > 0 && qmx::store::ConsumeRefusedWrite(id)) return qmx::kErrWriteRefused;
        const auto* bytes = static_cast<const uint8_t*>(data);
        qmx::CommandValues values;
        if (!qmx::ParseSettingsCommand(bytes, size, values)) {
            // Recorded like a malformed direct write (and not applied), so `qmxctl last` shows it too.
            qmx::store::ReceiveCommand(id, bytes, size, false);
            return qmx::kErrCommand;
        }
        return QueueRequest(session, id, faults.latencyMs, true, window, message,
                            std::vector<uint8_t>(bytes, bytes + size), requestId);
    });
}

QMXSTATUS QMXAPI ResSetPrinterStatus(QMXSESSION session, int32_t requestId, int32_t* result) {
    return Guarded([&]() -> uint32_t {
        Library& lib = Lib();
        Guard g(lib.lock);
        const auto s = lib.sessions.find(Key(session));
        if (s == lib.sessions.end()) return qmx::kErrSession;
        if (!result) return qmx::kErrArgument;
        const auto r = s->second.requests.find(requestId);
        if (r == s->second.requests.end()) return qmx::kErrRequest;
        if (!r->second.done) return qmx::kErrPending;
        *result = r->second.result;
        return qmx::kOk;
    });
}

QMXSTATUS QMXAPI SetPrinterStatusDirectA(QMXSESSION session, const char* item, const void* data,
                                         uint32_t size) {
    return Guarded([&]() -> uint32_t {
        std::string id;
        qmx::vp::Faults faults;
        if (const uint32_t s = CheckWrite(session, item, data, id, faults)) return s;
        if (faults.refuseWrites > 0 && qmx::store::ConsumeRefusedWrite(id)) return qmx::kErrWriteRefused;
        return qmx::store::ReceiveCommand(id, static_cast<const uint8_t*>(data), size, true);
    });
}

QMXSTATUS QMXAPI SetNotificationMsgA(QMXSESSION session, const char* item, QMXHWND window, uint32_t message,
                                     QMXNOTIFY* handle) {
    return Guarded([&]() -> uint32_t {
        if (!handle) return qmx::kErrArgument;
        *handle = nullptr;
        std::string id;
        HKEY printer = nullptr;
        Item which{};
        if (const uint32_t s = SessionItem(session, item, id, &printer, &which)) return s;
        if (!IsWindow(window)) return qmx::kErrWindow;
        Library& lib = Lib();
        uint32_t call = 0;
        {
            Guard g(lib.lock);
            const auto s = lib.sessions.find(Key(session));
            if (s == lib.sessions.end()) return qmx::kErrSession;
            call = ++s->second.notifyCalls;
        }
        qmx::vp::Faults faults;
        if (qmx::store::ReadFaults(printer, faults) != qmx::kOk) return qmx::kErrNoPrinter;
        if (faults.failNotifyAt != 0 && faults.failNotifyAt == call) return qmx::kErrNotifyRefused;
        std::vector<uint8_t> value;
        if (const uint32_t s = qmx::store::ReadItem(printer, which, value)) return s;
        Guard g(lib.lock);
        if (!lib.sessions.count(Key(session))) return qmx::kErrSession;
        const uintptr_t key = lib.nextHandle++;
        lib.registrations.emplace(key,
                                  Registration{Key(session), id, which, window, message, std::move(value)});
        *handle = reinterpret_cast<QMXNOTIFY>(key);
        return qmx::kOk;
    });
}

QMXSTATUS QMXAPI KillNotificationMsg(QMXSESSION session, QMXNOTIFY handle) {
    return Guarded([&]() -> uint32_t {
        if (FailsToClose(session)) return qmx::kErrInternal;
        Library& lib = Lib();
        Guard g(lib.lock);
        if (!lib.sessions.count(Key(session))) return qmx::kErrSession;
        const auto it = lib.registrations.find(reinterpret_cast<uintptr_t>(handle));
        if (it == lib.registrations.end() || it->second.session != Key(session)) return qmx::kErrHandle;
        lib.registrations.erase(it);
        return qmx::kOk;
    });
}

}  // extern "C"
