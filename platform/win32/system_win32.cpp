// The executable's path and the command line.
#include "platform/win32/win32_program.h"

bool GetExecutablePath(wchar_t* buffer, size_t capacity) {
    if (capacity == 0) return false;
    const DWORD size = capacity > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(capacity);
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    // A path that fills the whole buffer has been cut short: a settings path
    // derived from it would name a file somewhere else.
    if (length == 0 || length >= size) {
        buffer[0] = L'\0';
        return false;
    }
    return true;
}

const wchar_t* GetCommandLineText() {
    return GetCommandLineW();
}
