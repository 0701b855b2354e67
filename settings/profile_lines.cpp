#include "settings/profile_lines.h"

#include <cwchar>

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// The blanks the Windows profile functions trim; Ctrl-Z counts because old
// DOS files end with it.
bool IsBlank(uint32_t c) {
    return c == '\t' || c == 0x0B || c == 0x0C || c == ' ' || c == 0x1A;
}

bool IsBlankOrBreak(uint32_t c) {
    return IsBlank(c) || c == '\r' || c == '\n';
}

uint32_t FoldAscii(uint32_t c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Trims blanks off both ends of [begin, end).
void TrimRange(const ProfileText& text, size_t begin, size_t end, size_t* trimmedBegin,
               size_t* trimmedEnd) {
    *trimmedBegin = end;
    *trimmedEnd = end;
    bool seen = false;
    for (size_t p = begin; p < end;) {
        uint32_t c;
        const size_t next = DecodeProfileChar(text, p, &c);
        if (!IsBlank(c)) {
            if (!seen) *trimmedBegin = p;
            seen = true;
            *trimmedEnd = next;
        }
        p = next;
    }
    if (!seen) *trimmedBegin = *trimmedEnd = begin;
}

}  // namespace

bool ReadProfileLine(const ProfileText& text, size_t position, ProfileLine* line) {
    if (position >= text.end) return false;
    size_t firstNonBlank = kNone;
    size_t afterFirst = kNone;
    uint32_t firstChar{};
    size_t lastNonBlankEnd = position;
    size_t equals = kNone;
    size_t afterEquals = kNone;
    size_t keyNameEnd = kNone;
    size_t valueFirst = kNone;
    size_t lastBracket = kNone;
    size_t contentEnd = text.end;
    size_t lineEnd = text.end;

    for (size_t p = position; p < text.end;) {
        uint32_t c;
        const size_t next = DecodeProfileChar(text, p, &c);
        if (c == '\r' || c == '\n') {
            contentEnd = p;
            lineEnd = next;
            if (c == '\r' && next < text.end) {
                uint32_t following;
                const size_t afterFollowing = DecodeProfileChar(text, next, &following);
                if (following == '\n') lineEnd = afterFollowing;
            }
            break;
        }
        if (!IsBlank(c)) {
            if (firstNonBlank == kNone) {
                firstNonBlank = p;
                afterFirst = next;
                firstChar = c;
            }
            if (c == '=' && equals == kNone) {
                equals = p;
                afterEquals = next;
                keyNameEnd = p == firstNonBlank ? p : lastNonBlankEnd;
            } else if (equals != kNone && valueFirst == kNone) {
                valueFirst = p;
            }
            if (c == ']') lastBracket = p;
            lastNonBlankEnd = next;
        }
        p = next;
    }

    *line = ProfileLine{};
    line->begin = position;
    line->contentEnd = contentEnd;
    line->end = lineEnd;
    line->trimmedEnd = lastNonBlankEnd;
    if (firstNonBlank == kNone) {
        line->kind = ProfileLineKind::Blank;
        line->nameBegin = line->nameEnd = position;
        return true;
    }
    if (firstChar == '[' && lastBracket != kNone) {  // that ']' is never the '['
        line->kind = ProfileLineKind::Section;
        TrimRange(text, afterFirst, lastBracket, &line->nameBegin, &line->nameEnd);
        return true;
    }
    line->kind = ProfileLineKind::Key;
    line->nameBegin = firstNonBlank;
    if (equals == kNone) {
        line->nameEnd = lastNonBlankEnd;
        return true;
    }
    line->nameEnd = keyNameEnd;
    line->hasValue = true;
    line->valueStart = afterEquals;
    line->valueBegin = valueFirst == kNone ? lastNonBlankEnd : valueFirst;
    line->valueEnd = lastNonBlankEnd;
    return true;
}

WideName TrimWideName(const wchar_t* name) {
    // The terminator is no blank, so the first loop stops at it.
    while (IsBlankOrBreak(static_cast<uint32_t>(*name))) ++name;
    const wchar_t* end = name + std::wcslen(name);
    while (end > name && IsBlankOrBreak(static_cast<uint32_t>(end[-1]))) --end;
    return WideName{name, static_cast<size_t>(end - name)};
}

bool ProfileNameEquals(const ProfileText& text, size_t begin, size_t end, const WideName& name) {
    size_t i = 0;
    for (size_t p = begin; p < end;) {
        uint32_t c;
        p = DecodeProfileChar(text, p, &c);
        if (c == 0) break;
        if (i >= name.length) return false;
        uint32_t wanted;
        i = DecodeWideChar(name.text, name.length, i, &wanted);
        if (FoldAscii(c) != FoldAscii(wanted)) return false;
    }
    return i == name.length;
}

ProfileSpan MeasureProfileSpan(const ProfileText& text, size_t begin, size_t end) {
    ProfileSpan span{};
    span.begin = span.end = span.lastBegin = begin;
    for (size_t p = begin; p < end;) {
        uint32_t c;
        const size_t next = DecodeProfileChar(text, p, &c);
        if (c == 0) break;
        if (span.count == 0) span.first = c;
        span.last = c;
        span.lastBegin = p;
        ++span.count;
        span.end = next;
        p = next;
    }
    return span;
}
