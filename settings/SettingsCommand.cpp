// SettingsCommand.cpp - encoding a settings block as the FS "o" command.
#include "settings/SettingsCommand.h"

#include <string.h>

namespace {

constexpr uint8_t CommandFs = 0x1C;
constexpr uint8_t CommandLetter = 'o';
constexpr uint8_t CommandComma = ',';
constexpr uint8_t CommandEnd = '.';

// The two-digit decimal fields, in command order. A value of 100 or more cannot be written in
// two digits; encoding refuses the block instead of sending a cut number.
struct TwoDigitField {
    int32_t Offset;
    uint8_t Mask;
    const char* Name;
};

const TwoDigitField TwoDigitFields[] = {
    {BlockHeadCenterCutSheet, BlockHeadCenterMask, "ヘッドセンタリング位置（カット紙）"},
    {BlockHeadCenterContFront, 0xFF, "ヘッドセンタリング位置（連続紙・前）"},
    {BlockPageLength, 0xFF, "用紙長"},
    {BlockCutSheetOffset, 0xFF, "カット紙位置補正"},
    {BlockPaperThickness, 0xFF, "用紙厚調整"},
    {BlockFormOffset(0) + FormBlockPageLength, 0xFF, "書式１の用紙長"},
    {BlockFormOffset(0) + FormBlockCutSheetOffset, 0xFF, "書式１のカット紙位置補正"},
    {BlockFormOffset(1) + FormBlockPageLength, 0xFF, "書式２の用紙長"},
    {BlockFormOffset(1) + FormBlockCutSheetOffset, 0xFF, "書式２のカット紙位置補正"},
    {BlockFormOffset(2) + FormBlockPageLength, 0xFF, "書式３の用紙長"},
    {BlockFormOffset(2) + FormBlockCutSheetOffset, 0xFF, "書式３のカット紙位置補正"},
    {BlockFormOffset(3) + FormBlockPageLength, 0xFF, "書式４の用紙長"},
    {BlockFormOffset(3) + FormBlockCutSheetOffset, 0xFF, "書式４のカット紙位置補正"},
};

constexpr int32_t TwoDigitLimit = 100;

// Writes the command into a zero-filled area; every append is bounded by the area's size, and a
// failed append is remembered so that the caller can refuse the result.
class Writer {
public:
    explicit Writer(SettingsCommand* command) : command_(command) {}

    void Byte(uint8_t value) { ok_ = AppendCommandByte(command_, value) && ok_; }
    void Comma() { Byte(CommandComma); }

    // A digit 0..9 as ASCII.
    void Digit(int32_t value) { Byte(static_cast<uint8_t>('0' + value)); }

