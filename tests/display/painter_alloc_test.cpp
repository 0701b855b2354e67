// The painter runs up to 100 times a second: it must not allocate. This
// executable counts every operator new (counting_new.cpp).
#include <gtest/gtest.h>

#include <string>

#include "clock/clock.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"
#include "tests/display/counting_new.h"

TEST(PaintTextAllocation, PaintsWithoutAllocating) {
    fake::Reset();
    fake::g.recordFills = false;  // the fake's own recording would allocate
    g_clock.running = 1;
    for (SegmentStyle style : {kStyleStraight, kStyleRounded}) {
        SetSegmentStyle(style);
        const long before = AllocationsSoFar();
        for (int i = 0; i < 100; ++i) {
            PaintText(fake::TestCanvas(), L"12:34:56.78", 11, 2, 114, {5, 5, 16, 23});
            PaintText(fake::TestCanvas(), L"12:34 __.00", 8, 2, 114, {5, 5, 16, 23});
        }
        EXPECT_EQ(AllocationsSoFar() - before, 0) << style;
    }
    // Straight: 109 + 81 fills per round; rounded: 61 + 45.
    EXPECT_EQ(fake::g.fillCount, 100u * (109 + 81) + 100u * (61 + 45)) << "nothing was painted";
    // The counter is live, so the zeros above mean something.
    const long before = AllocationsSoFar();
    const std::wstring onTheHeap(100, L'x');
    EXPECT_GT(AllocationsSoFar(), before);
}
