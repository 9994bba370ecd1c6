// How the pages' controls are bound to PanelSettings, as plain tables. A page describes each of
// its check boxes, radio pairs, number edits and lists with one record below; the window side
// (PageKit.h) shows and collects every kind with one helper. The rules that turn a setting into
// what a control shows, and back, live here and need no window.
#ifndef RP_PANEL_SETTINGBINDINGS_H
#define RP_PANEL_SETTINGBINDINGS_H

#include <cstdint>

#include "settings/PanelSettings.h"

// How a setting reads as on or off.
enum class SwitchRule : uint8_t {
    FieldNonZero,  // on when the field is not 0; stored as 1 / 0
    FieldIsOne,    // on only when the field is exactly 1; stored as 1 / 0
    Bit,           // on when the switch bit is set; stored in the bit
    BitClear,      // on when the switch bit is CLEAR; stored inverted
};

// A yes/no view of one setting: a field of the record or a switch of SwitchBits.
struct SettingSwitch {
    SwitchRule Rule;
    int32_t PanelSettingsRecord::*Field;  // for FieldNonZero, FieldIsOne
    SwitchField Switch;                   // for Bit, BitClear

    static constexpr SettingSwitch NonZero(int32_t PanelSettingsRecord::*field) {
        return {SwitchRule::FieldNonZero, field, {}};
    }
    static constexpr SettingSwitch IsOne(int32_t PanelSettingsRecord::*field) {
        return {SwitchRule::FieldIsOne, field, {}};
    }
    static constexpr SettingSwitch BitSet(SwitchField bit) { return {SwitchRule::Bit, nullptr, bit}; }
    static constexpr SettingSwitch BitCleared(SwitchField bit) {
        return {SwitchRule::BitClear, nullptr, bit};
    }
};

bool SettingIsOn(const PanelSettingsRecord& record, const SettingSwitch& setting);
void StoreSwitch(PanelSettingsRecord& record, const SettingSwitch& setting, bool on);

// A check box: checked exactly when the setting is on.
struct CheckBinding {
    int ControlId;
    SettingSwitch Setting;
};

// Two auto radio buttons for one setting. OnButton is checked when the setting is on, OffButton
// otherwise. Collecting reads one button, ReadButton (one of the two): the setting is on when
// that button's state says so (checked for OnButton, unchecked for OffButton).
struct RadioPairBinding {
    int OffButton;
    int OnButton;
    int ReadButton;
    SettingSwitch Setting;
};

// Whether the setting is on, given the checked state of the pair's ReadButton.
bool RadioPairReadsOn(const RadioPairBinding& pair, bool readButtonChecked);

// A number edit with its up-down control, bound to a field of a record (PanelSettingsRecord, or
// FormSettings for a form dialog). The range is the up-down's range and the check on collect.
template <class Record>
struct NumberBinding {
    int EditId;
    int SpinId;
    int32_t Record::*Field;
    int32_t Min;
    int32_t Max;
};

constexpr bool NumberInRange(int32_t value, int32_t min, int32_t max) {
    return value >= min && value <= max;
}

// What a list's field holds.
enum class ListHolds : uint8_t {
    Index,  // the entry's index
    Value,  // the entry's Value (looked up in the list)
};

// A drop-down list filled from a ValueList and bound to a field.
struct ListBinding {
    int ControlId;
    int32_t PanelSettingsRecord::*Field;
    const ValueList* List;
    ListHolds Holds;
    int32_t Fallback;  // the entry shown when the field names none; -1 shows no selection
};

// The entry a list shows for a field value.
int32_t ListIndexForValue(const ListBinding& list, int32_t value);
// The field value for a chosen entry; false (nothing to store) for no selection or an index
// outside the list.
bool ListValueForIndex(const ListBinding& list, int32_t index, int32_t* value);

// A static icon that shows one of two icons for a yes/no state (the paper set position, the
// perforation skip, the slashed zeros, ...).
struct IconPair {
    int ControlId;
    uint16_t OffIcon;
    uint16_t OnIcon;
};

constexpr uint16_t IconFor(const IconPair& icons, bool on) { return on ? icons.OnIcon : icons.OffIcon; }

#endif
