// Every setting of the table through every form it takes and back: the block the printer sends,
// the command it receives (applied as the stand-in printer stores it), the settings file, and the
// control a page binds to it. The values tried per row are its limits, its list and the values a
// printer may report that no entry names (shown as another entry, or refused as an entry).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "panel/SettingBindings.h"
#include "qmx/CommandParser.h"
#include "qmx/PrinterRules.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsCommand.h"
#include "settings/SettingsFile.h"

namespace {

constexpr const char* kModel = "Brindlemark 400ZX";

std::vector<int32_t> TrialValues(const SettingDescription& s) {
    std::vector<int32_t> values;
    switch (s.Unit) {
        case SettingUnit::Count:
            return {s.Range.Min, s.Range.Max, s.Range.Max + 1};
        case SettingUnit::Index:
            // A printer can report an index past the list only where the list shows it as another
            // entry (a thickness of 13 as オート).
            if (s.ShownAs >= 0) return {0, s.List->Size - 1, s.List->Size};
            return {0, s.List->Size - 1};
        case SettingUnit::ListValue:
        case SettingUnit::FeedDistance:
        case SettingUnit::Step:
            for (int32_t i = 0; i < s.List->Size; ++i) {
                const int32_t value = s.List->Items[i].Value;
                values.push_back(s.Unit == SettingUnit::Step ? static_cast<int8_t>(value) : value);
            }
            // Values no entry names: a code of no country, an odd distance, a step of no table.
            values.push_back(s.Unit == SettingUnit::ListValue ? 6 : s.Unit == SettingUnit::Step ? -100 : 100);
            return values;
        case SettingUnit::OnOff:
            return {0, 1};
        case SettingUnit::RawBits:
            return {0, static_cast<int32_t>(SwitchBitsWithoutControl)};
    }
    return values;
}

PrinterSettings Decoded(const SettingsBlock& block) {
    PrinterSettings settings;
    EXPECT_TRUE(DecodeBlockBytes(block, settings.Record, settings.FeedPosOther));
    return settings;
}

// What a page shows for the key's value in the record, collected back into `into`: false when
// the page cannot show the value as it is (then it shows the setting's ShownAs entry).
bool ThroughThePage(const SettingKey& key, const PrinterSettings& shown, PrinterSettings& into) {
    const SettingDescription& s = *key.Setting;
    const auto record = [&](PrinterSettings& p) -> EditedRecord {
        const int32_t group = key.FormIndex < 0 ? FeedGroupCurrent : FeedGroupForm(key.FormIndex);
        void* fields = key.FormIndex < 0 ? static_cast<void*>(&p.Record) : &p.Record.Forms[key.FormIndex];
        return {fields, &p.FeedPosOther[FeedPosOtherSlot(group, FeedPathContFront)]};
    };
    const EditedRecord from = record(const_cast<PrinterSettings&>(shown)), to = record(into);
    const int32_t held = ReadSetting(from, s);
    switch (s.Unit) {
        case SettingUnit::OnOff:
            StoreSettingOn(to, s, SettingIsOn(from, s));
            return true;
        case SettingUnit::Index:
        case SettingUnit::ListValue:
        case SettingUnit::Step: {
            const ListBinding list{0, s.Id};
            int32_t value = 0;
            if (!ListValueForIndex(list, ListIndexForValue(list, held), &value) || value != held)
                return false;
            StoreSetting(to, s, value);
            return true;
        }
        case SettingUnit::FeedDistance: {
            const FeedPath path = FeedPathOf(s);
            const int32_t entry = FeedComboSelection(path, from.FeedOther[path], held);
            if (entry >= 0) StoreSetting(to, s, entry);
            to.FeedOther[path] = from.FeedOther[path];
            return entry == held;
        }
        default:  // numbers are shown as they are, and checked as a file's values are
            StoreSetting(to, s, held);
            return true;
    }
}

TEST(SettingTable, EveryValueOfEverySettingThroughBlockCommandFileAndPage) {
    PrinterSettings initial;
    LoadInitialSettings(initial.Record);
    for (const SettingKey& key : SettingKeys()) {
        for (const int32_t value : TrialValues(*key.Setting)) {
            SCOPED_TRACE(key.Key + " = " + std::to_string(value));
            PrinterSettings settings = initial;
            SetSettingValue(key, value, settings);
            ASSERT_EQ(GetSettingValue(key, settings), value);
            const bool allowed = SettingValueAllowed(key, value);

            SettingsBlock block = BuildSettingsBlock(settings.Record, settings.FeedPosOther);
            block.Bytes[BlockHeaderFirst] = BlockHeaderFirstValue;
            block.Bytes[BlockHeaderSecond] = BlockHeaderSecondValue;
            EXPECT_EQ(GetSettingValue(key, Decoded(block)), value) << "the block";

            SettingsCommand command{};
            if (EncodeSettingsCommand(block, &command)) {
                qmx::SettingsBlockBytes stored = qmx::InitialBlock();
                ASSERT_TRUE(qmx::ApplySettingsCommand(command.Area, sizeof command.Area, stored));
                SettingsBlock received{};
                std::memcpy(received.Bytes, stored.data(), sizeof received.Bytes);
                EXPECT_EQ(GetSettingValue(key, Decoded(received)), value) << "the command";
            } else {
                EXPECT_FALSE(allowed) << "an allowed value the command cannot carry";
            }

            const FileReading reading = ReadSettingsFile(WriteSettingsFile(settings, kModel, "test"), kModel);
            if (allowed) {
                EXPECT_TRUE(reading.Problems.empty()) << "the file";
                PrinterSettings fromFile = initial;
                ApplySettingsFile(reading.File, fromFile);
                EXPECT_EQ(GetSettingValue(key, fromFile), value) << "the file";
            } else {
                ASSERT_EQ(reading.Problems.size(), 1u) << "the file refuses what a page would";
                EXPECT_EQ(reading.Problems[0].Key, key.Key);
            }

            PrinterSettings collected = initial;
            const bool shownAsItIs = ThroughThePage(key, settings, collected);
            if (shownAsItIs) {
                EXPECT_EQ(GetSettingValue(key, collected), value) << "the page";
            } else {
                EXPECT_FALSE(allowed) << "the page shows an allowed value as another entry";
            }
        }
    }
}

// A switch byte of 0xFF cannot be read back: every byte is found, with the switches that live in it.
TEST(SettingTable, UnreadableSwitchBytesAndTheirSwitches) {
    EXPECT_EQ(UnreadableSwitchByte(0x08000000), -1);
    EXPECT_EQ(UnreadableSwitchByte(0x7F7F7F7F), -1);
    for (int32_t byte = 0; byte < 4; ++byte) {
        EXPECT_EQ(UnreadableSwitchByte(static_cast<int32_t>(0xFFu << (8 * byte))), byte);
        const std::vector<const SettingDescription*> switches = SwitchesOfByte(byte);
        ASSERT_FALSE(switches.empty());
        for (const SettingDescription* s : switches) EXPECT_EQ(s->Field.Bits.Byte, byte) << s->Key;
    }
}

}  // namespace
