#include "panel/SettingBindings.h"

bool SettingIsOn(const PanelSettingsRecord& record, const SettingSwitch& setting) {
    switch (setting.Rule) {
        case SwitchRule::FieldNonZero: return record.*setting.Field != 0;
        case SwitchRule::FieldIsOne: return record.*setting.Field == 1;
        case SwitchRule::Bit: return IsSwitchOn(record.SwitchBits, setting.Switch);
        case SwitchRule::BitClear: return !IsSwitchOn(record.SwitchBits, setting.Switch);
    }
    return false;
}

void StoreSwitch(PanelSettingsRecord& record, const SettingSwitch& setting, bool on) {
    switch (setting.Rule) {
        case SwitchRule::FieldNonZero:
        case SwitchRule::FieldIsOne: record.*setting.Field = on ? 1 : 0; break;
        case SwitchRule::Bit: SetSwitch(record.SwitchBits, setting.Switch, on); break;
        case SwitchRule::BitClear: SetSwitch(record.SwitchBits, setting.Switch, !on); break;
    }
}

bool RadioPairReadsOn(const RadioPairBinding& pair, bool readButtonChecked) {
    return pair.ReadButton == pair.OnButton ? readButtonChecked : !readButtonChecked;
}

int32_t ListIndexForValue(const ListBinding& list, int32_t value) {
    int32_t index = -1;
    if (list.Holds == ListHolds::Index) {
        if (value >= 0 && value < list.List->Size) index = value;
    } else {
        index = ValueListIndexOf(*list.List, value);
    }
    return index >= 0 ? index : list.Fallback;
}

bool ListValueForIndex(const ListBinding& list, int32_t index, int32_t* value) {
    if (index < 0 || index >= list.List->Size) return false;
    *value = list.Holds == ListHolds::Index ? index : list.List->Items[index].Value;
    return true;
}
