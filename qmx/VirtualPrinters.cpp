// The registry-backed store of virtual printers.
//
// Layout under HKEY_CURRENT_USER\Software\KovQmxStandIn:
//   NextId (DWORD)                  the number of the next printer id; ids are never reused
//   Printers\P00000001 ...          one key per printer:
//     Name, Port, Second, Driver    REG_BINARY, the exact CP932 bytes without a terminator
//     Spooler                       DWORD, 1 when the printer has a spooler entry
//     Status                        REG_BINARY, 12 bytes: w0, w1, w2 little-endian
//     Ext, Authority                DWORD
//     Block                         REG_BINARY, the 260-byte settings block
//     LastCommand, WriteCount, AppliedCount    what the printer received
//     Faults                        REG_BINARY, 8 little-endian words: refuse open, items whose
//                                   reads fail, failing registration, bad-header reads, refused
//                                   writes, asynchronous result, latency in ms, writes stored
//                                   with another page length (missing = none)
// "Name" is written last when a printer is added, and a key without it is not a printer yet.
#include "qmx/VirtualPrinters.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "qmx/Win32Handles.h"

namespace qmx {

namespace {

constexpr const char* kRootPath = "Software\\KovQmxStandIn";
constexpr const char* kPrintersPath = "Software\\KovQmxStandIn\\Printers";
constexpr const char* kStoreMutex = "KovQmxStandIn.Store";
constexpr const char* kSpoolerPath = "System\\CurrentControlSet\\Control\\Print\\Printers";

constexpr const char* kName = "Name";
constexpr const char* kPort = "Port";
constexpr const char* kSecond = "Second";
constexpr const char* kDriver = "Driver";
constexpr const char* kSpooler = "Spooler";
constexpr const char* kStatus = "Status";
constexpr const char* kExt = "Ext";
constexpr const char* kAuthority = "Authority";
constexpr const char* kBlock = "Block";
constexpr const char* kLastCommand = "LastCommand";
constexpr const char* kWriteCount = "WriteCount";
constexpr const char* kAppliedCount = "AppliedCount";
constexpr const char* kFaults = "Faults";

// Serialises read-modify-write changes of the store across processes. A process that died while
// holding it leaves it abandoned, which counts as acquired.
class StoreLock {
public:
    StoreLock() {
        static const HANDLE mutex = CreateMutexA(nullptr, FALSE, kStoreMutex);
        if (!mutex) return;
        const DWORD r = WaitForSingleObject(mutex, 10000);
        if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) held_ = mutex;
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock() {
        if (held_) ReleaseMutex(held_);
    }
    bool Held() const { return held_ != nullptr; }

private:
    HANDLE held_ = nullptr;
};

bool QueryBinary(HKEY key, const char* value, std::vector<uint8_t>& out) {
    // Every value of a printer fits this buffer, so one call reads it; a larger one is read by size.
    BYTE direct[512];
    DWORD directType = 0, directSize = sizeof direct;
    const LONG first = RegQueryValueExA(key, value, nullptr, &directType, direct, &directSize);
    if (first == ERROR_SUCCESS) {
        out.assign(direct, direct + directSize);
        return true;
    }
    if (first != ERROR_MORE_DATA) return false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key, value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        out.resize(size);
        if (size == 0) return true;
        const LONG r = RegQueryValueExA(key, value, nullptr, &type, out.data(), &size);
        if (r == ERROR_MORE_DATA) continue;  // grew in between
        if (r != ERROR_SUCCESS) return false;
        out.resize(size);
        return true;
    }
    return false;
}

bool QueryString(HKEY key, const char* value, std::string& out) {
    std::vector<uint8_t> bytes;
    if (!QueryBinary(key, value, bytes)) return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
}

bool QueryDword(HKEY key, const char* value, uint32_t& out) {
    DWORD type = 0, data = 0, size = sizeof data;
    if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    out = data;
    return true;
}

uint32_t DwordOr(HKEY key, const char* value, uint32_t fallback) {
    uint32_t v = fallback;
    QueryDword(key, value, v);
    return v;
}

bool SetBinary(HKEY key, const char* value, const void* data, size_t size) {
    return RegSetValueExA(key, value, 0, REG_BINARY, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool SetText(HKEY key, const char* value, std::string_view text) {
    return SetBinary(key, value, text.data(), text.size());
}

bool SetDword(HKEY key, const char* value, uint32_t v) {
    const DWORD data = v;
    return RegSetValueExA(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}

bool SetSz(HKEY key, const char* value, const std::string& text) {
    return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::string PrinterPath(const std::string& id) { return std::string(kPrintersPath) + "\\" + id; }

LONG OpenPrinterKey(const std::string& id, REGSAM access, RegKey& key) {
    return RegOpenKeyExA(HKEY_CURRENT_USER, PrinterPath(id).c_str(), 0, access, key.Out());
}

// The name index: one value per printer in the printers key, named after the printer's name in
// hexadecimal (value names are compared without regard to case, printer names with it) and
// holding the printer's id. It is a hint that spares a walk over every printer: a lookup checks
// the printer's own name, and falls back to the walk (which mends the index) when they differ.
std::string IndexValueName(std::string_view name) {
    static const char kHex[] = "0123456789abcdef";
    std::string value = "#";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        value += kHex[byte >> 4];
        value += kHex[byte & 0xF];
    }
    return value;
}

void IndexName(std::string_view name, const std::string& id) {
    RegKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPrintersPath, 0, KEY_SET_VALUE, printers.Out()) == ERROR_SUCCESS)
        SetSz(printers.Get(), IndexValueName(name).c_str(), id);
}

void UnindexName(std::string_view name) {
    RegKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPrintersPath, 0, KEY_SET_VALUE, printers.Out()) == ERROR_SUCCESS)
        RegDeleteValueA(printers.Get(), IndexValueName(name).c_str());
}

