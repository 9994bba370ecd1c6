// The stand-in KOVQMX.DLL through its nine entry points, in-process under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "link/KovQmx.h"
#include "qmx/PrinterRules.h"
#include "qmx/QmxStatus.h"
#include "qmx/VirtualPrinters.h"
#include "tests/gui/qmx_test_support.h"
#include "tests/support/InitialCommand.h"

namespace {

namespace vp = qmx::vp;

constexpr const char* kName = "Printer A";
constexpr DWORD kDeadline = 10000;  // only to fail instead of hanging

constexpr UINT kReadDone = WM_USER + 202;
constexpr UINT kWriteDone = WM_USER + 209;
constexpr UINT kExtChanged = WM_USER + 210;
constexpr UINT kStatusChanged = WM_USER + 211;
constexpr UINT kAuthorityChanged = WM_USER + 212;
constexpr UINT kNameChanged = WM_USER + 213;
constexpr UINT kPortChanged = WM_USER + 214;
constexpr UINT kSettingsChanged = WM_USER + 215;

// The same with the continuous-front feed position (block byte 26) set to `value`.
std::vector<uint8_t> CommandWithFeed(unsigned value) {
    auto c = qmxtest::InitialCommand();
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03u", value);
    std::memcpy(&c[41], digits, 3);
    return c;
}

class Library : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(vp::ResetAll(), qmx::kOk);
        vp::NewPrinter p;
        p.name = kName;
        p.port = "LPT2:";
        p.secondName = "Room 4";
        ASSERT_EQ(vp::Add(p), qmx::kOk);
        ASSERT_NE(window_.Get(), nullptr);
    }
    void TearDown() override {
        for (QMXSESSION s : sessions_) CloseManager(s);
        vp::ResetAll();
    }

    QMXSESSION Open(const char* name = kName) {
        QMXSESSION s = nullptr;
        EXPECT_EQ(OpenManagerExA(name, "tester", QMX_OPEN_MODE, &s), qmx::kOk) << name;
        if (s) sessions_.push_back(s);
        return s;
    }

    QMXNOTIFY Watch(QMXSESSION s, const char* item, UINT message) {
        QMXNOTIFY h = nullptr;
        EXPECT_EQ(SetNotificationMsgA(s, item, window_.Get(), message, &h), qmx::kOk) << item;
        return h;
    }

    qmx::SettingsBlockBytes ReadBlock(QMXSESSION s) {
        qmx::SettingsBlockBytes block{};
        uint32_t got = 0;
        EXPECT_EQ(GetPrinterStatusA(s, "RPVariables_PSV", block.data(), 260, &got), qmx::kOk);
        return block;
    }

    uint32_t ReadW2(QMXSESSION s) {
        uint32_t words[3] = {};
        uint32_t got = 0;
        EXPECT_EQ(GetPrinterStatusA(s, "PrinterStatus", words, sizeof words, &got), qmx::kOk);
        return words[2];
    }

    qmxtest::MessageWindow window_;
    std::vector<QMXSESSION> sessions_;
};

// ---- sessions ---------------------------------------------------------------------------------

TEST_F(Library, OpenFindsPrintersByTheirExactName) {
    const std::string longName(300, 'x');
    const struct {
        const char* name;
        uint32_t status;
    } cases[] = {
        {kName, qmx::kOk},        {"printer a", qmx::kErrNoPrinter},      {"Printer A ", qmx::kErrNoPrinter},
        {"", qmx::kErrNoPrinter}, {longName.c_str(), qmx::kErrNoPrinter}, {nullptr, qmx::kErrArgument}};
    for (const auto& c : cases) {
        QMXSESSION s = reinterpret_cast<QMXSESSION>(1);
        EXPECT_EQ(OpenManagerExA(c.name, "tester", QMX_OPEN_MODE, &s), c.status)
            << (c.name ? c.name : "(null)");
        if (c.status == qmx::kOk) {
            EXPECT_NE(s, nullptr);
            EXPECT_EQ(CloseManager(s), qmx::kOk);
        } else {
            EXPECT_EQ(s, nullptr);
        }
    }
    EXPECT_EQ(OpenManagerExA(kName, "tester", QMX_OPEN_MODE, nullptr), qmx::kErrArgument);
}

