// The GTK layer's resource counters: brushes and carets counted where they
// are made and dropped, and the log line a soak run reads at exit.
#include "platform/gtk/resource_counts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gtk/native_window.h"

namespace {

TEST(ResourceCountsTest, BrushesAndCaretsBalance) {
    const ResourceCounts start = g_resourceCounts;
    CreateDisplayBrushes(0x000000, 0x32E632, 0xBEBEBE);
    for (uint32_t color = 0; color < 5; ++color) ReplaceColorBrush(color);
    EXPECT_EQ(DisplayBrushesMade(), 3);
    // Created again at start-up here: the first three are replaced, too.
    EXPECT_EQ(g_resourceCounts.brushesCreated - start.brushesCreated, 8);
    EXPECT_EQ(g_resourceCounts.brushesCreated, g_resourceCounts.brushesFreed + 3);

    NativeWindow window;
    CreateEntryCaret(&window, 2, 20);
    CreateEntryCaret(&window, 2, 24);  // replaces the first
    EXPECT_EQ(g_resourceCounts.caretsCreated - start.caretsCreated, 2);
    EXPECT_EQ(g_resourceCounts.caretsDestroyed - start.caretsDestroyed, 1);
    DestroyEntryCaret(&window);
    DestroyEntryCaret(&window);  // nothing left to destroy
    EXPECT_EQ(g_resourceCounts.caretsDestroyed - start.caretsDestroyed, 2);
    // Closing the window during entry takes the caret along.
    CreateEntryCaret(&window, 2, 20);
    StopEntryCaret(&window);
    EXPECT_EQ(g_resourceCounts.caretsCreated - start.caretsCreated, 3);
    EXPECT_EQ(g_resourceCounts.caretsDestroyed - start.caretsDestroyed, 3);
}

TEST(ResourceCountsTest, LogIsOneLineWrittenOnce) {
    char path[] = "/tmp/mox-resource-log-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    setenv("MOX_RESOURCE_LOG", path, 1);
    NativeWindow window;
    CreateEntryCaret(&window, 2, 20);
    const ResourceCounts counts = g_resourceCounts;
    WriteResourceLog(&window);
    ++g_resourceCounts.menusShown;
    WriteResourceLog(&window);
    unsetenv("MOX_RESOURCE_LOG");
    StopEntryCaret(&window);

    char text[512] = {};
    FILE* file = std::fopen(path, "r");
    ASSERT_NE(file, nullptr);
    const size_t length = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    std::remove(path);
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "brushes_created=%d brushes_freed=%d brushes_live=%d carets_created=%d "
                  "carets_destroyed=%d carets_live=1 menus_shown=%d\n",
                  counts.brushesCreated, counts.brushesFreed, DisplayBrushesMade(),
                  counts.caretsCreated, counts.caretsDestroyed, counts.menusShown);
    EXPECT_EQ(std::string(text, length), expected);

    char small[16];
    EXPECT_EQ(FormatResourceLine(small, sizeof small, counts, 3, 0), sizeof small - 1);
    EXPECT_EQ(std::strlen(small), sizeof small - 1);
}

}  // namespace
