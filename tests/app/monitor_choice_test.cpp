// Where a window restored from the settings goes among the monitors there are.
#include "app/monitor_choice.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

auto Tie(const Rect& r) {
    return std::tie(r.left, r.top, r.right, r.bottom);
}

TEST(MonitorChoice, AWindowNoMonitorShowsComesOntoTheNearestKeepingItsSize) {
    // A 1920 x 1080 monitor with a 40-pixel taskbar, one to its right, and a
    // third above and apart from both.
    const MonitorArea monitors[] = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                    {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}},
                                    {{4000, -2000, 5000, -1000}, {4000, -2000, 5000, -1000}}};
    struct Case {
        Rect window, placed;
        int32_t count;
    };
    const Case cases[] = {
        {{1900, 50, 2060, 110}, {1900, 50, 2060, 110}, 2},       // across both
        {{-159, 0, 1, 60}, {-159, 0, 1, 60}, 2},                 // one column shows
        {{-160, 0, 0, 60}, {0, 0, 160, 60}, 2},                  // right edge outside
        {{-500, 200, -340, 260}, {0, 200, 160, 260}, 2},         // left of the first
        {{4000, 500, 4160, 560}, {3040, 500, 3200, 560}, 2},     // right of the second
        {{100, 2000, 260, 2060}, {100, 980, 260, 1040}, 2},      // below: above the taskbar
        {{5000, 3000, 5160, 3060}, {3040, 964, 3200, 1024}, 2},  // far off the corner
        {{-3000, 0, -800, 1200}, {0, 0, 2200, 1200}, 2},         // larger than the work area
        {{1760, -200, 1920, -140}, {1760, 0, 1920, 60}, 2},      // as near both: the first
        {{1940, 1044, 2100, 1104}, {1760, 980, 1920, 1040}, 2},  // beside one, below the other
        {{4000, 500, 4160, 560}, {1760, 500, 1920, 560}, 1},     // the second unplugged
        {{3700, -900, 3860, -840}, {4000, -1060, 4160, -1000}, 3},  // off the third's lower left
        {{4200, -2300, 4360, -2240}, {4200, -2000, 4360, -1940}, 3},  // above the third
        {{-500, 200, -340, 260}, {-500, 200, -340, 260}, 0},     // no monitor known
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.window.left << "," << c.window.top << " of " << c.count);
        EXPECT_EQ(Tie(PlaceOnMonitors(c.window, monitors, c.count)), Tie(c.placed));
    }
}

}  // namespace
