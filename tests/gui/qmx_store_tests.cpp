// The virtual printer store, its spooler entries and the model key, and qmxctl's exit codes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "qmx/VirtualPrinters.h"
#include "tests/gui/qmx_test_support.h"

namespace {

namespace vp = qmx::vp;

// The printers the spooler reports (local and connections, level 2): name -> driver and port.
struct SpoolerPrinter {
    std::string name, driver, port;
};

std::vector<SpoolerPrinter> SpoolerPrinters() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<SpoolerPrinter> out;
    if (needed == 0) return out;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed,
                       &needed, &count))
        return out;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        out.push_back({info[i].pPrinterName ? info[i].pPrinterName : "",
                       info[i].pDriverName ? info[i].pDriverName : "",
                       info[i].pPortName ? info[i].pPortName : ""});
    }
    return out;
}

const SpoolerPrinter* FindSpooled(const std::vector<SpoolerPrinter>& list, const std::string& name) {
    for (const auto& p : list) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

class Store : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(vp::ResetAll(), qmx::kOk); }
    void TearDown() override {
        vp::ResetAll();
        vp::RemoveModel();
    }
};

// The port of the printer found under `name`, or "?" when there is none.
std::string PortOf(const std::string& name) {
    vp::PrinterInfo info;
    return vp::Get(name, info) == qmx::kOk && info.name == name ? info.port : "?";
}

