// Records and answers the message boxes (and, on request, other dialogs) that code under test
// shows on the current thread. A thread-local WH_CBT hook sees each box when it is activated,
// reads its text, caption, icon and buttons, and presses the button chosen for it.
#ifndef RP_TESTS_SUPPORT_MESSAGEBOXRECORDER_H
#define RP_TESTS_SUPPORT_MESSAGEBOXRECORDER_H

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/Texts.h"  // WindowText

namespace rptest {

enum class BoxIcon { None, Warning, Information, Question, Error, Other };

struct RecordedBox {
    std::string text;     // CP932, as GetWindowTextA returns it
    std::string caption;  // CP932
    BoxIcon icon = BoxIcon::None;
    std::vector<int> buttons;  // ids of the box's buttons (IDOK, IDCANCEL, IDYES, ...), left to right
    HWND owner = nullptr;      // the box's owner window
    int answer = 0;            // the button this recorder pressed
};

const char* IconName(BoxIcon icon);

class MessageBoxRecorder {
public:
    // Each box is answered with the next queued answer; with none queued, with defaultAnswer when
    // the box has that button, otherwise with the box's first button.
    explicit MessageBoxRecorder(std::vector<int> answers = {}, int defaultAnswer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(int buttonId) { answers_.push_back(buttonId); }
    const std::vector<RecordedBox>& Boxes() const { return boxes_; }
    size_t Count() const { return boxes_.size(); }
    void Clear() { boxes_.clear(); }

    // Called for every other dialog (class #32770 without a message-box text) when it is
    // activated; the handler may drive it (set texts, post commands). Return true once handled.
    void OnDialog(std::function<bool(HWND)> handler) { dialogHandler_ = std::move(handler); }
    // Called for every message box once it is recorded, before its answer is pressed (what other
    // programs do while a box is up can be done here).
    void OnBox(std::function<void(const RecordedBox&)> handler) { boxHandler_ = std::move(handler); }
    // Chooses the answer of every box before the queue and the default do (0: leave it to them).
    void OnChoose(std::function<int(const RecordedBox&)> chooser) { chooser_ = std::move(chooser); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void Handle(HWND window);

    HHOOK hook_ = nullptr;
    std::deque<int> answers_;
    int defaultAnswer_;
    std::vector<RecordedBox> boxes_;
    std::function<bool(HWND)> dialogHandler_;
    std::function<void(const RecordedBox&)> boxHandler_;
    std::function<int(const RecordedBox&)> chooser_;
    MessageBoxRecorder* previous_ = nullptr;
};

// Clicks `button` of `window` (a page) and, once the detail dialog it opens is up, lets `drive`
// look at it and set its controls, then presses `press` (IDOK or IDCANCEL). A refused OK is
// followed by Cancel, so the dialog always ends. Returns whether a dialog appeared.
bool RunDetailDialogFrom(MessageBoxRecorder& boxes, HWND window, int button,
                         const std::function<void(HWND dialog)>& drive, int press);

}  // namespace rptest

#endif
