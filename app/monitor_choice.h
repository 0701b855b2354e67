// Where a window placed from saved coordinates goes when no monitor shows
// any of it (the screen it was on has been unplugged): the rectangle
// decision alone, so that it runs without a window or a display.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// One monitor in screen pixels: all of it, and the part that windows may
// take (without the taskbar and docks).
struct MonitorArea {
    Rect full;
    Rect work;
};

// The window's outer rectangle unchanged while any monitor shows a part of
// it. Otherwise the same size moved the shortest way into the work area of
// the nearest monitor (the first of equally near ones); a window larger than
// that area keeps its top-left corner in it. No monitors: unchanged.
Rect PlaceOnMonitors(const Rect& window, const MonitorArea* monitors, int32_t count);