TEST_F(Store, PrintersAreFoundByNameThroughRenamesRemovalsAndAStaleIndex) {
    for (const auto& [name, port] :
         std::vector<std::pair<std::string, std::string>>{{"A", "LPT1:"}, {"a", "LPT2:"}, {"B", "LPT3:"}}) {
        vp::NewPrinter p;
        p.name = name;
        p.port = port;
        ASSERT_EQ(vp::Add(p), qmx::kOk);
    }
    EXPECT_EQ(PortOf("A"), "LPT1:");
    EXPECT_EQ(PortOf("a"), "LPT2:");

    ASSERT_EQ(vp::Rename("B", "C"), qmx::kOk);
    EXPECT_EQ(PortOf("B"), "?");
    EXPECT_EQ(PortOf("C"), "LPT3:");

    ASSERT_EQ(vp::Remove("A"), qmx::kOk);
    EXPECT_EQ(PortOf("A"), "?");
    vp::NewPrinter again;
    again.name = "A";
    again.port = "COM1:";
    ASSERT_EQ(vp::Add(again), qmx::kOk);
    EXPECT_EQ(PortOf("A"), "COM1:");

    // Every value of the printers key (the name index) pointed at the wrong printer, then removed:
    // each name still finds its own printer.
    std::string idOfC;
    ASSERT_EQ(qmx::store::FindByName("C", idOfC), qmx::kOk);
    HKEY printers = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(qmx::store::kStoreRoot) + "\\Printers").c_str(),
                            0, KEY_ALL_ACCESS, &printers),
              ERROR_SUCCESS);
    std::vector<std::string> values;
    for (DWORD i = 0;; ++i) {
        char value[1024];
        DWORD length = sizeof value;
        if (RegEnumValueA(printers, i, value, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values.push_back(value);
    }
    EXPECT_GE(values.size(), 3u) << "the index holds the printers' names";
    for (const auto& value : values) {
        RegSetValueExA(printers, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(idOfC.c_str()),
                       static_cast<DWORD>(idOfC.size() + 1));
    }
    EXPECT_EQ(PortOf("A"), "COM1:");
    EXPECT_EQ(PortOf("a"), "LPT2:");
    EXPECT_EQ(PortOf("C"), "LPT3:");
    for (const auto& value : values) RegDeleteValueA(printers, value.c_str());
    RegCloseKey(printers);
    EXPECT_EQ(PortOf("a"), "LPT2:");
    EXPECT_EQ(PortOf("C"), "LPT3:");
    EXPECT_EQ(PortOf("Z"), "?");
}

TEST_F(Store, ANewPrinterIsIdleWithTheInitialBlock) {
    vp::NewPrinter p;
    p.name = "Fresh";
    ASSERT_EQ(vp::Add(p), qmx::kOk);
    vp::PrinterInfo info;
    ASSERT_EQ(vp::Get("Fresh", info), qmx::kOk);
    EXPECT_EQ(info.words.ext, 0x3u);
    EXPECT_EQ(info.words.w0, 0u);
    EXPECT_EQ(info.words.w1, 0u);
    EXPECT_EQ(info.words.w2, 0x1u);
    EXPECT_EQ(info.words.authority, 0x10u);
    EXPECT_EQ(info.block, qmx::InitialBlock());
    EXPECT_EQ(info.port, "LPT1:");
    EXPECT_EQ(info.driver, "KOV Brindlemark 400ZX");
    EXPECT_EQ(info.faults, vp::Faults{});
    EXPECT_FALSE(info.spoolerEntry);
    EXPECT_EQ(info.writeCount, 0u);
}

TEST_F(Store, NamesAreCheckedAndUnique) {
    const struct {
        std::string name, port, second;
        uint32_t status;
    } cases[] = {
        {"A", "LPT1:", "", qmx::kOk},
        {"A", "LPT1:", "", qmx::kErrExists},
        {"a", "LPT1:", "", qmx::kOk},  // names are case-sensitive
        {"", "LPT1:", "", qmx::kErrName},
        {std::string(256, 'n'), "LPT1:", "", qmx::kErrName},
        {"B", std::string(128, 'p'), "", qmx::kErrName},
        {"C", "LPT1:", std::string(128, 's'), qmx::kErrName},
        {std::string("with\0nul", 8), "LPT1:", "", qmx::kErrName},
    };
    for (const auto& c : cases) {
        vp::NewPrinter p;
        p.name = c.name;
        p.port = c.port;
        p.secondName = c.second;
        EXPECT_EQ(vp::Add(p), c.status) << c.name.substr(0, 20);
    }
    std::vector<std::string> names;
    ASSERT_EQ(vp::List(names), qmx::kOk);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a"}));
    EXPECT_EQ(vp::Rename("A", "a"), qmx::kErrExists);
    EXPECT_EQ(vp::Rename("A", ""), qmx::kErrName);
    EXPECT_EQ(vp::Rename("missing", "x"), qmx::kErrNoPrinter);
    EXPECT_EQ(vp::Remove("missing"), qmx::kErrNoPrinter);
}

TEST_F(Store, PresetsSetAllFiveWords) {
    vp::NewPrinter p;
    p.name = "P";
    ASSERT_EQ(vp::Add(p), qmx::kOk);
    for (const auto& preset : qmx::Presets()) {
        ASSERT_EQ(vp::ApplyPreset("P", preset.name), qmx::kOk) << preset.name;
        vp::PrinterInfo info;
        ASSERT_EQ(vp::Get("P", info), qmx::kOk);
        EXPECT_EQ(info.words, preset.words) << preset.name;
    }
    EXPECT_EQ(vp::ApplyPreset("P", "sleepy"), qmx::kErrArgument);
}

TEST_F(Store, BlockPatchesStayInsideTheBlock) {
    vp::NewPrinter p;
    p.name = "P";
    ASSERT_EQ(vp::Add(p), qmx::kOk);
    EXPECT_EQ(vp::PatchBlock("P", 258, {1, 2}), qmx::kOk);
    EXPECT_EQ(vp::PatchBlock("P", 259, {1, 2}), qmx::kErrArgument);
    EXPECT_EQ(vp::PatchBlock("P", 261, {}), qmx::kErrArgument);
    qmx::SettingsBlockBytes block;
    ASSERT_EQ(vp::GetBlock("P", block), qmx::kOk);
    EXPECT_EQ(block[258], 1);
    EXPECT_EQ(block[259], 2);
    ASSERT_EQ(vp::ResetBlock("P"), qmx::kOk);
    ASSERT_EQ(vp::GetBlock("P", block), qmx::kOk);
    EXPECT_EQ(block, qmx::InitialBlock());
}

// Two threads change all five words and a byte of the block of one printer, each its own values:
// every record read meanwhile has five equal words and the thread's own byte as it last wrote it,
// and the last changes are what stays.
TEST_F(Store, ConcurrentChangesOfOnePrinterKeepItsRecordWhole) {
    vp::NewPrinter p;
    p.name = "Shared";
    ASSERT_EQ(vp::Add(p), qmx::kOk);
    constexpr uint32_t kRounds = 100;
    bool whole[2] = {true, true};
    auto change = [&](uint32_t thread) {
        for (uint32_t round = 1; round <= kRounds; ++round) {
            const uint32_t v = (thread + 1) << 16 | round;
            vp::PrinterInfo info;
            if (vp::SetWords("Shared", {v, v, v, v, v}) != qmx::kOk ||
                vp::PatchBlock("Shared", 100 + thread, {static_cast<uint8_t>(round)}) != qmx::kOk ||
                vp::Get("Shared", info) != qmx::kOk)
                whole[thread] = false;
            const qmx::StateWords& w = info.words;
            if (w.w1 != w.w0 || w.w2 != w.w0 || w.ext != w.w0 || w.authority != w.w0 ||
                info.block[100 + thread] != round)
                whole[thread] = false;
        }
    };
    std::thread first(change, 0), second(change, 1);
    first.join();
    second.join();
    EXPECT_TRUE(whole[0] && whole[1]);
    vp::PrinterInfo info;
    ASSERT_EQ(vp::Get("Shared", info), qmx::kOk);
    EXPECT_EQ(info.words.w0 & 0xFFFF, kRounds);
    EXPECT_EQ(info.words.authority, info.words.w0);
    EXPECT_EQ(info.block[100], kRounds);
    EXPECT_EQ(info.block[101], kRounds);
}

TEST_F(Store, SpoolerEntriesAreListedByTheSpooler) {
    // "ソフト" in CP932 is 83 5C 83 74 83 67: its 0x5C is the second byte of a character, not a "\".
    const std::string names[] = {"Kov desk", "\\\\server\\lp1", "\x83\x5C\x83\x74\x83\x67 printer"};
    for (const auto& name : names) {
        vp::NewPrinter p;
        p.name = name;
        p.port = "LPT2:";
        p.spoolerEntry = true;
        ASSERT_EQ(vp::Add(p), qmx::kOk) << name;
    }
    vp::NewPrinter other;
    other.name = "Other make";
    other.driver = "Someone Else 9";
    other.spoolerEntry = true;
    ASSERT_EQ(vp::Add(other), qmx::kOk);

    auto listed = SpoolerPrinters();
    for (const auto& name : names) {
        const auto* found = FindSpooled(listed, name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(found->driver, "KOV Brindlemark 400ZX") << name;
        EXPECT_EQ(found->port, "LPT2:") << name;
    }
    ASSERT_NE(FindSpooled(listed, "Other make"), nullptr);
    EXPECT_EQ(FindSpooled(listed, "Other make")->driver, "Someone Else 9");

    ASSERT_EQ(vp::Rename("Kov desk", "Kov desk 2"), qmx::kOk);
    ASSERT_EQ(vp::Remove(names[1]), qmx::kOk);
    ASSERT_EQ(vp::SetSpoolerEntry(names[2], false), qmx::kOk);
    listed = SpoolerPrinters();
    EXPECT_EQ(FindSpooled(listed, "Kov desk"), nullptr);
    EXPECT_NE(FindSpooled(listed, "Kov desk 2"), nullptr);
    EXPECT_EQ(FindSpooled(listed, names[1]), nullptr);
    EXPECT_EQ(FindSpooled(listed, names[2]), nullptr);

    ASSERT_EQ(vp::ResetAll(), qmx::kOk);
    listed = SpoolerPrinters();
    EXPECT_EQ(FindSpooled(listed, "Kov desk 2"), nullptr);
    EXPECT_EQ(FindSpooled(listed, "Other make"), nullptr);
}

TEST_F(Store, ModelKeyWithAndWithoutHelpFile) {
    ASSERT_EQ(vp::InstallModel("rp.chm"), qmx::kOk);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, vp::kModelKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    char value[64] = {};
    DWORD size = sizeof value - 1, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "RPHLP", nullptr, &type, reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, "rp.chm");
    RegCloseKey(key);
    // The key is in this build's registry view (the program's) and not in the other: on 64-bit
    // Windows the x86 build's is under Software\WOW6432Node, where its program looks.
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    const REGSAM other = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    if (sizeof(void*) == 8 || wow64) {
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, vp::kModelKey, 0, KEY_READ | other, &key),
                  ERROR_FILE_NOT_FOUND);
    }
    ASSERT_EQ(vp::InstallModel(), qmx::kOk);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, vp::kModelKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "RPHLP", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    ASSERT_EQ(vp::RemoveModel(), qmx::kOk);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, vp::kModelKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Store, QmxctlModelInstallNamesTheHelpFileBuiltBesideIt) {
    ASSERT_EQ(qmxtest::RunQmxctl("model install"), 0);
    char exe[MAX_PATH] = {};
    std::string expected(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
    expected.erase(expected.find_last_of('\\') + 1);
    expected += "remotepanel.chm";
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, vp::kModelKey, "RPHLP", RRF_RT_REG_SZ, nullptr, value, &size);
    EXPECT_EQ(std::string(value), expected);
    EXPECT_NE(GetFileAttributesA(expected.c_str()), INVALID_FILE_ATTRIBUTES);  // the build made it
}

