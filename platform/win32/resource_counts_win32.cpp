// The window layer's resource counters and the log a soak run reads at exit.
#include "platform/win32/resource_counts_win32.h"

#include <windows.h>

#include <cstdio>

ResourceCounts g_resourceCounts{};

namespace {

bool written = false;

}  // namespace

size_t FormatResourceLine(char* buffer, size_t capacity, const ResourceCounts& counts,
                          int32_t brushesLive, int32_t caretsLive) {
    if (capacity == 0) return 0;
    const int length = std::snprintf(
        buffer, capacity,
        "brushes_created=%ld brushes_freed=%ld brushes_live=%ld carets_created=%ld "
        "carets_destroyed=%ld carets_live=%ld menus_shown=%ld\n",
        static_cast<long>(counts.brushesCreated), static_cast<long>(counts.brushesFreed),
        static_cast<long>(brushesLive), static_cast<long>(counts.caretsCreated),
        static_cast<long>(counts.caretsDestroyed), static_cast<long>(caretsLive),
        static_cast<long>(counts.menusShown));
    if (length < 0) return 0;
    return static_cast<size_t>(length) < capacity ? static_cast<size_t>(length) : capacity - 1;
}

void WriteResourceLog(int32_t brushesLive, int32_t caretsLive) {
    if (written) return;
    written = true;
    wchar_t path[MAX_PATH];
    const DWORD pathLength = GetEnvironmentVariableW(L"MOX_RESOURCE_LOG", path, MAX_PATH);
    // 0: not set; MAX_PATH or more: too long for the buffer, and not written.
    if (pathLength == 0 || pathLength >= MAX_PATH) return;
    char line[256];
    const size_t length =
        FormatResourceLine(line, sizeof line, g_resourceCounts, brushesLive, caretsLive);
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD done = 0;
    WriteFile(file, line, static_cast<DWORD>(length), &done, nullptr);
    CloseHandle(file);
}
