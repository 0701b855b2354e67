// File names and arguments are bytes on Linux; the core holds them as wide
// text. The conversion keeps every byte, whatever the locale: valid UTF-8
// becomes its characters, and each byte that is not part of valid UTF-8
// becomes one of U+DC80..U+DCFF (byte 0x80..0xFF), which turns back into that
// byte. A name in any encoding therefore comes back unchanged.
#pragma once

#include <cstddef>
#include <string>

// The wide text of bytes into out; false, with out empty, when it does not fit.
bool BytesToWide(const char* bytes, wchar_t* out, size_t capacity);
std::wstring BytesToWideString(const char* bytes);

// The bytes of wide text into out; false, with out empty, when they do not
// fit (a name cut short would name another file). A code point that no bytes
// convert to (another surrogate, beyond U+10FFFF) becomes U+FFFD.
bool WideToBytes(const wchar_t* text, char* out, size_t capacity);