// Whether printer `id` has this name; when it has, `found` (if given) keeps its open key.
bool StoredNameIs(HKEY printers, const char* id, std::string_view name, std::vector<uint8_t>& stored,
                  RegKey* found = nullptr) {
    RegKey key;
    if (RegOpenKeyExA(printers, id, 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS) return false;
    if (!QueryBinary(key.Get(), kName, stored)) return false;
    if (stored.size() != name.size() || std::memcmp(stored.data(), name.data(), name.size()) != 0)
        return false;
    if (found) *found = std::move(key);
    return true;
}

bool ValidName(std::string_view name) {
    return !name.empty() && name.size() <= kNameMax && name.find('\0') == std::string_view::npos;
}

bool ValidPortField(std::string_view text) {
    return text.size() <= kPortFieldMax && text.find('\0') == std::string_view::npos;
}

void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) out[at + k] = static_cast<uint8_t>(v >> (8 * k));
}

// The fault switches as stored: nine words in a fixed order (stores written before the last
// words existed have seven or eight).
constexpr size_t kFaultWords = 9;
constexpr size_t kOldFaultWords = 7;
constexpr uint32_t kFailReadRequests = 0x1, kLoseReads = 0x2, kFailClose = 0x4, kUnterminatedText = 0x8;

void FaultsToWords(const vp::Faults& f, uint32_t (&w)[kFaultWords]) {
    w[0] = f.refuseOpen ? 1 : 0;
    w[1] = f.failReadItems;
    w[2] = f.failNotifyAt;
    w[3] = f.badHeaderReads;
    w[4] = f.refuseWrites;
    w[5] = f.asyncResult;
    w[6] = f.latencyMs;
    w[7] = f.storeOtherWrites;
    w[8] = (f.failReadRequests ? kFailReadRequests : 0) | (f.loseReads ? kLoseReads : 0) |
           (f.failClose ? kFailClose : 0) | (f.unterminatedText ? kUnterminatedText : 0);
}

vp::Faults WordsToFaults(const uint32_t (&w)[kFaultWords]) {
    vp::Faults f;
    f.refuseOpen = w[0] != 0;
    f.failReadItems = w[1];
    f.failNotifyAt = w[2];
    f.badHeaderReads = w[3];
    f.refuseWrites = w[4];
    f.asyncResult = w[5];
    f.latencyMs = w[6];
    f.storeOtherWrites = w[7];
    f.failReadRequests = (w[8] & kFailReadRequests) != 0;
    f.loseReads = (w[8] & kLoseReads) != 0;
    f.failClose = (w[8] & kFailClose) != 0;
    f.unterminatedText = (w[8] & kUnterminatedText) != 0;
    return f;
}

