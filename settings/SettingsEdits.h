// SettingsEdits.h - the user's values over a printer's settings, setting by setting.
//
// What the user changed (on a page, in a detail dialog, from a settings file) is kept as the value
// of each named setting (SettingKeys.h), not as a whole record: a write puts exactly those values
// over what the printer holds at that moment, so that a setting the user never touched keeps the
// printer's own value, whoever wrote it meanwhile. An odd feed distance is a value like any other.
#ifndef RP_SETTINGS_SETTINGSEDITS_H
#define RP_SETTINGS_SETTINGSEDITS_H

#include <stddef.h>
#include <stdint.h>

#include <optional>
#include <vector>

#include "settings/SettingKeys.h"

class SettingsEdits {
public:
    bool Empty() const { return count_ == 0; }
    size_t Count() const { return count_; }
    // The user's value of a setting, or nothing when the user left it alone.
    std::optional<int32_t> Of(const SettingKey& key) const;
    void Set(const SettingKey& key, int32_t value);
    void Clear();
    // Every setting whose value differs between `before` and `after` becomes an edit with its value
    // in `after`; the edits made before stay. Returns whether an edit was added or changed.
    bool Note(const PrinterSettings& before, const PrinterSettings& after);
    // Every setting of `settings` becomes an edit (the initial values, which are written whole).
    void SetAll(const PrinterSettings& settings);
    // `base` with the edits put over it.
    PrinterSettings Over(const PrinterSettings& base) const;
    // The settings edited, in the order of SettingKeys().
    std::vector<const SettingKey*> Keys() const;

    bool operator==(const SettingsEdits& other) const = default;

private:
    std::vector<std::optional<int32_t>> values_;  // by index into SettingKeys(); empty: none
    size_t count_ = 0;
};

// A write: the user's edits over the printer's settings as they are now.
struct WriteMerge {
    PrinterSettings Values;  // what is sent
    // Edited settings whose value the printer changed since `read` (and that do not already hold
    // the user's value): the user is asked before they are overwritten.
    std::vector<const SettingKey*> ChangedMeanwhile;
};
// `now` is what the printer holds now, `read` what the edits were made over.
WriteMerge MergeEdits(const SettingsEdits& edits, const PrinterSettings& read, const PrinterSettings& now);

#endif
