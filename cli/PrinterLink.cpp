// PrinterLink.cpp - the supported printers and the status library as rpsettings uses them.
#include "cli/PrinterLink.h"

#include <windows.h>

#include <memory>

#include "base/Messages.h"
#include "base/Ui.h"
#include "link/PrinterState.h"
#include "link/SettingsRead.h"
#include "printers/PrinterEnumeration.h"
#include "printers/PrinterRules.h"
#include "res/resource.h"

namespace {

// A message-only window that receives the library's "block arrived" message.
class MessageWindow {
public:
    MessageWindow()
        : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~MessageWindow() {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Get() const { return window_; }

    // Pumps this thread's messages until `message` reaches the window or the time is up.
    bool WaitFor(UINT message, DWORD timeoutMs) const {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        for (;;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == window_ && msg.message == message) return true;
                DispatchMessageA(&msg);
            }
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        }
    }

private:
    HWND window_;
};

template <typename Value>
bool ReadItem(QMXSESSION session, const char* item, Value& value) {
    uint32_t size = 0;
    return GetPrinterStatusA(session, item, &value, sizeof value, &size) == 0;
}

}  // namespace

std::string StatusText(uint32_t textId) {
    char text[kTextBufferSize];
    LoadStatusText(textId, text, sizeof text);
    return text;
}

std::optional<std::vector<std::string>> SupportedPrinters(std::string* problem) {
    const PrinterSearch search = FindSupportedPrinters();
    const std::unique_ptr<PrinterEntry, void (*)(PrinterEntry*)> list(search.List, FreePrinterList);
    switch (search.Failure) {
        case SearchFailure::None:
            break;
        case SearchFailure::ModelKeyMissing:
        case SearchFailure::ModelNotInstalled:
            *problem = ProgramText(IDS_MODEL_NAME) + " がインストールされていません。";
            return std::nullopt;
        case SearchFailure::SpoolerFailed:
            *problem = ProgramText(IDS_ENUM_FAILED);
            return std::nullopt;
        case SearchFailure::ModelOutOfMemory:
        case SearchFailure::OutOfMemory:
            *problem = ProgramText(IDS_ALLOCATION_FAILED);
            return std::nullopt;
    }
    std::vector<std::string> names;
    for (const PrinterEntry* entry = list.get(); entry != nullptr; entry = entry->Next)
        names.emplace_back(entry->Name);
    return names;
}

PrinterSession::PrinterSession(const std::string& printerName) : session_(printerName.c_str()) {}

std::optional<PrinterStateDecision> PrinterSession::JudgeState(std::string* failureText) const {
    StateWords words;
    if (const uint32_t failure = ReadStateWords(session_.Get(), words)) {
        *failureText = ProgramText(failure);
        return std::nullopt;
    }
    return DecidePrinterState(words.Ext, words.Status, words.Authority);
}

std::string PrinterSession::PortText() const {
    unsigned char item[QMX_PORT_ITEM_SIZE] = {};
    if (!ReadItem(session_.Get(), QMX_ITEM_PORT, item)) return {};
    PortNames names;
    ReadPortNames(item, sizeof item, &names);
    char text[kPortTextSize];
    FormatPortText(names, text, sizeof text);
    return text;
}

bool PrinterSession::ReadSettings(PrinterSettings& settings) const {
    MessageWindow window;
    if (window.Get() == nullptr) return false;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        if (GetReqPrinterStatusMsgA(session_.Get(), QMX_ITEM_SETTINGS, window.Get(), WM_READ_DONE) != 0 ||
            !window.WaitFor(WM_READ_DONE, kRequestTimeLimitMs)) {
            return false;
        }
        SettingsBlock block;
        uint32_t size = 0;
        if (FetchSettingsBlock(session_.Get(), block, &size) != 0) {
            return false;
        }
        PrinterSettings read;
        if (DecodeBlockBytes(block, read.Record, read.FeedPosOther) && SettingsLoaded(read.Record)) {
            settings = read;
            return true;
        }
    }
    return false;
}

QMXSTATUS PrinterSession::Write(const SettingsCommand& command) const {
    return SetPrinterStatusDirectA(session_.Get(), QMX_ITEM_SETTINGS, command.Area, sizeof command.Area);
}

std::optional<std::string> RefusalOf(const PrinterSession& session, PrinterUse use) {
    if (!session.IsOpen()) return ProgramText(IDS_OPEN_FAILED);
    if (session.PortText() == "FILE:") {
        // The panel's text for it ends by saying that the program ends: only its first line here.
        const std::string text = ProgramText(IDS_FILE_PORT_REFUSED);
        return text.substr(0, text.find('\n'));
    }
    std::string failure;
    const std::optional<PrinterStateDecision> decision = session.JudgeState(&failure);
    if (!decision) return failure;
    if (const std::optional<uint32_t> refusal = RefusalFor(*decision, use)) return StatusText(*refusal);
    return std::nullopt;
}
