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
        EXPECT_FALSE(std::filesystem::exists(iniPath_)) << "reading must not create the file";
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
        {L"-mode=timer:360000", {}, kModeTimer, 360000000},
        {L"-mode=Timer:90", {}, kModeStopwatch, 0},
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
        SCOPED_TRACE(testing::Message() << std::wstring(c.arguments));
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

// Values match by prefix and anything else falls back; a value on the
// command line wins over the file even when it is unknown or empty.
TEST_F(OptionsTest, PrecisionColorAndStyle) {
    struct Case {
        const wchar_t* arguments;
        FileEntry file;
        Precision precision;
        ColorIndex color;
        SegmentStyle style;
    };
    constexpr Precision kMin = kPrecisionMinute, kSec = kPrecisionSecond,
                        kDeci = kPrecisionDecisecond, kCenti = kPrecisionCentisecond;
    constexpr ColorIndex kGreen = kColorGreen;
    constexpr SegmentStyle kRound = kStyleRounded;
    const Case cases[] = {
        {L"-precision=dec", {}, kDeci, kGreen, kRound},
        {L"-precision=de", {}, kSec, kGreen, kRound},
        {L"-precision=centi", {}, kCenti, kGreen, kRound},
        {L"-precision=cent", {}, kSec, kGreen, kRound},
        {L"-precision=minutes", {}, kMin, kGreen, kRound},
        {L"-precision=Minute", {}, kSec, kGreen, kRound},
        {L"", {L"-precision", L"centisecond"}, kCenti, kGreen, kRound},
        {L"-precision=", {L"-precision", L"centisecond"}, kSec, kGreen, kRound},
        {L"-color=redwood", {}, kSec, kColorRed, kRound},
        {L"-color=Red", {}, kSec, kGreen, kRound},
        {L"-color=bluegreen", {}, kSec, kColorBlue, kRound},
        {L"-color=magenta", {}, kSec, kColorMagenta, kRound},
        {L"-color=oran", {}, kSec, kGreen, kRound},
        {L"-color=purple", {L"-color", L"blue"}, kSec, kGreen, kRound},
        {L"-start", {L"-color", L"orange"}, kSec, kColorOrange, kRound},
        {L"-style=stray", {}, kSec, kGreen, kStyleStraight},
        {L"-style=str", {}, kSec, kGreen, kRound},
        {L"-style=Straight", {}, kSec, kGreen, kRound},
        {L"", {L"-style", L"straight"}, kSec, kGreen, kStyleStraight},
    };
    const int32_t widthOf[] = {120, 120, 150, 165};  // by precision
    for (const Case& c : cases) {
        ResetState();
        // Neither default beforehand: the fallback must be selected, not left.
        g_appearance.color = kColorCyan;
        g_appearance.style = kStyleStraight;
        if (c.file.key) FileSet(c.file.key, c.file.value);
        ReadWith(c.arguments);
        SCOPED_TRACE(testing::Message() << std::wstring(c.arguments) << " file "
                                        << std::wstring(c.file.value ? c.file.value : L"-"));
        EXPECT_EQ(g_clock.precision, c.precision);
        EXPECT_EQ(g_app.options.clientWidth, widthOf[c.precision]);
        EXPECT_EQ(g_appearance.color, c.color);
        EXPECT_EQ(fake::g.brushColors[1], kColorTable[c.color]);
        EXPECT_EQ(g_appearance.style, c.style);
    }
}

