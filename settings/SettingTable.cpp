// SettingTable.cpp - the table of the panel's settings and the rules that read and store them.
#include "settings/SettingTable.h"

#include <stddef.h>

#include "res/resource.h"

namespace {

using R = PanelSettingsRecord;
using F = FormSettings;
using Id = SettingId;
using U = SettingUnit;

constexpr SettingField Whole(size_t offset) { return {false, static_cast<uint16_t>(offset), {0, 0, 0}}; }
constexpr SettingField OfForm(size_t offset) { return {true, static_cast<uint16_t>(offset), {0, 0, 0}}; }
constexpr SettingField Bits(SwitchField bits) { return {false, offsetof(R, SwitchBits), bits}; }

constexpr SettingDescription Count(Id id, const char* key, const char* label, const char* section, int8_t tab,
                                   SettingField field, ValueRange range, uint16_t refusal, const char* unit) {
    return {id, key, label,   section, tab, field, U::Count, range, nullptr, ShownOn::NonZero,
            -1, -1,  refusal, unit,    "",  ""};
}

constexpr SettingDescription YesNo(Id id, const char* key, const char* label, const char* section, int8_t tab,
                                   SettingField field, ShownOn on, const char* off, const char* onText) {
    return {id, key, label, section, tab, field, U::OnOff, {0, 1}, nullptr, on, -1, -1, 0, "", off, onText};
}

// A switch bit, on when set.
constexpr SettingDescription Switch(Id id, const char* key, const char* label, const char* section,
                                    int8_t tab, SwitchField bits, const char* off, const char* onText) {
    return YesNo(id, key, label, section, tab, Bits(bits), ShownOn::NonZero, off, onText);
}

constexpr SettingDescription Listed(Id id, const char* key, const char* label, const char* section,
                                    int8_t tab, SettingField field, U unit, const ValueList& list,
                                    int8_t shownAs, int8_t noChoice) {
    return {id,      key,      label, section, tab, field, unit, {0, 0}, &list, ShownOn::NonZero,
            shownAs, noChoice, 0,     "",      "",  ""};
}

constexpr SettingDescription Feed(Id id, const char* key, const char* label, const char* section,
                                  SettingField field, const ValueList& list) {
    return Listed(id, key, label, section, 1, field, U::FeedDistance, list, -1, -1);
}

constexpr const char* kPaper = "用紙";
constexpr const char* kFormat = "書式";
constexpr const char* kForm = "";  // a form's section is its name
constexpr const char* kFont = "フォント";
constexpr const char* kPrint = "印刷";
constexpr const char* kDos = "DOS環境";
constexpr const char* kEnvironment = "動作環境";
constexpr const char* kOther = "その他";

constexpr const char* kFront = "吸入位置 連続紙・前";
constexpr const char* kRear = "吸入位置 連続紙・後";
constexpr const char* kCut = "吸入位置 カット紙";
constexpr const char* kPostcard = "吸入位置 はがき";

// In the order of the enumeration, which is the order of the tabs and of the settings file.
constexpr SettingDescription kTable[] = {
    YesNo(Id::PaperSetCenter, "PaperSetCenter", "用紙セット位置", kPaper, 0,
          Whole(offsetof(R, PaperSetCenter)), ShownOn::NonZero, "レフト", "センタ"),
    Count(Id::HeadCenterCutSheet, "HeadCenterCutSheet", "用紙吸入時ヘッドセンタリング位置 カット紙", kPaper,
          0, Whole(offsetof(R, HeadCenterCutSheet)), HeadCenterFrontRange, IDS_BAD_HEAD_CENTERING, "桁"),
    Count(Id::HeadCenterContFront, "HeadCenterContFront", "用紙吸入時ヘッドセンタリング位置 連続紙・前",
          kPaper, 0, Whole(offsetof(R, HeadCenterContFront)), HeadCenterFrontRange, IDS_BAD_HEAD_CENTERING,
          "桁"),
    Count(Id::HeadCenterContRear, "HeadCenterContRear", "用紙吸入時ヘッドセンタリング位置 連続紙・後", kPaper,
          0, Whole(offsetof(R, HeadCenterContRear)), HeadCenterRearRange, IDS_BAD_HEAD_CENTERING, "桁"),
    YesNo(Id::PostcardMode, "PostcardMode", "ハガキ印刷モード", kPaper, 0, Whole(offsetof(R, PostcardMode)),
          ShownOn::One, "しない", "する"),
    Switch(Id::PerforationSkip, "PerforationSkip", "ミシン目スキップ", kPaper, 0, PerforationSkip, "しない",
           "する"),
    // Its check box says 記憶する: checked while the bit is clear.
    YesNo(Id::NoFeedPosMemory, "NoFeedPosMemory", "用紙吸入位置を記憶する", kPaper, 0, Bits(NoFeedPosMemory),
          ShownOn::Zero, "する", "しない"),
    // A thickness outside 1..12 shows "オート" (entry 0).
    Listed(Id::PaperThickness, "PaperThickness", "用紙厚調整の設定", kPaper, 0,
           Whole(offsetof(R, PaperThickness)), U::Index, PaperThicknessList, 0, -1),

    Feed(Id::FeedPosContFront, "FeedPosContFront", kFront, kFormat, Whole(offsetof(R, FeedPosContFront)),
         FeedListA),
    Feed(Id::FeedPosContRear, "FeedPosContRear", kRear, kFormat, Whole(offsetof(R, FeedPosContRear)),
         FeedListA),
    Feed(Id::FeedPosCutSheet, "FeedPosCutSheet", kCut, kFormat, Whole(offsetof(R, FeedPosCutSheet)),
         FeedListB),
    Feed(Id::FeedPosPostcard, "FeedPosPostcard", kPostcard, kFormat, Whole(offsetof(R, FeedPosPostcard)),
         FeedListC),
    Count(Id::PageLength, "PageLength", "用紙長", kFormat, 1, Whole(offsetof(R, PageLength)), PageLengthRange,
          IDS_BAD_PAGE_LENGTH, "行"),
    Count(Id::CutSheetOffset, "CutSheetOffset", "カット紙位置補正", kFormat, 1,
          Whole(offsetof(R, CutSheetOffset)), CutSheetOffsetRange, IDS_BAD_CUT_SHEET_OFFSET, "桁"),
    Listed(Id::FormSelect, "FormSelect", "書式選択", kFormat, 1, Whole(offsetof(R, FormSelect)), U::Index,
           FormSelectList, -1, -1),

    Count(Id::FormPageLength, "PageLength", "用紙長", kForm, 1, OfForm(offsetof(F, PageLength)),
          PageLengthRange, IDS_BAD_PAGE_LENGTH, "行"),
    Feed(Id::FormFeedPosContFront, "FeedPosContFront", kFront, kForm, OfForm(offsetof(F, FeedPosContFront)),
         FeedListA),
    Feed(Id::FormFeedPosContRear, "FeedPosContRear", kRear, kForm, OfForm(offsetof(F, FeedPosContRear)),
         FeedListA),
    Feed(Id::FormFeedPosCutSheet, "FeedPosCutSheet", kCut, kForm, OfForm(offsetof(F, FeedPosCutSheet)),
         FeedListB),
    Feed(Id::FormFeedPosPostcard, "FeedPosPostcard", kPostcard, kForm, OfForm(offsetof(F, FeedPosPostcard)),
         FeedListC),
    Count(Id::FormLeftMargin, "LeftMargin", "レフトマージン幅", kForm, 1, OfForm(offsetof(F, LeftMargin)),
          LeftMarginRange, IDS_BAD_LEFT_MARGIN, "桁"),
    Count(Id::FormRightMargin, "RightMargin", "ライトマージン幅", kForm, 1, OfForm(offsetof(F, RightMargin)),
          RightMarginRange, IDS_BAD_RIGHT_MARGIN, "桁"),
    Count(Id::FormCutSheetOffset, "CutSheetOffset", "カット紙位置補正", kForm, 1,
          OfForm(offsetof(F, CutSheetOffset)), CutSheetOffsetRange, IDS_BAD_CUT_SHEET_OFFSET, "桁"),

    YesNo(Id::Typeface, "Typeface", "書体選択", kFont, 2, Whole(offsetof(R, Typeface)), ShownOn::NonZero,
          "明朝体", "ゴシック体"),
    Listed(Id::Font1, "Font1", "フォント1", kFont, 2, Whole(offsetof(R, Font1)), U::Index, FontList, -1, -1),
    Listed(Id::Font2, "Font2", "フォント2", kFont, 2, Whole(offsetof(R, Font2)), U::Index, FontList, -1, -1),
    Switch(Id::SlashZeroSingle, "SlashZeroSingle", "1バイトコード系ゼロにスラッシュを付ける", kFont, 2,
           SlashZeroSingle, "しない", "する"),
    Switch(Id::SlashZeroDouble, "SlashZeroDouble", "2バイトコード系ゼロにスラッシュを付ける", kFont, 2,
           SlashZeroDouble, "しない", "する"),
    // Codes 1, 6 and 7 name no country and show as スウェーデン (entry 4); no choice stores 0.
    Listed(Id::IntlCharSet, "IntlCharSet", "各国文字の切り替え", kFont, 2, Bits(IntlCharSet), U::ListValue,
           IntlCharSetList, 4, 0),
    // An edition outside 0..2 checks no button; no choice stores 2 (1990).
    Listed(Id::KanjiCodeTable, "KanjiCodeTable", "漢字コード表", kFont, 2, Whole(offsetof(R, KanjiCodeTable)),
           U::Index, KanjiCodeTableList, -1, 2),

    Listed(Id::Reduction, "Reduction", "縮小印刷の選択", kPrint, 3, Whole(offsetof(R, Reduction)), U::Index,
           ReductionList, -1, -1),
    Switch(Id::Bidirectional, "Bidirectional", "ドット列の印刷方向", kPrint, 3, Bidirectional, "片方向",
           "両方向"),
    YesNo(Id::QuietPrint, "QuietPrint", "クワイエット印刷", kPrint, 3, Whole(offsetof(R, QuietPrint)),
          ShownOn::One, "しない", "する"),
    // Steps outside the tables show "0" / "0mm"; no choice stores 0.
    Listed(Id::PressureAdjust, "PressureAdjust", "印刷圧の微調整", kPrint, 3,
           Whole(offsetof(R, PressureAdjust)), U::Step, PressureAdjustList, 3, 0),
    Listed(Id::PositionAdjust, "PositionAdjust", "印刷位置の微調整", kPrint, 3,
           Whole(offsetof(R, PositionAdjust)), U::Step, PositionAdjustList, 0, 0),
    Switch(Id::DosHsPica, "DosHsPica", "印刷モードの初期設定", kDos, 3, DosHsPica, "HDパイカ", "HSパイカ"),
    Switch(Id::DosUnidirectional, "DosUnidirectional", "印刷方向の初期設定", kDos, 3, DosUnidirectional,
           "両方向最短", "片方向"),
    Switch(Id::SheetFeederEscAll, "SheetFeederEscAll", "シートフィーダの吸入コード", kDos, 3,
           SheetFeederEscAll, "ESC ａのみ", "ESC ａ,LF,US,VT"),
    Switch(Id::DotGraphicsCopy, "DotGraphicsCopy", "ドット対応グラフィックドット数の初期設定", kDos, 3,
           DotGraphicsCopy, "ネイティブモード", "コピーモード"),
    Switch(Id::DraftAtPowerOn, "DraftAtPowerOn", "電源オン時にドラフトモードにする", kDos, 3, DraftAtPowerOn,
           "しない", "する"),

    Switch(Id::CutSheetRearEject, "CutSheetRearEject", "カット紙の排出方向", kEnvironment, 4,
           CutSheetRearEject, "手前排出", "後方排出"),
    Switch(Id::NoEdgeDetect, "NoEdgeDetect", "用紙左右端検出", kEnvironment, 4, NoEdgeDetect, "検出する",
           "検出しない"),
    Switch(Id::SheetGuideBySwitch, "SheetGuideBySwitch", "シートガイドの自動吸入方式", kEnvironment, 4,
           SheetGuideBySwitch, "自動吸入", "吸入／退避スイッチによる吸入"),
    Switch(Id::SheetFeederRearFixed, "SheetFeederRearFixed", "シートフィーダの排出方向", kEnvironment, 4,
           SheetFeederRearFixed, "排出方向指定による", "後方排出固定"),
    Switch(Id::SheetFeederControl, "SheetFeederControl", "シートフィーダの用紙吸入制御", kEnvironment, 4,
           SheetFeederControl, "しない", "する"),
    Switch(Id::Columns80, "Columns80", "印刷桁数", kEnvironment, 4, Columns80, "136桁", "80桁"),
    Switch(Id::CrIsCrLf, "CrIsCrLf", "CR機能", kEnvironment, 4, CrIsCrLf, "復帰のみ", "復帰改行"),
    Switch(Id::AutoCrOnly, "AutoCrOnly", "自動復改", kEnvironment, 4, AutoCrOnly, "復帰改行", "復帰のみ"),

    Switch(Id::PrintCmdCrOther, "PrintCmdCrOther", "印刷指令", kOther, 5, PrintCmdCrOther, "CR", "CR+その他"),
    Switch(Id::Dc1Dc3Disabled, "Dc1Dc3Disabled", "DC1/DC3コード処理", kOther, 5, Dc1Dc3Disabled, "有効",
           "無効"),
    Switch(Id::SevenBitData, "SevenBitData", "7/8ビットデータ", kOther, 5, SevenBitData, "8ビット",
           "7ビット"),

    {Id::OtherSwitchBits,
     "OtherSwitchBits",
     "パネルに項目のないスイッチ（プリンタの値のまま送られます）",
     "その他のスイッチ",
     -1,
     Whole(offsetof(R, SwitchBits)),
     U::RawBits,
     {0, 0},
     nullptr,
     ShownOn::NonZero,
     -1,
     -1,
     0,
     "",
     "",
     ""},
};
static_assert(sizeof kTable / sizeof kTable[0] == static_cast<size_t>(SettingId::Count));

constexpr bool InTableOrder() {
    for (size_t i = 0; i < sizeof kTable / sizeof kTable[0]; ++i) {
        if (static_cast<size_t>(kTable[i].Id) != i) return false;
    }
    return true;
}
static_assert(InTableOrder(), "the table lists every setting once, in the order of SettingId");

int32_t* FieldOf(const EditedRecord& record, const SettingDescription& setting) {
    return reinterpret_cast<int32_t*>(static_cast<char*>(record.Fields) + setting.Field.Offset);
}

}  // namespace

