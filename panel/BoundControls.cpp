#include "panel/BoundControls.h"

#include <commctrl.h>

#include <string>

#include "base/AppState.h"
#include "base/ArtScale.h"
#include "base/Text.h"
#include "base/Ui.h"

namespace {

// The filling mark lives in the dialog's own user slot; nested fills keep it until the outer ends.
class FillingScope {
public:
    explicit FillingScope(HWND window) : window_(window), previous_(GetWindowLongPtrA(window, DWLP_USER)) {
        SetWindowLongPtrA(window_, DWLP_USER, 1);
    }
    ~FillingScope() { SetWindowLongPtrA(window_, DWLP_USER, previous_); }
    FillingScope(const FillingScope&) = delete;
    FillingScope& operator=(const FillingScope&) = delete;

private:
    HWND window_;
    LONG_PTR previous_;
};

void Check(HWND window, int id, bool checked) {
    CheckDlgButton(window, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void AddEntry(HWND combo, const char* text) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void FillList(HWND window, int comboId, const ValueList& values) {
    HWND combo = GetDlgItem(window, comboId);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int32_t i = 0; i < values.Size; ++i) AddEntry(combo, values.Items[i].Label);
}

void Select(HWND window, int comboId, int32_t index) {
    SendDlgItemMessageA(window, comboId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ShowFeedCombo(HWND window, const FeedComboBinding& feed, const EditedRecord& record) {
    const SettingDescription& setting = Describe(feed.Setting);
    const FeedPath path = FeedPathOf(setting);
    const int32_t other = record.FeedOther[path];
    FillList(window, feed.ControlId, FeedListFor(path));
    if (other != 0) {
        char label[kTextBufferSize];
        FormatFeedOtherLabel(label, sizeof label, other);
        AddEntry(GetDlgItem(window, feed.ControlId), label);
    }
    Select(window, feed.ControlId, FeedComboSelection(path, other, ReadSetting(record, setting)));
}

// The up-down keeps its range (and a position within it) for the arrows; the edit shows the
// stored number as it is, also outside that range, so that showing a value never changes it.
void ShowNumber(HWND window, const NumberBinding& number, int32_t value) {
    HWND spin = GetDlgItem(window, number.SpinId);
    const ValueRange range = Describe(number.Setting).Range;
    SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(range.Min), static_cast<LPARAM>(range.Max));
    SendMessageA(spin, UDM_SETPOS32, 0, static_cast<LPARAM>(value));
    // The up-down has written its position into the edit: the number is written again only where
    // that is not it (a value outside the range), as each write of an edit costs a redraw and
    // its notifications.
    char shown[32] = "";
    GetDlgItemTextA(window, number.EditId, shown, sizeof shown);
    if (std::to_string(value) != shown) SetDlgItemInt(window, number.EditId, static_cast<UINT>(value), TRUE);
}

const RadioPairBinding* PairWith(const BindingTables& bindings, int buttonId) {
    for (const auto& pair : bindings.RadioPairs) {
        if (pair.OffButton == buttonId || pair.OnButton == buttonId) return &pair;
    }
    return nullptr;
}

// Whether the icon follows `controlId` (for a pair: either of its buttons).
bool IconFollows(const BindingTables& bindings, const IconBinding& icon, int controlId) {
    if (icon.SourceId == controlId) return true;
    const RadioPairBinding* pair = PairWith(bindings, icon.SourceId);
    return pair && PairWith(bindings, controlId) == pair;
}

// The icon its source control calls for now; 0 keeps the icon shown.
uint16_t IconNow(HWND window, const BindingTables& bindings, const IconBinding& icon) {
    if (const RadioPairBinding* pair = PairWith(bindings, icon.SourceId)) {
        return IconForSwitch(icon, RadioPairReadsOn(*pair, IsChecked(window, pair->ReadButton)));
    }
    for (const auto& list : bindings.Lists) {
        if (list.ControlId == icon.SourceId) return IconForEntry(icon, SelectedEntry(window, list.ControlId));
    }
    return IconForSwitch(icon, IsChecked(window, icon.SourceId));
}

void FollowIcons(HWND window, const BindingTables& bindings, int controlId, bool all) {
    for (const auto& icon : bindings.Icons) {
        if (!all && !IconFollows(bindings, icon, controlId)) continue;
        if (const uint16_t id = IconNow(window, bindings, icon)) ShowIcon(window, icon.StaticId, id);
    }
}

void FollowLabels(HWND window, const BindingTables& bindings, int editId, bool all) {
    for (const auto& label : bindings.Labels) {
        if (!all && label.SourceEditId != editId) continue;
        char text[kTextBufferSize];
        LoadText(label.TextFor(ReadEnteredNumber(window, label.SourceEditId)), text, sizeof text);
        SetDlgItemTextA(window, label.StaticId, text);
    }
}

template <class Binding>
bool Names(std::span<const Binding> bindings, int id, int Binding::*control) {
    for (const auto& binding : bindings) {
        if (binding.*control == id) return true;
    }
    return false;
}

bool IsGroupButton(const BindingTables& bindings, int id) {
    for (const auto& group : bindings.RadioGroups) {
        for (int button : group.Buttons) {
            if (button == id) return true;
        }
    }
    return false;
}

}  // namespace

bool IsFilling(HWND window) { return GetWindowLongPtrA(window, DWLP_USER) != 0; }

void FillBindings(HWND window, const BindingTables& bindings, const EditedRecord& record) {
    FillingScope filling(window);
    for (const auto& check : bindings.Checks)
        Check(window, check.ControlId, SettingIsOn(record, Describe(check.Setting)));
    for (const auto& pair : bindings.RadioPairs) {
        // Both buttons are set explicitly: a call that checks one button of an id range would also
        // clear unrelated buttons whose ids lie between the two.
        const bool on = SettingIsOn(record, Describe(pair.Setting));
        Check(window, pair.OnButton, on);
        Check(window, pair.OffButton, !on);
    }
    for (const auto& group : bindings.RadioGroups) {
        const int32_t checked = RadioGroupButtonFor(group, ReadSetting(record, Describe(group.Setting)));
        for (size_t i = 0; i < group.Buttons.size(); ++i)
            Check(window, group.Buttons[i], checked == static_cast<int32_t>(i));
    }
    for (const auto& feed : bindings.FeedCombos) ShowFeedCombo(window, feed, record);
    for (const auto& number : bindings.Numbers)
        ShowNumber(window, number, ReadSetting(record, Describe(number.Setting)));
    for (const auto& list : bindings.Lists) {
        const SettingDescription& setting = Describe(list.Setting);
        FillList(window, list.ControlId, *setting.List);
        Select(window, list.ControlId, ListIndexForValue(list, ReadSetting(record, setting)));
    }
    FollowLabels(window, bindings, 0, true);
    FollowIcons(window, bindings, 0, true);
}

Refusal CollectBindings(HWND window, const BindingTables& bindings, const EditedRecord& record) {
    for (const auto& check : bindings.Checks)
        StoreSettingOn(record, Describe(check.Setting), IsChecked(window, check.ControlId));
    for (const auto& pair : bindings.RadioPairs) {
        StoreSettingOn(record, Describe(pair.Setting),
                       RadioPairReadsOn(pair, IsChecked(window, pair.ReadButton)));
    }
    for (const auto& group : bindings.RadioGroups) {
        int32_t checked = -1;
        for (size_t i = 0; i < group.Buttons.size() && checked < 0; ++i) {
            if (IsChecked(window, group.Buttons[i])) checked = static_cast<int32_t>(i);
        }
        int32_t value = 0;
        if (RadioGroupValueFor(group, checked, &value)) StoreSetting(record, Describe(group.Setting), value);
    }
    for (const auto& feed : bindings.FeedCombos) {
        const int32_t selected = SelectedEntry(window, feed.ControlId);
        if (selected >= 0) StoreSetting(record, Describe(feed.Setting), selected);
    }
    for (const auto& number : bindings.Numbers) {
        // The same check as a settings file's value gets.
        const SettingDescription& setting = Describe(number.Setting);
        const std::optional<int32_t> value = ReadEnteredNumber(window, number.EditId);
        if (!value || !SettingValueAllowed(setting, *value)) return {setting.RefusalText, number.EditId};
        StoreSetting(record, setting, *value);
    }
    for (const auto& list : bindings.Lists) {
        int32_t value = 0;
        if (ListValueForIndex(list, SelectedEntry(window, list.ControlId), &value)) {
            StoreSetting(record, Describe(list.Setting), value);
        }
    }
    return {0, 0};
}

bool FollowCommand(HWND window, const BindingTables& bindings, int controlId, int code, int editChangeCode) {
    if (Names(bindings.Numbers, controlId, &NumberBinding::EditId)) {
        FollowLabels(window, bindings, controlId, false);
        return code == editChangeCode;
    }
    const bool clicked =
        code == BN_CLICKED && (Names(bindings.Checks, controlId, &CheckBinding::ControlId) ||
                               PairWith(bindings, controlId) || IsGroupButton(bindings, controlId));
    const bool selected =
        code == CBN_SELCHANGE && (Names(bindings.Lists, controlId, &ListBinding::ControlId) ||
                                  Names(bindings.FeedCombos, controlId, &FeedComboBinding::ControlId));
    if (!clicked && !selected) return false;
    FollowIcons(window, bindings, controlId, false);
    return true;
}

bool FollowScroll(HWND window, const BindingTables& bindings, int spinId) {
    for (const auto& number : bindings.Numbers) {
        if (number.SpinId != spinId) continue;
        FollowLabels(window, bindings, number.EditId, false);
        return true;
    }
    return false;
}

void EnableControls(HWND dialog, std::span<const int> controls, bool enable) {
    for (int id : controls) EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
}

bool IsChecked(HWND dialog, int controlId) { return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED; }

std::optional<int32_t> ReadEnteredNumber(HWND dialog, int editId) {
    char text[32] = "";
    if (GetDlgItemTextA(dialog, editId, text, sizeof text) >= static_cast<int>(sizeof text) - 1) {
        return std::nullopt;  // longer than any number of 32 bits
    }
    return ParseEnteredNumber(text);
}

void ShowIcon(HWND dialog, int controlId, UINT iconId) {
    HICON icon = ProgramIcon(iconId, IconSizeFor(32));
    HWND control = GetDlgItem(dialog, controlId);
    if (reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0)) == icon) return;
    SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

int32_t SelectedEntry(HWND dialog, int comboId) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, comboId, CB_GETCURSEL, 0, 0));
}
