// Reading the thirteen options from the command line and the settings file.
#include <cwchar>
#include <string>

#include "clock/time_text.h"
#include "settings/decimal_text.h"
#include "settings_fixture.h"

namespace {

constexpr int32_t kDefault = kUseDefaultPosition;

// A file entry to write before reading; a null key writes nothing.
struct FileEntry {
    const wchar_t* key;
    const wchar_t* value;
};

using OptionsTest = SettingsTest;

TEST_F(OptionsTest, NothingGivenGivesEveryDefault) {
    for (bool withFile : {true, false}) {
        ResetState();
        UseSettingsFile(withFile);
        ReadWith(L"");
        EXPECT_EQ(g_clock.mode, kModeStopwatch);
        EXPECT_EQ(g_clock.precision, kPrecisionSecond);
        EXPECT_EQ(g_appearance.color, kColorGreen);
        EXPECT_EQ(g_appearance.style, kStyleRounded);
        const WindowOptions& o = g_app.options;
        EXPECT_EQ(o.x, kDefault);
        EXPECT_EQ(o.y, kDefault);
        EXPECT_EQ(o.clientWidth, 120);
        EXPECT_EQ(o.clientHeight, 30);
        EXPECT_EQ(
            o.start | o.noTitleBar | o.noTaskBarIcon | o.fullScreen | o.noAlarm | o.quitAfterTimeUp,
            0);
        EXPECT_EQ(o.style, 0x00CE0000u);
        EXPECT_EQ(o.extendedStyle, 0x00040088u);
        EXPECT_STREQ(o.alarmFile, L"alarm.wav");
        EXPECT_STREQ(o.alarmMessage, L"Time is up!");
        EXPECT_FALSE(FileExists()) << "reading must not create the file";
    }
}

TEST_F(OptionsTest, ModeValueSetsTheCountdown) {
    struct Case {
        const wchar_t* arguments;
        FileEntry file;
        ClockMode mode;
        uint32_t countdownMs;
    };
    const Case cases[] = {
        {L"-mode=timer:90", {}, kModeTimer, 90000},
        {L"-mode=timer:", {}, kModeTimer, 0},
        {L"-mode=timer: 7", {}, kModeTimer, 7000},
        {L"-mode=timer:360000", {}, kModeTimer, 360000000},
        {L"-mode=Timer:90", {}, kModeStopwatch, 0},
        {L"-mode= timer:5", {}, kModeStopwatch, 0},
        // The largest countdown whose milliseconds fit; beyond it the number
        // is held there instead of wrapping to a short countdown.
        {L"-mode=timer:4294967", {}, kModeTimer, 4294967000u},
        {L"-mode=timer:4294968", {}, kModeTimer, 4294967000u},
        {L"-mode=timer:99999999999999", {}, kModeTimer, 4294967000u},
        {L"-mode=timer:-5", {}, kModeTimer, 4294967000u},
        // The command line wins even with an empty or unknown value.
        {L"-mode=", {L"-mode", L"timer:30"}, kModeStopwatch, 0},
        {L"-mode=stopwatch", {L"-mode", L"timer:30"}, kModeStopwatch, 0},
        {L"", {L"-mode", L"timer:30"}, kModeTimer, 30000},
        // A file value is cut to 15 characters: "timer:000000000".
        {L"", {L"-mode", L"timer:00000000045"}, kModeTimer, 0},
    };
    for (const Case& c : cases) {
        ResetState();
        if (c.file.key) FileSet(c.file.key, c.file.value);
        ReadWith(c.arguments);
        SCOPED_TRACE(testing::Message() << "arguments: " << std::wstring(c.arguments));
        EXPECT_EQ(g_clock.mode, c.mode);
        if (c.mode == kModeTimer) {
            EXPECT_EQ(g_clock.countdown, c.countdownMs);
        }
    }
}

TEST_F(OptionsTest, CountdownTextIsFormattedBeforeThePrecisionIsRead) {
    ReadWith(L"-mode=timer:360000");
    EXPECT_STREQ(g_displayText, L"100:00:00.00");

    ResetState();
    ReadWith(L"-mode=timer:90 -precision=minute");
    EXPECT_EQ(g_clock.precision, kPrecisionMinute);
    EXPECT_STREQ(g_displayText, L"00:01:30.00") << "formatted under precision second";
}

TEST_F(OptionsTest, PrecisionByPrefix) {
    struct Case {
        const wchar_t* value;
        Precision precision;
        int32_t clientWidth;
    };
    const Case cases[] = {
        {L"decisecond", kPrecisionDecisecond, 150},
        {L"decimal", kPrecisionDecisecond, 150},
        {L"dec", kPrecisionDecisecond, 150},
        {L"de", kPrecisionSecond, 120},
        {L"centisecond", kPrecisionCentisecond, 165},
        {L"centi", kPrecisionCentisecond, 165},
        {L"cent", kPrecisionSecond, 120},
        {L"minute", kPrecisionMinute, 120},
        {L"minutes", kPrecisionMinute, 120},
        {L"minut", kPrecisionSecond, 120},
        {L"Minute", kPrecisionSecond, 120},
        {L"second", kPrecisionSecond, 120},
        {L"", kPrecisionSecond, 120},
    };
    for (const Case& c : cases) {
        for (bool fromFile : {false, true}) {
            ResetState();
            SCOPED_TRACE(testing::Message() << std::wstring(c.value) << " from file " << fromFile);
            if (fromFile) {
                FileSet(L"-precision", c.value);
                ReadWith(L"");
            } else {
                FileSet(L"-precision", L"centisecond");  // never read
                ReadWith(std::wstring(L"-precision=") + c.value);
            }
            EXPECT_EQ(g_clock.precision, c.precision);
            EXPECT_EQ(g_app.options.clientWidth, c.clientWidth);
        }
    }
}

TEST_F(OptionsTest, ColorByPrefixWithGreenAsFallback) {
    struct Case {
        const wchar_t* value;
        ColorIndex color;
    };
    const Case cases[] = {
        {L"red", kColorRed},        {L"redwood", kColorRed},     {L"Red", kColorGreen},
        {L"purple", kColorGreen},   {L"green", kColorGreen},     {L"blue", kColorBlue},
        {L"bluegreen", kColorBlue}, {L"white", kColorWhite},     {L"yellow", kColorYellow},
        {L"cyan", kColorCyan},      {L"magenta", kColorMagenta}, {L"orange", kColorOrange},
        {L"oran", kColorGreen},     {L"", kColorGreen},
    };
    for (const Case& c : cases) {
        for (bool fromFile : {false, true}) {
            ResetState();
            SCOPED_TRACE(testing::Message() << std::wstring(c.value) << " from file " << fromFile);
            g_appearance.color = kColorCyan;  // the fallback must be selected, not left
            if (fromFile) {
                FileSet(L"-color", c.value);
                ReadWith(L"");
            } else {
                ReadWith(std::wstring(L"-color=") + c.value);
            }
            EXPECT_EQ(g_appearance.color, c.color);
            EXPECT_EQ(fake::g.brushColors[1], kColorTable[c.color]);
        }
    }
}

TEST_F(OptionsTest, CommandLineValueWinsOverTheFileEvenWhenUnknown) {
    FileSet(L"-color", L"blue");
    ReadWith(L"-color=purple");
    EXPECT_EQ(g_appearance.color, kColorGreen);

    ResetState();
    FileSet(L"-color", L"blue");
    ReadWith(L"-start");
    EXPECT_EQ(g_appearance.color, kColorBlue);
}

TEST_F(OptionsTest, StyleByFourCharacters) {
    struct Case {
        const wchar_t* value;
        SegmentStyle style;
    };
    const Case cases[] = {
        {L"straight", kStyleStraight}, {L"stray", kStyleStraight},  {L"Straight", kStyleRounded},
        {L"str", kStyleRounded},       {L"rounded", kStyleRounded}, {L"", kStyleRounded},
    };
    for (const Case& c : cases) {
        ResetState();
        // The opposite beforehand: the style must be set in every case.
        g_appearance.style = c.style == kStyleRounded ? kStyleStraight : kStyleRounded;
        ReadWith(std::wstring(L"-style=") + c.value);
        EXPECT_EQ(g_appearance.style, c.style) << std::wstring(c.value);
    }
    ResetState();
    FileSet(L"-style", L"straight");
    ReadWith(L"");
    EXPECT_EQ(g_appearance.style, kStyleStraight);
}

TEST_F(OptionsTest, PositionValues) {
    struct Case {
        const wchar_t* arguments;  // null: the value comes from the file
        const wchar_t* fileValue;
        int32_t x, y, width, height;
    };
    const Case cases[] = {
        {L"-position=100,0,100,20", nullptr, 100, 0, 100, 20},
        {L"-position=100;0;100;20", nullptr, 100, 0, 100, 20},
        // One character is skipped after each number, whatever it is.
        {L"-position=10 ,20, 300, 40", nullptr, 10, 0, 20, 300},
        {L"-position=-5,-10,200,40", nullptr, -5, -10, 200, 40},
        {L"-position=99999999999,-99999999999,1,1", nullptr, INT32_MAX, INT32_MIN, 1, 1},
        // A value that ends early is never read past its end.
        {L"-position=5", nullptr, 5, 0, 120, 30},
        {L"-position=5,", nullptr, 5, 0, 120, 30},
        {L"-position=5,6", nullptr, 5, 6, 120, 30},
        {L"-position=5,6,7", nullptr, 5, 6, 7, 30},
        {L"-position=5,6,7,", nullptr, 5, 6, 7, 30},
        // A value that goes on with other text is read as it stands.
        {L"-position=5 -start", nullptr, 5, 0, 0, 0},
        // An empty command-line value wins and leaves the defaults.
        {L"-position=", L"1,2,3,4", kDefault, kDefault, 120, 30},
        {nullptr, L"1,2,3,4", 1, 2, 3, 4},
        {nullptr, L"5,6", 5, 6, 120, 30},
        {nullptr, L"", kDefault, kDefault, 120, 30},
    };
    for (const Case& c : cases) {
        ResetState();
        if (c.fileValue) FileSet(L"-position", c.fileValue);
        ReadWith(c.arguments ? c.arguments : L"");
        SCOPED_TRACE(testing::Message() << std::wstring(c.arguments ? c.arguments : c.fileValue));
        const WindowOptions& o = g_app.options;
        EXPECT_EQ(o.x, c.x);
        EXPECT_EQ(o.y, c.y);
        EXPECT_EQ(o.clientWidth, c.width);
        EXPECT_EQ(o.clientHeight, c.height);
    }
}

TEST_F(OptionsTest, PositionFromFileIsCutTo127Characters) {
    // The height's digits stand past the cut; what remains of it is blanks,
    // which read as 0.
    FileSet(L"-position", L"1,2,3," + std::wstring(130, L' ') + L"4");
    ReadWith(L"");
    EXPECT_EQ(g_app.options.clientWidth, 3);
    EXPECT_EQ(g_app.options.clientHeight, 0);
}

TEST_F(OptionsTest, ClientWidthFollowsPrecisionUnlessGiven) {
    ReadWith(L"-precision=centisecond");
    EXPECT_EQ(g_app.options.clientWidth, 165);
    ResetState();
    ReadWith(L"-precision=centisecond -position=0,0,200,50");
    EXPECT_EQ(g_app.options.clientWidth, 200);
    EXPECT_EQ(g_app.options.clientHeight, 50);
}

TEST_F(OptionsTest, FlagsFromCommandLineAndFile) {
    struct Flag {
        const wchar_t* name;
        int32_t WindowOptions::*field;
    };
    const Flag flags[] = {
        {L"-start", &WindowOptions::start},
        {L"-noTitleBar", &WindowOptions::noTitleBar},
        {L"-noTaskBarIcon", &WindowOptions::noTaskBarIcon},
        {L"-fullScreen", &WindowOptions::fullScreen},
        {L"-noAlarm", &WindowOptions::noAlarm},
        {L"-quitAfterTimeUp", &WindowOptions::quitAfterTimeUp},
    };
    struct Case {
        const wchar_t* suffix;     // appended to the name on the command line; null: absent
        const wchar_t* fileValue;  // null: key absent
        int32_t expected;
    };
    const Case cases[] = {
        {L"", nullptr, 1},  {L"=0", nullptr, 1},  {L"Now", nullptr, 1}, {L"", L"0", 1},
        {nullptr, L"2", 2}, {nullptr, L"yes", 0}, {nullptr, L"", 0},
    };
    for (const Flag& f : flags) {
        for (const Case& c : cases) {
            ResetState();
            if (c.fileValue) FileSet(f.name, c.fileValue);
            ReadWith(c.suffix ? std::wstring(f.name) + c.suffix : L"");
            SCOPED_TRACE(testing::Message() << std::wstring(f.name) << " "
                                            << std::wstring(c.suffix ? c.suffix : L"<absent>")
                                            << " file " << (c.fileValue ? 1 : 0));
            EXPECT_EQ(g_app.options.*f.field, c.expected);
            int32_t others = 0;
            for (const Flag& g : flags) {
                if (g.field != f.field) others |= g_app.options.*g.field;
            }
            EXPECT_EQ(others, 0);
        }
    }
}

TEST_F(OptionsTest, FlagsClearStyleBits) {
    ReadWith(L"-noTitleBar");
    EXPECT_EQ(g_app.options.style, 0x000E0000u);
    EXPECT_EQ(g_app.options.extendedStyle, 0x00040088u);

    ResetState();
    FileSet(L"-noTaskBarIcon", L"2");
    ReadWith(L"");
    EXPECT_EQ(g_app.options.style, 0x00CE0000u);
    EXPECT_EQ(g_app.options.extendedStyle, 0x00000088u);
}

TEST_F(OptionsTest, AlarmTexts) {
    struct Case {
        const wchar_t* arguments;
        FileEntry file;
        const wchar_t* alarmFile;
        const wchar_t* alarmMessage;
    };
    const Case cases[] = {
        {LR"(-alarmFile=C:\My Sounds\bell.wav)", {}, LR"(C:\My)", L"Time is up!"},
        {LR"(-alarmFile="C:\My Sounds\bell.wav" -noAlarm)",
         {},
         LR"(C:\My Sounds\bell.wav)",
         L"Time is up!"},
        {L"-alarmFile=\"unclosed name", {}, L"unclosed name", L"Time is up!"},
        {L"-alarmFile=", {}, L"alarm.wav", L"Time is up!"},
        {L"-alarmFile= -start", {}, L"", L"Time is up!"},
        {L"-alarmFile=\"\"", {}, L"", L"Time is up!"},
        {L"-alarmFile=\"\"", {L"-alarmFile", L"bell.wav"}, L"", L"Time is up!"},
        {L"", {L"-alarmFile", L"bell.wav"}, L"bell.wav", L"Time is up!"},
        {L"", {L"-alarmFile", L""}, L"alarm.wav", L"Time is up!"},
        {L"", {L"-alarmMessage", L""}, L"alarm.wav", L"Time is up!"},
        {L"-alarmMessage=\"Tea\tis ready\"", {}, L"alarm.wav", L"Tea\tis ready"},
        {L"-alarmMessage=Tea\tis ready", {}, L"alarm.wav", L"Tea\tis"},
        {L"", {L"-alarmMessage", L"  Tea is ready  "}, L"alarm.wav", L"Tea is ready"},
        {L"",
         {L"-alarmMessage", L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u6642\u9593"},
         L"alarm.wav",
         L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u6642\u9593"},
    };
    for (const Case& c : cases) {
        ResetState();
        if (c.file.key) FileSet(c.file.key, c.file.value);
        ReadWith(c.arguments);
        SCOPED_TRACE(testing::Message() << std::wstring(c.arguments));
        EXPECT_STREQ(g_app.options.alarmFile, c.alarmFile);
        EXPECT_STREQ(g_app.options.alarmMessage, c.alarmMessage);
    }
}

TEST_F(OptionsTest, AlarmTextsAreCutToCapacity) {
    const std::wstring longFile(400, L'f');
    const std::wstring longMessage(400, L'm');
    for (bool fromFile : {false, true}) {
        ResetState();
        if (fromFile) {
            FileSet(L"-alarmFile", longFile);
            FileSet(L"-alarmMessage", longMessage);
            ReadWith(L"");
        } else {
            ReadWith(L"-alarmFile=" + longFile + L" -alarmMessage=" + longMessage);
        }
        EXPECT_EQ(std::wstring(g_app.options.alarmFile), longFile.substr(0, 259));
        EXPECT_EQ(std::wstring(g_app.options.alarmMessage), longMessage.substr(0, 127));
    }
}

TEST_F(OptionsTest, OptionNamesAreFoundAnywhereAfterTheProgramName) {
    struct Case {
        const wchar_t* commandLine;
        ColorIndex color;
        int32_t start;
        const wchar_t* alarmMessage;
    };
    const Case cases[] = {
        {L"moxtimer -alarmMessage=\"Time to -start again\"", kColorGreen, 1,
         L"Time to -start again"},
        {L"moxtimer -alarmMessage=x-color=blue", kColorBlue, 0, L"x-color=blue"},
        {L"moxtimer -color=red -color=blue", kColorRed, 0, L"Time is up!"},
        {L"moxtimer-color=red -start", kColorGreen, 1, L"Time is up!"},
        {L"\"C:\\Mox -color=red -start\\moxtimer.exe\" -style=straight", kColorGreen, 0,
         L"Time is up!"},
        {L"\"C:\\Mox\\moxtimer.exe\"-color=red", kColorRed, 0, L"Time is up!"},
        {L"\"C:\\Mox -color=red", kColorGreen, 0, L"Time is up!"},
    };
    for (const Case& c : cases) {
        ResetState();
        fake::g.commandLine = c.commandLine;
        ReadOptions();
        SCOPED_TRACE(testing::Message() << std::wstring(c.commandLine));
        EXPECT_EQ(g_appearance.color, c.color);
        EXPECT_EQ(g_app.options.start, c.start);
        EXPECT_STREQ(g_app.options.alarmMessage, c.alarmMessage);
    }
}

TEST_F(OptionsTest, ProgramNameAloneTakesEverythingFromTheFile) {
    FileSet(L"-color", L"orange");
    FileSet(L"-position", L"1,2,3,4");
    FileSet(L"-noAlarm", L"1");
    fake::g.commandLine = L"\"C:\\Program Files\\Mox\\moxtimer.exe\"";
    ReadOptions();
    EXPECT_EQ(g_appearance.color, kColorOrange);
    EXPECT_EQ(g_app.options.clientHeight, 4);
    EXPECT_EQ(g_app.options.noAlarm, 1);
}

TEST_F(OptionsTest, VeryLongCommandLine) {
    std::wstring line = L"moxtimer " + std::wstring(100000, L'x');
    line += L" -color=blue -alarmMessage=" + std::wstring(1000, L'm');
    fake::g.commandLine = line;
    ReadOptions();
    EXPECT_EQ(g_appearance.color, kColorBlue);
    EXPECT_EQ(std::wcslen(g_app.options.alarmMessage), 127u);
}

TEST_F(OptionsTest, SettingsPathBesideTheExecutable) {
    struct Case {
        std::wstring executable;
        bool available;
        std::wstring settings;  // empty: no settings file
    };
    const std::wstring longDir = L"C:\\" + std::wstring(240, L'd') + L"\\";
    const Case cases[] = {
        {L"C:\\Mox\\moxtimer.exe", true, L"C:\\Mox\\moxtimer.ini"},
        {L"C:\\MOX\\MOXTIMER.EXE", true, L"C:\\MOX\\MOXTIMER.ini"},
        {L"/opt/mox/moxtimer", true, L"/opt/mox/moxtimer.ini"},
        {L"/opt/mox/moxtimer.bin", true, L"/opt/mox/moxtimer.bin.ini"},
        {L"/opt/mox/moxtimer", false, L""},
        // 259 characters fit the buffer; 260 do not.
        {longDir + std::wstring(259 - longDir.size() - 4, L'n') + L".exe", true,
         longDir + std::wstring(259 - longDir.size() - 4, L'n') + L".ini"},
        {longDir + std::wstring(260 - longDir.size() - 4, L'n') + L".exe", true, L""},
        // Appending ".ini" must fit as well.
        {L"/" + std::wstring(254, L'n'), true, L"/" + std::wstring(254, L'n') + L".ini"},
        {L"/" + std::wstring(255, L'n'), true, L""},
    };
    for (const Case& c : cases) {
        ResetState();
        fake::g.executablePath = c.executable;
        fake::g.executablePathAvailable = c.available;
        DeriveSettingsPath();
        EXPECT_EQ(std::wstring(g_app.settingsPath), c.settings) << c.executable.size();
    }
}

TEST_F(OptionsTest, WithoutSettingsPathTheFileIsNeverRead) {
    FileSet(L"-color", L"red");
    FileSet(L"-start", L"1");
    FileSet(L"-alarmMessage", L"from the file");
    fake::g.executablePath = std::wstring(300, L'p') + L".exe";
    DeriveSettingsPath();
    ASSERT_EQ(g_app.settingsPath[0], L'\0');
    ReadWith(L"");
    EXPECT_EQ(g_appearance.color, kColorGreen);
    EXPECT_EQ(g_app.options.start, 0);
    EXPECT_STREQ(g_app.options.alarmMessage, L"Time is up!");
}

TEST(DecimalText, ReadsWithThirtyTwoBitWidths) {
    struct Case {
        const wchar_t* text;
        int32_t signedValue;
        uint32_t unsignedValue;
        size_t consumed;
    };
    // The rows where 32-bit and 64-bit long part ways, and "no digits".
    const Case cases[] = {
        {L" \t-17x", -17, 4294967279u, 5},
        {L"2147483648", INT32_MAX, 2147483648u, 10},
        {L"-2147483649", INT32_MIN, 2147483647u, 11},
        {L"4294967296", INT32_MAX, UINT32_MAX, 10},
        {L"-4294967296", INT32_MIN, UINT32_MAX, 11},
        {L"123456789012345678901234567890", INT32_MAX, UINT32_MAX, 30},
        {L"  -", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const wchar_t* end = nullptr;
        EXPECT_EQ(ReadDecimalSigned32(c.text, &end), c.signedValue) << std::wstring(c.text);
        EXPECT_EQ(static_cast<size_t>(end - c.text), c.consumed) << std::wstring(c.text);
        end = nullptr;
        EXPECT_EQ(ReadDecimalUnsigned32(c.text, &end), c.unsignedValue) << std::wstring(c.text);
        EXPECT_EQ(static_cast<size_t>(end - c.text), c.consumed) << std::wstring(c.text);
    }
}

}  // namespace