// The stored words of the fault switches; all off for a value of an unknown size.
vp::Faults FaultsFromBytes(const uint8_t* bytes, size_t size) {
    uint32_t w[kFaultWords] = {};
    if (size >= kOldFaultWords * 4 && size <= sizeof w && size % 4 == 0) std::memcpy(w, bytes, size);
    return WordsToFaults(w);
}

vp::Faults QueryFaults(HKEY key) {
    std::vector<uint8_t> bytes;
    if (!QueryBinary(key, kFaults, bytes)) bytes.clear();
    return FaultsFromBytes(bytes.data(), bytes.size());
}

bool StoreFaults(HKEY key, const vp::Faults& f) {
    uint32_t w[kFaultWords];
    FaultsToWords(f, w);
    return SetBinary(key, kFaults, w, sizeof w);
}

// ---- spooler entries -----------------------------------------------------------------------

// The spooler key of a printer: its name with every "\" made ",". The name is CP932, so a second
// byte 0x5C of a double-byte character is left alone.
std::string SpoolerKeyName(const std::string& name) {
    std::string key = name;
    for (size_t i = 0; i < key.size(); ++i) {
        const auto c = static_cast<unsigned char>(key[i]);
        if (IsDBCSLeadByte(c) && i + 1 < key.size()) {
            ++i;
        } else if (c == '\\') {
            key[i] = ',';
        }
    }
    return key;
}

uint32_t RemoveSpoolerEntries(const std::string& name) {
    RegKey printers;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSpoolerPath, 0, KEY_READ, printers.Out()) != ERROR_SUCCESS)
        return kOk;
    std::vector<std::string> doomed;
    char sub[512];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof sub;
        const LONG r = RegEnumKeyExA(printers.Get(), i, sub, &len, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS) continue;
        RegKey entry;
        if (RegOpenKeyExA(printers.Get(), sub, 0, KEY_QUERY_VALUE, entry.Out()) != ERROR_SUCCESS) continue;
        char value[512];
        DWORD type = 0, size = sizeof value - 1;
        if (RegQueryValueExA(entry.Get(), "Name", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            continue;
        value[size < sizeof value ? size : sizeof value - 1] = '\0';
        if (name == value) doomed.emplace_back(sub);
    }
    printers.Reset();
    uint32_t status = kOk;
    for (const auto& sub : doomed) {
        const std::string path = std::string(kSpoolerPath) + "\\" + sub;
        if (RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str()) != ERROR_SUCCESS &&
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()) != ERROR_SUCCESS)
            status = kErrStore;
    }
    return status;
}

uint32_t WriteSpoolerEntry(const std::string& name, const std::string& port, const std::string& driver) {
    const std::string path = std::string(kSpoolerPath) + "\\" + SpoolerKeyName(name);
    RegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Out(),
                        nullptr) != ERROR_SUCCESS)
        return kErrStore;
    const bool network = name.size() > 2 && name[0] == '\\' && name[1] == '\\';
    const DWORD attributes = network ? PRINTER_ATTRIBUTE_NETWORK : PRINTER_ATTRIBUTE_LOCAL;
    const bool ok =
        SetSz(key.Get(), "Name", name) && SetSz(key.Get(), "Port", port.empty() ? kDefaultPort : port) &&
        SetSz(key.Get(), "Printer Driver", driver) && SetSz(key.Get(), "Print Processor", "WinPrint") &&
        SetSz(key.Get(), "Datatype", "RAW") && SetDword(key.Get(), "Attributes", attributes) &&
        SetDword(key.Get(), "Priority", 1) && SetDword(key.Get(), "Status", 0);
    return ok ? kOk : kErrStore;
}

// ---- whole records -------------------------------------------------------------------------

