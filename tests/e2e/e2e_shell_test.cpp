// remotepanel.exe as a whole process: every way its start can fail, the second start for a
// printer, and the messages other programs send to its frame.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "qmx/VirtualPrinters.h"
#include "tests/e2e/e2e_support.h"

namespace {

namespace vp = qmx::vp;

const char kProgram[] = "remotepanel.exe";
const char kFrameClass[] = "RPWndClass";
const char kTitle[] = "Kestrovane リモートパネル";
const char kRemoved[] = "このプリンタは削除されました。";
constexpr UINT kPrintersChanged = WM_USER + 100;
constexpr UINT kCloseRequest = WM_USER + 201;

std::string Caption(const std::string& printer) { return std::string(kTitle) + " - " + printer; }

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(vp::ResetAll(), 0u);
        ASSERT_EQ(vp::InstallModel(), 0u);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\KOV\\Kestrovane", "Password");
    }
    void TearDown() override {
        vp::ResetAll();
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\KOV\\Kestrovane", "Password");
    }
    void AddPrinter(const std::string& name) {
        vp::NewPrinter printer;
        printer.name = name;
        printer.spoolerEntry = true;
        ASSERT_EQ(vp::Add(printer), 0u) << name;
    }
    // A started program that shows its frame for the printer and has read its settings.
    HWND RunningFrame(e2e::Child& child, const std::string& printer) {
        EXPECT_TRUE(child.Started());
        HWND frame = e2e::WaitForWindow(child.Id(), kFrameClass, Caption(printer).c_str());
        if (frame) {
            EXPECT_TRUE(e2e::WaitUntilReadEnded(frame));
        }
        return frame;
    }
    // The program shows one box with that text and caption; pressing OK ends it with code 1.
    void ExpectFailedStart(const std::string& arguments, const std::string& text,
                           const std::string& caption) {
        e2e::Child child(kProgram, arguments);
        ASSERT_TRUE(child.Started());
        e2e::Box box = e2e::WaitForBox(child.Id());
        ASSERT_NE(box.window, nullptr) << "no message box for [" << arguments << "]";
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        e2e::Press(box.window, IDOK);
        EXPECT_EQ(child.Wait(), 1u);
    }
};

TEST_F(ProgramTest, NoSupportedPrinterEndsWithMessage74) {
    ExpectFailedStart("", "Brindlemark 400ZXが存在しません。リモートパネルを終了します。", kTitle);
}

TEST_F(ProgramTest, UnsupportedOperatingSystemEndsWithMessage73) {
    AddPrinter("LP1");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\remotepanel.exe", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("nt351"), 6);
    RegCloseKey(key);
    ExpectFailedStart("", "リモートパネルはこのOSをサポートしていません。リモートパネルを終了します。",
                      kTitle);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\remotepanel.exe");
}

TEST_F(ProgramTest, PrinterNotInstalledEndsWithMessage101) {
    AddPrinter("LP1");
    ExpectFailedStart("/p:x No Such",
                      "No Such は、このリモートパネルではサポートしていません。リモートパネルを終了します。",
                      Caption("No Such"));
}

TEST_F(ProgramTest, CancelledPasswordOrSelectionEndsWithCodeOne) {
    AddPrinter("LP1");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\KOV\\Kestrovane", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Password", 0, REG_SZ, reinterpret_cast<const BYTE*>("pw"), 3);
    RegCloseKey(key);
    {
        e2e::Child child(kProgram, "/p:PW LP1");
        HWND dialog = e2e::WaitForWindow(child.Id(), "#32770", "パスワードの入力");
        ASSERT_NE(dialog, nullptr);
        e2e::Press(dialog, IDCANCEL);
        EXPECT_EQ(child.Wait(), 1u);
    }
    AddPrinter("LP2");
    {
        e2e::Child child(kProgram, "/p:pw LP2");
        HWND dialog = e2e::WaitForWindow(child.Id(), "#32770", "プリンタの選択");
        ASSERT_NE(dialog, nullptr);
        e2e::Press(dialog, 1051);
        EXPECT_EQ(child.Wait(), 1u);
    }
}

