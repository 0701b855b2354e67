// Our own implementation of the three profile (INI) operations, with the
// observable behaviour of the Windows functions. The Linux program uses it as
// its profile service; tests compare it with the real Windows functions.
//
// Files are UTF-8, or UTF-16 when they start with its byte-order mark; the
// line rules are in profile_lines.h. A file that cannot be read reads as
// empty. Unlike the Windows functions these never enumerate: a null section
// or key reads as missing and is not written.
#pragma once

#include <cstddef>
#include <cstdint>

// The key's value, blanks and one pair of quotation marks removed, or the
// default text; at most capacity - 1 characters, always terminated. Returns
// the number of characters delivered.
size_t ProfileFileGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                            wchar_t* buffer, size_t capacity, const wchar_t* path);
// The integer the value begins with (0 when none), or the default when the
// key is missing or its value empty.
uint32_t ProfileFileGetInt(const wchar_t* section, const wchar_t* key, int32_t defaultValue,
                           const wchar_t* path);
// Sets the key, changing only its own line (or adding it, or its section, at
// the end of the section or the file); the value is cut at its first line
// break. Returns whether the file was written; on failure the file is left
// as it was.
bool ProfileFileWriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                            const wchar_t* path);
