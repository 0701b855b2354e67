// Fuzzes the option reader with an arbitrary command line and an arbitrary
// settings file. The input is the command line (bytes widened one to one, so
// it may hold any character up to U+00FF), then a NUL byte, then the file's
// bytes; without a NUL there is no settings file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_record.h"
#include "clock/clock.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"
#include "settings/options.h"
#include "settings/settings_path.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path f =
            fs::temp_directory_path() / ("mox-options-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(f);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(Folder(), ignored);
        });
        return f;
    }();
    return folder;
}

bool Terminated(const wchar_t* text, size_t capacity) {
    return std::wmemchr(text, L'\0', capacity) != nullptr;
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "options_fuzz: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t split = 0;
    while (split < size && data[split] != 0) ++split;
    std::wstring commandLine(data, data + split);

    const fs::path ini = Folder() / "moxtimer.ini";
    std::error_code ignored;
    fs::remove(ini, ignored);
    if (split < size) {
        std::ofstream out(ini, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + split + 1),
                  static_cast<std::streamsize>(size - split - 1));
    }

    // Every piece of state ReadOptions touches, back to process start.
    fake::Reset();
    fake::g.executablePath = (Folder() / "moxtimer.exe").wstring();
    fake::g.commandLine = commandLine;

    DeriveSettingsPath();
    Check(std::wstring(g_app.settingsPath) == ini.wstring(), "settings path");
    ReadOptions();

    const WindowOptions& o = g_app.options;
    Check(Terminated(o.alarmFile, kAlarmFileCapacity), "alarm file not terminated");
    Check(Terminated(o.alarmMessage, kAlarmMessageCapacity), "alarm message not terminated");
    Check((o.style | kStyleCaption) == kDefaultWindowStyle, "window style");
    Check((o.extendedStyle | kExStyleAppWindow) == kDefaultExtendedStyle, "extended style");
    Check(g_clock.precision >= kPrecisionMinute && g_clock.precision <= kPrecisionCentisecond,
          "precision");
    return 0;
}