uint32_t ReadRecord(const std::string& id, vp::PrinterInfo& info) {
    RegKey key;
    if (OpenPrinterKey(id, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return kErrNoPrinter;
    info = vp::PrinterInfo{};
    info.id = id;
    if (!QueryString(key.Get(), kName, info.name)) return kErrNoPrinter;
    std::vector<uint8_t> status, block;
    if (!QueryString(key.Get(), kPort, info.port) || !QueryString(key.Get(), kSecond, info.secondName) ||
        !QueryBinary(key.Get(), kStatus, status) || status.size() != 12 ||
        !QueryBinary(key.Get(), kBlock, block) || block.size() != kBlockSize)
        return kErrStore;
    QueryString(key.Get(), kDriver, info.driver);
    info.spoolerEntry = DwordOr(key.Get(), kSpooler, 0) != 0;
    std::memcpy(&info.words.w0, &status[0], 4);
    std::memcpy(&info.words.w1, &status[4], 4);
    std::memcpy(&info.words.w2, &status[8], 4);
    info.words.ext = DwordOr(key.Get(), kExt, 0);
    info.words.authority = DwordOr(key.Get(), kAuthority, 0);
    std::memcpy(info.block.data(), block.data(), kBlockSize);
    QueryBinary(key.Get(), kLastCommand, info.lastCommand);
    info.writeCount = DwordOr(key.Get(), kWriteCount, 0);
    info.appliedCount = DwordOr(key.Get(), kAppliedCount, 0);
    store::ReadFaults(id, info.faults);
    return kOk;
}

// Finds the printer and runs `change` on its key opened for reading and writing.
template <typename Change>
uint32_t Modify(std::string_view name, Change change) {
    std::string id;
    if (const uint32_t s = store::FindByName(name, id)) return s;
    RegKey key;
    if (OpenPrinterKey(id, KEY_QUERY_VALUE | KEY_SET_VALUE, key) != ERROR_SUCCESS) return kErrNoPrinter;
    return change(key.Get(), id);
}

uint32_t SetOneDword(std::string_view name, const char* value, uint32_t v) {
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        return SetDword(key, value, v) ? kOk : kErrStore;
    });
}

uint32_t WriteWords(HKEY key, const StateWords& w) {
    uint8_t status[12];
    std::memcpy(status, &w.w0, 4);
    std::memcpy(status + 4, &w.w1, 4);
    std::memcpy(status + 8, &w.w2, 4);
    const bool ok = SetBinary(key, kStatus, status, sizeof status) && SetDword(key, kExt, w.ext) &&
                    SetDword(key, kAuthority, w.authority);
    return ok ? kOk : kErrStore;
}

}  // namespace

// ==== id-based store ========================================================================

namespace store {

uint32_t FindByName(std::string_view name, std::string& id, RegKey* key) {
    RegKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPrintersPath, 0, KEY_READ, printers.Out()) != ERROR_SUCCESS)
        return kErrNoPrinter;
    std::vector<uint8_t> stored;
    std::string hinted;
    if (QueryString(printers.Get(), IndexValueName(name).c_str(), hinted)) {
        if (!hinted.empty() && hinted.back() == '\0') hinted.pop_back();
        if (StoredNameIs(printers.Get(), hinted.c_str(), name, stored, key)) {
            id = hinted;
            return kOk;
        }
    }
    char sub[64];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof sub;
        const LONG r = RegEnumKeyExA(printers.Get(), i, sub, &len, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS) continue;  // a key name too long to be one of ours
        if (StoredNameIs(printers.Get(), sub, name, stored, key)) {
            id = sub;
            IndexName(name, id);
            return kOk;
        }
    }
    return kErrNoPrinter;
}

bool Exists(const std::string& id) {
    RegKey key;
    std::vector<uint8_t> name;
    return OpenPrinterKey(id, KEY_QUERY_VALUE, key) == ERROR_SUCCESS && QueryBinary(key.Get(), kName, name);
}

