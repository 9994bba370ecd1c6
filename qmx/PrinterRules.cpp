// Item table, presets, the initial block and the text helpers of the virtual printers.
#include "qmx/PrinterRules.h"

#include <array>
#include <cstdio>

namespace qmx {

namespace {

constexpr std::array<ItemInfo, kItemCount> kItems = {{
    {Item::PrinterStatus, "PrinterStatus", 12},
    {Item::PrinterExtStatus, "PrinterExtStatus", 4},
    {Item::UserAuthority, "UserAuthority", 4},
    {Item::PrinterName, "PrinterName", 256},
    {Item::Port, "Port", 260},
    {Item::Settings, "RPVariables_PSV", 260},
}};

StateWords Words(uint32_t ext, uint32_t w1, uint32_t w2, uint32_t authority) {
    StateWords w;
    w.ext = ext;
    w.w0 = 0;
    w.w1 = w1;
    w.w2 = w2;
    w.authority = authority;
    return w;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

int SignedByte(uint8_t b) { return b < 0x80 ? b : b - 256; }

}  // namespace

const ItemInfo& InfoOf(Item item) { return kItems[static_cast<size_t>(item)]; }

std::optional<Item> ItemByName(std::string_view name) {
    for (const auto& info : kItems) {
        if (name == info.name) return info.item;
    }
    return std::nullopt;
}

const std::vector<Preset>& Presets() {
    static const std::vector<Preset> presets = {
        {"idle", "connected, idle; the user may read and update", Words(0x3, 0, 0x1, 0x10)},
        {"busy", "connected but busy (w2 0x4)", Words(0x3, 0, 0x5, 0x10)},
        {"offline", "no communication (ext 0x1 clear, w1 0x10000)", Words(0x2, 0x10000, 0, 0x10)},
        {"read-only", "the user may read but not update (authority 0x08)", Words(0x3, 0, 0x1, 0x08)},
        {"update-only", "settings cannot be read out (ext 0x2 clear)", Words(0x1, 0, 0x1, 0x10)},
        {"no-rights", "the user may neither read nor update (authority 0)", Words(0x3, 0, 0x1, 0)},
        {"unsupported", "not a supported printer (w1 0x200)", Words(0x3, 0x200, 0x1, 0x10)},
        {"switch-off", "print-enable switch not pressed (w2 0x1000)", Words(0x3, 0, 0x1001, 0x10)},
    };
    return presets;
}

const Preset* PresetByName(std::string_view name) {
    for (const auto& p : Presets()) {
        if (name == p.name) return &p;
    }
    return nullptr;
}

SettingsBlockBytes InitialBlock() {
    SettingsBlockBytes b{};
    b[0] = kHeader0;
    b[1] = kHeader1;
    b[7] = 0x08;        // switch bits 0x08000000: bidirectional dot rows
    b[22] = 0x80 | 40;  // paper set left, head centering for cut sheets at column 40
    b[23] = 36;         // head centering, continuous front
    b[24] = 96;         // head centering, continuous rear
    b[25] = 66;         // page length
    b[26] = 120;        // feed positions in 1/120 inch: continuous front, rear, cut sheet, postcard
    b[27] = 120;
    b[28] = 46;
    b[29] = 54;
    for (size_t form = 0; form < 4; ++form) {
        const size_t at = 69 + 11 * form;
        const uint8_t values[8] = {66, 0, 136, 120, 120, 46, 54, 0};
        for (size_t k = 0; k < 8; ++k) b[at + k] = values[k];
    }
    return b;
}

std::vector<std::string> DescribeBlock(const SettingsBlockBytes& b) {
    std::vector<std::string> lines;
    const bool good = b[0] == kHeader0 && b[1] == kHeader1;
    lines.push_back(Format("[0-1]   header                      %02X %02X (%s)", b[0], b[1],
                           good ? "good" : "bad: reading finds no settings"));
    lines.push_back(Format("[2]     reduction code              %u", b[2]));
    lines.push_back(Format("[3]     typeface                    %u (%s)", b[3], b[3] ? "gothic" : "mincho"));
    lines.push_back(Format(
        "[4-7]   switch bits                 0x%08X",
        static_cast<unsigned>(b[4] | (b[5] << 8) | (b[6] << 16) | (static_cast<uint32_t>(b[7]) << 24))));
    lines.push_back(Format("[20]    font 1, font 2              %u, %u", b[20] & 0x0F, b[20] >> 4));
    lines.push_back(Format("[21]    kanji table, quiet, postcard %u, %u, %u (byte 0x%02X)", b[21] & 3,
                           (b[21] >> 6) & 1, b[21] >> 7, b[21]));
    lines.push_back(Format("[22]    paper set, head cut sheet   %s, %u", (b[22] & 0x80) ? "left" : "center",
                           b[22] & 0x7F));
    lines.push_back(Format("[23]    head centering cont. front  %u", b[23]));
    lines.push_back(Format("[24]    head centering cont. rear   %u", b[24]));
    lines.push_back(Format("[25]    page length                 %u", b[25]));
    lines.push_back(Format("[26-29] feed front, rear, cut, card %u, %u, %u, %u (1/120 inch)", b[26], b[27],
                           b[28], b[29]));
    lines.push_back(Format("[30]    cut-sheet offset            %u", b[30]));
    lines.push_back(Format("[60]    paper thickness             %u", b[60]));
    lines.push_back(Format("[61]    pressure adjust             0x%02X (%+d)", b[61], SignedByte(b[61])));
    lines.push_back(Format("[64]    position adjust             0x%02X (%+d)", b[64], SignedByte(b[64])));
    lines.push_back(Format("[68]    form select                 %u", b[68]));
    for (size_t form = 0; form < 4; ++form) {
        const size_t at = 69 + 11 * form;
        lines.push_back(Format(
            "[%zu-%zu] form %zu: length %u, margins %u-%u, feeds %u, %u, %u, %u, offset %u", at, at + 7,
            form + 1, b[at], b[at + 1], b[at + 2], b[at + 3], b[at + 4], b[at + 5], b[at + 6], b[at + 7]));
    }
    // Bytes that no field uses: worth a line only when something is there.
    std::string unused;
    for (size_t i = 0; i < kBlockSize; ++i) {
        const bool used = i <= 7 || (i >= 20 && i <= 30) || i == 60 || i == 61 || i == 64 || i == 68 ||
                          (i >= 69 && i < 110 && (i - 69) % 11 < 8);
        if (!used && b[i] != 0) unused += Format(" %zu=%02X", i, b[i]);
    }
    if (!unused.empty()) lines.push_back("unused bytes not zero:" + unused);
    return lines;
}

bool ParseHexBytes(std::string_view text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    int high = -1;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ':') {
            if (high >= 0) return false;  // a byte is always two digits
            continue;
        } else {
            return false;
        }
        if (high < 0) {
            high = d;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | d));
            high = -1;
        }
    }
    return high < 0;
}

std::string FormatHexDump(const uint8_t* data, size_t size, size_t perLine) {
    std::string out;
    if (perLine == 0) perLine = 16;
    for (size_t at = 0; at < size; at += perLine) {
        out += Format("%04zx:", at);
        for (size_t k = at; k < size && k < at + perLine; ++k) out += Format(" %02X", data[k]);
        out += '\n';
    }
    return out;
}

bool ParseWord(std::string_view text, uint32_t& value) {
    if (text.empty()) return false;
    bool negative = false;
    if (text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (!negative && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    uint64_t v = 0;
    for (char c : text) {
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        if (d >= base) return false;
        v = v * base + d;
        if (v > (negative ? 0x80000000ull : 0xFFFFFFFFull)) return false;
    }
    value = negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(v)) : static_cast<uint32_t>(v);
    return true;
}

}  // namespace qmx
