// The Win32 layer's brushes: a replaced color brush is deleted, not leaked.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/resource_counts.h"
#include "platform/win32/win32_program.h"

TEST(Win32LayerTest, ReplacedColorBrushIsDeletedAndTheCountsBalance) {
    CreateDisplayBrushes(0x000000, 0x32E632, 0xBEBEBE);
    const HBRUSH before = DisplayBrush(BrushRole::Color);
    ReplaceColorBrush(0x0096FF);
    EXPECT_EQ(GetObjectType(before), 0u);
    EXPECT_EQ(g_resourceCounts.brushesCreated, 4);
    EXPECT_EQ(g_resourceCounts.brushesFreed, 1);
}
