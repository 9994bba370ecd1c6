// qmxctl: the console tool for the virtual printers of the stand-in KOVQMX.DLL.
// Exit codes: 0 done, 1 the operation failed (no such printer, store not writable, ...),
// 2 bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "qmx/CommandParser.h"
#include "qmx/PrinterRules.h"
#include "qmx/QmxStatus.h"
#include "qmx/VirtualPrinters.h"

namespace {

using Args = std::vector<std::string>;

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

const char kUsage[] =
    "qmxctl - virtual printers of the stand-in KOVQMX.DLL\n"
    "\n"
    "  qmxctl list\n"
    "  qmxctl add <name> [--port <port>] [--second <name>] [--driver <driver>] [--spooler]\n"
    "                    [--preset <preset>]\n"
    "  qmxctl remove <name>\n"
    "  qmxctl rename <name> <new name>\n"
    "  qmxctl show <name>\n"
    "  qmxctl set <name> <field> <value> [<field> <value> ...]\n"
    "         fields: w0 w1 w2 ext auth (numbers: 16, 0x10, -1); port second (texts, \"\" = none)\n"
    "  qmxctl preset <name> <preset>\n"
    "         presets: idle busy offline read-only update-only no-rights unsupported switch-off\n"
    "  qmxctl block <name>                      the stored block, field by field and in hex\n"
    "  qmxctl block <name> reset                back to the initial values\n"
    "  qmxctl block <name> load <hex>           all 260 bytes\n"
    "  qmxctl block <name> patch <offset> <hex> some bytes from an offset\n"
    "  qmxctl last <name>                       the last command received: hex and fields\n"
    "  qmxctl fault <name> refuse-open on|off\n"
    "  qmxctl fault <name> fail-read <item> on|off\n"
    "         items: PrinterStatus PrinterExtStatus UserAuthority PrinterName Port RPVariables_PSV\n"
    "  qmxctl fault <name> fail-notify <k>      the k-th notification registration of every\n"
    "                                           session fails (0 = off)\n"
    "  qmxctl fault <name> bad-header <n>       the next n block reads have a bad header\n"
    "  qmxctl fault <name> refuse-writes <n>    the next n writes are refused\n"
    "  qmxctl fault <name> async-result <code>  asynchronous writes fail with code (0 = off)\n"
    "  qmxctl fault <name> latency <ms>         requests complete after ms milliseconds\n"
    "  qmxctl fault <name> fail-request on|off  read requests are refused\n"
    "  qmxctl fault <name> lose-reads on|off    read requests are accepted, never answered\n"
    "  qmxctl fault <name> fail-close on|off    closing the session and its notifications fails\n"
    "  qmxctl fault <name> unterminated on|off  name and port texts come without terminator\n"
    "  qmxctl fault <name> store-other <n>      the next n stored writes store a page length\n"
    "                                           one off what was sent\n"
    "  qmxctl fault <name> clear                every fault off, latency 0\n"
    "  qmxctl spooler <name> on|off             the printer's spooler entry\n"
    "  qmxctl model install [<help file>]       the supported-model registry key, in the\n"
    "                                           registry view of this build's program; without\n"
    "                                           a file, RPHLP names remotepanel.chm beside\n"
    "                                           qmxctl when it is there\n"
    "  qmxctl model remove\n"
    "  qmxctl reset                             removes every virtual printer\n";

int Usage(const char* problem) {
    std::fprintf(stderr, "qmxctl: %s\n(\"qmxctl help\" lists the commands)\n", problem);
    return kBadArguments;
}

int Report(uint32_t status, const std::string& what) {
    if (status == qmx::kOk) return kDone;
    std::fprintf(stderr, "qmxctl: %s: %s (status %u)\n", what.c_str(), qmx::StatusText(status), status);
    return kFailed;
}

bool Word(const std::string& text, uint32_t& value) { return qmx::ParseWord(text, value); }

bool OnOff(const std::string& text, bool& on) {
    if (text == "on")
        on = true;
    else if (text == "off")
        on = false;
    else
        return false;
    return true;
}

const char* FindPreset(const qmx::StateWords& words) {
    for (const auto& p : qmx::Presets()) {
        if (p.words == words) return p.name;
    }
    return nullptr;
}

std::string FaultText(const qmx::vp::Faults& f) {
    std::string text;
    auto add = [&](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (f.refuseOpen) add("refuse-open");
    for (size_t i = 0; i < qmx::kItemCount; ++i) {
        const auto item = static_cast<qmx::Item>(i);
        if (f.failReadItems & qmx::ItemBit(item)) add(std::string("fail-read ") + qmx::InfoOf(item).name);
    }
    if (f.failNotifyAt) add("fail-notify " + std::to_string(f.failNotifyAt));
    if (f.badHeaderReads) add("bad-header " + std::to_string(f.badHeaderReads));
    if (f.refuseWrites) add("refuse-writes " + std::to_string(f.refuseWrites));
    if (f.asyncResult) add("async-result " + std::to_string(f.asyncResult));
    if (f.failReadRequests) add("fail-request");
    if (f.loseReads) add("lose-reads");
    if (f.failClose) add("fail-close");
    if (f.unterminatedText) add("unterminated");
    if (f.storeOtherWrites) add("store-other " + std::to_string(f.storeOtherWrites));
    return text.empty() ? "none" : text;
}

void PrintLines(const std::vector<std::string>& lines) {
    for (const auto& line : lines) std::printf("  %s\n", line.c_str());
}

// ---- commands -------------------------------------------------------------------------------

int List(const Args&) {
    std::vector<std::string> names;
    if (const uint32_t s = qmx::vp::List(names)) return Report(s, "list");
    for (const auto& name : names) {
        qmx::vp::PrinterInfo info;
        if (qmx::vp::Get(name, info) != qmx::kOk) continue;
        const char* preset = FindPreset(info.words);
        std::printf("%s\t%s%s%s\t%s%s\n", info.name.c_str(), info.port.c_str(),
                    info.secondName.empty() ? "" : "/", info.secondName.c_str(), preset ? preset : "custom",
                    info.spoolerEntry ? "\tspooler" : "");
    }
    return kDone;
}

int Add(const Args& a) {
    qmx::vp::NewPrinter p;
    p.name = a[0];
    std::string preset;
    for (size_t i = 1; i < a.size(); ++i) {
        const std::string& option = a[i];
        const bool hasValue = i + 1 < a.size();
        if (option == "--spooler") {
            p.spoolerEntry = true;
        } else if (option == "--port" && hasValue) {
            p.port = a[++i];
        } else if (option == "--second" && hasValue) {
            p.secondName = a[++i];
        } else if (option == "--driver" && hasValue) {
            p.driver = a[++i];
        } else if (option == "--preset" && hasValue) {
            preset = a[++i];
            if (!qmx::PresetByName(preset)) return Usage(("unknown preset \"" + preset + "\"").c_str());
        } else {
            return Usage(("unknown option or missing value: " + option).c_str());
        }
    }
    if (const uint32_t s = qmx::vp::Add(p)) return Report(s, "add \"" + p.name + "\"");
    if (!preset.empty()) return Report(qmx::vp::ApplyPreset(p.name, preset), "preset");
    return kDone;
}

int Remove(const Args& a) { return Report(qmx::vp::Remove(a[0]), "remove \"" + a[0] + "\""); }

int Rename(const Args& a) { return Report(qmx::vp::Rename(a[0], a[1]), "rename \"" + a[0] + "\""); }

int Show(const Args& a) {
    qmx::vp::PrinterInfo info;
    if (const uint32_t s = qmx::vp::Get(a[0], info)) return Report(s, "show \"" + a[0] + "\"");
    const char* preset = FindPreset(info.words);
    std::printf("printer    \"%s\" (id %s)\n", info.name.c_str(), info.id.c_str());
    std::printf("port       \"%s\"  second name \"%s\"\n", info.port.c_str(), info.secondName.c_str());
    std::printf("driver     \"%s\"  spooler entry: %s\n", info.driver.c_str(),
                info.spoolerEntry ? "yes" : "no");
    std::printf("status     w0 0x%08X  w1 0x%08X  w2 0x%08X\n", info.words.w0, info.words.w1, info.words.w2);
    std::printf("ext        0x%08X\n", info.words.ext);
    std::printf("authority  0x%08X\n", info.words.authority);
    std::printf("state      %s\n", preset ? preset : "custom (no preset)");
    std::printf("faults     %s\n", FaultText(info.faults).c_str());
    std::printf("latency    %u ms\n", info.faults.latencyMs);
    std::printf("writes     %u received, %u stored in the block\n", info.writeCount, info.appliedCount);
    std::printf("block      header %02X %02X (%s)\n", info.block[0], info.block[1],
                info.block[0] == qmx::kHeader0 && info.block[1] == qmx::kHeader1 ? "good" : "bad");
    return kDone;
}

int Set(const Args& a) {
    if (a.size() % 2 != 1) return Usage("set: every field needs a value");
    qmx::vp::PrinterInfo info;
    if (const uint32_t s = qmx::vp::Get(a[0], info)) return Report(s, "set \"" + a[0] + "\"");
    std::vector<std::pair<uint32_t qmx::StateWords::*, uint32_t>> words;
    std::vector<std::pair<std::string, std::string>> texts;
    for (size_t i = 1; i < a.size(); i += 2) {
        const std::string& field = a[i];
        const std::string& value = a[i + 1];
        uint32_t qmx::StateWords::*target = field == "w0"    ? &qmx::StateWords::w0
                                            : field == "w1"  ? &qmx::StateWords::w1
                                            : field == "w2"  ? &qmx::StateWords::w2
                                            : field == "ext" ? &qmx::StateWords::ext
                                            : (field == "auth" || field == "authority")
                                                ? &qmx::StateWords::authority
                                                : nullptr;
        if (target) {
            uint32_t word = 0;
            if (!Word(value, word))
                return Usage(("set: \"" + value + "\" is not a number for " + field).c_str());
            words.emplace_back(target, word);
        } else if (field == "port" || field == "second") {
            if (value.size() > qmx::kPortFieldMax) return Usage((field + ": at most 127 bytes").c_str());
            texts.emplace_back(field, value);
        } else {
            return Usage(("set: unknown field \"" + field + "\"").c_str());
        }
    }
    // Only what was named is written, so that a watcher hears about that item alone; the words are
    // read and written under the store lock, so that a word changed meanwhile is not put back.
    if (!words.empty()) {
        const uint32_t s = qmx::vp::ChangeWords(a[0], [&](qmx::StateWords& w) {
            for (const auto& [field, word] : words) w.*field = word;
        });
        if (s) return Report(s, "set");
    }
    for (const auto& [field, value] : texts) {
        const uint32_t s =
            field == "port" ? qmx::vp::SetPort(a[0], value) : qmx::vp::SetSecondName(a[0], value);
        if (s) return Report(s, "set " + field);
    }
    return kDone;
}

int PresetCommand(const Args& a) {
    if (!qmx::PresetByName(a[1])) return Usage(("unknown preset \"" + a[1] + "\"").c_str());
    return Report(qmx::vp::ApplyPreset(a[0], a[1]), "preset");
}

int Block(const Args& a) {
    const std::string& name = a[0];
    if (a.size() == 1 || (a.size() == 2 && a[1] == "show")) {
        qmx::SettingsBlockBytes block;
        if (const uint32_t s = qmx::vp::GetBlock(name, block)) return Report(s, "block \"" + name + "\"");
        std::printf("settings block of \"%s\":\n", name.c_str());
        PrintLines(qmx::DescribeBlock(block));
        std::printf("hex:\n%s", qmx::FormatHexDump(block.data(), block.size()).c_str());
        return kDone;
    }
    const std::string& action = a[1];
    if (action == "reset" && a.size() == 2) return Report(qmx::vp::ResetBlock(name), "block reset");
    if (action == "load" && a.size() >= 3) {
        std::string hex;
        for (size_t i = 2; i < a.size(); ++i) hex += a[i] + " ";
        std::vector<uint8_t> bytes;
        if (!qmx::ParseHexBytes(hex, bytes))
            return Usage("block load: not a sequence of two-digit hex bytes");
        if (bytes.size() != qmx::kBlockSize)
            return Usage(
                ("block load: " + std::to_string(bytes.size()) + " bytes given, 260 needed").c_str());
        qmx::SettingsBlockBytes block;
        std::copy(bytes.begin(), bytes.end(), block.begin());
        return Report(qmx::vp::SetBlock(name, block), "block load");
    }
    if (action == "patch" && a.size() >= 4) {
        uint32_t offset = 0;
        if (!Word(a[2], offset) || offset >= qmx::kBlockSize)
            return Usage("block patch: offset 0..259 expected");
        std::string hex;
        for (size_t i = 3; i < a.size(); ++i) hex += a[i] + " ";
        std::vector<uint8_t> bytes;
        if (!qmx::ParseHexBytes(hex, bytes) || bytes.empty())
            return Usage("block patch: not a sequence of two-digit hex bytes");
        if (offset + bytes.size() > qmx::kBlockSize) return Usage("block patch: the bytes run past byte 259");
        return Report(qmx::vp::PatchBlock(name, offset, bytes), "block patch");
    }
    return Usage("block: show, reset, load <hex> or patch <offset> <hex> expected");
}

int Last(const Args& a) {
    std::vector<uint8_t> command;
    uint32_t count = 0;
    if (const uint32_t s = qmx::vp::GetLastCommand(a[0], command, &count))
        return Report(s, "last \"" + a[0] + "\"");
    std::printf("writes received: %u\n", count);
    if (command.empty()) {
        std::printf("no command received\n");
        return kDone;
    }
    std::printf("last command, %zu bytes:\n%s", command.size(),
                qmx::FormatHexDump(command.data(), command.size()).c_str());
    qmx::CommandValues values;
    qmx::CommandError error;
    if (qmx::ParseSettingsCommand(command.data(), command.size(), values, &error)) {
        std::printf("fields:\n");
        PrintLines(qmx::DescribeCommand(values));
    } else {
        std::printf("malformed at byte %zu: %s\n", error.offset, error.reason.c_str());
    }
    return kDone;
}

// The fault switches `qmxctl fault` sets by name: on/off, or a number.
struct SwitchFault {
    const char* name;
    bool qmx::vp::Faults::*field;
};
constexpr SwitchFault kSwitchFaults[] = {
    {"refuse-open", &qmx::vp::Faults::refuseOpen},
    {"fail-request", &qmx::vp::Faults::failReadRequests},
    {"lose-reads", &qmx::vp::Faults::loseReads},
    {"fail-close", &qmx::vp::Faults::failClose},
    {"unterminated", &qmx::vp::Faults::unterminatedText},
};
struct NumberFault {
    const char* name;
    uint32_t qmx::vp::Faults::*field;
};
constexpr NumberFault kNumberFaults[] = {
    {"fail-notify", &qmx::vp::Faults::failNotifyAt},   {"bad-header", &qmx::vp::Faults::badHeaderReads},
    {"refuse-writes", &qmx::vp::Faults::refuseWrites}, {"async-result", &qmx::vp::Faults::asyncResult},
    {"latency", &qmx::vp::Faults::latencyMs},          {"store-other", &qmx::vp::Faults::storeOtherWrites},
};

int Fault(const Args& a) {
    const std::string& name = a[0];
    const std::string& fault = a[1];
    if (fault == "clear")
        return a.size() == 2 ? Report(qmx::vp::ClearFaults(name), "fault clear")
                             : Usage("fault clear takes no value");
    if (fault == "fail-read") {
        bool on = false;
        if (a.size() != 4 || !OnOff(a[3], on)) return Usage("fault fail-read <item> on|off expected");
        const auto item = qmx::ItemByName(a[2]);
        if (!item) return Usage(("unknown item \"" + a[2] + "\"").c_str());
        return Report(qmx::vp::SetReadFault(name, *item, on), "fault fail-read");
    }
    if (a.size() != 3) return Usage(("fault " + fault + ": one value expected").c_str());
    for (const SwitchFault& f : kSwitchFaults) {
        if (fault != f.name) continue;
        bool on = false;
        if (!OnOff(a[2], on)) return Usage(("fault " + fault + " on|off expected").c_str());
        return Report(qmx::vp::SetFault(name, f.field, on), "fault " + fault);
    }
    for (const NumberFault& f : kNumberFaults) {
        if (fault != f.name) continue;
        uint32_t n = 0;
        if (!Word(a[2], n)) return Usage(("fault " + fault + ": \"" + a[2] + "\" is not a number").c_str());
        return Report(qmx::vp::SetFault(name, f.field, n), "fault " + fault);
    }
    return Usage(("unknown fault \"" + fault + "\"").c_str());
}

int Spooler(const Args& a) {
    bool on = false;
    if (!OnOff(a[1], on)) return Usage("spooler on|off expected");
    return Report(qmx::vp::SetSpoolerEntry(a[0], on), "spooler");
}

// The help file the build puts beside qmxctl.exe (remotepanel.chm), or "" when it is not there.
std::string BuiltHelpFile() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "";
    std::string file(path, length);
    file.erase(file.find_last_of("\\/") + 1);
    file += "remotepanel.chm";
    const DWORD attributes = GetFileAttributesA(file.c_str());
    const bool present = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    return present ? file : "";
}

// HKLM\Software has two views on 64-bit Windows, and a program sees the one of its own word size:
// the x86 build (the one that loads the maker's 32-bit KOVQMX.DLL) the 32-bit view, kept under
// Software\WOW6432Node. qmxctl writes in the view of its own build, the one its program reads.
const char* RegistryView() {
    if (sizeof(void*) == 8) return "64-bit registry view, read by the x64 program";
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64)
        return "32-bit registry view (HKLM\\Software\\WOW6432Node on 64-bit Windows), read by the x86 "
               "program";
    return "registry of 32-bit Windows, read by the x86 program";
}

