// The settings file named after the program, the thirteen options read from
// it and the command line, written back at close and read at the next start.
#include "settings/options.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <tuple>

#include "app/app_record.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"
#include "scratch_files.h"
#include "settings/command_line.h"
#include "settings/decimal_text.h"
#include "settings/settings_path.h"
#include "settings/write_back.h"

namespace {

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void Reset(bool keepFile = false) {
        if (!keepFile) std::filesystem::remove(std::filesystem::path(ini_));
        fake::Reset();
        std::wcsncpy(g_app.settingsPath, ini_.c_str(), kSettingsPathCapacity - 1);
        std::wcsncpy(g_app.settingsReadPath, ini_.c_str(), kSettingsPathCapacity - 1);
        // Neither default beforehand: a fallback must be selected, not left.
        g_appearance.color = kColorCyan;
        g_appearance.style = kStyleStraight;
    }
    void Read(const wchar_t* commandLine, const wchar_t* fileKey, const wchar_t* fileValue) {
        if (fileKey) ProfileWriteString(L"MOX_Timer", fileKey, fileValue, ini_.c_str());
        fake::g.commandLine = commandLine;
        ReadOptions();
    }

    ScratchFolder scratch_;
    std::wstring ini_ = scratch_.File("moxtimer.ini");
};

// What was read, field by field: the countdown (S in stopwatch mode) and the
// display text, precision, color, style, x,y,width,height, the six flags and
// then the window styles in hexadecimal, the alarm file and the alarm message.
enum Field { kMode, kPrecision, kColor, kStyle, kPosition, kFlags, kFile, kMessage };
std::wstring ReadField(Field field) {
    const WindowOptions& o = g_app.options;
    wchar_t numbers[160];
    std::swprintf(numbers, 160, L"%d|%d|%d|%d,%d,%d,%d|%d%d%d%d%d%d %x %x|", g_clock.precision,
                  g_appearance.color, g_appearance.style, o.x, o.y, o.clientWidth, o.clientHeight,
                  o.start, o.noTitleBar, o.noTaskBarIcon, o.fullScreen, o.noAlarm,
                  o.quitAfterTimeUp, o.style, o.extendedStyle);
    const std::wstring all = (g_clock.mode ? std::to_wstring(g_clock.countdown) : L"S") + L" " +
                             g_displayText + L"|" + numbers + o.alarmFile + L"|" + o.alarmMessage +
                             L"|";
    size_t begin = 0;
    for (int i = 0; i < field; ++i) begin = all.find(L'|', begin) + 1;
    return all.substr(begin, all.find(L'|', begin) - begin);
}

