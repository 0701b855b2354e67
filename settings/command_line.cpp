#include "settings/command_line.h"

#include <algorithm>
#include <cwchar>

#include "settings/options.h"

const wchar_t* ExtractToken(const wchar_t* source, wchar_t* destination, size_t capacity) {
    if (!source) return nullptr;
    // An empty source leaves the destination as it was: "-alarmFile=" as the
    // very last text keeps the default file.
    if (*source == L'\0') return source;

    const wchar_t* begin = source;
    const wchar_t* end;
    const wchar_t* after;
    if (*source == L'"') {
        begin = source + 1;
        end = begin;
        while (*end != L'\0' && *end != L'"') ++end;
        after = *end == L'"' ? end + 1 : end;
    } else {
        // Only the blank ends a token; tabs belong to it.
        end = begin;
        while (*end != L'\0' && *end != L' ') ++end;
        after = end;
    }

    if (destination && capacity > 0) {
        const size_t length = std::min(static_cast<size_t>(end - begin), capacity - 1);
        std::wmemcpy(destination, begin, length);
        destination[length] = L'\0';
    }
    return after;
}

const wchar_t* CommandLineRemainder(const wchar_t* commandLine) {
    const wchar_t* remainder = ExtractToken(commandLine);
    return remainder ? remainder : L"";
}

const wchar_t* FindOption(const wchar_t* remainder, const wchar_t* name) {
    const wchar_t* found = std::wcsstr(remainder, name);
    return found ? found + std::wcslen(name) : nullptr;
}
