// Console.h - what one run of rpsettings writes and reads on its console: messages in the
// program's text (CP932), settings files as UTF-8, and the password typed without echo. A write
// that fails (a full disk, a closed pipe, a console gone) is remembered: a command whose output
// did not arrive whole has not succeeded.
#ifndef RP_CLI_CONSOLE_H
#define RP_CLI_CONSOLE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Console {
public:
    // One line (CP932) to standard output or standard error. A console shows it in its own code
    // page; redirected output receives the CP932 bytes. Line breaks inside the text become spaces,
    // so that every message stays one line.
    void Line(std::string_view text);
    void Error(std::string_view text);

    // A settings file's text or a JSON document (UTF-8) to standard output, as it would be
    // written to a file.
    void FileText(std::string_view utf8);

    // With --json, standard output carries one JSON document only: Line writes nothing, and what
    // Error writes to standard error is kept for the document of a failure.
    void KeepTextOffStandardOutput() { textKeptOff_ = true; }
    bool TextKeptOff() const { return textKeptOff_; }
    const std::vector<std::string>& ErrorsPrinted() const { return errorsPrinted_; }

    // Whether a write to standard output or standard error failed. A program started without
    // those handles at all has no one to tell: that is not a failure.
    bool OutputLost() const { return lostError_ != 0; }
    // Says on standard error, once, which output was lost and why (when standard error still
    // takes it).
    void TellOutputLost();

    // Asks for the password on the console without echo (from a redirected input: its first
    // line). Nothing when no line could be read.
    std::optional<std::string> AskPassword();

private:
    void Write(bool toError, std::string_view text, unsigned codePage);

    bool textKeptOff_ = false;
    std::vector<std::string> errorsPrinted_;
    uint32_t lostError_ = 0;  // the system's error code of the first failed write
    bool lostOnError_ = false;
    bool lostTold_ = false;
};

#endif
