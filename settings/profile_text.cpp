#include "settings/profile_text.h"

namespace {

bool IsHighSurrogate(uint32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(uint32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsSurrogate(uint32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

bool IsContinuation(const ProfileText& text, size_t position) {
    return position < text.end && (text.bytes[position] & 0xC0) == 0x80;
}

// A malformed sequence ends at the first byte that cannot continue it; what
// was taken up to there becomes one U+FFFD. Overlong forms, surrogates and
// values beyond U+10FFFF are caught after the second byte, so their first two
// bytes make one U+FFFD and each further byte another, as on Windows.
size_t DecodeUtf8(const ProfileText& text, size_t position, uint32_t* character) {
    const unsigned char lead = text.bytes[position];
    if (lead < 0x80) {
        *character = lead;
        return position + 1;
    }
    *character = kReplacementCharacter;
    size_t following;
    uint32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        value = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        value = lead & 0x07u;
    } else {
        return position + 1;
    }
    if (!IsContinuation(text, position + 1)) return position + 1;
    value = (value << 6) | (text.bytes[position + 1] & 0x3Fu);
    if (following == 2 && (value < 0x20 || (value >= 0x360 && value <= 0x37F))) {
        return position + 2;  // overlong, or a surrogate
    }
    if (following == 3 && (value < 0x10 || value >= 0x110)) {
        return position + 2;  // overlong, or beyond U+10FFFF
    }
    for (size_t i = 2; i <= following; ++i) {
        if (!IsContinuation(text, position + i)) return position + i;
        value = (value << 6) | (text.bytes[position + i] & 0x3Fu);
    }
    *character = value;
    return position + 1 + following;
}

uint32_t Utf16Unit(const ProfileText& text, size_t position) {
    const uint32_t first = text.bytes[position];
    const uint32_t second = text.bytes[position + 1];
    return text.encoding == ProfileEncoding::Utf16Le ? first | (second << 8)
                                                     : (first << 8) | second;
}

uint32_t CombineSurrogates(uint32_t high, uint32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Lone surrogates pass through as they are, as the Windows loader keeps them.
size_t DecodeUtf16(const ProfileText& text, size_t position, uint32_t* character) {
    *character = Utf16Unit(text, position);
    if (!IsHighSurrogate(*character) || position + 4 > text.end) return position + 2;
    const uint32_t next = Utf16Unit(text, position + 2);
    if (!IsLowSurrogate(next)) return position + 2;
    *character = CombineSurrogates(*character, next);
    return position + 4;
}

size_t PutUtf16(ProfileEncoding encoding, uint32_t unit, unsigned char* out) {
    if (out) {
        const unsigned char low = static_cast<unsigned char>(unit & 0xFF);
        const unsigned char high = static_cast<unsigned char>(unit >> 8);
        out[0] = encoding == ProfileEncoding::Utf16Le ? low : high;
        out[1] = encoding == ProfileEncoding::Utf16Le ? high : low;
    }
    return 2;
}

size_t PutUtf8(uint32_t c, unsigned char* out) {
    if (IsSurrogate(c)) c = kReplacementCharacter;
    size_t count;
    if (c < 0x80) {
        count = 1;
    } else if (c < 0x800) {
        count = 2;
    } else if (c < 0x10000) {
        count = 3;
    } else {
        count = 4;
    }
    if (out) {
        static constexpr unsigned char kLeadMarks[] = {0x00, 0xC0, 0xE0, 0xF0};
        for (size_t i = count - 1; i > 0; --i) {
            out[i] = static_cast<unsigned char>(0x80 | (c & 0x3F));
            c >>= 6;
        }
        out[0] = static_cast<unsigned char>(kLeadMarks[count - 1] | c);
    }
    return count;
}

}  // namespace

ProfileText MakeProfileText(const unsigned char* bytes, size_t size) {
    ProfileText text{bytes, 0, size, ProfileEncoding::Utf8};
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        text.begin = 3;
    } else if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text.encoding = ProfileEncoding::Utf16Le;
        text.begin = 2;
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        text.encoding = ProfileEncoding::Utf16Be;
        text.begin = 2;
    }
    if (text.encoding != ProfileEncoding::Utf8) {
        text.end = text.begin + ((size - text.begin) & ~static_cast<size_t>(1));
    }
    return text;
}

size_t DecodeProfileChar(const ProfileText& text, size_t position, uint32_t* character) {
    return text.encoding == ProfileEncoding::Utf8 ? DecodeUtf8(text, position, character)
                                                  : DecodeUtf16(text, position, character);
}

bool EndsWithLineBreak(const ProfileText& text) {
    if (text.end == text.begin) return false;
    const uint32_t last = text.encoding == ProfileEncoding::Utf8 ? text.bytes[text.end - 1]
                                                                 : Utf16Unit(text, text.end - 2);
    return last == '\r' || last == '\n';
}

size_t EncodeProfileText(ProfileEncoding encoding, const wchar_t* text, size_t length,
                         unsigned char* out) {
    size_t total = 0;
    for (size_t i = 0; i < length;) {
        uint32_t c;
        i = DecodeWideChar(text, length, i, &c);
        if (c > 0x10FFFF) c = kReplacementCharacter;
        if (encoding == ProfileEncoding::Utf8) {
            total += PutUtf8(c, out ? out + total : nullptr);
            continue;
        }
        Utf16Units units;
        const size_t count = SplitUtf16(c, units);
        for (size_t u = 0; u < count; ++u) {
            total += PutUtf16(encoding, units[u], out ? out + total : nullptr);
        }
    }
    return total;
}

size_t DecodeWideChar(const wchar_t* text, size_t length, size_t position, uint32_t* character) {
    *character = static_cast<uint32_t>(text[position]);
    // A surrogate pair stands for one character; where wchar_t is 32 bits one
    // turns up only by accident, and means the same.
    if (!IsHighSurrogate(*character) || position + 1 >= length) return position + 1;
    const uint32_t next = static_cast<uint32_t>(text[position + 1]);
    if (!IsLowSurrogate(next)) return position + 1;
    *character = CombineSurrogates(*character, next);
    return position + 2;
}

size_t SplitUtf16(uint32_t c, Utf16Units units) {
    units[0] = c;
    if (c < 0x10000) return 1;
    units[0] = 0xD800 + ((c - 0x10000) >> 10);
    units[1] = 0xDC00 + (c & 0x3FF);
    return 2;
}