TEST_F(Library, RefuseOpenFaultRefusesNewSessionsOnly) {
    QMXSESSION before = Open();
    ASSERT_EQ(vp::SetFault(kName, &vp::Faults::refuseOpen, true), qmx::kOk);
    QMXSESSION s = nullptr;
    EXPECT_EQ(OpenManagerExA(kName, "tester", QMX_OPEN_MODE, &s), qmx::kErrOpenRefused);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(ReadW2(before), 0x1u);
    ASSERT_EQ(vp::SetFault(kName, &vp::Faults::refuseOpen, false), qmx::kOk);
    EXPECT_NE(Open(), nullptr);
}

TEST_F(Library, AClosedSessionIsUnknownToEveryCall) {
    QMXSESSION s = nullptr;
    ASSERT_EQ(OpenManagerExA(kName, "tester", QMX_OPEN_MODE, &s), qmx::kOk);
    QMXNOTIFY h = Watch(s, "PrinterStatus", kStatusChanged);
    ASSERT_EQ(CloseManager(s), qmx::kOk);
    uint8_t buffer[260];
    uint32_t got = 0;
    int32_t id = 0, result = 0;
    QMXNOTIFY h2 = nullptr;
    const auto command = qmxtest::InitialCommand();
    EXPECT_EQ(CloseManager(s), qmx::kErrSession);
    EXPECT_EQ(GetPrinterStatusA(s, "PrinterStatus", buffer, sizeof buffer, &got), qmx::kErrSession);
    EXPECT_EQ(GetReqPrinterStatusMsgA(s, "RPVariables_PSV", window_.Get(), kReadDone), qmx::kErrSession);
    EXPECT_EQ(
        SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window_.Get(), kWriteDone, &id),
        qmx::kErrSession);
    EXPECT_EQ(ResSetPrinterStatus(s, 1, &result), qmx::kErrSession);
    EXPECT_EQ(SetPrinterStatusDirectA(s, "RPVariables_PSV", command.data(), 260), qmx::kErrSession);
    EXPECT_EQ(SetNotificationMsgA(s, "PrinterStatus", window_.Get(), kStatusChanged, &h2), qmx::kErrSession);
    EXPECT_EQ(KillNotificationMsg(s, h), qmx::kErrSession);
    EXPECT_EQ(GetPrinterStatusA(nullptr, "PrinterStatus", buffer, sizeof buffer, &got), qmx::kErrSession);
}

// ---- reading items ----------------------------------------------------------------------------

TEST_F(Library, ItemsHaveTheirSizesAndNothingIsWrittenPastTheBuffer) {
    QMXSESSION s = Open();
    const struct {
        const char* item;
        uint32_t size;
    } items[] = {{"PrinterStatus", 12}, {"PrinterExtStatus", 4}, {"UserAuthority", 4},
                 {"PrinterName", 256},  {"Port", 260},           {"RPVariables_PSV", 260}};
    for (const auto& it : items) {
        std::vector<uint8_t> buffer(it.size + 16, 0xCC);
        uint32_t got = 0;
        EXPECT_EQ(GetPrinterStatusA(s, it.item, buffer.data(), it.size - 1, &got), qmx::kErrBufferSize)
            << it.item;
        EXPECT_EQ(got, it.size) << it.item;
        EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xCC), static_cast<long>(buffer.size()))
            << it.item;

        got = 0;
        EXPECT_EQ(GetPrinterStatusA(s, it.item, buffer.data(), static_cast<uint32_t>(buffer.size()), &got),
                  qmx::kOk)
            << it.item;
        EXPECT_EQ(got, it.size) << it.item;
        for (size_t k = it.size; k < buffer.size(); ++k)
            ASSERT_EQ(buffer[k], 0xCC) << it.item << " byte " << k;
        EXPECT_EQ(GetPrinterStatusA(s, it.item, buffer.data(), it.size, nullptr), qmx::kOk) << it.item;
        EXPECT_EQ(GetPrinterStatusA(s, it.item, nullptr, it.size, &got), qmx::kErrArgument) << it.item;
    }
}

