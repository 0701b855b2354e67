// Writing the settings at close, and reading them back at the next start.
#include "settings/write_back.h"

#include <string>
#include <vector>

#include "settings_fixture.h"

namespace {

using WriteBackTest = SettingsTest;

// Every key in order; a value is cut at its first line break, so that it can
// add no keys or sections of its own.
TEST_F(WriteBackTest, FirstCloseWritesEveryKeyInOrder) {
    struct Case {
        const wchar_t* alarmFile;
        const wchar_t* alarmMessage;
        std::string fileLines;
    };
    const Case cases[] = {
        {L"alarm.wav", L"Time is up!", "-alarmFile=alarm.wav\n-alarmMessage=Time is up!\n"},
        {L"bell.wav\r-noAlarm=1", L"Tea\r\n[Other]\r\n-start=1",
         "-alarmFile=bell.wav\n-alarmMessage=Tea\n"},
    };
    for (const Case& c : cases) {
        ResetState();
        ReadWith(L"");
        std::wcscpy(g_app.options.alarmFile, c.alarmFile);
        std::wcscpy(g_app.options.alarmMessage, c.alarmMessage);
        fake::g.placement = {-8, 20, 120, 30, 0};
        WriteSettings(fake::TestWindow());
        EXPECT_EQ(ReadFileBytes(iniPath_),
                  "[MOX_Timer]\n-mode=stopwatch\n-precision=second\n-color=green\n"
                  "-style=rounded\n-position=-8,20,120,30\n-start=0\n-noTitleBar=0\n"
                  "-noTaskBarIcon=0\n-fullScreen=0\n-noAlarm=0\n-quitAfterTimeUp=0\n" +
                      c.fileLines);
    }
}

TEST_F(WriteBackTest, ValuesAsHeld) {
    struct Case {
        const char* what;
        void (*change)();
        const wchar_t* key;
        const wchar_t* value;
    };
    const Case cases[] = {
        {"running one-hour countdown",
         [] {
             SetClockMode(kModeTimer, 3600000);
             ToggleClock();
             fake::g.counter += 1234567;  // whatever remains is not written
             fake::FireTick();
         },
         L"-mode", L"timer:3600"},
        {"countdown of 1.5 s", [] { SetClockMode(kModeTimer, 1500); }, L"-mode", L"timer:1"},
        {"largest countdown", [] { SetClockMode(kModeTimer, 4294967295u); }, L"-mode",
         L"timer:4294967"},
        {"flag held as 2", [] { g_app.options.noAlarm = 2; }, L"-noAlarm", L"1"},
        {"far off-screen",
         [] {
             fake::g.placement = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0};
         },
         L"-position", L"-2147483648,-2147483648,2147483647,2147483647"},
        {"empty alarm file", [] { g_app.options.alarmFile[0] = L'\0'; }, L"-alarmFile", L""},
    };
    for (const Case& c : cases) {
        ResetState();
        fake::g.placement = {10, 10, 120, 30, 0};
        c.change();
        WriteSettings(fake::TestWindow());
        EXPECT_EQ(FileGet(c.key), c.value) << c.what;
        ResetClockForTests();
    }
}

// The placement of a full-screen or minimized window is not the one to restore.
TEST_F(WriteBackTest, PositionKeptInFullScreenAndWhileMinimized) {
    struct Case {
        int32_t fullScreen, minimized;
        const wchar_t* position;
    };
    for (const Case& c : {Case{1, 0, L"1,2,3,4"}, Case{0, 1, L"1,2,3,4"}, Case{1, 1, L"1,2,3,4"},
                          Case{0, 0, L"-32000,-32000,0,0"}}) {
        ResetState();
        FileSet(L"-position", L"1,2,3,4");
        g_app.options.fullScreen = c.fullScreen;
        fake::g.placement = {-32000, -32000, 0, 0, c.minimized};
        WriteSettings(fake::TestWindow());
        EXPECT_EQ(FileGet(L"-position"), c.position) << c.fullScreen << c.minimized;
        EXPECT_EQ(FileGet(L"-fullScreen"), c.fullScreen ? L"1" : L"0");
    }
}