const SettingDescription& Describe(SettingId id) { return kTable[static_cast<size_t>(id)]; }

std::span<const SettingDescription> SettingTable() { return kTable; }

FeedPath FeedPathOf(const SettingDescription& setting) {
    switch (setting.Id) {
        case Id::FeedPosContRear:
        case Id::FormFeedPosContRear:
            return FeedPathContRear;
        case Id::FeedPosCutSheet:
        case Id::FormFeedPosCutSheet:
            return FeedPathCutSheet;
        case Id::FeedPosPostcard:
        case Id::FormFeedPosPostcard:
            return FeedPathPostcard;
        default:
            return FeedPathContFront;
    }
}

EditedRecord CurrentSettingsRecord() {
    return {&PanelSettings, &FeedPosOther[FeedPosOtherSlot(FeedGroupCurrent, FeedPathContFront)]};
}

int32_t ReadSetting(const EditedRecord& record, const SettingDescription& setting) {
    const int32_t field = *FieldOf(record, setting);
    return setting.Field.Bits.Width == 0 ? field : GetSwitchField(field, setting.Field.Bits);
}

void StoreSetting(const EditedRecord& record, const SettingDescription& setting, int32_t value) {
    int32_t& field = *FieldOf(record, setting);
    if (setting.Field.Bits.Width == 0) {
        field = value;
    } else {
        SetSwitchField(field, setting.Field.Bits, value);
    }
}

