// rpsettings' command line, and what a judged printer state lets it do.
#include <gtest/gtest.h>

#include "cli/CliRules.h"
#include "res/resource.h"

namespace {

TEST(CliRules, CommandLines) {
    using V = std::vector<std::string>;
    const struct {
        V arguments;
        bool ok;
        CliCommand command;
        V printers;
        const char* file;
    } cases[] = {
        {{"import", "A", "B", "s.txt", "--dry-run"}, true, CliCommand::Import, {"A", "B"}, "s.txt"},
        {{"export", "A"}, true, CliCommand::Export, {"A"}, ""},
        {{"export", "A", "out.txt"}, true, CliCommand::Export, {"A"}, "out.txt"},
        {{"copy", "--password=x", "A", "B", "C"}, true, CliCommand::Copy, {"B", "C"}, ""},
        {{"diff", "A", "f", "--password", "x"}, true, CliCommand::Diff, {"A"}, "f"},
        {{"frob", "--help"}, true, CliCommand::Help, {}, ""},
        {{"--json", "report"}, true, CliCommand::Report, {}, ""},
        {{"report", "A"}, false, CliCommand::Help, {}, ""},
        {{}, false, CliCommand::Help, {}, ""},
        {{"frob"}, false, CliCommand::Help, {}, ""},
        {{"import", "s.txt"}, false, CliCommand::Help, {}, ""},
        {{"diff", "A", "B", "f"}, false, CliCommand::Help, {}, ""},
        {{"show", "A", "--dry-run"}, false, CliCommand::Help, {}, ""},
        {{"list", "--password"}, false, CliCommand::Help, {}, ""},
        {{"list", "--force"}, false, CliCommand::Help, {}, ""},
        {{"undo", "A", "B", "--at", "20261210T150405.123Z"}, true, CliCommand::Undo, {"A", "B"}, ""},
        {{"history", "A", "--history", "\\\\s\\h"}, true, CliCommand::History, {"A"}, ""},
        {{"history", "A", "--no-history"}, false, CliCommand::Help, {}, ""},
        {{"undo", "A", "--history", "d", "--no-history"}, true, CliCommand::Undo, {"A"}, ""},
        {{"import", "A", "f", "--at", "t"}, false, CliCommand::Help, {}, ""},
        {{"show", "A", "--history", "d"}, false, CliCommand::Help, {}, ""},
        {{"undo", "A", "--history"}, false, CliCommand::Help, {}, ""},
    };
    for (const auto& c : cases) {
        const CliParse parse = ParseCliArguments(c.arguments);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments[0];
        ASSERT_EQ(parse.Ok, c.ok) << shown;
        if (!c.ok) {
            EXPECT_FALSE(parse.Problem.empty());
            continue;
        }
        EXPECT_EQ(parse.Arguments.Command, c.command) << shown;
        EXPECT_EQ(parse.Arguments.Printers, c.printers) << shown;
        EXPECT_EQ(parse.Arguments.File, c.file) << shown;
    }
    const CliParse copy = ParseCliArguments({"copy", "A", "B", "--password=p w", "--dry-run"});
    EXPECT_EQ(copy.Arguments.From, "A");
    EXPECT_EQ(copy.Arguments.Password, "p w");
    EXPECT_TRUE(copy.Arguments.DryRun);
}

TEST(CliRules, StatesThatRefuseAUse) {
    const int32_t idle[3] = {0, 0, 1}, busy[3] = {0, 0, 5};
    const struct {
        int32_t ext;
        const int32_t* status;
        int32_t auth;
        PrinterUse use;
        std::optional<uint32_t> refusal;
    } cases[] = {
        {3, idle, 0x10, PrinterUse::ReadAndUpdate, std::nullopt},
        {3, idle, 0x08, PrinterUse::Read, std::nullopt},
        {3, idle, 0x08, PrinterUse::ReadAndUpdate, IDS_CAN_READ_ONLY},
        {1, idle, 0x10, PrinterUse::Read, IDS_CAN_UPDATE_ONLY},
        {3, busy, 0x10, PrinterUse::Read, IDS_PRINTER_BUSY},
        {3, idle, 0, PrinterUse::Read, IDS_CANNOT_READ_OR_UPDATE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefusalFor(DecidePrinterState(c.ext, c.status, c.auth), c.use), c.refusal)
            << c.ext << " " << c.status[2] << " " << c.auth;
    }
}

}  // namespace
