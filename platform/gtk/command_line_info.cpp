// --help, -h and --version.
#include "platform/gtk/command_line_info.h"

#include <cstdio>
#include <cstring>

#include "app/app_record.h"
#include "app/window_logic.h"
#include "platform/posix/path_bytes.h"

namespace {

// The options' lines are kept in step with the manual page (moxtimer.1).
constexpr char kUsageText[] =
    "Usage: moxtimer [OPTION]...\n"
    "A stopwatch and countdown timer with a seven-segment display in one small\n"
    "always-on-top window.\n"
    "\n"
    "Options:\n"
    "  -mode=timer:SECONDS      count down SECONDS seconds (default: stopwatch)\n"
    "  -precision=PRECISION     minute, second, decisecond or centisecond\n"
    "                           (default: second)\n"
    "  -color=COLOR             red, green, blue, white, yellow, cyan, magenta or\n"
    "                           orange (default: green)\n"
    "  -style=STYLE             rounded or straight (default: rounded)\n"
    "  -position=X,Y,W,H        the window's place and the display's width and\n"
    "                           height in pixels\n"
    "  -start                   start the clock at once\n"
    "  -noTitleBar              no title bar\n"
    "  -noTaskBarIcon           no taskbar entry\n"
    "  -fullScreen              start in full screen\n"
    "  -noAlarm                 no sound and no message when a countdown ends\n"
    "  -alarmFile=FILE          the WAV file played when a countdown ends\n"
    "                           (default: alarm.wav); a relative name is looked\n"
    "                           up in the current folder, then beside the program\n"
    "  -alarmMessage=TEXT       the message shown when a countdown ends\n"
    "                           (default: Time is up!)\n"
    "  -quitAfterTimeUp         quit when a countdown ends\n"
    "  -h, --help               print this help and exit\n"
    "  --version                print the version and exit\n"
    "A value holding blanks goes in double quotes: -alarmMessage=\"Tea is ready\".\n"
    "\n"
    "Keys and mouse:\n"
    "  Space, middle click      start, pause, resume\n"
    "  F1                       about\n"
    "  F11                      full screen on and off\n"
    "  Esc                      leave full screen\n"
    "  left drag                move the window\n"
    "  left double-click        hide or show the title bar\n"
    "  right click, Menu key, Shift+F10\n"
    "                           the menu: start, reset, stopwatch, timer presets,\n"
    "                           your own countdown, precision, color, style,\n"
    "                           title bar, full screen, about, exit\n"
    "  digits, Backspace, Enter, Esc\n"
    "                           type your own countdown, set it, cancel it\n"
    "\n"
    "Every option can also stand in the settings file, one a line under\n"
    "[MOX_Timer], such as -color=orange or -start=1; the command line wins.\n"
    "The settings file is written whenever the window closes.\n";

}  // namespace

InfoRequest FindInfoRequest(int argc, char** argv) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return InfoRequest::Help;
        }
        if (std::strcmp(argv[i], "--version") == 0) return InfoRequest::Version;
    }
    return InfoRequest::None;
}

int AnswerInfoRequest(InfoRequest request) {
    if (request == InfoRequest::Version) {
        std::fputs("moxtimer " MOX_VERSION "\n", stdout);
    } else {
        // The very derivation start-up makes; it reads but creates nothing.
        PrepareSettingsPath();
        static char path[4 * kSettingsPathCapacity];
        WideToBytes(g_app.settingsPath, path, sizeof path);  // empty when it does not fit
        std::fputs(kUsageText, stdout);
        std::printf("Settings file of this run: %s\n",
                    path[0] != '\0' ? path : "none (no settings are kept)");
    }
    // A help text that never arrived (a full disk, a closed pipe) is no success.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
