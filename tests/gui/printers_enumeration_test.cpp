// The supported model from the registry and the spooler's printers of that model, against the
// stand-in library's virtual printers and their spooler entries.
#include "printers/PrinterEnumeration.h"
#include "printers/SupportedModels.h"
#include "printers_fixture.h"

namespace printerstest {
namespace {

const char kModelsKey[] = "Software\\KOV\\Kestrovane\\Printers";

std::string Unknown() { return ProgramString(IDS_STATE_UNKNOWN); }

void ExpectWarning(const rptest::RecordedBox& box, const std::string& text) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, ProgramString(IDS_APP_TITLE));
    EXPECT_EQ(box.icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.owner, nullptr);
}

using EnumerationTest = PrintersTest;

TEST_F(EnumerationTest, ListsThePrintersOfTheSupportedDriverInSpoolerOrder) {
    Add({"Kestrel A"});
    Add({"Acme", "LPT2:", "", "Acme Laser"});
    Add({"Lower case driver", "LPT1:", "", "kov brindlemark 400zx"});
    Add({"Kestrel B"});
    Add({"Kestrel C"});
    rptest::MessageBoxRecorder boxes;
    EXPECT_EQ(EnumerateSupportedPrinters(), 3);
    EXPECT_EQ(AppState.PrinterCount, 3);
    EXPECT_EQ(ListedNames(), SpoolerOrder(kDriver));
    EXPECT_EQ(ListedNames().size(), 3u);
    for (const PrinterEntry* e = AppState.PrinterList; e; e = e->Next) EXPECT_STREQ(e->Model, kDriver);
    EXPECT_EQ(AppState.CurrentPrinter, nullptr);
    // rpsettings' search finds the same printers.
    const PrinterSearch search = FindSupportedPrinters();
    std::vector<std::string> found;
    for (const PrinterEntry* e = search.List; e; e = e->Next) {
        found.push_back(e->Name);
        EXPECT_EQ(e->PortText, nullptr);
    }
    FreePrinterList(search.List);
    EXPECT_EQ(found, ListedNames());
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(EnumerationTest, PortTextComesFromTheLibrary) {
    const std::string longPort(127, 'P'), longSecond(127, 'S');
    struct Case {
        Printer printer;
        void (*fault)(const std::string& name);
        std::string portText;
    } cases[] = {
        {{"plain"}, nullptr, "LPT1:"},
        {{"second name", "IP_10.0.0.7", "printhost"}, nullptr, "IP_10.0.0.7(printhost)"},
        {{"file port", "FILE:"}, nullptr, "FILE:"},
        {{"network", "\\\\srv\\q"}, nullptr, "\\\\srv\\q"},
        {{"full fields", longPort, longSecond}, nullptr, longPort + "(" + longSecond + ")"},
        {{"refuses open"},
         [](const std::string& n) { qmx::vp::SetFault(n, &qmx::vp::Faults::refuseOpen, true); },
         Unknown()},
        {{"port unreadable"},
         [](const std::string& n) { qmx::vp::SetReadFault(n, qmx::Item::Port, true); },
         Unknown()},
    };
    for (const Case& c : cases) {
        Add(c.printer);
        if (c.fault) c.fault(c.printer.name);
    }
    EXPECT_EQ(EnumerateSupportedPrinters(), static_cast<int32_t>(std::size(cases)));
    for (const Case& c : cases) {
        PrinterEntry* entry = Entry(c.printer.name);
        ASSERT_NE(entry, nullptr) << c.printer.name;
        EXPECT_EQ(entry->PortText, nullptr) << "no probe session until the port text is used";
        EXPECT_EQ(std::string(PortTextOf(entry)), c.portText) << c.printer.name;
    }
}

TEST_F(EnumerationTest, CurrentPrinterIsFoundAgainByNameOrLost) {
    const std::string longName(200, 'L');
    Add({"keep"});
    Add({longName});
    Add({"rename me"});
    ASSERT_EQ(EnumerateSupportedPrinters(), 3);
    for (const char* name : {"keep", longName.c_str()}) {
        AppState.CurrentPrinter = Entry(name);
        ASSERT_EQ(EnumerateSupportedPrinters(), 3);
        ASSERT_NE(AppState.CurrentPrinter, nullptr);
        EXPECT_EQ(AppState.CurrentPrinter, Entry(name));  // an entry of the new list
    }
    AppState.CurrentPrinter = Entry("rename me");
    ASSERT_EQ(qmx::vp::Rename("rename me", "renamed"), 0u);
    EXPECT_EQ(EnumerateSupportedPrinters(), 3);
    EXPECT_EQ(AppState.CurrentPrinter, nullptr);
    EXPECT_NE(Entry("renamed"), nullptr);
}

TEST_F(EnumerationTest, NoPrinterAtAllGivesZeroWithoutAMessage) {
    DWORD needed = 0, returned = 0;
    EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned);
    if (needed != 0) GTEST_SKIP() << "the prefix has printers of its own";
    rptest::MessageBoxRecorder boxes;
    EXPECT_EQ(EnumerateSupportedPrinters(), 0);
    EXPECT_EQ(AppState.PrinterList, nullptr);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(EnumerationTest, MissingRegistryKeyNamesTheKey) {
    Add({"Kestrel A"});
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kModelsKey);
    rptest::MessageBoxRecorder boxes;
    EXPECT_EQ(EnumerateSupportedPrinters(), 0);
    EXPECT_EQ(AppState.PrinterList, nullptr);
    ASSERT_EQ(boxes.Count(), 1u);
    ExpectWarning(boxes.Boxes()[0], ProgramString(IDS_REGISTRY_OPEN_FAILED) +
                                        "\nKey: HKEY_LOCAL_MACHINE\\Software\\KOV\\Kestrovane\\Printers");
}

