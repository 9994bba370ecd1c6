// The printer's side of the settings command: walk the field table, check every byte, then store.
#include "qmx/CommandParser.h"

#include <cstdio>

namespace qmx {

namespace {

constexpr uint16_t Digits(std::initializer_list<int> list) {
    uint16_t bits = 0;
    for (int d : list) bits = static_cast<uint16_t>(bits | (1u << d));
    return bits;
}

constexpr CommandField Field(const char* label, FieldKind kind, uint8_t offset, uint8_t shift = 0,
                             uint8_t mask = 0xFF, uint16_t digits = 0) {
    return CommandField{label, kind, digits, offset, shift, mask};
}

constexpr CommandField Coded(const char* label, uint16_t digits, uint8_t offset, uint8_t shift,
                             uint8_t mask) {
    return CommandField{label, FieldKind::Digit, digits, offset, shift, mask};
}

// Labels of the form fields, four forms of eight.
constexpr const char* kFormLabels[4][8] = {
    {"form 1 page length", "form 1 left margin", "form 1 right margin", "form 1 feed cont. front",
     "form 1 feed cont. rear", "form 1 feed cut sheet", "form 1 feed postcard", "form 1 cut-sheet offset"},
    {"form 2 page length", "form 2 left margin", "form 2 right margin", "form 2 feed cont. front",
     "form 2 feed cont. rear", "form 2 feed cut sheet", "form 2 feed postcard", "form 2 cut-sheet offset"},
    {"form 3 page length", "form 3 left margin", "form 3 right margin", "form 3 feed cont. front",
     "form 3 feed cont. rear", "form 3 feed cut sheet", "form 3 feed postcard", "form 3 cut-sheet offset"},
    {"form 4 page length", "form 4 left margin", "form 4 right margin", "form 4 feed cont. front",
     "form 4 feed cont. rear", "form 4 feed cut sheet", "form 4 feed postcard", "form 4 cut-sheet offset"},
};

constexpr std::array<CommandField, kCommandFieldCount> BuildTable() {
    std::array<CommandField, kCommandFieldCount> t{};
    size_t i = 0;
    t[i++] = Coded("leading zero", Digits({0}), kNoTarget, 0, 0);
    t[i++] = Field("switch byte 0", FieldKind::Nibbles, 4);
    t[i++] = Field("switch byte 1", FieldKind::Nibbles, 5);
    t[i++] = Field("switch byte 2", FieldKind::Nibbles, 6);
    t[i++] = Field("switch byte 3", FieldKind::Nibbles, 7);
    t[i++] = Coded("font 1", Digits({0, 1, 2, 3, 4}), 20, 0, 0x0F);
    t[i++] = Coded("font 2", Digits({0, 1, 2, 3, 4}), 20, 4, 0x0F);
    t[i++] = Coded("kanji code table", Digits({0, 1, 2}), 21, 0, 0x03);
    t[i++] = Coded("quiet print", Digits({0, 1}), 21, 6, 0x01);
    t[i++] = Coded("postcard mode", Digits({0, 1}), 21, 7, 0x01);
    t[i++] = Coded("paper set left", Digits({0, 1}), 22, 7, 0x01);
    t[i++] = Field("head centering cut sheet", FieldKind::Dec2, 22, 0, 0x7F);
    t[i++] = Field("head centering cont. front", FieldKind::Dec2, 23);
    t[i++] = Field("head centering cont. rear", FieldKind::Dec3, 24);
    t[i++] = Field("page length", FieldKind::Dec2, 25);
    t[i++] = Field("feed cont. front", FieldKind::Dec3, 26);
    t[i++] = Field("feed cont. rear", FieldKind::Dec3, 27);
    t[i++] = Field("feed cut sheet", FieldKind::Dec3, 28);
    t[i++] = Field("feed postcard", FieldKind::Dec3, 29);
    t[i++] = Field("cut-sheet offset", FieldKind::Dec2, 30);
    t[i++] = Coded("typeface", Digits({0, 1}), 3, 0, 0xFF);
    t[i++] = Coded("reduction code", Digits({0, 1, 3, 5, 7}), 2, 0, 0xFF);
    t[i++] = Field("paper thickness", FieldKind::Dec2, 60);
    t[i++] = Field("pressure adjust", FieldKind::Hex2, 61);
    t[i++] = Field("position adjust", FieldKind::Hex2, 64);
    t[i++] = Coded("form select", Digits({0, 1, 2, 3, 4}), 68, 0, 0xFF);
    for (int k = 0; k < 4; ++k) {
        const auto b = static_cast<uint8_t>(69 + 11 * k);
        const auto* l = kFormLabels[k];
        t[i++] = Field(l[0], FieldKind::Dec2, b);
        t[i++] = Field(l[1], FieldKind::Dec3, static_cast<uint8_t>(b + 1));
        t[i++] = Field(l[2], FieldKind::Dec3, static_cast<uint8_t>(b + 2));
        t[i++] = Field(l[3], FieldKind::Dec3, static_cast<uint8_t>(b + 3));
        t[i++] = Field(l[4], FieldKind::Dec3, static_cast<uint8_t>(b + 4));
        t[i++] = Field(l[5], FieldKind::Dec3, static_cast<uint8_t>(b + 5));
        t[i++] = Field(l[6], FieldKind::Dec3, static_cast<uint8_t>(b + 6));
        t[i++] = Field(l[7], FieldKind::Dec2, static_cast<uint8_t>(b + 7));
    }
    return t;
}

constexpr std::array<CommandField, kCommandFieldCount> kTable = BuildTable();

constexpr size_t Width(FieldKind kind) {
    switch (kind) {
        case FieldKind::Digit:
            return 1;
        case FieldKind::Nibbles:
        case FieldKind::Dec2:
        case FieldKind::Hex2:
            return 2;
        case FieldKind::Dec3:
            return 3;
    }
    return 0;
}

// The table must describe exactly 195 bytes: 2 for FS "o", each field with its separator.
constexpr size_t TableLength() {
    size_t n = 2;
    for (const auto& f : kTable) n += Width(f.kind) + 1;
    return n;
}
static_assert(TableLength() == kCommandLength, "field table does not add up to the command length");

bool Fail(CommandError* error, size_t offset, std::string reason) {
    if (error) {
        error->offset = offset;
        error->reason = std::move(reason);
    }
    return false;
}

std::string ByteText(uint8_t b) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", b);
    return text;
}

int DecimalDigit(uint8_t c) { return (c >= '0' && c <= '9') ? c - '0' : -1; }

int UpperHexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one field at data[pos]; the caller has checked that its width is available.
bool ParseField(const CommandField& f, const uint8_t* p, size_t pos, uint16_t& value, CommandError* error) {
    const std::string label = f.label;
    switch (f.kind) {
        case FieldKind::Nibbles:
            for (size_t k = 0; k < 2; ++k) {
                if (p[k] > 0x0F)
                    return Fail(error, pos + k, label + ": " + ByteText(p[k]) + " is not a nibble 0x00-0x0F");
            }
            value = static_cast<uint16_t>(p[0] | (p[1] << 4));
            return true;
        case FieldKind::Digit: {
            const int d = DecimalDigit(p[0]);
            if (d < 0) return Fail(error, pos, label + ": " + ByteText(p[0]) + " is not a digit");
            if (!(f.digits & (1u << d)))
                return Fail(error, pos, label + ": digit " + std::to_string(d) + " is not allowed");
            value = static_cast<uint16_t>(d);
            return true;
        }
        case FieldKind::Dec2:
        case FieldKind::Dec3: {
            const size_t width = Width(f.kind);
            unsigned v = 0;
            for (size_t k = 0; k < width; ++k) {
                const int d = DecimalDigit(p[k]);
                if (d < 0)
                    return Fail(error, pos + k, label + ": " + ByteText(p[k]) + " is not a decimal digit");
                v = v * 10 + static_cast<unsigned>(d);
            }
            if (v > f.mask)
                return Fail(error, pos,
                            label + ": " + std::to_string(v) + " is larger than " + std::to_string(f.mask));
            value = static_cast<uint16_t>(v);
            return true;
        }
        case FieldKind::Hex2: {
            unsigned v = 0;
            for (size_t k = 0; k < 2; ++k) {
                const int d = UpperHexDigit(p[k]);
                if (d < 0)
                    return Fail(error, pos + k,
                                label + ": " + ByteText(p[k]) + " is not an upper-case hexadecimal digit");
                v = v * 16 + static_cast<unsigned>(d);
            }
            value = static_cast<uint16_t>(v);
            return true;
        }
    }
    return Fail(error, pos, label + ": unknown field kind");
}

}  // namespace

