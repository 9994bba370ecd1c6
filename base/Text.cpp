#include "base/Text.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <utility>

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

namespace {

// Where the character at `i` ends: a lead byte takes the byte after it along.
size_t NextCharacter(std::string_view text, size_t i) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? i + 2 : i + 1;
}

// `text` cut to `maxBytes` at most, at a character boundary.
std::string_view CutAtCharacter(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    for (size_t next = 0; end < text.size() && (next = NextCharacter(text, end)) <= maxBytes;) end = next;
    return text.substr(0, end);
}

// Whether `stem` (a name up to its first dot) names a device: such a "file" is the device.
bool IsDeviceName(std::string_view stem) {
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    std::string upper(stem);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (upper == device) return true;
    }
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '0' && upper[3] <= '9';
}

void DropTrailingDotsAndSpaces(std::string& name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
}

}  // namespace

std::string FileNameFrom(std::string_view text, size_t room) {
    std::string name;
    for (size_t i = 0; i < text.size();) {
        const size_t next = NextCharacter(text, i);
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (next == i + 2) {
            name.append(text.substr(i, 2));
        } else {
            // A lead byte at the very end is half a character.
            const bool forbidden =
                IsCp932LeadByte(c) || c < 0x20 || c == 0x7F ||
                std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
            name.push_back(forbidden ? '_' : static_cast<char>(c));
        }
        i = next;
    }
    DropTrailingDotsAndSpaces(name);
    if (name.empty()) return "settings";
    const size_t stem = std::min(name.find('.'), name.size());
    if (IsDeviceName(std::string_view(name).substr(0, stem))) {
        std::string file(name, 0, stem);
        file.push_back('_');
        file.append(name, stem, std::string::npos);
        name = std::move(file);
    }
    name = std::string(CutAtCharacter(name, kLongestFileName - std::min(room, kLongestFileName - 1)));
    DropTrailingDotsAndSpaces(name);
    return name.empty() ? "settings" : name;
}

size_t LastPathPart(std::string_view path) {
    size_t lastPart = 0;
    for (size_t i = 0; i < path.size(); i = NextCharacter(path, i)) {
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') lastPart = i + 1;
    }
    return lastPart;
}

std::string TemporaryFileName(std::string_view path) {
    // The program's file functions take a path of fewer than 260 bytes (MAX_PATH).
    constexpr size_t kLongestPath = 259;
    constexpr std::string_view kEnding = ".new";
    const size_t lastPart = LastPathPart(path);
    const std::string_view folder = path.substr(0, lastPart);
    const std::string_view name = path.substr(lastPart);
    size_t longest = kLongestFileName - kEnding.size();
    if (folder.size() + kEnding.size() < kLongestPath)
        longest = std::min(longest, kLongestPath - folder.size() - kEnding.size());
    return std::string(folder) + std::string(CutAtCharacter(name, longest)) + std::string(kEnding);
}
