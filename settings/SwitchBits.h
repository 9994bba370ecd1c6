// SwitchBits.h - the packed on/off switches of PanelSettings.SwitchBits.
//
// SwitchBits is handled as four bytes: byte k holds bits 8k..8k+7 and travels as block byte 4+k.
// Each named switch is a field given by its byte, its first bit and its width (1 for a plain
// switch, 3 for the international character set code).
#ifndef RP_SETTINGS_SWITCHBITS_H
#define RP_SETTINGS_SWITCHBITS_H

#include <stdint.h>

struct SwitchField {
    uint8_t Byte;   // 0..3
    uint8_t Bit;    // first bit within the byte, 0..7
    uint8_t Width;  // number of bits
};

// The bits of the 32-bit value that the field occupies.
constexpr uint32_t SwitchFieldMask(SwitchField field) {
    return ((1u << field.Width) - 1u) << (8u * field.Byte + field.Bit);
}

// The field's value, 0 .. 2^Width - 1.
constexpr int32_t GetSwitchField(int32_t bits, SwitchField field) {
    return static_cast<int32_t>((static_cast<uint32_t>(bits) & SwitchFieldMask(field)) >>
                                (8u * field.Byte + field.Bit));
}

// Stores the low Width bits of `value` in the field; every other bit is kept.
constexpr void SetSwitchField(int32_t& bits, SwitchField field, int32_t value) {
    const uint32_t mask = SwitchFieldMask(field);
    const uint32_t placed = (static_cast<uint32_t>(value) << (8u * field.Byte + field.Bit)) & mask;
    bits = static_cast<int32_t>((static_cast<uint32_t>(bits) & ~mask) | placed);
}

constexpr bool IsSwitchOn(int32_t bits, SwitchField field) { return GetSwitchField(bits, field) != 0; }

constexpr void SetSwitch(int32_t& bits, SwitchField field, bool on) {
    SetSwitchField(bits, field, on ? 1 : 0);
}

// The named switches (byte.bit). Comments give the meaning of a set bit.
inline constexpr SwitchField IntlCharSet{0, 0, 3};        // 各国文字の切り替え: code 0, 2, 3, 4, 5
inline constexpr SwitchField Dc1Dc3Disabled{0, 4, 1};     // DC1/DC3コード処理 無効
inline constexpr SwitchField AutoCrOnly{0, 5, 1};         // 自動復改 復帰のみ
inline constexpr SwitchField PrintCmdCrOther{0, 6, 1};    // 印刷指令 CR+その他
inline constexpr SwitchField CrIsCrLf{0, 7, 1};           // CR機能 復帰改行
inline constexpr SwitchField SlashZeroSingle{1, 0, 1};    // 1バイトコード系ゼロにスラッシュ
inline constexpr SwitchField DotGraphicsCopy{1, 2, 1};    // グラフィックドット数 コピーモード
inline constexpr SwitchField DosHsPica{1, 4, 1};          // 印刷モードの初期設定 HSパイカ
inline constexpr SwitchField SevenBitData{1, 5, 1};       // 7ビット
inline constexpr SwitchField Columns80{1, 6, 1};          // 印刷桁数 80桁
inline constexpr SwitchField DosUnidirectional{1, 7, 1};  // 印刷方向の初期設定 片方向
inline constexpr SwitchField NoFeedPosMemory{2, 2, 1};    // 用紙吸入位置を記憶しない
inline constexpr SwitchField SheetFeederEscAll{2, 3, 1};  // 吸入コード ESC ａ,LF,US,VT
inline constexpr SwitchField SlashZeroDouble{2, 6, 1};    // 2バイトコード系ゼロにスラッシュ
inline constexpr SwitchField PerforationSkip{2, 7, 1};    // ミシン目スキップ
inline constexpr SwitchField NoEdgeDetect{3, 0, 1};       // 用紙左右端を検出しない
inline constexpr SwitchField SheetFeederControl{3, 1, 1};  // シートフィーダの用紙吸入制御 する
inline constexpr SwitchField Bidirectional{3, 3, 1};       // ドット列の印刷方向 両方向
inline constexpr SwitchField DraftAtPowerOn{3, 4, 1};      // 電源オン時にドラフトモード
inline constexpr SwitchField CutSheetRearEject{3, 5, 1};   // カット紙 後方排出
inline constexpr SwitchField SheetFeederRearFixed{3, 6, 1};  // シートフィーダ 後方排出固定
inline constexpr SwitchField SheetGuideBySwitch{3, 7, 1};    // 吸入／退避スイッチによる吸入

// The eight bits that no control shows (0.3, 1.1, 1.3, 2.0, 2.1, 2.4, 2.5, 3.2). They keep what
// the printer reported and are written back unchanged.
inline constexpr uint32_t SwitchBitsWithoutControl = SwitchFieldMask({0, 3, 1}) | SwitchFieldMask({1, 1, 1}) |
                                                     SwitchFieldMask({1, 3, 1}) | SwitchFieldMask({2, 0, 1}) |
                                                     SwitchFieldMask({2, 1, 1}) | SwitchFieldMask({2, 4, 1}) |
                                                     SwitchFieldMask({2, 5, 1}) | SwitchFieldMask({3, 2, 1});

#endif