bool SettingIsOn(const EditedRecord& record, const SettingDescription& setting) {
    const int32_t value = ReadSetting(record, setting);
    switch (setting.On) {
        case ShownOn::NonZero:
            return value != 0;
        case ShownOn::One:
            return value == 1;
        case ShownOn::Zero:
            return value == 0;
    }
    return false;
}

void StoreSettingOn(const EditedRecord& record, const SettingDescription& setting, bool on) {
    const bool storeOne = setting.On == ShownOn::Zero ? !on : on;
    StoreSetting(record, setting, storeOne ? 1 : 0);
}

bool SettingValueAllowed(const SettingDescription& setting, int64_t value) {
    switch (setting.Unit) {
        case U::Count:
            return value >= setting.Range.Min && value <= setting.Range.Max;
        case U::Index:
            return value >= 0 && value < setting.List->Size;
        case U::ListValue:
            return value >= 0 && value <= INT32_MAX &&
                   ValueListIndexOf(*setting.List, static_cast<int32_t>(value)) >= 0;
        case U::FeedDistance:
            return value >= 0 && value <= 255;
        case U::Step:
            return value >= INT8_MIN && value <= INT8_MAX &&
                   ValueListIndexOf(*setting.List, static_cast<int32_t>(value) & 0xFF) >= 0;
        case U::OnOff:
            return value == 0 || value == 1;
        case U::RawBits:
            return value >= 0 && value <= UINT32_MAX &&
                   (static_cast<uint32_t>(value) & ~SwitchBitsWithoutControl) == 0;
    }
    return false;
}

int32_t UnreadableSwitchByte(int32_t switchBits) {
    for (int32_t byte = 0; byte < 4; ++byte) {
        if (((static_cast<uint32_t>(switchBits) >> (8 * byte)) & 0xFFu) == 0xFFu) return byte;
    }
    return -1;
}

std::vector<const SettingDescription*> SwitchesOfByte(int32_t byte) {
    std::vector<const SettingDescription*> found;
    for (const SettingDescription& setting : kTable) {
        if (setting.Tab >= 0 && !setting.Field.InForm && setting.Field.Bits.Width > 0 &&
            setting.Field.Offset == offsetof(R, SwitchBits) && setting.Field.Bits.Byte == byte) {
            found.push_back(&setting);
        }
    }
    return found;
}