TEST_F(Library, ItemValuesHaveTheirLayouts) {
    ASSERT_EQ(vp::SetStatus(kName, 0x11, 0x22, 0x33), qmx::kOk);
    ASSERT_EQ(vp::SetExtStatus(kName, 0xFFFFFFFF), qmx::kOk);
    ASSERT_EQ(vp::SetAuthority(kName, 0x08), qmx::kOk);
    QMXSESSION s = Open();
    uint32_t words[3] = {}, ext = 0, auth = 0;
    uint32_t got = 0;
    ASSERT_EQ(GetPrinterStatusA(s, "PrinterStatus", words, 12, &got), qmx::kOk);
    EXPECT_EQ(words[0], 0x11u);
    EXPECT_EQ(words[1], 0x22u);
    EXPECT_EQ(words[2], 0x33u);
    ASSERT_EQ(GetPrinterStatusA(s, "PrinterExtStatus", &ext, 4, &got), qmx::kOk);
    EXPECT_EQ(ext, 0xFFFFFFFFu);
    ASSERT_EQ(GetPrinterStatusA(s, "UserAuthority", &auth, 4, &got), qmx::kOk);
    EXPECT_EQ(auth, 0x08u);

    char name[256];
    std::memset(name, 0xCC, sizeof name);
    ASSERT_EQ(GetPrinterStatusA(s, "PrinterName", name, sizeof name, &got), qmx::kOk);
    EXPECT_STREQ(name, kName);
    EXPECT_EQ(name[255], 0);

    uint8_t port[260];
    std::memset(port, 0xCC, sizeof port);
    ASSERT_EQ(GetPrinterStatusA(s, "Port", port, sizeof port, &got), qmx::kOk);
    EXPECT_EQ(port[0] | port[1] | port[2] | port[3], 0);
    EXPECT_STREQ(reinterpret_cast<char*>(port + 4), "LPT2:");
    EXPECT_STREQ(reinterpret_cast<char*>(port + 132), "Room 4");

    EXPECT_EQ(ReadBlock(s), qmx::InitialBlock());
}

TEST_F(Library, LongestNamesStayTerminatedWithinTheirFields) {
    const std::string name(255, 'N'), port(127, 'P'), second(127, 'S');
    vp::NewPrinter p;
    p.name = name;
    p.port = port;
    p.secondName = second;
    ASSERT_EQ(vp::Add(p), qmx::kOk);
    p.name = std::string(256, 'N');
    EXPECT_EQ(vp::Add(p), qmx::kErrName);
    QMXSESSION s = Open(name.c_str());
    char text[256];
    uint32_t got = 0;
    ASSERT_EQ(GetPrinterStatusA(s, "PrinterName", text, sizeof text, &got), qmx::kOk);
    EXPECT_EQ(std::string(text, 255), name);
    EXPECT_EQ(text[255], 0);
    uint8_t item[260];
    ASSERT_EQ(GetPrinterStatusA(s, "Port", item, sizeof item, &got), qmx::kOk);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(item + 4)), port);
    EXPECT_EQ(item[131], 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(item + 132)), second);
    EXPECT_EQ(item[259], 0);
}

TEST_F(Library, ItemNamesAreExact) {
    QMXSESSION s = Open();
    uint8_t buffer[260];
    uint32_t got = 0;
    QMXNOTIFY h = nullptr;
    const auto command = qmxtest::InitialCommand();
    for (const char* item : {"printerstatus", "Printer", "", "RPVariables_PSV "}) {
        EXPECT_EQ(GetPrinterStatusA(s, item, buffer, sizeof buffer, &got), qmx::kErrItem) << item;
        EXPECT_EQ(SetNotificationMsgA(s, item, window_.Get(), kStatusChanged, &h), qmx::kErrItem) << item;
        EXPECT_EQ(GetReqPrinterStatusMsgA(s, item, window_.Get(), kReadDone), qmx::kErrItem) << item;
        EXPECT_EQ(SetPrinterStatusDirectA(s, item, command.data(), 260), qmx::kErrItem) << item;
    }
    for (const char* item : {"PrinterStatus", "PrinterName", "Port"})
        EXPECT_EQ(SetPrinterStatusDirectA(s, item, command.data(), 260), qmx::kErrNotWritable) << item;
}

TEST_F(Library, ReadFaultFailsOnlyTheNamedItem) {
    QMXSESSION s = Open();
    const char* names[] = {"PrinterStatus", "PrinterExtStatus", "UserAuthority", "PrinterName",
                           "Port",          "RPVariables_PSV"};
    for (size_t failing = 0; failing < qmx::kItemCount; ++failing) {
        ASSERT_EQ(vp::SetReadFault(kName, static_cast<qmx::Item>(failing), true), qmx::kOk);
        for (size_t k = 0; k < qmx::kItemCount; ++k) {
            uint8_t buffer[260];
            uint32_t got = 0;
            EXPECT_EQ(GetPrinterStatusA(s, names[k], buffer, sizeof buffer, &got),
                      k == failing ? qmx::kErrReadFailed : qmx::kOk)
                << names[k] << " while " << names[failing] << " fails";
        }
        ASSERT_EQ(vp::SetReadFault(kName, static_cast<qmx::Item>(failing), false), qmx::kOk);
    }
}

