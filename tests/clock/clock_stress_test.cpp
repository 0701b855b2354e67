// The clock against the real tick source while the UI thread hammers every
// clock command for about three seconds. Run under ThreadSanitizer as well:
// the lock discipline between the two threads is the point. The plain fake
// platform records into unguarded fields, so this file brings its own
// window services, which only count, with atomics.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <regex>
#include <string>
#include <thread>

#include "app/app_record.h"
#include "app/commands.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "entry/countdown_entry.h"

namespace {
std::atomic<int> tickRepaints{0}, timeUpPosts{0}, messageBoxes{0};
std::thread::id uiThread;
int windowToken;
}  // namespace

void RequestRepaint(WindowHandle, bool) {
    if (std::this_thread::get_id() != uiThread) tickRepaints++;
}
void PostTimeUp(WindowHandle) {
    timeUpPosts++;
}
void ShowMessageBox(WindowHandle, const wchar_t*, const wchar_t*) {
    messageBoxes++;
}
void SetWindowTitle(WindowHandle, const wchar_t*) {}
ClientSize QueryClientSize(WindowHandle) {
    return {400, 100};
}
WindowPlacement QueryWindowPlacement(WindowHandle) {
    return {0, 0, 400, 100, 0};
}
void CreateEntryCaret(WindowHandle, int32_t, int32_t) {}
void SetEntryCaretPosition(WindowHandle, int32_t, int32_t) {}
void ShowEntryCaret(WindowHandle) {}
void HideEntryCaret(WindowHandle) {}
void DestroyEntryCaret(WindowHandle) {}
void CreateDisplayBrushes(uint32_t, uint32_t, uint32_t) {}
void ReplaceColorBrush(uint32_t) {}
void FillRectangle(PaintCanvas*, const Rect&, BrushRole) {}
bool GetExecutablePath(wchar_t* buffer, size_t capacity) {
    if (capacity > 0) buffer[0] = L'\0';
    return false;
}
const wchar_t* GetCommandLineText() {
    return L"moxtimer";
}
size_t ProfileGetString(const wchar_t*, const wchar_t*, const wchar_t* defaultText, wchar_t* buffer,
                        size_t capacity, const wchar_t*) {
    if (capacity == 0) return 0;
    wcsncpy(buffer, defaultText, capacity - 1);
    buffer[capacity - 1] = L'\0';
    return wcslen(buffer);
}
uint32_t ProfileGetInt(const wchar_t*, const wchar_t*, int32_t defaultValue, const wchar_t*) {
    return static_cast<uint32_t>(defaultValue);
}
void ProfileWriteString(const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*) {}

namespace {

struct Snapshot {
    int32_t started, running;
    uint32_t elapsed;
    TickTimer timer;
    uintptr_t generation;
    std::wstring text;
};

Snapshot Take() {
    ClockLockGuard guard;
    return {g_clock.started,   g_clock.running,       g_clock.elapsed,
            g_clock.tickTimer, g_clock.armGeneration, g_displayText};
}

// Times here stay below 100 hours, so every text has eleven places.
void CheckInvariants(const Snapshot& s, const char* after) {
    static const std::wregex kShape(LR"(\d\d:\d\d(:\d\d|[: ]__)\.\d\d)");
    SCOPED_TRACE(after);
    EXPECT_TRUE(!s.running || (s.started && s.timer != kNoTickTimer)) << "running, not armed";
    EXPECT_TRUE(s.started || s.elapsed == 0) << "an idle clock has counted time";
    EXPECT_TRUE(std::regex_match(s.text, kShape)) << "malformed text";
}

void Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint32_t seed = 12345;
uint32_t Random(uint32_t bound) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % bound;
}

WindowHandle Window() {
    return reinterpret_cast<WindowHandle>(&windowToken);
}

// A short countdown left alone ends once: one post, idle at zero.
int endsAwaited = 0;
void CountdownToItsEnd() {
    PrecisionCommand(Window(), kPrecisionCentisecond);
    ResetCommand(Window());
    SetCountdown(20);
    const int posts = timeUpPosts.load();
    StartPause(Window());
    for (int i = 0; i < 2000 && Take().started; i++) Sleep(1);
    Sleep(30);
    const Snapshot s = Take();
    EXPECT_FALSE(s.started);
    EXPECT_EQ(s.text, L"00:00:00.00");
    EXPECT_EQ(timeUpPosts.load(), posts + 1);
    endsAwaited++;
}

// Each command with its share of the picks, in hundredths.
const struct {
    uint32_t share;
    const char* name;
    void (*run)();
} kCommands[] = {
    {38, "start/pause", [] { StartPause(Window()); }},
    {8, "reset", [] { ResetCommand(Window()); }},
    {7, "stopwatch", [] { StopwatchCommand(Window()); }},
    {8, "preset", [] { PresetCommand(Window(), kPresetIds[Random(12)]); }},
    {15, "precision", [] { PrecisionCommand(Window(), Precision(std::min(Random(6), 3u))); }},
    {14, "short countdown", [] { SetCountdown(Random(25)); }},
    {3, "countdown to its end", CountdownToItsEnd},
    {7, "idle", [] { Sleep(Random(40)); }},
};

TEST(ClockStress, CommandsAgainstTheRealTick) {
    uiThread = std::this_thread::get_id();
    g_app.mainWindow.store(Window());
    ResetClockForTests();
    SetPrecision(kPrecisionCentisecond);
    const uintptr_t firstGeneration = Take().generation;

    int commands = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < end && !::testing::Test::HasFailure()) {
        uint32_t pick = Random(100);
        size_t kind = 0;
        while (pick >= kCommands[kind].share) pick -= kCommands[kind++].share;
        kCommands[kind].run();
        commands++;
        const Snapshot s = Take();
        CheckInvariants(s, kCommands[kind].name);
        // A tick still on its way after a pause or reset must not write.
        if (!s.running && Random(8) == 0) {
            Sleep(25);
            const Snapshot later = Take();
            EXPECT_EQ(later.elapsed, s.elapsed) << kCommands[kind].name;
            EXPECT_EQ(later.text, s.text) << kCommands[kind].name;
        }
    }
    StopTickSource();
    std::printf("commands=%d countdown_ends_awaited=%d tick_repaints=%d time_up_posts=%d\n",
                commands, endsAwaited, tickRepaints.load(), timeUpPosts.load());

    const Snapshot last = Take();
    CheckInvariants(last, "the end");
    EXPECT_GT(commands, 300);
    EXPECT_GT(endsAwaited, 5);
    EXPECT_GT(tickRepaints.load(), 50) << "the tick hardly ran";
    // At most one end, hence one post, per arming.
    EXPECT_GE(timeUpPosts.load(), endsAwaited);
    EXPECT_LE(static_cast<uintptr_t>(timeUpPosts.load()), last.generation - firstGeneration);
    EXPECT_EQ(messageBoxes.load(), 0);
}

}  // namespace
