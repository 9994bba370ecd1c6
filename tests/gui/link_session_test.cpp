// Reading the state items, registering the six notifications and ending the session, against the
// stand-in library and its virtual printers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LinkFixture.h"
#include "QmxCallLog.h"
#include "base/Messages.h"
#include "link/Notifications.h"
#include "link/StateRead.h"
#include "qmx/VirtualPrinters.h"
#include "tests/support/Pump.h"

namespace {

using linktest::ProgramString;
using linktest::QmxCall;
using linktest::QmxCallLog;
namespace vp = qmx::vp;

constexpr const char* kPrinter = "RP Link Test";

// The six notifications in registration order.
struct Expected {
    const char* item;
    UINT message;
};
const Expected kOrder[6] = {
    {"PrinterName", 1237},   {"Port", 1238},          {"PrinterExtStatus", 1234},
    {"PrinterStatus", 1235}, {"UserAuthority", 1236}, {"RPVariables_PSV", 1239},
};

class LinkSession : public linktest::LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        AddPrinterAndOpenSession(kPrinter);
    }

    void TearDown() override {
        CloseSession();
        vp::ResetAll();
        LinkTest::TearDown();
    }

    int RegisteredSlots() const {
        int count = 0;
        for (QMXNOTIFY handle : AppState.NotificationHandles) count += handle != nullptr;
        return count;
    }
};

TEST_F(LinkSession, ReadsAllThreeItemsIntoAppState) {
    ASSERT_EQ(vp::SetExtStatus(kPrinter, 0x3), 0u);
    ASSERT_EQ(vp::SetStatus(kPrinter, 7, 0x800, 0x1001), 0u);
    ASSERT_EQ(vp::SetAuthority(kPrinter, 0x08), 0u);
    EXPECT_EQ(ReadPrinterState(), 1);
    EXPECT_EQ(AppState.LastExtStatus, 0x3);
    EXPECT_EQ(AppState.LastPrinterStatus[0], 7);
    EXPECT_EQ(AppState.LastPrinterStatus[1], 0x800);
    EXPECT_EQ(AppState.LastPrinterStatus[2], 0x1001);
    EXPECT_EQ(AppState.LastUserAuthority, 0x08);
}