TEST_F(ProgramTest, MappingNameTakenByAnotherObjectEndsWithMessage71) {
    AddPrinter("\\\\srv\\lp1");
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, "KOVRP_,,srv,lp1");
    ASSERT_NE(squatter, nullptr);
    ExpectFailedStart("", "ファイルマッピングオブジェクトの作成に失敗しました。",
                      Caption("\\\\srv\\lp1"));
    CloseHandle(squatter);
}

TEST_F(ProgramTest, SecondStartForThePrinterBringsTheFirstForwardAndRestoresIt) {
    AddPrinter("LP1");
    e2e::Child first(kProgram, "");
    HWND frame = RunningFrame(first, "LP1");
    ASSERT_NE(frame, nullptr);

    HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    {
        e2e::Child second(kProgram, "LP1");
        EXPECT_EQ(second.Wait(), 1u);
    }
    // The first program put its panel (its active window) in front.
    HWND foreground = GetForegroundWindow();
    EXPECT_TRUE(foreground == frame || GetAncestor(foreground, GA_ROOT) == frame);

    ShowWindow(frame, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(frame));
    {
        e2e::Child second(kProgram, "");
        EXPECT_EQ(second.Wait(), 1u);
    }
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_TRUE(first.Running());
    DestroyWindow(other);
}

// A first program's frame whose thread is stuck: shown, then never answering until released.
// A WINAPI function, not a lambda: on x86 a lambda does not convert to a stdcall thread routine.
struct HungFrame {
    HANDLE release;
    std::string title;
};
DWORD WINAPI RunHungFrame(LPVOID parameter) {
    auto* h = static_cast<HungFrame*>(parameter);
    HWND frame = CreateWindowExA(0, kFrameClass, h->title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    WaitForSingleObject(h->release, INFINITE);  // never answers a message meanwhile
    DestroyWindow(frame);
    return 0;
}

// A first program that does not answer (its window's thread is stuck) must not hold up the
// second start, which ends with code 1 all the same.
TEST_F(ProgramTest, SecondStartDoesNotWaitForAHungFirstProgram) {
    AddPrinter("LP1");
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, "KOVRP_LP1");
    ASSERT_NE(mapping, nullptr);
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HungFrame hung{release, Caption("LP1")};
    HANDLE thread = CreateThread(nullptr, 0, RunHungFrame, &hung, 0, nullptr);
    for (int i = 0; i < 200 && !FindWindowA(kFrameClass, hung.title.c_str()); ++i) Sleep(20);
    ASSERT_NE(FindWindowA(kFrameClass, hung.title.c_str()), nullptr);
    {
        e2e::Child second(kProgram, "");
        EXPECT_EQ(second.Wait(30000), 1u) << "the second start waited for the hung program";
    }
    SetEvent(release);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(release);
    CloseHandle(mapping);
}

TEST_F(ProgramTest, BackslashAndCommaNamesShareThePanel) {
    AddPrinter("\\\\srv\\lp1");
    e2e::Child first(kProgram, "");
    ASSERT_NE(RunningFrame(first, "\\\\srv\\lp1"), nullptr);
    // Only the other spelling is installed now; its start finds the first program's mark.
    ASSERT_EQ(vp::Remove("\\\\srv\\lp1"), 0u);
    AddPrinter(",,srv,lp1");
    ExpectFailedStart("", "このプリンタのリモートパネルは現在起動されています。",
                      Caption(",,srv,lp1"));
    EXPECT_TRUE(first.Running());
}

TEST_F(ProgramTest, CloseRequestFromAnotherProgramEndsItWithCodeZero) {
    AddPrinter("LP1");
    e2e::Child child(kProgram, "");
    HWND frame = RunningFrame(child, "LP1");
    ASSERT_NE(frame, nullptr);
    PostMessageA(frame, kCloseRequest, 0, 0);
    EXPECT_EQ(child.Wait(), 0u);
    // The printer is free again.
    HANDLE mark = OpenFileMappingA(FILE_MAP_READ, FALSE, "KOVRP_LP1");
    EXPECT_EQ(mark, nullptr);
    if (mark) CloseHandle(mark);
}

