// The name-based functions of the store that qmxctl and the tests call: printers added, removed,
// renamed, listed and read, their words, port, block and faults changed. Every change runs under
// the store lock (Modify), and so does every read of a whole record.
#include "qmx/VirtualPrinters.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "qmx/PrinterRecords.h"

namespace qmx::vp {

using namespace records;

namespace {

uint32_t SetOneDword(std::string_view name, const char* value, uint32_t v) {
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        return SetDword(key, value, v) ? kOk : kErrStore;
    });
}

}  // namespace

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
    const LONG r = RegDeleteTreeA(HKEY_CURRENT_USER, PrintersPath().c_str());
    if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND) return kErrStore;
    RegDeleteKeyA(HKEY_CURRENT_USER, PrintersPath().c_str());
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
    RegistryKey root;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, store::kStoreRoot, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, root.Receive(), nullptr) != ERROR_SUCCESS)
        return kErrStore;
    const uint32_t number = DwordOr(root.Get(), "NextId", 1);
    if (!SetDword(root.Get(), "NextId", number + 1)) return kErrStore;
    char id[16];
    std::snprintf(id, sizeof id, "P%08u", number);
    RegistryKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, PrinterPath(id).c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
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
    return Modify(name, [&](HKEY key, const std::string& id) -> uint32_t {
        std::string other;
        if (name == newName) return kOk;
        if (store::FindByName(newName, other) == kOk) return kErrExists;
        PrinterInfo info;
        if (const uint32_t s = ReadRecord(id, info)) return s;
        if (info.spoolerEntry) {
            RemoveSpoolerEntries(info.name);
            if (WriteSpoolerEntry(std::string(newName), info.port, info.driver) != kOk) return kErrStore;
        }
        if (!SetText(key, kName, newName)) return kErrStore;
        UnindexName(name);
        IndexName(newName, id);
        return kOk;
    });
}

uint32_t List(std::vector<std::string>& names) {
    names.clear();
    RegistryKey printers;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PrintersPath().c_str(), 0, KEY_READ, printers.Receive()) !=
        ERROR_SUCCESS)
        return kOk;
    std::vector<std::string> ids = SubkeyNames(printers.Get());
    std::sort(ids.begin(), ids.end());  // ids are zero-padded numbers: creation order
    for (const auto& id : ids) {
        RegistryKey key;
        std::string name;
        if (OpenPrinterKey(id, KEY_QUERY_VALUE, key) == ERROR_SUCCESS && QueryString(key.Get(), kName, name))
            names.push_back(std::move(name));
    }
    return kOk;
}

uint32_t Get(std::string_view name, PrinterInfo& info) {
    return Modify(name, [&](HKEY, const std::string& id) { return ReadRecord(id, info); });
}

uint32_t SetWords(std::string_view name, const StateWords& words) {
    return Modify(name, [&](HKEY key, const std::string&) { return WriteWords(key, words); });
}

uint32_t ChangeWords(std::string_view name, const std::function<void(StateWords&)>& change) {
    return Modify(name, [&](HKEY key, const std::string& id) -> uint32_t {
        PrinterInfo info;
        if (const uint32_t s = ReadRecord(id, info)) return s;
        StateWords w = info.words;
        change(w);
        const StateWords& was = info.words;
        if (w.w0 != was.w0 || w.w1 != was.w1 || w.w2 != was.w2) {
            const uint32_t status[3] = {w.w0, w.w1, w.w2};
            if (!SetBinary(key, kStatus, status, sizeof status)) return kErrStore;
        }
        if (w.ext != was.ext && !SetDword(key, kExt, w.ext)) return kErrStore;
        if (w.authority != was.authority && !SetDword(key, kAuthority, w.authority)) return kErrStore;
        return kOk;
    });
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
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        return SetBinary(key, kBlock, block.data(), block.size()) ? kOk : kErrStore;
    });
}

uint32_t ResetBlock(std::string_view name) { return SetBlock(name, InitialBlock()); }

uint32_t PatchBlock(std::string_view name, size_t offset, const std::vector<uint8_t>& bytes) {
    if (offset > kBlockSize || bytes.size() > kBlockSize - offset) return kErrArgument;
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
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        return StoreFaults(key, f) ? kOk : kErrStore;
    });
}

uint32_t ClearFaults(std::string_view name) { return SetFaults(name, Faults{}); }

uint32_t ChangeFaults(std::string_view name, const std::function<void(Faults&)>& change) {
    // Under the store lock, like the counters a read or write takes one from: a change made while
    // a counter is being consumed is never undone by that consumer's write-back.
    return Modify(name, [&](HKEY key, const std::string&) -> uint32_t {
        Faults f = QueryFaults(key);
        change(f);
        return StoreFaults(key, f) ? kOk : kErrStore;
    });
}

uint32_t SetReadFault(std::string_view name, Item item, bool on) {
    return ChangeFaults(name, [&](Faults& f) {
        f.failReadItems = on ? (f.failReadItems | ItemBit(item)) : (f.failReadItems & ~ItemBit(item));
    });
}

}  // namespace qmx::vp
