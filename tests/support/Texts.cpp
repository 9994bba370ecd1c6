#include "tests/support/Texts.h"

namespace rptest {

std::string ProgramString(UINT id) {
    char buffer[512] = {};
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::string WindowText(HWND window) {
    constexpr UINT kWaitMs = 5000;
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &length);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kWaitMs, &copied);
    text.resize(static_cast<size_t>(copied) < length ? static_cast<size_t>(copied)
                                                     : static_cast<size_t>(length));
    return text;
}

}  // namespace rptest
