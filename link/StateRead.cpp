// The printer's three state items read into AppState.
#include <cstring>

#include "base/AppState.h"
#include "base/Ui.h"
#include "link/StateItems.h"
#include "link/StateRead.h"

namespace {

StateWords LastReadWords() {
    StateWords words;
    words.Ext = AppState.LastExtStatus;
    std::memcpy(words.Status, AppState.LastPrinterStatus, sizeof words.Status);
    words.Authority = AppState.LastUserAuthority;
    return words;
}

void KeepReadWords(const StateWords& words) {
    AppState.LastExtStatus = words.Ext;
    std::memcpy(AppState.LastPrinterStatus, words.Status, sizeof words.Status);
    AppState.LastUserAuthority = words.Authority;
}

}  // namespace

UINT ReadStateItem(StateItem item) {
    StateWords words = LastReadWords();
    const UINT failure = ReadStateItemOf(AppState.Session, item, words);
    KeepReadWords(words);
    return failure;
}

int ReadPrinterState() {
    StateWords words = LastReadWords();
    const UINT failure = ReadStateWords(AppState.Session, words);
    KeepReadWords(words);
    if (failure == 0) return 1;
    LoadText(failure, AppState.MessageText, sizeof AppState.MessageText);
    return 0;
}