TEST_F(Library, BadHeaderFaultSpoilsTheNextReadsOnly) {
    QMXSESSION s = Open();
    ASSERT_EQ(vp::SetFault(kName, &vp::Faults::badHeaderReads, 2), qmx::kOk);
    for (int read = 0; read < 3; ++read) {
        const auto block = ReadBlock(s);
        EXPECT_EQ(block[0], 1) << read;
        EXPECT_EQ(block[1], read < 2 ? 3 : 4) << read;
        EXPECT_EQ(std::memcmp(block.data() + 2, qmx::InitialBlock().data() + 2, 258), 0) << read;
    }
}

// ---- writing ----------------------------------------------------------------------------------

TEST_F(Library, DirectWriteIsStoredBeforeItReturns) {
    QMXSESSION s = Open();
    const auto command = CommandWithFeed(100);
    ASSERT_EQ(SetPrinterStatusDirectA(s, "RPVariables_PSV", command.data(), 260), qmx::kOk);
    auto expected = qmx::InitialBlock();
    expected[26] = 100;
    EXPECT_EQ(ReadBlock(s), expected);
    std::vector<uint8_t> last;
    uint32_t writes = 0;
    ASSERT_EQ(vp::GetLastCommand(kName, last, &writes), qmx::kOk);
    EXPECT_EQ(last, command);
    EXPECT_EQ(writes, 1u);
}

TEST_F(Library, MalformedCommandsAreRefusedAndChangeNothing) {
    QMXSESSION s = Open();
    const auto good = CommandWithFeed(100);
    struct Case {
        const char* what;
        std::vector<uint8_t> command;
        uint32_t size;
    };
    std::vector<Case> cases = {{"one byte short", good, 194}, {"longer than the item", good, 261}};
    auto edit = [&](const char* what, size_t at, uint8_t byte) {
        Case c{what, good, 260};
        c.command[at] = byte;
        cases.push_back(c);
    };
    edit("no FS", 0, 0x1B);
    edit("semicolon for a comma", 44, ';');
    edit("letter in a number", 42, 'A');
    edit("feed 900", 41, '9');
    edit("font 7", 16, '7');
    edit("lower-case hex", 67, 'a');
    edit("no final stop", 194, ',');
    edit("trailing byte", 200, 'x');
    cases[1].command.resize(300, 0);
    uint32_t expectedWrites = 0;
    for (const auto& c : cases) {
        int32_t id = 0;
        const std::vector<uint8_t> handedOver(c.command.begin(),
                                              c.command.begin() + std::min<size_t>(c.size, 260));
        std::vector<uint8_t> last;
        uint32_t writes = 0;
        EXPECT_EQ(SetPrinterStatusDirectA(s, "RPVariables_PSV", c.command.data(), c.size), qmx::kErrCommand)
            << c.what;
        ASSERT_EQ(vp::GetLastCommand(kName, last, &writes), qmx::kOk);
        EXPECT_EQ(last, handedOver) << c.what;
        EXPECT_EQ(writes, ++expectedWrites) << c.what;
        EXPECT_EQ(SetReqPrinterStatusMsgA(s, "RPVariables_PSV", c.command.data(), c.size, window_.Get(),
                                          kWriteDone, &id),
                  qmx::kErrCommand)
            << c.what;
        ASSERT_EQ(vp::GetLastCommand(kName, last, &writes), qmx::kOk);
        EXPECT_EQ(last, handedOver) << c.what << " (request)";
        EXPECT_EQ(writes, ++expectedWrites) << c.what << " (request)";
        EXPECT_EQ(ReadBlock(s), qmx::InitialBlock()) << c.what;
    }
    EXPECT_EQ(SetPrinterStatusDirectA(s, "RPVariables_PSV", nullptr, 260), qmx::kErrArgument);
}