// Each row: a command line, one key of the settings file, and what is read.
TEST_F(OptionsTest, CommandLineAndFileWithTheirFallbacks) {
    const auto n = [](int64_t value) { return std::to_wstring(value); };
    const std::wstring d = n(kUseDefaultPosition) + L"," + n(kUseDefaultPosition) + L",";
    const std::wstring longPosition = L"1,2,3," + std::wstring(120, L'0') + L"45";
    using Row = std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, Field, std::wstring>;
    for (const auto& [line, fileKey, fileValue, field, expected] : std::initializer_list<Row>{
             {L"m", L"-color", L"blue", kColor, n(kColorBlue)},
             {L"m -color=purple", L"-color", L"blue", kColor, n(kColorGreen)},
             {L"m -color=redwood", nullptr, nullptr, kColor, n(kColorRed)},
             {L"m -color=Red", nullptr, nullptr, kColor, n(kColorGreen)},
             {L"m -precision=dec", nullptr, nullptr, kPrecision, n(kPrecisionDecisecond)},
             {L"m -precision=centimetre", nullptr, nullptr, kPrecision, n(kPrecisionCentisecond)},
             {L"m -precision=cent", nullptr, nullptr, kPrecision, n(kPrecisionSecond)},
             {L"m -precision=minutes", nullptr, nullptr, kPrecision, n(kPrecisionMinute)},
             {L"m -precision=", L"-precision", L"centisecond", kPrecision, n(kPrecisionSecond)},
             {L"m -style=stray", nullptr, nullptr, kStyle, n(kStyleStraight)},
             {L"m -style=Straight", nullptr, nullptr, kStyle, n(kStyleRounded)},
             {L"m", nullptr, nullptr, kFlags, L"000000 ce0000 40088"},
             {L"m -start=0 -noTitleBar -noTaskBarIcon -fullScreen -noAlarm -quitAfterTimeUp",
              nullptr, nullptr, kFlags, L"111111 e0000 88"},
             {L"m", L"-noAlarm", L"2", kFlags, L"000020 ce0000 40088"},
             {L"m -alarmMessage=\"Time to -start again\"", nullptr, nullptr, kFlags,
              L"100000 ce0000 40088"},
             {L"\"C:\\Mox -color=red -start\\m.exe\"", nullptr, nullptr, kFlags,
              L"000000 ce0000 40088"},
             {L"\"C:\\Mox\\m.exe\"-color=red", nullptr, nullptr, kColor, n(kColorRed)},
             {L"m -mode=timer:90 -precision=minute", nullptr, nullptr, kMode, L"90000 00:01:30.00"},
             {L"m -mode=Timer:90", nullptr, nullptr, kMode, L"S 00:00:00.00"},
             {L"m", L"-mode", L"timer:0000000012", kMode, L"1000 00:00:01.00"},
             // A countdown beyond what milliseconds can hold is held at the largest.
             {L"m -mode=timer:4294968", nullptr, nullptr, kMode, L"4294967000 1193:02:47.00"},
             {L"m -alarmMessage=\"Time to -start again\"", nullptr, nullptr, kMessage,
              L"Time to -start again"},
             {L"m", L"-alarmMessage", L"T", kMessage, L"T"},
             {L"m", L"-alarmFile", L"", kFile, L"alarm.wav"},
             // At the very end the value is absent; followed by a blank it is empty.
             {L"m -alarmFile=", nullptr, nullptr, kFile, L"alarm.wav"},
             {L"m -alarmFile= -start", nullptr, nullptr, kFile, L""},
             {L"m -precision=centisecond", nullptr, nullptr, kPosition, d + L"165,30"},
             {L"m -precision=centisecond -position=1,2,3,4", nullptr, nullptr, kPosition,
              L"1,2,3,4"},
             // One character is skipped after each number, whatever it is.
             {L"m -position=10 ,20, 300, 40", nullptr, nullptr, kPosition, L"10,0,20,300"},
             // A value that ends early is never read past its end.
             {L"m -position=5", nullptr, nullptr, kPosition, L"5,0,120,30"},
             {L"m -position=5,6,7,", nullptr, nullptr, kPosition, L"5,6,7,30"},
             {L"m -position=", nullptr, nullptr, kPosition, d + L"120,30"},
             {L"m", L"-position", longPosition.c_str(), kPosition, L"1,2,3,4"}}) {
        Reset();
        Read(line, fileKey, fileValue);
        EXPECT_EQ(ReadField(field), expected) << testing::PrintToString(std::wstring(line)) << " "
                                              << testing::PrintToString(fileValue);
    }
    EXPECT_EQ(DefaultWindowOptions().clientWidth, 120);
    // Without a settings file path the profile is not asked at all.
    Reset();
    g_app.settingsReadPath[0] = L'\0';
    Read(L"m", L"-start", L"1");
    EXPECT_EQ(std::tuple(fake::g.profileReads, g_app.options.start, g_app.options.x,
                         std::wstring(g_app.options.alarmFile)),
              std::tuple(0, 0, kUseDefaultPosition, L"alarm.wav"));
}

