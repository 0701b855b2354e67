// A recording platform for the stress test, safe to call from the UI thread
// and the tick thread at once (the plain fake records into unguarded fields).
// Counter and tick come from the real tick source.
#pragma once

#include <atomic>
#include <thread>

#include "platform/platform.h"

namespace concurrent {

struct Records {
    std::atomic<int> repaints{0};
    std::atomic<int> erasingRepaints{0};
    std::atomic<int> tickThreadRepaints{0};  // from any thread but the UI thread
    std::atomic<int> timeUpPosts{0};
    std::atomic<int> titleSets{0};
    std::atomic<int> messageBoxes{0};
    std::thread::id uiThread;
};

extern Records g;

WindowHandle TestWindow();

}  // namespace concurrent
