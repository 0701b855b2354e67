// Reading the thirteen options, writing them back at close, and reading that
// file at the next start.
#include "settings/options.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/app_record.h"
#include "clock/clock.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"
#include "scratch_files.h"
#include "settings/write_back.h"

namespace {

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void Reset(bool keepFile = false) {
        if (!keepFile) std::filesystem::remove(std::filesystem::path(ini_));
        fake::Reset();
        ResetClockForTests();
        g_app.options = DefaultWindowOptions();
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

TEST_F(OptionsTest, CommandLineAndFileWithTheirFallbacks) {
    using Get = int64_t (*)();
    const Get precision = [] { return int64_t{g_clock.precision}; };
    const Get color = [] { return int64_t{g_appearance.color}; };
    const Get style = [] { return int64_t{g_appearance.style}; };
    const Get start = [] { return int64_t{g_app.options.start}; };
    const Get countdown = [] { return int64_t{g_clock.countdown}; };
    const struct {
        const wchar_t* line;
        const wchar_t* fileKey;
        const wchar_t* fileValue;
        Get get;
        int64_t expected;
    } cases[] = {
        {L"m -color=purple", L"-color", L"blue", color, kColorGreen},
        {L"m", L"-color", L"blue", color, kColorBlue},
        {L"m -color=redwood", nullptr, nullptr, color, kColorRed},
        {L"m -color=Red", nullptr, nullptr, color, kColorGreen},
        {L"m -precision=dec", nullptr, nullptr, precision, kPrecisionDecisecond},
        {L"m -precision=centi", nullptr, nullptr, precision, kPrecisionCentisecond},
        {L"m -precision=cent", nullptr, nullptr, precision, kPrecisionSecond},
        {L"m -precision=", L"-precision", L"centisecond", precision, kPrecisionSecond},
        {L"m -style=stray", nullptr, nullptr, style, kStyleStraight},
        {L"m -style=Straight", nullptr, nullptr, style, kStyleRounded},
        {L"m -start=0", nullptr, nullptr, start, 1},
        {L"m -alarmMessage=\"Time to -start again\"", nullptr, nullptr, start, 1},
        {L"\"C:\\Mox -color=red -start\\m.exe\"", nullptr, nullptr, start, 0},
        {L"\"C:\\Mox\\m.exe\"-color=red", nullptr, nullptr, color, kColorRed},
        // A countdown beyond what milliseconds can hold is held at the largest.
        {L"m -mode=timer:4294968", nullptr, nullptr, countdown, 4294967000},
        {L"m -mode=timer:99999999999999", nullptr, nullptr, countdown, 4294967000},
    };
    for (const auto& c : cases) {
        Reset();
        Read(c.line, c.fileKey, c.fileValue);
        EXPECT_EQ(c.get(), c.expected) << testing::PrintToString(std::wstring(c.line));
    }
}

TEST_F(OptionsTest, TextsAndPosition) {
    using Get = std::wstring (*)();
    const Get file = [] { return std::wstring(g_app.options.alarmFile); };
    const Get message = [] { return std::wstring(g_app.options.alarmMessage); };
    const Get position = [] {
        const WindowOptions& o = g_app.options;
        return std::to_wstring(o.x) + L"," + std::to_wstring(o.y) + L"," +
               std::to_wstring(o.clientWidth) + L"," + std::to_wstring(o.clientHeight);
    };
    const struct {
        const wchar_t* line;
        Get get;
        const wchar_t* expected;
    } cases[] = {
        {L"m -alarmMessage=\"Time to -start again\"", message, L"Time to -start again"},
        // At the very end the value is absent; followed by a blank it is empty.
        {L"m -alarmFile=", file, L"alarm.wav"},
        {L"m -alarmFile= -start", file, L""},
        // One character is skipped after each number, whatever it is.
        {L"m -position=10 ,20, 300, 40", position, L"10,0,20,300"},
        // A value that ends early is never read past its end.
        {L"m -position=5", position, L"5,0,120,30"},
        {L"m -position=5,6,7,", position, L"5,6,7,30"},
    };
    for (const auto& c : cases) {
        Reset();
        Read(c.line, nullptr, nullptr);
        EXPECT_EQ(c.get(), c.expected) << testing::PrintToString(std::wstring(c.line));
    }
}

// Every key in order, but not the position of a full-screen or minimized window;
// a value is cut at its first line break, so that it can add no lines of its own.
TEST_F(OptionsTest, CloseWritesEveryKeyInOrder) {
    const struct {
        int32_t fullScreen, minimized;
        std::string position;
    } cases[] = {{0, 0, "-position=-8,20,120,30\n"}, {1, 0, ""}, {0, 1, ""}};
    for (const auto& c : cases) {
        Reset();
        Read(L"m", nullptr, nullptr);
        std::wcscpy(g_app.options.alarmFile, L"bell.wav\r-noAlarm=1");
        std::wcscpy(g_app.options.alarmMessage, L"Tea\r\n[Other]\r\n-start=1");
        g_app.options.fullScreen = c.fullScreen;
        fake::g.placement = {-8, 20, 120, 30, c.minimized};
        WriteSettings(fake::TestWindow());
        EXPECT_EQ(ReadFileBytes(ini_),
                  "[MOX_Timer]\n-mode=stopwatch\n-precision=second\n-color=green\n"
                  "-style=rounded\n" +
                      c.position + "-start=0\n-noTitleBar=0\n-noTaskBarIcon=0\n-fullScreen=" +
                      std::to_string(c.fullScreen) +
                      "\n-noAlarm=0\n-quitAfterTimeUp=0\n-alarmFile=bell.wav\n"
                      "-alarmMessage=Tea\n");
    }
}

TEST_F(OptionsTest, WhatIsWrittenAtCloseIsReadAtTheNextStart) {
    const wchar_t* text = L"Zeit ist um \u2013 \u00e4\u00f6\u00fc \u6642\u9593";
    for (int p = kPrecisionMinute; p <= kPrecisionCentisecond; ++p) {
        for (int c = 0; c < kColorCount; ++c) {
            for (int s = kStyleRounded; s <= kStyleStraight; ++s) {
                Reset();
                SetClockMode(kModeTimer, 4294967000u);
                SetPrecision(static_cast<Precision>(p));
                SelectColor(static_cast<ColorIndex>(c));
                SetSegmentStyle(static_cast<SegmentStyle>(s));
                std::wcscpy(g_app.options.alarmMessage, text);
                WriteSettings(fake::TestWindow());
                Reset(true);
                Read(L"m", nullptr, nullptr);
                EXPECT_EQ(g_clock.countdown, 4294967000u);
                EXPECT_EQ(g_clock.precision, p);
                EXPECT_EQ(g_appearance.color, c);
                EXPECT_EQ(g_appearance.style, s);
                EXPECT_STREQ(g_app.options.alarmMessage, text);
            }
        }
    }
}

}  // namespace