// Numbers as the 32-bit wcstol and wcstoul read them, and command-line tokens.
TEST(CommandLineText, DecimalsAndTokens) {
    // clang-format off
    for (auto [text, value, used] : {
             std::tuple{L" \t\n\v\f\r+12x", int64_t{12}, 9}, {L"-2147483648", INT32_MIN, 11},
             {L"-2147483649", INT32_MIN, 11}, {L"2147483648", INT32_MAX, 10},
             {L"99999999999999999999999", INT32_MAX, 23}, {L"-", 0, 0}, {L"x1", 0, 0}}) {
        const wchar_t* end = nullptr;
        EXPECT_EQ(ReadDecimalSigned32(text, &end), value) << text;
        EXPECT_EQ(end - text, used) << text;
    }
    for (auto [text, value] : {std::pair{L"4294967295", 4294967295u}, {L"4294967296", 4294967295u},
                               {L"-1", 4294967295u}, {L"-4294967296", 4294967295u}, {L"-4294967295", 1u}}) {
        EXPECT_EQ(ReadDecimalUnsigned32(text, nullptr), value) << text;
    }
    for (auto [source, capacity, token, rest] : {
             std::tuple{L"ab\tc d", 10, L"ab\tc", L" d"}, {L"\"a b\" c", 10, L"a b", L" c"},
             {L"\"a b", 10, L"a b", L""}, {L"\"\"x", 10, L"", L"x"}, {L"abcdef", 4, L"abc", L""},
             {L"", 10, L"#", L""}, {L"x", 0, L"#", L""}, {L"x", 1, L"", L""}}) {
        // clang-format on
        wchar_t buffer[12] = L"#";
        EXPECT_STREQ(ExtractToken(source, buffer, capacity), rest) << source;
        EXPECT_STREQ(buffer, token) << source;
    }
    EXPECT_EQ(ExtractToken(nullptr, nullptr, 0), nullptr);
}

// Every key in order, but not the position of a full-screen or minimized window;
// a value is cut at its first line break, so that it can add no lines of its own.
TEST_F(OptionsTest, CloseWritesEveryKeyInOrder) {
    for (auto [fullScreen, minimized, position] :
         {std::tuple{0, 0, std::string("-position=-8,20,120,30\n")}, {1, 0, ""}, {0, 1, ""}}) {
        Reset();
        Read(L"m", nullptr, nullptr);
        if (minimized) {  // values outside the name tables write the fallbacks
            SetPrecision(static_cast<Precision>(4));
            g_appearance.color = kColorCount;
            SetSegmentStyle(static_cast<SegmentStyle>(2));
        }
        std::wcscpy(g_app.options.alarmFile, L"bell.wav\r-noAlarm=1");
        std::wcscpy(g_app.options.alarmMessage, L"Tea\r\n[Other]\r\n-start=1");
        g_app.options.fullScreen = fullScreen;
        fake::g.placement = {-8, 20, 120, 30, minimized};
        WriteSettings(fake::TestWindow());
        EXPECT_EQ(ReadFileBytes(ini_),
                  "[MOX_Timer]\n-mode=stopwatch\n-precision=second\n-color=green\n"
                  "-style=rounded\n" +
                      position + "-start=0\n-noTitleBar=0\n-noTaskBarIcon=0\n-fullScreen=" +
                      std::to_string(fullScreen) +
                      "\n-noAlarm=0\n-quitAfterTimeUp=0\n-alarmFile=bell.wav\n"
                      "-alarmMessage=Tea\n");
    }
}

// Every precision, color and style name, the largest countdown and a text
// beyond ASCII come back.
TEST_F(OptionsTest, WhatIsWrittenAtCloseIsReadAtTheNextStart) {
    const wchar_t* text = L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u6642\u9593";
    for (int i = 0; i < kColorCount; ++i) {
        Reset();
        SetTimerMode(i % 2 ? 4294967000u : 90000u);
        SetPrecision(static_cast<Precision>(i % 4));
        SelectColor(static_cast<ColorIndex>(i));
        SetSegmentStyle(static_cast<SegmentStyle>(i / 4));
        std::wcscpy(g_app.options.alarmMessage, text);
        WriteSettings(fake::TestWindow());
        Reset(true);
        Read(L"m", nullptr, nullptr);
        EXPECT_EQ(std::tuple(g_clock.countdown, g_clock.precision, g_appearance.color,
                             g_appearance.style, std::wstring(g_app.options.alarmMessage)),
                  std::tuple(i % 2 ? 4294967000u : 90000u, i % 4, i, i / 4, text));
    }
}

