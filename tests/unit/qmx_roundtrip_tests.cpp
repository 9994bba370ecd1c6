// The program's block builder and command encoder against the virtual printer's parser and block
// applier, read back by the program's decoder: two independent readings of the command format
// must agree on every value the panel can hold.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "qmx/CommandParser.h"
#include "qmx/PrinterRules.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsCommand.h"
#include "tests/unit/QmxRandomSettings.h"

namespace {

TEST(QmxRoundTrip, InitialValuesGiveTheInitialBlock) {
    PanelSettingsRecord record{};
    LoadInitialSettings(record);
    int32_t slots[FeedPosOtherCount] = {};
    SettingsCommand command{};
    ASSERT_TRUE(EncodeSettingsCommand(BuildSettingsBlock(record, slots), &command));
    qmx::SettingsBlockBytes block{};
    block[0] = 1;
    block[1] = 4;
    ASSERT_TRUE(qmx::ApplySettingsCommand(command.Area, sizeof command.Area, block));
    EXPECT_EQ(block, qmx::InitialBlock());
}

TEST(QmxRoundTrip, EncodedRecordsComeBackUnchanged) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 5000; ++round) {
        const qmxtest::RandomSettings in = qmxtest::MakeRandomSettings(rng);
        SettingsCommand command{};
        EncodeFailure failure{};
        ASSERT_TRUE(EncodeSettingsCommand(BuildSettingsBlock(in.record, in.slots), &command, &failure))
            << "round " << round << ": " << failure.Offset;
        qmx::SettingsBlockBytes stored = qmx::InitialBlock();
        qmx::CommandError error;
        ASSERT_TRUE(qmx::ApplySettingsCommand(command.Area, sizeof command.Area, stored, &error))
            << "round " << round << " at " << error.offset << ": " << error.reason;
        SettingsBlock readBack;
        std::memcpy(readBack.Bytes, stored.data(), sizeof readBack.Bytes);
        PanelSettingsRecord decoded{};
        int32_t slots[FeedPosOtherCount] = {};
        ASSERT_TRUE(DecodeBlockBytes(readBack, decoded, slots)) << round;
        ASSERT_EQ(std::memcmp(&decoded, &in.record, sizeof decoded), 0) << "record differs, round " << round;
        ASSERT_EQ(std::memcmp(slots, in.expected, sizeof slots), 0)
            << "FeedPosOther differs, round " << round;
    }
}

}  // namespace
