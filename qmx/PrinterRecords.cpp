// The printer records with their lock: the registry values of a record, the name index, and the
// id-based reads and changes the library makes on a session's printer.
#include "qmx/PrinterRecords.h"

#include <cstring>

#include "link/KovQmx.h"

namespace qmx {

namespace records {

namespace {

constexpr const char* kStoreMutex = "KovQmxStandIn.Store";

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

void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) out[at + k] = static_cast<uint8_t>(v >> (8 * k));
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

// Whether printer `id` has this name; when it has, `found` (if given) keeps its open key.
bool StoredNameIs(HKEY printers, const char* id, std::string_view name, std::vector<uint8_t>& stored,
                  RegistryKey* found = nullptr) {
    RegistryKey key;
    if (RegOpenKeyExA(printers, id, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) return false;
    if (!QueryBinary(key.Get(), kName, stored)) return false;
    if (stored.size() != name.size() || std::memcmp(stored.data(), name.data(), name.size()) != 0)
        return false;
    if (found) *found = std::move(key);
    return true;
}

}  // namespace

StoreLock::StoreLock() {
    static const HANDLE mutex = CreateMutexA(nullptr, FALSE, kStoreMutex);
    if (!mutex) return;
    const DWORD r = WaitForSingleObject(mutex, 10000);
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) held_ = mutex;
}

StoreLock::~StoreLock() {
    if (held_) ReleaseMutex(held_);
}

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

std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    char sub[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof sub;
        const LONG r = RegEnumKeyExA(key, i, sub, &length, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r == ERROR_SUCCESS) names.emplace_back(sub, length);
    }
    return names;
}

std::string PrintersPath() { return std::string(store::kStoreRoot) + "\\Printers"; }

std::string PrinterPath(const std::string& id) { return PrintersPath() + "\\" + id; }

LONG OpenPrinterKey(const std::string& id, REGSAM access, RegistryKey& key) {
    return RegOpenKeyExA(HKEY_CURRENT_USER, PrinterPath(id).c_str(), 0, access, key.Receive());
}

void IndexName(std::string_view name, const std::string& id) {
    RegistryKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PrintersPath().c_str(), 0, KEY_SET_VALUE, printers.Receive()) ==
        ERROR_SUCCESS)
        SetSz(printers.Get(), IndexValueName(name).c_str(), id);
}

void UnindexName(std::string_view name) {
    RegistryKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PrintersPath().c_str(), 0, KEY_SET_VALUE, printers.Receive()) ==
        ERROR_SUCCESS)
        RegDeleteValueA(printers.Get(), IndexValueName(name).c_str());
}

bool ValidName(std::string_view name) {
    return !name.empty() && name.size() <= kNameMax && name.find('\0') == std::string_view::npos;
}

bool ValidPortField(std::string_view text) {
    return text.size() <= kPortFieldMax && text.find('\0') == std::string_view::npos;
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

uint32_t ReadRecord(const std::string& id, vp::PrinterInfo& info) {
    RegistryKey key;
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
    info.faults = QueryFaults(key.Get());
    return kOk;
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

}  // namespace records

// ==== id-based store ========================================================================

namespace store {

using namespace records;

uint32_t FindByName(std::string_view name, std::string& id, RegistryKey* key) {
    RegistryKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PrintersPath().c_str(), 0, KEY_READ, printers.Receive()) !=
        ERROR_SUCCESS)
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
    RegistryKey key;
    std::vector<uint8_t> name;
    return OpenPrinterKey(id, KEY_QUERY_VALUE, key) == ERROR_SUCCESS && QueryBinary(key.Get(), kName, name);
}

uint32_t ReadItem(const std::string& id, Item item, std::vector<uint8_t>& value) {
    RegistryKey key;
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
            std::memcpy(value.data() + QMX_PORT_NAME_OFFSET, port.data(),
                        port.size() < kPortFieldMax ? port.size() : kPortFieldMax);
            std::memcpy(value.data() + QMX_PORT_SECOND_OFFSET, second.data(),
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
    RegistryKey key;
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
    RegistryKey key;
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
    RegistryKey key;
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

}  // namespace qmx
