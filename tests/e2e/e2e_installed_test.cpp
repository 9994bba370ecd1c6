// The program as a package installed it (installer/test-packages.sh installs one into a fresh
// prefix and runs this with RP_INSTALLED, the install folder, and RP_PASSWORD, the password the
// package wrote): the installed qmxctl makes a virtual printer, the installed program asks for
// the password, and with it on the command line reads the printer's settings, shows them and
// ends when asked to.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

constexpr UINT kCloseRequest = WM_USER + 201;
constexpr int kHeadCutSheetEdit = 1323;

TEST(InstalledProgram, AsksForThePasswordThenShowsTheSettingsOfAVirtualPrinter) {
    const char* folder = std::getenv("RP_INSTALLED");
    const char* password = std::getenv("RP_PASSWORD");
    if (!folder || !password) GTEST_SKIP() << "run by installer/test-packages.sh";
    const std::string program = std::string(folder) + "\\remotepanel.exe";
    const std::string qmxctl = std::string(folder) + "\\qmxctl.exe";
    ASSERT_EQ(e2e::RunProgram(qmxctl.c_str(), "add LP1 --spooler").exitCode, 0u);
    ASSERT_EQ(e2e::RunProgram(qmxctl.c_str(), "block LP1 patch 22 1e").exitCode, 0u);  // 30 columns

    e2e::Child asking(program.c_str(), "");
    HWND gate = e2e::WaitForWindow(asking.Id(), "#32770", "パスワードの入力");
    ASSERT_NE(gate, nullptr);
    e2e::Press(gate, IDCANCEL);
    EXPECT_EQ(asking.Wait(), 1u);

    e2e::Child child(program.c_str(), std::string("/p:") + password);
    HWND frame = e2e::WaitForWindow(child.Id(), "RPWndClass", "Kestrovane リモートパネル - LP1");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(e2e::WaitUntilReadEnded(frame));
    HWND page = FindWindowExA(e2e::PanelOf(frame), nullptr, "#32770", nullptr);
    EXPECT_EQ(e2e::WindowText(GetDlgItem(page, kHeadCutSheetEdit)), "30");
    PostMessageA(frame, kCloseRequest, 0, 0);
    EXPECT_EQ(child.Wait(), 0u);
}

}  // namespace
