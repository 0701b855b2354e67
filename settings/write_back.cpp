#include "settings/write_back.h"

#include <cwchar>

#include "clock/clock.h"
#include "display/painter.h"
#include "settings/settings_keys.h"

namespace {

constexpr size_t kModeTextCapacity = 16;
// Four coordinates of up to eleven characters ("-2147483648") and three
// commas: a window placed far off-screen through the file must not have its
// position cut short.
constexpr size_t kPositionTextCapacity = 48;

void WriteValue(const wchar_t* path, const wchar_t* key, const wchar_t* value) {
    ProfileWriteString(kSettingsSection, key, value, path);
}

void WriteFlag(const wchar_t* path, const wchar_t* key, int32_t flag) {
    WriteValue(path, key, flag ? L"1" : L"0");
}

// A text is written as held, but only up to its first line break: a CR or LF
// in the value would start new lines, and with them new keys or sections.
template <size_t Capacity>
void WriteTextValue(const wchar_t* path, const wchar_t* key, const wchar_t (&text)[Capacity]) {
    wchar_t line[Capacity];
    const size_t length = std::wcscspn(text, L"\r\n");
    std::wmemcpy(line, text, length);
    line[length] = L'\0';
    WriteValue(path, key, line);
}

const wchar_t* ValueName(size_t first, size_t index, size_t count, size_t fallback) {
    return kValueNames[first + (index < count ? index : fallback)];
}

}  // namespace

void WriteSettings(WindowHandle window, const wchar_t* path, const WindowOptions& options) {
    if (!*path) return;  // no settings file

    wchar_t mode[kModeTextCapacity];
    if (g_clock.mode == kModeTimer) {
        std::swprintf(mode, kModeTextCapacity, L"timer:%u",
                      static_cast<unsigned>(g_clock.countdown / 1000u));
    } else {
        std::wcscpy(mode, L"stopwatch");
    }
    WriteValue(path, kKeyMode, mode);

    WriteValue(path, kKeyPrecision,
               ValueName(kFirstPrecisionName, static_cast<size_t>(g_clock.precision), 4,
                         kPrecisionSecond));
    WriteValue(path, kKeyColor,
               ValueName(kFirstColorName, static_cast<size_t>(g_appearance.color), kColorCount,
                         kColorGreen));
    WriteValue(
        path, kKeyStyle,
        ValueName(kFirstStyleName, static_cast<size_t>(g_appearance.style), 2, kStyleRounded));

    // Full screen keeps the placement from before it. A minimized window
    // reports a parking place (-32000, -32000) and no client area, which
    // would bring the next start back invisible.
    const WindowPlacement placement = QueryWindowPlacement(window);
    if (!options.fullScreen && !placement.minimized) {
        wchar_t position[kPositionTextCapacity];
        std::swprintf(position, kPositionTextCapacity, L"%i,%i,%i,%i",
                      static_cast<int>(placement.outerLeft), static_cast<int>(placement.outerTop),
                      static_cast<int>(placement.clientWidth),
                      static_cast<int>(placement.clientHeight));
        WriteValue(path, kKeyPosition, position);
    }

    WriteFlag(path, kKeyStart, options.start);
    WriteFlag(path, kKeyNoTitleBar, options.noTitleBar);
    WriteFlag(path, kKeyNoTaskBarIcon, options.noTaskBarIcon);
    WriteFlag(path, kKeyFullScreen, options.fullScreen);
    WriteFlag(path, kKeyNoAlarm, options.noAlarm);
    WriteFlag(path, kKeyQuitAfterTimeUp, options.quitAfterTimeUp);

    WriteTextValue(path, kKeyAlarmFile, options.alarmFile);
    WriteTextValue(path, kKeyAlarmMessage, options.alarmMessage);
}
