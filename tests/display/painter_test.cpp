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

constexpr SegmentMetrics kMetrics{2, 2, 7, 10};  // cellWidth 15, separator height 28
constexpr int32_t kCell = 15;

char BrushLetter(BrushRole role) {
    switch (role) {
        case BrushRole::Background:
            return 'B';
        case BrushRole::Color:
            return 'C';
        case BrushRole::Idle:
            return 'I';
    }
    return '?';
}

std::vector<F> Recorded() {
    std::vector<F> out;
    for (const fake::Fill& f : fake::g.fills) {
        out.emplace_back(f.rect.left, f.rect.top, f.rect.right, f.rect.bottom,
                         BrushLetter(f.brush));
    }
    return out;
}

// The fills that fell into cell i of a row painted from x = originX.
std::vector<F> FillsOfCell(const std::vector<F>& fills, int32_t i, int32_t originX = 0) {
    std::vector<F> out;
    for (const F& f : fills) {
        const int32_t left = std::get<0>(f) - originX;
        if (left >= i * kCell && left < (i + 1) * kCell) out.push_back(f);
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
    std::vector<F> Paint(const wchar_t* text, int32_t glyphs, int32_t x = 0, int32_t y = 0) {
        fake::g.fills.clear();
        PaintText(fake::TestCanvas(), text, glyphs, x, y, kMetrics);
        return Recorded();
    }
};

TEST_F(PainterTest, WorkedExampleStraightRunning) {
    SetSegmentStyle(kStyleStraight);
    const std::vector<F> fills = Paint(L"12:34:56.78", 10);

    EXPECT_EQ(fills.size(), 96u);  // 7 digits x 13, two colons, one point
    // "1": segments in fill order, then the corner squares.
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
    // Cells are painted left to right.
    for (size_t i = 1; i < fills.size(); ++i) {
        ASSERT_LE(std::get<0>(fills[i - 1]) / kCell, std::get<0>(fills[i]) / kCell) << i;
    }
}

struct AppearanceCase {
    const char* name;
    SegmentStyle style;
    int32_t running;
    size_t fills;
    char litBrush;
};

void PrintTo(const AppearanceCase& c, std::ostream* os) {
    *os << c.name;
}

class PainterAppearanceTest : public PainterTest,
                              public ::testing::WithParamInterface<AppearanceCase> {};

TEST_P(PainterAppearanceTest, SameRectanglesLitWithTheRunningStateBrush) {
    const AppearanceCase& c = GetParam();
    SetSegmentStyle(kStyleStraight);
    const std::vector<F> reference = Paint(L"12:34:56.78", 10);  // straight, running

    SetSegmentStyle(c.style);
    g_clock.running = c.running;
    const std::vector<F> fills = Paint(L"12:34:56.78", 10);

    ASSERT_EQ(fills.size(), c.fills);
    // Without corner squares the segments of each digit are its first seven
    // fills of the straight style; the separators are unchanged.
    std::vector<F> expected;
    for (int32_t cell = 0; cell < 10; ++cell) {
        std::vector<F> ref = FillsOfCell(reference, cell);
        const bool digit = cell != 2 && cell != 5 && cell != 8;
        if (digit && c.fills == 54u) ref.resize(7);
        for (F& f : ref) {
            if (std::get<4>(f) == 'C') std::get<4>(f) = c.litBrush;
        }
        expected.insert(expected.end(), ref.begin(), ref.end());
    }
    EXPECT_EQ(fills, expected);
}

INSTANTIATE_TEST_SUITE_P(
    StylesAndStates, PainterAppearanceTest,
    ::testing::Values(AppearanceCase{"StraightPaused", kStyleStraight, 0, 96, 'I'},
                      AppearanceCase{"StraightAnyNonZeroRuns", kStyleStraight, 5, 96, 'C'},
                      AppearanceCase{"RoundedRunning", kStyleRounded, 1, 54, 'C'},
                      AppearanceCase{"RoundedPaused", kStyleRounded, 0, 54, 'I'},
                      // Only exactly straight paints the corner squares.
                      AppearanceCase{"UnknownStyleHasNoCorners", static_cast<SegmentStyle>(2), 1,
                                     54, 'C'}),
    [](const ::testing::TestParamInfo<AppearanceCase>& info) { return info.param.name; });

TEST_F(PainterTest, GlyphCountDecidesHowManyCellsArePainted) {
    SetSegmentStyle(kStyleStraight);
    const struct {
        int32_t glyphs;
        size_t fills;
        int32_t lastCell;
    } cases[] = {{8, 6 * 13 + 4, 7}, {10, 7 * 13 + 5, 9}, {11, 8 * 13 + 5, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.glyphs);
        const std::vector<F> fills = Paint(L"12:34:56.789999", c.glyphs);
        EXPECT_EQ(fills.size(), c.fills);
        EXPECT_FALSE(FillsOfCell(fills, c.lastCell).empty());
        EXPECT_TRUE(FillsOfCell(fills, c.lastCell + 1).empty());
    }
}

TEST_F(PainterTest, OriginShiftsEveryRectangle) {
    const std::vector<F> atZero = Paint(L"12:34:56", 8);
    const std::vector<F> shifted = Paint(L"12:34:56", 8, 15, 3);
    ASSERT_EQ(atZero.size(), shifted.size());
    for (size_t i = 0; i < atZero.size(); ++i) {
        auto [l, t, r, b, brush] = atZero[i];
        EXPECT_EQ(shifted[i], F(l + 15, t + 3, r + 15, b + 3, brush)) << i;
    }
}

TEST_F(PainterTest, MinutePrecisionHiddenColonAndDashes) {
    SetSegmentStyle(kStyleStraight);
    const std::vector<F> fills = Paint(L"12:34 __.00", 8);

    EXPECT_EQ(FillsOfCell(fills, 5), (std::vector<F>{{75, 0, 90, 28, 'B'}}));
    for (int32_t cell : {6, 7}) {
        const std::vector<F> dash = FillsOfCell(fills, cell);
        ASSERT_EQ(dash.size(), 13u);
        const int32_t x = cell * kCell;
        for (size_t i = 0; i < dash.size(); ++i) {
            const char expected = i == 5 ? 'C' : 'B';  // the middle segment only
            EXPECT_EQ(std::get<4>(dash[i]), expected) << "cell " << cell << " fill " << i;
        }
        EXPECT_EQ(dash[5], F(x + 4, 14, x + 11, 16, 'C'));
    }
}

TEST_F(PainterTest, CharactersOutOfPlace) {
    SetSegmentStyle(kStyleStraight);
    // From 100 hours on the text is longer: a digit lands on a separator place
    // and a colon on a digit place.
    const std::vector<F> fills = Paint(L"100:00:00.00", 10);
    EXPECT_TRUE(FillsOfCell(fills, 2).empty());
    const std::vector<F> colonAsDigit = FillsOfCell(fills, 3);
    ASSERT_EQ(colonAsDigit.size(), 13u);
    for (const F& f : colonAsDigit) EXPECT_EQ(std::get<4>(f), 'B');

    // The terminator is not consulted: what follows it is painted too.
    const wchar_t text[] = {L'1', L'2', L':', L'\0', L'4', L':', L'5', L'6'};
    const std::vector<F> afterTerminator = Paint(text, 8);
    for (const F& f : FillsOfCell(afterTerminator, 3)) EXPECT_EQ(std::get<4>(f), 'B');
    EXPECT_EQ(FillsOfCell(afterTerminator, 4)[3], F(71, 4, 73, 14, 'C'));  // "4" upper-right
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
        {L' ', {{100, 0, 150, 92, 'B'}}},
        {L'5', {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.character));
        fake::g.fills.clear();
        PaintSeparator(fake::TestCanvas(), c.character, 100, 0, large, 1);
        EXPECT_EQ(Recorded(), c.fills);
    }
}

