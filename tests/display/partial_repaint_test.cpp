// Partial repaints leave exactly the pixels whole repaints leave. Two canvases
// go through the same random events: one is repainted only where the core
// invalidated (the fills clipped as the platforms clip them), the other whole
// whenever the display asked for any repaint before partial invalidation
// existed, with the same erases.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/window_logic.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"
#include "tests/display/glyph_pictures.h"

namespace {

const WindowHandle kWindow = fake::TestWindow();
constexpr int kWidth = 240, kHeight = 90;  // the largest client area used

// The brush's letter, and for the color brush its color, filled into r,
// only inside the clip rectangles unless there are none.
void Fill(expected::Raster& out, const Rect& r, char brush, const std::vector<Rect>& clip) {
    if (clip.empty()) return out.Fill(r.left, r.top, r.right, r.bottom, brush);
    for (const Rect& c : clip) {
        out.Fill(std::max(r.left, c.left), std::max(r.top, c.top), std::min(r.right, c.right),
                 std::min(r.bottom, c.bottom), brush);
    }
}

char BrushChar(BrushRole role) {
    if (role != BrushRole::Color) return role == BrushRole::Background ? 'B' : 'I';
    for (int i = 0; i < kColorCount; ++i) {
        if (kColorTable[i] == fake::g.brushColors[1]) return static_cast<char>('a' + i);
    }
    return '?';
}

// Paints both canvases as the platform would: the partial one only where
// invalidated since the last paint, the whole one wherever a repaint was due.
void Paint(expected::Raster& partial, expected::Raster& whole, bool wholeDue, int* partialPaints) {
    const bool erase = fake::g.erasingRepaints > 0;
    const bool wholeRequested = fake::g.repaints > static_cast<int>(fake::g.partialRects.size());
    const std::vector<Rect> rects = fake::g.partialRects;
    fake::g.fills.clear();
    OnPaint(kWindow, fake::TestCanvas());
    const Rect client{0, 0, fake::g.clientSize.width, fake::g.clientSize.height};
    if (fake::g.repaints > 0) {
        if (erase) Fill(partial, client, 'B', {});
        const std::vector<Rect> clip = erase || wholeRequested ? std::vector<Rect>{} : rects;
        for (const fake::Fill& f : fake::g.fills) Fill(partial, f.rect, BrushChar(f.brush), clip);
        if (!erase && !wholeRequested) ++*partialPaints;
    }
    if (wholeDue) {
        if (erase) Fill(whole, client, 'B', {});
        for (const fake::Fill& f : fake::g.fills) Fill(whole, f.rect, BrushChar(f.brush), {});
    }
    fake::g.repaints = fake::g.erasingRepaints = 0;
    fake::g.partialRects.clear();
}

TEST(PartialRepaint, RandomEventsLeaveThePixelsOfWholeRepaints) {
    // Commands: the first id of a run and how many ids the run holds (eight colors).
    constexpr uint16_t kCommands[][2] = {
        {IDM_START_PAUSE, 1},      {IDM_RESET, 1},     {IDM_STOPWATCH, 1},    {60, 1}, {3600, 1},
        {IDM_PRECISION_MINUTE, 4}, {IDM_COLOR_RED, 8}, {IDM_STYLE_ROUNDED, 2}};
    constexpr uint32_t kKeys[] = {'0', '1', '5', '9', kKeyBackspace, 'x', kKeyEnter, kKeyEscape};
    // Counter steps: within a tenth, a second, a minute, and far enough that a
    // stopwatch shows 100 hours and more, which puts digits at separator places.
    constexpr uint32_t kSteps[] = {10, 30, 100, 1000, 60000, 360000000u, 3600000000u};
    int partialPaints = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](uint32_t n) { return static_cast<uint32_t>(random() % n); };
        fake::Reset();
        CreateStartupBrushes();
        fake::g.clientSize = {165, 30};
        OnSize(kWindow);
        expected::Raster partial(kWidth, kHeight), whole(kWidth, kHeight);
        bool wholeDue = true;
        for (int step = 0; step < 60; ++step) {
            for (uint32_t events = 1 + pick(4); events > 0; --events) {
                // Mostly ticks, with a command now and then. Before partial
                // invalidation every command asked for a repaint, and every
                // tick except while the entry text is shown.
                const uint32_t event = pick(100) < 80 ? pick(8) : 8 + pick(10);
                const bool ticksRepaint = !EntryActive();
                bool commanded = true;
                if (event < 8) {
                    fake::g.counter += kSteps[pick(event < 6 ? 3 : std::size(kSteps))];
                    commanded = !fake::FireTick();
                    if (commanded) DispatchCommand(kWindow, IDM_START_PAUSE);
                    wholeDue = wholeDue || ticksRepaint;
                } else if (event < 14) {
                    const auto [first, count] = kCommands[pick(std::size(kCommands))];
                    DispatchCommand(kWindow, first + pick(count));
                } else if (event <= 15 && !EntryActive()) {
                    DispatchCommand(kWindow, IDM_CUSTOMIZE);
                } else if (event <= 15) {
                    OnChar(kWindow, kKeys[pick(std::size(kKeys))]);
                } else {
                    fake::g.clientSize = {static_cast<int32_t>(8 + pick(kWidth - 7)),
                                          static_cast<int32_t>(4 + pick(kHeight - 3))};
                    OnSize(kWindow);
                }
                wholeDue = wholeDue || commanded;
            }
            Paint(partial, whole, wholeDue, &partialPaints);
            wholeDue = false;
            ASSERT_EQ(expected::FirstDifference(partial, whole), "")
                << "seed " << seed << ", step " << step;
        }
    }
    // Most paints were partial: the comparison did test clipping.
    EXPECT_GT(partialPaints, 1500) << partialPaints;
}