TEST_F(Library, RefusedWritesCountDownAcrossBothKindsOfWrite) {
    QMXSESSION s = Open();
    ASSERT_EQ(vp::SetFault(kName, &vp::Faults::refuseWrites, 2), qmx::kOk);
    const auto command = CommandWithFeed(60);
    int32_t id = 0;
    EXPECT_EQ(SetPrinterStatusDirectA(s, "RPVariables_PSV", command.data(), 260), qmx::kErrWriteRefused);
    EXPECT_EQ(
        SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window_.Get(), kWriteDone, &id),
        qmx::kErrWriteRefused);
    EXPECT_EQ(ReadBlock(s), qmx::InitialBlock());
    EXPECT_EQ(SetPrinterStatusDirectA(s, "RPVariables_PSV", command.data(), 260), qmx::kOk);
    EXPECT_EQ(ReadBlock(s)[26], 60);
}

TEST_F(Library, AsyncWriteCompletesOnTheCallersMessageLoop) {
    QMXSESSION s = Open();
    const auto command = CommandWithFeed(28);
    int32_t id = 0;
    ASSERT_EQ(
        SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window_.Get(), kWriteDone, &id),
        qmx::kOk);
    MSG m{};
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kWriteDone, kDeadline, &m));
    EXPECT_EQ(m.lParam, id);
    int32_t result = -1;
    EXPECT_EQ(ResSetPrinterStatus(s, id, &result), qmx::kOk);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBlock(s)[26], 28);
}

TEST_F(Library, RequestIdsAreDistinctAndEveryResultStaysRetrievable) {
    QMXSESSION s = Open();
    QMXSESSION other = Open();
    std::set<int32_t> ids;
    for (unsigned k = 0; k < 5; ++k) {
        const auto command = CommandWithFeed(k);
        int32_t id = 0;
        ASSERT_EQ(SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window_.Get(),
                                          kWriteDone, &id),
                  qmx::kOk);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 5u);
    for (int k = 0; k < 5; ++k)
        ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kWriteDone, kDeadline)) << k;
    for (int32_t id : ids) {
        int32_t result = -1;
        EXPECT_EQ(ResSetPrinterStatus(s, id, &result), qmx::kOk) << id;
        EXPECT_EQ(result, 0) << id;
        EXPECT_EQ(ResSetPrinterStatus(other, id, &result), qmx::kErrRequest) << id;
    }
    int32_t result = 0;
    EXPECT_EQ(ResSetPrinterStatus(s, *ids.rbegin() + 100, &result), qmx::kErrRequest);
    EXPECT_EQ(ResSetPrinterStatus(s, *ids.begin(), nullptr), qmx::kErrArgument);
    EXPECT_EQ(ReadBlock(s)[26], 4);  // applied in the order they were made
}

TEST_F(Library, RequestsNeverHoldUpTheCaller) {
    ASSERT_EQ(vp::SetFault(kName, &vp::Faults::latencyMs, 3000), qmx::kOk);
    QMXSESSION s = Open();
    const auto command = CommandWithFeed(40);
    int32_t id = 0;
    ASSERT_EQ(
        SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window_.Get(), kWriteDone, &id),
        qmx::kOk);
    ASSERT_EQ(GetReqPrinterStatusMsgA(s, "RPVariables_PSV", window_.Get(), kReadDone), qmx::kOk);
    // Both calls are back while the printer is still busy with them.
    int32_t result = 0;
    EXPECT_EQ(ResSetPrinterStatus(s, id, &result), qmx::kErrPending);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, window_.Get(), kReadDone, kWriteDone, PM_NOREMOVE));
    EXPECT_EQ(ReadBlock(s)[26], 120);
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kWriteDone, kDeadline));
    EXPECT_EQ(ResSetPrinterStatus(s, id, &result), qmx::kOk);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBlock(s)[26], 40);
}

TEST_F(Library, AsyncResultFaultCompletesWithThatResultAndChangesNothing) {
    ASSERT_EQ(vp::SetFault(kName, &vp::Faults::asyncResult, 0x55), qmx::kOk);
    QMXSESSION s = Open();
    const auto command = CommandWithFeed(15);
    int32_t id = 0;
    ASSERT_EQ(
        SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window_.Get(), kWriteDone, &id),
        qmx::kOk);
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kWriteDone, kDeadline));
    int32_t result = 0;
    EXPECT_EQ(ResSetPrinterStatus(s, id, &result), qmx::kOk);
    EXPECT_EQ(result, 0x55);
    EXPECT_EQ(ReadBlock(s), qmx::InitialBlock());
    std::vector<uint8_t> last;
    ASSERT_EQ(vp::GetLastCommand(kName, last), qmx::kOk);
    EXPECT_EQ(last, command);  // the printer received it, and failed it
}

