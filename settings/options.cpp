#include "settings/options.h"

#include <algorithm>
#include <cwchar>

#include "clock/clock.h"
#include "clock/time_text.h"
#include "display/painter.h"
#include "settings/command_line.h"
#include "settings/decimal_text.h"
#include "settings/settings_keys.h"

const wchar_t kValueNames[kValueNameCount][kValueNameSlot] = {
    L"minute", L"second", L"decisecond", L"centisecond", L"red",    L"green",   L"blue",
    L"white",  L"yellow", L"cyan",       L"magenta",     L"orange", L"rounded", L"straight",
};

WindowOptions DefaultWindowOptions() {
    WindowOptions o{};
    o.style = kDefaultWindowStyle;
    o.extendedStyle = kDefaultExtendedStyle;
    o.x = kUseDefaultPosition;
    o.y = kUseDefaultPosition;
    o.clientWidth = 8 * 15;
    o.clientHeight = 30;
    std::wcscpy(o.alarmFile, L"alarm.wav");
    std::wcscpy(o.alarmMessage, L"Time is up!");
    return o;
}

namespace {

constexpr size_t kWordValueCapacity = 16;
constexpr size_t kPositionValueCapacity = 128;
constexpr int32_t kPixelsPerGlyph = 15;

// The largest countdown in whole seconds whose milliseconds fit 32 bits; a
// larger number would otherwise wrap to a short countdown.
constexpr uint32_t kLargestCountdownSeconds = 4294967;

// Where the options come from: the command line after the program name, and
// the settings file (an empty path: none).
struct Sources {
    const wchar_t* remainder;
    const wchar_t* file;
};

// The file's value for key, or the empty text when there is no settings file
// or no such key.
void ReadFileValue(const Sources& from, const wchar_t* key, wchar_t* buffer, size_t capacity) {
    buffer[0] = L'\0';
    if (from.file[0] == L'\0') return;
    ProfileGetString(kSettingsSection, key, L"", buffer, capacity, from.file);
}

// A value option: the command line's text after "name=" wins as soon as the
// name occurs, even empty; otherwise the file's value, cut to capacity - 1.
const wchar_t* ValueOf(const Sources& from, const wchar_t* optionWithEquals, const wchar_t* key,
                       wchar_t* buffer, size_t capacity) {
    const wchar_t* fromCommandLine = FindOption(from.remainder, optionWithEquals);
    if (fromCommandLine) return fromCommandLine;
    ReadFileValue(from, key, buffer, capacity);
    return buffer;
}

// The command line can only set a flag; the file keeps whatever integer it has.
int32_t FlagOf(const Sources& from, const wchar_t* name) {
    if (FindOption(from.remainder, name)) return 1;
    if (from.file[0] == L'\0') return 0;
    return static_cast<int32_t>(ProfileGetInt(kSettingsSection, name, 0, from.file));
}

void ApplyMode(const wchar_t* value) {
    if (std::wcsncmp(value, L"timer:", 6) != 0) return;
    const uint32_t seconds =
        std::min(ReadDecimalUnsigned32(value + 6, nullptr), kLargestCountdownSeconds);
    const uint32_t countdownMs = seconds * 1000u;
    {
        // Formatted under the precision in force now, before the precision
        // option is read.
        ClockLockGuard lock;
        FormatTime(g_displayText, countdownMs);
    }
    SetTimerMode(countdownMs);
}

Precision PrecisionFromValue(const wchar_t* value) {
    if (std::wcsncmp(value, L"deci", 3) == 0) return kPrecisionDecisecond;
    if (std::wcsncmp(value, L"centi", 5) == 0) return kPrecisionCentisecond;
    if (std::wcsncmp(value, L"minute", 6) == 0) return kPrecisionMinute;
    return kPrecisionSecond;
}

ColorIndex ColorFromValue(const wchar_t* value) {
    struct Known {
        const wchar_t* name;
        ColorIndex color;
    };
    // Compared over each name's own length, first match wins; green is what
    // remains.
    static constexpr Known kKnown[] = {
        {L"red", kColorRed},       {L"blue", kColorBlue}, {L"white", kColorWhite},
        {L"yellow", kColorYellow}, {L"cyan", kColorCyan}, {L"magenta", kColorMagenta},
        {L"orange", kColorOrange},
    };
    for (const Known& k : kKnown) {
        if (std::wcsncmp(value, k.name, std::wcslen(k.name)) == 0) return k.color;
    }
    return kColorGreen;
}

SegmentStyle StyleFromValue(const wchar_t* value) {
    return std::wcsncmp(value, L"straight", 4) == 0 ? kStyleStraight : kStyleRounded;
}

// x, y, width, height, each read like wcstol and followed by one skipped
// character. The value is never read past its end: when it ends before y, y
// becomes 0; when it ends before the width or the height, those keep what
// they hold.
void ApplyPosition(const wchar_t* value, WindowOptions& options) {
    if (value[0] == L'\0') return;
    int32_t* const fields[] = {&options.x, &options.y, &options.clientWidth, &options.clientHeight};
    const wchar_t* p = value;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != L'\0') ++p;  // the separator, whatever it is
            if (*p == L'\0' && i > 1) return;
        }
        *fields[i] = ReadDecimalSigned32(p, &p);
    }
}

