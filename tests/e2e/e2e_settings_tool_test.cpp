// rpsettings.exe against virtual printers: export and import between printers, diff, printers
// whose state refuses an update, an invalid file, a read-back that differs, and the password gate.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "qmx/VirtualPrinters.h"
#include "settings/SettingsBlock.h"
#include "tests/e2e/e2e_support.h"
#include "tests/unit/QmxRandomSettings.h"

namespace {

namespace vp = qmx::vp;

const char SuiteKey[] = "Software\\KOV\\Kestrovane";
const std::string Header = "RemotePanelSettings = 1\nModel = Brindlemark 400ZX\n";

class SettingsToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(vp::ResetAll(), 0u);
        ASSERT_EQ(vp::InstallModel(), 0u);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, SuiteKey, "Password");
    }
    void TearDown() override {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, SuiteKey, "Password");
        vp::ResetAll();
    }
    static void AddPrinters(std::initializer_list<const char*> names, const char* preset = nullptr) {
        for (const char* name : names) {
            vp::NewPrinter printer;
            printer.name = name;
            printer.spoolerEntry = true;
            ASSERT_EQ(vp::Add(printer), 0u);
            if (preset) {
                ASSERT_EQ(vp::ApplyPreset(name, preset), 0u);
            }
        }
    }
    static e2e::Run Tool(const std::string& arguments, const std::string& input = "") {
        return e2e::RunProgram("rpsettings.exe", arguments, input);
    }
    // A file in the prefix's temporary folder, with the given text.
    static std::string File(const char* name, const std::string& text = "") {
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof folder, folder);
        const std::string path = std::string(folder) + name;
        if (!text.empty()) std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static qmx::SettingsBlockBytes Block(const char* name) {
        qmx::SettingsBlockBytes block{};
        EXPECT_EQ(vp::GetBlock(name, block), 0u);
        return block;
    }
    static uint32_t Writes(const char* name) {
        vp::PrinterInfo info;
        EXPECT_EQ(vp::Get(name, info), 0u);
        return info.writeCount;
    }
    static bool Has(const e2e::Run& run, const std::string& text) {
        return run.output.find(text) != std::string::npos;
    }
};

TEST_F(SettingsToolTest, ExportedSettingsImportedToAnotherPrinterGiveTheSameBlock) {
    AddPrinters({"FROM", "TO"});
    std::mt19937 rng(7);
    const qmxtest::RandomSettings random = qmxtest::MakeRandomEnteredSettings(rng);
    SettingsBlock built = BuildSettingsBlock(random.record, random.slots);
    built.Bytes[0] = 1;
    built.Bytes[1] = 4;
    qmx::SettingsBlockBytes block;
    std::copy(std::begin(built.Bytes), std::end(built.Bytes), block.begin());
    ASSERT_EQ(vp::SetBlock("FROM", block), 0u);
    ASSERT_NE(Block("TO"), block);

    const std::string path = File("rps_from.txt");
    ASSERT_EQ(Tool("export FROM \"" + path + "\"").exitCode, 0u);
    const e2e::Run before = Tool("diff TO \"" + path + "\"");
    EXPECT_EQ(before.exitCode, 0u);
    EXPECT_TRUE(Has(before, "TO: import で ")) << before.output;

    const e2e::Run import = Tool("import TO \"" + path + "\"");
    EXPECT_EQ(import.exitCode, 0u) << import.output;
    EXPECT_TRUE(Has(import, "TO: 設定を書き込みました")) << import.output;
    EXPECT_EQ(Block("TO"), block);
    EXPECT_TRUE(Has(Tool("diff TO \"" + path + "\""), "TO: 違いはありません。"));
}

TEST_F(SettingsToolTest, BusyAndReadOnlyPrintersAreRefusedAndTheOthersWritten) {
    AddPrinters({"BUSY"}, "busy");
    AddPrinters({"RO"}, "read-only");
    AddPrinters({"OK"});
    const std::string path = File("rps_partial.txt", Header + "PageLength = 70\n");
    const e2e::Run run = Tool("import BUSY RO OK \"" + path + "\"");
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run, "BUSY: プリンタが処理中、またはエラー等が発生しています。")) << run.output;
    EXPECT_TRUE(Has(run, "RO: 設定の読み込みができます。設定の更新はできません。")) << run.output;
    EXPECT_EQ(Writes("BUSY"), 0u);
    EXPECT_EQ(Writes("RO"), 0u);
    EXPECT_EQ(Writes("OK"), 1u);
    EXPECT_EQ(Block("OK")[BlockPageLength], 70);
}

// A value the pages refuse; and one that, with printer B's own switch bits (bit 3.2 and six of
// the seven switches of byte 3 on), would store a switch byte no one could read back.
TEST_F(SettingsToolTest, AnInvalidFileIsWrittenToNoPrinter) {
    AddPrinters({"A", "B", "C"});
    ASSERT_EQ(vp::PatchBlock("B", BlockSwitchBits + 3, {0x7F}), 0u);
    const struct {
        std::string text, where;
    } files[] = {{"\n# paper\nPageLength = 70\nHeadCenterCutSheet = 9\n", ":6: HeadCenterCutSheet"},
                 {"PageLength = 70\nSheetGuideBySwitch = 1\n",
                  ":4: SheetGuideBySwitch（シートガイドの自動吸入方式）"},
                 {std::string("PageLength = 70\nX\0 = 1\nFont9 = 1\n", 33), ":4: NUL"},
                 {"# " + std::string(1 << 20, 'x') + "\n", ": 設定ファイルの大きさの上限 1 MiB"}};
    for (const auto& file : files) {
        const std::string path = File("rps_bad.txt", Header + file.text);
        const e2e::Run run = Tool("import A B C \"" + path + "\"");
        EXPECT_EQ(run.exitCode, 3u);
        EXPECT_TRUE(Has(run, path + file.where)) << run.output;
        for (const char* name : {"A", "B", "C"}) EXPECT_EQ(Writes(name), 0u) << name;
    }
}

