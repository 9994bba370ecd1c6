// The password gate, the choice of the start printer and the password dialog, in-process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "shell/PasswordGate.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

using shelltest::kTitle;
const char kWrongPassword[] = "パスワードが違います。";
const char kNotSupported[] = "は、このリモートパネルではサポートしていません。リモートパネルを終了します。";

// Drives the password dialog: each time it becomes active the next text is typed and OK
// pressed; with no text left, Cancel. Typing waits for a timer, so that the dialog has finished
// handling the previous attempt (and emptied its edit) first. Remembers what the edit held.
struct PasswordTyping {
    std::vector<std::string> attempts;
    size_t next = 0;
    int shown = 0;
    std::vector<std::string> editBeforeTyping;

    static PasswordTyping* active;

    static void CALLBACK TypeNext(HWND dialog, UINT, UINT_PTR timer, DWORD) {
        KillTimer(dialog, timer);
        PasswordTyping* self = active;
        self->editBeforeTyping.push_back(rptest::WindowText(GetDlgItem(dialog, IDC_PASSWORD)));
        if (self->next < self->attempts.size()) {
            SetDlgItemTextA(dialog, IDC_PASSWORD, self->attempts[self->next++].c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        } else {
            ++self->next;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

    void Attach(rptest::MessageBoxRecorder& recorder) {
        active = this;
        recorder.OnDialog([this](HWND dialog) {
            if (rptest::WindowText(dialog) != "パスワードの入力") return false;
            if (next == 0) ++shown;
            SetTimer(dialog, 1, 1, TypeNext);
            return false;  // called again when the dialog is activated again
        });
    }
};
PasswordTyping* PasswordTyping::active = nullptr;

class GateTest : public shelltest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        shelltest::InstallPrinters({"LP1", "Printer With Spaces", "\\\\srv\\lp\x83\x5C"});
    }
    void TearDown() override {
        shelltest::RemoveStoredPassword();
        ProgramTest::TearDown();
    }
};

struct GateCase {
    const char* stored;  // nullptr: no Password value
    const char* commandLine;
    std::vector<std::string> typed;  // typed into the dialog, then Cancel
    bool dialogShown;
    const char* chosen;  // nullptr: no printer (the program ends); kFirst: the list's first
};

const char kFirst[] = "(the first printer of the list)";

TEST_F(GateTest, CommandLinesAgainstStoredPasswords) {
    const GateCase cases[] = {
        {nullptr, "", {}, false, kFirst},
        {nullptr, "Printer With Spaces", {}, false, "Printer With Spaces"},
        {"", "/p:anything Printer With Spaces", {}, false, "Printer With Spaces"},
        {"Pw", "/p:Pw", {}, false, kFirst},
        {"Pw", "/P:Pw   Printer With Spaces", {}, false, "Printer With Spaces"},
        {"Pw", "/p:Pw \\\\srv\\lp\x83\x5C", {}, false, "\\\\srv\\lp\x83\x5C"},
        // Wrong or missing on the command line: the dialog decides.
        {"Pw", "/p:PwX Printer With Spaces", {"Pw"}, true, "Printer With Spaces"},
        {"Pw", "/p:pw", {"pw", "Pw"}, true, kFirst},
        {"Pw", "/P:Pw /p:bad", {}, true, nullptr},
        {"Pw", "", {}, true, nullptr},
        {"Pw", "LP1", {"Pw"}, true, "LP1"},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(std::string("stored [") + (c.stored ? c.stored : "(none)") + "] line [" + c.commandLine +
                     "]");
        if (c.stored) {
            shelltest::SetStoredPassword(c.stored);
        } else {
            shelltest::RemoveStoredPassword();
        }
        rptest::MessageBoxRecorder recorder;
        PasswordTyping typing;
        typing.attempts = c.typed;
        typing.Attach(recorder);
        PrinterEntry* chosen = ChooseStartPrinter(c.commandLine);
        EXPECT_EQ(typing.shown, c.dialogShown ? 1 : 0);
        if (c.chosen == kFirst) {
            EXPECT_EQ(chosen, AppState.PrinterList);
            ASSERT_NE(chosen, nullptr);
        } else if (c.chosen) {
            ASSERT_NE(chosen, nullptr);
            EXPECT_STREQ(chosen->Name, c.chosen);
        } else {
            EXPECT_EQ(chosen, nullptr);
        }
        // Wrong typed passwords are the only boxes.
        size_t wrongTyped = c.typed.empty() ? 0 : c.typed.size() - (c.chosen ? 1 : 0);
        EXPECT_EQ(recorder.Count(), wrongTyped);
    }
}

TEST_F(GateTest, NamedPrinterNotInstalledIsRefusedWithItsNameInTextAndCaption) {
    shelltest::RemoveStoredPassword();
    for (const char* name : {"NoSuch", "lp1", "Printer With Spaces "}) {
        rptest::MessageBoxRecorder recorder;
        EXPECT_EQ(ChooseStartPrinter(name), nullptr);
        ASSERT_EQ(recorder.Count(), 1u);
        const rptest::RecordedBox& box = recorder.Boxes()[0];
        EXPECT_EQ(box.text, std::string(name) + " " + kNotSupported);
        EXPECT_EQ(box.caption, std::string(kTitle) + " - " + name);
        EXPECT_EQ(box.icon, rptest::BoxIcon::Warning);
        EXPECT_EQ(box.owner, nullptr);
    }
}

TEST_F(GateTest, LongNameIsShownWholeAndTheCaptionIsCutToItsBuffer) {
    shelltest::RemoveStoredPassword();
    std::string name(300, 'N');
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(ChooseStartPrinter(name.c_str()), nullptr);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, name + " " + kNotSupported);
    const std::string& caption = recorder.Boxes()[0].caption;
    EXPECT_EQ(caption.size(), 255u);
    EXPECT_EQ(caption.substr(0, sizeof kTitle + 2), std::string(kTitle) + " - ");
}

