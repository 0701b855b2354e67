// The file access the profile operations need. One implementation per
// platform: platform/posix/profile_io_posix.cpp (atomic replacement) and
// platform/win32/profile_io_win32.cpp (so the same code runs under Windows
// for the comparison with the real profile functions).
#pragma once

#include <cstddef>

enum class ProfileReadStatus : unsigned char {
    Read,     // bytes holds the whole file
    Missing,  // there is no such file
    Failed,   // the file exists but cannot be read, or is larger than maxSize
};

struct ProfileBytes {
    unsigned char* data;  // malloc'd; null when empty
    size_t size;
};

ProfileReadStatus ReadProfileBytes(const wchar_t* path, size_t maxSize, ProfileBytes* bytes);
void FreeProfileBytes(ProfileBytes* bytes);

struct ProfileChunk {
    const unsigned char* data;
    size_t size;
};

// Replaces the file's content with the chunks, one after the other, creating
// the file when it is missing. On failure the old file is left as it was and
// no stray file is left behind.
bool ReplaceProfileFile(const wchar_t* path, const ProfileChunk* chunks, size_t count);
