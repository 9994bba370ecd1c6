// FileText.h - the settings file on disk, for the panel and rpsettings alike: UTF-8 text with CRLF
// line ends, turned into the program's text (CP932) and back, read whole and written safely.
#ifndef RP_BASE_FILETEXT_H
#define RP_BASE_FILETEXT_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The program's code page, and text between a code page and UTF-16: empty when it cannot be
// converted (`flags` as MultiByteToWideChar takes them).
inline constexpr unsigned kProgramCodePage = 932;
std::wstring WidenText(std::string_view text, unsigned codePage, unsigned long flags = 0);
std::string NarrowText(std::wstring_view wide, unsigned codePage);

// The program's text (CP932) as UTF-8 with CRLF line ends, and a UTF-8 text (a leading byte-order
// mark dropped) as the program's text. Reading gives nothing for text that is not UTF-8, with the
// number of the first line that is not in `badLine`.
std::string ToFileText(std::string_view programText);
// The program's text as UTF-8, line ends as they are.
std::string Utf8FromProgramText(std::string_view programText);
std::optional<std::string> FromFileText(std::string_view utf8, int* badLine);

// A settings file is a few kilobytes; a file larger than this is not one and is not read.
inline constexpr uint32_t kSettingsFileLimit = 1024 * 1024;
// The limit as the program's messages name it.
inline constexpr const char* kSettingsFileLimitText = "1 MiB（1,048,576 バイト）";
// The system's error code for a file larger than the limit it was read with (ERROR_FILE_TOO_LARGE).
inline constexpr uint32_t kFileTooLargeError = 223;

// The whole file, if it holds `limit` bytes at most: it is refused before it is read when larger.
// Nothing, with the system's error code in `error` (kFileTooLargeError for a file too large), when
// it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, uint32_t* error, uint32_t limit);

// Writes the file beside its place first (TemporaryFileName) and then puts it there in one step, so that a failed
// write leaves an older file whole. False, with the system's error code in `error`, on failure.
bool WriteFileSafely(const std::string& path, std::string_view bytes, uint32_t* error);

// The system's text for an error code, in the program's text, without the line end.
std::string SystemErrorText(uint32_t error);

#endif