uint32_t ReadItem(const std::string& id, Item item, std::vector<uint8_t>& value) {
    RegKey key;
    if (OpenPrinterKey(id, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return kErrNoPrinter;
    return ReadItem(key.Get(), item, value);
}

uint32_t ReadItem(HKEY printer, Item item, std::vector<uint8_t>& value) {
    const uint32_t size = InfoOf(item).size;
    switch (item) {
        case Item::PrinterStatus:
            if (!QueryBinary(printer, kStatus, value)) return kErrNoPrinter;
            return value.size() == size ? kOk : kErrStore;
        case Item::PrinterExtStatus:
        case Item::UserAuthority: {
            uint32_t v = 0;
            if (!QueryDword(printer, item == Item::UserAuthority ? kAuthority : kExt, v))
                return kErrNoPrinter;
            value.assign(size, 0);
            PutWord(value, 0, v);
            return kOk;
        }
        case Item::PrinterName: {
            std::string name;
            if (!QueryString(printer, kName, name)) return kErrNoPrinter;
            value.assign(size, 0);
            std::memcpy(value.data(), name.data(), name.size() < kNameMax ? name.size() : kNameMax);
            return kOk;
        }
        case Item::Port: {
            std::string port, second;
            if (!QueryString(printer, kPort, port) || !QueryString(printer, kSecond, second))
                return kErrNoPrinter;
            value.assign(size, 0);
            std::memcpy(value.data() + 4, port.data(),
                        port.size() < kPortFieldMax ? port.size() : kPortFieldMax);
            std::memcpy(value.data() + 132, second.data(),
                        second.size() < kPortFieldMax ? second.size() : kPortFieldMax);
            return kOk;
        }
        case Item::Settings:
            if (!QueryBinary(printer, kBlock, value)) return kErrNoPrinter;
            return value.size() == size ? kOk : kErrStore;
    }
    return kErrItem;
}

uint32_t ReadFaults(const std::string& id, vp::Faults& f) {
    RegKey key;
    if (OpenPrinterKey(id, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return kErrNoPrinter;
    f = QueryFaults(key.Get());
    return kOk;
}

uint32_t ReadFaults(HKEY printer, vp::Faults& f) {
    // The key of a printer removed meanwhile answers nothing any more.
    BYTE words[64];
    DWORD size = sizeof words;
    const LONG r = RegQueryValueExA(printer, kFaults, nullptr, nullptr, words, &size);
    if (r == ERROR_KEY_DELETED || r == ERROR_INVALID_HANDLE) return kErrNoPrinter;
    f = r == ERROR_SUCCESS ? FaultsFromBytes(words, size) : vp::Faults{};
    return kOk;
}

namespace {
// Takes one from a fault counter under the store lock; false when it is already 0.
bool ConsumeCounter(const std::string& id, uint32_t vp::Faults::*counter) {
    StoreLock lock;
    if (!lock.Held()) return false;
    RegKey key;
    if (OpenPrinterKey(id, KEY_QUERY_VALUE | KEY_SET_VALUE, key) != ERROR_SUCCESS) return false;
    vp::Faults f = QueryFaults(key.Get());
    if (f.*counter == 0) return false;
    --(f.*counter);
    return StoreFaults(key.Get(), f);
}

// The store-other fault, under the store lock the caller holds: one write fewer to hit, and this
// one stored with the page length (block byte 25) one off.
void StoreSomethingElse(HKEY key, SettingsBlockBytes& block) {
    vp::Faults f = QueryFaults(key);
    if (f.storeOtherWrites == 0) return;
    --f.storeOtherWrites;
    StoreFaults(key, f);
    block[25] ^= 1;
}
}  // namespace

bool ConsumeBadHeaderRead(const std::string& id) { return ConsumeCounter(id, &vp::Faults::badHeaderReads); }
bool ConsumeRefusedWrite(const std::string& id) { return ConsumeCounter(id, &vp::Faults::refuseWrites); }

uint32_t ReceiveCommand(const std::string& id, const uint8_t* data, size_t size, bool apply) {
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    RegKey key;
    if (OpenPrinterKey(id, KEY_QUERY_VALUE | KEY_SET_VALUE, key) != ERROR_SUCCESS || !Exists(id))
        return kErrNoPrinter;
    const size_t kept = size < kCommandAreaMax ? size : kCommandAreaMax;
    SetBinary(key.Get(), kLastCommand, data, kept);
    SetDword(key.Get(), kWriteCount, DwordOr(key.Get(), kWriteCount, 0) + 1);
    std::vector<uint8_t> stored;
    if (!QueryBinary(key.Get(), kBlock, stored) || stored.size() != kBlockSize) return kErrStore;
    SettingsBlockBytes block;
    std::memcpy(block.data(), stored.data(), kBlockSize);
    if (!ApplySettingsCommand(data, size, block)) return kErrCommand;
    if (!apply) return kOk;
    StoreSomethingElse(key.Get(), block);
    if (!SetBinary(key.Get(), kBlock, block.data(), block.size())) return kErrStore;
    SetDword(key.Get(), kAppliedCount, DwordOr(key.Get(), kAppliedCount, 0) + 1);
    return kOk;
}

}  // namespace store

// ==== name-based API ========================================================================

namespace vp {

uint32_t ResetAll() {
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    std::vector<std::string> names;
    List(names);
    for (const auto& name : names) {
        PrinterInfo info;
        std::string id;
        if (store::FindByName(name, id) == kOk && ReadRecord(id, info) == kOk && info.spoolerEntry)
            RemoveSpoolerEntries(name);
    }
    const LONG r = RegDeleteTreeA(HKEY_CURRENT_USER, kPrintersPath);
    if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND) return kErrStore;
    RegDeleteKeyA(HKEY_CURRENT_USER, kPrintersPath);
    return kOk;
}

uint32_t Add(const NewPrinter& p) {
    if (!ValidName(p.name) || !ValidPortField(p.port) || !ValidPortField(p.secondName) ||
        !ValidName(p.driver))
        return kErrName;
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    std::string existing;
    if (store::FindByName(p.name, existing) == kOk) return kErrExists;
    RegKey root;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRootPath, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        root.Out(), nullptr) != ERROR_SUCCESS)
        return kErrStore;
    const uint32_t number = DwordOr(root.Get(), "NextId", 1);
    if (!SetDword(root.Get(), "NextId", number + 1)) return kErrStore;
    char id[16];
    std::snprintf(id, sizeof id, "P%08u", number);
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, PrinterPath(id).c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Out(), nullptr) != ERROR_SUCCESS)
        return kErrStore;
    const SettingsBlockBytes block = InitialBlock();
    bool ok = SetText(key.Get(), kPort, p.port) && SetText(key.Get(), kSecond, p.secondName) &&
              SetText(key.Get(), kDriver, p.driver) &&
              SetDword(key.Get(), kSpooler, p.spoolerEntry ? 1 : 0) &&
              WriteWords(key.Get(), StateWords{}) == kOk &&
              SetBinary(key.Get(), kBlock, block.data(), block.size()) &&
              SetBinary(key.Get(), kLastCommand, nullptr, 0) && SetDword(key.Get(), kWriteCount, 0) &&
              SetDword(key.Get(), kAppliedCount, 0) && StoreFaults(key.Get(), Faults{});
    if (ok && p.spoolerEntry) ok = WriteSpoolerEntry(p.name, p.port, p.driver) == kOk;
    if (ok) ok = SetText(key.Get(), kName, p.name);
    if (ok) IndexName(p.name, id);
    if (!ok) {
        key.Reset();
        RegDeleteKeyA(HKEY_CURRENT_USER, PrinterPath(id).c_str());
        if (p.spoolerEntry) RemoveSpoolerEntries(p.name);
        return kErrStore;
    }
    return kOk;
}

