// Bounded text in CP932: formatting into fixed buffers never overruns them and never leaves half
// of a double-byte character at the end of a cut text.
#ifndef RP_BASE_TEXT_H
#define RP_BASE_TEXT_H

#include <cstdarg>
#include <cstddef>

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

#endif
