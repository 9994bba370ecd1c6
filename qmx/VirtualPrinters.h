// The virtual printers behind the stand-in KOVQMX.DLL.
//
// A virtual printer lives in the registry of the current user, under
// HKEY_CURRENT_USER\Software\KovQmxStandIn\Printers\<id>, where <id> never changes: a session
// follows its printer across a rename. Every process of the user (the program, qmxctl, a test)
// sees the same printers, and the library's worker notices every change through registry change
// notification. Every change, and every read of a whole record, holds the store lock, a named
// mutex shared by all processes: what a change reads is still so when it writes.
//
// This header is also the test-support API: tests create printers, flip their state, inject faults
// and look at what the printer received, all in-process. Every function returns a status of
// qmx/QmxStatus.h (0 = success). Printers are found by exact, case-sensitive name.
#ifndef RP_QMX_VIRTUALPRINTERS_H
#define RP_QMX_VIRTUALPRINTERS_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/ScopedHandles.h"
#include "qmx/CommandParser.h"
#include "qmx/PrinterRules.h"
#include "qmx/QmxStatus.h"

namespace qmx::vp {

struct NewPrinter {
    std::string name;                     // 1..255 bytes (CP932)
    std::string port = kDefaultPort;      // 0..127 bytes
    std::string secondName;               // 0..127 bytes, empty = none
    bool spoolerEntry = false;            // also install the printer in the spooler (Wine registry)
    std::string driver = kDefaultDriver;  // the spooler entry's driver name
};

// Fault switches of one printer; all off for a new printer.
struct Faults {
    bool refuseOpen = false;        // OpenManagerExA fails
    uint32_t failReadItems = 0;     // ItemBit() of each item whose GetPrinterStatusA fails
    uint32_t failNotifyAt = 0;      // k > 0: the k-th SetNotificationMsgA of every session fails
    uint32_t badHeaderReads = 0;    // the next N reads of the settings block deliver header 1, 3
    uint32_t refuseWrites = 0;      // the next N writes are refused at once
    uint32_t asyncResult = 0;       // non-zero: asynchronous writes complete with this result and
                                    // leave the block unchanged
    uint32_t latencyMs = 0;         // delay before a request completes
    bool failReadRequests = false;  // GetReqPrinterStatusMsgA refuses every read request
    bool loseReads = false;         // read requests are accepted but never answered
    bool failClose = false;         // KillNotificationMsg and CloseManager fail and leave the
                                    // registration or session in place
    bool unterminatedText = false;  // PrinterName and the Port names come back filling their
                                    // fields to the end, with no terminator
    uint32_t storeOtherWrites = 0;  // the next N writes that are stored store a page length one off
                                    // what was sent, so that reading back finds another value
    bool operator==(const Faults&) const = default;
};

struct PrinterInfo {
    std::string id;
    std::string name, port, secondName, driver;
    bool spoolerEntry = false;
    StateWords words;
    SettingsBlockBytes block{};
    Faults faults;
    std::vector<uint8_t> lastCommand;  // the last command that reached the printer, as handed over
    uint32_t writeCount = 0;           // writes that reached the printer, malformed ones included
                                       // (writes refused by the refuse-writes fault are not counted)
    uint32_t appliedCount = 0;         // writes stored in the block
};

// Removes every virtual printer (and the spooler entries made for them).
uint32_t ResetAll();

uint32_t Add(const NewPrinter& printer);
uint32_t Remove(std::string_view name);
uint32_t Rename(std::string_view name, std::string_view newName);
uint32_t List(std::vector<std::string>& names);  // in the order they were added
uint32_t Get(std::string_view name, PrinterInfo& info);

uint32_t SetWords(std::string_view name, const StateWords& words);
// Changes some of the words: `change` gets the stored ones, and only the items whose words it
// changed are written, so that a watcher hears about those alone.
uint32_t ChangeWords(std::string_view name, const std::function<void(StateWords&)>& change);
uint32_t SetStatus(std::string_view name, uint32_t w0, uint32_t w1, uint32_t w2);
uint32_t SetExtStatus(std::string_view name, uint32_t ext);
uint32_t SetAuthority(std::string_view name, uint32_t authority);
uint32_t SetPort(std::string_view name, std::string_view port);
uint32_t SetSecondName(std::string_view name, std::string_view secondName);
uint32_t ApplyPreset(std::string_view name, std::string_view preset);

uint32_t GetBlock(std::string_view name, SettingsBlockBytes& block);
uint32_t SetBlock(std::string_view name, const SettingsBlockBytes& block);
uint32_t ResetBlock(std::string_view name);  // back to the initial block
uint32_t PatchBlock(std::string_view name, size_t offset, const std::vector<uint8_t>& bytes);
uint32_t GetLastCommand(std::string_view name, std::vector<uint8_t>& command, uint32_t* writeCount = nullptr);

uint32_t SetFaults(std::string_view name, const Faults& faults);
uint32_t ClearFaults(std::string_view name);
// Changes fault switches and keeps the others: `change` gets the stored ones.
uint32_t ChangeFaults(std::string_view name, const std::function<void(Faults&)>& change);
// One fault switch, for example SetFault(name, &Faults::latencyMs, 200).
template <class Value>
uint32_t SetFault(std::string_view name, Value Faults::*fault, std::type_identity_t<Value> value) {
    return ChangeFaults(name, [&](Faults& f) { f.*fault = value; });
}
// The read of one item fails, or no longer fails.
uint32_t SetReadFault(std::string_view name, Item item, bool on);

// The printer's entry in the spooler: HKLM\System\CurrentControlSet\Control\Print\Printers\<key>
// with Name, Port, Printer Driver, Print Processor, Datatype and Attributes, as Wine reads it.
uint32_t SetSpoolerEntry(std::string_view name, bool present);

// The supported-model key HKLM\Software\KOV\Kestrovane\Printers\Brindlemark 400ZX, with the help
// file in its "RPHLP" value when one is given. It goes into the registry view of the calling
// build, which that build's program reads: for x86 on 64-bit Windows, under Software\WOW6432Node.
inline constexpr const char* kModelKey = "Software\\KOV\\Kestrovane\\Printers\\Brindlemark 400ZX";
uint32_t InstallModel(const char* helpFile = nullptr);
uint32_t RemoveModel();

}  // namespace qmx::vp

