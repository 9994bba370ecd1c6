// What the store keeps outside its own key: the printers' entries in the spooler's part of the
// registry, as Wine's EnumPrintersA reads them, and the supported-model key of the suite.
#include "qmx/PrinterRecords.h"

namespace qmx {

namespace records {

namespace {

constexpr const char* kSpoolerPath = "System\\CurrentControlSet\\Control\\Print\\Printers";

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

}  // namespace

uint32_t RemoveSpoolerEntries(const std::string& name) {
    RegistryKey printers;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSpoolerPath, 0, KEY_READ, printers.Receive()) != ERROR_SUCCESS)
        return kOk;
    std::vector<std::string> doomed;
    for (const std::string& sub : SubkeyNames(printers.Get())) {
        RegistryKey entry;
        if (RegOpenKeyExA(printers.Get(), sub.c_str(), 0, KEY_QUERY_VALUE, entry.Receive()) != ERROR_SUCCESS)
            continue;
        char value[512];
        DWORD type = 0, size = sizeof value - 1;
        if (RegQueryValueExA(entry.Get(), "Name", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            continue;
        value[size < sizeof value ? size : sizeof value - 1] = '\0';
        if (name == value) doomed.push_back(sub);
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
    RegistryKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS)
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

}  // namespace records

namespace vp {

using namespace records;

uint32_t SetSpoolerEntry(std::string_view name, bool present) {
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
    RegistryKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kModelKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
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
