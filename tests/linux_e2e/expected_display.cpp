// Compares a screenshot of the Linux program's client area with what the
// core's painter fills for a given state, pixel by pixel: the painter's
// rectangles in their brush colors on black.
//
//   mox_expected_display --image SHOT.ppm --size WxH --glyphs N
//       [--layout-glyphs N] [--color NAME] [--style rounded|straight]
//       [--running 0|1] [--caret] TEXT [TEXT ...]
//
// Succeeds (exit 0) when the image equals the expectation for one of the
// texts, and names it; otherwise prints how the closest one differs and
// exits 1. --caret lets the entry caret's bar be grey or absent.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
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

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
};

bool ReadPpm(const char* path, Image* image) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    int maxValue = 0;
    const bool header =
        std::fscanf(file, "P6 %d %d %d", &image->width, &image->height, &maxValue) == 3 &&
        maxValue == 255 && std::fgetc(file) != EOF;
    if (!header) {
        std::fclose(file);
        return false;
    }
    const size_t count = static_cast<size_t>(image->width) * image->height;
    std::vector<unsigned char> bytes(count * 3);
    const bool complete = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    if (!complete) return false;
    image->rgb.resize(count);
    for (size_t i = 0; i < count; ++i) {
        image->rgb[i] = (bytes[3 * i] << 16) | (bytes[3 * i + 1] << 8) | bytes[3 * i + 2];
    }
    return true;
}

uint32_t RgbOf(uint32_t colorRef) {
    return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

struct Setup {
    int width = 0;
    int height = 0;
    int glyphs = 8;
    int layoutGlyphs = 0;
    ColorIndex color = kColorGreen;
    SegmentStyle style = kStyleRounded;
    int running = 0;
    bool caret = false;
};

// The display as the program paints it right after a repaint with erase.
Image Expect(const Setup& setup, const wchar_t* text) {
    fake::Reset();
    fake::g.recordFills = true;
    fake::g.clientSize = {setup.width, setup.height};
    CreateStartupBrushes();
    SelectColor(setup.color);
    SetSegmentStyle(setup.style);
    RelayoutDisplay(fake::TestWindow(), setup.layoutGlyphs);
    {
        ClockLockGuard guard;
        g_clock.running = setup.running;
    }
    fake::g.fills.clear();
    PaintText(fake::TestCanvas(), text, setup.glyphs, g_digitArea.left, g_digitArea.top,
              g_segmentMetrics);
    Image image;
    image.width = setup.width;
    image.height = setup.height;
    image.rgb.assign(static_cast<size_t>(setup.width) * setup.height, 0);
    for (const fake::Fill& fill : fake::g.fills) {
        const uint32_t rgb = RgbOf(fake::g.brushColors[static_cast<int>(fill.brush)]);
        for (int y = std::max(fill.rect.top, 0); y < std::min(fill.rect.bottom, setup.height);
             ++y) {
            for (int x = std::max(fill.rect.left, 0); x < std::min(fill.rect.right, setup.width);
                 ++x) {
                image.rgb[static_cast<size_t>(y) * setup.width + x] = rgb;
            }
        }
    }
    return image;
}

bool InCaret(int x, int y) {
    const SegmentMetrics& m = g_segmentMetrics;
    const int left = g_digitArea.left + 8 * CellWidth(m) - m.thickness;
    const int top = g_digitArea.top + m.margin;
    return x >= left && x < left + m.thickness && y >= top && y < top + GlyphBoxHeight(m);
}

// Counts differing pixels and prints the first few when asked.
int Compare(const Setup& setup, const Image& expected, const Image& actual, bool report) {
    int differences = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const uint32_t want = expected.rgb[static_cast<size_t>(y) * expected.width + x];
            const uint32_t got = actual.rgb[static_cast<size_t>(y) * actual.width + x];
            if (got == want || (setup.caret && got == kCaretRgb && InCaret(x, y))) continue;
            if (report && differences < 8) {
                std::printf("  pixel (%d,%d): expected #%06X, got #%06X\n", x, y, want, got);
            }
            ++differences;
        }
    }
    return differences;
}

bool ParseColor(const char* name, ColorIndex* color) {
    for (int i = 0; i < kColorCount; ++i) {
        if (std::strcmp(name, kColorNames[i]) == 0) {
            *color = static_cast<ColorIndex>(i);
            return true;
        }
    }
    return false;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: mox_expected_display --image SHOT.ppm --size WxH --glyphs N "
                 "[--layout-glyphs N] [--color NAME] [--style rounded|straight] "
                 "[--running 0|1] [--caret] TEXT [TEXT ...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Setup setup;
    const char* imagePath = nullptr;
    std::vector<std::wstring> texts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--image" && hasValue) {
            imagePath = argv[++i];
        } else if (arg == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &setup.width, &setup.height) != 2) return Usage();
        } else if (arg == "--glyphs" && hasValue) {
            setup.glyphs = std::atoi(argv[++i]);
        } else if (arg == "--layout-glyphs" && hasValue) {
            setup.layoutGlyphs = std::atoi(argv[++i]);
        } else if (arg == "--color" && hasValue) {
            if (!ParseColor(argv[++i], &setup.color)) return Usage();
        } else if (arg == "--style" && hasValue) {
            setup.style = std::strcmp(argv[++i], "straight") == 0 ? kStyleStraight : kStyleRounded;
        } else if (arg == "--running" && hasValue) {
            setup.running = std::atoi(argv[++i]);
        } else if (arg == "--caret") {
            setup.caret = true;
        } else {
            texts.emplace_back(arg.begin(), arg.end());
        }
    }
    if (imagePath == nullptr || setup.width <= 0 || setup.height <= 0 || texts.empty()) {
        return Usage();
    }
    if (setup.layoutGlyphs == 0) setup.layoutGlyphs = setup.glyphs;

    Image actual;
    if (!ReadPpm(imagePath, &actual)) {
        std::printf("cannot read %s as a binary PPM\n", imagePath);
        return 1;
    }
    if (actual.width != setup.width || actual.height != setup.height) {
        std::printf("image is %dx%d, expected %dx%d\n", actual.width, actual.height, setup.width,
                    setup.height);
        return 1;
    }
    int best = -1;
    int bestDifferences = 0;
    for (size_t t = 0; t < texts.size(); ++t) {
        const Image expected = Expect(setup, texts[t].c_str());
        const int differences = Compare(setup, expected, actual, false);
        if (differences == 0) {
            std::printf("display matches %ls\n", texts[t].c_str());
            return 0;
        }
        if (best < 0 || differences < bestDifferences) {
            best = static_cast<int>(t);
            bestDifferences = differences;
        }
    }
    std::printf("display matches none of the texts; closest %ls differs in %d pixels:\n",
                texts[best].c_str(), bestDifferences);
    Compare(setup, Expect(setup, texts[best].c_str()), actual, true);
    return 1;
}
