// SettingsFile.h - a printer's panel settings as a text file a person can read and edit.
//
// The file is a header with the format version and the model, then one "Key = value" line per
// setting (keys and values of SettingKeys.h), each followed by a "#" comment with the panel's
// label and the allowed values. Blank lines and "#" comments are ignored. A file may name only
// some settings: the others keep the printer's values. The text handled here is the program's
// text (CP932); reading and writing UTF-8 files is the caller's business.
#ifndef RP_SETTINGS_SETTINGSFILE_H
#define RP_SETTINGS_SETTINGSFILE_H

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingKeys.h"

inline constexpr const char* SettingsFileFormatKey = "RemotePanelSettings";
inline constexpr const char* SettingsFileFormatVersion = "1";
inline constexpr const char* SettingsFileModelKey = "Model";

// One setting the file names, with its line (1-based; 0 when it comes from a printer, not a file).
struct FileSetting {
    const SettingKey* Key;
    int32_t Value;
    int32_t Line;
};

struct SettingsFile {
    std::vector<FileSetting> Settings;  // in the file's order
};

enum class FileProblemKind : uint8_t {
    NoHeader,      // the first setting line is not "RemotePanelSettings = 1"
    WrongVersion,  // a format version this program does not read
    NoModel,       // the second setting line is not "Model = ..."
    OtherModel,    // the file is for another model
    NotKeyValue,   // a line that is neither blank, a comment nor "Key = value"
    NulByte,       // a line holding a NUL byte, which no text of a settings file has
    UnknownKey,
    DuplicateKey,  // OtherLine: where the key came first
    NotANumber,
    NotAllowed,         // outside the page's range or list
    LeftAboveRight,     // the form dialog's margin order: the left margin is greater than the right
    RightNotAboveLeft,  // the right margin is not greater than the left
    SwitchByteFull,     // every bit of a switch byte would be on: the printer could not be read
                        // back (Value: the byte, 0..3)
};

struct FileProblem {
    int32_t Line = 0;  // 0: not on a line of the file (a value the printer holds)
    std::string Key;   // empty when the line names no key
    FileProblemKind Kind = FileProblemKind::NotAllowed;
    std::string Value;  // the value as written (or held by the printer)
    int32_t OtherLine = 0;
    std::string Other;  // NoModel, OtherModel: the model expected; margins: the other margin
};

struct FileReading {
    SettingsFile File;
    std::vector<FileProblem> Problems;  // every problem found, in line order; empty = usable
};

// Reads the text of a settings file for `model` and checks every value on its own and every
// margin pair the file gives whole. Every line is looked at, so all problems are reported at once.
FileReading ReadSettingsFile(std::string_view text, std::string_view model);

// The same value checks for settings that come from elsewhere (another printer).
std::vector<FileProblem> CheckSettings(const SettingsFile& file);

// The settings file of a printer: every setting, with its label and allowed values. `source`
// names the printer in the opening comment.
std::string WriteSettingsFile(const PrinterSettings& settings, std::string_view model,
                              std::string_view source);

// Every setting of a printer as file settings (line 0), for copying it to other printers.
SettingsFile SettingsOf(const PrinterSettings& settings);

// Puts the file's values over a printer's settings.
void ApplySettingsFile(const SettingsFile& file, PrinterSettings& settings);

// After ApplySettingsFile: the form dialog's checks of every stored form the file touches, and the
// switch bytes, now with the printer's values for what the file leaves out. A problem names the
// key the check concerns, with its line in the file or 0 when the value is the printer's.
std::vector<FileProblem> CheckAppliedSettings(const SettingsFile& file, const PrinterSettings& applied);

// One setting whose value differs.
struct SettingDifference {
    const SettingKey* Key;
    int32_t Before;
    int32_t After;
};
std::vector<SettingDifference> CompareSettings(const PrinterSettings& before, const PrinterSettings& after);

// "PageLength（用紙長）: ..." - what is wrong, in the program's text.
std::string FileProblemText(const FileProblem& problem);
// "name:12: PageLength（用紙長）: ..." (without ":12" for line 0), one line in the program's text.
std::string DescribeFileProblem(const FileProblem& problem, std::string_view name);

#endif
