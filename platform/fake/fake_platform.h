// A fake platform and window layer for tests: records every call, lets a
// test set the millisecond counter and fire ticks by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

struct Fill {
    Rect rect;
    BrushRole brush;
};

struct MessageBoxCall {
    WindowHandle owner;
    std::wstring text;
    std::wstring caption;
    bool defaultCaption;
};

struct CaretCall {
    enum Kind { Create, Place, Show, Hide, Destroy } kind;
    int32_t a;  // width or x
    int32_t b;  // height or y
};

struct Platform {
    // Counter and tick (fake_tick.cpp).
    uint32_t counter = 0;
    uint32_t armedPeriod = 0;
    TickCallback tickCallback = nullptr;
    uintptr_t tickContext = 0;
    TickTimer armedTimer = kNoTickTimer;
    int armCount = 0;
    int disarmCount = 0;

    // Window services. repaints counts every request, partial or whole;
    // partialRects holds the rectangles of the partial ones.
    int repaints = 0;
    int erasingRepaints = 0;
    std::vector<Rect> partialRects;
    int timeUpPosts = 0;
    std::wstring title;
    int titleSets = 0;
    ClientSize clientSize{0, 0};
    WindowPlacement placement{0, 0, 0, 0, 0};
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<CaretCall> caretCalls;
    bool caretExists = false;

    // Painting.
    std::vector<Fill> fills;
    bool recordFills = true;
    size_t fillCount = 0;
    // The part of the canvas a platform would let the fills reach, and what
    // reached it.
    Rect clip{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    size_t fillsInClip = 0;
    int64_t pixelsInClip = 0;
    uint32_t brushColors[3] = {0, 0, 0};
    int brushesCreated = 0;
    int brushesFreed = 0;

    // System services.
    int profileReads = 0;
    std::wstring executablePath;
    bool executablePathAvailable = true;
    std::wstring commandLine = L"moxtimer";
    // The settings stay beside the program, named by this rule.
    SettingsNameRule settingsNameRule = SettingsNameRule::ReplaceLastThree;

    // The window layer's shell services, a letter each (fake_shell.cpp):
    // T title bar, E and L entering and leaving full screen, A about box,
    // S alarm sound, C close, Q quit.
    std::string shellCalls;
};

// The one fake platform instance.
extern Platform g;

// Forgets every recorded call, restores the defaults, and puts the core back
// to its process-start state with the test window as the main window
// (fake_reset.cpp).
void Reset();

// The window handle tests hand to the core.
WindowHandle TestWindow();

// Calls the armed tick callback once, as the timer thread would, if a timer is
// armed. Returns whether it fired.
bool FireTick();

// A canvas the fake FillRectangle records into.
PaintCanvas* TestCanvas();

}  // namespace fake

// The clock's part of fake::Reset: the clock, the time text, the title and
// the display's requested look.
void ResetClockForTests();
