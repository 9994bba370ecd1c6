// Settings files: the round trip of every setting, each kind of bad line with its line number,
// and partial files over a printer's settings.
#include <gtest/gtest.h>
#include <string.h>

#include "settings/HistoryFile.h"
#include "settings/SettingsFile.h"
#include "tests/unit/QmxRandomSettings.h"

namespace {

const char Model[] = "Brindlemark 400ZX";
const std::string Header = "RemotePanelSettings = 1\nModel = Brindlemark 400ZX\n";

PrinterSettings Initial() {
    PrinterSettings s;
    LoadInitialSettings(s.Record);
    return s;
}

// Printer names, some with line breaks and control characters that must stay inside the comment.
TEST(SettingsFile, WrittenSettingsReadBackAsTheSameRecord) {
    const char* const printers[] = {"LP1", "LP\r\nPageLength = 1", "\x83\x5C\nx\x7F\t\x1B = 2"};
    std::mt19937 rng(13);
    for (int round = 0; round < 300; ++round) {
        const qmxtest::RandomSettings random = qmxtest::MakeRandomEnteredSettings(rng);
        PrinterSettings printer;
        printer.Record = random.record;
        memcpy(printer.FeedPosOther, random.slots, sizeof printer.FeedPosOther);

        const FileReading reading = ReadSettingsFile(WriteSettingsFile(printer, Model, printers[round % 3]), Model);
        ASSERT_TRUE(reading.Problems.empty()) << DescribeFileProblem(reading.Problems[0], "file");
        ASSERT_EQ(reading.File.Settings.size(), SettingKeys().size());
        PrinterSettings read;
        memset(static_cast<void*>(&read), 0x5A, sizeof read);
        ApplySettingsFile(reading.File, read);
        ASSERT_EQ(memcmp(&read.Record, &random.record, sizeof read.Record), 0) << "round " << round;
        ASSERT_EQ(memcmp(read.FeedPosOther, random.expected, sizeof read.FeedPosOther), 0)
            << "round " << round;
    }
}

TEST(SettingsFile, EachKindOfBadLineIsRefusedWithItsLine) {
    const struct {
        std::string text;
        int32_t line;
        const char* key;
        FileProblemKind kind;
    } cases[] = {
        {"", 1, "", FileProblemKind::NoHeader},
        {"# a comment\n\nPageLength = 66\n", 3, "", FileProblemKind::NoHeader},
        {"RemotePanelSettings = 2\nModel = Brindlemark 400ZX\n", 1, "RemotePanelSettings",
         FileProblemKind::WrongVersion},
        {"RemotePanelSettings = 1\n", 2, "", FileProblemKind::NoModel},
        {"RemotePanelSettings = 1\r\nPageLength = 66\r\n", 2, "", FileProblemKind::NoModel},
        {"RemotePanelSettings = 1\nModel = Brindlemark 500\n", 2, "Model", FileProblemKind::OtherModel},
        {Header + "\n# x = 1\nPageLength 66\n", 5, "", FileProblemKind::NotKeyValue},
        {Header + std::string("PageLength = 7\0\n", 16), 3, "", FileProblemKind::NulByte},
        {Header + "PageLenght = 66\n", 3, "PageLenght", FileProblemKind::UnknownKey},
        {Header + "Font1 = 1\r\nFont1 = 2\r\n", 4, "Font1", FileProblemKind::DuplicateKey},
        {Header + "PageLength = sixty\n", 3, "PageLength", FileProblemKind::NotANumber},
        {Header + "PageLength =   # empty\n", 3, "PageLength", FileProblemKind::NotANumber},
        {Header + "PageLength = 1.5\n", 3, "PageLength", FileProblemKind::NotANumber},
        {Header + "PageLength = 99999999999\n", 3, "PageLength", FileProblemKind::NotANumber},
        {Header + "PageLength = 100\n", 3, "PageLength", FileProblemKind::NotAllowed},
        {Header + "HeadCenterContRear = 67\n", 3, "HeadCenterContRear", FileProblemKind::NotAllowed},
        {Header + "IntlCharSet = 1\n", 3, "IntlCharSet", FileProblemKind::NotAllowed},
        {Header + "PressureAdjust = +4\n", 3, "PressureAdjust", FileProblemKind::NotAllowed},
        {Header + "PositionAdjust = -4\n", 3, "PositionAdjust", FileProblemKind::NotAllowed},
        {Header + "Font2 = 5\n", 3, "Font2", FileProblemKind::NotAllowed},
        {Header + "Bidirectional = 2\n", 3, "Bidirectional", FileProblemKind::NotAllowed},
        {Header + "FeedPosCutSheet = 256\n", 3, "FeedPosCutSheet", FileProblemKind::NotAllowed},
        {Header + "OtherSwitchBits = 0x1\n", 3, "OtherSwitchBits", FileProblemKind::NotAllowed},
        {Header + "Form3.RightMargin = 0\n", 3, "Form3.RightMargin", FileProblemKind::NotAllowed},
        {Header + "Form2.LeftMargin = 20\nForm2.RightMargin = 10\n", 3, "Form2.LeftMargin",
         FileProblemKind::LeftAboveRight},
        {Header + "Form2.RightMargin = 10\nForm2.LeftMargin = 10\n", 3, "Form2.RightMargin",
         FileProblemKind::RightNotAboveLeft},
    };
    for (const auto& c : cases) {
        const FileReading reading = ReadSettingsFile(c.text, Model);
        ASSERT_EQ(reading.Problems.size(), 1u) << c.text;
        const FileProblem& p = reading.Problems[0];
        EXPECT_EQ(p.Line, c.line) << c.text;
        EXPECT_EQ(p.Key, c.key) << c.text;
        EXPECT_EQ(p.Kind, c.kind) << c.text;
        EXPECT_EQ(DescribeFileProblem(p, "f.txt").rfind("f.txt:" + std::to_string(c.line) + ": ", 0), 0u);
    }
    EXPECT_EQ(ReadSettingsFile(Header + "\nFont1 = 1\nFont1 = 1\n", Model).Problems[0].OtherLine, 4);
    // Every problem of a file is reported, not only the first.
    EXPECT_EQ(ReadSettingsFile(Header + "Font1 = 9\nFoo = 1\nFont1 = 1\n", Model).Problems.size(), 3u);
}

TEST(SettingsFile, PartialFileChangesOnlyWhatItNames) {
    const FileReading reading =
        ReadSettingsFile(Header +
                             "PageLength = 70   # lines\nFeedPosContFront = 100\nPressureAdjust = -6\n"
                             "Form1.LeftMargin = 130\nOtherSwitchBits = 0x04000000\n",
                         Model);
    ASSERT_TRUE(reading.Problems.empty());
    const PrinterSettings printer = Initial();
    PrinterSettings applied = printer;
    ApplySettingsFile(reading.File, applied);
    std::vector<std::string> changed;
    for (const SettingDifference& d : CompareSettings(printer, applied)) changed.push_back(d.Key->Key);
    EXPECT_EQ(changed, (std::vector<std::string>{"FeedPosContFront", "PageLength", "Form1.LeftMargin",
                                                 "PressureAdjust", "OtherSwitchBits"}));
    EXPECT_EQ(applied.Record.FeedPosContFront, FeedOtherIndex(FeedListA));
    EXPECT_EQ(applied.FeedPosOther[0], 100);
    EXPECT_EQ(applied.Record.PressureAdjust, 250);
    EXPECT_EQ(applied.Record.SwitchBits, 0x0C000000);
    EXPECT_TRUE(CheckAppliedSettings(reading.File, applied).empty());

    // The form dialog's order with the printer's value for the margin the file leaves out.
    PrinterSettings narrow = printer;
    narrow.Record.Forms[0].RightMargin = 120;
    ApplySettingsFile(reading.File, narrow);
    std::vector<FileProblem> problems = CheckAppliedSettings(reading.File, narrow);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Kind, FileProblemKind::LeftAboveRight);
    EXPECT_EQ(problems[0].Line, 6);
    EXPECT_EQ(problems[0].Other, "120");

