#include "panel/SettingBindings.h"

#include "res/resource.h"

bool RadioPairReadsOn(const RadioPairBinding& pair, bool readButtonChecked) {
    return pair.ReadButton == pair.OnButton ? readButtonChecked : !readButtonChecked;
}

int32_t RadioGroupButtonFor(const RadioGroupBinding& group, int32_t value) {
    return value >= 0 && static_cast<size_t>(value) < group.Buttons.size() ? value : -1;
}

bool RadioGroupValueFor(const RadioGroupBinding& group, int32_t checkedButton, int32_t* value) {
    if (RadioGroupButtonFor(group, checkedButton) >= 0) {
        *value = checkedButton;
        return true;
    }
    const int32_t noChoice = Describe(group.Setting).NoChoice;
    if (noChoice < 0) return false;
    *value = noChoice;
    return true;
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
    const SettingDescription& setting = Describe(list.Setting);
    int32_t index = -1;
    if (setting.Unit == SettingUnit::Index) {
        if (value >= 0 && value < setting.List->Size) index = value;
    } else {
        index = ValueListIndexOf(*setting.List, value & 0xFF);
    }
    return index >= 0 ? index : setting.ShownAs;
}

bool ListValueForIndex(const ListBinding& list, int32_t index, int32_t* value) {
    const SettingDescription& setting = Describe(list.Setting);
    if (index < 0 || index >= setting.List->Size) {
        if (setting.NoChoice < 0) return false;
        *value = setting.NoChoice;
        return true;
    }
    *value = setting.Unit == SettingUnit::Index ? index : setting.List->Items[index].Value;
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

std::vector<int> BoundControlIds(const BindingTables& bindings) {
    std::vector<int> ids;
    for (const auto& check : bindings.Checks) ids.push_back(check.ControlId);
    for (const auto& pair : bindings.RadioPairs) ids.insert(ids.end(), {pair.OffButton, pair.OnButton});
    for (const auto& group : bindings.RadioGroups)
        ids.insert(ids.end(), group.Buttons.begin(), group.Buttons.end());
    for (const auto& feed : bindings.FeedCombos) ids.push_back(feed.ControlId);
    for (const auto& number : bindings.Numbers) ids.insert(ids.end(), {number.EditId, number.SpinId});
    for (const auto& list : bindings.Lists) ids.push_back(list.ControlId);
    for (const auto& label : bindings.Labels) ids.push_back(label.StaticId);
    return ids;
}
