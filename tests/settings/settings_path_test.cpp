// The settings file's name after the program on each platform's rule, and a
// start-up that reads one file and writes another.
#include "settings/settings_path.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_record.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"
#include "scratch_files.h"
#include "settings/options.h"
#include "settings/write_back.h"

namespace {

constexpr auto kReplace = SettingsNameRule::ReplaceLastThree;
constexpr auto kAppend = SettingsNameRule::AppendIni;

TEST(SettingsPath, NamedAfterTheProgramByEachRule) {
    const struct {
        const wchar_t* program;
        SettingsNameRule rule;
        const wchar_t* expected;  // empty: no settings file
    } cases[] = {
        {L"C:\\Mox\\MoxTimer.exe", kReplace, L"C:\\Mox\\MoxTimer.ini"},
        {L"C:\\Mox\\MOXTIMER.EXE", kReplace, L"C:\\Mox\\MOXTIMER.ini"},
        {L"C:\\Mox\\MoxTimer.com", kReplace, L"C:\\Mox\\MoxTimer.ini"},
        {L"C:\\Mox\\MoxTimer", kReplace, L"C:\\Mox\\MoxTiini"},
        {L"exe", kReplace, L"ini"},
        {L"ex", kReplace, L""},
        {L"", kReplace, L""},
        {L"/opt/mox/moxtimer", kAppend, L"/opt/mox/moxtimer.ini"},
        {L"/opt/mox/MoxTimer.EXE", kAppend, L"/opt/mox/MoxTimer.EXE.ini"},
        {L"/opt/mox/moxtimer.bin", kAppend, L"/opt/mox/moxtimer.bin.ini"},
        {L"", kAppend, L""},
    };
    for (const auto& c : cases) {
        wchar_t out[64] = L"stale";
        EXPECT_EQ(NameSettingsFile(c.program, c.rule, out, 64), c.expected[0] != L'\0');
        EXPECT_STREQ(out, c.expected) << testing::PrintToString(std::wstring(c.program));
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
}

class SettingsStart : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        g_app.options = DefaultWindowOptions();
    }
    ScratchFolder scratch_;
};

// The platform's rule and placement reach both paths; a program path too long
// for them leaves the program without a settings file.
TEST_F(SettingsStart, DerivesBothPathsOrNone) {
    const std::wstring folder = scratch_.root.wstring() + L"/";
    const struct {
        std::wstring program;
        SettingsNameRule rule;
        std::wstring expected;
    } cases[] = {
        {folder + L"MoxTimer.com", kReplace, folder + L"MoxTimer.ini"},
        {folder + L"moxtimer", kAppend, folder + L"moxtimer.ini"},
        {folder + std::wstring(kSettingsPathCapacity, L'd'), kReplace, L""},
        {folder + std::wstring(kSettingsPathCapacity - folder.size() - 4, L'd'), kAppend, L""},
    };
    WriteFileBytes(scratch_.File("MoxTimer.ini"), "[MOX_Timer]\n-color=red\n");
    WriteFileBytes(scratch_.File("moxtimer.ini"), "[MOX_Timer]\n-color=red\n");
    for (const auto& c : cases) {
        fake::g.executablePath = c.program;
        fake::g.settingsNameRule = c.rule;
        DeriveSettingsPath();
        EXPECT_EQ(std::wstring(g_app.settingsPath), c.expected);
        EXPECT_EQ(std::wstring(g_app.settingsReadPath), c.expected);
        ReadOptions();
        EXPECT_EQ(g_appearance.color, c.expected.empty() ? kColorGreen : kColorRed);
    }
}

// An administrator's defaults are read, the user's own file is written, and
// the defaults stay as they were, byte for byte.
TEST_F(SettingsStart, ReadsOneFileAndWritesTheOther) {
    const std::string defaults = "; site defaults\r\n[MOX_Timer]\r\n-color=blue\r\n-start=2\r\n";
    WriteFileBytes(scratch_.File("defaults.ini"), defaults);
    std::wcscpy(g_app.settingsReadPath, scratch_.File("defaults.ini").c_str());
    std::wcscpy(g_app.settingsPath, scratch_.File("mine.ini").c_str());
    ReadOptions();
    EXPECT_EQ(g_appearance.color, kColorBlue);
    EXPECT_EQ(g_app.options.start, 2);
    WriteSettings(fake::TestWindow());
    EXPECT_EQ(ReadFileBytes(scratch_.File("defaults.ini")), defaults);
    const std::string mine = ReadFileBytes(scratch_.File("mine.ini"));
    EXPECT_NE(mine.find("-color=blue\n"), std::string::npos) << mine;
    EXPECT_NE(mine.find("-start=1\n"), std::string::npos) << mine;
}

}  // namespace
