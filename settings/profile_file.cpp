#include "settings/profile_file.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "settings/profile_io.h"
#include "settings/profile_lines.h"
#include "settings/profile_text.h"

namespace {

// A settings file is a few hundred bytes; anything this large is not one,
// and is neither read nor rewritten.
constexpr size_t kMaxProfileFileBytes = 64u * 1024 * 1024;

// GetPrivateProfileIntW reads the value through a buffer of this many
// characters, so only the first 29 count.
constexpr size_t kIntegerTextCapacity = 30;

// Files this code creates, and files without any line break, get bare LF.
constexpr wchar_t kDefaultLineBreak[] = L"\n";

bool IsQuote(uint32_t c) {
    return c == '"' || c == '\'';
}

// The caller's buffer: at most capacity - 1 characters, always terminated.
struct WideSink {
    wchar_t* buffer;
    size_t limit;
    size_t count;
};

// What does not fit is dropped.
void PutUnit(WideSink* sink, uint32_t unit) {
    if (sink->count < sink->limit) sink->buffer[sink->count++] = static_cast<wchar_t>(unit);
}

// Where wchar_t is 16 bits a character beyond U+FFFF takes two units, and a
// full buffer cuts the pair in half, as lstrcpynW does.
void PutChar(WideSink* sink, uint32_t c) {
    Utf16Units units{c};
    const size_t count = kWideIsUtf16 ? SplitUtf16(c, units) : 1;
    for (size_t i = 0; i < count; ++i) PutUnit(sink, units[i]);
}

// A value enclosed in one pair of matching quotation marks loses them.
void DeliverFileValue(const ProfileText& text, size_t begin, size_t end, WideSink* sink) {
    const ProfileSpan span = MeasureProfileSpan(text, begin, end);
    size_t from = span.begin;
    size_t to = span.end;
    if (span.count >= 2 && IsQuote(span.first) && span.last == span.first) {
        uint32_t quote;
        from = DecodeProfileChar(text, span.begin, &quote);
        to = span.lastBegin;
    }
    for (size_t p = from; p < to;) {
        uint32_t c;
        p = DecodeProfileChar(text, p, &c);
        PutChar(sink, c);
    }
}

// The default loses trailing spaces (all but a first one) and, unless the
// file could not be read at all, a pair of quotation marks, as on Windows.
void DeliverDefault(const wchar_t* defaultText, bool stripQuotes, WideSink* sink) {
    if (!defaultText) return;
    size_t length = std::wcslen(defaultText);
    while (length > 1 && defaultText[length - 1] == L' ') --length;
    size_t from = 0;
    if (stripQuotes && length >= 2 && IsQuote(static_cast<uint32_t>(defaultText[0])) &&
        defaultText[length - 1] == defaultText[0]) {
        from = 1;
        --length;
    }
    for (size_t i = from; i < length; ++i) {
        PutUnit(sink, static_cast<uint32_t>(defaultText[i]));
    }
}

// Where a section and a key stand. Lines before the first section header
// belong to no section: an empty section name finds only a "[]" header.
struct Location {
    bool sectionFound;
    bool keyFound;
    ProfileLine key;
    // The section's last non-blank line (its header when it holds none): a
    // missing key goes right after it, before any blank lines.
    ProfileLine lastInSection;
};

Location Locate(const ProfileText& text, const WideName& section, const WideName& key) {
    Location where{};
    bool inSection = false;
    ProfileLine line;
    for (size_t p = text.begin; ReadProfileLine(text, p, &line); p = line.end) {
        if (line.kind == ProfileLineKind::Section) {
            if (inSection) break;  // the first section of that name is the one
            if (ProfileNameEquals(text, line.nameBegin, line.nameEnd, section)) {
                where.sectionFound = inSection = true;
                where.lastInSection = line;
            }
            continue;
        }
        if (!inSection || line.kind == ProfileLineKind::Blank) continue;
        where.lastInSection = line;
        if (ProfileNameEquals(text, line.nameBegin, line.nameEnd, key)) {
            where.keyFound = true;  // the first key of that name is the one
            where.key = line;
            break;
        }
    }
    return where;
}

// New lines follow the file's own line breaks: LF when its first line ends
// with LF, CR LF when with CR.
const wchar_t* LineBreakOf(const ProfileText& text) {
    ProfileLine first;
    if (!ReadProfileLine(text, text.begin, &first) || first.contentEnd == first.end) {
        return kDefaultLineBreak;
    }
    uint32_t c;
    DecodeProfileChar(text, first.contentEnd, &c);
    return c == '\n' ? L"\n" : L"\r\n";
}

struct WidePiece {
    const wchar_t* text;
    size_t length;
};

WidePiece Piece(const wchar_t* text) {
    return WidePiece{text, std::wcslen(text)};
}

// Encodes the pieces one after the other into a malloc'd buffer; its data is
// null when memory runs out.
ProfileBytes EncodePieces(ProfileEncoding encoding, const WidePiece* pieces, size_t count) {
    size_t total = 0;
    for (size_t i = 0; i < count; ++i) {
        total += EncodeProfileText(encoding, pieces[i].text, pieces[i].length, nullptr);
    }
    // One byte spare: an empty insert still gets a buffer of its own.
    const ProfileBytes out{static_cast<unsigned char*>(std::malloc(total + 1)), total};
    for (size_t i = 0, at = 0; out.data && i < count; ++i) {
        at += EncodeProfileText(encoding, pieces[i].text, pieces[i].length, out.data + at);
    }
    return out;
}

// The value of a digit in bases up to 16, UINT32_MAX for any other character.
uint32_t DigitValue(uint32_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    const uint32_t lower = c | 0x20;
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return UINT32_MAX;
}

// The leading decimal integer (or 0x hexadecimal, 0o octal, 0b binary one, as
// RtlUnicodeStringToInteger reads them), optionally signed, wrapping modulo
// 2^32; 0 when the text begins with no number.
uint32_t ParseProfileInteger(const wchar_t* text) {
    size_t i = 0;
    while (text[i] != 0 && static_cast<uint32_t>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') negative = text[i++] == L'-';
    uint32_t base = 10;
    if (text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'o' || text[i + 1] == L'b')) {
        base = text[i + 1] == L'x' ? 16 : text[i + 1] == L'o' ? 8 : 2;
        i += 2;
    }
    uint32_t total = 0;
    for (;; ++i) {
        const uint32_t digit = DigitValue(static_cast<uint32_t>(text[i]));
        if (digit >= base) break;
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

}  // namespace

size_t ProfileFileGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                            wchar_t* buffer, size_t capacity, const wchar_t* path) {
    if (!buffer || capacity == 0) return 0;
    WideSink sink{buffer, capacity - 1, 0};
    ProfileBytes bytes{};
    const ProfileReadStatus status =
        path ? ReadProfileBytes(path, kMaxProfileFileBytes, &bytes) : ProfileReadStatus::Failed;
    bool found = false;
    if (status == ProfileReadStatus::Read && section && key) {
        const ProfileText text = MakeProfileText(bytes.data, bytes.size);
        const Location where = Locate(text, TrimWideName(section), TrimWideName(key));
        if (where.keyFound && where.key.hasValue) {
            DeliverFileValue(text, where.key.valueBegin, where.key.valueEnd, &sink);
            found = true;
        }
    }
    FreeProfileBytes(&bytes);
    if (!found) DeliverDefault(defaultText, status != ProfileReadStatus::Failed, &sink);
    buffer[sink.count] = 0;
    return sink.count;
}

uint32_t ProfileFileGetInt(const wchar_t* section, const wchar_t* key, int32_t defaultValue,
                           const wchar_t* path) {
    wchar_t text[kIntegerTextCapacity];
    if (ProfileFileGetString(section, key, L"", text, kIntegerTextCapacity, path) == 0) {
        return static_cast<uint32_t>(defaultValue);  // missing, or empty
    }
    return ParseProfileInteger(text);
}

bool ProfileFileWriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                            const wchar_t* path) {
    if (!section || !key || !value || !path) return false;
    // A line break in a name or a value would add lines, keys or sections:
    // names holding one are refused, a value is cut at its first.
    if (std::wcspbrk(section, L"\r\n") || std::wcspbrk(key, L"\r\n")) return false;
    const WidePiece newValue{value, std::wcscspn(value, L"\r\n")};
    const WideName sectionName = TrimWideName(section);
    const WideName keyName = TrimWideName(key);

    ProfileBytes bytes{};
    if (ReadProfileBytes(path, kMaxProfileFileBytes, &bytes) == ProfileReadStatus::Failed) {
        return false;
    }
    const ProfileText text = MakeProfileText(bytes.data, bytes.size);
    const Location where = Locate(text, sectionName, keyName);
    const wchar_t* lineBreak = LineBreakOf(text);
    const WidePiece sectionPiece{sectionName.text, sectionName.length};
    const WidePiece keyPiece{keyName.text, keyName.length};

    // The bytes [cutBegin, cutEnd) give way to the pieces.
    WidePiece pieces[9];
    size_t count = 0;
    size_t cutBegin;
    size_t cutEnd;
    if (where.keyFound && where.key.hasValue) {
        cutBegin = where.key.valueBegin;  // blanks after '=' stay as they were
        cutEnd = where.key.contentEnd;
        pieces[count++] = newValue;
    } else if (where.keyFound) {
        cutBegin = where.key.trimmedEnd;
        cutEnd = where.key.contentEnd;
        pieces[count++] = Piece(L"=");
        pieces[count++] = newValue;
    } else if (where.sectionFound) {
        cutBegin = cutEnd = where.lastInSection.end;
        if (where.lastInSection.contentEnd == where.lastInSection.end) {
            pieces[count++] = Piece(lineBreak);  // the file's last line had none
        }
        pieces[count++] = keyPiece;
        pieces[count++] = Piece(L"=");
        pieces[count++] = newValue;
        pieces[count++] = Piece(lineBreak);
    } else {
        cutBegin = cutEnd = text.end;
        if (text.end > text.begin && !EndsWithLineBreak(text)) pieces[count++] = Piece(lineBreak);
        pieces[count++] = Piece(L"[");
        pieces[count++] = sectionPiece;
        pieces[count++] = Piece(L"]");
        pieces[count++] = Piece(lineBreak);
        pieces[count++] = keyPiece;
        pieces[count++] = Piece(L"=");
        pieces[count++] = newValue;
        pieces[count++] = Piece(lineBreak);
    }

    ProfileBytes insert = EncodePieces(text.encoding, pieces, count);
    bool written = false;
    if (insert.data) {
        // A value already in place leaves the file alone (a read-only one too).
        const bool unchanged = where.keyFound && insert.size == cutEnd - cutBegin &&
                               std::memcmp(insert.data, bytes.data + cutBegin, insert.size) == 0;
        // The prefix keeps the byte-order mark; an odd last byte of a UTF-16
        // file, half a character, is dropped.
        const ProfileChunk chunks[] = {{bytes.data, cutBegin},
                                       {insert.data, insert.size},
                                       {bytes.data + cutEnd, text.end - cutEnd}};
        written = unchanged || ReplaceProfileFile(path, chunks, std::size(chunks));
    }
    FreeProfileBytes(&insert);
    FreeProfileBytes(&bytes);
    return written;
}