bool ChangePrinterEnabled(HWND frame) {
    HWND toolbar = GetDlgItem(frame, 10000);
    return SendMessageA(toolbar, TB_ISBUTTONENABLED, 283, 0) != 0;
}

bool Marked(const char* printer) {
    HANDLE mark = OpenFileMappingA(FILE_MAP_READ, FALSE, (std::string("KOVRP_") + printer).c_str());
    if (mark) CloseHandle(mark);
    return mark != nullptr;
}

TEST_F(ProgramTest, PrintersAddedOrRenamedLeaveTheCurrentPrinterAlone) {
    AddPrinter("LP1");
    e2e::Child child(kProgram, "");
    HWND frame = RunningFrame(child, "LP1");
    ASSERT_NE(frame, nullptr);

    AddPrinter("LP2");
    SendMessageA(frame, kPrintersChanged, 0, 0);
    EXPECT_TRUE(ChangePrinterEnabled(frame));

    ASSERT_EQ(vp::Rename("LP2", "LP3"), 0u);
    SendMessageA(frame, kPrintersChanged, 0, 0);
    EXPECT_TRUE(ChangePrinterEnabled(frame));
    ASSERT_EQ(vp::Remove("LP3"), 0u);
    SendMessageA(frame, kPrintersChanged, 0, 0);
    EXPECT_FALSE(ChangePrinterEnabled(frame));

    EXPECT_TRUE(child.Running());
    EXPECT_TRUE(Marked("LP1"));
    EXPECT_EQ(e2e::WaitForBox(child.Id(), 500).window, nullptr);
}

TEST_F(ProgramTest, RemovedCurrentPrinterOffersTheOthersAndMovesToTheChoice) {
    AddPrinter("LP1");
    e2e::Child child(kProgram, "");
    HWND frame = RunningFrame(child, "LP1");
    ASSERT_NE(frame, nullptr);
    AddPrinter("LP2");
    ASSERT_EQ(vp::Remove("LP1"), 0u);
    PostMessageA(frame, kPrintersChanged, 0, 0);

    e2e::Box box = e2e::WaitForBox(child.Id());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, kRemoved);
    EXPECT_EQ(box.caption, Caption("LP1"));
    EXPECT_FALSE(Marked("LP1"));
    HWND panel = FindWindowExA(frame, nullptr, "#32770", nullptr);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(e2e::WindowText(GetDlgItem(panel, 281)), kRemoved);
    e2e::Press(box.window, IDOK);

    HWND selection = e2e::WaitForWindow(child.Id(), "#32770", "プリンタの選択");
    ASSERT_NE(selection, nullptr);
    e2e::Press(selection, 1052);  // the only row, LP2, is selected
    for (int i = 0; i < 100 && !Marked("LP2"); ++i) Sleep(50);
    EXPECT_TRUE(Marked("LP2"));
    EXPECT_TRUE(child.Running());
    PostMessageA(frame, kCloseRequest, 0, 0);
    EXPECT_EQ(child.Wait(), 0u);
}

TEST_F(ProgramTest, LastPrinterRemovedEndsTheProgram) {
    AddPrinter("LP1");
    e2e::Child child(kProgram, "");
    HWND frame = RunningFrame(child, "LP1");
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(vp::Remove("LP1"), 0u);
    PostMessageA(frame, kPrintersChanged, 0, 0);
    e2e::Box box = e2e::WaitForBox(child.Id());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, std::string(kRemoved) +
                            "Brindlemark 400ZXが存在しません。リモートパネルを終了します。");
    e2e::Press(box.window, IDOK);
    EXPECT_EQ(child.Wait(), 0u);
}

}  // namespace
