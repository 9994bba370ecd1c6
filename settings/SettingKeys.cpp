// SettingKeys.cpp - the table of named settings and their values in the printer's units.
#include "settings/SettingKeys.h"

#include <stdio.h>

namespace {

using RecordField = int32_t PanelSettingsRecord::*;
using FormField = int32_t FormSettings::*;

SettingKey Base(const char* key, const char* label, const char* section, SettingUnit unit,
                RecordField field) {
    SettingKey s;
    s.Key = key;
    s.Label = label;
    s.Section = section;
    s.Unit = unit;
    s.Field = field;
    return s;
}

SettingKey Count(const char* key, const char* label, const char* section, RecordField field, ValueRange range,
                 const char* unitName) {
    SettingKey s = Base(key, label, section, SettingUnit::Count, field);
    s.Range = range;
    s.UnitName = unitName;
    return s;
}

SettingKey Listed(const char* key, const char* label, const char* section, SettingUnit unit,
                  RecordField field, const ValueList& list) {
    SettingKey s = Base(key, label, section, unit, field);
    s.List = &list;
    return s;
}

SettingKey OnOff(const char* key, const char* label, const char* section, RecordField field, const char* off,
                 const char* on) {
    SettingKey s = Base(key, label, section, SettingUnit::OnOff, field);
    s.Off = off;
    s.On = on;
    return s;
}

SettingKey Switch(const char* key, const char* label, const char* section, SwitchField field, const char* off,
                  const char* on) {
    SettingKey s = OnOff(key, label, section, &PanelSettingsRecord::SwitchBits, off, on);
    s.Switch = field;
    return s;
}

SettingKey Feed(const char* key, const char* label, const char* section, FeedPath path, int32_t group,
                RecordField field) {
    SettingKey s = Listed(key, label, section, SettingUnit::FeedDistance, field, FeedListFor(path));
    s.Slot = FeedPosOtherSlot(group, path);
    return s;
}

const char* const FeedKeys[FeedPathCount] = {"FeedPosContFront", "FeedPosContRear", "FeedPosCutSheet",
                                             "FeedPosPostcard"};
const char* const FeedLabels[FeedPathCount] = {"吸入位置 連続紙・前", "吸入位置 連続紙・後",
                                               "吸入位置 カット紙", "吸入位置 はがき"};
const RecordField CurrentFeeds[FeedPathCount] = {
    &PanelSettingsRecord::FeedPosContFront, &PanelSettingsRecord::FeedPosContRear,
    &PanelSettingsRecord::FeedPosCutSheet, &PanelSettingsRecord::FeedPosPostcard};
const FormField FormFeeds[FeedPathCount] = {&FormSettings::FeedPosContFront, &FormSettings::FeedPosContRear,
                                            &FormSettings::FeedPosCutSheet, &FormSettings::FeedPosPostcard};

// The eight settings of stored form k (0..3), with the form's name before each label.
void AddForm(std::vector<SettingKey>& keys, int32_t k) {
    const std::string name = ValueListLabel(FormSelectList, k + 1);
    const std::string prefix = "Form" + std::to_string(k + 1) + ".";
    auto add = [&](SettingKey s, FormField field) {
        s.Key = prefix + s.Key;
        s.Label = name + " " + s.Label;
        s.Section = name;
        s.Field = nullptr;
        s.FormIndex = k;
        s.FormField = field;
        keys.push_back(s);
    };
    add(Count("PageLength", "用紙長", "", nullptr, PageLengthRange, "行"), &FormSettings::PageLength);
    for (int32_t p = 0; p < FeedPathCount; ++p) {
        add(Feed(FeedKeys[p], FeedLabels[p], "", static_cast<FeedPath>(p), FeedGroupForm(k), nullptr),
            FormFeeds[p]);
    }
    add(Count("LeftMargin", "レフトマージン幅", "", nullptr, LeftMarginRange, "桁"),
        &FormSettings::LeftMargin);
    add(Count("RightMargin", "ライトマージン幅", "", nullptr, RightMarginRange, "桁"),
        &FormSettings::RightMargin);
    add(Count("CutSheetOffset", "カット紙位置補正", "", nullptr, CutSheetOffsetRange, "桁"),
        &FormSettings::CutSheetOffset);
}

std::vector<SettingKey> BuildKeys() {
    using R = PanelSettingsRecord;
    std::vector<SettingKey> k;
    const char* paper = "用紙";
    k.push_back(OnOff("PaperSetCenter", "用紙セット位置", paper, &R::PaperSetCenter, "レフト", "センタ"));
    k.push_back(Count("HeadCenterCutSheet", "用紙吸入時ヘッドセンタリング位置 カット紙", paper,
                      &R::HeadCenterCutSheet, HeadCenterFrontRange, "桁"));
    k.push_back(Count("HeadCenterContFront", "用紙吸入時ヘッドセンタリング位置 連続紙・前", paper,
                      &R::HeadCenterContFront, HeadCenterFrontRange, "桁"));
    k.push_back(Count("HeadCenterContRear", "用紙吸入時ヘッドセンタリング位置 連続紙・後", paper,
                      &R::HeadCenterContRear, HeadCenterRearRange, "桁"));
    k.push_back(OnOff("PostcardMode", "ハガキ印刷モード", paper, &R::PostcardMode, "しない", "する"));
    k.push_back(Switch("PerforationSkip", "ミシン目スキップ", paper, PerforationSkip, "しない", "する"));
    k.push_back(
        Switch("NoFeedPosMemory", "用紙吸入位置を記憶する", paper, NoFeedPosMemory, "する", "しない"));
    k.push_back(Listed("PaperThickness", "用紙厚調整の設定", paper, SettingUnit::Index, &R::PaperThickness,
                       PaperThicknessList));

    const char* format = "書式";
    for (int32_t p = 0; p < FeedPathCount; ++p) {
        k.push_back(Feed(FeedKeys[p], FeedLabels[p], format, static_cast<FeedPath>(p), FeedGroupCurrent,
                         CurrentFeeds[p]));
    }
    k.push_back(Count("PageLength", "用紙長", format, &R::PageLength, PageLengthRange, "行"));
    k.push_back(
        Count("CutSheetOffset", "カット紙位置補正", format, &R::CutSheetOffset, CutSheetOffsetRange, "桁"));
    k.push_back(Listed("FormSelect", "書式選択", format, SettingUnit::Index, &R::FormSelect, FormSelectList));
    for (int32_t form = 0; form < FormCount; ++form) AddForm(k, form);

    const char* font = "フォント";
    k.push_back(OnOff("Typeface", "書体選択", font, &R::Typeface, "明朝体", "ゴシック体"));
    k.push_back(Listed("Font1", "フォント1", font, SettingUnit::Index, &R::Font1, FontList));
    k.push_back(Listed("Font2", "フォント2", font, SettingUnit::Index, &R::Font2, FontList));
    k.push_back(Switch("SlashZeroSingle", "1バイトコード系ゼロにスラッシュを付ける", font, SlashZeroSingle,
                       "しない", "する"));
    k.push_back(Switch("SlashZeroDouble", "2バイトコード系ゼロにスラッシュを付ける", font, SlashZeroDouble,
                       "しない", "する"));
    SettingKey intl = Listed("IntlCharSet", "各国文字の切り替え", font, SettingUnit::ListValue,
                             &R::SwitchBits, IntlCharSetList);
    intl.Switch = IntlCharSet;
    k.push_back(intl);
    k.push_back(Listed("KanjiCodeTable", "漢字コード表", font, SettingUnit::Index, &R::KanjiCodeTable,
                       KanjiCodeTableList));

    const char* print = "印刷";
    k.push_back(
        Listed("Reduction", "縮小印刷の選択", print, SettingUnit::Index, &R::Reduction, ReductionList));
    k.push_back(Switch("Bidirectional", "ドット列の印刷方向", print, Bidirectional, "片方向", "両方向"));
    k.push_back(OnOff("QuietPrint", "クワイエット印刷", print, &R::QuietPrint, "しない", "する"));
    k.push_back(Listed("PressureAdjust", "印刷圧の微調整", print, SettingUnit::Step, &R::PressureAdjust,
                       PressureAdjustList));
    k.push_back(Listed("PositionAdjust", "印刷位置の微調整", print, SettingUnit::Step, &R::PositionAdjust,
                       PositionAdjustList));

    const char* dos = "DOS環境";
    k.push_back(Switch("DosHsPica", "印刷モードの初期設定", dos, DosHsPica, "HDパイカ", "HSパイカ"));
    k.push_back(
        Switch("DosUnidirectional", "印刷方向の初期設定", dos, DosUnidirectional, "両方向最短", "片方向"));
    k.push_back(Switch("SheetFeederEscAll", "シートフィーダの吸入コード", dos, SheetFeederEscAll,
                       "ESC ａのみ", "ESC ａ,LF,US,VT"));
    k.push_back(Switch("DotGraphicsCopy", "ドット対応グラフィックドット数の初期設定", dos, DotGraphicsCopy,
                       "ネイティブモード", "コピーモード"));
    k.push_back(
        Switch("DraftAtPowerOn", "電源オン時にドラフトモードにする", dos, DraftAtPowerOn, "しない", "する"));

    const char* env = "動作環境";
    k.push_back(
        Switch("CutSheetRearEject", "カット紙の排出方向", env, CutSheetRearEject, "手前排出", "後方排出"));
    k.push_back(Switch("NoEdgeDetect", "用紙左右端検出", env, NoEdgeDetect, "検出する", "検出しない"));
    k.push_back(Switch("SheetGuideBySwitch", "シートガイドの自動吸入方式", env, SheetGuideBySwitch,
                       "自動吸入", "吸入／退避スイッチによる吸入"));
    k.push_back(Switch("SheetFeederRearFixed", "シートフィーダの排出方向", env, SheetFeederRearFixed,
                       "排出方向指定による", "後方排出固定"));
    k.push_back(Switch("SheetFeederControl", "シートフィーダの用紙吸入制御", env, SheetFeederControl,
                       "しない", "する"));
    k.push_back(Switch("Columns80", "印刷桁数", env, Columns80, "136桁", "80桁"));
    k.push_back(Switch("CrIsCrLf", "CR機能", env, CrIsCrLf, "復帰のみ", "復帰改行"));
    k.push_back(Switch("AutoCrOnly", "自動復改", env, AutoCrOnly, "復帰改行", "復帰のみ"));

    const char* other = "その他";
    k.push_back(Switch("PrintCmdCrOther", "印刷指令", other, PrintCmdCrOther, "CR", "CR+その他"));
    k.push_back(Switch("Dc1Dc3Disabled", "DC1/DC3コード処理", other, Dc1Dc3Disabled, "有効", "無効"));
    k.push_back(Switch("SevenBitData", "7/8ビットデータ", other, SevenBitData, "8ビット", "7ビット"));

    k.push_back(Base("OtherSwitchBits", "パネルに項目のないスイッチ（プリンタの値のまま送られます）",
                     "その他のスイッチ", SettingUnit::RawBits, &R::SwitchBits));
    return k;
}

int32_t& FieldOf(const SettingKey& key, PanelSettingsRecord& record) {
    if (key.FormField != nullptr) return record.Forms[key.FormIndex].*key.FormField;
    return record.*key.Field;
}

const int32_t& FieldOf(const SettingKey& key, const PanelSettingsRecord& record) {
    if (key.FormField != nullptr) return record.Forms[key.FormIndex].*key.FormField;
    return record.*key.Field;
}

// A step's byte read as a signed 8-bit number.
int32_t StepOf(int32_t byte) { return static_cast<int8_t>(static_cast<uint8_t>(byte)); }

std::string Number(int64_t value) { return std::to_string(value); }

// "v = label" for each entry, or just the value where the label says nothing more.
std::string ListText(const SettingKey& key) {
    std::string text;
    for (int32_t i = 0; i < key.List->Size; ++i) {
        const int32_t value = key.Unit == SettingUnit::Index ? i : key.List->Items[i].Value;
        const std::string shown =
            key.Unit == SettingUnit::Step ? FormatSettingValue(key, StepOf(value)) : Number(value);
        const std::string label = key.List->Items[i].Label;
        if (!text.empty()) text += ", ";
        text += label == shown ? shown : shown + " = " + label;
    }
    return text;
}

}  // namespace

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = BuildKeys();
    return keys;
}

