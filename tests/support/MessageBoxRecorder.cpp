#include "tests/support/MessageBoxRecorder.h"

#include <algorithm>

namespace rptest {
namespace {

thread_local MessageBoxRecorder* current = nullptr;
const char kHandledProp[] = "rptest.handled";
constexpr int kMessageBoxTextId = 0xFFFF;

bool IsDialogClass(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

// Enumeration callbacks are CALLBACK (stdcall on x86), which a lambda cannot be.
BOOL CALLBACK FindIconStatic(HWND child, LPARAM param) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(param) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

struct FoundButton {
    int id;
    LONG x;
};

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0) {
        RECT rect{};
        GetWindowRect(child, &rect);
        reinterpret_cast<std::vector<FoundButton>*>(param)->push_back({GetDlgCtrlID(child), rect.left});
    }
    return TRUE;
}

BoxIcon ReadIcon(HWND box) {
    HICON icon = nullptr;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&icon));
    if (!icon) return BoxIcon::None;
    if (icon == LoadIcon(nullptr, IDI_WARNING)) return BoxIcon::Warning;
    if (icon == LoadIcon(nullptr, IDI_INFORMATION)) return BoxIcon::Information;
    if (icon == LoadIcon(nullptr, IDI_QUESTION)) return BoxIcon::Question;
    if (icon == LoadIcon(nullptr, IDI_ERROR)) return BoxIcon::Error;
    return BoxIcon::Other;
}

std::vector<int> ReadButtons(HWND box) {
    std::vector<FoundButton> found;
    EnumChildWindows(box, CollectButton, reinterpret_cast<LPARAM>(&found));
    std::sort(found.begin(), found.end(),
              [](const FoundButton& a, const FoundButton& b) { return a.x < b.x; });
    std::vector<int> ids;
    for (const FoundButton& f : found) ids.push_back(f.id);
    return ids;
}

}  // namespace

const char* IconName(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::None:
            return "none";
        case BoxIcon::Warning:
            return "warning";
        case BoxIcon::Information:
            return "information";
        case BoxIcon::Question:
            return "question";
        case BoxIcon::Error:
            return "error";
        case BoxIcon::Other:
            return "other";
    }
    return "?";
}

MessageBoxRecorder::MessageBoxRecorder(std::vector<int> answers, int defaultAnswer)
    : answers_(answers.begin(), answers.end()), defaultAnswer_(defaultAnswer) {
    previous_ = current;
    current = this;
    hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxRecorder::~MessageBoxRecorder() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current = previous_;
}

LRESULT CALLBACK MessageBoxRecorder::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current) {
        current->Handle(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxRecorder::Handle(HWND window) {
    if (!IsDialogClass(window) || GetPropA(window, kHandledProp)) return;
    HWND textControl = GetDlgItem(window, kMessageBoxTextId);
    if (!textControl) {
        if (dialogHandler_ && dialogHandler_(window)) {
            SetPropA(window, kHandledProp, reinterpret_cast<HANDLE>(1));
        }
        return;
    }
    SetPropA(window, kHandledProp, reinterpret_cast<HANDLE>(1));
    RecordedBox box;
    box.text = WindowText(textControl);
    box.caption = WindowText(window);
    box.icon = ReadIcon(window);
    box.buttons = ReadButtons(window);
    box.owner = GetWindow(window, GW_OWNER);
    int answer = chooser_ ? chooser_(box) : 0;
    if (answer == 0 && !answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (answer == 0) {
        const bool hasDefault =
            std::find(box.buttons.begin(), box.buttons.end(), defaultAnswer_) != box.buttons.end();
        answer = hasDefault ? defaultAnswer_ : (box.buttons.empty() ? 0 : box.buttons.front());
    }
    box.answer = answer;
    boxes_.push_back(box);
    if (boxHandler_) boxHandler_(box);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, answer)));
}

bool RunDetailDialogFrom(MessageBoxRecorder& boxes, HWND window, int button,
                         const std::function<void(HWND dialog)>& drive, int press) {
    bool appeared = false;
    boxes.OnDialog([&](HWND dialog) {
        // A click inside `drive` can activate the dialog again before it counts as handled.
        if (appeared) return true;
        appeared = true;
        if (drive) drive(dialog);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, press)));
        if (press == IDOK) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    });
    SendMessageA(GetDlgItem(window, button), BM_CLICK, 0, 0);
    boxes.OnDialog(nullptr);
    return appeared;
}

}  // namespace rptest