TEST_F(Library, ReadRequestPostsItsMessage) {
    QMXSESSION s = Open();
    ASSERT_EQ(GetReqPrinterStatusMsgA(s, "RPVariables_PSV", window_.Get(), kReadDone), qmx::kOk);
    EXPECT_TRUE(qmxtest::WaitForMessage(window_.Get(), kReadDone, kDeadline));
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(GetReqPrinterStatusMsgA(s, "RPVariables_PSV", gone, kReadDone), qmx::kErrWindow);
    EXPECT_EQ(GetReqPrinterStatusMsgA(s, "RPVariables_PSV", nullptr, kReadDone), qmx::kErrWindow);
}

TEST_F(Library, RemovedPrinterFailsItsSessions) {
    QMXSESSION s = Open();
    ASSERT_EQ(vp::Remove(kName), qmx::kOk);
    uint8_t buffer[260];
    uint32_t got = 0;
    int32_t id = 0;
    QMXNOTIFY h = nullptr;
    const auto command = qmxtest::InitialCommand();
    EXPECT_EQ(GetPrinterStatusA(s, "PrinterStatus", buffer, sizeof buffer, &got), qmx::kErrNoPrinter);
    EXPECT_EQ(SetPrinterStatusDirectA(s, "RPVariables_PSV", command.data(), 260), qmx::kErrNoPrinter);
    EXPECT_EQ(
        SetReqPrinterStatusMsgA(s, "RPVariables_PSV", command.data(), 260, window_.Get(), kWriteDone, &id),
        qmx::kErrNoPrinter);
    EXPECT_EQ(SetNotificationMsgA(s, "PrinterStatus", window_.Get(), kStatusChanged, &h), qmx::kErrNoPrinter);
    EXPECT_EQ(CloseManager(s), qmx::kOk);
    sessions_.clear();
}

// ---- notifications ----------------------------------------------------------------------------

struct WatchedItem {
    const char* item;
    UINT message;
    std::function<uint32_t()> change;  // in-process, through the store
    const char* qmxctl;                // the same kind of change from another process
};

std::vector<WatchedItem> WatchedItems() {
    return {
        {"PrinterName", kNameChanged, [] { return vp::Rename(kName, "Renamed"); },
         "rename \"Printer A\" Renamed"},
        {"Port", kPortChanged, [] { return vp::SetPort("Renamed", "LPT3:"); }, "set Renamed port LPT3:"},
        {"PrinterExtStatus", kExtChanged, [] { return vp::SetExtStatus("Renamed", 0x1); },
         "set Renamed ext 1"},
        {"PrinterStatus", kStatusChanged, [] { return vp::SetStatus("Renamed", 0, 0x400, 1); },
         "set Renamed w1 0x400"},
        {"UserAuthority", kAuthorityChanged, [] { return vp::SetAuthority("Renamed", 0x08); },
         "set Renamed auth 8"},
        {"RPVariables_PSV", kSettingsChanged, [] { return vp::PatchBlock("Renamed", 26, {100}); },
         "block Renamed patch 26 64"},
    };
}

TEST_F(Library, EachWatchedItemReportsItsOwnChangesOnly) {
    QMXSESSION s = Open();
    const auto items = WatchedItems();
    for (const auto& w : items) Watch(s, w.item, w.message);
    for (const auto& w : items) {
        ASSERT_EQ(w.change(), qmx::kOk) << w.item;
        std::vector<UINT> others;
        EXPECT_TRUE(qmxtest::WaitForMessage(window_.Get(), w.message, kDeadline, nullptr, &others)) << w.item;
        for (const MSG& m : qmxtest::CollectMessages(window_.Get(), 0)) others.push_back(m.message);
        EXPECT_TRUE(others.empty()) << w.item << " also reported message " << others.front();
    }
}

TEST_F(Library, ChangesMadeByAnotherProcessArrive) {
    QMXSESSION s = Open();
    const auto items = WatchedItems();
    for (const auto& w : items) Watch(s, w.item, w.message);
    for (const auto& w : items) {
        ASSERT_EQ(qmxtest::RunQmxctl(w.qmxctl), 0) << w.qmxctl;
        EXPECT_TRUE(qmxtest::WaitForMessage(window_.Get(), w.message, kDeadline)) << w.qmxctl;
    }
}

