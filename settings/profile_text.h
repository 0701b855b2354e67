// The text encodings a profile file may use, and the conversions between its
// bytes and wide characters.
//
// A file is UTF-8 unless it starts with a UTF-16 byte-order mark (a file
// copied from Windows); a UTF-8 byte-order mark is skipped. Malformed UTF-8
// decodes to U+FFFD the way the Windows loader decodes it, so both read the
// same characters out of the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ProfileEncoding : uint8_t { Utf8 = 0, Utf16Le = 1, Utf16Be = 2 };

constexpr uint32_t kReplacementCharacter = 0xFFFD;

// A file's bytes seen as text. [begin, end) holds the characters: the
// byte-order mark lies before begin, and an odd last byte of a UTF-16 file,
// which is half a character, lies after end.
struct ProfileText {
    const unsigned char* bytes;
    size_t begin;
    size_t end;
    ProfileEncoding encoding;
};

ProfileText MakeProfileText(const unsigned char* bytes, size_t size);

// Decodes the character at position (begin <= position < end) and returns the
// position after it. Never reads at or past text.end.
size_t DecodeProfileChar(const ProfileText& text, size_t position, uint32_t* character);

// Whether the text's last character is a line break.
bool EndsWithLineBreak(const ProfileText& text);

// Encodes length wide characters into out (when not null) and returns the
// number of bytes they take. A surrogate pair is one character; a lone
// surrogate becomes U+FFFD in UTF-8 and stays as it is in UTF-16, and a value
// beyond U+10FFFF becomes U+FFFD in both.
size_t EncodeProfileText(ProfileEncoding encoding, const wchar_t* text, size_t length,
                         unsigned char* out);

// Reads the character at position of a wide string of the given length and
// returns the position after it (a surrogate pair combined).
size_t DecodeWideChar(const wchar_t* text, size_t length, size_t position, uint32_t* character);

// Whether a wchar_t is a UTF-16 code unit (Windows) rather than a whole
// character (Linux).
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

// The UTF-16 code units of a character (at most U+10FFFF): itself below
// U+10000, else a surrogate pair. Returns their count.
using Utf16Units = uint32_t[2];
size_t SplitUtf16(uint32_t c, Utf16Units units);
