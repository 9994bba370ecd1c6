// How the controls of the pages and their detail dialogs are bound to the settings, as plain
// tables. A page or dialog describes each of its check boxes, radio pairs and groups, number
// edits, lists, feed combos, labels and icons with one record below; the window side (PageKit.h)
// shows and collects every kind with one helper. The rules that turn a setting into what a control
// shows, and back, live here and need no window.
#ifndef RP_PANEL_SETTINGBINDINGS_H
#define RP_PANEL_SETTINGBINDINGS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "settings/PanelSettings.h"
#include "settings/SettingChecks.h"

// ---- Where a value lives ------------------------------------------------------------------------

// One value of the record a page or dialog edits: a whole 32-bit field, given by its byte offset
// in the record, or a field of bits within it (a switch of SwitchBits, or the three bits of the
// international character set).
struct SettingRef {
    uint16_t Offset;   // byte offset of the int32_t field in the edited record
    SwitchField Bits;  // Width 0: the whole field
};

// A whole field of the edited record (offsetof(Record, Field)).
constexpr SettingRef FieldAt(size_t offset) { return {static_cast<uint16_t>(offset), {0, 0, 0}}; }
// A switch field of PanelSettings.SwitchBits.
constexpr SettingRef SwitchOf(SwitchField bits) {
    return {static_cast<uint16_t>(offsetof(PanelSettingsRecord, SwitchBits)), bits};
}

// The record a page or dialog edits: PanelSettings with the current settings' four FeedPosOther
// slots, or a form dialog's private copy of one form and its slots.
struct EditedRecord {
    void* Fields;        // what SettingRef offsets point into
    int32_t* FeedOther;  // the four FeedPosOther slots of the fields' group, in FeedPath order
};

// The program's settings as the pages edit them.
EditedRecord CurrentSettingsRecord();

int32_t ReadSetting(const EditedRecord& record, SettingRef setting);
void StoreSetting(const EditedRecord& record, SettingRef setting, int32_t value);

// ---- Yes/no settings ----------------------------------------------------------------------------

enum class SwitchRule : uint8_t {
    OnWhenNonZero,  // on when the value is not 0; stored as 1 / 0
    OnWhenOne,      // on only when the value is exactly 1; stored as 1 / 0
    OnWhenZero,     // on when the value is 0 (a switch shown inverted); stored as 0 / 1
};

struct SettingSwitch {
    SwitchRule Rule;
    SettingRef Setting;

    static constexpr SettingSwitch NonZero(SettingRef setting) {
        return {SwitchRule::OnWhenNonZero, setting};
    }
    static constexpr SettingSwitch IsOne(SettingRef setting) { return {SwitchRule::OnWhenOne, setting}; }
    static constexpr SettingSwitch BitSet(SwitchField bit) {
        return {SwitchRule::OnWhenNonZero, SwitchOf(bit)};
    }
    static constexpr SettingSwitch BitCleared(SwitchField bit) {
        return {SwitchRule::OnWhenZero, SwitchOf(bit)};
    }
};

bool SettingIsOn(const EditedRecord& record, const SettingSwitch& setting);
void StoreSwitch(const EditedRecord& record, const SettingSwitch& setting, bool on);

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

// N radio buttons for the values 0 .. N-1 of one setting. A value outside them checks none;
// collecting takes the first checked button, and WhenNoneChecked when none is.
struct RadioGroupBinding {
    std::span<const int> Buttons;
    SettingRef Setting;
    int32_t WhenNoneChecked;
};

// The button a value checks (-1: none), and the value a checked button (-1: none) stands for.
int32_t RadioGroupButtonFor(const RadioGroupBinding& group, int32_t value);
int32_t RadioGroupValueFor(const RadioGroupBinding& group, int32_t checkedButton);

// ---- Numbers --------------------------------------------------------------------------------------

