// SettingKeys.cpp - the table of named settings and their values in the printer's units.
#include "settings/SettingKeys.h"

#include <stdio.h>

namespace {

// The file's keys: every setting of the table, the settings of a stored form once per form with
// the form's name before their labels.
std::vector<SettingKey> BuildKeys() {
    std::vector<SettingKey> keys;
    for (const SettingDescription& setting : SettingTable()) {
        if (!setting.Field.InForm) {
            SettingKey key{setting.Key, setting.Label, setting.Section, &setting, -1, -1};
            if (setting.Unit == SettingUnit::FeedDistance) {
                key.Slot = FeedPosOtherSlot(FeedGroupCurrent, FeedPathOf(setting));
            }
            keys.push_back(key);
            continue;
        }
        if (setting.Id != SettingId::FormPageLength) continue;  // a form's settings come together
        for (int32_t form = 0; form < FormCount; ++form) {
            const std::string name = ValueListLabel(FormSelectList, form + 1);
            const std::string prefix = "Form" + std::to_string(form + 1) + ".";
            for (const SettingDescription& field : SettingTable()) {
                if (!field.Field.InForm) continue;
                SettingKey key{prefix + field.Key, name + " " + field.Label, name, &field, form, -1};
                if (field.Unit == SettingUnit::FeedDistance) {
                    key.Slot = FeedPosOtherSlot(FeedGroupForm(form), FeedPathOf(field));
                }
                keys.push_back(key);
            }
        }
    }
    return keys;
}

// The key's setting in a printer's settings, as the pages edit it: the record, or for a stored
// form that form and its slots.
EditedRecord RecordOf(const SettingKey& key, PrinterSettings& settings) {
    if (key.FormIndex < 0) {
        return {&settings.Record,
                &settings.FeedPosOther[FeedPosOtherSlot(FeedGroupCurrent, FeedPathContFront)]};
    }
    return {&settings.Record.Forms[key.FormIndex],
            &settings.FeedPosOther[FeedPosOtherSlot(FeedGroupForm(key.FormIndex), FeedPathContFront)]};
}

int32_t ReadOf(const SettingKey& key, const PrinterSettings& settings) {
    return ReadSetting(RecordOf(key, const_cast<PrinterSettings&>(settings)), *key.Setting);
}

// A step's byte read as a signed 8-bit number.
int32_t StepOf(int32_t byte) { return static_cast<int8_t>(static_cast<uint8_t>(byte)); }

std::string Number(int64_t value) { return std::to_string(value); }

// "v = label" for each entry, or just the value where the label says nothing more.
std::string ListText(const SettingKey& key) {
    const SettingDescription& setting = *key.Setting;
    std::string text;
    for (int32_t i = 0; i < setting.List->Size; ++i) {
        const int32_t value = setting.Unit == SettingUnit::Index ? i : setting.List->Items[i].Value;
        const std::string shown =
            setting.Unit == SettingUnit::Step ? FormatSettingValue(key, StepOf(value)) : Number(value);
        const std::string label = setting.List->Items[i].Label;
        if (!text.empty()) text += ", ";
        text += label == shown ? shown : shown + " = " + label;
    }
    return text;
}

}  // namespace

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = BuildKeys();
    return keys;
}

const SettingKey* FindSettingKey(std::string_view key) {
    for (const SettingKey& s : SettingKeys()) {
        if (s.Key == key) return &s;
    }
    return nullptr;
}

int32_t GetSettingValue(const SettingKey& key, const PrinterSettings& settings) {
    switch (key.Setting->Unit) {
        case SettingUnit::FeedDistance: {
            const int32_t value = FeedIndexToValue(*key.Setting->List, ReadOf(key, settings));
            return value == FeedValueNone ? settings.FeedPosOther[key.Slot] : value;
        }
        case SettingUnit::Step:
            return StepOf(ReadOf(key, settings));
        case SettingUnit::RawBits:
            return static_cast<int32_t>(static_cast<uint32_t>(settings.Record.SwitchBits) &
                                        SwitchBitsWithoutControl);
        default:
            return ReadOf(key, settings);
    }
}