const std::array<CommandField, kCommandFieldCount>& CommandFields() { return kTable; }

bool ParseSettingsCommand(const uint8_t* data, size_t size, CommandValues& values, CommandError* error) {
    if (!data) return Fail(error, 0, "no command");
    if (size < kCommandLength)
        return Fail(error, size,
                    "the command area holds " + std::to_string(size) + " bytes; a command is " +
                        std::to_string(kCommandLength));
    if (size > kCommandAreaMax)
        return Fail(error, kCommandAreaMax,
                    "the command area is " + std::to_string(size) + " bytes; at most " +
                        std::to_string(kCommandAreaMax));
    if (data[0] != kFS) return Fail(error, 0, "the command does not begin with FS (0x1C)");
    if (data[1] != 'o') return Fail(error, 1, "the command letter is " + ByteText(data[1]) + ", not \"o\"");
    size_t pos = 2;
    for (size_t i = 0; i < kCommandFieldCount; ++i) {
        const CommandField& f = kTable[i];
        if (!ParseField(f, data + pos, pos, values.value[i], error)) return false;
        pos += Width(f.kind);
        const bool last = i + 1 == kCommandFieldCount;
        const uint8_t expected = last ? '.' : ',';
        if (data[pos] != expected)
            return Fail(error, pos,
                        std::string(f.label) + ": followed by " + ByteText(data[pos]) +
                            (last ? " instead of the final \".\"" : " instead of a comma"));
        ++pos;
    }
    for (size_t k = pos; k < size; ++k) {
        if (data[k] != 0)
            return Fail(error, k,
                        "byte " + ByteText(data[k]) + " after the final \".\": the command is longer than " +
                            std::to_string(kCommandLength) + " bytes");
    }
    return true;
}

