// Fuzzes the settings file reader with any text: no crash, no sanitizer report; every problem
// lies on a line of the text (or just after its end, for a missing header line) and can be
// described; a file without problems gives back every value it names, and the settings it makes
// out of the initial values write a file that reads back as the very same settings.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "settings/SettingsFile.h"
#include "tests/fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char Model[] = "Brindlemark 400ZX";
    // An odd first byte puts a good header before the rest, so that the settings lines get read.
    if (size == 0) return 0;
    std::string text = (data[0] & 1) ? "RemotePanelSettings = 1\nModel = Brindlemark 400ZX\n" : "";
    text.append(reinterpret_cast<const char*>(data + 1), size - 1);
    const FileReading reading = ReadSettingsFile(text, Model);
    int32_t lines = 1;
    for (const char c : text) lines += c == '\n';
    for (const FileProblem& p : reading.Problems) {
        FUZZ_CHECK(p.Line >= 1 && p.Line <= lines + 1);
        FUZZ_CHECK(!DescribeFileProblem(p, "f").empty());
    }
    if (!reading.Problems.empty()) return 0;

    PrinterSettings applied;
    LoadInitialSettings(applied.Record);
    ApplySettingsFile(reading.File, applied);
    for (const FileSetting& s : reading.File.Settings)
        FUZZ_CHECK(GetSettingValue(*s.Key, applied) == s.Value);
    // A margin the file leaves out is the initial one (left 0, right 136), which keeps any
    // entered margin in order: the applied forms pass the dialog's checks.
    FUZZ_CHECK(CheckAppliedSettings(reading.File, applied).empty());

    const FileReading again = ReadSettingsFile(WriteSettingsFile(applied, Model, "x"), Model);
    FUZZ_CHECK(again.Problems.empty());
    PrinterSettings reread;
    memset(static_cast<void*>(&reread), 0x5A, sizeof reread);
    ApplySettingsFile(again.File, reread);
    FUZZ_CHECK(memcmp(static_cast<const void*>(&reread), static_cast<const void*>(&applied), sizeof reread) ==
               0);
    return 0;
}
