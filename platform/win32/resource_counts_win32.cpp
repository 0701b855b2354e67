// The window layer's resource counters and the log a soak run reads at exit.
#include "platform/win32/resource_counts_win32.h"

#include <windows.h>

namespace {

bool written = false;

}  // namespace

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
