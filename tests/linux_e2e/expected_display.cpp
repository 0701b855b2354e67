// Compares a screenshot of the Linux program's client area with what the
// core's painter fills for a given state, pixel by pixel: the painter's
// rectangles in their brush colors on black.
//
//   mox_expected_display --image SHOT.ppm --size WxH --glyphs N [--color NAME]
//       [--style rounded|straight] [--running 0|1] [--caret] TEXT [TEXT ...]
//
// Exits 0 when the image equals the expectation for one of the texts;
// otherwise prints how the closest one differs and exits 1. --caret lets the
// entry caret's bar be grey or absent.
#include <algorithm>
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

constexpr uint32_t kCaretRgb = 0x808080;
const char* const kColorNames[kColorCount] = {"red",    "green", "blue",    "white",
                                              "yellow", "cyan",  "magenta", "orange"};

struct Setup {
    int width = 0;
    int height = 0;
    int glyphs = 8;
    ColorIndex color = kColorGreen;
    SegmentStyle style = kStyleRounded;
    int running = 0;
    bool caret = false;
};

using Image = std::vector<uint32_t>;  // width * height RGB values, row by row

bool ReadPpm(const char* path, const Setup& setup, Image* image) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    int width = 0, height = 0, maxValue = 0;
    bool ok = std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) == 3 &&
              maxValue == 255 && std::fgetc(file) != EOF && width == setup.width &&
              height == setup.height;
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 3);
    ok = ok && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    for (size_t i = 0; ok && i < bytes.size(); i += 3) {
        image->push_back((bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2]);
    }
    return ok;
}

// The display as the program paints it right after a repaint with erase.
Image Expect(const Setup& setup, const wchar_t* text) {
    fake::Reset();
    fake::g.recordFills = true;
    fake::g.clientSize = {setup.width, setup.height};
    CreateStartupBrushes();
    SelectColor(setup.color);
    SetSegmentStyle(setup.style);
    RelayoutDisplay(fake::TestWindow(), setup.glyphs);
    {
        ClockLockGuard guard;
        g_clock.running = setup.running;
    }
    fake::g.fills.clear();
    PaintText(fake::TestCanvas(), text, setup.glyphs, g_digitArea.left, g_digitArea.top,
              g_segmentMetrics);
    Image image(static_cast<size_t>(setup.width) * setup.height, 0);
    for (const fake::Fill& fill : fake::g.fills) {
        const uint32_t bgr = fake::g.brushColors[static_cast<int>(fill.brush)];
        const uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
        for (int y = std::max(fill.rect.top, 0); y < std::min(fill.rect.bottom, setup.height);
             ++y) {
            for (int x = std::max(fill.rect.left, 0); x < std::min(fill.rect.right, setup.width);
                 ++x) {
                image[static_cast<size_t>(y) * setup.width + x] = rgb;
            }
        }
    }
    return image;
}

// Counts differing pixels and prints the first few when asked.
int Compare(const Setup& setup, const Image& expected, const Image& actual, bool report) {
    const SegmentMetrics& m = g_segmentMetrics;
    const int caretLeft = g_digitArea.left + 8 * CellWidth(m) - m.thickness;
    const int caretTop = g_digitArea.top + m.margin;
    auto inCaret = [&](int x, int y) {
        return x >= caretLeft && x < caretLeft + m.thickness && y >= caretTop &&
               y < caretTop + GlyphBoxHeight(m);
    };
    int differences = 0;
    for (int y = 0; y < setup.height; ++y) {
        for (int x = 0; x < setup.width; ++x) {
            const uint32_t want = expected[static_cast<size_t>(y) * setup.width + x];
            const uint32_t got = actual[static_cast<size_t>(y) * setup.width + x];
            if (got == want || (setup.caret && got == kCaretRgb && inCaret(x, y))) continue;
            if (report && differences < 8) {
                std::printf("  pixel (%d,%d): expected #%06X, got #%06X\n", x, y, want, got);
            }
            ++differences;
        }
    }
    return differences;
}

int Usage() {
    std::fprintf(stderr, "usage: see the comment at the top of expected_display.cpp\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Setup setup;
    const char* imagePath = nullptr;
    std::vector<std::wstring> texts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        const bool flag = arg.starts_with("--") && arg != "--caret";
        if (arg == "--image") imagePath = value;
        if (arg == "--size") std::sscanf(value, "%dx%d", &setup.width, &setup.height);
        if (arg == "--glyphs") setup.glyphs = std::atoi(value);
        if (arg == "--running") setup.running = std::atoi(value);
        if (arg == "--caret") setup.caret = true;
        if (arg == "--style" && std::strcmp(value, "straight") == 0) setup.style = kStyleStraight;
        if (arg == "--color") {
            const auto* found =
                std::find_if(kColorNames, kColorNames + kColorCount,
                             [&](const char* n) { return std::strcmp(n, value) == 0; });
            if (found == kColorNames + kColorCount) return Usage();
            setup.color = static_cast<ColorIndex>(found - kColorNames);
        }
        if (!arg.starts_with("--")) texts.emplace_back(arg.begin(), arg.end());
        if (flag) ++i;
    }
    if (imagePath == nullptr || setup.width <= 0 || setup.height <= 0 || texts.empty()) {
        return Usage();
    }
    Image actual;
    if (!ReadPpm(imagePath, setup, &actual)) {
        std::printf("cannot read %s as a %dx%d binary PPM\n", imagePath, setup.width, setup.height);
        return 1;
    }
    size_t best = 0;
    int bestDifferences = -1;
    for (size_t t = 0; t < texts.size(); ++t) {
        const int differences = Compare(setup, Expect(setup, texts[t].c_str()), actual, false);
        if (differences == 0) return 0;
        if (bestDifferences < 0 || differences < bestDifferences) {
            best = t;
            bestDifferences = differences;
        }
    }
    std::printf("display matches none of the texts; closest %ls differs in %d pixels:\n",
                texts[best].c_str(), bestDifferences);
    Compare(setup, Expect(setup, texts[best].c_str()), actual, true);
    return 1;
}