const SettingKey* FindSettingKey(std::string_view key) {
    for (const SettingKey& s : SettingKeys()) {
        if (s.Key == key) return &s;
    }
    return nullptr;
}

int32_t GetSettingValue(const SettingKey& key, const PrinterSettings& settings) {
    switch (key.Unit) {
        case SettingUnit::FeedDistance: {
            const int32_t value = FeedIndexToValue(*key.List, FieldOf(key, settings.Record));
            return value == FeedValueNone ? settings.FeedPosOther[key.Slot] : value;
        }
        case SettingUnit::Step:
            return StepOf(FieldOf(key, settings.Record));
        case SettingUnit::RawBits:
            return static_cast<int32_t>(static_cast<uint32_t>(settings.Record.SwitchBits) &
                                        SwitchBitsWithoutControl);
        default:
            break;
    }
    if (key.Switch.Width > 0) return GetSwitchField(settings.Record.SwitchBits, key.Switch);
    return FieldOf(key, settings.Record);
}

void SetSettingValue(const SettingKey& key, int32_t value, PrinterSettings& settings) {
    PanelSettingsRecord& r = settings.Record;
    switch (key.Unit) {
        case SettingUnit::FeedDistance: {
            const FeedIndex found = FeedValueToIndex(*key.List, static_cast<uint8_t>(value));
            FieldOf(key, r) = found.Index;
            settings.FeedPosOther[key.Slot] = found.Other;
            return;
        }
        case SettingUnit::Step:
            FieldOf(key, r) = value & 0xFF;
            return;
        case SettingUnit::RawBits: {
            const uint32_t kept = static_cast<uint32_t>(r.SwitchBits) & ~SwitchBitsWithoutControl;
            r.SwitchBits =
                static_cast<int32_t>(kept | (static_cast<uint32_t>(value) & SwitchBitsWithoutControl));
            return;
        }
        default:
            break;
    }
    if (key.Switch.Width > 0) {
        SetSwitchField(r.SwitchBits, key.Switch, value);
    } else {
        FieldOf(key, r) = value;
    }
}

