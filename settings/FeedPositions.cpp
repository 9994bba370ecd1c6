// FeedPositions.cpp - feed-position lists and the conversions between block bytes and indexes.
#include "settings/FeedPositions.h"

#include <stdio.h>

namespace {

const ValueLabel FeedItemsA[] = {
    {0, "0インチ"},    {15, "1/8インチ"}, {20, "1/6インチ"}, {28, "6.03ミリ"},
    {30, "1/4インチ"}, {40, "1/3インチ"}, {60, "1/2インチ"}, {120, "1インチ"},
};

const ValueLabel FeedItemsB[] = {
    {0, "0インチ"},    {15, "1/8インチ"}, {20, "1/6インチ"}, {28, "6.03ミリ"}, {30, "1/4インチ"},
    {40, "1/3インチ"}, {46, "9.7ミリ"},   {60, "1/2インチ"}, {120, "1インチ"},
};

const ValueLabel FeedItemsC[] = {
    {0, "0インチ"},    {15, "1/8インチ"}, {20, "1/6インチ"}, {28, "6.03ミリ"}, {30, "1/4インチ"},
    {40, "1/3インチ"}, {54, "11.5ミリ"},  {60, "1/2インチ"}, {120, "1インチ"},
};

}  // namespace

const ValueList FeedListA{FeedItemsA, static_cast<int32_t>(sizeof FeedItemsA / sizeof FeedItemsA[0])};
const ValueList FeedListB{FeedItemsB, static_cast<int32_t>(sizeof FeedItemsB / sizeof FeedItemsB[0])};
const ValueList FeedListC{FeedItemsC, static_cast<int32_t>(sizeof FeedItemsC / sizeof FeedItemsC[0])};

FeedIndex FeedValueToIndex(const ValueList& list, uint8_t raw) {
    const int32_t index = ValueListIndexOf(list, raw);
    if (index >= 0) return FeedIndex{index, 0};
    return FeedIndex{FeedOtherIndex(list), raw};
}

int32_t FeedIndexToValue(const ValueList& list, int32_t index) {
    if (index < 0 || index >= list.Size) return FeedValueNone;
    return list.Items[index].Value;
}

const ValueList& FeedListFor(FeedPath path) {
    switch (path) {
        case FeedPathContFront:
        case FeedPathContRear:
            return FeedListA;
        case FeedPathCutSheet:
            return FeedListB;
        case FeedPathPostcard:
            break;
    }
    return FeedListC;
}

bool FormatFeedOtherLabel(char* buffer, size_t size, int32_t distance) {
    if (buffer == nullptr || size == 0) return false;
    const int written = snprintf(buffer, size, "%d/120インチ", static_cast<int>(distance));
    return written >= 0 && static_cast<size_t>(written) < size;
}
