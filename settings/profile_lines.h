// The line structure of a profile file, as the Windows profile functions see
// it, with every part given as a byte range of the file so that a write can
// replace one part and leave all other bytes alone.
//
// A line ends at CR LF, a lone CR or a lone LF. Blanks are tab, vertical tab,
// form feed, space and Ctrl-Z; they are trimmed around the line, around a
// section name inside its brackets, around a key name and around a value.
// A section line starts with '[' and holds a ']'; its name runs to the last
// ']'. Every other non-blank line is a key line: the key is the text before
// the first '=', the value the text after it; a line without '=' is a key
// without a value. Comments are not special: ";x=1" is the key ";x".
// A NUL character ends a name or a value wherever it stands.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/profile_text.h"

enum class ProfileLineKind : uint8_t { Blank, Section, Key };

struct ProfileLine {
    ProfileLineKind kind;
    size_t begin;       // first byte of the line
    size_t contentEnd;  // first byte of its line break, or the end of the text
    size_t end;         // first byte of the next line
    size_t trimmedEnd;  // end of the last non-blank character
    size_t nameBegin;   // section or key name, blanks trimmed
    size_t nameEnd;
    bool hasValue;      // a key line holding '='
    size_t valueStart;  // the byte after '='
    size_t valueBegin;  // the value, blanks trimmed
    size_t valueEnd;
};

// Reads the line that starts at position; false at the end of the text.
bool ReadProfileLine(const ProfileText& text, size_t position, ProfileLine* line);

// A wide name as a caller gives it, with blanks (and line breaks) trimmed.
struct WideName {
    const wchar_t* text;
    size_t length;
};

WideName TrimWideName(const wchar_t* name);

// Whether the name in [begin, end) of the text, cut at a NUL, equals the wide
// name, ASCII letters compared without regard to case.
bool ProfileNameEquals(const ProfileText& text, size_t begin, size_t end, const WideName& name);

// The first character of [begin, end), cut at a NUL, together with the
// position of the last character and the count of characters.
struct ProfileSpan {
    size_t begin;
    size_t end;  // the NUL cut applied
    size_t lastBegin;
    uint32_t first;
    uint32_t last;
    size_t count;
};

ProfileSpan MeasureProfileSpan(const ProfileText& text, size_t begin, size_t end);
