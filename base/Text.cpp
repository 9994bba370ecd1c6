#include "base/Text.h"

#include <cstdio>
#include <cstring>

size_t TruncateCp932(char* text, size_t maxBytes) {
    size_t position = 0;
    while (text[position] != '\0') {
        const bool lead = IsCp932LeadByte(static_cast<unsigned char>(text[position]));
        // A lead byte with nothing after it is half of a character that an earlier cut split.
        if (lead && text[position + 1] == '\0') break;
        const size_t width = lead ? 2 : 1;
        if (position + width > maxBytes) break;
        position += width;
    }
    text[position] = '\0';
    return position;
}

size_t FormatBoundedV(char* out, size_t size, const char* format, va_list args) {
    if (size == 0) return 0;
    int wanted = std::vsnprintf(out, size, format, args);
    if (wanted < 0) {
        out[0] = '\0';
        return 0;
    }
    if (static_cast<size_t>(wanted) < size) return static_cast<size_t>(wanted);
    // vsnprintf cut the text after size - 1 bytes; the cut may have split a character.
    return TruncateCp932(out, size - 1);
}

size_t FormatBounded(char* out, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    size_t length = FormatBoundedV(out, size, format, args);
    va_end(args);
    return length;
}

size_t CopyBounded(char* out, size_t size, const char* source) {
    if (size == 0) return 0;
    if (source == nullptr) {
        out[0] = '\0';
        return 0;
    }
    size_t length = std::strlen(source);
    if (length < size) {
        std::memcpy(out, source, length + 1);
        return length;
    }
    std::memcpy(out, source, size - 1);
    out[size - 1] = '\0';
    return TruncateCp932(out, size - 1);
}

std::string FileNameFrom(std::string_view text) {
    std::string name;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsCp932LeadByte(c) && i + 1 < text.size()) {
            name.append(text.substr(i, 2));
            ++i;
            continue;
        }
        // A lead byte at the very end is half a character.
        const bool forbidden =
            IsCp932LeadByte(c) || c < 0x20 || c == 0x7F ||
            std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
        name.push_back(forbidden ? '_' : static_cast<char>(c));
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    return name.empty() ? "settings" : name;
}