TEST_F(SettingsToolTest, AReadBackThatDiffersGivesExitFourAndTheNextPrinterIsStillWritten) {
    AddPrinters({"ODD", "GOOD"});
    ASSERT_EQ(vp::SetFault("ODD", &vp::Faults::storeOtherWrites, 1), 0u);
    const std::string path = File("rps_page.txt", Header + "PageLength = 70\n");
    const e2e::Run run = Tool("import ODD GOOD \"" + path + "\"");
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_TRUE(Has(run, "PageLength（用紙長）: 書き込んだ値 70 行, 読み戻した値 71 行")) << run.output;
    EXPECT_TRUE(Has(run, "GOOD: 設定を書き込みました")) << run.output;
}

TEST_F(SettingsToolTest, ThePasswordGateOpensOnlyForTheStoredPassword) {
    AddPrinters({"LP1"});
    const std::string password = "ひみつ7";
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, SuiteKey, "Password", REG_SZ, password.c_str(),
                              static_cast<DWORD>(password.size() + 1)),
              ERROR_SUCCESS);
    const std::string path = File("rps_gate.txt", Header + "PageLength = 70\n");
    const struct {
        std::string arguments, input;
        DWORD exitCode;
    } cases[] = {
        {"list --password " + password, "", 0},
        {"list", password + "\r\n", 0},
        {"list", "", 1},
        {"list", "ひみつ\n", 1},
        {"list --password ひみつ7x", "", 1},
        {"import LP1 \"" + path + "\" --password ひみつ", password + "\n", 1},
    };
    for (const auto& c : cases) {
        const e2e::Run run = Tool(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.output;
        EXPECT_EQ(Has(run, "LP1"), c.exitCode == 0) << c.arguments << "\n" << run.output;
    }
    EXPECT_EQ(Writes("LP1"), 0u);
}

// Every write keeps what the printer held: undo puts both printers back byte for byte (and keeps a
// history file of its own), a history folder that cannot be made stops the write before anything
// is sent, and the 21st write of a printer removes its oldest file.
TEST_F(SettingsToolTest, HistoryKeptBeforeEveryWriteAndUndoPutsItBack) {
    AddPrinters({"P1", "P2"});
    ASSERT_EQ(vp::PatchBlock("P2", BlockPageLength, {60}), 0u);
    const qmx::SettingsBlockBytes originals[] = {Block("P1"), Block("P2")};
    const std::string history = File(("rps_history_" + std::to_string(GetTickCount())).c_str());
    const std::string place = " --history \"" + history + "\"";
    const auto files = [&history](const char* printer) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found{};
        const HANDLE search = FindFirstFileA((history + "\\" + printer + "\\*.txt").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            names.emplace_back(found.cFileName);
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::string page70 = File("rps_history70.txt", Header + "PageLength = 70\n");
    ASSERT_EQ(Tool("import P1 P2 \"" + page70 + "\"" + place).exitCode, 0u);
    ASSERT_NE(Block("P1"), originals[0]);
    const e2e::Run undo = Tool("undo P1 P2" + place);
    EXPECT_EQ(undo.exitCode, 0u) << undo.output;
    EXPECT_EQ(Block("P1"), originals[0]);
    EXPECT_EQ(Block("P2"), originals[1]);
    const e2e::Run listed = Tool("history P2" + place);
    EXPECT_TRUE(Has(listed, "rpsettings import\t変更 1 項目")) << listed.output;
    EXPECT_TRUE(Has(listed, "rpsettings undo\t変更 1 項目")) << listed.output;

    const std::string notAFolder = File("rps_not_a_folder", "a file");
    const e2e::Run refused = Tool("import P1 \"" + page70 + "\" --history \"" + notAFolder + "\\sub\"");
    EXPECT_EQ(refused.exitCode, 1u);
    EXPECT_TRUE(Has(refused, "履歴に残せない")) << refused.output;
    EXPECT_EQ(Writes("P1"), 2u) << "nothing sent";

    std::vector<std::string> twenty;
    for (int write = 3; write <= 21; ++write) {
        const std::string page = File("rps_history_n.txt", Header + "PageLength = " + std::to_string(40 + write) + "\n");
        ASSERT_EQ(Tool("import P1 \"" + page + "\"" + place).exitCode, 0u) << write;
        if (write == 20) twenty = files("P1");
    }
    const std::vector<std::string> kept = files("P1");
    ASSERT_EQ(twenty.size(), 20u);
    ASSERT_EQ(kept.size(), 20u);
    EXPECT_EQ(std::vector<std::string>(kept.begin(), kept.end() - 1),
              std::vector<std::string>(twenty.begin() + 1, twenty.end()));
    EXPECT_EQ(Tool("undo P1 --no-history --at " + kept[0].substr(0, 20) + place).exitCode, 0u);
    EXPECT_EQ(Block("P1")[BlockPageLength], 70) << "the oldest kept is the one before the undo";
    EXPECT_EQ(files("P1").size(), 20u) << "--no-history keeps none";
}

TEST_F(SettingsToolTest, BadUsageGivesExitTwoAndHelpListsTheCommands) {
    EXPECT_EQ(Tool("import").exitCode, 2u);
    const e2e::Run help = Tool("--help");
    EXPECT_EQ(help.exitCode, 0u);
    for (const char* command : {"list", "show", "export", "diff", "import", "copy"}) {
        EXPECT_TRUE(Has(help, std::string("rpsettings ") + command)) << command;
    }
}

}  // namespace