TEST_F(Store, QmxctlExitCodes) {
    const struct {
        const char* arguments;
        int code;
    } cases[] = {
        {"add \"Desk 1\" --port USB001 --second Shared --preset read-only", 0},
        {"add \"Desk 1\"", 1},
        {"add \"Desk 2\" --preset sleepy", 2},
        {"add \"Desk 3\" --colour red", 2},
        {"", 2},
        {"frobnicate", 2},
        {"show \"Desk 1\"", 0},
        {"show Nobody", 1},
        {"set \"Desk 1\" w1 0x400 w2 -1 ext 3 auth 16", 0},
        {"set \"Desk 1\" w1 12z", 2},
        {"set \"Desk 1\" w1", 2},
        {"set \"Desk 1\" colour 1", 2},
        {"preset \"Desk 1\" offline", 0},
        {"preset \"Desk 1\" asleep", 2},
        {"block \"Desk 1\" patch 26 64 78", 0},
        {"block \"Desk 1\" patch 259 01 02", 2},
        {"block \"Desk 1\" load 01 04", 2},
        {"block \"Desk 1\" reset", 0},
        {"block \"Desk 1\"", 0},
        {"last \"Desk 1\"", 0},
        {"fault \"Desk 1\" refuse-open on", 0},
        {"fault \"Desk 1\" refuse-open maybe", 2},
        {"fault \"Desk 1\" fail-read Port on", 0},
        {"fault \"Desk 1\" fail-read Porte on", 2},
        {"fault \"Desk 1\" bad-header 2", 0},
        {"fault \"Desk 1\" latency 10", 0},
        {"fault \"Desk 1\" snooze 1", 2},
        {"fault \"Desk 1\" clear", 0},
        {"spooler \"Desk 1\" on", 0},
        {"rename \"Desk 1\" \"Desk 9\"", 0},
        {"remove \"Desk 1\"", 1},
        {"model install rp.hlp", 0},
        {"model remove", 0},
        {"list", 0},
        {"reset", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qmxtest::RunQmxctl(c.arguments), c.code) << "qmxctl " << c.arguments;
}

TEST_F(Store, QmxctlSetsWhatItSays) {
    ASSERT_EQ(qmxtest::RunQmxctl("add Desk --port LPT3: --spooler --preset busy"), 0);
    ASSERT_EQ(qmxtest::RunQmxctl("set Desk w0 7 auth 8 second \"Room 2\""), 0);
    ASSERT_EQ(qmxtest::RunQmxctl("fault Desk refuse-writes 3"), 0);
    ASSERT_EQ(qmxtest::RunQmxctl("fault Desk async-result 0x21"), 0);
    ASSERT_EQ(qmxtest::RunQmxctl("fault Desk fail-notify 4"), 0);
    ASSERT_EQ(qmxtest::RunQmxctl("fault Desk fail-read UserAuthority on"), 0);
    vp::PrinterInfo info;
    ASSERT_EQ(vp::Get("Desk", info), qmx::kOk);
    EXPECT_EQ(info.words.w0, 7u);
    EXPECT_EQ(info.words.w2, qmx::PresetByName("busy")->words.w2);
    EXPECT_EQ(info.words.authority, 0x08u);
    EXPECT_EQ(info.port, "LPT3:");
    EXPECT_EQ(info.secondName, "Room 2");
    EXPECT_TRUE(info.spoolerEntry);
    EXPECT_EQ(info.faults.refuseWrites, 3u);
    EXPECT_EQ(info.faults.asyncResult, 0x21u);
    EXPECT_EQ(info.faults.failNotifyAt, 4u);
    EXPECT_EQ(info.faults.failReadItems, qmx::ItemBit(qmx::Item::UserAuthority));
    EXPECT_NE(FindSpooled(SpoolerPrinters(), "Desk"), nullptr);
}

}  // namespace
