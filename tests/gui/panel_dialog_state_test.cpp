// The panel's state against a small model of what the user asked for on which printer: sequences
// of user and printer events drawn from a seed, and after every step what must always hold. An
// unsent or held edit is never dropped unless the user let it go (or the program ended saying so);
// a printer holds only what the user asked for on it, over its own values of the moment for the
// rest (other programs write it too, and a file opened names only some settings); a saved file
// opens again; the update buttons, the status area and the toolbar show the outcome; and nothing
// waits for ever. The printer goes offline or away while boxes and dialogs are up. RP_SOAK_STEPS and
// RP_SOAK_SEED (tools/panel-soak.sh) run it longer.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/FileText.h"
#include "base/Messages.h"
#include "panel/PanelControl.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsFile.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace shelltest {
namespace {

using Block = qmx::SettingsBlockBytes;
constexpr UINT kTimeLimitMs = 250;
constexpr int kStepsPerSeed = 100;

// clang-format off
enum Event { EditPage, EditDialog, Update, UpdateAndExit, Read, Exit, Preset, RefuseWrites, SlowReplies,
             ClearFaults, RemoveAndChoose, ChangePrinter, Rename, Save, Open, OutsideWrite, kEventCount };
// clang-format on

int EnvNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

class PanelSoak : public ProgramTest {
protected:
    std::mt19937 random_;
    std::map<std::string, Block> held_;                // what each printer holds
    std::map<std::string, std::vector<Block>> asked_;  // what the user asked to write to it
    std::map<int, uint8_t> edits_;                     // unsent edits: block byte and value
    Block lastAsked_{};
    bool letGo_ = false;        // the user let edits go (question 67 OK, or Yes to ending unwritten)
    bool endedSaying_ = false;  // the program ended with a message naming unwritten edits
    std::string step_;
    std::vector<std::string> removed_;  // printers removed while a box or dialog was up
    std::string file_;                  // the settings file saved and opened
    bool fileRefused_ = false;          // the panel turned the file away (bad, or the printer went)
    bool thicknessEdited_ = false;      // the paper thickness was an edit before the dialog opened
    bool noticeOnly_ = false;           // a dialog's OK told the panel of a change that changed nothing

