// SettingKeys.h - every setting of the panel under one name, as a settings file and the console
// tool see it: the key (the record's field name, "Form1.LeftMargin" for a stored form, the switch's
// own name for a switch bit), the panel's label, the value in the printer's own units, and the
// values a user may enter. The limits come from SettingChecks.h and the lists from ValueLists.h and
// FeedPositions.h; nothing here repeats them.
#ifndef RP_SETTINGS_SETTINGKEYS_H
#define RP_SETTINGS_SETTINGKEYS_H

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "settings/PanelSettings.h"
#include "settings/SettingChecks.h"

// A printer's settings as read: the record and its twenty odd feed distances.
struct PrinterSettings {
    PanelSettingsRecord Record{};
    int32_t FeedPosOther[FeedPosOtherCount] = {};
};

// How a setting's value is written and which values it takes.
enum class SettingUnit : uint8_t {
    Count,         // lines or columns within Range
    Index,         // a position in List
    ListValue,     // one of List's values (the international character set's codes)
    FeedDistance,  // 1/120 inch: List's distances, or another 0..255 that the printer holds
    Step,          // a signed step: List's values read as two's complement bytes
    OnOff,         // 0 or 1, each with its label
    RawBits,       // the switch bits that no control shows, in hexadecimal
};

struct SettingKey {
    std::string Key;      // "PageLength", "Form2.RightMargin", "Bidirectional"
    std::string Label;    // the panel's label, e.g. "書式２ ライトマージン幅"
    std::string Section;  // the tab or dialog that shows it, for the file's headings
    SettingUnit Unit = SettingUnit::Count;
    ValueRange Range{0, 0};     // Count
    const char* UnitName = "";  // Count: "行" or "桁"
    const ValueList* List = nullptr;
    const char* Off = "";  // OnOff: the labels of 0 and 1
    const char* On = "";
    // Where the value lives: a field of the record, of a stored form, or a switch field.
    int32_t PanelSettingsRecord::*Field = nullptr;
    int32_t FormIndex = -1;  // 0..3 with FormField
    int32_t FormSettings::*FormField = nullptr;
    SwitchField Switch{0, 0, 0};  // Width 0: not a switch
    int32_t Slot = -1;            // FeedDistance: the FeedPosOther slot
};

// Every setting, in the order of the panel's tabs.
const std::vector<SettingKey>& SettingKeys();
// The setting with exactly this key (case-sensitive), or nullptr.
const SettingKey* FindSettingKey(std::string_view key);

// The value in the printer's units (a feed position as its distance, a trim as its signed step).
int32_t GetSettingValue(const SettingKey& key, const PrinterSettings& settings);
// Stores a value; a feed distance outside the list becomes the "other" index with its slot.
void SetSettingValue(const SettingKey& key, int32_t value, PrinterSettings& settings);

// Whether a user may enter the value: the pages' ranges and lists.
bool SettingValueAllowed(const SettingKey& key, int64_t value);

// "66", "-1", "0x00000000" - the value as a settings file writes it.
std::string FormatSettingValue(const SettingKey& key, int32_t value);
// The value with its meaning where it has one: "120 (1インチ)", "1 (イタリック)", "66 行".
std::string DescribeSettingValue(const SettingKey& key, int32_t value);
// The values a user may enter: "1 ～ 99 行", "0 = 標準, 1 = イタリック, ...".
std::string AllowedValuesText(const SettingKey& key);

#endif
