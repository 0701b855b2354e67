// The painter's rectangles, their order and their brushes, checked against
// fills worked out by hand for a 150 x 30 client (cells of 15 x 30).
#include "display/painter.h"

#include <gtest/gtest.h>

#include <bit>
#include <tuple>
#include <vector>

#include "clock/clock.h"
#include "platform/fake/fake_platform.h"

namespace {

// (left, top, right, bottom, brush) with B background, C color, I idle.
using F = std::tuple<int32_t, int32_t, int32_t, int32_t, char>;
constexpr SegmentMetrics kMetrics{2, 2, 7, 10};
constexpr int32_t kCell = 15;

std::vector<F> Recorded() {
    std::vector<F> out;
    for (const fake::Fill& f : fake::g.fills) {
        const char brush = "BCI"[static_cast<int>(f.brush)];
        out.emplace_back(f.rect.left, f.rect.top, f.rect.right, f.rect.bottom, brush);
    }
    return out;
}

std::vector<F> Paint(const wchar_t* text, int32_t glyphs, int32_t x = 0) {
    fake::g.fills.clear();
    PaintText(fake::TestCanvas(), text, glyphs, x, 0, kMetrics);
    return Recorded();
}

// The fills that fell into cell i.
std::vector<F> FillsOfCell(const std::vector<F>& fills, int32_t i) {
    std::vector<F> out;
    for (const F& f : fills) {
        if (std::get<0>(f) / kCell == i) out.push_back(f);
    }
    return out;
}

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        g_appearance = Appearance{};
        g_clock.running = 1;
    }
    void TearDown() override {
        g_appearance = Appearance{};
        g_clock.running = 0;
    }
};

TEST_F(PainterTest, WorkedExampleStraightRunning) {
    SetSegmentStyle(kStyleStraight);
    const std::vector<F> fills = Paint(L"12:34:56.78", 10);
    EXPECT_EQ(fills.size(), 96u);  // 7 digits x 13, two colons, one point
    // "1": the segments in fill order, then the corner squares.
    const std::vector<F> one = {
        {2, 4, 4, 14, 'B'},  {2, 16, 4, 26, 'B'},  {11, 16, 13, 26, 'C'}, {11, 4, 13, 14, 'C'},
        {4, 2, 11, 4, 'B'},  {4, 14, 11, 16, 'B'}, {4, 26, 11, 28, 'B'},  {2, 2, 4, 4, 'B'},
        {2, 14, 4, 16, 'B'}, {2, 26, 4, 28, 'B'},  {11, 26, 13, 28, 'C'}, {11, 14, 13, 16, 'C'},
        {11, 2, 13, 4, 'C'},
    };
    EXPECT_EQ(FillsOfCell(fills, 0), one);
    const std::vector<F> two = {
        {17, 4, 19, 14, 'B'},  {17, 16, 19, 26, 'C'}, {26, 16, 28, 26, 'B'}, {26, 4, 28, 14, 'C'},
        {19, 2, 26, 4, 'C'},   {19, 14, 26, 16, 'C'}, {19, 26, 26, 28, 'C'}, {17, 2, 19, 4, 'C'},
        {17, 14, 19, 16, 'C'}, {17, 26, 19, 28, 'C'}, {26, 26, 28, 28, 'C'}, {26, 14, 28, 16, 'C'},
        {26, 2, 28, 4, 'C'},
    };
    EXPECT_EQ(FillsOfCell(fills, 1), two);
    EXPECT_EQ(FillsOfCell(fills, 2), (std::vector<F>{{36, 9, 38, 11, 'C'}, {36, 16, 38, 18, 'C'}}));
    EXPECT_EQ(FillsOfCell(fills, 8), (std::vector<F>{{124, 24, 126, 26, 'C'}}));
    for (size_t i = 1; i < fills.size(); ++i) {
        ASSERT_LE(std::get<0>(fills[i - 1]) / kCell, std::get<0>(fills[i]) / kCell)
            << "cells are painted left to right";
    }
    // The origin shifts every rectangle.
    const std::vector<F> shifted = Paint(L"12:34:56.78", 10, 15);
    ASSERT_EQ(shifted.size(), fills.size());
    for (size_t i = 0; i < fills.size(); ++i) {
        auto [l, t, r, b, brush] = fills[i];
        EXPECT_EQ(shifted[i], F(l + 15, t, r + 15, b, brush)) << i;
    }
}

