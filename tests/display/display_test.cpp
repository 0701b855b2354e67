// The layout for client sizes worked out by hand, and every glyph the painter
// fills, pixel by pixel, against its picture.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "app/operations.h"
#include "display/layout.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"
#include "tests/display/glyph_pictures.h"

namespace {

using fake::CaretCall;

// Client width, height, glyphs; the area (left, top, right, bottom); the metrics
// (margin, thickness, horizontal and vertical bar length); the entry caret
// (x, y, width, height). The painter's test below checks two more sizes pixel by pixel.
TEST(Layout, WorkedExamples) {
    const std::array<int32_t, 15> cases[] = {
        {150, 30, 8, 15, 0, 135, 30, 2, 2, 7, 10, 133, 2, 2, 26},
        {150, 30, 11, 3, 2, 147, 28, 1, 1, 9, 10, 106, 3, 1, 23},
        {1000, 100, 8, 300, 0, 700, 100, 7, 7, 22, 32, 693, 7, 7, 85},
        {100, 200, 10, 0, 90, 100, 110, 1, 1, 6, 7, 79, 91, 1, 17},
        {7, 3, 8, 3, 1, 4, 2, 0, 0, 0, 0, 3, 1, 0, 0},
        {65536 + 200, 30, 10, 25, 0, 175, 30, 2, 2, 7, 10, 143, 2, 2, 26},
    };
    for (const auto& c : cases) {
        fake::Reset();
        g_entryActive.store(1);
        fake::g.clientSize = {c[0], c[1]};
        RelayoutDisplay(fake::TestWindow(), c[2]);
        const DigitArea& a = g_digitArea;
        const SegmentMetrics& m = g_segmentMetrics;
        ASSERT_EQ(fake::g.caretCalls.size(), 3u);
        const CaretCall& size = fake::g.caretCalls[0];
        const CaretCall& at = fake::g.caretCalls[1];
        EXPECT_EQ(c, (std::array<int32_t, 15>{c[0], c[1], c[2], a.left, a.top, a.right, a.bottom,
                                              m.margin, m.thickness, m.horizontalLength,
                                              m.verticalLength, at.a, at.b, size.a, size.b}));
        EXPECT_EQ(
            std::tuple(size.kind, at.kind, fake::g.caretCalls[2].kind, fake::g.erasingRepaints),
            std::tuple(CaretCall::Create, CaretCall::Place, CaretCall::Show, 1));
    }
    g_entryActive.store(0);
    // A cell that is not 2:1 takes its bar width from the narrower side.
    const SegmentMetrics square = ComputeSegmentMetrics(70, 70),
                         flat = ComputeSegmentMetrics(70, 300);
    EXPECT_EQ((std::array{square.thickness, square.horizontalLength, square.verticalLength,
                          flat.thickness, flat.horizontalLength, flat.verticalLength}),
              (std::array{5, 50, 22, 10, 30, 125}));
    RelayoutDisplay(fake::TestWindow(), 8);
    EXPECT_EQ(fake::g.caretCalls.size(), 3u) << "no caret outside countdown entry";
}

// Both texts hold every digit, "_", a digit place holding neither, and at the
// separator places " ", ".", ":" and characters that paint nothing there.
TEST(Painter, EveryGlyphPixelByPixelAtTwoSizes) {
    const struct { int32_t width, height, glyphs; } sizes[] = {{150, 30, 10}, {400, 300, 11}};
    for (const auto& s : sizes) {
        for (const bool straight : {true, false}) {
            for (const std::wstring text : {L"01:23.45 67", L"891_x:9:._8"}) {
                SCOPED_TRACE(testing::PrintToString(text) + (straight ? " straight" : " rounded"));
                const bool running = straight;  // the idle brush in the rounded runs
                fake::Reset();
                fake::g.clientSize = {s.width, s.height};
                RelayoutDisplay(fake::TestWindow(), s.glyphs);
                SetSegmentStyle(straight ? kStyleStraight : kStyleRounded);
                PaintText(fake::TestCanvas(), text.c_str(), s.glyphs, g_digitArea.left,
                          g_digitArea.top, g_segmentMetrics, running);

                const expected::Layout l = expected::LayOut(s.width, s.height, s.glyphs);
                expected::Raster want(s.width, s.height), got(s.width, s.height);
                expected::Paint(want, text, s.glyphs, l, straight, running);
                for (const fake::Fill& f : fake::g.fills) {
                    got.Fill(f.rect.left, f.rect.top, f.rect.right, f.rect.bottom,
                             "BCI"[static_cast<int>(f.brush)]);
                }
                EXPECT_EQ(fake::g.fills.size(), static_cast<size_t>(want.fills));
                EXPECT_EQ(expected::FirstDifference(got, want), "");
            }
        }
    }
    for (const auto& [glyphs, fills] : {std::pair{-1, 0}, {0, 0}, {12, 8 * 7 + 5}}) {
        fake::Reset();
        PaintText(fake::TestCanvas(), L"12:34:56.78", glyphs, 0, 0, {2, 2, 7, 10}, 0);
        EXPECT_EQ(fake::g.fills.size(), static_cast<size_t>(fills)) << glyphs;
    }
}

TEST(Painter, ColorsReplaceTheColorBrushInPlace) {
    fake::Reset();
    CreateStartupBrushes();
    EXPECT_EQ(std::vector<uint32_t>(fake::g.brushColors, fake::g.brushColors + 3),
              (std::vector<uint32_t>{0, expected::kColors[kColorGreen], expected::kIdle}));
    for (int i : {7, 0, 1, 2, 3, 4, 5, 6, 8, -1}) {  // the last two are outside the table
        SelectColor(static_cast<ColorIndex>(i));
        EXPECT_EQ(fake::g.brushColors[1], expected::kColors[i < 0 || i > 7 ? 6 : i]) << i;
        EXPECT_EQ(g_appearance.color, i < 0 || i > 7 ? 6 : i);
    }
    EXPECT_EQ(fake::g.brushesCreated - fake::g.brushesFreed, 3);
}

}  // namespace