    // Exactly `width` decimal digits with leading zeros; the value has no more digits than that.
    void Decimal(uint32_t value, int32_t width) {
        char text[3];
        for (int32_t i = width - 1; i >= 0; --i) {
            text[i] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        ok_ = AppendCommandBytes(command_, text, width) && ok_;
    }

    // Two upper-case hexadecimal digits.
    void Hex(uint8_t value) {
        static const char Digits[] = "0123456789ABCDEF";
        const char text[2] = {Digits[value >> 4], Digits[value & 0x0F]};
        ok_ = AppendCommandBytes(command_, text, 2) && ok_;
    }

    bool Ok() const { return ok_; }

private:
    SettingsCommand* command_;
    bool ok_ = true;
};

// A single-digit field that only knows some values; anything else is sent as "0".
int32_t DigitOrZero(uint8_t value, int32_t highest) { return value <= highest ? value : 0; }

int32_t ReductionDigit(uint8_t code) { return code == 1 || code == 3 || code == 5 || code == 7 ? code : 0; }

void Clear(SettingsCommand* command) {
    memset(command->Area, 0, sizeof command->Area);
    command->Count = 0;
}

void ClearFailure(EncodeFailure* failure) {
    if (failure != nullptr) *failure = EncodeFailure{-1, 0, 0, ""};
}

}  // namespace

bool AppendCommandByte(SettingsCommand* command, uint8_t value) {
    return AppendCommandBytes(command, &value, 1);
}

bool AppendCommandBytes(SettingsCommand* command, const void* bytes, int32_t count) {
    if (command == nullptr || count < 0 || (count > 0 && bytes == nullptr)) return false;
    if (command->Count < 0 || command->Count > SettingsCommandAreaSize ||
        count > SettingsCommandAreaSize - command->Count) {
        return false;
    }
    if (count > 0) memcpy(command->Area + command->Count, bytes, static_cast<size_t>(count));
    command->Count += count;
    return true;
}

bool EncodeSettingsCommand(SettingsBlock block, SettingsCommand* command, EncodeFailure* failure) {
    ClearFailure(failure);
    if (command == nullptr) return false;
    Clear(command);

    const uint8_t* b = block.Bytes;
    for (const TwoDigitField& field : TwoDigitFields) {
        const int32_t value = b[field.Offset] & field.Mask;
        if (value >= TwoDigitLimit) {
            if (failure != nullptr) *failure = EncodeFailure{field.Offset, value, 2, field.Name};
            return false;
        }
    }

    Writer w(command);
    w.Byte(CommandFs);
    w.Byte(CommandLetter);
    w.Digit(0);
    w.Comma();
    // The switch bytes as raw nibbles, low nibble first.
    for (int32_t k = 0; k < 4; ++k) {
        const uint8_t bits = b[BlockSwitchBits + k];
        w.Byte(bits & 0x0F);
        w.Byte(bits >> 4);
        w.Comma();
    }
    w.Digit(DigitOrZero(b[BlockFonts] & 0x0F, 4));
    w.Comma();
    w.Digit(DigitOrZero(b[BlockFonts] >> 4, 4));
    w.Comma();
    w.Digit(DigitOrZero(b[BlockPrintModes] & BlockKanjiCodeTableMask, 2));
    w.Comma();
    w.Digit((b[BlockPrintModes] & BlockQuietPrintBit) ? 1 : 0);
    w.Comma();
    w.Digit((b[BlockPrintModes] & BlockPostcardModeBit) ? 1 : 0);
    w.Comma();
    w.Digit((b[BlockHeadCenterCutSheet] & BlockLeftPaperSetBit) ? 1 : 0);
    w.Comma();
    w.Decimal(b[BlockHeadCenterCutSheet] & BlockHeadCenterMask, 2);
    w.Comma();
    w.Decimal(b[BlockHeadCenterContFront], 2);
    w.Comma();
    w.Decimal(b[BlockHeadCenterContRear], 3);
    w.Comma();
    w.Decimal(b[BlockPageLength], 2);
    w.Comma();
    for (int32_t p = 0; p < FeedPathCount; ++p) {
        w.Decimal(b[BlockFeedPos + p], 3);
        w.Comma();
    }
    w.Decimal(b[BlockCutSheetOffset], 2);
    w.Comma();
    w.Digit(b[BlockTypeface] == 1 ? 1 : 0);
    w.Comma();
    w.Digit(ReductionDigit(b[BlockReduction]));
    w.Comma();
    w.Decimal(b[BlockPaperThickness], 2);
    w.Comma();
    w.Hex(b[BlockPressureAdjust]);
    w.Comma();
    w.Hex(b[BlockPositionAdjust]);
    w.Comma();
    w.Digit(DigitOrZero(b[BlockFormSelect], 4));
    w.Comma();
    for (int32_t k = 0; k < FormCount; ++k) {
        const uint8_t* f = b + BlockFormOffset(k);
        w.Decimal(f[FormBlockPageLength], 2);
        w.Comma();
        // Margins and feed positions: the six bytes b+1 .. b+6 in block order.
        for (int32_t i = FormBlockLeftMargin; i < FormBlockCutSheetOffset; ++i) {
            w.Decimal(f[i], 3);
            w.Comma();
        }
        w.Decimal(f[FormBlockCutSheetOffset], 2);
        if (k + 1 < FormCount) w.Comma();
    }
    w.Byte(CommandEnd);

    if (!w.Ok() || command->Count != SettingsCommandLength) {
        Clear(command);
        return false;
    }
    return true;
}
