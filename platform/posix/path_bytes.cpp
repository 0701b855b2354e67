#include "platform/posix/path_bytes.h"

#include <cstdint>
#include <cstring>

static_assert(sizeof(wchar_t) == 4, "a wide character holds any code point");

namespace {

constexpr uint32_t kEscapeBase = 0xDC00;
constexpr uint32_t kReplacement = 0xFFFD;

bool Continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// One character at s, a terminated text: the code point of a well-formed
// UTF-8 sequence, or the escape of its first byte. Returns the bytes used.
// The terminator fails every test of a following byte, so a sequence cut
// short is never read past.
size_t DecodeOne(const unsigned char* s, uint32_t* c) {
    const unsigned char b = s[0];
    size_t length = 0;
    uint32_t low = 0x80, high = 0xBF;  // the second byte's range
    if (b < 0x80) {
        *c = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;   // overlong
        if (b == 0xED) high = 0x9F;  // a surrogate
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;   // overlong
        if (b == 0xF4) high = 0x8F;  // beyond U+10FFFF
    }
    bool valid = length != 0 && s[1] >= low && s[1] <= high;
    for (size_t i = 2; valid && i < length; ++i) valid = Continuation(s[i]);
    if (!valid) {
        *c = kEscapeBase + b;
        return 1;
    }
    uint32_t value = b & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) value = value << 6 | (s[i] & 0x3F);
    *c = value;
    return length;
}

size_t EncodeOne(uint32_t c, char* out) {
    if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
        out[0] = static_cast<char>(c - kEscapeBase);
        return 1;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    const size_t length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLead[5] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (size_t i = length - 1; i > 0; --i) {
        out[i] = static_cast<char>(0x80 | (c & 0x3F));
        c >>= 6;
    }
    out[0] = static_cast<char>(kLead[length] | c);
    return length;
}

}  // namespace

bool BytesToWide(const char* bytes, wchar_t* out, size_t capacity) {
    if (capacity == 0) return false;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
    size_t length = 0;
    while (*s != 0) {
        if (length + 1 >= capacity) {
            out[0] = L'\0';
            return false;
        }
        uint32_t c;
        s += DecodeOne(s, &c);
        out[length++] = static_cast<wchar_t>(c);
    }
    out[length] = L'\0';
    return true;
}

std::wstring BytesToWideString(const char* bytes) {
    std::wstring text(std::strlen(bytes) + 1, L'\0');
    BytesToWide(bytes, text.data(), text.size());
    text.resize(std::wcslen(text.c_str()));
    return text;
}

bool WideToBytes(const wchar_t* text, char* out, size_t capacity) {
    if (capacity == 0) return false;
    size_t length = 0;
    for (; *text != L'\0'; ++text) {
        char bytes[4];
        const size_t n = EncodeOne(static_cast<uint32_t>(*text), bytes);
        if (length + n >= capacity) {
            out[0] = '\0';
            return false;
        }
        std::memcpy(out + length, bytes, n);
        length += n;
    }
    out[length] = '\0';
    return true;
}
