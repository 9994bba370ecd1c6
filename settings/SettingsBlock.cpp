// SettingsBlock.cpp - settings block to record and back.
#include "settings/SettingsBlock.h"

namespace {

// The four feed-position bytes starting at `first`, into four indexes and the four slots of
// `group`.
void DecodeFeeds(const uint8_t* first, int32_t* indexes[FeedPathCount], int32_t group,
                 int32_t feedPosOther[FeedPosOtherCount]) {
    for (int32_t p = 0; p < FeedPathCount; ++p) {
        const FeedPath path = static_cast<FeedPath>(p);
        const FeedIndex found = FeedValueToIndex(FeedListFor(path), first[p]);
        *indexes[p] = found.Index;
        feedPosOther[FeedPosOtherSlot(group, path)] = found.Other;
    }
}

// The inverse: each index to its distance, or to the low byte of its slot when the list has none.
void BuildFeeds(uint8_t* first, const int32_t indexes[FeedPathCount], int32_t group,
                const int32_t feedPosOther[FeedPosOtherCount]) {
    for (int32_t p = 0; p < FeedPathCount; ++p) {
        const FeedPath path = static_cast<FeedPath>(p);
        int32_t value = FeedIndexToValue(FeedListFor(path), indexes[p]);
        if (value == FeedValueNone) value = feedPosOther[FeedPosOtherSlot(group, path)];
        first[p] = static_cast<uint8_t>(value);
    }
}

int32_t DecodeReduction(uint8_t code) {
    switch (code) {
        case 1:
            return 1;
        case 3:
            return 2;
        case 5:
            return 3;
        case 7:
            return 4;
        default:
            return 0;
    }
}

uint8_t BuildReduction(int32_t reduction) {
    switch (reduction) {
        case 1:
            return 1;
        case 2:
            return 3;
        case 3:
            return 5;
        case 4:
            return 7;
        default:
            return 0;
    }
}

int32_t DecodeFormSelect(uint8_t raw) { return raw >= 1 && raw <= 4 ? raw : 0; }

}  // namespace

bool DecodeBlockBytes(const SettingsBlock& block, PanelSettingsRecord& record,
                      int32_t feedPosOther[FeedPosOtherCount]) {
    const uint8_t* b = block.Bytes;
    if (b[BlockHeaderFirst] != BlockHeaderFirstValue || b[BlockHeaderSecond] != BlockHeaderSecondValue) {
        return false;
    }

    const uint32_t bits = static_cast<uint32_t>(b[BlockSwitchBits]) |
                          static_cast<uint32_t>(b[BlockSwitchBits + 1]) << 8 |
                          static_cast<uint32_t>(b[BlockSwitchBits + 2]) << 16 |
                          static_cast<uint32_t>(b[BlockSwitchBits + 3]) << 24;
    record.SwitchBits = static_cast<int32_t>(bits);

    const uint8_t head = b[BlockHeadCenterCutSheet];
    record.PaperSetCenter = (head & BlockLeftPaperSetBit) ? 0 : 1;
    record.HeadCenterCutSheet = head & BlockHeadCenterMask;
    record.HeadCenterContFront = b[BlockHeadCenterContFront];
    record.HeadCenterContRear = b[BlockHeadCenterContRear];

    const uint8_t modes = b[BlockPrintModes];
    record.PostcardMode = (modes & BlockPostcardModeBit) ? 1 : 0;
    record.QuietPrint = (modes & BlockQuietPrintBit) ? 1 : 0;
    record.KanjiCodeTable = modes & BlockKanjiCodeTableMask;

    record.Font1 = b[BlockFonts] & 0x0F;
    record.Font2 = b[BlockFonts] >> 4;
    record.Typeface = b[BlockTypeface] != 0 ? 1 : 0;
    record.Reduction = DecodeReduction(b[BlockReduction]);
    record.FormSelect = DecodeFormSelect(b[BlockFormSelect]);

    record.PaperThickness = b[BlockPaperThickness];
    record.PressureAdjust = b[BlockPressureAdjust];
    record.PositionAdjust = b[BlockPositionAdjust];
    record.PageLength = b[BlockPageLength];
    record.CutSheetOffset = b[BlockCutSheetOffset];

    int32_t* current[FeedPathCount] = {&record.FeedPosContFront, &record.FeedPosContRear,
                                       &record.FeedPosCutSheet, &record.FeedPosPostcard};
    DecodeFeeds(b + BlockFeedPos, current, FeedGroupCurrent, feedPosOther);

    for (int32_t k = 0; k < FormCount; ++k) {
        const uint8_t* f = b + BlockFormOffset(k);
        FormSettings& form = record.Forms[k];
        form.PageLength = f[FormBlockPageLength];
        form.LeftMargin = f[FormBlockLeftMargin];
        form.RightMargin = f[FormBlockRightMargin];
        form.CutSheetOffset = f[FormBlockCutSheetOffset];
        int32_t* feeds[FeedPathCount] = {&form.FeedPosContFront, &form.FeedPosContRear, &form.FeedPosCutSheet,
                                         &form.FeedPosPostcard};
        DecodeFeeds(f + FormBlockFeedPos, feeds, FeedGroupForm(k), feedPosOther);
    }
    return true;
}

