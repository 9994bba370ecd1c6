// SettingTable.h - every setting of the panel described once: its key, its label, where it lives
// in the record, which values it takes and how a control shows it, and the text that refuses an
// entry outside them. The pages and their dialogs bind a control to a setting by its id and take
// everything else from here; the settings file and rpsettings read the same descriptions.
#ifndef RP_SETTINGS_SETTINGTABLE_H
#define RP_SETTINGS_SETTINGTABLE_H

#include <stdint.h>

#include <span>
#include <vector>

#include "settings/PanelSettings.h"
#include "settings/SettingChecks.h"

enum class SettingId : uint8_t {
    // 用紙 and its dialog
    PaperSetCenter,
    HeadCenterCutSheet,
    HeadCenterContFront,
    HeadCenterContRear,
    PostcardMode,
    PerforationSkip,
    NoFeedPosMemory,
    PaperThickness,
    // 書式
    FeedPosContFront,
    FeedPosContRear,
    FeedPosCutSheet,
    FeedPosPostcard,
    PageLength,
    CutSheetOffset,
    FormSelect,
    // One stored form, as the form dialog edits it (the file names them per form).
    FormPageLength,
    FormFeedPosContFront,
    FormFeedPosContRear,
    FormFeedPosCutSheet,
    FormFeedPosPostcard,
    FormLeftMargin,
    FormRightMargin,
    FormCutSheetOffset,
    // フォント and its dialog
    Typeface,
    Font1,
    Font2,
    SlashZeroSingle,
    SlashZeroDouble,
    IntlCharSet,
    KanjiCodeTable,
    // 印刷 and its dialogs
    Reduction,
    Bidirectional,
    QuietPrint,
    PressureAdjust,
    PositionAdjust,
    DosHsPica,
    DosUnidirectional,
    SheetFeederEscAll,
    DotGraphicsCopy,
    DraftAtPowerOn,
    // 動作環境 and its dialog
    CutSheetRearEject,
    NoEdgeDetect,
    SheetGuideBySwitch,
    SheetFeederRearFixed,
    SheetFeederControl,
    Columns80,
    CrIsCrLf,
    AutoCrOnly,
    // その他
    PrintCmdCrOther,
    Dc1Dc3Disabled,
    SevenBitData,
    // The switch bits no control shows (the settings file only).
    OtherSwitchBits,
    Count
};

// Where a setting lives: a 32-bit field of the record, or of one stored form (the form is given by
// whoever holds the form: the form dialog edits a copy of one), or bits of SwitchBits.
struct SettingField {
    bool InForm;       // Offset is within FormSettings rather than PanelSettingsRecord
    uint16_t Offset;   // byte offset of the int32_t field
    SwitchField Bits;  // Width 0: the whole field
};

// How the value is written and which values it takes.
enum class SettingUnit : uint8_t {
    Count,         // lines or columns within Range
    Index,         // a position in List
    ListValue,     // one of List's values (the international character set's codes)
    FeedDistance,  // 1/120 inch: List's distances, or another 0..255 that the printer holds
    Step,          // a signed step: List's values read as two's complement bytes
    OnOff,         // 0 or 1, each with its label
    RawBits,       // the switch bits that no control shows, in hexadecimal
};

// When a yes/no control (a check box, a pair of radio buttons) shows the setting on.
enum class ShownOn : uint8_t {
    NonZero,  // any value but 0; stored as 1 / 0
    One,      // exactly 1; stored as 1 / 0
    Zero,     // 0 (a switch shown the other way round); stored as 0 / 1
};

struct SettingDescription {
    SettingId Id;
    const char* Key;      // the settings file's key; a form's are "Form<k>." plus this
    const char* Label;    // the panel's label; a form's is its name, a space and this
    const char* Section;  // the tab or dialog that shows it, for the file's headings
    int8_t Tab;           // the tab whose page or dialogs show it; -1: no control shows it
    SettingField Field;
    SettingUnit Unit;
    ValueRange Range;       // Count: the entries a user may make
    const ValueList* List;  // Index, ListValue, Step, FeedDistance
    ShownOn On;             // yes/no controls
    int8_t ShownAs;         // a list's entry shown for a value it does not name (-1: none)
    int8_t NoChoice;        // stored when a list or a group of buttons is left without a
                            // choice (-1: the value is kept)
    uint16_t RefusalText;   // the message that refuses an entry outside Range
    const char* UnitName;   // Count: "行" or "桁"
    const char* Off;        // OnOff: the meanings of 0 and 1
    const char* OnText;
};

// The description of one setting.
const SettingDescription& Describe(SettingId id);
// Every setting, in the order of the panel's tabs.
std::span<const SettingDescription> SettingTable();

// The feed path of a FeedDistance setting.
FeedPath FeedPathOf(const SettingDescription& setting);

// ---- The value of a setting in a record ----------------------------------------------------------

// A record as pages and dialogs edit it: the fields (PanelSettings, or a copy of one form for the
// form dialog) and the four FeedPosOther slots of the fields' group, in FeedPath order.
struct EditedRecord {
    void* Fields;
    int32_t* FeedOther;
};
// The program's settings as the pages edit them.
EditedRecord CurrentSettingsRecord();

// The value as the record holds it (a feed position as its index, a switch as its bits).
int32_t ReadSetting(const EditedRecord& record, const SettingDescription& setting);
void StoreSetting(const EditedRecord& record, const SettingDescription& setting, int32_t value);

// Whether a yes/no control shows the setting on, and what storing its state stores.
bool SettingIsOn(const EditedRecord& record, const SettingDescription& setting);
void StoreSettingOn(const EditedRecord& record, const SettingDescription& setting, bool on);

// Whether an entry of a user is allowed: the pages' ranges and lists, the same checks for a
// settings file.
bool SettingValueAllowed(const SettingDescription& setting, int64_t value);

// ---- Switch bytes a printer cannot be read with ---------------------------------------------------

// A block whose switch byte is 0xFF reads as "not loaded": a record that would store one can never
// be read back. The first such byte of `switchBits` (0..3), or -1 when there is none.
int32_t UnreadableSwitchByte(int32_t switchBits);
// The settings that have a control and live in switch byte `byte`, in table order.
std::vector<const SettingDescription*> SwitchesOfByte(int32_t byte);

#endif