void SetSettingValue(const SettingKey& key, int32_t value, PrinterSettings& settings) {
    const EditedRecord record = RecordOf(key, settings);
    switch (key.Setting->Unit) {
        case SettingUnit::FeedDistance: {
            const FeedIndex found = FeedValueToIndex(*key.Setting->List, static_cast<uint8_t>(value));
            StoreSetting(record, *key.Setting, found.Index);
            settings.FeedPosOther[key.Slot] = found.Other;
            return;
        }
        case SettingUnit::Step:
            StoreSetting(record, *key.Setting, value & 0xFF);
            return;
        case SettingUnit::RawBits: {
            const uint32_t kept =
                static_cast<uint32_t>(settings.Record.SwitchBits) & ~SwitchBitsWithoutControl;
            settings.Record.SwitchBits =
                static_cast<int32_t>(kept | (static_cast<uint32_t>(value) & SwitchBitsWithoutControl));
            return;
        }
        default:
            StoreSetting(record, *key.Setting, value);
    }
}

bool SettingValueAllowed(const SettingKey& key, int64_t value) {
    return SettingValueAllowed(*key.Setting, value);
}

std::string FormatSettingValue(const SettingKey& key, int32_t value) {
    char text[16];
    if (key.Setting->Unit == SettingUnit::RawBits) {
        snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    } else if (key.Setting->Unit == SettingUnit::Step && value > 0) {
        snprintf(text, sizeof text, "+%d", static_cast<int>(value));
    } else {
        snprintf(text, sizeof text, "%d", static_cast<int>(value));
    }
    return text;
}

std::string DescribeSettingValue(const SettingKey& key, int32_t value) {
    const SettingDescription& setting = *key.Setting;
    const std::string shown = FormatSettingValue(key, value);
    std::string meaning;
    switch (setting.Unit) {
        case SettingUnit::Count:
            return shown + " " + setting.UnitName;
        case SettingUnit::Index:
        case SettingUnit::ListValue: {
            const int32_t index =
                setting.Unit == SettingUnit::Index ? value : ValueListIndexOf(*setting.List, value);
            if (const char* label = ValueListLabel(*setting.List, index)) meaning = label;
            break;
        }
        case SettingUnit::FeedDistance: {
            const int32_t index = value >= 0 && value <= 255 ? ValueListIndexOf(*setting.List, value) : -1;
            char other[32];
            if (index >= 0) {
                meaning = setting.List->Items[index].Label;
            } else if (FormatFeedOtherLabel(other, sizeof other, value)) {
                meaning = other;
            }
            break;
        }
        case SettingUnit::Step:
            if (const char* label =
                    ValueListLabel(*setting.List, ValueListIndexOf(*setting.List, value & 0xFF))) {
                meaning = label;
            }
            break;
        case SettingUnit::OnOff:
            meaning = value == 0 ? setting.Off : value == 1 ? setting.OnText : "";
            break;
        case SettingUnit::RawBits:
            break;
    }
    return meaning.empty() || meaning == shown ? shown : shown + " (" + meaning + ")";
}

std::string AllowedValuesText(const SettingKey& key) {
    const SettingDescription& setting = *key.Setting;
    switch (setting.Unit) {
        case SettingUnit::Count:
            return Number(setting.Range.Min) + " ～ " + Number(setting.Range.Max) + " " + setting.UnitName;
        case SettingUnit::Index:
        case SettingUnit::ListValue:
        case SettingUnit::Step:
            return ListText(key);
        case SettingUnit::FeedDistance:
            return ListText(key) + " (1/120インチ単位。ほかの 0 ～ 255 も可)";
        case SettingUnit::OnOff:
            return std::string("0 = ") + setting.Off + ", 1 = " + setting.OnText;
        case SettingUnit::RawBits:
            return FormatSettingValue(key, static_cast<int32_t>(SwitchBitsWithoutControl)) +
                   " の中のビットの組み合わせ";
    }
    return "";
}