TEST_F(Library, KillAndCloseStopNotifications) {
    QMXSESSION panel = Open();
    QMXSESSION probe = Open();
    QMXNOTIFY status = Watch(panel, "PrinterStatus", kStatusChanged);
    Watch(panel, "PrinterExtStatus", kExtChanged);  // stays: tells when the worker has looked
    Watch(probe, "UserAuthority", kAuthorityChanged);
    EXPECT_EQ(KillNotificationMsg(panel, status), qmx::kOk);
    EXPECT_EQ(KillNotificationMsg(panel, status), qmx::kErrHandle);
    EXPECT_EQ(CloseManager(probe), qmx::kOk);
    ASSERT_EQ(vp::SetStatus(kName, 0, 0, 5), qmx::kOk);
    ASSERT_EQ(vp::SetAuthority(kName, 0x08), qmx::kOk);
    ASSERT_EQ(vp::SetExtStatus(kName, 0x1), qmx::kOk);
    std::vector<UINT> others;
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kExtChanged, kDeadline, nullptr, &others));
    for (const MSG& m : qmxtest::CollectMessages(window_.Get(), 0)) others.push_back(m.message);
    EXPECT_TRUE(others.empty()) << "a cancelled registration still reported message " << others.front();
}

TEST_F(Library, HandlesBelongToTheirSession) {
    QMXSESSION a = Open();
    QMXSESSION b = Open();
    QMXNOTIFY h = Watch(a, "PrinterStatus", kStatusChanged);
    EXPECT_EQ(KillNotificationMsg(b, h), qmx::kErrHandle);
    EXPECT_EQ(KillNotificationMsg(a, nullptr), qmx::kErrHandle);
    EXPECT_EQ(KillNotificationMsg(a, h), qmx::kOk);
    QMXNOTIFY out = reinterpret_cast<QMXNOTIFY>(1);
    EXPECT_EQ(SetNotificationMsgA(a, "PrinterStatus", nullptr, kStatusChanged, &out), qmx::kErrWindow);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(SetNotificationMsgA(a, "PrinterStatus", window_.Get(), kStatusChanged, nullptr),
              qmx::kErrArgument);
}

TEST_F(Library, NotifyFaultFailsTheKthRegistrationOfEverySession) {
    ASSERT_EQ(vp::SetFault(kName, &vp::Faults::failNotifyAt, 3), qmx::kOk);
    for (int round = 0; round < 2; ++round) {
        QMXSESSION s = Open();
        const char* items[] = {"PrinterName",   "Port",          "PrinterExtStatus",
                               "PrinterStatus", "UserAuthority", "RPVariables_PSV"};
        for (int k = 0; k < 6; ++k) {
            QMXNOTIFY h = reinterpret_cast<QMXNOTIFY>(1);
            EXPECT_EQ(SetNotificationMsgA(s, items[k], window_.Get(), kNameChanged + k, &h),
                      k == 2 ? qmx::kErrNotifyRefused : qmx::kOk)
                << "round " << round << " registration " << k + 1;
            EXPECT_EQ(h == nullptr, k == 2) << k;
        }
    }
}

TEST_F(Library, ASessionFollowsItsPrinterAcrossARename) {
    QMXSESSION s = Open();
    Watch(s, "PrinterName", kNameChanged);
    Watch(s, "PrinterStatus", kStatusChanged);
    ASSERT_EQ(vp::Rename(kName, "New name"), qmx::kOk);
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kNameChanged, kDeadline));
    char name[256];
    uint32_t got = 0;
    ASSERT_EQ(GetPrinterStatusA(s, "PrinterName", name, sizeof name, &got), qmx::kOk);
    EXPECT_STREQ(name, "New name");
    ASSERT_EQ(vp::SetStatus("New name", 0, 0, 5), qmx::kOk);
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kStatusChanged, kDeadline));
    EXPECT_EQ(ReadW2(s), 5u);
    QMXSESSION old = nullptr;
    EXPECT_EQ(OpenManagerExA(kName, "tester", QMX_OPEN_MODE, &old), qmx::kErrNoPrinter);
}

// ---- robustness -------------------------------------------------------------------------------

constexpr uint32_t kChanges = 1000;

