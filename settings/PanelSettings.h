// PanelSettings.h - the program's single in-memory copy of the printer's front-panel settings.
//
// PanelSettings is a plain record of 54 signed 32-bit integers, FeedPosOther the twenty raw feed
// distances beside it. Decoding fills both from the printer's settings block, the pages show and
// edit the record, and the write path turns it back into a block and a command. The record takes
// any integer: ranges are checked where the user types a value, not here.
#ifndef RP_SETTINGS_PANELSETTINGS_H
#define RP_SETTINGS_PANELSETTINGS_H

#include <stdint.h>

#include "settings/FeedPositions.h"
#include "settings/SwitchBits.h"
#include "settings/ValueLists.h"

// One stored form (書式１..書式４). Note the order: page length, feeds, margins, correction.
struct FormSettings {
    int32_t PageLength;        // 用紙長, lines 1..99
    int32_t FeedPosContFront;  // 連続紙・前, FeedListA index, 8 = other
    int32_t FeedPosContRear;   // 連続紙・後, FeedListA index, 8 = other
    int32_t FeedPosCutSheet;   // カット紙, FeedListB index, 9 = other
    int32_t FeedPosPostcard;   // はがき, FeedListC index, 9 = other
    int32_t LeftMargin;        // レフトマージン幅, columns 0..135
    int32_t RightMargin;       // ライトマージン幅, columns 1..136
    int32_t CutSheetOffset;    // カット紙位置補正, columns 0..68
};

inline constexpr int32_t FormCount = 4;

struct PanelSettingsRecord {
    int32_t SwitchBits;           // packed switches, see SwitchBits.h; 0xFFFFFFFF = not loaded
    int32_t PaperSetCenter;       // 用紙セット位置: 1 = センタ, 0 = レフト
    int32_t PostcardMode;         // ハガキ印刷モード 0, 1
    int32_t HeadCenterCutSheet;   // ヘッドセンタリング位置 カット紙, columns 10..68
    int32_t HeadCenterContFront;  // same, 連続紙・前, 10..68
    int32_t HeadCenterContRear;   // same, 連続紙・後, 68..126
    int32_t PaperThickness;       // 用紙厚調整: 0 = オート, 1..12
    int32_t FeedPosContFront;     // FeedListA index, 8 = other
    int32_t FeedPosContRear;      // FeedListA index, 8 = other
    int32_t FeedPosCutSheet;      // FeedListB index, 9 = other
    int32_t FeedPosPostcard;      // FeedListC index, 9 = other
    int32_t PageLength;           // 用紙長, lines 1..99
    int32_t CutSheetOffset;       // カット紙位置補正, columns 0..68
    int32_t FormSelect;           // 書式選択: 0 = none, 1..4
    FormSettings Forms[FormCount];
    int32_t Typeface;        // 書体: 0 = 明朝体, 1 = ゴシック体
    int32_t Font1;           // FontList index 0..4
    int32_t Font2;           // FontList index 0..4
    int32_t KanjiCodeTable;  // KanjiCodeTableList index 0..2
    int32_t Reduction;       // ReductionList index 0..4
    int32_t QuietPrint;      // クワイエット印刷 0, 1
    int32_t PressureAdjust;  // the printer's byte: 3, 2, 1, 0, 255 .. 250
    int32_t PositionAdjust;  // the printer's byte: 0, 1, 2, 3, 255, 254, 253
};
static_assert(sizeof(PanelSettingsRecord) == 54 * 4, "PanelSettingsRecord is 54 32-bit integers");

// The program-wide instances. Only the user-interface thread touches them.
extern PanelSettingsRecord PanelSettings;
extern int32_t FeedPosOther[FeedPosOtherCount];

// The value of SwitchBits that marks a record as holding no settings.
inline constexpr int32_t SwitchBitsNotLoaded = -1;  // 0xFFFFFFFF

// True when none of the four bytes of SwitchBits is 0xFF.
bool SettingsLoaded(const PanelSettingsRecord& record);
bool SettingsLoaded();
// Sets SwitchBits to 0xFFFFFFFF and changes nothing else.
void MarkSettingsNotLoaded(PanelSettingsRecord& record);
void MarkSettingsNotLoaded();
// Sets every field to 0, then the initial values (初期値). FeedPosOther is left alone.
void LoadInitialSettings(PanelSettingsRecord& record);
void LoadInitialSettings();
// The initial values of one stored form (also what the form dialog's クリア puts in its controls).
FormSettings InitialFormSettings();

#endif