bool SettingValueAllowed(const SettingKey& key, int64_t value) {
    switch (key.Unit) {
        case SettingUnit::Count:
            return value >= key.Range.Min && value <= key.Range.Max;
        case SettingUnit::Index:
            return value >= 0 && value < key.List->Size;
        case SettingUnit::ListValue:
            return value >= 0 && value <= INT32_MAX &&
                   ValueListIndexOf(*key.List, static_cast<int32_t>(value)) >= 0;
        case SettingUnit::FeedDistance:
            return value >= 0 && value <= 255;
        case SettingUnit::Step:
            return value >= INT8_MIN && value <= INT8_MAX &&
                   ValueListIndexOf(*key.List, static_cast<int32_t>(value) & 0xFF) >= 0;
        case SettingUnit::OnOff:
            return value == 0 || value == 1;
        case SettingUnit::RawBits:
            return value >= 0 && value <= UINT32_MAX &&
                   (static_cast<uint32_t>(value) & ~SwitchBitsWithoutControl) == 0;
    }
    return false;
}

std::string FormatSettingValue(const SettingKey& key, int32_t value) {
    char text[16];
    if (key.Unit == SettingUnit::RawBits) {
        snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    } else if (key.Unit == SettingUnit::Step && value > 0) {
        snprintf(text, sizeof text, "+%d", static_cast<int>(value));
    } else {
        snprintf(text, sizeof text, "%d", static_cast<int>(value));
    }
    return text;
}

