// The executable's path, where the settings live, and the command line.
#include <cwchar>

#include "platform/win32/win32_program.h"

static_assert(kPathCapacity == MAX_PATH);

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

// The settings file sits beside the executable, which is read from and
// written to alike.
SettingsNameRule PlatformSettingsNameRule() {
    return SettingsNameRule::ReplaceLastThree;
}

void ChooseSettingsFiles(const wchar_t* besideProgram, wchar_t* writePath, wchar_t* readPath,
                         size_t capacity) {
    std::wcsncpy(writePath, besideProgram, capacity - 1);
    writePath[capacity - 1] = L'\0';
    std::wcscpy(readPath, writePath);
}

const wchar_t* GetCommandLineText() {
    return GetCommandLineW();
}