TEST(SegmentMaskFor, DigitsLightTheRightNumberOfSegmentsAndTheirCorners) {
    // Segments lit per digit on any seven-segment display.
    const int kLitSegments[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
    // Each corner square and the segments that meet in it.
    const struct {
        SegmentMask corner, segments;
    } kJunctions[] = {
        {0x0100, 0x0001 | 0x0004}, {0x0200, 0x0001 | 0x0002 | 0x0008}, {0x0400, 0x0002 | 0x0010},
        {0x0800, 0x0004 | 0x0020}, {0x1000, 0x0020 | 0x0040 | 0x0008}, {0x2000, 0x0040 | 0x0010},
    };
    for (int d = 0; d < 10; ++d) {
        const SegmentMask mask = SegmentMaskFor(static_cast<wchar_t>(L'0' + d));
        SCOPED_TRACE(d);
        EXPECT_EQ(std::popcount(static_cast<unsigned>(mask & 0x7F)), kLitSegments[d]);
        EXPECT_EQ(mask & 0xC080, 0) << "bits 7, 14 and 15 are never set";
        // A corner is lit exactly when a segment meeting in it is lit.
        for (const auto& j : kJunctions) {
            EXPECT_EQ((mask & j.corner) != 0, (mask & j.segments) != 0) << std::hex << j.corner;
        }
    }
    EXPECT_EQ(SegmentMaskFor(L'8'), 0x3F7F);
    EXPECT_EQ(SegmentMaskFor(L'_'), 0x0008) << "a bare dash, no corners";
    for (wchar_t other : {L' ', L':', L'.', L'a', L'\0', L'/', L'\x0660'}) {
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
    EXPECT_EQ(fake::g.brushColors[0], 0x00000000u);
    EXPECT_EQ(fake::g.brushColors[1], 0x0032E632u);
    EXPECT_EQ(fake::g.brushColors[2], 0x00BEBEBEu);

    for (int round = 0; round < 100; ++round) {
        for (int i = 0; i < kColorCount; ++i) {
            SelectColor(static_cast<ColorIndex>(i));
            ASSERT_EQ(g_appearance.color, i);
            ASSERT_EQ(fake::g.brushColors[1], kColorTable[i]);
        }
    }
    EXPECT_EQ(fake::g.brushesCreated - fake::g.brushesFreed, 3);

    SelectColor(kColorOrange);
    EXPECT_EQ(fake::g.brushColors[1], 0x000096FFu);
    // Outside the table nothing changes.
    const int created = fake::g.brushesCreated;
    SelectColor(static_cast<ColorIndex>(8));
    SelectColor(static_cast<ColorIndex>(-1));
    EXPECT_EQ(g_appearance.color, kColorOrange);
    EXPECT_EQ(fake::g.brushesCreated, created);
    g_appearance = Appearance{};
}

}  // namespace