SettingsBlock BuildSettingsBlock(const PanelSettingsRecord& record,
                                 const int32_t feedPosOther[FeedPosOtherCount]) {
    SettingsBlock block{};
    uint8_t* b = block.Bytes;

    const uint32_t bits = static_cast<uint32_t>(record.SwitchBits);
    for (int32_t k = 0; k < 4; ++k) b[BlockSwitchBits + k] = static_cast<uint8_t>(bits >> (8 * k));

    b[BlockHeadCenterCutSheet] =
        static_cast<uint8_t>((record.PaperSetCenter == 0 ? BlockLeftPaperSetBit : 0) |
                             (record.HeadCenterCutSheet & BlockHeadCenterMask));
    b[BlockHeadCenterContFront] = static_cast<uint8_t>(record.HeadCenterContFront);
    b[BlockHeadCenterContRear] = static_cast<uint8_t>(record.HeadCenterContRear);

    b[BlockPrintModes] = static_cast<uint8_t>((record.PostcardMode == 1 ? BlockPostcardModeBit : 0) |
                                              (record.QuietPrint == 1 ? BlockQuietPrintBit : 0) |
                                              (record.KanjiCodeTable & BlockKanjiCodeTableMask));

    b[BlockPaperThickness] = static_cast<uint8_t>(record.PaperThickness);
    b[BlockPressureAdjust] = static_cast<uint8_t>(record.PressureAdjust);
    b[BlockPositionAdjust] = static_cast<uint8_t>(record.PositionAdjust);

    const int32_t current[FeedPathCount] = {record.FeedPosContFront, record.FeedPosContRear,
                                            record.FeedPosCutSheet, record.FeedPosPostcard};
    BuildFeeds(b + BlockFeedPos, current, FeedGroupCurrent, feedPosOther);

    b[BlockPageLength] = static_cast<uint8_t>(record.PageLength);
    b[BlockCutSheetOffset] = static_cast<uint8_t>(record.CutSheetOffset);
    b[BlockFormSelect] =
        record.FormSelect >= 1 && record.FormSelect <= 4 ? static_cast<uint8_t>(record.FormSelect) : 0;

    for (int32_t k = 0; k < FormCount; ++k) {
        uint8_t* f = b + BlockFormOffset(k);
        const FormSettings& form = record.Forms[k];
        f[FormBlockPageLength] = static_cast<uint8_t>(form.PageLength);
        f[FormBlockLeftMargin] = static_cast<uint8_t>(form.LeftMargin);
        f[FormBlockRightMargin] = static_cast<uint8_t>(form.RightMargin);
        const int32_t feeds[FeedPathCount] = {form.FeedPosContFront, form.FeedPosContRear,
                                              form.FeedPosCutSheet, form.FeedPosPostcard};
        BuildFeeds(f + FormBlockFeedPos, feeds, FeedGroupForm(k), feedPosOther);
        f[FormBlockCutSheetOffset] = static_cast<uint8_t>(form.CutSheetOffset);
    }

    b[BlockTypeface] = record.Typeface != 0 ? 1 : 0;
    b[BlockFonts] = static_cast<uint8_t>(((record.Font2 & 7) << 4) | (record.Font1 & 7));
    b[BlockReduction] = BuildReduction(record.Reduction);
    return block;
}
