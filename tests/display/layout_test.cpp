// Layout of the digit cells and the entry caret for a range of client sizes.
#include "display/layout.h"

#include <gtest/gtest.h>

#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

struct LayoutCase {
    const char* name;
    int32_t clientWidth, clientHeight, glyphs;
    DigitArea area;
    SegmentMetrics metrics;
    int32_t caretWidth, caretHeight, caretX, caretY;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

// Expected values worked out by hand from the client size.
const LayoutCase kCases[] = {
    {"150x30 N10 tie is width-limited", 150, 30, 10, {0, 0, 150, 30}, {2, 2, 7, 10}, 2, 26, 118, 2},
    {"150x30 N8 height-limited", 150, 30, 8, {15, 0, 135, 30}, {2, 2, 7, 10}, 2, 26, 133, 2},
    {"150x30 N11", 150, 30, 11, {3, 2, 147, 28}, {1, 1, 9, 10}, 1, 23, 106, 3},
    {"120x30 N8 default size", 120, 30, 8, {0, 0, 120, 30}, {2, 2, 7, 10}, 2, 26, 118, 2},
    {"165x30 N11 default size", 165, 30, 11, {0, 0, 165, 30}, {2, 2, 7, 10}, 2, 26, 118, 2},
    {"400x300 N11", 400, 300, 11, {2, 114, 398, 186}, {5, 5, 16, 23}, 5, 61, 285, 119},
    {"1000x100 N8", 1000, 100, 8, {300, 0, 700, 100}, {7, 7, 22, 32}, 7, 85, 693, 7},
    {"100x200 N10", 100, 200, 10, {0, 90, 100, 110}, {1, 1, 6, 7}, 1, 17, 79, 91},
    {"0x0", 0, 0, 8, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 0, 0},
    {"7x3 N8 tiny", 7, 3, 8, {3, 1, 4, 2}, {0, 0, 0, 0}, 0, 0, 3, 1},
    {"width wraps at 2^16", 65536 + 200, 30, 10, {25, 0, 175, 30}, {2, 2, 7, 10}, 2, 26, 143, 2},
    // The spare bottom row belongs to the cell: height 27, not 26.
    {"130x27 N10 odd spare row", 130, 27, 10, {0, 0, 130, 27}, {1, 1, 9, 11}, 1, 25, 103, 1},
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {
protected:
    void SetUp() override {
        fake::Reset();
        g_entryActive.store(0);
    }
    void TearDown() override { g_entryActive.store(0); }
};

void ExpectArea(const DigitArea& got, const DigitArea& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

void ExpectMetrics(const SegmentMetrics& got, const SegmentMetrics& want) {
    EXPECT_EQ(got.margin, want.margin);
    EXPECT_EQ(got.thickness, want.thickness);
    EXPECT_EQ(got.horizontalLength, want.horizontalLength);
    EXPECT_EQ(got.verticalLength, want.verticalLength);
}

TEST_P(LayoutTest, RelayoutStoresAreaAndMetricsAndRepaintsWithErase) {
    const LayoutCase& c = GetParam();
    fake::g.clientSize = {c.clientWidth, c.clientHeight};

    RelayoutDisplay(fake::TestWindow(), c.glyphs);

    ExpectArea(g_digitArea, c.area);
    ExpectMetrics(g_segmentMetrics, c.metrics);
    EXPECT_EQ(fake::g.repaints, 1);
    EXPECT_EQ(fake::g.erasingRepaints, 1);
    EXPECT_TRUE(fake::g.caretCalls.empty()) << "no caret outside countdown entry";
}

TEST_P(LayoutTest, RelayoutDuringEntryPlacesCaretBehindEighthGlyph) {
    const LayoutCase& c = GetParam();
    fake::g.clientSize = {c.clientWidth, c.clientHeight};
    g_entryActive.store(1);

    RelayoutDisplay(fake::TestWindow(), c.glyphs);

    ASSERT_EQ(fake::g.caretCalls.size(), 3u);
    EXPECT_EQ(fake::g.caretCalls[0].kind, fake::CaretCall::Create);
    EXPECT_EQ(fake::g.caretCalls[0].a, c.caretWidth);
    EXPECT_EQ(fake::g.caretCalls[0].b, c.caretHeight);
    EXPECT_EQ(fake::g.caretCalls[1].kind, fake::CaretCall::Place);
    EXPECT_EQ(fake::g.caretCalls[1].a, c.caretX);
    EXPECT_EQ(fake::g.caretCalls[1].b, c.caretY);
    EXPECT_EQ(fake::g.caretCalls[2].kind, fake::CaretCall::Show);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, LayoutTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

TEST(FitDigitArea, LargestTwoToOneCellsCentred) {
    // Across many sizes: the area holds N cells of 2:1 with at most one spare
    // pixel each way, is symmetric about the centre, and no larger cell fits.
    for (int32_t glyphs : {8, 10, 11}) {
        for (int32_t w = 0; w <= 400; w += 7) {
            for (int32_t h = 0; h <= 200; h += 3) {
                const DigitArea a = FitDigitArea(w, h, glyphs);
                const int32_t areaWidth = a.right - a.left;
                const int32_t areaHeight = a.bottom - a.top;
                const int32_t cell = areaWidth / glyphs;
                SCOPED_TRACE(::testing::Message() << w << "x" << h << " N=" << glyphs);
                ASSERT_GE(a.left, 0);
                ASSERT_GE(a.top, 0);
                ASSERT_EQ(a.right, w - a.left);
                ASSERT_EQ(a.bottom, h - a.top);
                ASSERT_LE(areaWidth - glyphs * cell, 1);
                ASSERT_LE(areaHeight - 2 * cell, 1);
                ASSERT_GE(areaHeight - 2 * cell, 0);
                ASSERT_LE(glyphs * cell, w);
                ASSERT_LE(2 * cell, h);
                ASSERT_TRUE(glyphs * (cell + 1) > w || 2 * (cell + 1) > h) << "a larger cell fits";
            }
        }
    }
}

TEST(ComputeSegmentMetrics, BarsFillTheCellAcrossAndDown) {
    for (int32_t w = 0; w <= 120; ++w) {
        for (int32_t h = 0; h <= 240; h += 5) {
            const SegmentMetrics m = ComputeSegmentMetrics(w, h);
            SCOPED_TRACE(::testing::Message() << w << "x" << h);
            ASSERT_EQ(m.margin, m.thickness);
            ASSERT_EQ(CellWidth(m), w);
            const int32_t down = 2 * m.margin + GlyphBoxHeight(m);
            ASSERT_TRUE(down == h || down == h - 1) << down;
            ASSERT_GE(m.horizontalLength, 0);
            ASSERT_GE(m.verticalLength, 0);
        }
    }
}

TEST(ComputeSegmentMetrics, SizesWrapAt16Bits) {
    const SegmentMetrics m = ComputeSegmentMetrics(65536 + 15, 65536 + 30);
    ExpectMetrics(m, SegmentMetrics{2, 2, 7, 10});
}

}  // namespace
