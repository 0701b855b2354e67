// wchar_t holds UTF-32 on Linux; UTF-16 surrogate pairs are also decoded so
// that the conversion does not depend on the width of wchar_t.
#include "platform/gtk/wide_text.h"

#include <cstdint>

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

// Reads one code point and advances text.
uint32_t NextCodePoint(const wchar_t*& text) {
    uint32_t c = static_cast<uint32_t>(*text++);
    if constexpr (sizeof(wchar_t) == 2) {
        c &= 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF) {
            const uint32_t low = static_cast<uint32_t>(*text) & 0xFFFF;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++text;
                return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
            return kReplacement;
        }
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return kReplacement;
    return c;
}

size_t Encode(uint32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

}  // namespace

size_t WideToUtf8(const wchar_t* text, char* buffer, size_t capacity) {
    size_t length = 0;
    if (text != nullptr) {
        while (*text != L'\0') {
            char bytes[4];
            const size_t n = Encode(NextCodePoint(text), bytes);
            if (length + n + 1 > capacity) break;
            for (size_t i = 0; i < n; ++i) buffer[length++] = bytes[i];
        }
    }
    buffer[length] = '\0';
    return length;
}
