#include "help/HelpRules.h"

#include <cstdio>
#include <cstring>

#include "base/Text.h"

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// True when the name ends in `suffix` (upper-case ASCII), ignoring case, and the suffix starts on
// a character boundary and holds no part of a double-byte character.
bool EndsWithSingleByteSuffix(const char* name, const char* suffix) {
    const size_t length = std::strlen(name);
    const size_t suffixLength = std::strlen(suffix);
    if (length < suffixLength) return false;
    const size_t start = length - suffixLength;
    // Walk the characters from the start so that a trail byte is never read as a character.
    size_t position = 0;
    while (position < start) {
        position += IsCp932LeadByte(static_cast<unsigned char>(name[position])) ? 2 : 1;
    }
    if (position != start) return false;  // a double-byte character straddles the suffix
    for (size_t i = 0; i < suffixLength; ++i) {
        const unsigned char byte = static_cast<unsigned char>(name[start + i]);
        if (IsCp932LeadByte(byte)) return false;
        if (Upper(static_cast<char>(byte)) != suffix[i]) return false;
    }
    return true;
}

}  // namespace

HelpRoute ChooseHelpRoute(const char* fileName, unsigned command) {
    if (fileName == nullptr) return HelpRoute::None;
    if (EndsWithSingleByteSuffix(fileName, "HLP")) return HelpRoute::WinHelp;
    if (EndsWithSingleByteSuffix(fileName, "CHM")) {
        if (command == kHelpFinder) return HelpRoute::HtmlHelp;
        // The companion replaces four characters; a shorter name has no companion.
        return std::strlen(fileName) >= 4 ? HelpRoute::WinHelpPopup : HelpRoute::None;
    }
    return HelpRoute::None;
}

bool MakePopupFileName(const char* fileName, char* out, size_t size) {
    if (size == 0) return false;
    out[0] = '\0';
    if (fileName == nullptr) return false;
    // Character boundaries of the last four characters, found from the start (CP932).
    size_t starts[4] = {};
    size_t count = 0;
    for (size_t position = 0; fileName[position] != '\0';) {
        starts[count % 4] = position;
        ++count;
        const bool lead = IsCp932LeadByte(static_cast<unsigned char>(fileName[position]));
        position += (lead && fileName[position + 1] != '\0') ? 2 : 1;
    }
    if (count < 4) return false;
    const size_t keep = starts[count % 4];  // where the fourth character from the end starts
    static const char kPopup[] = ".POP";
    if (keep + sizeof kPopup > size) return false;
    std::memcpy(out, fileName, keep);
    std::memcpy(out + keep, kPopup, sizeof kPopup);
    return true;
}

unsigned HtmlPopupCommand(unsigned winHelpCommand) {
    switch (winHelpCommand) {
        case kHelpWmHelp:
            return kHhTpHelpWmHelp;
        case kHelpContextMenu:
            return kHhTpHelpContextMenu;
        case kHelpContextPopup:
            return kHhDisplayTextPopup;
        default:
            return 0;
    }
}

bool MakeTextPopupPath(const char* fileName, char* out, size_t size) {
    if (size == 0) return false;
    const int length = fileName ? std::snprintf(out, size, "%s::/%s", fileName, kTextPopupFile) : -1;
    if (length < 0 || static_cast<size_t>(length) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}
