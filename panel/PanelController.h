// The panel's settings as one state with one transition function: the settings as read from the
// printer (the base), the user's edits over them as values, the write under way with what it was
// merged over, and the serial that binds a file dialog to the settings it was opened on.
// Step(state, event) returns the new state and what the window side is to do (fill the pages, read
// the printer, ask, send). The window side hands every answer of a box or dialog back as an event
// to the state as it is then. Portable: no windows.h.
#ifndef RP_PANEL_PANELCONTROLLER_H
#define RP_PANEL_PANELCONTROLLER_H

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "link/SettingsRead.h"  // kReadAttempts
#include "panel/PanelState.h"
#include "settings/SettingsEdits.h"
#include "settings/SettingsFile.h"

// Where the settings shown come from.
enum class ShownSource : uint8_t {
    Nothing,        // nothing is loaded
    Printer,        // read from the printer
    InitialValues,  // the initial values, shown because the printer could not be read
};

struct ShownSettings {
    uint32_t Session = 0;  // the link's serial of the session the settings belong to
    uint32_t Serial = 0;   // changes whenever the base is replaced or dropped
    ShownSource Source = ShownSource::Nothing;
    PrinterSettings Base{};           // as read, or the initial values
    SettingsEdits Edits;              // the user's values over Base
    bool InitialValuesAsked = false;  // the user had the initial values shown (they replace all)
    // The write under way: what the pages showed when it began, and what was sent.
    std::optional<PrinterSettings> WriteShown;
    std::optional<PrinterSettings> WriteValues;
    std::vector<const SettingKey*> ToOverwrite;  // asked about: edited and changed meanwhile
    std::optional<PrinterSettings> AskedOver;    // what the printer held when it was asked

    // The settings as the user sees them: the edits over the base.
    PrinterSettings Shown() const { return Edits.Over(Base); }
    bool ReadFromPrinter() const { return Source == ShownSource::Printer && !InitialValuesAsked; }
};

struct PanelModel {
    PanelEdits EditState;
    ShownSettings Settings;
};

// clang-format off
// ---- Events ---------------------------------------------------------------------------------------

// A new session: nothing of the old one stays.
struct SessionOpened { uint32_t Session; };
// A read found settings.
struct SettingsRead { PrinterSettings Read; };
// The settings shown count as not loaded.
struct SettingsDropped {};
// The printer cannot be read: the initial values are shown instead.
struct InitialValuesShown { PrinterSettings Initial; };
// The user asked for the initial values (they are written whole).
struct InitialValuesAsked { PrinterSettings Initial; bool CanUpdate; };
// The pages were collected, or a detail dialog ended with OK.
struct UserChanged { PrinterSettings Before, After; };
// An opened file's settings, by name.
struct FileApplied { SettingsFile File; };
// The user let the edits go.
struct EditsDropped {};
// 更新: the pages have been collected.
struct WriteWanted {};
// The printer's settings read for the write (nothing: the read failed).
struct PrinterNow { std::optional<PrinterSettings> Now; };
// The answer to the question before overwriting.
struct OverwriteAnswer { bool Overwrite; };
// The write was accepted and completed, or not.
struct WriteEnded { bool Written; };
// The printer's state, or a write's hand-over, as the edit state sees it.
struct EditStateEvent { EditEvent Event; };

// clang-format on
using PanelEvent = std::variant<SessionOpened, SettingsRead, SettingsDropped, InitialValuesShown,
                                InitialValuesAsked, UserChanged, FileApplied, EditsDropped, WriteWanted,
                                PrinterNow, OverwriteAnswer, WriteEnded, EditStateEvent>;

// clang-format off
// ---- Effects --------------------------------------------------------------------------------------

// The pages show these settings.
struct FillPages { PrinterSettings Shown; };
// The pages show no settings (not loaded).
struct DropShown {};
// The pages follow the printer's values where the user has not changed them since `Before`.
struct FollowValues { PrinterSettings Before, After; };
// Read the printer's settings for the write.
struct ReadPrinterNow {};
// Settings edited here were changed on the printer meanwhile: ask before overwriting them.
struct AskOverwrite { std::vector<const SettingKey*> Keys; };
// Encode these settings and hand them over, after keeping `Before` (what the printer held when it
// was read for the write; nothing when it was not read) in its history.
struct SendSettings { PrinterSettings Values; std::optional<PrinterSettings> Before; };

// clang-format on
using PanelEffect =
    std::variant<FillPages, DropShown, FollowValues, ReadPrinterNow, AskOverwrite, SendSettings>;

struct StepResult {
    PanelModel Model;
    std::vector<PanelEffect> Effects;
};

StepResult Step(PanelModel model, const PanelEvent& event);

// ---- Judgements -----------------------------------------------------------------------------------

// What a save or open dialog was started for: the session and the settings shown then.
struct SettingsTicket {
    uint32_t Session = 0;
    uint32_t Serial = 0;
    bool operator==(const SettingsTicket&) const = default;
};
SettingsTicket TicketOf(const ShownSettings& settings);
// Whether the answer of a dialog started for `ticket` still concerns the settings shown now: the
// same session, nothing read or dropped meanwhile, and settings loaded.
bool StillTheSame(const ShownSettings& settings, const SettingsTicket& ticket);

// Whether opening `file` has to ask first: the file leaves settings out, and those would be
// written as the values shown, which were not read from the printer.
bool FileNeedsQuestion(const ShownSettings& settings, const SettingsFile& file);

// The settings named in the overwrite question, one label a line.
std::string SettingLabels(const std::vector<const SettingKey*>& keys);

// ---- The panel's state ------------------------------------------------------------------------------

// What the panel holds besides its windows: the model above, the request outstanding, and the
// notifications that wait while a reply or another notification is handled.
struct PanelState {
    PanelModel Model;
    PanelRequest Request;                      // the request outstanding (Kind None: none)
    uint32_t RequestsMade = 0;                 // the last request's number
    int32_t HandlingDepth = 0;                 // replies and notifications being handled (a box may be up)
    uint32_t NotedNotifications = 0;           // arrived while another was handled; handled after it
    int32_t ReadAttemptsLeft = kReadAttempts;  // of the read under way
    int32_t WriteRequestId = 0;                // the library's id of the asynchronous write under way
    bool WriteSynchronous = false;             // the write under way is 更新後終了's
    WriteOutcome LastWrite = WriteOutcome::HandedOver;
};

#endif