constexpr auto kReplace = SettingsNameRule::ReplaceLastThree;
constexpr auto kAppend = SettingsNameRule::AppendIni;

TEST(SettingsPath, NamedAfterTheProgramByEachRule) {
    // Expected empty: no settings file.
    for (auto [program, rule, expected] :
         {std::tuple{L"C:\\Mox\\MoxTimer.exe", kReplace, L"C:\\Mox\\MoxTimer.ini"},
          {L"C:\\Mox\\MoxTimer", kReplace, L"C:\\Mox\\MoxTiini"},
          {L"exe", kReplace, L"ini"},
          {L"ex", kReplace, L""},
          {L"", kReplace, L""},
          {L"/opt/mox/moxtimer", kAppend, L"/opt/mox/moxtimer.ini"},
          {L"/opt/mox/MoxTimer.EXE", kAppend, L"/opt/mox/MoxTimer.EXE.ini"},
          {L"", kAppend, L""}}) {
        wchar_t out[64] = L"stale";
        EXPECT_EQ(NameSettingsFile(program, rule, out, 64), expected[0] != L'\0');
        EXPECT_STREQ(out, expected) << testing::PrintToString(std::wstring(program));
    }
    // A name that does not fit gives none rather than a cut one.
    for (auto [rule, longest] : {std::pair{kReplace, 9}, {kAppend, 5}}) {
        for (int length : {longest, longest + 1}) {
            wchar_t out[10] = L"stale";
            const std::wstring program(static_cast<size_t>(length), L'p');
            EXPECT_EQ(NameSettingsFile(program.c_str(), rule, out, 10), length == longest);
            EXPECT_EQ(std::wstring(out).size(), length == longest ? 9u : 0u) << length;
        }
    }
    // With no room at all, nothing is written.
    wchar_t none = L'#';
    EXPECT_FALSE(NameSettingsFile(L"a.exe", kReplace, &none, 0));
    EXPECT_EQ(none, L'#');
}

// The platform's rule and placement reach both paths; a program path too long
// for them leaves the program without a settings file.
TEST_F(OptionsTest, SettingsPathDerivedOrNone) {
    const std::wstring folder = scratch_.root.wstring() + L"/";
    WriteFileBytes(scratch_.File("MoxTimer.ini"), "[MOX_Timer]\n-color=red\n");
    WriteFileBytes(scratch_.File("moxtimer.ini"), "[MOX_Timer]\n-color=red\n");
    using Row = std::tuple<std::wstring, SettingsNameRule, std::wstring>;
    for (const auto& [program, rule, expected] : std::initializer_list<Row>{
             {folder + L"MoxTimer.com", kReplace, folder + L"MoxTimer.ini"},
             {folder + L"moxtimer", kAppend, folder + L"moxtimer.ini"},
             {folder + std::wstring(kSettingsPathCapacity, L'd'), kReplace, L""},
             {folder + std::wstring(kSettingsPathCapacity - folder.size() - 4, L'd'), kAppend,
              L""}}) {
        fake::g.executablePath = program;
        fake::g.settingsNameRule = rule;
        DeriveSettingsPath();
        EXPECT_EQ(std::wstring(g_app.settingsPath), expected);
        EXPECT_EQ(std::wstring(g_app.settingsReadPath), expected);
        ReadOptions();
        EXPECT_EQ(g_appearance.color, expected.empty() ? kColorGreen : kColorRed);
    }
}

}  // namespace
