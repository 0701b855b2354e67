// The monitor rule for a restored window position.
#include "app/monitor_choice.h"

namespace {

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The squared distance between the nearest points of two rectangles; 64 bits,
// since screen coordinates may lie far apart.
int64_t Distance2(const Rect& a, const Rect& b) {
    int64_t dx = 0, dy = 0;
    if (a.right <= b.left) dx = int64_t{b.left} - a.right;
    if (b.right <= a.left) dx = int64_t{a.left} - b.right;
    if (a.bottom <= b.top) dy = int64_t{b.top} - a.bottom;
    if (b.bottom <= a.top) dy = int64_t{a.top} - b.bottom;
    return dx * dx + dy * dy;
}

// The start of a span of the given length moved into [low, high): as little
// as possible, and to low when it does not fit.
int32_t Into(int32_t start, int32_t length, int32_t low, int32_t high) {
    if (start > high - length) start = high - length;
    return start < low ? low : start;
}

}  // namespace

Rect PlaceOnMonitors(const Rect& window, const MonitorArea* monitors, int32_t count) {
    int32_t nearest = -1;
    int64_t best = INT64_MAX;
    for (int32_t i = 0; i < count; ++i) {
        if (Overlap(window, monitors[i].full)) return window;
        const int64_t d = Distance2(window, monitors[i].full);
        if (d < best) {
            nearest = i;
            best = d;
        }
    }
    if (nearest < 0) return window;
    const Rect& work = monitors[nearest].work;
    const int32_t width = window.right - window.left;
    const int32_t height = window.bottom - window.top;
    const int32_t left = Into(window.left, width, work.left, work.right);
    const int32_t top = Into(window.top, height, work.top, work.bottom);
    return {left, top, left + width, top + height};
}
