// PrinterLink.cpp - registry, spooler and status library as rpsettings uses them.
#include "cli/PrinterLink.h"

#include <windows.h>

#include <cstring>

#include "base/Messages.h"
#include "link/SettingsRead.h"
#include "printers/PrinterRules.h"
#include "res/resource.h"

namespace {

constexpr const char* SuiteKey = "Software\\KOV\\Kestrovane\\";
constexpr const char* ModelsKey = "Software\\KOV\\Kestrovane\\Printers";
constexpr DWORD EnumFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
// How long a requested block may take to arrive.
constexpr DWORD ReadTimeoutMs = 30000;
constexpr int ReadAttempts = 3;

class RegistryKey {
 public:
  RegistryKey(HKEY root, const char* path, REGSAM access) {
    if (RegOpenKeyExA(root, path, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

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

bool ModelInstalled(const std::string& model) {
  RegistryKey models(HKEY_LOCAL_MACHINE, ModelsKey, KEY_ENUMERATE_SUB_KEYS);
  if (models.Get() == nullptr) return false;
  // Exact comparison, as the panel makes it, although the registry ignores letter case.
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof name;
    const LONG result = RegEnumKeyExA(models.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return false;
    if (model == name) return true;
  }
}

template <typename Value>
bool ReadItem(QMXSESSION session, const char* item, Value& value) {
  uint32_t size = 0;
  return GetPrinterStatusA(session, item, &value, sizeof value, &size) == 0;
}

}  // namespace

std::string ProgramText(uint32_t id) {
  char text[1024] = {};
  LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

std::string StatusText(uint32_t textId) {
  return textId == kPrintSwitchText ? RP_PRINT_SWITCH_TEXT : ProgramText(textId);
}

std::optional<std::string> StoredPassword() {
  RegistryKey suite(HKEY_LOCAL_MACHINE, SuiteKey, KEY_QUERY_VALUE);
  if (suite.Get() == nullptr) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(suite.Get(), "Password", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return std::string();
  }
  std::string value(size + 1, '\0');
  if (RegQueryValueExA(suite.Get(), "Password", nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                       &size) != ERROR_SUCCESS) {
    return std::string();
  }
  return std::string(value.c_str());
}

std::optional<std::vector<std::string>> SupportedPrinters(std::string* problem) {
  const std::string model = ProgramText(IDS_MODEL_NAME);
  if (!ModelInstalled(model)) {
    *problem = model + " がインストールされていません。";
    return std::nullopt;
  }
  DWORD needed = 0, returned = 0;
  EnumPrintersA(EnumFlags, nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed > 0 ? needed : 1);
  if (needed > 0 &&
      !EnumPrintersA(EnumFlags, nullptr, 2, buffer.data(), needed, &needed, &returned)) {
    *problem = ProgramText(IDS_ENUM_FAILED);
    return std::nullopt;
  }
  const std::string driver = "KOV " + model;
  std::vector<std::string> names;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; needed > 0 && i < returned; ++i) {
    if (printers[i].pPrinterName != nullptr && printers[i].pDriverName != nullptr &&
        driver == printers[i].pDriverName) {
      names.emplace_back(printers[i].pPrinterName);
    }
  }
  return names;
}

PrinterSession::PrinterSession(const std::string& printerName) {
  char user[256] = {};
  DWORD size = sizeof user;
  if (!GetUserNameA(user, &size)) user[0] = '\0';
  user[sizeof user - 1] = '\0';
  if (OpenManagerExA(printerName.c_str(), user, QMX_OPEN_MODE, &session_) != 0) session_ = nullptr;
}

PrinterSession::~PrinterSession() {
  if (session_ != nullptr) CloseManager(session_);
}

std::optional<PrinterStateDecision> PrinterSession::JudgeState(std::string* failureText) const {
  int32_t ext = -1, status[3] = {-1, -1, -1}, auth = 0;
  uint32_t failure = 0;
  if (!ReadItem(session_, QMX_ITEM_PRINTER_EXT_STATUS, ext) || ext == -1) {
    failure = IDS_EXT_STATUS_READ_FAILED;
  } else if (!ReadItem(session_, QMX_ITEM_PRINTER_STATUS, status) || status[1] == -1 || status[2] == -1) {
    failure = IDS_STATUS_READ_FAILED;
  } else if (!ReadItem(session_, QMX_ITEM_USER_AUTHORITY, auth)) {
    failure = IDS_AUTHORITY_READ_FAILED;
  }
  if (failure != 0) {
    *failureText = ProgramText(failure);
    return std::nullopt;
  }
  return DecidePrinterState(ext, status, auth);
}

std::string PrinterSession::PortText() const {
  unsigned char item[QMX_PORT_ITEM_SIZE] = {};
  if (!ReadItem(session_, QMX_ITEM_PORT, item)) return {};
  PortNames names;
  ReadPortNames(item, sizeof item, &names);
  char text[kPortTextSize];
  FormatPortText(names, text, sizeof text);
  return text;
}

bool PrinterSession::ReadSettings(PrinterSettings& settings) const {
  MessageWindow window;
  if (window.Get() == nullptr) return false;
  for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
    if (GetReqPrinterStatusMsgA(session_, QMX_ITEM_SETTINGS, window.Get(), WM_READ_DONE) != 0 ||
        !window.WaitFor(WM_READ_DONE, ReadTimeoutMs)) {
      return false;
    }
    SettingsBlock block;
    uint32_t size = 0;
    if (FetchSettingsBlock(session_, block, &size) != 0) {
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
  return SetPrinterStatusDirectA(session_, QMX_ITEM_SETTINGS, command.Area, sizeof command.Area);
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