TEST_F(PainterTest, SameRectanglesInEveryStyleLitWithTheRunningStateBrush) {
    SetSegmentStyle(kStyleStraight);
    const std::vector<F> reference = Paint(L"12:34:56.78", 10);
    const struct {
        const char* name;
        SegmentStyle style;
        int32_t running;
        size_t fills;
        char litBrush;
    } cases[] = {
        {"straight paused", kStyleStraight, 0, 96, 'I'},
        {"straight, any non-zero runs", kStyleStraight, 5, 96, 'C'},
        {"rounded running", kStyleRounded, 1, 54, 'C'},
        {"rounded paused", kStyleRounded, 0, 54, 'I'},
        {"only exactly straight has corners", static_cast<SegmentStyle>(2), 1, 54, 'C'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetSegmentStyle(c.style);
        g_clock.running = c.running;
        // Without corner squares a digit's fills are the first seven of the
        // straight style; the separators are unchanged.
        std::vector<F> expected;
        for (int32_t cell = 0; cell < 10; ++cell) {
            std::vector<F> ref = FillsOfCell(reference, cell);
            if (c.fills == 54u && cell != 2 && cell != 5 && cell != 8) ref.resize(7);
            for (F& f : ref) {
                if (std::get<4>(f) == 'C') std::get<4>(f) = c.litBrush;
            }
            expected.insert(expected.end(), ref.begin(), ref.end());
        }
        const std::vector<F> fills = Paint(L"12:34:56.78", 10);
        EXPECT_EQ(fills.size(), c.fills);
        EXPECT_EQ(fills, expected);
    }
}

TEST_F(PainterTest, SeparatorsInALargeCell) {
    // Cells of 50 x 100: separator height 92, which leaves 2 over when divided
    // by 3, so the lower colon dot shows whether twice the height was divided.
    const SegmentMetrics large{7, 7, 22, 32};
    const struct {
        wchar_t character;
        std::vector<F> fills;
    } cases[] = {
        {L':', {{121, 30, 128, 37, 'C'}, {121, 54, 128, 61, 'C'}}},
        {L'.', {{114, 78, 121, 85, 'C'}}},
        {L' ', {{100, 0, 150, 92, 'B'}}},  // the hidden colon of minute precision
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.character));
        fake::g.fills.clear();
        PaintSeparator(fake::TestCanvas(), c.character, 100, 0, large, 1);
        EXPECT_EQ(Recorded(), c.fills);
    }
}

TEST(SegmentMaskFor, DigitsLightTheirSegmentsAndTheCornersWhereThoseMeet) {
    const int kLitSegments[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
    // Each corner square and the segments that meet in it.
    const SegmentMask kJunctions[][2] = {{0x0100, 0x05}, {0x0200, 0x0B}, {0x0400, 0x12},
                                         {0x0800, 0x24}, {0x1000, 0x68}, {0x2000, 0x50}};
    for (int d = 0; d < 10; ++d) {
        SCOPED_TRACE(d);
        const SegmentMask mask = SegmentMaskFor(static_cast<wchar_t>(L'0' + d));
        EXPECT_EQ(std::popcount(static_cast<unsigned>(mask & 0x7F)), kLitSegments[d]);
        EXPECT_EQ(mask & 0xC080, 0) << "bits 7, 14 and 15 are never set";
        for (const auto& j : kJunctions) EXPECT_EQ((mask & j[0]) != 0, (mask & j[1]) != 0);
    }
    EXPECT_EQ(SegmentMaskFor(L'8'), 0x3F7F);
    EXPECT_EQ(SegmentMaskFor(L'_'), 0x0008) << "a bare dash, no corners";
    for (wchar_t other : {L' ', L':', L'.', L'a', L'\0', L'\x0660'}) {
        EXPECT_EQ(SegmentMaskFor(other), 0) << static_cast<int>(other);
    }
    if constexpr (sizeof(wchar_t) > 2) {
        // Characters are taken as their 16-bit code on every platform.
        EXPECT_EQ(SegmentMaskFor(static_cast<wchar_t>(0x10031)), SegmentMaskFor(L'1'));
    }
}

TEST(SelectColor, ReplacesTheColorBrushWithoutLeaking) {
    fake::Reset();
    g_appearance = Appearance{};
    CreateStartupBrushes();
    EXPECT_EQ(fake::g.brushColors[1], 0x0032E632u);
    for (int round = 0; round < 100; ++round) {
        for (int i = 0; i < kColorCount; ++i) {
            SelectColor(static_cast<ColorIndex>(i));
            ASSERT_EQ(fake::g.brushColors[1], kColorTable[i]);
        }
    }
    EXPECT_EQ(fake::g.brushesCreated - fake::g.brushesFreed, 3);
    EXPECT_EQ(fake::g.brushColors[1], 0x000096FFu);  // orange, the last
    const int created = fake::g.brushesCreated;
    SelectColor(static_cast<ColorIndex>(8));  // outside the table: nothing changes
    SelectColor(static_cast<ColorIndex>(-1));
    EXPECT_EQ(g_appearance.color, kColorOrange);
    EXPECT_EQ(fake::g.brushesCreated, created);
    g_appearance = Appearance{};
}

}  // namespace