TEST_F(EnumerationTest, OnlyTheExactModelSubkeyCounts) {
    struct Case {
        std::vector<const char*> subkeys;
        bool supported;
    } cases[] = {
        {{"brindlemark 400zx"}, false},  // letter case differs
        {{"Brindlemark 300ZX", "Other"}, false},
        {{}, false},  // empty key
        {{"Brindlemark 300ZX", "Brindlemark 400ZX", "Other"}, true},
    };
    Add({"Kestrel A"});
    for (const Case& c : cases) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kModelsKey);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kModelsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        for (const char* subkey : c.subkeys) {
            HKEY sub = nullptr;
            RegCreateKeyExA(key, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr);
            RegCloseKey(sub);
        }
        RegCloseKey(key);

        rptest::MessageBoxRecorder boxes;
        PrinterEntry* models = LoadSupportedModels();
        if (c.supported) {
            ASSERT_NE(models, nullptr);
            EXPECT_STREQ(models->Model, kDriver);
            EXPECT_EQ(models->Name, nullptr);
            EXPECT_EQ(models->PortText, nullptr);
            EXPECT_EQ(models->Next, nullptr);
            EXPECT_EQ(boxes.Count(), 0u);
            EXPECT_EQ(EnumerateSupportedPrinters(), 1);
        } else {
            EXPECT_EQ(models, nullptr);
            EXPECT_EQ(EnumerateSupportedPrinters(), 0);
            ASSERT_EQ(boxes.Count(), 2u);  // once for each call
            ExpectWarning(boxes.Boxes()[0], ProgramString(IDS_NO_SUPPORTED_PRINTER));
        }
        FreePrinterList(models);
    }
}

// Allocations of one enumeration with two supported printers, in order: the model's record and
// its driver name, the spooler buffer, then per printer the entry, name and model.
TEST_F(EnumerationTest, AllocationFailureReportsAndLeavesNoList) {
    Add({"Kestrel A"});
    Add({"Kestrel B"});
    const std::string failed = ProgramString(IDS_ALLOCATION_FAILED) + "\nエラーコード： 8";
    struct Case {
        int failAfter;
        const char* what;
        rptest::BoxIcon endIcon;
    } cases[] = {
        {0, "model record", rptest::BoxIcon::Warning}, {1, "model name", rptest::BoxIcon::Warning},
        {2, "spooler buffer", rptest::BoxIcon::None},  {3, "first entry", rptest::BoxIcon::None},
        {5, "first model", rptest::BoxIcon::None},  {6, "second entry", rptest::BoxIcon::None},
        {8, "second model", rptest::BoxIcon::None},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(EnumerateSupportedPrinters(), 2);
        AppState.CurrentPrinter = AppState.PrinterList;
        rptest::MessageBoxRecorder boxes;
        failAfter = c.failAfter;
        SetAllocationGate(CountingGate);
        EXPECT_EQ(EnumerateSupportedPrinters(), 0) << c.what;
        SetAllocationGate(nullptr);
        EXPECT_EQ(AppState.PrinterList, nullptr) << c.what;
        EXPECT_EQ(AppState.CurrentPrinter, nullptr) << c.what;
        EXPECT_EQ(AppState.PrinterCount, 0) << c.what;
        ASSERT_EQ(boxes.Count(), 2u) << c.what;
        EXPECT_EQ(boxes.Boxes()[0].text, failed) << c.what;
        EXPECT_EQ(boxes.Boxes()[0].icon, rptest::BoxIcon::None) << c.what;
        EXPECT_EQ(boxes.Boxes()[1].text, ProgramString(IDS_PROGRAM_ENDS)) << c.what;
        EXPECT_EQ(boxes.Boxes()[1].caption, ProgramString(IDS_APP_TITLE)) << c.what;
        EXPECT_EQ(boxes.Boxes()[1].icon, c.endIcon) << c.what;
        EXPECT_EQ(boxes.Boxes()[1].owner, nullptr) << c.what;
    }
}

}  // namespace
}  // namespace printerstest
