#include "settings/PanelSettings.h"

namespace {
PanelSettingsRecord NotLoaded() {
  PanelSettingsRecord record{};
  record.SwitchBits = -1;
  return record;
}
}  // namespace

PanelSettingsRecord PanelSettings = NotLoaded();

bool SettingsLoaded() {
  const uint32_t bits = static_cast<uint32_t>(PanelSettings.SwitchBits);
  for (int shift = 0; shift < 32; shift += 8) {
    if (((bits >> shift) & 0xFFu) == 0xFFu) return false;
  }
  return true;
}

void MarkSettingsNotLoaded() { PanelSettings.SwitchBits = -1; }

void LoadInitialSettings() {
  PanelSettings = PanelSettingsRecord{};
  SetSwitch(PanelSettings.SwitchBits, Bidirectional, true);
  PanelSettings.HeadCenterCutSheet = 40;
  PanelSettings.HeadCenterContFront = 36;
  PanelSettings.HeadCenterContRear = 96;
  PanelSettings.FeedPosContFront = 7;
  PanelSettings.FeedPosContRear = 7;
  PanelSettings.FeedPosCutSheet = 6;
  PanelSettings.FeedPosPostcard = 6;
  PanelSettings.PageLength = 66;
  for (FormSettings& form : PanelSettings.Forms) form = {66, 7, 7, 6, 6, 0, 136, 0};
}

namespace {
const ValueLabel PaperThicknessItems[] = {
    {0, "オート"}, {1, "1"},  {2, "2"},  {3, "3"},   {4, "4"},   {5, "5"},  {6, "6"},
    {7, "7"},      {8, "8"},  {9, "9"},  {10, "10"}, {11, "11"}, {12, "12"},
};
}  // namespace

const ValueList PaperThicknessList = {PaperThicknessItems, 13};

int32_t ValueListIndexOf(const ValueList& list, int32_t value) {
  for (int32_t i = 0; i < list.Size; ++i) {
    if (list.Items[i].Value == value) return i;
  }
  return -1;
}
