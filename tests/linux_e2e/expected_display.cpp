// Compares a screenshot of the Linux program's client area with what the
// display must show for a state, worked out from the layout rules and the
// glyph pictures (tests/display/glyph_pictures.h), not from the program's own
// layout or painter:
//   mox_expected_display --image SHOT.ppm --size WxH --glyphs N [--color NAME]
//       [--style straight] [--running 1] [--caret] [--scale S] TEXT [TEXT ...]
// Exits 0 when the shot equals the display for one of the texts. --caret
// lets the entry caret's bar be grey or absent. With --scale S the size is
// the logical client size, the shot is S times as large, and the display is
// laid out on the shot's device pixels.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/display/glyph_pictures.h"

namespace {

struct Request {
    int width = 0, height = 0, glyphs = 8, scale = 1;
    int color = 1;  // green
    bool straight = false, running = false, caret = false;
};

// The pixels of the shot (RGB bytes) that differ from the display painted with erase.
int Differences(const Request& r, const std::vector<unsigned char>& shot,
                const std::wstring& text) {
    const expected::Layout l = expected::LayOut(r.width, r.height, r.glyphs);
    expected::Raster want(r.width, r.height);
    expected::Paint(want, text, r.glyphs, l, r.straight, r.running);
    const int caretLeft = l.left + 8 * l.CellWidth() - l.t, caretTop = l.top + l.m;
    int differences = 0;
    for (int i = 0; i < r.width * r.height; ++i) {
        const int x = i % r.width, y = i / r.width;
        const char brush = want.pixels[static_cast<size_t>(i)];
        const uint32_t bgr = brush == 'C'   ? expected::kColors[r.color]
                             : brush == 'I' ? expected::kIdle
                                            : 0;
        const uint32_t got = shot[3 * i] | (shot[3 * i + 1] << 8) | (shot[3 * i + 2] << 16);
        const bool caretBar = r.caret && got == 0x808080 && x >= caretLeft && x < caretLeft + l.t &&
                              y >= caretTop && y < caretTop + 3 * l.t + 2 * l.v;
        if (got != bgr && !caretBar && ++differences <= 3) {
            std::printf("  %ls: pixel (%d,%d) is BGR %06X, not %06X\n", text.c_str(), x, y, got,
                        bgr);
        }
    }
    return differences;
}

}  // namespace

int main(int argc, char** argv) {
    Request r;
    const char* imagePath = "";
    std::vector<std::wstring> texts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--caret") {
            r.caret = true;
        } else if (!arg.starts_with("--")) {
            texts.emplace_back(arg.begin(), arg.end());
        } else {
            ++i;
            if (arg == "--image") imagePath = value;
            if (arg == "--size") std::sscanf(value, "%dx%d", &r.width, &r.height);
            if (arg == "--glyphs") r.glyphs = std::atoi(value);
            if (arg == "--running") r.running = std::atoi(value) != 0;
            if (arg == "--scale") r.scale = std::atoi(value);
            if (arg == "--style") r.straight = std::strcmp(value, "straight") == 0;
            for (int c = 0; arg == "--color" && c < 8; ++c) {
                if (std::strcmp(expected::kColorNames[c], value) == 0) r.color = c;
            }
        }
    }
    r.width *= r.scale;
    r.height *= r.scale;
    const bool sane = r.width > 0 && r.height > 0 && r.glyphs > 0 && r.scale > 0;
    std::vector<unsigned char> shot(sane ? static_cast<size_t>(r.width) * r.height * 3 : 0);
    FILE* file = std::fopen(imagePath, "rb");
    int width = 0, height = 0, maxValue = 0;
    const bool ok = sane && file != nullptr &&
                    std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) == 3 &&
                    maxValue == 255 && std::fgetc(file) != EOF && width == r.width &&
                    height == r.height &&
                    std::fread(shot.data(), 1, shot.size(), file) == shot.size();
    if (file != nullptr) std::fclose(file);
    if (!ok || texts.empty()) {
        std::printf("no texts, or %s is no %dx%d binary PPM\n", imagePath, r.width, r.height);
        return 2;
    }
    for (const std::wstring& text : texts) {
        if (Differences(r, shot, text) == 0) return 0;
    }
    return 1;
}