DWORD WINAPI ChangeStatusRapidly(void*) {
    for (uint32_t k = 1; k <= kChanges; ++k) vp::SetStatus(kName, 0, 0, k);
    vp::SetExtStatus(kName, 0x1);  // marks the end
    return 0;
}

DWORD WINAPI OpenAndCloseSessions(void*) {
    for (int k = 0; k < 100; ++k) {
        QMXSESSION s = nullptr;
        if (OpenManagerExA(kName, "thread", QMX_OPEN_MODE, &s) != qmx::kOk) return 1;
        uint32_t words[3];
        uint32_t got = 0;
        if (GetPrinterStatusA(s, "PrinterStatus", words, sizeof words, &got) != qmx::kOk) return 2;
        if (CloseManager(s) != qmx::kOk) return 3;
    }
    return 0;
}

TEST_F(Library, RapidChangesAlwaysEndWithTheLastValue) {
    QMXSESSION s = Open();
    Watch(s, "PrinterStatus", kStatusChanged);
    Watch(s, "PrinterExtStatus", kExtChanged);
    HANDLE writer = CreateThread(nullptr, 0, ChangeStatusRapidly, nullptr, 0, nullptr);
    ASSERT_NE(writer, nullptr);
    // React as the panel does: every notification re-reads the item.
    uint32_t lastRead = 0, notifications = 0;
    bool endSeen = false;
    std::vector<UINT> others;
    const ULONGLONG deadline = GetTickCount64() + 60000;
    while (!endSeen && GetTickCount64() < deadline) {
        if (qmxtest::WaitForMessage(window_.Get(), kStatusChanged, 200, nullptr, &others)) {
            ++notifications;
            lastRead = ReadW2(s);
        }
        for (UINT o : others) endSeen |= o == kExtChanged;
        others.clear();
    }
    WaitForSingleObject(writer, 60000);
    CloseHandle(writer);
    ASSERT_TRUE(endSeen);
    for (const MSG& m : qmxtest::CollectMessages(window_.Get(), 0)) {
        if (m.message == kStatusChanged) {
            ++notifications;
            lastRead = ReadW2(s);
        }
    }
    EXPECT_EQ(lastRead, kChanges);
    EXPECT_GE(notifications, 1u);
    std::printf("[ info ] %u changes gave %u notifications\n", kChanges, notifications);
}

TEST_F(Library, ProbeSessionsComeAndGoWhileThePanelSessionStays) {
    QMXSESSION panel = Open();
    for (const auto& w : WatchedItems()) Watch(panel, w.item, w.message);
    for (int k = 0; k < 100; ++k) {
        QMXSESSION probe = nullptr;
        ASSERT_EQ(OpenManagerExA(kName, "prober", QMX_OPEN_MODE, &probe), qmx::kOk);
        uint8_t port[260];
        uint32_t words[3];
        uint32_t got = 0;
        EXPECT_EQ(GetPrinterStatusA(probe, "Port", port, sizeof port, &got), qmx::kOk);
        EXPECT_EQ(GetPrinterStatusA(probe, "PrinterStatus", words, sizeof words, &got), qmx::kOk);
        if (k % 10 == 0) vp::SetStatus(kName, 0, 0, 0x100 + k);
        EXPECT_EQ(CloseManager(probe), qmx::kOk);
    }
    qmxtest::DrainMessages(window_.Get());
    ASSERT_EQ(vp::SetStatus(kName, 0, 0, 7), qmx::kOk);
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kStatusChanged, kDeadline));
    EXPECT_EQ(ReadW2(panel), 7u);
}

TEST_F(Library, SessionsOpenedAndClosedOnSeveralThreadsAtOnce) {
    QMXSESSION panel = Open();
    Watch(panel, "PrinterStatus", kStatusChanged);
    HANDLE threads[3];
    for (auto& t : threads) t = CreateThread(nullptr, 0, OpenAndCloseSessions, nullptr, 0, nullptr);
    ASSERT_EQ(WaitForMultipleObjects(3, threads, TRUE, 60000), WAIT_OBJECT_0);
    for (HANDLE t : threads) {
        DWORD code = 99;
        GetExitCodeThread(t, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(t);
    }
    ASSERT_EQ(vp::SetStatus(kName, 0, 0, 9), qmx::kOk);
    ASSERT_TRUE(qmxtest::WaitForMessage(window_.Get(), kStatusChanged, kDeadline));
}

}  // namespace
