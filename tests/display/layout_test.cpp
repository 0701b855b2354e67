// Layout of the digit cells and the entry caret for a range of client sizes.
#include "display/layout.h"

#include <gtest/gtest.h>

#include <cstring>

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

// Expected values worked out by hand from the client size.
const LayoutCase kCases[] = {
    {"150x30 N10: a tie, width-limited",
     150,
     30,
     10,
     {0, 0, 150, 30},
     {2, 2, 7, 10},
     2,
     26,
     118,
     2},
    {"150x30 N11", 150, 30, 11, {3, 2, 147, 28}, {1, 1, 9, 10}, 1, 23, 106, 3},
    {"400x300 N11", 400, 300, 11, {2, 114, 398, 186}, {5, 5, 16, 23}, 5, 61, 285, 119},
    {"1000x100 N8", 1000, 100, 8, {300, 0, 700, 100}, {7, 7, 22, 32}, 7, 85, 693, 7},
    {"0x0", 0, 0, 8, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 0, 0},
    {"7x3 N8", 7, 3, 8, {3, 1, 4, 2}, {0, 0, 0, 0}, 0, 0, 3, 1},
    {"width wraps at 2^16", 65536 + 200, 30, 10, {25, 0, 175, 30}, {2, 2, 7, 10}, 2, 26, 143, 2},
    // The spare bottom row belongs to the cell: height 27, not 26.
    {"130x27 N10", 130, 27, 10, {0, 0, 130, 27}, {1, 1, 9, 11}, 1, 25, 103, 1},
};

template <typename T>
bool Same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;  // four int32_t, no padding
}

TEST(Layout, WorkedExamples) {
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        fake::Reset();
        fake::g.clientSize = {c.clientWidth, c.clientHeight};
        g_entryActive.store(0);
        RelayoutDisplay(fake::TestWindow(), c.glyphs);
        EXPECT_TRUE(Same(g_digitArea, c.area));
        EXPECT_TRUE(Same(g_segmentMetrics, c.metrics));
        EXPECT_EQ(fake::g.erasingRepaints, 1);
        EXPECT_TRUE(fake::g.caretCalls.empty()) << "no caret outside countdown entry";

        // During entry the caret stands behind the eighth glyph.
        g_entryActive.store(1);
        RelayoutDisplay(fake::TestWindow(), c.glyphs);
        g_entryActive.store(0);
        ASSERT_EQ(fake::g.caretCalls.size(), 3u);
        const auto& calls = fake::g.caretCalls;
        EXPECT_EQ(calls[0].kind, fake::CaretCall::Create);
        EXPECT_EQ(calls[0].a, c.caretWidth);
        EXPECT_EQ(calls[0].b, c.caretHeight);
        EXPECT_EQ(calls[1].kind, fake::CaretCall::Place);
        EXPECT_EQ(calls[1].a, c.caretX);
        EXPECT_EQ(calls[1].b, c.caretY);
        EXPECT_EQ(calls[2].kind, fake::CaretCall::Show);
    }
}

TEST(Layout, LargestTwoToOneCellsCentredAndBarsFillThem) {
    for (int32_t glyphs : {8, 10, 11}) {
        for (int32_t w = 0; w <= 400; w += 7) {
            for (int32_t h = 0; h <= 200; h += 3) {
                SCOPED_TRACE(::testing::Message() << w << "x" << h << " N=" << glyphs);
                const DigitArea a = FitDigitArea(w, h, glyphs);
                const int32_t cell = (a.right - a.left) / glyphs;
                ASSERT_TRUE(a.left >= 0 && a.top >= 0 && a.right == w - a.left &&
                            a.bottom == h - a.top)
                    << "not centred";
                ASSERT_LE(a.right - a.left - glyphs * cell, 1);
                const int32_t spareRow = a.bottom - a.top - 2 * cell;
                ASSERT_TRUE(spareRow == 0 || spareRow == 1);
                ASSERT_TRUE(glyphs * (cell + 1) > w || 2 * (cell + 1) > h) << "a larger cell fits";
                const SegmentMetrics m = ComputeSegmentMetrics(cell, a.bottom - a.top);
                ASSERT_EQ(CellWidth(m), cell);
                const int32_t below = a.bottom - a.top - 2 * m.margin - GlyphBoxHeight(m);
                ASSERT_TRUE(below == 0 || below == 1) << "the bars do not fill the cell down";
            }
        }
    }
}

}  // namespace
