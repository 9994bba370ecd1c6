// PrinterLink.h - rpsettings' side of the status library: the supported printers, a session on
// one of them with its judged state, a fresh read of its settings and a synchronous write. Only
// the nine entry points of link/KovQmx.h are used.
#ifndef RP_CLI_PRINTERLINK_H
#define RP_CLI_PRINTERLINK_H

#include <optional>
#include <string>
#include <vector>

#include "cli/CliRules.h"
#include "link/KovQmx.h"
#include "link/LibrarySession.h"
#include "link/StateItems.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsCommand.h"

// The status text of a judged state, as the panel shows it.
std::string StatusText(uint32_t textId);

// The names of the spooler's printers of the supported model, found as the panel finds them, in
// the spooler's order; nothing (with the reason in `problem`) when the model is not installed,
// the spooler cannot be asked or memory runs out.
std::optional<std::vector<std::string>> SupportedPrinters(std::string* problem);

// An open session on one printer, closed when it goes out of scope.
class PrinterSession {
public:
    explicit PrinterSession(const std::string& printerName);
    PrinterSession(const PrinterSession&) = delete;
    PrinterSession& operator=(const PrinterSession&) = delete;

    bool IsOpen() const { return session_.IsOpen(); }

    // Reads the three state items and judges them with the program's rules. Nothing when an item
    // cannot be read; `failureText` then holds the panel's text for it.
    std::optional<PrinterStateDecision> JudgeState(std::string* failureText) const;
    // The port text, "FILE:" for a printer on the file port; empty when it cannot be read.
    std::string PortText() const;
    // A fresh block from the printer (requested, then fetched when the library reports it), in
    // three attempts as the panel makes; false when none of them delivered loaded settings.
    bool ReadSettings(PrinterSettings& settings) const;
    // Hands the command to the library synchronously; 0 when it was written.
    QMXSTATUS Write(const SettingsCommand& command) const;

private:
    LibrarySession session_;
};

// Opens a session on `printer` and checks that `use` is allowed; the message when it is not.
std::optional<std::string> RefusalOf(const PrinterSession& session, PrinterUse use);

#endif