// A centisecond stopwatch at 165x30 (cells 15 wide): a tick that changes the
// hundredths invalidates their cell only; one that changes the seconds, the
// cells from the seconds to the hundredths; pausing, every cell; a tick that
// changes nothing, nothing. (That a color repaints whole and a style erases, the
// command table in app_test checks.)
TEST(PartialRepaint, TicksInvalidateTheCellsThatChanged) {
    fake::Reset();
    CreateStartupBrushes();
    fake::g.clientSize = {165, 30};
    DispatchCommand(kWindow, IDM_PRECISION_CENTISECOND);
    fake::g.counter = 1000;
    DispatchCommand(kWindow, IDM_START_PAUSE);
    fake::FireTick();
    // The repaints asked for since the last look, and the partial ones' rectangles.
    const auto invalidated = [] {
        std::string out = std::to_string(fake::g.repaints) + ":";
        for (const Rect& r : fake::g.partialRects) {
            out += " " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                   std::to_string(r.right) + "," + std::to_string(r.bottom);
        }
        fake::g.repaints = fake::g.erasingRepaints = 0;
        fake::g.partialRects.clear();
        return out;
    };
    invalidated();
    for (auto [counter, rects] : {std::pair{2230u, "1: 105,0,165,30"},
                                  {2235u, "0:"},
                                  {2240u, "1: 150,0,165,30"},
                                  {2300u, "1: 135,0,165,30"}}) {
        fake::g.counter = counter;
        fake::FireTick();
        EXPECT_EQ(invalidated(), rects) << counter;
    }
    DispatchCommand(kWindow, IDM_START_PAUSE);
    EXPECT_EQ(invalidated(), "1: 0,0,165,30");
    // In a window with no height the ticks invalidate nothing.
    DispatchCommand(kWindow, IDM_START_PAUSE);
    fake::g.clientSize = {165, 0};
    OnSize(kWindow);
    invalidated();
    fake::g.counter = 2500;
    fake::FireTick();
    EXPECT_EQ(invalidated(), "0:");
}

}  // namespace