int Model(const Args& a) {
    if (a[0] == "install" && a.size() <= 2) {
        const std::string help = a.size() == 2 ? a[1] : BuiltHelpFile();
        const int code =
            Report(qmx::vp::InstallModel(help.empty() ? nullptr : help.c_str()), "model install");
        if (code == kDone) std::printf("HKEY_LOCAL_MACHINE\\%s: %s\n", qmx::vp::kModelKey, RegistryView());
        return code;
    }
    if (a[0] == "remove" && a.size() == 1) return Report(qmx::vp::RemoveModel(), "model remove");
    return Usage("model install [<help file>] or model remove expected");
}

int Reset(const Args&) { return Report(qmx::vp::ResetAll(), "reset"); }

struct Command {
    const char* name;
    size_t minArgs, maxArgs;
    int (*run)(const Args&);
};

constexpr size_t kMany = 1000;

const Command kCommands[] = {
    {"list", 0, 0, List},
    {"add", 1, kMany, Add},
    {"remove", 1, 1, Remove},
    {"rename", 2, 2, Rename},
    {"show", 1, 1, Show},
    {"set", 3, kMany, Set},
    {"preset", 2, 2, PresetCommand},
    {"block", 1, kMany, Block},
    {"last", 1, 1, Last},
    {"fault", 2, 4, Fault},
    {"spooler", 2, 2, Spooler},
    {"model", 1, 2, Model},
    {"reset", 0, 0, Reset},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "qmxctl: no command given\n\n%s", kUsage);
        return kBadArguments;
    }
    const std::string command = argv[1];
    if (command == "help" || command == "--help" || command == "-h" || command == "/?") {
        std::printf("%s", kUsage);
        return kDone;
    }
    const Args args(argv + 2, argv + argc);
    for (const auto& c : kCommands) {
        if (command != c.name) continue;
        if (args.size() < c.minArgs || args.size() > c.maxArgs)
            return Usage(("wrong number of arguments for \"" + command + "\"").c_str());
        try {
            return c.run(args);
        } catch (...) {
            std::fprintf(stderr, "qmxctl: out of memory\n");
            return kFailed;
        }
    }
    return Usage(("unknown command \"" + command + "\"").c_str());
}