    // Another program removes the panel's printer and says so while a box or dialog is up; a new
    // printer of the same name comes once the step is over.
    void RemoveMeanwhile() {
        const std::string printer = Current();
        if (!held_.count(printer)) return;
        vp::Remove(printer);
        held_.erase(printer);
        removed_.push_back(printer);
        PostMessageA(Frame(), WM_PRINTERS_CHANGED, 0, 0);
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::string Current() const { return AppState.CurrentPrinter ? AppState.CurrentPrinter->Name : ""; }

    void AddPrinter(const std::string& name) {
        vp::NewPrinter printer;
        printer.name = name;
        printer.spoolerEntry = true;
        ASSERT_EQ(vp::Add(printer), 0u);
        ASSERT_EQ(vp::PatchBlock(name, BlockFeedPos + FeedPathContFront, {100}), 0u);  // no list names it
        ASSERT_EQ(vp::GetBlock(name, held_[name]), 0u);
        asked_[name].clear();
    }

    void StartOn(const std::string& name) {
        ResetProgram(true);
        ASSERT_NE(Start(name), nullptr);
    }

    int Answer(const rptest::RecordedBox& box) {
        const auto has = [&](UINT id) { return box.text.find(ProgramString(id)) != std::string::npos; };
        // A text with the file's name or the settings in it: the part before them.
        const auto starts = [&](UINT id) {
            const std::string text = ProgramString(id);
            return box.text.rfind(text.substr(0, text.find('%')), 0) == 0;
        };
        if (starts(IDS_FILE_SAVE_STALE) || starts(IDS_FILE_OPEN_STALE) || starts(IDS_FILE_INVALID))
            fileRefused_ = true;
        if (starts(IDS_OVERWRITE_CHANGED)) {
            if (Pick(0, 3) == 0) RemoveMeanwhile();  // the answer comes once the panel may have moved
            return Pick(0, 1) ? IDOK : IDCANCEL;
        }
        if (has(IDS_EDITS_NOT_WRITTEN)) endedSaying_ = true;
        if (has(IDS_UNSENT_CHANGES)) {
            if (Pick(0, 1)) return letGo_ = true, IDOK;
            if (GetDlgItem(box.owner, IDC_PRINTER_LIST))
                PostMessageA(box.owner, WM_COMMAND, IDC_SELECT_CANCEL, 0);
            return IDCANCEL;
        }
        if (has(IDS_WRITE_FAILED_RETRY)) {
            if (Pick(0, 1) == 0) {
                RemoveMeanwhile();  // Retry is pressed once the panel may have moved
                return IDRETRY;
            }
            return Pick(0, 2) ? IDCANCEL : IDRETRY;
        }
        if (has(IDS_WRITE_INCOMPLETE_EXIT)) return Pick(0, 1) ? (letGo_ = true, IDYES) : IDNO;
        return 0;
    }

    // OK at once, or, one time in four, the printer goes offline or away while `dialog` is up and
    // OK comes a moment later.
    void OkNowOrAfterAChange(HWND dialog) {
        if (Pick(0, 3)) {
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        } else {
            if (Pick(0, 1)) {
                RemoveMeanwhile();
            } else if (held_.count(Current())) {
                vp::ApplyPreset(Current(), "offline");
            }
            rptest::PressOkLater(dialog, 300);
        }
    }

    bool Drive(HWND dialog) {
        HWND fileName = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
        if (fileName) {
            SetWindowTextA(fileName, file_.c_str());
            OkNowOrAfterAChange(dialog);
        } else if (HWND list = GetDlgItem(dialog, IDC_PRINTER_LIST)) {
            LVITEMA item{};
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
            SendMessageA(list, LVM_SETITEMSTATE, Pick(0, std::max(rows - 1, 0)),
                         reinterpret_cast<LPARAM>(&item));
            PostMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
        } else {
            // Choosing what the dialog shows is no edit (another program may have written the
            // printer meanwhile: its value stays), but the OK still offers 更新.
            const uint8_t chosen = edits_[BlockPaperThickness];
            if (SendDlgItemMessageA(dialog, IDC_THICKNESS_LIST, CB_GETCURSEL, 0, 0) == chosen &&
                !thicknessEdited_) {
                edits_.erase(BlockPaperThickness);
                noticeOnly_ = true;
            }
            SendDlgItemMessageA(dialog, IDC_THICKNESS_LIST, CB_SETCURSEL, chosen, 0);
            OkNowOrAfterAChange(dialog);
            // The panel moved to another printer: the dialog's change went with the old one.
            if (!held_.count(Current()) || !removed_.empty()) edits_.erase(BlockPaperThickness);
        }
        return true;
    }

    bool PageEditable() const {
        return Page0() && PagesShowSettings() && IsWindowEnabled(GetDlgItem(Page0(), IDC_HC_CUT_EDIT));
    }

    void Ask(const std::string& printer) {
        lastAsked_ = held_[printer];
        for (const auto& [offset, value] : edits_) lastAsked_[offset] = value;
        asked_[printer].push_back(lastAsked_);
    }

    void Step(Event event) {
        const std::string printer = Current();
        static const char* const kPresets[] = {"offline", "idle", "read-only", "busy"};
        // Without a printer of its own the panel is only left, read or given another.
        if (!held_.count(printer) && event != Read && event != Exit && event != ChangePrinter) return;
        switch (event) {
            case EditPage:
                if (!PageEditable()) break;
                edits_[BlockHeadCenterCutSheet] = static_cast<uint8_t>(Pick(10, 68));
                TypeOnPage0(IDC_HC_CUT_EDIT, std::to_string(edits_[BlockHeadCenterCutSheet]));
                edits_[BlockHeadCenterCutSheet] |=
                    held_[printer][BlockHeadCenterCutSheet] & BlockLeftPaperSetBit;
                break;
            case EditDialog:
                if (!PageEditable()) break;
                thicknessEdited_ = edits_.count(BlockPaperThickness) > 0;
                edits_[BlockPaperThickness] = static_cast<uint8_t>(Pick(0, 12));
                SendMessageA(GetDlgItem(Page0(), IDC_PAPER_ADVANCED), BM_CLICK, 0, 0);
                break;
            case Update:
            case UpdateAndExit: {
                const int button = event == Update ? IDC_UPDATE : IDC_UPDATE_AND_EXIT;
                if (!Enabled(button)) break;
                Ask(printer);
                Command(button);
                break;
            }
            case Read:
                FrameCommand(IDM_READ_SETTINGS);
                break;
            case Exit:
                Command(IDC_EXIT);
                break;
            case Preset:
                vp::ApplyPreset(printer, kPresets[Pick(0, 3)]);
                break;
            case RefuseWrites:
                vp::SetFault(printer, &vp::Faults::refuseWrites, Pick(1, 2));
                break;
            case SlowReplies:
                vp::SetFault(printer, &vp::Faults::latencyMs, 2 * kTimeLimitMs);
                break;
            case ClearFaults:
                for (const auto& [name, block] : held_) vp::ClearFaults(name);
                break;
            case RemoveAndChoose:
                vp::Remove(printer);
                SendMessageA(Frame(), WM_PRINTERS_CHANGED, 0, 0);
                held_.erase(printer);
                AddPrinter(printer);  // a new printer of the same name, which nobody asked anything of
                break;
            case ChangePrinter:
                FrameCommand(IDM_CHANGE_PRINTER);
                break;
            case Rename: {
                const std::string other =
                    printer.back() == '~' ? printer.substr(0, printer.size() - 1) : printer + "~";
                if (held_.count(other) || vp::Rename(printer, other) != 0) break;
                held_[other] = held_[printer], asked_[other] = asked_[printer];
                held_.erase(printer), asked_.erase(printer);
                break;
            }
            case Save: {
                DeleteFileA(file_.c_str());
                FrameCommand(IDM_SAVE_SETTINGS);
                uint32_t error = 0;
                if (const std::optional<std::string> bytes = ReadWholeFile(file_, &error, kSettingsFileLimit)) {
                    const std::string text = FromFileText(*bytes, nullptr).value_or("");
                    EXPECT_TRUE(ReadSettingsFile(text, ProgramString(IDS_MODEL_NAME)).Problems.empty())
                        << "a saved file opens again";
                }
                break;
            }
            case Open: {
                if (!PageEditable()) break;
                // Good (two settings), partial (one) or bad; the rest keeps the printer's values.
                const int kind = Pick(0, 2);
                const int length = Pick(1, 99), thickness = Pick(0, 12);
                std::ofstream(file_, std::ios::binary)
                    << "RemotePanelSettings = 1\nModel = Brindlemark 400ZX\nPageLength = "
                    << (kind == 2 ? 0 : length) << "\n"
                    << (kind == 0 ? "PaperThickness = " + std::to_string(thickness) + "\n" : "");
                fileRefused_ = false;
                FrameCommand(IDM_OPEN_SETTINGS);
                if (kind == 2 || fileRefused_) break;
                edits_[BlockPageLength] = static_cast<uint8_t>(length);
                if (kind == 0) edits_[BlockPaperThickness] = static_cast<uint8_t>(thickness);
                break;
            }
            case OutsideWrite: {
                // Another program writes a setting of the printer between the panel's read and
                // its update.
                const bool length = Pick(0, 1);
                const uint8_t value = static_cast<uint8_t>(length ? Pick(1, 99) : Pick(0, 12));
                const int offset = length ? BlockPageLength : BlockPaperThickness;
                ASSERT_EQ(vp::PatchBlock(printer, offset, {value}), 0u);
                held_[printer][offset] = value;
                break;
            }
            case kEventCount:
                break;
        }
    }

    void Check() {
        SCOPED_TRACE(step_);
        // The printer's notifications come a moment after a change: the panel settles, then every
        // request it started meanwhile ends.
        Settle(60);
        ASSERT_TRUE(WaitIdle()) << "a request waits for ever";
        for (const std::string& name : removed_) AddPrinter(name);
        removed_.clear();
        for (auto& [name, block] : held_) {
            Block now{};
            ASSERT_EQ(vp::GetBlock(name, now), 0u) << name;
            if (now == block) continue;
            const std::vector<Block>& wanted = asked_[name];
            EXPECT_NE(std::find(wanted.begin(), wanted.end(), now), wanted.end())
                << name << " holds what the user did not ask for it";
            block = now;
        }
        const bool ended = ProgramEnded();
        if (!edits_.empty()) {
            const std::string printer = Current();
            const bool written = held_.count(printer) && held_[printer] == lastAsked_;
            if (ended || !EditsWouldBeLost(EditsOf(Panel()))) {
                EXPECT_TRUE(letGo_ || endedSaying_ || written) << "unsent edits were dropped";
                edits_.clear();
            } else if (edits_.count(BlockHeadCenterCutSheet)) {
                EXPECT_EQ(rptest::WindowText(GetDlgItem(Page0(), IDC_HC_CUT_EDIT)),
                          std::to_string(edits_[BlockHeadCenterCutSheet] & BlockHeadCenterMask));
            }
        }
        if (!ended) {
            if (!EditsWouldBeLost(EditsOf(Panel()))) noticeOnly_ = false;
            EXPECT_TRUE(!Enabled(IDC_UPDATE) || !edits_.empty() || noticeOnly_)
                << "update offered with nothing unsent";
            const bool pending = AppState.ReadPending || AppState.WritePending;
            EXPECT_EQ(Status(), AppState.ReadPending    ? ProgramString(IDS_READING)
                                : AppState.WritePending ? ProgramString(IDS_WRITING)
                                                        : std::string(AppState.StatusText));
            EXPECT_EQ(ToolbarEnabled(IDM_READ_SETTINGS),
                      AppState.CanRead && !AppState.PrinterBusy && !pending);
        }
        letGo_ = endedSaying_ = false;
        if (ended) StartOn(held_.begin()->first);
    }
};

TEST_F(PanelSoak, RandomSequencesKeepEditsPrintersAndScreenInStep) {
    const int steps = EnvNumber("RP_SOAK_STEPS", 300);
    const int firstSeed = EnvNumber("RP_SOAK_SEED", 1);
    const UINT previousLimit = SetPanelRequestTimeout(kTimeLimitMs);
    rptest::MessageBoxRecorder boxes;
    boxes.OnChoose([this](const rptest::RecordedBox& box) { return Answer(box); });
    boxes.OnDialog([this](HWND dialog) { return Drive(dialog); });
    for (int seed = firstSeed; seed < firstSeed + (steps + kStepsPerSeed - 1) / kStepsPerSeed; ++seed) {
        random_.seed(seed);
        held_.clear(), asked_.clear(), edits_.clear();
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof folder, folder);
        file_ = std::string(folder) + "rp_soak.txt";
        vp::ResetAll();
        for (const char* name : {"P1", "P2", "P3"}) AddPrinter(name);
        StartOn("P1");
        for (int step = 0; step < kStepsPerSeed && !HasFatalFailure(); ++step) {
            const Event event = static_cast<Event>(Pick(0, kEventCount - 1));
            step_ = "seed " + std::to_string(seed) + " step " + std::to_string(step) + " event " +
                    std::to_string(event) + " on " + Current();
            Step(event);
            Check();
        }
        if (HasFailure()) {
            std::printf("panel soak: seed %d failed\n", seed);
            break;
        }
    }
    SetPanelRequestTimeout(previousLimit);
}

}  // namespace
}  // namespace shelltest