    // A form the file touches is checked whole, also where only the printer's values are wrong.
    PrinterSettings odd = printer;
    odd.Record.Forms[1].CutSheetOffset = 70;
    const FileReading other = ReadSettingsFile(Header + "Form2.PageLength = 60\n", Model);
    ApplySettingsFile(other.File, odd);
    problems = CheckAppliedSettings(other.File, odd);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Key, "Form2.CutSheetOffset");
    EXPECT_EQ(problems[0].Line, 0);
}

// A history file is a settings file that reads back whole, whose note survives control characters
// in its values; of a printer's files the oldest beyond twenty go, and no other file.
TEST(SettingsFile, HistoryFilesReadBackAndTheOldestGo) {
    const PrinterSettings before = Initial();
    const HistoryNote note{HistoryTime(2026, 12, 10, 15, 4, 5, 7), "rpsettings import", "DOM\\u", "a\r\nb.txt", 3};
    const std::string text = HistoryFileText(before, Model, "LP\n1", note);
    const FileReading reading = ReadSettingsFile(text, Model);
    ASSERT_TRUE(reading.Problems.empty()) << DescribeFileProblem(reading.Problems[0], "history");
    EXPECT_EQ(reading.File.Settings.size(), SettingKeys().size());
    const HistoryNote read = ReadHistoryNote(text);
    EXPECT_EQ(std::vector<std::string>({read.Time, read.Program, read.User, read.Reason}),
              std::vector<std::string>({"20261210T150405.007Z", "rpsettings import", "DOM\\u", "a??b.txt"}));
    EXPECT_EQ(read.Changes, 3);

    std::vector<std::string> names = {"notes.txt", "20261210T150405.007Z.txt.new"};
    for (int second = 30; second > 8; --second) names.push_back(HistoryTime(2026, 12, 10, 15, 4, second % 60, 0) + ".txt");
    EXPECT_EQ(HistoryFilesToRemove(names),
              std::vector<std::string>({"20261210T150409.000Z.txt", "20261210T150410.000Z.txt"}));
}

}  // namespace
