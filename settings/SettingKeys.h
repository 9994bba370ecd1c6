// SettingKeys.h - every setting of the panel under one name, as a settings file and the console
// tool see it: the key (the record's field name, "Form1.LeftMargin" for a stored form, the switch's
// own name for a switch bit), the panel's label, the value in the printer's own units, and the
// values a user may enter. Everything about a setting comes from its description in
// SettingTable.h; nothing here repeats it.
#ifndef RP_SETTINGS_SETTINGKEYS_H
#define RP_SETTINGS_SETTINGKEYS_H

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "settings/PanelSettings.h"
#include "settings/SettingTable.h"

// A printer's settings as read: the record and its twenty odd feed distances.
struct PrinterSettings {
    PanelSettingsRecord Record{};
    int32_t FeedPosOther[FeedPosOtherCount] = {};
};

// One named setting of the file: a setting of the table, for the stored forms one per form.
struct SettingKey {
    std::string Key;      // "PageLength", "Form2.RightMargin", "Bidirectional"
    std::string Label;    // the panel's label, e.g. "書式２ ライトマージン幅"
    std::string Section;  // the tab or dialog that shows it, for the file's headings
    const SettingDescription* Setting = nullptr;
    int32_t FormIndex = -1;  // 0..3 for a setting of a stored form
    int32_t Slot = -1;       // FeedDistance: the FeedPosOther slot
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
