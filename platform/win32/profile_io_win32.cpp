// Profile file access on Windows. The Windows program itself uses the
// system's profile functions; this lets the portable implementation run
// under Windows so that tests can compare the two on the same files. The
// rewrite happens in place.
#include <windows.h>

#include <cstdlib>

#include "settings/profile_io.h"

ProfileReadStatus ReadProfileBytes(const wchar_t* path, size_t maxSize, ProfileBytes* bytes) {
    *bytes = ProfileBytes{nullptr, 0};
    if (!path || path[0] == 0) return ProfileReadStatus::Failed;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND ? ProfileReadStatus::Missing
                                                      : ProfileReadStatus::Failed;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxSize) {
        CloseHandle(file);
        return ProfileReadStatus::Failed;
    }
    const size_t total = static_cast<size_t>(size.QuadPart);
    unsigned char* data = static_cast<unsigned char*>(std::malloc(total > 0 ? total : 1));
    size_t got = 0;
    bool ok = data != nullptr;
    while (ok && got < total) {
        DWORD n = 0;
        const DWORD want = total - got > 0x10000000 ? 0x10000000 : static_cast<DWORD>(total - got);
        ok = ReadFile(file, data + got, want, &n, nullptr) != 0;
        if (n == 0) break;
        got += n;
    }
    CloseHandle(file);
    if (!ok) {
        std::free(data);
        return ProfileReadStatus::Failed;
    }
    *bytes = ProfileBytes{data, got};
    return ProfileReadStatus::Read;
}

void FreeProfileBytes(ProfileBytes* bytes) {
    std::free(bytes->data);
    *bytes = ProfileBytes{nullptr, 0};
}

bool ReplaceProfileFile(const wchar_t* path, const ProfileChunk* chunks, size_t count) {
    if (!path || path[0] == 0) return false;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (size_t i = 0; ok && i < count; ++i) {
        const unsigned char* data = chunks[i].data;
        size_t left = chunks[i].size;
        while (ok && left > 0) {
            const DWORD want = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
            DWORD n = 0;
            ok = WriteFile(file, data, want, &n, nullptr) != 0 && n > 0;
            data += n;
            left -= n;
        }
    }
    ok = ok && SetEndOfFile(file) != 0 && FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return ok;
}
