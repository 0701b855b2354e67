// The Windows program's profile operations on the system's functions: a new
// settings file is made UTF-16LE so that Cyrillic survives, an existing one
// keeps its encoding, and a value is written only up to its first line break.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "profile_test_files.h"

namespace {

const std::wstring kCyrillicPath =
    L"C:\\\x0411\x0443\x0434\x0438\x043B\x044C\x043D\x0438\x043A.wav";

std::wstring Get(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[260];
    ProfileGetString(section, key, L"<d>", buffer, 260, path.c_str());
    return buffer;
}

TEST(ProfileWin32, ANewSettingsFileIsUtf16SoCyrillicSurvives) {
    ScratchFolder scratch;
    const std::wstring path = scratch.File("settings.ini");
    ProfileWriteString(L"MOX_Timer", L"-alarmFile", kCyrillicPath.c_str(), path.c_str());
    ProfileWriteString(L"MOX_Timer", L"-start", L"1", path.c_str());
    EXPECT_EQ(ReadFileBytes(path).substr(0, 2), kUtf16LeMark);
    EXPECT_EQ(Get(path, L"MOX_Timer", L"-alarmFile"), kCyrillicPath);
    EXPECT_EQ(ProfileGetInt(L"MOX_Timer", L"-start", 0, path.c_str()), 1u);

    // An empty file is as good as a missing one.
    const std::wstring empty = scratch.File("empty.ini");
    WriteFileBytes(empty, "");
    ProfileWriteString(L"MOX_Timer", L"-alarmMessage", L"\x0416", empty.c_str());
    EXPECT_EQ(ReadFileBytes(empty).substr(0, 2), kUtf16LeMark);
    EXPECT_EQ(Get(empty, L"MOX_Timer", L"-alarmMessage"), L"\x0416");
}

TEST(ProfileWin32, AnExistingFileKeepsItsEncoding) {
    ScratchFolder scratch;
    const std::wstring path = scratch.File("settings.ini");
    WriteFileBytes(path, "[MOX_Timer]\r\n-color=red\r\n");
    ProfileWriteString(L"MOX_Timer", L"-color", L"blue", path.c_str());
    EXPECT_EQ(ReadFileBytes(path), "[MOX_Timer]\r\n-color=blue\r\n");
}

TEST(ProfileWin32, AValueIsWrittenOnlyUpToItsFirstLineBreak) {
    ScratchFolder scratch;
    const std::wstring path = scratch.File("settings.ini");
    ProfileWriteString(L"MOX_Timer", L"-alarmMessage", L"Up!\r\n[evil]\r\n-x=1", path.c_str());
    ProfileWriteString(L"MOX_Timer", L"-alarmFile", L"a.wav\nb", path.c_str());
    EXPECT_EQ(Get(path, L"MOX_Timer", L"-alarmMessage"), L"Up!");
    EXPECT_EQ(Get(path, L"MOX_Timer", L"-alarmFile"), L"a.wav");
    EXPECT_EQ(Get(path, L"evil", L"-x"), L"<d>");
}

}  // namespace
