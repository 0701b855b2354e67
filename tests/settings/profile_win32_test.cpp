// The Windows program's profile operations on the system's functions: a new
// settings file is made UTF-16LE so that Cyrillic survives, an existing one
// keeps its encoding, and a value is written only up to its first line break.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "profile_test_files.h"

namespace {

std::wstring Get(const std::wstring& path, const wchar_t* key, const wchar_t* section = L"s") {
    wchar_t buffer[260];
    ProfileGetString(section, key, L"<d>", buffer, 260, path.c_str());
    return buffer;
}

TEST(ProfileWin32, ANewOrEmptySettingsFileIsUtf16SoCyrillicSurvives) {
    ScratchFolder scratch;
    const std::wstring wav = L"C:\\" + kCyrillic + L".wav";
    for (bool empty : {false, true}) {
        const std::wstring path = scratch.File(empty ? "empty.ini" : "new.ini");
        if (empty) WriteFileBytes(path, "");
        ProfileWriteString(L"s", L"-alarmFile", wav.c_str(), path.c_str());
        ProfileWriteString(L"s", L"-start", L"1", path.c_str());
        EXPECT_EQ(ReadFileBytes(path).substr(0, 2), kUtf16LeMark);
        EXPECT_EQ(Get(path, L"-alarmFile"), wav);
        EXPECT_EQ(ProfileGetInt(L"s", L"-start", 0, path.c_str()), 1u);
    }
}

TEST(ProfileWin32, AnExistingFileKeepsItsEncodingAndValuesStopAtALineBreak) {
    ScratchFolder scratch;
    const std::wstring path = scratch.File("settings.ini");
    WriteFileBytes(path, "[s]\r\n-color=red\r\n");
    ProfileWriteString(L"s", L"-color", L"blue", path.c_str());
    EXPECT_EQ(ReadFileBytes(path), "[s]\r\n-color=blue\r\n");
    ProfileWriteString(L"s", L"-alarmMessage", L"Up!\r\n[evil]\r\n-x=1", path.c_str());
    ProfileWriteString(L"s", L"-alarmFile", L"a.wav\nb", path.c_str());
    EXPECT_EQ(Get(path, L"-alarmMessage"), L"Up!");
    EXPECT_EQ(Get(path, L"-alarmFile"), L"a.wav");
    EXPECT_EQ(Get(path, L"-x", L"evil"), L"<d>");
}

}  // namespace