// A number edit with its up-down control. The range is the up-down's range for the arrows and the
// check on collect; the edit itself shows the stored number as it is. An entry outside the range,
// or one that is no number at all, is refused with RefusalText.
struct NumberBinding {
    int EditId;
    int SpinId;
    SettingRef Setting;
    ValueRange Range;
    uint16_t RefusalText;
};

// What an edit's text says as an unsigned decimal number: nothing for an empty text, anything but
// digits, or a number that does not fit 32 bits. Numbers above INT32_MAX come back negative, as
// the signed comparisons of the checks see them.
std::optional<int32_t> ParseEnteredNumber(const char* text);

// ---- Lists -----------------------------------------------------------------------------------------

// What a list's field holds.
enum class ListHolds : uint8_t {
    Index,  // the entry's index
    Value,  // the entry's Value, looked up by the low byte of the field
};

// A drop-down list filled from a ValueList and bound to a setting.
struct ListBinding {
    int ControlId;
    SettingRef Setting;
    const ValueList* List;
    ListHolds Holds;
    int32_t Fallback;            // the entry shown when the value names none; -1 shows no selection
    bool NoSelectionStoresZero;  // false: no selection keeps the stored value
};

// The entry a list shows for a value.
int32_t ListIndexForValue(const ListBinding& list, int32_t value);
// The value for a chosen entry; false (nothing to store) for no selection or an index outside the
// list. With NoSelectionStoresZero, no selection gives 0 instead.
bool ListValueForIndex(const ListBinding& list, int32_t index, int32_t* value);

// A feed-position combo of one paper path: the labels of the path's list, and one more entry
// "%d/120インチ" when the path's FeedPosOther slot is not 0. The stored index is selected as it
// is; the "other" index with a slot of 0 names no entry, shows no selection and is kept.
struct FeedComboBinding {
    int ControlId;
    SettingRef Setting;
    FeedPath Path;
};

// The number of entries the combo holds for a slot value, and the entry shown for an index (-1:
// none).
int32_t FeedComboEntryCount(FeedPath path, int32_t otherSlot);
int32_t FeedComboSelection(FeedPath path, int32_t otherSlot, int32_t index);

// ---- What follows a control ---------------------------------------------------------------------

// A static text that names the number in an edit (the paper size of a cut-sheet correction).
struct LabelBinding {
    int StaticId;
    int SourceEditId;
    uint16_t (*TextFor)(std::optional<int32_t> number);  // a string id
};

// The paper size that a cut-sheet correction names (its size text), five spaces for any other
// value (the blank size text).
uint16_t CutSheetSizeText(std::optional<int32_t> correction);

// A static icon that follows a bound control: for a check box or a radio pair, Icons[0] when its
// setting reads off and Icons[1] when on; for a list, the icon of the selected entry, and no
// change when nothing is selected or the entry has no icon.
struct IconBinding {
    int StaticId;
    int SourceId;  // the check box, either button of the radio pair, or the list
    std::span<const uint16_t> Icons;
};

// The icon for a yes/no state or a list entry; 0 = keep the icon shown.
uint16_t IconForSwitch(const IconBinding& icon, bool on);
uint16_t IconForEntry(const IconBinding& icon, int32_t selected);

// ---- A page's or dialog's tables -----------------------------------------------------------------

// Every kind of binding of one page or dialog. Filling shows them all; collecting stores them in
// this order of kinds, each kind in its declared order: checks, radio pairs, radio groups, feed
// combos, numbers (the first refused number stops the collect, with what came before it stored),
// lists.
struct BindingTables {
    std::span<const CheckBinding> Checks{};
    std::span<const RadioPairBinding> RadioPairs{};
    std::span<const RadioGroupBinding> RadioGroups{};
    std::span<const FeedComboBinding> FeedCombos{};
    std::span<const NumberBinding> Numbers{};
    std::span<const ListBinding> Lists{};
    std::span<const LabelBinding> Labels{};
    std::span<const IconBinding> Icons{};
};

#endif