TEST_F(GateTest, WithoutTheSuiteKeyTheGateStaysClosedSilently) {
    shelltest::RemoveSuiteKey();
    rptest::MessageBoxRecorder recorder;
    PasswordTyping typing;
    typing.Attach(recorder);
    EXPECT_EQ(ChooseStartPrinter("LP1"), nullptr);
    EXPECT_EQ(typing.shown, 0);
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(GateTest, PasswordLongerThanTheOldBufferStillGuards) {
    const std::string password(300, 'p');
    shelltest::SetStoredPassword(password.c_str());
    {
        rptest::MessageBoxRecorder recorder;
        PasswordTyping typing;
        typing.Attach(recorder);
        EXPECT_EQ(ChooseStartPrinter("LP1"), nullptr);
        EXPECT_EQ(typing.shown, 1);
    }
    {
        // Typing only the first 255 characters is not the password.
        rptest::MessageBoxRecorder recorder;
        PasswordTyping typing;
        typing.attempts = {password.substr(0, 255), password};
        typing.Attach(recorder);
        PrinterEntry* chosen = ChooseStartPrinter("");
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(recorder.Count(), 1u);
    }
    const std::string line = "/p:" + password + " LP1";
    EXPECT_NE(ChooseStartPrinter(line.c_str()), nullptr);
}

TEST_F(GateTest, PasswordDialogKeepsAskingUntilTheExactPasswordOrCancel) {
    rptest::MessageBoxRecorder recorder;
    PasswordTyping typing;
    typing.attempts = {"wrong", "", "secret", "Secret"};
    typing.Attach(recorder);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PASSWORD), nullptr,
                                     PasswordDialogProc, reinterpret_cast<LPARAM>("Secret"));
    EXPECT_EQ(result, 1);
    ASSERT_EQ(recorder.Count(), 3u);
    for (const rptest::RecordedBox& box : recorder.Boxes()) {
        EXPECT_EQ(box.text, kWrongPassword);
        EXPECT_EQ(box.caption, kTitle);
        EXPECT_EQ(box.icon, rptest::BoxIcon::Error);
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
        EXPECT_NE(box.owner, nullptr);
    }
    // After every refusal the edit is empty again.
    ASSERT_EQ(typing.editBeforeTyping.size(), 4u);
    for (const std::string& text : typing.editBeforeTyping) EXPECT_EQ(text, "");

    rptest::MessageBoxRecorder second;
    PasswordTyping cancel;
    cancel.Attach(second);
    result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PASSWORD), nullptr,
                             PasswordDialogProc, reinterpret_cast<LPARAM>("Secret"));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(second.Count(), 0u);
}

}  // namespace
