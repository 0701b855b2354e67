// Fake repaint requests and the time-up post: what the tick calls. In an
// object of their own, so that a test on the real tick thread can bring
// thread-safe ones instead.
#include "platform/fake/fake_platform.h"

void RequestRepaint(WindowHandle, bool erase) {
    fake::g.repaints++;
    if (erase) fake::g.erasingRepaints++;
}

void RequestPartialRepaint(WindowHandle, const Rect& rect) {
    fake::g.repaints++;
    fake::g.partialRects.push_back(rect);
}

void PostTimeUp(WindowHandle) {
    fake::g.timeUpPosts++;
}
