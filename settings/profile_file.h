// Our own implementation of the three profile (INI) operations, with the
// observable behaviour of the Windows functions. The Linux program uses it as
// its profile service; tests compare it with the real Windows functions.
#pragma once

#include <cstddef>
#include <cstdint>

size_t ProfileFileGetString(const wchar_t* section, const wchar_t* key,
                            const wchar_t* defaultText, wchar_t* buffer, size_t capacity,
                            const wchar_t* path);
uint32_t ProfileFileGetInt(const wchar_t* section, const wchar_t* key, int32_t defaultValue,
                           const wchar_t* path);
// Returns whether the file was written.
bool ProfileFileWriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                            const wchar_t* path);
