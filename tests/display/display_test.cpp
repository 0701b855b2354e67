// The layout for client sizes worked out by hand, and the painter's fills for
// "12:34:56.78" in the 150 x 30 layout (cells of 15 x 30).
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "clock/clock.h"
#include "display/layout.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"

namespace {

// Client width, height, glyphs; then the area (left, top, right, bottom) and the
// metrics (margin, thickness, horizontal and vertical bar length).
TEST(Layout, WorkedExamples) {
    const std::array<int32_t, 11> cases[] = {
        {150, 30, 10, 0, 0, 150, 30, 2, 2, 7, 10},
        {150, 30, 11, 3, 2, 147, 28, 1, 1, 9, 10},
        {400, 300, 11, 2, 114, 398, 186, 5, 5, 16, 23},
        {1000, 100, 8, 300, 0, 700, 100, 7, 7, 22, 32},
        {7, 3, 8, 3, 1, 4, 2, 0, 0, 0, 0},
        {65536 + 200, 30, 10, 25, 0, 175, 30, 2, 2, 7, 10},
    };
    for (const auto& c : cases) {
        fake::Reset();
        fake::g.clientSize = {c[0], c[1]};
        RelayoutDisplay(fake::TestWindow(), c[2]);
        const DigitArea& a = g_digitArea;
        const SegmentMetrics& m = g_segmentMetrics;
        EXPECT_EQ(c, (std::array<int32_t, 11>{c[0], c[1], c[2], a.left, a.top, a.right, a.bottom,
                                              m.margin, m.thickness, m.horizontalLength,
                                              m.verticalLength}));
        EXPECT_EQ(fake::g.erasingRepaints, 1);
    }
}

using F = std::tuple<int32_t, int32_t, int32_t, int32_t, char>;  // brush: B, C(olor), I(dle)

std::vector<F> Paint(SegmentStyle style, int32_t running) {
    fake::Reset();
    SetSegmentStyle(style);
    g_clock.running = running;
    PaintText(fake::TestCanvas(), L"12:34:56.78", 10, 0, 0, {2, 2, 7, 10});
    std::vector<F> out;
    for (const fake::Fill& f : fake::g.fills) {
        const char brush = "BCI"[static_cast<int>(f.brush)];
        out.emplace_back(f.rect.left, f.rect.top, f.rect.right, f.rect.bottom, brush);
    }
    return out;
}

TEST(Painter, WorkedExample) {
    const std::vector<F> straight = Paint(kStyleStraight, 1);
    ASSERT_EQ(straight.size(), 96u);  // 7 digits x (7 bars + 6 corners), 2 colons, 1 point
    EXPECT_EQ(straight[0], F(2, 4, 4, 14, 'B'));    // the "1": unlit upper left bar
    EXPECT_EQ(straight[3], F(11, 4, 13, 14, 'C'));  // lit upper right bar
    EXPECT_EQ(straight[12], F(11, 2, 13, 4, 'C'));  // its last corner
    EXPECT_EQ(straight[26], F(36, 9, 38, 11, 'C'));
    EXPECT_EQ(straight[27], F(36, 16, 38, 18, 'C'));
    EXPECT_EQ(straight[82], F(124, 24, 126, 26, 'C'));

    const std::vector<F> rounded = Paint(kStyleRounded, 0);
    ASSERT_EQ(rounded.size(), 54u);  // no corner squares
    EXPECT_EQ(rounded[3], F(11, 4, 13, 14, 'I')) << "paused lights with the idle brush";
    EXPECT_EQ(rounded[14], F(36, 9, 38, 11, 'I'));
}

TEST(Painter, SelectingColorsKeepsThreeBrushes) {
    fake::Reset();
    CreateStartupBrushes();
    for (int i = 0; i < kColorCount; ++i) SelectColor(static_cast<ColorIndex>(i));
    SelectColor(static_cast<ColorIndex>(8));  // outside the table: ignored
    EXPECT_EQ(fake::g.brushColors[1], kColorTable[kColorOrange]);
    EXPECT_EQ(fake::g.brushesCreated - fake::g.brushesFreed, 3);
    g_appearance = Appearance{};
}

}  // namespace