void ApplySettingsCommand(const CommandValues& values, SettingsBlockBytes& block) {
    for (size_t i = 0; i < kCommandFieldCount; ++i) {
        const CommandField& f = kTable[i];
        if (f.offset == kNoTarget) continue;
        const unsigned keep = ~(static_cast<unsigned>(f.mask) << f.shift) & 0xFFu;
        const unsigned put = (static_cast<unsigned>(values.value[i]) & f.mask) << f.shift;
        block[f.offset] = static_cast<uint8_t>((block[f.offset] & keep) | put);
    }
}

bool ApplySettingsCommand(const uint8_t* data, size_t size, SettingsBlockBytes& block, CommandError* error) {
    CommandValues values;
    if (!ParseSettingsCommand(data, size, values, error)) return false;
    ApplySettingsCommand(values, block);
    return true;
}

std::vector<std::string> DescribeCommand(const CommandValues& values) {
    std::vector<std::string> lines;
    lines.reserve(kCommandFieldCount);
    for (size_t i = 0; i < kCommandFieldCount; ++i) {
        const CommandField& f = kTable[i];
        const unsigned v = values.value[i];
        char text[96];
        switch (f.kind) {
            case FieldKind::Nibbles:
                std::snprintf(text, sizeof text, "%-28s %02X %02X (byte 0x%02X)", f.label, v & 0x0F, v >> 4,
                              v);
                break;
            case FieldKind::Digit:
                std::snprintf(text, sizeof text, "%-28s %u", f.label, v);
                break;
            case FieldKind::Dec2:
                std::snprintf(text, sizeof text, "%-28s %02u", f.label, v);
                break;
            case FieldKind::Dec3:
                std::snprintf(text, sizeof text, "%-28s %03u", f.label, v);
                break;
            case FieldKind::Hex2:
                std::snprintf(text, sizeof text, "%-28s %02X", f.label, v);
                break;
        }
        lines.emplace_back(text);
    }
    return lines;
}

}  // namespace qmx