uint32_t Remove(std::string_view name) {
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    std::string id;
    if (const uint32_t s = store::FindByName(name, id)) return s;
    PrinterInfo info;
    if (ReadRecord(id, info) == kOk && info.spoolerEntry) RemoveSpoolerEntries(info.name);
    const std::string path = PrinterPath(id);
    if (RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()) != ERROR_SUCCESS &&
        RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) != ERROR_SUCCESS)
        return kErrStore;
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    UnindexName(name);
    return kOk;
}

uint32_t Rename(std::string_view name, std::string_view newName) {
    if (!ValidName(newName)) return kErrName;
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    std::string id, other;
    if (const uint32_t s = store::FindByName(name, id)) return s;
    if (name == newName) return kOk;
    if (store::FindByName(newName, other) == kOk) return kErrExists;
    PrinterInfo info;
    if (const uint32_t s = ReadRecord(id, info)) return s;
    RegKey key;
    if (OpenPrinterKey(id, KEY_SET_VALUE, key) != ERROR_SUCCESS) return kErrNoPrinter;
    if (info.spoolerEntry) {
        RemoveSpoolerEntries(info.name);
        if (WriteSpoolerEntry(std::string(newName), info.port, info.driver) != kOk) return kErrStore;
    }
    if (!SetText(key.Get(), kName, newName)) return kErrStore;
    UnindexName(name);
    IndexName(newName, id);
    return kOk;
}

