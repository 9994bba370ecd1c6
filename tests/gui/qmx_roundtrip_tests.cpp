// The whole write and read path through the library: the program's encoder, SetPrinterStatusDirectA,
// GetPrinterStatusA inside the program's DecodeSettingsBlock, and the record that comes back.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <random>

#include "link/KovQmx.h"
#include "link/SettingsRead.h"
#include "qmx/VirtualPrinters.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsCommand.h"
#include "tests/unit/QmxRandomSettings.h"

namespace {

constexpr const char* kName = "Round trip";

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(qmx::vp::ResetAll(), qmx::kOk);
        qmx::vp::NewPrinter p;
        p.name = kName;
        ASSERT_EQ(qmx::vp::Add(p), qmx::kOk);
        ASSERT_EQ(OpenManagerExA(kName, "tester", QMX_OPEN_MODE, &session_), qmx::kOk);
    }
    void TearDown() override {
        if (session_) CloseManager(session_);
        qmx::vp::ResetAll();
    }
    QMXSESSION session_ = nullptr;
};

TEST_F(RoundTrip, RandomRecordsComeBackThroughTheLibrary) {
    std::mt19937 rng(1406);
    for (int round = 0; round < 200; ++round) {
        const qmxtest::RandomSettings in = qmxtest::MakeRandomSettings(rng);
        SettingsCommand command{};
        ASSERT_TRUE(EncodeSettingsCommand(BuildSettingsBlock(in.record, in.slots), &command)) << round;
        ASSERT_EQ(SetPrinterStatusDirectA(session_, QMX_ITEM_SETTINGS, command.Area, sizeof command.Area),
                  qmx::kOk)
            << round;
        PrinterSettings decoded{};
        MarkSettingsNotLoaded(decoded.Record);
        std::memset(decoded.FeedPosOther, 0x5A, sizeof decoded.FeedPosOther);
        std::memset(FeedPosOther, 0x5A, sizeof FeedPosOther);
        uint32_t got = 0;
        ASSERT_EQ(DecodeSettingsBlock(session_, QMX_ITEM_SETTINGS, &decoded, 260, &got), qmx::kOk) << round;
        ASSERT_EQ(std::memcmp(&decoded.Record, &in.record, sizeof decoded.Record), 0)
            << "record differs, round " << round;
        ASSERT_EQ(std::memcmp(decoded.FeedPosOther, in.expected, sizeof decoded.FeedPosOther), 0)
            << "FeedPosOther, round " << round;
        ASSERT_EQ(FeedPosOther[0], 0x5A5A5A5A) << "the program's own slots are not touched";
    }
}

TEST_F(RoundTrip, InitialValuesAreAcceptedAndReadBackLoaded) {
    PanelSettingsRecord record{};
    LoadInitialSettings(record);
    int32_t slots[FeedPosOtherCount] = {};
    SettingsCommand command{};
    ASSERT_TRUE(EncodeSettingsCommand(BuildSettingsBlock(record, slots), &command));
    ASSERT_EQ(qmx::vp::PatchBlock(kName, 26, {100, 100}), qmx::kOk);
    ASSERT_EQ(SetPrinterStatusDirectA(session_, QMX_ITEM_SETTINGS, command.Area, sizeof command.Area),
              qmx::kOk);
    const std::optional<PrinterSettings> decoded = ReadPrinterSettings(session_);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(std::memcmp(&decoded->Record, &record, sizeof record), 0);
}

}  // namespace
