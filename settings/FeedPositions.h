// FeedPositions.h - the three feed-position lists and the twenty FeedPosOther slots.
//
// A feed position is held in the record as an index into its list. The index one past the last
// entry ("other") means that the printer reported a distance the list cannot name; that distance
// is then kept in the matching FeedPosOther slot.
#ifndef RP_SETTINGS_FEEDPOSITIONS_H
#define RP_SETTINGS_FEEDPOSITIONS_H

#include <stddef.h>
#include <stdint.h>

#include "settings/ValueLists.h"

// Distances in 1/120 inch with their labels. Value = distance, index = what the record holds.
extern const ValueList FeedListA;  // continuous paper, front and rear: 8 entries, other = 8
extern const ValueList FeedListB;  // cut sheet: 9 entries, other = 9
extern const ValueList FeedListC;  // postcard: 9 entries, other = 9

// The index that stands for a distance outside the list.
constexpr int32_t FeedOtherIndex(const ValueList& list) { return list.Size; }

// The value FeedIndexToValue gives for an index outside the list (the other index included).
inline constexpr int32_t FeedValueNone = 255;

// A raw block byte turned into a list index, together with the odd value for FeedPosOther:
// 0 when the byte is in the list, the byte itself when it is not (the index is then "other").
struct FeedIndex {
    int32_t Index;
    int32_t Other;
};

// Exact matches only; there is no rounding to the nearest list entry.
FeedIndex FeedValueToIndex(const ValueList& list, uint8_t raw);
// The distance at `index`, or FeedValueNone (255) for any index outside the list.
int32_t FeedIndexToValue(const ValueList& list, int32_t index);

// The four paper paths, in the order of the slots within a group and of the block bytes.
enum FeedPath : int32_t {
    FeedPathContFront = 0,
    FeedPathContRear = 1,
    FeedPathCutSheet = 2,
    FeedPathPostcard = 3,
};
inline constexpr int32_t FeedPathCount = 4;

// Slot groups: the current settings, then the stored forms 1 to 4.
inline constexpr int32_t FeedGroupCurrent = 0;
constexpr int32_t FeedGroupForm(int32_t formIndex) { return 1 + formIndex; }  // formIndex 0..3
inline constexpr int32_t FeedGroupCount = 5;
inline constexpr int32_t FeedPosOtherCount = FeedGroupCount * FeedPathCount;  // 20

// The FeedPosOther slot of one feed position: group 0 = current settings, 1..4 = forms 1..4.
constexpr int32_t FeedPosOtherSlot(int32_t group, FeedPath path) {
    return group * FeedPathCount + static_cast<int32_t>(path);
}

// The list that names the distances of a paper path.
const ValueList& FeedListFor(FeedPath path);

// The extra combo entry for a distance outside the list: "%d/120インチ" (a slot of 100 gives
// "100/120インチ"). Always terminated when size > 0; returns false when the text did not fit.
bool FormatFeedOtherLabel(char* buffer, size_t size, int32_t distance);

#endif