uint32_t List(std::vector<std::string>& names) {
    names.clear();
    RegKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPrintersPath, 0, KEY_READ, printers.Out()) != ERROR_SUCCESS)
        return kOk;
    std::vector<std::string> ids;
    char sub[64];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof sub;
        const LONG r = RegEnumKeyExA(printers.Get(), i, sub, &len, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r == ERROR_SUCCESS) ids.emplace_back(sub);
    }
    std::sort(ids.begin(), ids.end());  // ids are zero-padded numbers: creation order
    for (const auto& id : ids) {
        RegKey key;
        std::string name;
        if (OpenPrinterKey(id, KEY_QUERY_VALUE, key) == ERROR_SUCCESS && QueryString(key.Get(), kName, name))
            names.push_back(std::move(name));
    }
    return kOk;
}

uint32_t Get(std::string_view name, PrinterInfo& info) {
    std::string id;
    if (const uint32_t s = store::FindByName(name, id)) return s;
    return ReadRecord(id, info);
}

uint32_t SetWords(std::string_view name, const StateWords& words) {
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t { return WriteWords(key, words); });
}

uint32_t SetStatus(std::string_view name, uint32_t w0, uint32_t w1, uint32_t w2) {
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        const uint32_t words[3] = {w0, w1, w2};
        return SetBinary(key, kStatus, words, sizeof words) ? kOk : kErrStore;
    });
}

uint32_t SetExtStatus(std::string_view name, uint32_t ext) { return SetOneDword(name, kExt, ext); }
uint32_t SetAuthority(std::string_view name, uint32_t authority) {
    return SetOneDword(name, kAuthority, authority);
}

uint32_t SetPort(std::string_view name, std::string_view port) {
    if (!ValidPortField(port)) return kErrName;
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    return Modify(name, [&](HKEY key, const std::string& id) -> uint32_t {
        if (!SetText(key, kPort, port)) return kErrStore;
        PrinterInfo info;
        if (ReadRecord(id, info) == kOk && info.spoolerEntry)
            return WriteSpoolerEntry(info.name, info.port, info.driver);
        return kOk;
    });
}

uint32_t SetSecondName(std::string_view name, std::string_view secondName) {
    if (!ValidPortField(secondName)) return kErrName;
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        return SetText(key, kSecond, secondName) ? kOk : kErrStore;
    });
}

uint32_t ApplyPreset(std::string_view name, std::string_view preset) {
    const Preset* p = PresetByName(preset);
    if (!p) return kErrArgument;
    return SetWords(name, p->words);
}

uint32_t GetBlock(std::string_view name, SettingsBlockBytes& block) {
    std::string id;
    if (const uint32_t s = store::FindByName(name, id)) return s;
    std::vector<uint8_t> value;
    if (const uint32_t s = store::ReadItem(id, Item::Settings, value)) return s;
    std::memcpy(block.data(), value.data(), kBlockSize);
    return kOk;
}

uint32_t SetBlock(std::string_view name, const SettingsBlockBytes& block) {
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        return SetBinary(key, kBlock, block.data(), block.size()) ? kOk : kErrStore;
    });
}

uint32_t ResetBlock(std::string_view name) { return SetBlock(name, InitialBlock()); }

uint32_t PatchBlock(std::string_view name, size_t offset, const std::vector<uint8_t>& bytes) {
    if (offset > kBlockSize || bytes.size() > kBlockSize - offset) return kErrArgument;
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        std::vector<uint8_t> stored;
        if (!QueryBinary(key, kBlock, stored) || stored.size() != kBlockSize) return kErrStore;
        std::copy(bytes.begin(), bytes.end(), stored.begin() + static_cast<std::ptrdiff_t>(offset));
        return SetBinary(key, kBlock, stored.data(), stored.size()) ? kOk : kErrStore;
    });
}

