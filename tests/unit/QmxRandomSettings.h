// Random settings records inside the ranges the panel allows, for the round trips between the
// program's block builder and command encoder, the virtual printer and the program's decoder.
// Header-only: used by the native unit tests and by the in-process tests under Wine.
#ifndef RP_TESTS_UNIT_QMXRANDOMSETTINGS_H
#define RP_TESTS_UNIT_QMXRANDOMSETTINGS_H

#include <cstdint>
#include <random>

#include "settings/FeedPositions.h"
#include "settings/PanelSettings.h"
#include "settings/ValueLists.h"

namespace qmxtest {

struct RandomSettings {
    PanelSettingsRecord record{};
    int32_t slots[FeedPosOtherCount] = {};     // what goes in: junk where the index is in its list
    int32_t expected[FeedPosOtherCount] = {};  // what decoding must give back
};

inline RandomSettings MakeRandomSettings(std::mt19937& rng) {
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto pick = [&](const ValueList& list) { return list.Items[in(0, list.Size - 1)].Value; };
    RandomSettings s;
    PanelSettingsRecord& r = s.record;
    // A feed index, with its slot: an "other" index needs a non-zero distance that is not in the list.
    auto feed = [&](int group, FeedPath path) {
        const ValueList& list = FeedListFor(path);
        const int32_t slot = FeedPosOtherSlot(group, path);
        const int32_t index = in(0, list.Size);
        if (index == list.Size) {
            int32_t distance;
            do distance = in(1, 255);
            while (ValueListIndexOf(list, distance) >= 0);
            s.slots[slot] = s.expected[slot] = distance;
        } else {
            s.slots[slot] = in(0, 255);
            s.expected[slot] = 0;
        }
        return index;
    };
    r.SwitchBits = static_cast<int32_t>(rng());
    r.PaperSetCenter = in(0, 1);
    r.PostcardMode = in(0, 1);
    r.HeadCenterCutSheet = in(10, 68);
    r.HeadCenterContFront = in(10, 68);
    r.HeadCenterContRear = in(68, 126);
    r.PaperThickness = in(0, 12);
    r.FeedPosContFront = feed(FeedGroupCurrent, FeedPathContFront);
    r.FeedPosContRear = feed(FeedGroupCurrent, FeedPathContRear);
    r.FeedPosCutSheet = feed(FeedGroupCurrent, FeedPathCutSheet);
    r.FeedPosPostcard = feed(FeedGroupCurrent, FeedPathPostcard);
    r.PageLength = in(1, 99);
    r.CutSheetOffset = in(0, 68);
    r.FormSelect = in(0, 4);
    for (int k = 0; k < FormCount; ++k) {
        FormSettings& f = r.Forms[k];
        f.PageLength = in(1, 99);
        f.FeedPosContFront = feed(FeedGroupForm(k), FeedPathContFront);
        f.FeedPosContRear = feed(FeedGroupForm(k), FeedPathContRear);
        f.FeedPosCutSheet = feed(FeedGroupForm(k), FeedPathCutSheet);
        f.FeedPosPostcard = feed(FeedGroupForm(k), FeedPathPostcard);
        f.LeftMargin = in(0, 135);
        f.RightMargin = in(1, 136);
        f.CutSheetOffset = in(0, 68);
    }
    r.Typeface = in(0, 1);
    r.Font1 = in(0, 4);
    r.Font2 = in(0, 4);
    r.KanjiCodeTable = in(0, 2);
    r.Reduction = in(0, 4);
    r.QuietPrint = in(0, 1);
    r.PressureAdjust = pick(PressureAdjustList);
    r.PositionAdjust = pick(PositionAdjustList);
    return s;
}

// The same, kept to what a user may enter as well: an international character set code of its
// list, each form's left margin below its right one, and no switch byte of 0xFF (which would mark
// the record as holding no settings).
inline RandomSettings MakeRandomEnteredSettings(std::mt19937& rng) {
    RandomSettings s = MakeRandomSettings(rng);
    PanelSettingsRecord& r = s.record;
    const ValueList& codes = IntlCharSetList;
    SetSwitchField(r.SwitchBits, IntlCharSet, codes.Items[rng() % codes.Size].Value);
    uint32_t bits = static_cast<uint32_t>(r.SwitchBits);
    for (int k = 0; k < 4; ++k) {
        if (((bits >> (8 * k)) & 0xFF) == 0xFF) bits &= ~(1u << (8 * k + rng() % 8));
    }
    r.SwitchBits = static_cast<int32_t>(bits);
    for (FormSettings& f : r.Forms) {
        if (f.LeftMargin >= f.RightMargin) f.LeftMargin = f.RightMargin - 1;
    }
    return s;
}

}  // namespace qmxtest

#endif