std::string DescribeSettingValue(const SettingKey& key, int32_t value) {
    const std::string shown = FormatSettingValue(key, value);
    std::string meaning;
    switch (key.Unit) {
        case SettingUnit::Count:
            return shown + " " + key.UnitName;
        case SettingUnit::Index:
        case SettingUnit::ListValue: {
            const int32_t index = key.Unit == SettingUnit::Index ? value : ValueListIndexOf(*key.List, value);
            if (const char* label = ValueListLabel(*key.List, index)) meaning = label;
            break;
        }
        case SettingUnit::FeedDistance: {
            const int32_t index = value >= 0 && value <= 255 ? ValueListIndexOf(*key.List, value) : -1;
            char other[32];
            if (index >= 0) {
                meaning = key.List->Items[index].Label;
            } else if (FormatFeedOtherLabel(other, sizeof other, value)) {
                meaning = other;
            }
            break;
        }
        case SettingUnit::Step:
            if (const char* label = ValueListLabel(*key.List, ValueListIndexOf(*key.List, value & 0xFF))) {
                meaning = label;
            }
            break;
        case SettingUnit::OnOff:
            meaning = value == 0 ? key.Off : value == 1 ? key.On : "";
            break;
        case SettingUnit::RawBits:
            break;
    }
    return meaning.empty() || meaning == shown ? shown : shown + " (" + meaning + ")";
}

std::string AllowedValuesText(const SettingKey& key) {
    switch (key.Unit) {
        case SettingUnit::Count:
            return Number(key.Range.Min) + " ～ " + Number(key.Range.Max) + " " + key.UnitName;
        case SettingUnit::Index:
        case SettingUnit::ListValue:
        case SettingUnit::Step:
            return ListText(key);
        case SettingUnit::FeedDistance:
            return ListText(key) + " (1/120インチ単位。ほかの 0 ～ 255 も可)";
        case SettingUnit::OnOff:
            return std::string("0 = ") + key.Off + ", 1 = " + key.On;
        case SettingUnit::RawBits:
            return FormatSettingValue(key, static_cast<int32_t>(SwitchBitsWithoutControl)) +
                   " の中のビットの組み合わせ";
    }
    return "";
}
