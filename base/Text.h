// Bounded text in CP932: formatting into fixed buffers never overruns them and never leaves half
// of a double-byte character at the end of a cut text.
#ifndef RP_BASE_TEXT_H
#define RP_BASE_TEXT_H

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

// True for a byte that starts a CP932 double-byte character.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Cuts `text` at `maxBytes` bytes at most, at a character boundary. Returns the new length.
size_t TruncateCp932(char* text, size_t maxBytes);

// snprintf into `out` (size bytes, size > 0); a text that does not fit is cut at a character
// boundary. Returns the length written.
size_t FormatBounded(char* out, size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
size_t FormatBoundedV(char* out, size_t size, const char* format, va_list args);

// Copies `source` into `out` (size bytes), cut at a character boundary. Returns the length.
size_t CopyBounded(char* out, size_t size, const char* source);

// The longest name of one file or folder that Windows takes, in bytes of the program's text (a
// character is one or two bytes, so a name within it is within the system's 255 characters).
inline constexpr size_t kLongestFileName = 255;

// A file name made from a CP932 text (a printer's name): every character that cannot be in a file
// name (\ / : * ? " < > | and control characters) becomes "_", a trailing dot or space goes, and
// an empty result is "settings". A device name (PRN, CON, LPT1, ... with or without an extension)
// gets "_" after it, so that the name is a file's. The name is cut, at a character boundary, to
// leave `room` bytes of kLongestFileName for what the caller adds (".txt", a temporary ".new").
// The second byte of a double-byte character is never taken for a character of its own.
std::string FileNameFrom(std::string_view text, size_t room = 0);

// Where the last part of a path (its file's or folder's own name) begins: after its last "\\",
// "/" or ":", never at the second byte of a double-byte character.
size_t LastPathPart(std::string_view path);

// The name of the temporary file that is written beside `path` before it replaces it: `path` with
// ".new" after it, its last part cut (at a character boundary) where that would pass the longest
// file name or the longest path the program's file functions take.
std::string TemporaryFileName(std::string_view path);

#endif
