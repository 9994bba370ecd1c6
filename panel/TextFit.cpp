#include "panel/TextFit.h"

#include <climits>
#include <cstring>

#include "base/Text.h"

const char* NextCp932Character(const char* text) {
    if (*text == '\0') return text;
    if (IsCp932LeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0') return text + 2;
    return text + 1;
}

namespace {

int32_t WidthOf(const TextMeasure& measure, const char* text, size_t length) {
    int32_t width = 0;
    // A text that cannot be measured is taken as too wide: it is never claimed to fit.
    return measure(text, length, &width) ? width : INT32_MAX;
}

}  // namespace

int FitTextWalk(int32_t maxWidth, const char* text, const char* ellipsis, char* out, size_t outSize,
                const TextMeasure& measure, const NextCharacter& next) {
    if (maxWidth <= 0 || text == nullptr || out == nullptr || outSize == 0) return 0;
    if (ellipsis == nullptr) ellipsis = "";
    const size_t textLength = std::strlen(text);
    const size_t ellipsisLength = std::strlen(ellipsis);
    if (textLength == 0) {
        out[0] = '\0';
        return 1;
    }
    if (textLength < outSize && WidthOf(measure, text, textLength) <= maxWidth) {
        std::memcpy(out, text, textLength + 1);
        return 1;
    }
    if (ellipsisLength >= outSize || WidthOf(measure, ellipsis, ellipsisLength) > maxWidth) {
        out[0] = '\0';
        return 0;
    }

    // Candidates are a prefix of whole characters followed by the ellipsis, built in `out` itself;
    // the walk stops at the first one that is too wide or that would not fit in out.
    size_t kept = 0;
    const char* end = text + textLength;
    size_t built = 0;  // bytes of text already in out
    const char* boundary = text;
    for (;;) {
        const char* following = next(boundary);
        if (following <= boundary || following >= end) break;
        boundary = following;
        const size_t prefix = static_cast<size_t>(boundary - text);
        if (prefix + ellipsisLength >= outSize) break;
        std::memcpy(out + built, text + built, prefix - built);
        built = prefix;
        std::memcpy(out + prefix, ellipsis, ellipsisLength);
        const int32_t width = WidthOf(measure, out, prefix + ellipsisLength);
        if (width > maxWidth) break;
        kept = prefix;
        if (width == maxWidth) break;
    }
    std::memcpy(out, text, kept);
    std::memcpy(out + kept, ellipsis, ellipsisLength);
    out[kept + ellipsisLength] = '\0';
    return 1;
}
