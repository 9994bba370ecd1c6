// SettingsEdits.cpp - the user's values over a printer's settings.
#include "settings/SettingsEdits.h"

namespace {

size_t IndexOf(const SettingKey& key) { return static_cast<size_t>(&key - SettingKeys().data()); }

}  // namespace

std::optional<int32_t> SettingsEdits::Of(const SettingKey& key) const {
    const size_t index = IndexOf(key);
    return index < values_.size() ? values_[index] : std::nullopt;
}

void SettingsEdits::Set(const SettingKey& key, int32_t value) {
    if (values_.empty()) values_.resize(SettingKeys().size());
    std::optional<int32_t>& slot = values_[IndexOf(key)];
    if (!slot) ++count_;
    slot = value;
}

void SettingsEdits::Clear() {
    values_.clear();
    count_ = 0;
}

bool SettingsEdits::Note(const PrinterSettings& before, const PrinterSettings& after) {
    bool noted = false;
    for (const SettingKey& key : SettingKeys()) {
        const int32_t value = GetSettingValue(key, after);
        if (value == GetSettingValue(key, before) || Of(key) == value) continue;
        Set(key, value);
        noted = true;
    }
    return noted;
}

void SettingsEdits::SetAll(const PrinterSettings& settings) {
    for (const SettingKey& key : SettingKeys()) Set(key, GetSettingValue(key, settings));
}

PrinterSettings SettingsEdits::Over(const PrinterSettings& base) const {
    PrinterSettings result = base;
    for (size_t i = 0; i < values_.size(); ++i) {
        if (values_[i]) SetSettingValue(SettingKeys()[i], *values_[i], result);
    }
    return result;
}

std::vector<const SettingKey*> SettingsEdits::Keys() const {
    std::vector<const SettingKey*> keys;
    for (size_t i = 0; i < values_.size(); ++i) {
        if (values_[i]) keys.push_back(&SettingKeys()[i]);
    }
    return keys;
}

WriteMerge MergeEdits(const SettingsEdits& edits, const PrinterSettings& read, const PrinterSettings& now) {
    WriteMerge merge{edits.Over(now), {}};
    for (const SettingKey* key : edits.Keys()) {
        const int32_t printer = GetSettingValue(*key, now);
        if (printer != GetSettingValue(*key, read) && printer != *edits.Of(*key)) {
            merge.ChangedMeanwhile.push_back(key);
        }
    }
    return merge;
}
