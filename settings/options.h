// The thirteen options, read from the command line and the settings file.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kAlarmFileCapacity = 260;
constexpr size_t kAlarmMessageCapacity = 128;
constexpr int32_t kUseDefaultPosition = static_cast<int32_t>(0x80000000u);  // CW_USEDEFAULT

constexpr uint32_t kDefaultWindowStyle = 0x00CE0000u;
constexpr uint32_t kDefaultExtendedStyle = 0x00040088u;
constexpr uint32_t kStyleCaption = 0x00C00000u;
constexpr uint32_t kExStyleAppWindow = 0x00040000u;

struct WindowOptions {
    int32_t start;
    int32_t noTitleBar;
    int32_t noTaskBarIcon;
    int32_t fullScreen;
    int32_t noAlarm;
    int32_t quitAfterTimeUp;
    uint32_t style;
    uint32_t extendedStyle;
    int32_t x;
    int32_t y;
    int32_t clientWidth;
    int32_t clientHeight;
    wchar_t alarmFile[kAlarmFileCapacity];
    wchar_t alarmMessage[kAlarmMessageCapacity];
};

WindowOptions DefaultWindowOptions();

// Reads the command line and the settings file at readPath and applies all
// thirteen options: clock mode and precision, color and style, and options,
// which must hold DefaultWindowOptions() beforehand. With an empty read path
// no file is read at all. Calls FormatTime under the clock lock, so the
// caller must not hold it.
void ReadOptions(const wchar_t* readPath, WindowOptions& options);

// Token extraction: copies the token at source (quoted or up to a blank) into
// destination (when not null), cut to capacity - 1; returns the position just
// after the token, or null for a null source.
const wchar_t* ExtractToken(const wchar_t* source, wchar_t* destination = nullptr,
                            size_t capacity = 0);