// A text option: a token of the command line, else a non-empty file value.
void ApplyText(const Sources& from, const wchar_t* optionWithEquals, const wchar_t* key,
               wchar_t* target, size_t capacity) {
    const wchar_t* fromCommandLine = FindOption(from.remainder, optionWithEquals);
    if (fromCommandLine) {
        ExtractToken(fromCommandLine, target, capacity);
        return;
    }
    wchar_t value[kAlarmFileCapacity];
    ReadFileValue(from, key, value, capacity);
    if (value[0] != L'\0') std::wcscpy(target, value);
}

}  // namespace

void ReadOptions(const wchar_t* readPath, WindowOptions& options) {
    const Sources from{CommandLineRemainder(GetCommandLineText()), readPath};
    wchar_t word[kWordValueCapacity];

    ApplyMode(ValueOf(from, L"-mode=", kKeyMode, word, kWordValueCapacity));
    SetPrecision(
        PrecisionFromValue(ValueOf(from, L"-precision=", kKeyPrecision, word, kWordValueCapacity)));
    SelectColor(ColorFromValue(ValueOf(from, L"-color=", kKeyColor, word, kWordValueCapacity)));
    SetSegmentStyle(StyleFromValue(ValueOf(from, L"-style=", kKeyStyle, word, kWordValueCapacity)));

    options.clientWidth = g_clock.glyphCount * kPixelsPerGlyph;
    wchar_t position[kPositionValueCapacity];
    ApplyPosition(ValueOf(from, L"-position=", kKeyPosition, position, kPositionValueCapacity),
                  options);

    options.start = FlagOf(from, kKeyStart);
    options.noTitleBar = FlagOf(from, kKeyNoTitleBar);
    options.noTaskBarIcon = FlagOf(from, kKeyNoTaskBarIcon);
    options.fullScreen = FlagOf(from, kKeyFullScreen);
    options.noAlarm = FlagOf(from, kKeyNoAlarm);
    options.quitAfterTimeUp = FlagOf(from, kKeyQuitAfterTimeUp);
    if (options.noTitleBar) options.style &= ~kStyleCaption;
    if (options.noTaskBarIcon) options.extendedStyle &= ~kExStyleAppWindow;

    ApplyText(from, L"-alarmFile=", kKeyAlarmFile, options.alarmFile, kAlarmFileCapacity);
    ApplyText(from, L"-alarmMessage=", kKeyAlarmMessage, options.alarmMessage,
              kAlarmMessageCapacity);
}