uint32_t GetLastCommand(std::string_view name, std::vector<uint8_t>& command, uint32_t* writeCount) {
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        command.clear();
        QueryBinary(key, kLastCommand, command);
        if (writeCount) *writeCount = DwordOr(key, kWriteCount, 0);
        return kOk;
    });
}

uint32_t SetFaults(std::string_view name, const Faults& f) {
    // Under the store lock, like the counters a read or write takes one from: a change made while
    // a counter is being consumed is never undone by that consumer's write-back.
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        return StoreFaults(key, f) ? kOk : kErrStore;
    });
}

namespace {
// Changes one fault switch and keeps the others.
template <typename Change>
uint32_t ChangeFaults(std::string_view name, Change change) {
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        Faults f = QueryFaults(key);
        change(f);
        return StoreFaults(key, f) ? kOk : kErrStore;
    });
}
}  // namespace

uint32_t ClearFaults(std::string_view name) { return SetFaults(name, Faults{}); }
uint32_t SetRefuseOpen(std::string_view name, bool on) {
    return ChangeFaults(name, [&](Faults& f) { f.refuseOpen = on; });
}
uint32_t SetReadFault(std::string_view name, Item item, bool on) {
    return ChangeFaults(name, [&](Faults& f) {
        f.failReadItems = on ? (f.failReadItems | ItemBit(item)) : (f.failReadItems & ~ItemBit(item));
    });
}
uint32_t SetNotifyFault(std::string_view name, uint32_t k) {
    return ChangeFaults(name, [&](Faults& f) { f.failNotifyAt = k; });
}
uint32_t SetBadHeaderReads(std::string_view name, uint32_t n) {
    return ChangeFaults(name, [&](Faults& f) { f.badHeaderReads = n; });
}
uint32_t SetRefuseWrites(std::string_view name, uint32_t n) {
    return ChangeFaults(name, [&](Faults& f) { f.refuseWrites = n; });
}
uint32_t SetAsyncResult(std::string_view name, uint32_t result) {
    return ChangeFaults(name, [&](Faults& f) { f.asyncResult = result; });
}
uint32_t SetLatency(std::string_view name, uint32_t ms) {
    return ChangeFaults(name, [&](Faults& f) { f.latencyMs = ms; });
}
uint32_t SetStoreOtherWrites(std::string_view name, uint32_t n) {
    return ChangeFaults(name, [&](Faults& f) { f.storeOtherWrites = n; });
}

uint32_t SetSwitchFault(std::string_view name, std::string_view fault, bool on) {
    bool Faults::*which = fault == "fail-request"   ? &Faults::failReadRequests
                          : fault == "lose-reads"   ? &Faults::loseReads
                          : fault == "fail-close"   ? &Faults::failClose
                          : fault == "unterminated" ? &Faults::unterminatedText
                                                    : nullptr;
    if (!which) return kErrArgument;
    return ChangeFaults(name, [&](Faults& f) { f.*which = on; });
}

uint32_t SetSpoolerEntry(std::string_view name, bool present) {
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    return Modify(name, [&](HKEY key, const std::string& id) -> uint32_t {
        PrinterInfo info;
        if (const uint32_t s = ReadRecord(id, info)) return s;
        const uint32_t s =
            present ? WriteSpoolerEntry(info.name, info.port, info.driver) : RemoveSpoolerEntries(info.name);
        if (s) return s;
        return SetDword(key, kSpooler, present ? 1 : 0) ? kOk : kErrStore;
    });
}

uint32_t InstallModel(const char* helpFile) {
    RegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kModelKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Out(),
                        nullptr) != ERROR_SUCCESS)
        return kErrStore;
    if (helpFile) return SetSz(key.Get(), "RPHLP", helpFile) ? kOk : kErrStore;
    RegDeleteValueA(key.Get(), "RPHLP");
    return kOk;
}

uint32_t RemoveModel() {
    const LONG r = RegDeleteTreeA(HKEY_LOCAL_MACHINE, kModelKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kModelKey);
    return (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) ? kOk : kErrStore;
}

}  // namespace vp

}  // namespace qmx
