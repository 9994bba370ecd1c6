// How the controls of the pages and their detail dialogs are bound to the settings, as plain
// tables. A page or dialog names, for each of its check boxes, radio pairs and groups, number
// edits, lists and feed combos, the control and the setting (SettingTable.h), and nothing else
// about the value; labels and icons that follow a control are described here too. The window side
// (BoundControls.h) shows and collects every kind with one helper. The rules that turn a setting
// into what a control shows, and back, live here and need no window.
#ifndef RP_PANEL_SETTINGBINDINGS_H
#define RP_PANEL_SETTINGBINDINGS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "settings/PanelSettings.h"
#include "settings/SettingTable.h"

// ---- Yes/no settings ----------------------------------------------------------------------------

// A check box: checked exactly when the setting shows on (SettingTable.h says when).
struct CheckBinding {
    int ControlId;
    SettingId Setting;
};

// Two auto radio buttons for one setting. OnButton is checked when the setting shows on, OffButton
// otherwise. Collecting reads one button, ReadButton (one of the two): the setting is on when
// that button's state says so (checked for OnButton, unchecked for OffButton).
struct RadioPairBinding {
    int OffButton;
    int OnButton;
    int ReadButton;
    SettingId Setting;
};

// Whether the setting is on, given the checked state of the pair's ReadButton.
bool RadioPairReadsOn(const RadioPairBinding& pair, bool readButtonChecked);

// N radio buttons for the values 0 .. N-1 of one setting. A value outside them checks none;
// collecting takes the first checked button, and the setting's NoChoice when none is.
struct RadioGroupBinding {
    std::span<const int> Buttons;
    SettingId Setting;
};

// The button a value checks (-1: none), and the value to store for a checked button (-1: none);
// false when nothing is to be stored.
int32_t RadioGroupButtonFor(const RadioGroupBinding& group, int32_t value);
bool RadioGroupValueFor(const RadioGroupBinding& group, int32_t checkedButton, int32_t* value);

// ---- Numbers --------------------------------------------------------------------------------------

// A number edit with its up-down control. The setting's range is the up-down's range for the
// arrows and the check on collect; the edit itself shows the stored number as it is. An entry the
// setting does not allow, or one that is no number at all, is refused with its refusal text.
struct NumberBinding {
    int EditId;
    int SpinId;
    SettingId Setting;
};

// What an edit's text says as an unsigned decimal number: nothing for an empty text, anything but
// digits, or a number that does not fit 32 bits. Numbers above INT32_MAX come back negative, as
// the signed comparisons of the checks see them.
std::optional<int32_t> ParseEnteredNumber(const char* text);

// ---- Lists -----------------------------------------------------------------------------------------

// A drop-down list filled from the setting's list: an Index setting holds the entry's position,
// a ListValue or Step setting the entry's value (found by the low byte of the field).
struct ListBinding {
    int ControlId;
    SettingId Setting;
};

// The entry a list shows for a value (the setting's ShownAs when its list does not name it).
int32_t ListIndexForValue(const ListBinding& list, int32_t value);
// The value for a chosen entry; false (nothing to store) for no choice or an index outside the
// list, unless the setting has a value for no choice.
bool ListValueForIndex(const ListBinding& list, int32_t index, int32_t* value);

// A feed-position combo of one paper path: the labels of the path's list, and one more entry
// "%d/120インチ" when the path's FeedPosOther slot is not 0. The stored index is selected as it
// is; the "other" index with a slot of 0 names no entry, shows no selection and is kept.
struct FeedComboBinding {
    int ControlId;
    SettingId Setting;
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

// Every control the tables bind to a setting, and the statics of their labels (not the icons).
std::vector<int> BoundControlIds(const BindingTables& bindings);

#endif
