#include "settings/settings_path.h"

#include <cwchar>

bool NameSettingsFile(const wchar_t* program, SettingsNameRule rule, wchar_t* out,
                      size_t capacity) {
    if (capacity == 0) return false;
    out[0] = L'\0';
    const size_t length = std::wcslen(program);
    const bool replace = rule == SettingsNameRule::ReplaceLastThree;
    if (length == 0 || (replace && length < 3)) return false;
    const size_t kept = replace ? length - 3 : length;
    const wchar_t* ending = replace ? L"ini" : L".ini";
    if (kept + std::wcslen(ending) + 1 > capacity) return false;
    std::wmemcpy(out, program, kept);
    std::wcscpy(out + kept, ending);
    return true;
}

void DeriveSettingsPath(wchar_t* writePath, wchar_t* readPath) {
    writePath[0] = L'\0';
    readPath[0] = L'\0';
    wchar_t program[kPathCapacity];
    wchar_t beside[kPathCapacity];
    if (!GetExecutablePath(program, kPathCapacity)) return;
    if (!NameSettingsFile(program, PlatformSettingsNameRule(), beside, kPathCapacity)) return;
    ChooseSettingsFiles(beside, writePath, readPath, kPathCapacity);
}
