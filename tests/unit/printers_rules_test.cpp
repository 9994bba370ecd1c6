#include <gtest/gtest.h>

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "printers/PrinterRules.h"

namespace {

// ---- State probe decision -------------------------------------------------------------------

struct StateCase {
    const char* what;
    uint32_t w1, w2;
    const char* port;
    const char* second;
    ProbeState state;
};

TEST(ProbeStateDecision, WordsAndPortGiveTheShownState) {
    const StateCase cases[] = {
        {"idle local printer", 0, 0x1, "LPT1:", "", ProbeState::Connected},
        {"every connected bit of w2", 0, 0x3F, "LPT1:", "", ProbeState::Connected},
        {"high connected bit of w2", 0, 0x4000000, "LPT1:", "", ProbeState::Connected},
        {"middle connected bit of w2", 0, 0x100, "LPT1:", "", ProbeState::Connected},
        {"w2 bits outside both masks", 0x0, 0x40 | 0xC0 | 0x8000000, "LPT1:", "", ProbeState::Unknown},
        {"offline bit 0x80 of w1", 0x80, 0, "LPT1:", "", ProbeState::NotConnected},
        {"bit 0x100 of w1", 0x100, 0, "LPT1:", "", ProbeState::NotConnected},
        {"bit 0x10000 of w1", 0x10000, 0, "LPT1:", "", ProbeState::NotConnected},
        {"connected wins over not connected", 0x80, 0x2, "LPT1:", "", ProbeState::Connected},
        {"nothing known", 0, 0, "LPT1:", "", ProbeState::Unknown},
        {"w1 bits outside the mask", 0x7F, 0, "LPT1:", "", ProbeState::Unknown},
        // 0x100000 on a local printer does not matter.
        {"local printer with 0x100000", 0x100000, 0x1, "LPT1:", "", ProbeState::Connected},
        // A network printer (port "\..." or a second name) with 0x100000 is unknown, even when
        // w2 says connected.
        {"network port with 0x100000", 0x100000, 0x1, "\\\\server\\lp1", "", ProbeState::Unknown},
        {"second name with 0x100000", 0x100000 | 0x80, 0x1, "IP_1", "host", ProbeState::Unknown},
        {"network port without 0x100000", 0, 0x1, "\\\\server\\lp1", "", ProbeState::Connected},
        {"second name without 0x100000", 0x80, 0, "IP_1", "host", ProbeState::NotConnected},
        // A backslash counts only as the port's first byte.
        {"backslash later in the port", 0x100000, 0x1, "LPT\\1", "", ProbeState::Connected},
        {"-1 words", 0xFFFFFFFF, 0xFFFFFFFF, "LPT1:", "", ProbeState::Connected},
    };
    for (const StateCase& c : cases) {
        EXPECT_EQ(DecideProbeState(c.w1, c.w2, c.port, c.second), c.state) << c.what;
    }
}

// ---- "Port" item and port text --------------------------------------------------------------

std::vector<unsigned char> PortItem(const std::string& name, const std::string& second) {
    std::vector<unsigned char> item(260, 0);
    std::memcpy(item.data() + 4, name.data(), std::min<size_t>(name.size(), 128));
    std::memcpy(item.data() + 132, second.data(), std::min<size_t>(second.size(), 128));
    return item;
}

std::string PortTextOf(const std::vector<unsigned char>& item) {
    PortNames names;
    ReadPortNames(item.data(), item.size(), &names);
    char out[kPortTextSize];
    FormatPortText(names, out, sizeof out);
    return out;
}

TEST(PortText, NameAloneOrNameWithSecondName) {
    EXPECT_EQ(PortTextOf(PortItem("LPT1:", "")), "LPT1:");
    EXPECT_EQ(PortTextOf(PortItem("FILE:", "")), "FILE:");
    EXPECT_EQ(PortTextOf(PortItem("IP_10.0.0.7", "printhost")), "IP_10.0.0.7(printhost)");
    EXPECT_EQ(PortTextOf(PortItem("", "")), "");
}

TEST(PortText, FieldsWithoutTerminatorStopAtTheirEnd) {
    // Both fields completely filled: nothing of the second field may leak into the first, and
    // nothing past the item is read.
    std::vector<unsigned char> item(260, 0);
    std::memset(item.data(), 0xEE, 4);
    std::memset(item.data() + 4, 'A', 128);
    std::memset(item.data() + 132, 'B', 128);
    PortNames names;
    ReadPortNames(item.data(), item.size(), &names);
    EXPECT_EQ(std::string(names.Name), std::string(128, 'A'));
    EXPECT_EQ(std::string(names.SecondName), std::string(128, 'B'));
    EXPECT_EQ(PortTextOf(item), std::string(128, 'A') + "(" + std::string(128, 'B') + ")");
}

TEST(PortText, AFieldCutInsideADoubleByteCharacterLosesTheHalfCharacter) {
    // 127 'A' then the lead byte of a kanji as the field's last byte; its trail byte would be the
    // first byte of the second field.
    std::vector<unsigned char> item(260, 0);
    std::memset(item.data() + 4, 'A', 127);
    item[4 + 127] = 0x90;
    item[132] = 0xDD;
    PortNames names;
    ReadPortNames(item.data(), item.size(), &names);
    EXPECT_EQ(std::string(names.Name), std::string(127, 'A'));
}

TEST(PortText, ShortItemReadsMissingFieldsAsEmpty) {
    std::vector<unsigned char> item = PortItem("COM1:", "second");
    PortNames names;
    ReadPortNames(item.data(), 9, &names);  // the word and "COM1:" only
    EXPECT_STREQ(names.Name, "COM1:");
    EXPECT_STREQ(names.SecondName, "");
    ReadPortNames(item.data(), 2, &names);
    EXPECT_STREQ(names.Name, "");
}

TEST(PortText, SmallOutputBufferIsNeverOverrun) {
    PortNames names;
    std::vector<unsigned char> item = PortItem("LPT1:", "host");
    ReadPortNames(item.data(), item.size(), &names);
    char out[8];
    std::memset(out, '#', sizeof out);
    FormatPortText(names, out, 6);
    EXPECT_STREQ(out, "LPT1:");
    EXPECT_EQ(out[6], '#');
}

// ---- Row order ------------------------------------------------------------------------------

int AsciiNoCase(const char* a, const char* b) { return strcasecmp(a, b); }

struct Row {
    const char* texts[kPrinterColumns];
};

std::vector<std::string> SortedNames(std::vector<Row> rows, int column) {
    std::sort(rows.begin(), rows.end(), [column](const Row& a, const Row& b) {
        return ComparePrinterRows(a.texts, b.texts, column, AsciiNoCase) < 0;
    });
    std::vector<std::string> names;
    for (const Row& row : rows) names.push_back(row.texts[0]);
    return names;
}

TEST(RowOrder, EachColumnSortsAscendingWithTheNameAsTieBreakIgnoringCase) {
    const std::vector<Row> rows = {
        {{"delta", "connected", "KOV B", "LPT2:"}},
        {{"Alpha", "unknown", "KOV B", "LPT1:"}},
        {{"charlie", "connected", "KOV A", "LPT1:"}},
        {{"Bravo", "Connected", "kov a", "lpt1:"}},
    };
    EXPECT_EQ(SortedNames(rows, 0), (std::vector<std::string>{"Alpha", "Bravo", "charlie", "delta"}));
    EXPECT_EQ(SortedNames(rows, 1), (std::vector<std::string>{"Bravo", "charlie", "delta", "Alpha"}));
    EXPECT_EQ(SortedNames(rows, 2), (std::vector<std::string>{"Bravo", "charlie", "Alpha", "delta"}));
    EXPECT_EQ(SortedNames(rows, 3), (std::vector<std::string>{"Alpha", "Bravo", "charlie", "delta"}));
}

TEST(RowOrder, ColumnOutOfRangeComparesNames) {
    const char* a[kPrinterColumns] = {"a", "z", "z", "z"};
    const char* b[kPrinterColumns] = {"B", "a", "a", "a"};
    EXPECT_LT(ComparePrinterRows(a, b, 7, AsciiNoCase), 0);
    EXPECT_LT(ComparePrinterRows(a, b, -1, AsciiNoCase), 0);
    EXPECT_GT(ComparePrinterRows(a, b, 1, AsciiNoCase), 0);
    EXPECT_EQ(ComparePrinterRows(a, a, 2, AsciiNoCase), 0);
}

}  // namespace
