// Compares a screenshot of the Linux program's client area with what the
// core's painter fills for a state (its rectangles in brush colors on black):
//   mox_expected_display --image SHOT.ppm --size WxH --glyphs N [--color NAME]
//       [--style straight] [--running 1] [--caret] TEXT [TEXT ...]
// Exits 0 when the shot equals the display for one of the texts. --caret
// lets the entry caret's bar be grey or absent.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "display/layout.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"

namespace {

const char* const kColorNames[kColorCount] = {"red",    "green", "blue",    "white",
                                              "yellow", "cyan",  "magenta", "orange"};
int g_width = 0, g_height = 0, g_glyphs = 8, g_running = 0;
ColorIndex g_color = kColorGreen;
SegmentStyle g_style = kStyleRounded;
bool g_caret = false;

// The pixels of the shot (RGB bytes) that differ from the display painted with erase.
int Differences(const std::vector<unsigned char>& shot, const wchar_t* text) {
    fake::Reset();
    fake::g.recordFills = true;
    fake::g.clientSize = {g_width, g_height};
    CreateStartupBrushes();
    SelectColor(g_color);
    SetSegmentStyle(g_style);
    RelayoutDisplay(fake::TestWindow(), g_glyphs);
    g_clock.running = g_running;
    fake::g.fills.clear();
    const SegmentMetrics& m = g_segmentMetrics;
    PaintText(fake::TestCanvas(), text, g_glyphs, g_digitArea.left, g_digitArea.top, m);
    std::vector<uint32_t> want(static_cast<size_t>(g_width) * g_height, 0);
    for (const fake::Fill& fill : fake::g.fills) {
        const uint32_t bgr = fake::g.brushColors[static_cast<int>(fill.brush)];
        for (int y = fill.rect.top; y < fill.rect.bottom; ++y) {
            for (int x = fill.rect.left; x < fill.rect.right; ++x) {
                if (x >= 0 && x < g_width && y >= 0 && y < g_height) want[y * g_width + x] = bgr;
            }
        }
    }
    const int caretLeft = g_digitArea.left + 8 * CellWidth(m) - m.thickness;
    const int caretTop = g_digitArea.top + m.margin;
    int differences = 0;
    for (int i = 0; i < g_width * g_height; ++i) {
        const int x = i % g_width, y = i / g_width;
        const uint32_t got = shot[3 * i] | (shot[3 * i + 1] << 8) | (shot[3 * i + 2] << 16);
        const bool caretBar = g_caret && got == 0x808080 && x >= caretLeft &&
                              x < caretLeft + m.thickness && y >= caretTop &&
                              y < caretTop + GlyphBoxHeight(m);
        if (got != want[i] && !caretBar && ++differences <= 3) {
            std::printf("  %ls: pixel (%d,%d) is BGR %06X, not %06X\n", text, x, y, got, want[i]);
        }
    }
    return differences;
}

}  // namespace

int main(int argc, char** argv) {
    const char* imagePath = "";
    std::vector<std::wstring> texts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--caret") {
            g_caret = true;
        } else if (!arg.starts_with("--")) {
            texts.emplace_back(arg.begin(), arg.end());
        } else {
            ++i;
            if (arg == "--image") imagePath = value;
            if (arg == "--size") std::sscanf(value, "%dx%d", &g_width, &g_height);
            if (arg == "--glyphs") g_glyphs = std::atoi(value);
            if (arg == "--running") g_running = std::atoi(value);
            if (arg == "--style" && std::strcmp(value, "straight") == 0) g_style = kStyleStraight;
            for (int c = 0; arg == "--color" && c < kColorCount; ++c) {
                if (std::strcmp(kColorNames[c], value) == 0) g_color = static_cast<ColorIndex>(c);
            }
        }
    }
    std::vector<unsigned char> shot(static_cast<size_t>(g_width) * g_height * 3);
    FILE* file = std::fopen(imagePath, "rb");
    int width = 0, height = 0, maxValue = 0;
    const bool ok =
        file != nullptr && std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) == 3 &&
        maxValue == 255 && std::fgetc(file) != EOF && width == g_width && height == g_height &&
        std::fread(shot.data(), 1, shot.size(), file) == shot.size();
    if (file != nullptr) std::fclose(file);
    if (!ok || shot.empty() || texts.empty()) {
        std::printf("no texts, or %s is no %dx%d binary PPM\n", imagePath, g_width, g_height);
        return 2;
    }
    for (const std::wstring& text : texts) {
        if (Differences(shot, text.c_str()) == 0) return 0;
    }
    return 1;
}