TEST_F(WriteBackTest, NothingWrittenWithoutSettingsPath) {
    UseSettingsFile(false);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(scratch_.Root());
    WriteSettings(fake::TestWindow());
    std::filesystem::current_path(before);
    EXPECT_EQ(scratch_.Listing(), "");
}

// Sets a state, closes, starts afresh and reads the file back.
class RoundTripTest : public SettingsTest {
protected:
    void CloseAndRestart() {
        WriteSettings(fake::TestWindow());
        ResetState(true);
        ReadWith(L"");
    }
};

TEST_F(RoundTripTest, EveryPrecisionColorAndStyle) {
    for (int p = kPrecisionMinute; p <= kPrecisionCentisecond; ++p) {
        for (int c = 0; c < kColorCount; ++c) {
            for (int s = kStyleRounded; s <= kStyleStraight; ++s) {
                ResetState();
                SetPrecision(static_cast<Precision>(p));
                SelectColor(static_cast<ColorIndex>(c));
                SetSegmentStyle(static_cast<SegmentStyle>(s));
                CloseAndRestart();
                EXPECT_EQ(g_clock.precision, p);
                EXPECT_EQ(g_appearance.color, c);
                EXPECT_EQ(g_appearance.style, s);
            }
        }
    }
}

TEST_F(RoundTripTest, ModesAndNegativePositions) {
    for (uint32_t seconds : {0u, 90u, 360000u, 4294967u}) {
        ResetState();
        SetClockMode(kModeTimer, seconds * 1000u);
        fake::g.placement = {-1920, -5, 300, 60, 0};
        CloseAndRestart();
        EXPECT_EQ(g_clock.mode, kModeTimer);
        EXPECT_EQ(g_clock.countdown, seconds * 1000u);
        const WindowOptions& o = g_app.options;
        EXPECT_EQ(std::vector<int32_t>({o.x, o.y, o.clientWidth, o.clientHeight}),
                  std::vector<int32_t>({-1920, -5, 300, 60}));
    }
    ResetState();
    SetClockMode(kModeTimer, 5000);
    SetClockMode(kModeStopwatch, 0);
    CloseAndRestart();
    EXPECT_EQ(g_clock.mode, kModeStopwatch);
}

TEST_F(RoundTripTest, Flags) {
    int32_t WindowOptions::*const flags[] = {
        &WindowOptions::start,      &WindowOptions::noTitleBar, &WindowOptions::noTaskBarIcon,
        &WindowOptions::fullScreen, &WindowOptions::noAlarm,    &WindowOptions::quitAfterTimeUp,
    };
    for (auto flag : flags) {
        ResetState();
        g_app.options.*flag = 7;
        CloseAndRestart();
        for (auto other : flags) EXPECT_EQ(g_app.options.*other, other == flag ? 1 : 0);
    }
}

TEST_F(RoundTripTest, AlarmTexts) {
    struct Case {
        const wchar_t* held;
        const wchar_t* readBack;
    };
    const Case cases[] = {
        {L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u00df",
         L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u00df"},
        {L"\u6642\u9593\u3067\u3059\uff01", L"\u6642\u9593\u3067\u3059\uff01"},
        {L"  Tea is ready  ", L"Tea is ready"},
        {L"C:\\semi;colon = equals", L"C:\\semi;colon = equals"},
    };
    for (const Case& c : cases) {
        ResetState();
        std::wcscpy(g_app.options.alarmFile, c.held);
        std::wcscpy(g_app.options.alarmMessage, c.held);
        CloseAndRestart();
        EXPECT_STREQ(g_app.options.alarmFile, c.readBack);
        EXPECT_STREQ(g_app.options.alarmMessage, c.readBack);
    }
}

}  // namespace
