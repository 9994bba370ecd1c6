#include "panel/SettingBindings.h"

#include "res/resource.h"

namespace {

int32_t* FieldOf(const EditedRecord& record, SettingRef setting) {
    return reinterpret_cast<int32_t*>(static_cast<char*>(record.Fields) + setting.Offset);
}

bool IsOn(SwitchRule rule, int32_t value) {
    switch (rule) {
        case SwitchRule::OnWhenNonZero:
            return value != 0;
        case SwitchRule::OnWhenOne:
            return value == 1;
        case SwitchRule::OnWhenZero:
            return value == 0;
    }
    return false;
}

}  // namespace

EditedRecord CurrentSettingsRecord() {
    return {&PanelSettings, &FeedPosOther[FeedPosOtherSlot(FeedGroupCurrent, FeedPathContFront)]};
}

int32_t ReadSetting(const EditedRecord& record, SettingRef setting) {
    const int32_t field = *FieldOf(record, setting);
    return setting.Bits.Width == 0 ? field : GetSwitchField(field, setting.Bits);
}

void StoreSetting(const EditedRecord& record, SettingRef setting, int32_t value) {
    int32_t& field = *FieldOf(record, setting);
    if (setting.Bits.Width == 0) {
        field = value;
    } else {
        SetSwitchField(field, setting.Bits, value);
    }
}

bool SettingIsOn(const EditedRecord& record, const SettingSwitch& setting) {
    return IsOn(setting.Rule, ReadSetting(record, setting.Setting));
}

void StoreSwitch(const EditedRecord& record, const SettingSwitch& setting, bool on) {
    const bool storeOne = setting.Rule == SwitchRule::OnWhenZero ? !on : on;
    StoreSetting(record, setting.Setting, storeOne ? 1 : 0);
}

bool RadioPairReadsOn(const RadioPairBinding& pair, bool readButtonChecked) {
    return pair.ReadButton == pair.OnButton ? readButtonChecked : !readButtonChecked;
}

int32_t RadioGroupButtonFor(const RadioGroupBinding& group, int32_t value) {
    return value >= 0 && static_cast<size_t>(value) < group.Buttons.size() ? value : -1;
}

int32_t RadioGroupValueFor(const RadioGroupBinding& group, int32_t checkedButton) {
    return RadioGroupButtonFor(group, checkedButton) >= 0 ? checkedButton : group.WhenNoneChecked;
}

std::optional<int32_t> ParseEnteredNumber(const char* text) {
    if (!text || *text == '\0') return std::nullopt;
    uint64_t value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(*c - '0');
        if (value > UINT32_MAX) return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

int32_t ListIndexForValue(const ListBinding& list, int32_t value) {
    int32_t index = -1;
    if (list.Holds == ListHolds::Index) {
        if (value >= 0 && value < list.List->Size) index = value;
    } else {
        index = ValueListIndexOf(*list.List, value & 0xFF);
    }
    return index >= 0 ? index : list.Fallback;
}

bool ListValueForIndex(const ListBinding& list, int32_t index, int32_t* value) {
    if (index < 0 || index >= list.List->Size) {
        if (!list.NoSelectionStoresZero) return false;
        *value = 0;
        return true;
    }
    *value = list.Holds == ListHolds::Index ? index : list.List->Items[index].Value;
    return true;
}

int32_t FeedComboEntryCount(FeedPath path, int32_t otherSlot) {
    return FeedListFor(path).Size + (otherSlot != 0 ? 1 : 0);
}

int32_t FeedComboSelection(FeedPath path, int32_t otherSlot, int32_t index) {
    return index >= 0 && index < FeedComboEntryCount(path, otherSlot) ? index : -1;
}

uint16_t CutSheetSizeText(std::optional<int32_t> correction) {
    if (!correction) return IDS_NO_SIZE;
    switch (*correction) {
        case 11:
            return IDS_SIZE_A4_LANDSCAPE;
        case 19:
            return IDS_SIZE_B4_PORTRAIT;
        case 28:
            return IDS_SIZE_A4_PORTRAIT;
        case 34:
            return IDS_SIZE_B5_PORTRAIT;
        case 40:
            return IDS_SIZE_A5_PORTRAIT;
        case 50:
            return IDS_SIZE_POSTCARD;
        default:
            return IDS_NO_SIZE;
    }
}

uint16_t IconForSwitch(const IconBinding& icon, bool on) {
    const size_t index = on ? 1 : 0;
    return index < icon.Icons.size() ? icon.Icons[index] : 0;
}

uint16_t IconForEntry(const IconBinding& icon, int32_t selected) {
    return selected >= 0 && static_cast<size_t>(selected) < icon.Icons.size() ? icon.Icons[selected] : 0;
}