// The id-based side of the store that the library uses for its sessions.
namespace qmx::store {

// The store's key under HKEY_CURRENT_USER; the library's worker watches it for changes.
inline constexpr const char* kStoreRoot = "Software\\KovQmxStandIn";

// The id of the printer with this name; `key`, when given, receives the printer's open key.
uint32_t FindByName(std::string_view name, std::string& id, RegistryKey* key = nullptr);
bool Exists(const std::string& id);
// The item's current value in the layout and size the library hands out: status
// words, the name and port fields zero-filled and NUL-terminated, the block as stored.
uint32_t ReadItem(const std::string& id, Item item, std::vector<uint8_t>& value);
uint32_t ReadFaults(const std::string& id, vp::Faults& faults);
// The same reads through the printer's key, which a session of the library keeps open while it
// works on the printer (FindByName hands it out): they need no lookup of the printer, and fail with
// kErrNoPrinter once the printer has been removed.
uint32_t ReadItem(HKEY key, Item item, std::vector<uint8_t>& value);
uint32_t ReadFaults(HKEY key, vp::Faults& faults);
// Takes one from the bad-header or refused-write counter; true when this read or write is hit.
bool ConsumeBadHeaderRead(const std::string& id);
bool ConsumeRefusedWrite(const std::string& id);
// A command reaches the printer: it is recorded as the last command and counted; when it is well
// formed and `apply` is set, it is stored in the block. Returns kOk, kErrCommand or kErrNoPrinter.
uint32_t ReceiveCommand(const std::string& id, const uint8_t* data, size_t size, bool apply);

}  // namespace qmx::store

#endif
