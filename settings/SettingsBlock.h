// SettingsBlock.h - the 260-byte settings block read from the printer, and its decoding into
// PanelSettings and FeedPosOther. The write path builds the same layout before it encodes the
// settings command (SettingsCommand.h).
#ifndef RP_SETTINGS_SETTINGSBLOCK_H
#define RP_SETTINGS_SETTINGSBLOCK_H

#include <stdint.h>

#include "settings/PanelSettings.h"

inline constexpr int32_t SettingsBlockSize = 260;

struct SettingsBlock {
    uint8_t Bytes[SettingsBlockSize];
};
static_assert(sizeof(SettingsBlock) == 260, "SettingsBlock is 260 bytes");

// Byte offsets. Every field is one unsigned byte unless noted; unused bytes are ignored when
// reading and 0 in a block the program builds.
inline constexpr int32_t BlockHeaderFirst = 0;   // must be 1 in a block read from the printer
inline constexpr int32_t BlockHeaderSecond = 1;  // must be 4
inline constexpr uint8_t BlockHeaderFirstValue = 1;
inline constexpr uint8_t BlockHeaderSecondValue = 4;
inline constexpr int32_t BlockReduction = 2;            // code 0, 1, 3, 5, 7
inline constexpr int32_t BlockTypeface = 3;             // 0 = mincho, non-zero = gothic
inline constexpr int32_t BlockSwitchBits = 4;           // 4 bytes, little-endian
inline constexpr int32_t BlockFonts = 20;               // bits 0-3 font 1, bits 4-7 font 2
inline constexpr int32_t BlockPrintModes = 21;          // bit 7 postcard, bit 6 quiet, bits 0-1 kanji
inline constexpr int32_t BlockHeadCenterCutSheet = 22;  // bit 7 left paper set, bits 0-6 column
inline constexpr int32_t BlockHeadCenterContFront = 23;
inline constexpr int32_t BlockHeadCenterContRear = 24;
inline constexpr int32_t BlockPageLength = 25;
inline constexpr int32_t BlockFeedPos = 26;  // 4 bytes in FeedPath order
inline constexpr int32_t BlockCutSheetOffset = 30;
inline constexpr int32_t BlockPaperThickness = 60;
inline constexpr int32_t BlockPressureAdjust = 61;  // two's complement step
inline constexpr int32_t BlockPositionAdjust = 64;  // two's complement step
inline constexpr int32_t BlockFormSelect = 68;      // 1..4, other values = none
inline constexpr int32_t BlockFirstForm = 69;       // form sub-blocks at 69, 80, 91, 102
inline constexpr int32_t BlockFormStride = 11;

// Bits of the shared bytes.
inline constexpr uint8_t BlockLeftPaperSetBit = 0x80;     // byte 22: set = レフト
inline constexpr uint8_t BlockHeadCenterMask = 0x7F;      // byte 22: the column
inline constexpr uint8_t BlockPostcardModeBit = 0x80;     // byte 21
inline constexpr uint8_t BlockQuietPrintBit = 0x40;       // byte 21
inline constexpr uint8_t BlockKanjiCodeTableMask = 0x03;  // byte 21

// Offsets inside a form sub-block. Note that the block puts the margins before the feeds.
inline constexpr int32_t FormBlockPageLength = 0;
inline constexpr int32_t FormBlockLeftMargin = 1;
inline constexpr int32_t FormBlockRightMargin = 2;
inline constexpr int32_t FormBlockFeedPos = 3;  // 4 bytes in FeedPath order
inline constexpr int32_t FormBlockCutSheetOffset = 7;

// The first byte of form `formIndex` (0..3).
constexpr int32_t BlockFormOffset(int32_t formIndex) { return BlockFirstForm + formIndex * BlockFormStride; }

// Fills `record` and all twenty FeedPosOther slots from a block read from the printer. When the
// header is not 1, 4 nothing is changed and the result is false.
bool DecodeBlockBytes(const SettingsBlock& block, PanelSettingsRecord& record,
                      int32_t feedPosOther[FeedPosOtherCount]);

// Lays out a record and its FeedPosOther slots as a block. The header bytes stay 0: this block is
// only ever encoded, never sent.
SettingsBlock BuildSettingsBlock(const PanelSettingsRecord& record,
                                 const int32_t feedPosOther[FeedPosOtherCount]);

#endif
