// Writing profile files: one key changes, every other byte stays.
#include <gtest/gtest.h>

#include <string>

#include "profile_test_files.h"
#include "settings/profile_file.h"

namespace {

class ProfileWrite : public ::testing::Test {
protected:
    ScratchFolder scratch_;
    std::wstring path_ = scratch_.File("settings.ini");

    bool Write(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
        return ProfileFileWriteString(section, key, value, path_.c_str());
    }

    // Writes to a file holding before and returns what it holds after.
    std::string After(const std::string& before, const wchar_t* section, const wchar_t* key,
                      const wchar_t* value) {
        WriteFileBytes(path_, before);
        EXPECT_TRUE(Write(section, key, value));
        return ReadFileBytes(path_);
    }

    std::wstring Get(const wchar_t* section, const wchar_t* key) {
        wchar_t buffer[512];
        ProfileFileGetString(section, key, L"<d>", buffer, 512, path_.c_str());
        return buffer;
    }
};

TEST_F(ProfileWrite, CreatesAMissingFile) {
    EXPECT_TRUE(Write(L"MOX_Timer", L"-mode", L"stopwatch"));
    EXPECT_EQ(ReadFileBytes(path_), "[MOX_Timer]\n-mode=stopwatch\n");
    EXPECT_TRUE(Write(L"MOX_Timer", L"-precision", L"second"));
    EXPECT_EQ(ReadFileBytes(path_), "[MOX_Timer]\n-mode=stopwatch\n-precision=second\n");
    EXPECT_EQ(scratch_.Listing(), "settings.ini");
}

TEST_F(ProfileWrite, AppendsAMissingSectionInTheFilesLineBreaks) {
    EXPECT_EQ(After("[a]\r\nx=1\r\n", L"b", L"k", L"v"), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
    EXPECT_EQ(After("[a]\nx=1\n", L"b", L"k", L"v"), "[a]\nx=1\n[b]\nk=v\n");
    EXPECT_EQ(After("[a]\r\nx=1", L"b", L"k", L"v"), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
    EXPECT_EQ(After("", L"b", L"k", L"v"), "[b]\nk=v\n");
    EXPECT_EQ(After("; only a comment", L"b", L"k", L"v"), "; only a comment\n[b]\nk=v\n");
    // A section named only by lines above every header does not exist.
    EXPECT_EQ(After("top=1\n", L"", L"top", L"2"), "top=1\n[]\ntop=2\n");
}

TEST_F(ProfileWrite, AppendsAMissingKeyAtTheEndOfItsSection) {
    EXPECT_EQ(After("; c\r\n[a]\r\nx=1\r\n\r\n  \r\n[b]\r\ny=2\r\n", L"A", L"z", L"3"),
              "; c\r\n[a]\r\nx=1\r\nz=3\r\n\r\n  \r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(After("[a]\r\n[b]\r\n", L"a", L"z", L"3"), "[a]\r\nz=3\r\n[b]\r\n");
    EXPECT_EQ(After("[a]", L"a", L"z", L"3"), "[a]\nz=3\n");
    EXPECT_EQ(After("[a]\nx=1", L"a", L"z", L"3"), "[a]\nx=1\nz=3\n");
    // Only the first of two sections of the same name is written to.
    EXPECT_EQ(After("[a]\nx=1\n[A]\nz=9\n", L"a", L"z", L"3"), "[a]\nx=1\nz=3\n[A]\nz=9\n");
}

TEST_F(ProfileWrite, ReplacesAValueAndLeavesEveryOtherByte) {
    const std::string head = "\xEF\xBB\xBF; settings\r\n\r\n[other]\nkey=keep\r";
    const std::string tail = "\r\n;key=comment\nKEY=second\r\n[MOX_Timer]\r\nkey=3";
    EXPECT_EQ(
        After(head + "\n[mox_timer]\r\n  Key = old value \t" + tail, L"MOX_Timer", L"key", L"new"),
        head + "\n[mox_timer]\r\n  Key = new" + tail);
    EXPECT_EQ(Get(L"other", L"key"), L"keep");
    EXPECT_EQ(After("[s]\nk=\n", L"s", L"k", L"v"), "[s]\nk=v\n");
    EXPECT_EQ(After("[s]\nk\nj=1\n", L"s", L"k", L"v"), "[s]\nk=v\nj=1\n");
    EXPECT_EQ(After("[s]\n k  \nj=1\n", L"s", L"k", L"v"), "[s]\n k=v\nj=1\n");
    EXPECT_EQ(After("[s]\nk=\"quoted\"\n", L"s", L"k", L" spaced "), "[s]\nk= spaced \n");
    EXPECT_EQ(Get(L"s", L"k"), L"spaced");
}

TEST_F(ProfileWrite, AValueIsWrittenOnlyUpToItsFirstLineBreak) {
    EXPECT_EQ(After("[s]\r\nk=old\r\n", L"s", L"k", L"a\r\n[evil]\r\nx=1"), "[s]\r\nk=a\r\n");
    EXPECT_EQ(Get(L"evil", L"x"), L"<d>");
    EXPECT_EQ(After("[s]\r\n", L"s", L"k", L"\nb"), "[s]\r\nk=\r\n");
    // Names with line breaks would add lines of their own: refused.
    WriteFileBytes(path_, "[s]\r\n");
    EXPECT_FALSE(Write(L"s\r\n[t]", L"k", L"v"));
    EXPECT_FALSE(Write(L"s", L"k\nj", L"v"));
    EXPECT_EQ(ReadFileBytes(path_), "[s]\r\n");
}

TEST_F(ProfileWrite, CyrillicValuesRoundTripInTheFilesEncoding) {
    const std::wstring path = L"C:\\\x0411\x0443\x0434\x0438\x043B\x044C\x043D\x0438\x043A.wav";
    EXPECT_TRUE(Write(L"MOX_Timer", L"-alarmFile", path.c_str()));
    EXPECT_EQ(ReadFileBytes(path_), Utf8(L"[MOX_Timer]\n-alarmFile=" + path + L"\n"));
    EXPECT_EQ(Get(L"MOX_Timer", L"-alarmFile"), path);

    const std::string utf16 = kUtf16LeMark + Utf16Le(L"[s]\r\nk=old\r\n");
    EXPECT_EQ(After(utf16 + "x", L"s", L"k", path.c_str()),  // the half character goes
              kUtf16LeMark + Utf16Le(L"[s]\r\nk=" + path + L"\r\n"));
    EXPECT_EQ(Get(L"s", L"k"), path);
    EXPECT_EQ(After(kUtf16LeMark + Utf16Le(L"[s]\r\n"), L"t", L"\x041A", L"\x0436"),
              kUtf16LeMark + Utf16Le(L"[s]\r\n[t]\r\n\x041A=\x0436\r\n"));

    EXPECT_EQ(After(std::string(kUtf8Mark) + "[s]\nk=1\n", L"s", L"k", L"\x0436"),
              std::string(kUtf8Mark) + "[s]\nk=\xD0\xB6\n");
}

TEST_F(ProfileWrite, KeepsLongLinesAndGarbageIntact) {
    const std::string longLine = "; " + std::string(200000, 'x') + "\r\n";
    EXPECT_EQ(After(longLine + "[s]\r\nk=1\r\n", L"s", L"k", L"2"), longLine + "[s]\r\nk=2\r\n");

    std::string garbage;
    uint32_t seed = 7;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        garbage += static_cast<char>(seed >> 24);
    }
    garbage[0] = 'G';  // not a byte-order mark
    const std::string written = After(garbage, L"MOX_Timer", L"-color", L"red");
    ASSERT_GE(written.size(), garbage.size());
    EXPECT_EQ(written.substr(0, garbage.size()), garbage);
    EXPECT_EQ(Get(L"MOX_Timer", L"-color"), L"red");
}

TEST_F(ProfileWrite, FailsQuietlyWhereItCannotWrite) {
    const std::wstring nowhere = scratch_.File("missing-folder") + L"/settings.ini";
    EXPECT_FALSE(ProfileFileWriteString(L"s", L"k", L"v", nowhere.c_str()));
    EXPECT_FALSE(ProfileFileWriteString(L"s", L"k", L"v", L""));
    EXPECT_FALSE(ProfileFileWriteString(L"s", L"k", nullptr, path_.c_str()));
    EXPECT_EQ(scratch_.Listing(), "");
}

}  // namespace
