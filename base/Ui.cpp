#include "base/Ui.h"

#include "base/AppState.h"
#include "base/Text.h"
#include "res/resource.h"

int LoadText(UINT id, char* buffer, int size) {
    if (size <= 0) return 0;
    buffer[0] = '\0';
    int length = LoadStringA(ProgramInstance(), id, buffer, size);
    if (length <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    return length;
}

std::string ProgramText(UINT id) {
    char text[4 * kTextBufferSize];
    return std::string(text, static_cast<size_t>(LoadText(id, text, sizeof text)));
}

void LoadTextLines(UINT firstId, UINT secondId, char* out, size_t size) {
    char first[kTextBufferSize];
    char second[kTextBufferSize];
    LoadText(firstId, first, sizeof first);
    LoadText(secondId, second, sizeof second);
    FormatBounded(out, size, "%s\n%s", first, second);
}

void FormatCaptionFor(const char* printerName, char* out, size_t size) {
    char title[kTextBufferSize];
    LoadText(IDS_APP_TITLE, title, sizeof title);
    if (printerName) {
        FormatBounded(out, size, "%s - %s", title, printerName);
    } else {
        CopyBounded(out, size, title);
    }
}

void FormatCaption(char* out, size_t size) { FormatCaptionFor(CurrentPrinterName(), out, size); }

const char* CurrentPrinterName() { return AppState.CurrentPrinter ? AppState.CurrentPrinter->Name : nullptr; }

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

int ShowProgramMessage(HWND owner, const char* text, UINT type) {
    return ShowPrinterMessage(owner, text, type, nullptr);
}

int ShowProgramMessage(HWND owner, UINT textId, UINT type) {
    return ShowPrinterMessage(owner, textId, type, nullptr);
}

int ShowPrinterMessage(HWND owner, const char* text, UINT type, const char* printerName) {
    FormatCaptionFor(printerName, AppState.MessageCaption, sizeof AppState.MessageCaption);
    return ShowMessageBox(owner, text, AppState.MessageCaption, type);
}

int ShowPrinterMessage(HWND owner, UINT textId, UINT type, const char* printerName) {
    LoadText(textId, AppState.MessageText, sizeof AppState.MessageText);
    return ShowPrinterMessage(owner, AppState.MessageText, type, printerName);
}
