// Stand-in for the settings record until settings/ is on main: the record and the calls the
// panel's pages use, nothing more. Deleted when settings/ lands.
#ifndef RP_SETTINGS_PANELSETTINGS_H
#define RP_SETTINGS_PANELSETTINGS_H

#include <stdint.h>

#include "settings/SwitchBits.h"
#include "settings/ValueLists.h"

struct FormSettings {
  int32_t PageLength;
  int32_t FeedPosContFront;
  int32_t FeedPosContRear;
  int32_t FeedPosCutSheet;
  int32_t FeedPosPostcard;
  int32_t LeftMargin;
  int32_t RightMargin;
  int32_t CutSheetOffset;
};

inline constexpr int32_t FormCount = 4;

struct PanelSettingsRecord {
  int32_t SwitchBits;
  int32_t PaperSetCenter;
  int32_t PostcardMode;
  int32_t HeadCenterCutSheet;
  int32_t HeadCenterContFront;
  int32_t HeadCenterContRear;
  int32_t PaperThickness;
  int32_t FeedPosContFront;
  int32_t FeedPosContRear;
  int32_t FeedPosCutSheet;
  int32_t FeedPosPostcard;
  int32_t PageLength;
  int32_t CutSheetOffset;
  int32_t FormSelect;
  FormSettings Forms[FormCount];
  int32_t Typeface;
  int32_t Font1;
  int32_t Font2;
  int32_t KanjiCodeTable;
  int32_t Reduction;
  int32_t QuietPrint;
  int32_t PressureAdjust;
  int32_t PositionAdjust;
};

extern PanelSettingsRecord PanelSettings;

bool SettingsLoaded();
void MarkSettingsNotLoaded();
void LoadInitialSettings();

#endif
