#include "settings/options.h"

#include <cwchar>

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
