// The Windows program's profile operations, on the system's own profile
// functions.
#include <windows.h>

#include <cwchar>

#include "platform/platform.h"

namespace {

// WritePrivateProfileStringW writes ANSI into a file it creates itself, which
// turns a Cyrillic alarm path into question marks. A file that starts with a
// UTF-16LE byte-order mark is kept UTF-16LE, so a missing (or empty) settings
// file is first created holding just that mark. An existing file with content
// keeps its encoding.
void CreateUnicodeProfile(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart == 0) {
        static const unsigned char kByteOrderMark[2] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(file, kByteOrderMark, sizeof kByteOrderMark, &written, nullptr);
    }
    CloseHandle(file);
}

}  // namespace

size_t ProfileGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                        wchar_t* buffer, size_t capacity, const wchar_t* path) {
    const DWORD size = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(capacity);
    return GetPrivateProfileStringW(section, key, defaultText, buffer, size, path);
}

uint32_t ProfileGetInt(const wchar_t* section, const wchar_t* key, int32_t defaultValue,
                       const wchar_t* path) {
    return GetPrivateProfileIntW(section, key, defaultValue, path);
}

void ProfileWriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                        const wchar_t* path) {
    if (!section || !key || !value || !path || path[0] == 0) return;
    CreateUnicodeProfile(path);
    // A line break in the value would add lines, keys or sections to the
    // file: the value is written only up to its first.
    const size_t length = std::wcscspn(value, L"\r\n");
    if (value[length] == 0) {
        WritePrivateProfileStringW(section, key, value, path);
        return;
    }
    wchar_t* cut =
        static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
    if (!cut) return;
    std::wmemcpy(cut, value, length);
    cut[length] = 0;
    WritePrivateProfileStringW(section, key, cut, path);
    HeapFree(GetProcessHeap(), 0, cut);
}
