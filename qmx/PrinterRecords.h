// Inside the store of virtual printers (not for the library or tests, which use VirtualPrinters.h):
// the registry values of a printer record, the store lock and the changes made under it.
//
// Layout under HKEY_CURRENT_USER\<store::kStoreRoot>:
//   NextId (DWORD)                  the number of the next printer id; ids are never reused
//   Printers\P00000001 ...          one key per printer:
//     Name, Port, Second, Driver    REG_BINARY, the exact CP932 bytes without a terminator
//     Spooler                       DWORD, 1 when the printer has a spooler entry
//     Status                        REG_BINARY, 12 bytes: w0, w1, w2 little-endian
//     Ext, Authority                DWORD
//     Block                         REG_BINARY, the 260-byte settings block
//     LastCommand, WriteCount, AppliedCount    what the printer received
//     Faults                        REG_BINARY, 9 little-endian words: refuse open, items whose
//                                   reads fail, failing registration, bad-header reads, refused
//                                   writes, asynchronous result, latency in ms, writes stored
//                                   with another page length, the on/off switches as bits
//                                   (missing = none)
//   Printers: one value per printer name, the name index (see FindByName)
// "Name" is written last when a printer is added, and a key without it is not a printer yet.
#ifndef RP_QMX_PRINTERRECORDS_H
#define RP_QMX_PRINTERRECORDS_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ScopedHandles.h"
#include "qmx/VirtualPrinters.h"

namespace qmx::records {

inline constexpr const char* kName = "Name";
inline constexpr const char* kPort = "Port";
inline constexpr const char* kSecond = "Second";
inline constexpr const char* kDriver = "Driver";
inline constexpr const char* kSpooler = "Spooler";
inline constexpr const char* kStatus = "Status";
inline constexpr const char* kExt = "Ext";
inline constexpr const char* kAuthority = "Authority";
inline constexpr const char* kBlock = "Block";
inline constexpr const char* kLastCommand = "LastCommand";
inline constexpr const char* kWriteCount = "WriteCount";
inline constexpr const char* kAppliedCount = "AppliedCount";
inline constexpr const char* kFaults = "Faults";

// Serialises every change of the store that reads before it writes, and every read of a whole
// record, across processes. A process that died while holding it leaves it abandoned, which counts
// as acquired. The same thread may take it again while it holds it.
class StoreLock {
public:
    StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock();
    bool Held() const { return held_ != nullptr; }

private:
    HANDLE held_ = nullptr;
};

// Registry values: false when the value is missing or of another size.
bool QueryBinary(HKEY key, const char* value, std::vector<uint8_t>& out);
bool QueryString(HKEY key, const char* value, std::string& out);
bool QueryDword(HKEY key, const char* value, uint32_t& out);
uint32_t DwordOr(HKEY key, const char* value, uint32_t fallback);
bool SetBinary(HKEY key, const char* value, const void* data, size_t size);
bool SetText(HKEY key, const char* value, std::string_view text);  // REG_BINARY, no terminator
bool SetDword(HKEY key, const char* value, uint32_t v);
bool SetSz(HKEY key, const char* value, const std::string& text);  // REG_SZ, terminated

// The names of the subkeys of `key` (up to 511 bytes each), in the order the registry gives them.
std::vector<std::string> SubkeyNames(HKEY key);

// The key that holds the printers, and the key of one printer.
std::string PrintersPath();
std::string PrinterPath(const std::string& id);
LONG OpenPrinterKey(const std::string& id, REGSAM access, RegistryKey& key);

// The name index: records the printer `id` under `name`, or forgets the name.
void IndexName(std::string_view name, const std::string& id);
void UnindexName(std::string_view name);

bool ValidName(std::string_view name);       // 1 to 255 bytes, no NUL
bool ValidPortField(std::string_view text);  // 0 to 127 bytes, no NUL

// The whole record of printer `id`; kErrNoPrinter when it is not there.
uint32_t ReadRecord(const std::string& id, vp::PrinterInfo& info);
// The five state words, as Status, Ext and Authority.
uint32_t WriteWords(HKEY key, const StateWords& words);
bool StoreFaults(HKEY key, const vp::Faults& faults);
vp::Faults QueryFaults(HKEY key);

// Finds the printer and runs `change(key, id)` on its key opened for reading and writing, all under
// the store lock: whatever `change` reads is still so when it writes.
template <typename Change>
uint32_t Modify(std::string_view name, Change change) {
    StoreLock lock;
    if (!lock.Held()) return kErrStore;
    std::string id;
    if (const uint32_t s = store::FindByName(name, id)) return s;
    RegistryKey key;
    if (OpenPrinterKey(id, KEY_QUERY_VALUE | KEY_SET_VALUE, key) != ERROR_SUCCESS) return kErrNoPrinter;
    return change(key.Get(), id);
}

// The printer's entry in the spooler, made or replaced with this name, port and driver; and every
// entry of that name removed.
uint32_t WriteSpoolerEntry(const std::string& name, const std::string& port, const std::string& driver);
uint32_t RemoveSpoolerEntries(const std::string& name);

}  // namespace qmx::records

#endif
