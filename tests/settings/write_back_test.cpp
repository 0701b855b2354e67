// Writing the settings at close, and reading them back at the next start.
#include "settings/write_back.h"

#include <string>
#include <vector>

#include "settings_fixture.h"

namespace {

using WriteBackTest = SettingsTest;

WindowHandle Window() {
    return fake::TestWindow();
}

TEST_F(WriteBackTest, FirstCloseWritesEveryKeyInOrder) {
    ReadWith(L"");
    fake::g.placement = {-8, 20, 120, 30, 0};
    WriteSettings(Window());
    const std::vector<std::string> expected = {
        "[MOX_Timer]",
        "-mode=stopwatch",
        "-precision=second",
        "-color=green",
        "-style=rounded",
        "-position=-8,20,120,30",
        "-start=0",
        "-noTitleBar=0",
        "-noTaskBarIcon=0",
        "-fullScreen=0",
        "-noAlarm=0",
        "-quitAfterTimeUp=0",
        "-alarmFile=alarm.wav",
        "-alarmMessage=Time is up!",
    };
    EXPECT_EQ(FileLines(), expected);
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
        {"back to the stopwatch",
         [] {
             SetClockMode(kModeTimer, 60000);
             SetClockMode(kModeStopwatch, 0);
         },
         L"-mode", L"stopwatch"},
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
        WriteSettings(Window());
        EXPECT_EQ(FileGet(c.key), c.value) << c.what;
        ResetClockForTests();
    }
}

TEST_F(WriteBackTest, LineBreaksAddNoKeysOrSections) {
    std::wcscpy(g_app.options.alarmMessage, L"Tea\r\n[Other]\r\n-start=1");
    std::wcscpy(g_app.options.alarmFile, L"bell.wav\r-noAlarm=1");
    WriteSettings(Window());
    EXPECT_EQ(FileGet(L"-alarmMessage"), L"Tea");
    EXPECT_EQ(FileGet(L"-alarmFile"), L"bell.wav");
    for (const std::string& line : FileLines()) {
        EXPECT_NE(line, "[Other]");
        EXPECT_NE(line, "-start=1");
        EXPECT_NE(line, "-noAlarm=1");
    }
    EXPECT_EQ(FileLines().size(), 14u);
}

TEST_F(WriteBackTest, PositionKeptInFullScreenAndWhileMinimized) {
    struct Case {
        int32_t fullScreen;
        int32_t minimized;
    };
    for (const Case& c : {Case{1, 0}, Case{0, 1}, Case{1, 1}}) {
        ResetState();
        FileSet(L"-position", L"1,2,3,4");
        g_app.options.fullScreen = c.fullScreen;
        fake::g.placement = {-32000, -32000, 0, 0, c.minimized};
        WriteSettings(Window());
        EXPECT_EQ(FileGet(L"-position"), L"1,2,3,4") << c.fullScreen << c.minimized;
        EXPECT_EQ(FileGet(L"-fullScreen"), c.fullScreen ? L"1" : L"0");
        EXPECT_EQ(FileGet(L"-mode"), L"stopwatch") << "the other keys are written";
    }
    // Neither: the window's placement replaces the file's.
    ResetState();
    FileSet(L"-position", L"1,2,3,4");
    fake::g.placement = {5, 6, 7, 8, 0};
    WriteSettings(Window());
    EXPECT_EQ(FileGet(L"-position"), L"5,6,7,8");
}

TEST_F(WriteBackTest, OtherKeysAndSectionsSurvive) {
    ProfileWriteString(L"Other", L"name", L"kept", iniPath_.c_str());
    FileSet(L"-extra", L"also kept");
    FileSet(L"-color", L"blue");
    WriteSettings(Window());
    wchar_t buffer[32];
    ProfileGetString(L"Other", L"name", L"", buffer, 32, iniPath_.c_str());
    EXPECT_STREQ(buffer, L"kept");
    EXPECT_EQ(FileGet(L"-extra"), L"also kept");
    EXPECT_EQ(FileGet(L"-color"), L"green");
}

TEST_F(WriteBackTest, NothingWrittenWithoutSettingsPath) {
    UseSettingsFile(false);
    std::filesystem::current_path(folder_);
    WriteSettings(Window());
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

// Sets a state, closes, starts afresh and reads the file back.
class RoundTripTest : public SettingsTest {
protected:
    void CloseAndRestart() {
        WriteSettings(Window());
        ResetState();
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

TEST_F(RoundTripTest, Modes) {
    for (uint32_t seconds : {0u, 1u, 90u, 3600u, 359999u, 360000u, 4294967u}) {
        ResetState();
        SetClockMode(kModeTimer, seconds * 1000u);
        CloseAndRestart();
        EXPECT_EQ(g_clock.mode, kModeTimer);
        EXPECT_EQ(g_clock.countdown, seconds * 1000u);
    }
    ResetState();
    SetClockMode(kModeTimer, 5000);
    SetClockMode(kModeStopwatch, 0);
    CloseAndRestart();
    EXPECT_EQ(g_clock.mode, kModeStopwatch);
}

TEST_F(RoundTripTest, Positions) {
    const WindowPlacement placements[] = {
        {-1920, -5, 300, 60, 0}, {0, 0, 1, 1, 0}, {2500, 1400, 165, 30, 0}, {-7, 0, 0, 0, 0}};
    for (const WindowPlacement& p : placements) {
        ResetState();
        fake::g.placement = p;
        CloseAndRestart();
        EXPECT_EQ(g_app.options.x, p.outerLeft);
        EXPECT_EQ(g_app.options.y, p.outerTop);
        EXPECT_EQ(g_app.options.clientWidth, p.clientWidth);
        EXPECT_EQ(g_app.options.clientHeight, p.clientHeight);
    }
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
    // Set once on the command line, the flag stays through the file.
    ResetState();
    ReadWith(L"-noAlarm");
    CloseAndRestart();
    EXPECT_EQ(g_app.options.noAlarm, 1);
}

TEST_F(RoundTripTest, AlarmTexts) {
    struct Case {
        const wchar_t* held;
        const wchar_t* readBack;
    };
    const Case cases[] = {
        {L"C:\\Sounds\\bell.wav", L"C:\\Sounds\\bell.wav"},
        {L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u00df",
         L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u00df"},
        {L"\u6642\u9593\u3067\u3059\uff01", L"\u6642\u9593\u3067\u3059\uff01"},
        {L"  Tea is ready  ", L"Tea is ready"},
        {L"semi;colon = equals", L"semi;colon = equals"},
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
