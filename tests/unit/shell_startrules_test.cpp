#include <gtest/gtest.h>

#include <string>

#include "printers/PrinterRules.h"
#include "shell/StartRules.h"

namespace {

struct GateCase {
    const char* commandLine;
    const char* password;  // stored password; "" = none required
    bool passwordGiven;
    const char* printer;  // expected printer name, nullptr = none
};

// Each row: what the command line yields against the stored password.
const GateCase kGateCases[] = {
    // No password stored: "/p:" only marks where the printer name begins.
    {"", "", false, nullptr},
    {"LP1", "", false, "LP1"},
    {"/p:anything LP1", "", false, "LP1"},
    {"/p:", "", false, nullptr},
    {"/p:anything", "", false, nullptr},
    {"/p:  LP 1 ", "", false, "LP 1 "},
    // The right password alone, or followed by a space and a printer name.
    {"/p:secret", "secret", true, nullptr},
    {"/p:secret ", "secret", true, nullptr},
    {"/p:secret LP1", "secret", true, "LP1"},
    {"/p:secret    My Printer  ", "secret", true, "My Printer  "},
    {"/P:secret LP1", "secret", true, "LP1"},
    // The password directly followed by more characters does not match; the name then starts
    // after the first space of the option's value.
    {"/p:secretX LP1", "secret", false, "LP1"},
    {"/p:secretX", "secret", false, nullptr},
    // The password is compared case-sensitively; the option letter is not.
    {"/p:SECRET LP1", "secret", false, "LP1"},
    {"/P:Secret", "Secret", true, nullptr},
    // A prefix of the password is not the password.
    {"/p:secre LP1", "secret", false, "LP1"},
    {"/p: secret LP1", "secret", false, "secret LP1"},
    // Both spellings: only "/p:" counts, even when "/P:" comes first.
    {"/P:secret /p:wrong LP1", "secret", false, "LP1"},
    {"/P:wrong /p:secret LP1", "secret", true, "LP1"},
    // Other spellings are no options: the whole line is the printer name.
    {"-p:secret LP1", "secret", false, "-p:secret LP1"},
    {"/p secret", "secret", false, "/p secret"},
    {"LP1", "secret", false, "LP1"},
    {"\\\\srv\\lp1", "secret", false, "\\\\srv\\lp1"},
    // Text before the option is ignored.
    {"x /p:secret LP1", "secret", true, "LP1"},
    // A password with a space inside, and one that ends with a space.
    {"/p:two words LP1", "two words", true, "LP1"},
    {"/p:pw  LP1", "pw ", true, "LP1"},
    // Japanese text: "ソ" is 83 5C in CP932.
    {"/p:\x83\x5C LP\x83\x5C", "\x83\x5C", true, "LP\x83\x5C"},
};

TEST(CommandLine, PasswordAndPrinterNameOverTheTable) {
    for (const GateCase& c : kGateCases) {
        SCOPED_TRACE(std::string("command line [") + c.commandLine + "] password [" + c.password + "]");
        CommandLineReading reading = ReadCommandLine(c.commandLine, c.password);
        EXPECT_EQ(reading.PasswordGiven, c.passwordGiven);
        if (c.printer) {
            ASSERT_NE(reading.PrinterName, nullptr);
            EXPECT_EQ(std::string(reading.PrinterName), c.printer);
        } else {
            EXPECT_EQ(reading.PrinterName, nullptr);
        }
    }
}

TEST(CommandLine, PrinterNamePointsIntoTheCommandLine) {
    const char line[] = "/p:secret LP1";
    CommandLineReading reading = ReadCommandLine(line, "secret");
    EXPECT_EQ(reading.PrinterName, line + 10);
}

TEST(CommandLine, NullTextsReadAsEmpty) {
    CommandLineReading reading = ReadCommandLine(nullptr, nullptr);
    EXPECT_FALSE(reading.PasswordGiven);
    EXPECT_EQ(reading.PrinterName, nullptr);
}

TEST(InstanceMapping, BackslashesBecomeCommasCharacterByCharacter) {
    const struct {
        const char* name;
        const char* mapping;
    } cases[] = {
        {"LP1", "KOVRP_LP1"},
        {"\\\\srv\\lp1", "KOVRP_,,srv,lp1"},
        {",,srv,lp1", "KOVRP_,,srv,lp1"},
        {"", "KOVRP_"},
        // The trail byte 0x5C of "ソ" and "表" is no backslash.
        {"\\\\srv\\\x83\x5C\x95\x5C", "KOVRP_,,srv,\x83\x5C\x95\x5C"},
        // Half-width katakana (single bytes A1-DF) are no lead bytes.
        {"\xB1\\x", "KOVRP_\xB1,x"},
        // A lead byte at the very end stands alone.
        {"a\\\x83", "KOVRP_a,\x83"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InstanceMappingName(c.name), c.mapping) << c.name;
    }
}

TEST(InstanceMapping, NamesDifferingOnlyByBackslashOrCommaShareTheMapping) {
    EXPECT_EQ(InstanceMappingName("\\\\a\\b"), InstanceMappingName(",,a,b"));
    EXPECT_NE(InstanceMappingName("\\\\a\\b"), InstanceMappingName("//a/b"));
}

TEST(InstanceMapping, LongNamesAreKeptWhole) {
    std::string name(400, 'n');
    name[200] = '\\';
    std::string mapping = InstanceMappingName(name.c_str());
    ASSERT_EQ(mapping.size(), 6u + 400u);
    EXPECT_EQ(mapping[6 + 200], ',');
}

}  // namespace

namespace {

TEST(OperatingSystem, WindowsFamilyOrNtFromVersionFour) {
    const struct {
        unsigned long platform, major;
        bool supported;
    } cases[] = {
        {0, 3, false},                   // Win32s
        {0, 10, false}, {1, 4, true},    // Windows 95, 98, Me
        {1, 0, true},   {2, 3, false},   // NT 3.51
        {2, 4, true},                    // NT 4.0
        {2, 10, true},  {3, 10, false},  // Windows CE
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OperatingSystemSupported(c.platform, c.major), c.supported)
            << "platform " << c.platform << " major " << c.major;
    }
}

}  // namespace