TEST_F(OptionsTest, PositionValues) {
    struct Case {
        const wchar_t* arguments;
        const wchar_t* fileValue;  // null: none in the file
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
        {L"-position=5,6,7,", nullptr, 5, 6, 7, 30},
        // A value that goes on with other text is read as it stands.
        {L"-position=5 -start", nullptr, 5, 0, 0, 0},
        {L"-precision=centisecond -position=0,0,200,50", nullptr, 0, 0, 200, 50},
        // An empty command-line value wins and leaves the defaults.
        {L"-position=", L"1,2,3,4", kDefault, kDefault, 120, 30},
        {L"", L"1,2,3,4", 1, 2, 3, 4},
        {L"", L"5,6", 5, 6, 120, 30},
    };
    for (const Case& c : cases) {
        ResetState();
        if (c.fileValue) FileSet(L"-position", c.fileValue);
        ReadWith(c.arguments);
        SCOPED_TRACE(testing::Message() << std::wstring(c.arguments) << " file "
                                        << std::wstring(c.fileValue ? c.fileValue : L"-"));
        const WindowOptions& o = g_app.options;
        EXPECT_EQ(o.x, c.x);
        EXPECT_EQ(o.y, c.y);
        EXPECT_EQ(o.clientWidth, c.width);
        EXPECT_EQ(o.clientHeight, c.height);
    }
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
    const wchar_t* const kFile = L"alarm.wav";
    const wchar_t* const kMessage = L"Time is up!";
    const wchar_t* const kUmlauts = L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u6642\u9593";
    const Case cases[] = {
        {LR"(-alarmFile=C:\My Sounds\bell.wav)", {}, LR"(C:\My)", kMessage},
        {LR"(-alarmFile="C:\My Sounds\bell.wav" -noAlarm)",
         {},
         LR"(C:\My Sounds\bell.wav)",
         kMessage},
        {L"-alarmFile=\"unclosed name", {}, L"unclosed name", kMessage},
        // At the very end the value is absent; followed by a blank it is empty.
        {L"-alarmFile=", {}, kFile, kMessage},
        {L"-alarmFile= -start", {}, L"", kMessage},
        {L"-alarmFile=\"\"", {L"-alarmFile", L"bell.wav"}, L"", kMessage},
        {L"", {L"-alarmFile", L"bell.wav"}, L"bell.wav", kMessage},
        {L"", {L"-alarmFile", L""}, kFile, kMessage},
        {L"-alarmMessage=\"Tea\tis ready\"", {}, kFile, L"Tea\tis ready"},
        {L"-alarmMessage=Tea\tis ready", {}, kFile, L"Tea\tis"},
        {L"", {L"-alarmMessage", L"  Tea is ready  "}, kFile, L"Tea is ready"},
        {L"", {L"-alarmMessage", kUmlauts}, kFile, kUmlauts},
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

TEST_F(OptionsTest, LongTextsAreCutToCapacity) {
    const std::wstring longFile(400, L'f');
    const std::wstring longMessage(1000, L'm');
    // Behind 100,000 characters of other text on the command line.
    ReadWith(std::wstring(100000, L'x') + L" -color=blue -alarmFile=" + longFile +
             L" -alarmMessage=" + longMessage);
    EXPECT_EQ(g_appearance.color, kColorBlue);
    EXPECT_EQ(std::wstring(g_app.options.alarmFile), longFile.substr(0, 259));
    EXPECT_EQ(std::wstring(g_app.options.alarmMessage), longMessage.substr(0, 127));

    ResetState();
    FileSet(L"-alarmFile", longFile);
    FileSet(L"-alarmMessage", longMessage);
    ReadWith(L"");
    EXPECT_EQ(std::wstring(g_app.options.alarmFile), longFile.substr(0, 259));
    EXPECT_EQ(std::wstring(g_app.options.alarmMessage), longMessage.substr(0, 127));
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

TEST_F(OptionsTest, SettingsPathBesideTheExecutable) {
    struct Case {
        std::wstring executable;
        bool available;
        std::wstring settings;  // empty: no settings file
    };
    const std::wstring longDir = L"C:\\" + std::wstring(240, L'd') + L"\\";
    const std::wstring name255(255 - longDir.size(), L'n');  // with ".exe", 259 characters
    const Case cases[] = {
        {L"C:\\MOX\\MOXTIMER.EXE", true, L"C:\\MOX\\MOXTIMER.ini"},
        {L"/opt/mox/moxtimer.bin", true, L"/opt/mox/moxtimer.bin.ini"},
        {L"/opt/mox/moxtimer", false, L""},
        // 259 characters fit the buffer; 260 do not.
        {longDir + name255 + L".exe", true, longDir + name255 + L".ini"},
        {longDir + name255 + L"n.exe", true, L""},
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

// The rows where 32-bit and 64-bit long part ways, and "no digits".
TEST(DecimalText, ReadsWithThirtyTwoBitWidths) {
    struct Case {
        const wchar_t* text;
        int32_t signedValue;
        uint32_t unsignedValue;
        size_t consumed;
    };
    const Case cases[] = {
        {L" \t-17x", -17, 4294967279u, 5},
        {L"2147483648", INT32_MAX, 2147483648u, 10},
        {L"-4294967296", INT32_MIN, UINT32_MAX, 11},
        {L"123456789012345678901234567890", INT32_MAX, UINT32_MAX, 30},
        {L"  -", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.text));
        const wchar_t* end = nullptr;
        EXPECT_EQ(ReadDecimalSigned32(c.text, &end), c.signedValue);
        EXPECT_EQ(static_cast<size_t>(end - c.text), c.consumed);
        end = nullptr;
        EXPECT_EQ(ReadDecimalUnsigned32(c.text, &end), c.unsignedValue);
        EXPECT_EQ(static_cast<size_t>(end - c.text), c.consumed);
    }
}

}  // namespace
