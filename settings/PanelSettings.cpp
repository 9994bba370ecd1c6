// PanelSettings.cpp - the program-wide settings record, its loaded test and its initial values.
#include "settings/PanelSettings.h"

namespace {
constexpr PanelSettingsRecord NotLoadedRecord() {
    PanelSettingsRecord record{};
    record.SwitchBits = SwitchBitsNotLoaded;
    return record;
}
}  // namespace

// The record starts out holding no settings; start-up marks it so again before anything else.
constinit PanelSettingsRecord PanelSettings = NotLoadedRecord();
int32_t FeedPosOther[FeedPosOtherCount] = {};

bool SettingsLoaded(const PanelSettingsRecord& record) {
    const uint32_t bits = static_cast<uint32_t>(record.SwitchBits);
    for (int shift = 0; shift < 32; shift += 8) {
        if (((bits >> shift) & 0xFFu) == 0xFFu) return false;
    }
    return true;
}

bool SettingsLoaded() { return SettingsLoaded(PanelSettings); }

void MarkSettingsNotLoaded(PanelSettingsRecord& record) { record.SwitchBits = SwitchBitsNotLoaded; }

void MarkSettingsNotLoaded() { MarkSettingsNotLoaded(PanelSettings); }

FormSettings InitialFormSettings() {
    FormSettings form{};
    form.PageLength = 66;
    form.FeedPosContFront = 7;  // 120/120 inch, "1インチ"
    form.FeedPosContRear = 7;
    form.FeedPosCutSheet = 6;  // 46/120 inch, "9.7ミリ"
    form.FeedPosPostcard = 6;  // 54/120 inch, "11.5ミリ"
    form.LeftMargin = 0;
    form.RightMargin = 136;
    form.CutSheetOffset = 0;
    return form;
}

void LoadInitialSettings(PanelSettingsRecord& record) {
    record = PanelSettingsRecord{};
    SetSwitch(record.SwitchBits, Bidirectional, true);  // 0x08000000: only 両方向 is on
    record.HeadCenterCutSheet = 40;
    record.HeadCenterContFront = 36;
    record.HeadCenterContRear = 96;
    record.FeedPosContFront = 7;
    record.FeedPosContRear = 7;
    record.FeedPosCutSheet = 6;
    record.FeedPosPostcard = 6;
    record.PageLength = 66;
    for (FormSettings& form : record.Forms) form = InitialFormSettings();
}

void LoadInitialSettings() { LoadInitialSettings(PanelSettings); }