TEST_F(LinkSession, ReadStopsAtTheFirstFailingItemWithItsText) {
    constexpr int32_t kUnread = 0x5A5A;
    const char* const order[3] = {"PrinterExtStatus", "PrinterStatus", "UserAuthority"};
    struct Case {
        const char* what;
        bool fault;
        qmx::Item failRead;
        uint32_t ext, w1, w2;
        UINT text;
        size_t calls;      // items asked for, in order
        int valuesStored;  // ext, then the status words, kept in AppState
    } cases[] = {
        {"ext read fails", true, qmx::Item::PrinterExtStatus, 0x3, 0, 1, IDS_EXT_STATUS_READ_FAILED, 1, 0},
        {"ext is -1", false, qmx::Item::PrinterExtStatus, 0xFFFFFFFF, 0, 1, IDS_EXT_STATUS_READ_FAILED, 1, 1},
        {"status read fails", true, qmx::Item::PrinterStatus, 0x3, 0, 1, IDS_STATUS_READ_FAILED, 2, 1},
        {"w1 is -1", false, qmx::Item::PrinterStatus, 0x3, 0xFFFFFFFF, 1, IDS_STATUS_READ_FAILED, 2, 2},
        {"w2 is -1", false, qmx::Item::PrinterStatus, 0x3, 0, 0xFFFFFFFF, IDS_STATUS_READ_FAILED, 2, 2},
        {"authority read fails", true, qmx::Item::UserAuthority, 0x3, 0, 1, IDS_AUTHORITY_READ_FAILED, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(vp::ClearFaults(kPrinter), 0u);
        if (c.fault) {
            ASSERT_EQ(vp::SetReadFault(kPrinter, c.failRead, true), 0u);
        }
        ASSERT_EQ(vp::SetExtStatus(kPrinter, c.ext), 0u);
        ASSERT_EQ(vp::SetStatus(kPrinter, 0, c.w1, c.w2), 0u);
        AppState.LastExtStatus = kUnread;
        AppState.LastPrinterStatus[0] = AppState.LastPrinterStatus[1] = AppState.LastPrinterStatus[2] =
            kUnread;
        AppState.LastUserAuthority = kUnread;
        AppState.MessageText[0] = '\0';
        QmxCallLog log;
        ASSERT_TRUE(log.Active());

        EXPECT_EQ(ReadPrinterState(), 0);
        EXPECT_EQ(std::string(AppState.MessageText), ProgramString(c.text));
        std::vector<QmxCall> reads = log.CallsOf("GetPrinterStatusA");
        ASSERT_EQ(reads.size(), c.calls);
        for (size_t i = 0; i < reads.size(); ++i) EXPECT_EQ(reads[i].item, order[i]);
        // A value that was read stays in AppState (also -1); a failed call leaves the old value.
        EXPECT_EQ(AppState.LastExtStatus, c.valuesStored >= 1 ? static_cast<int32_t>(c.ext) : kUnread);
        EXPECT_EQ(AppState.LastPrinterStatus[1], c.valuesStored >= 2 ? static_cast<int32_t>(c.w1) : kUnread);
        EXPECT_EQ(AppState.LastPrinterStatus[2], c.valuesStored >= 2 ? static_cast<int32_t>(c.w2) : kUnread);
        EXPECT_EQ(AppState.LastUserAuthority, kUnread);
    }
}

TEST_F(LinkSession, SixNotificationsAreRegisteredInOrderForTheWindow) {
    QmxCallLog log;
    ASSERT_TRUE(log.Active());
    EXPECT_EQ(RegisterNotifications(panel_), 1);
    EXPECT_EQ(RegisteredSlots(), 6);
    std::vector<QmxCall> calls = log.CallsOf("SetNotificationMsgA");
    ASSERT_EQ(calls.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(calls[i].session, AppState.Session);
        EXPECT_EQ(calls[i].item, kOrder[i].item);
        EXPECT_EQ(calls[i].window, panel_);
        EXPECT_EQ(calls[i].message, kOrder[i].message);
        EXPECT_EQ(calls[i].handle, AppState.NotificationHandles[i]);
    }
}

TEST_F(LinkSession, RegistrationFailingAtTheKthLeavesKMinusOneAndCloseCancelsExactlyThose) {
    for (uint32_t k = 1; k <= 6; ++k) {
        SCOPED_TRACE(::testing::Message() << "failing registration " << k);
        ASSERT_EQ(vp::SetFault(kPrinter, &vp::Faults::failNotifyAt, k), 0u);
        CloseSession();
        OpenSessionOn(kPrinter);
        AppState.MessageText[0] = '\0';
        QmxCallLog log;
        ASSERT_TRUE(log.Active());

        EXPECT_EQ(RegisterNotifications(panel_), 0);
        EXPECT_EQ(std::string(AppState.MessageText), ProgramString(IDS_NOTIFY_FAILED));
        for (uint32_t slot = 0; slot < 6; ++slot) {
            EXPECT_EQ(AppState.NotificationHandles[slot] != nullptr, slot + 1 < k) << "slot " << slot;
        }
        EXPECT_EQ(log.CallsOf("SetNotificationMsgA").size(), k) << "no registration after the failure";

        std::vector<QMXNOTIFY> registered(AppState.NotificationHandles, AppState.NotificationHandles + k - 1);
        const QMXSESSION session = AppState.Session;
        log.Clear();
        CloseSession();
        const std::vector<QmxCall>& calls = log.Calls();
        ASSERT_EQ(calls.size(), k) << "k-1 cancellations and the close";
        for (uint32_t i = 0; i + 1 < k; ++i) {
            EXPECT_EQ(calls[i].function, "KillNotificationMsg");
            EXPECT_EQ(calls[i].session, session);
            EXPECT_EQ(calls[i].handle, registered[i]);
            EXPECT_EQ(calls[i].result, 0u);
        }
        EXPECT_EQ(calls.back().function, "CloseManager");
        EXPECT_EQ(calls.back().session, session);
        EXPECT_EQ(AppState.Session, nullptr);
        EXPECT_EQ(RegisteredSlots(), 0);
    }
}

TEST_F(LinkSession, ClosingTwiceOrWithoutSessionDoesNothingTheSecondTime) {
    ASSERT_EQ(RegisterNotifications(panel_), 1);
    QmxCallLog log;
    ASSERT_TRUE(log.Active());
    CloseSession();
    EXPECT_EQ(log.CallsOf("KillNotificationMsg").size(), 6u);
    EXPECT_EQ(log.CallsOf("CloseManager").size(), 1u);
    log.Clear();
    CloseSession();
    EXPECT_TRUE(log.Calls().empty());
    EXPECT_EQ(AppState.Session, nullptr);
}

// Messages posted to the test panel, in arrival order.
std::vector<UINT> arrived;
WNDPROC panelOriginalProc = nullptr;
LRESULT CALLBACK RecordingPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_READ_DONE && message <= WM_PSV_CHANGED) arrived.push_back(message);
    return CallWindowProcA(panelOriginalProc, window, message, wParam, lParam);
}

TEST_F(LinkSession, EachWatchedItemArrivesAsItsMessageAndSettingsChangesAloneChangeNothing) {
    arrived.clear();
    panelOriginalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(panel_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingPanelProc)));
    ASSERT_EQ(RegisterNotifications(panel_), 1);
    auto expectArrival = [](UINT message) {
        EXPECT_TRUE(rptest::PumpUntil([message] {
            for (UINT m : arrived)
                if (m == message) return true;
            return false;
        })) << "message "
            << message;
        arrived.clear();
    };

    ASSERT_EQ(vp::SetExtStatus(kPrinter, 0x1), 0u);
    expectArrival(WM_EXTSTATUS_CHANGED);
    ASSERT_EQ(vp::SetStatus(kPrinter, 0, 0x80, 0x1), 0u);
    expectArrival(WM_STATUS_CHANGED);
    ASSERT_EQ(vp::SetAuthority(kPrinter, 0x08), 0u);
    expectArrival(WM_AUTHORITY_CHANGED);
    ASSERT_EQ(vp::SetPort(kPrinter, "LPT2:"), 0u);
    expectArrival(WM_PORT_CHANGED);

    // A changed settings item is announced, and nothing in the program's state follows it.
    std::vector<char> before(sizeof AppState);
    std::memcpy(before.data(), &AppState, sizeof AppState);
    ASSERT_EQ(vp::PatchBlock(kPrinter, 25, {42}), 0u);
    expectArrival(WM_PSV_CHANGED);
    EXPECT_EQ(std::memcmp(before.data(), &AppState, sizeof AppState), 0);

    ASSERT_EQ(vp::Rename(kPrinter, "RP Link Test 2"), 0u);
    expectArrival(WM_NAME_CHANGED);
    SetWindowLongPtrA(panel_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(panelOriginalProc));
}

}  // namespace
