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

    std::wstring Get(const wchar_t* section, const wchar_t* key) {
        wchar_t buffer[512];
        ProfileFileGetString(section, key, L"<d>", buffer, 512, path_.c_str());
        return buffer;
    }
};

TEST_F(ProfileWrite, CreatesAMissingFile) {
    EXPECT_TRUE(Write(L"MOX_Timer", L"-mode", L"stopwatch"));
    EXPECT_TRUE(Write(L"MOX_Timer", L"-precision", L"second"));
    EXPECT_EQ(ReadFileBytes(path_), "[MOX_Timer]\n-mode=stopwatch\n-precision=second\n");
    EXPECT_EQ(scratch_.Listing(), "settings.ini");
}

// The file's own line breaks are used, and every byte not written stays.
TEST_F(ProfileWrite, ChangesOnlyTheLineWritten) {
    const std::string head = "\xEF\xBB\xBF; settings\r\n\r\n[other]\nkey=keep\r";
    const std::string tail = "\r\n;key=comment\nKEY=second\r\n[MOX_Timer]\r\nkey=3";
    const struct {
        std::string before;
        const wchar_t* section;
        const wchar_t* value;
        std::string after;
    } cases[] = {
        {head + "\n[mox_timer]\r\n  Key = old value \t" + tail, L"MOX_Timer", L"new",
         head + "\n[mox_timer]\r\n  Key = new" + tail},
        // A missing section goes at the end; a key above every header is in none.
        {"[a]\r\nx=1", L"b", L"v", "[a]\r\nx=1\r\n[b]\r\nkey=v\r\n"},
        {"[a]\nx=1\n", L"b", L"v", "[a]\nx=1\n[b]\nkey=v\n"},
        {"; only a comment", L"b", L"v", "; only a comment\n[b]\nkey=v\n"},
        {"key=1\n", L"", L"2", "key=1\n[]\nkey=2\n"},
        // A missing key goes after the last line of the first such section.
        {"; c\r\n[a]\r\nx=1\r\n\r\n  \r\n[b]\r\n", L"A", L"3",
         "; c\r\n[a]\r\nx=1\r\nkey=3\r\n\r\n  \r\n[b]\r\n"},
        {"[a]", L"a", L"3", "[a]\nkey=3\n"},
        {"[a]\nx=1\n[A]\nkey=9\n", L"a", L"3", "[a]\nx=1\nkey=3\n[A]\nkey=9\n"},
        // Lines without a value or without '=' get one.
        {"[s]\nkey=\n", L"s", L"v", "[s]\nkey=v\n"},
        {"[s]\n key  \nj=1\n", L"s", L"v", "[s]\n key=v\nj=1\n"},
        {"[s]\nkey=\"quoted\"\n", L"s", L" spaced ", "[s]\nkey= spaced \n"},
        // A value is written only up to its first line break.
        {"[s]\r\nkey=old\r\n", L"s", L"a\r\n[evil]\r\nx=1", "[s]\r\nkey=a\r\n"},
        {"[s]\r\n", L"s", L"\nb", "[s]\r\nkey=\r\n"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(path_, c.before);
        EXPECT_TRUE(Write(c.section, L"key", c.value));
        EXPECT_EQ(ReadFileBytes(path_), c.after) << c.before;
    }
    // Names with line breaks would add lines of their own: refused.
    EXPECT_FALSE(Write(L"s\r\n[t]", L"k", L"v"));
    EXPECT_FALSE(Write(L"s", L"k\nj", L"v"));
    EXPECT_EQ(ReadFileBytes(path_), "[s]\r\nkey=\r\n");
}

TEST_F(ProfileWrite, CyrillicValuesRoundTripInTheFilesEncoding) {
    const std::wstring wav = L"C:\\" + kCyrillic + L".wav";
    EXPECT_TRUE(Write(L"MOX_Timer", L"-alarmFile", wav.c_str()));
    EXPECT_EQ(ReadFileBytes(path_), Utf8(L"[MOX_Timer]\n-alarmFile=" + wav + L"\n"));
    EXPECT_EQ(Get(L"MOX_Timer", L"-alarmFile"), wav);

    // The half character at the end goes.
    WriteFileBytes(path_, kUtf16LeMark + Utf16Le(L"[s]\r\nk=old\r\n") + "x");
    EXPECT_TRUE(Write(L"s", L"k", wav.c_str()));
    EXPECT_TRUE(Write(L"t", L"\x041A", L"\x0436"));
    EXPECT_EQ(ReadFileBytes(path_),
              kUtf16LeMark + Utf16Le(L"[s]\r\nk=" + wav + L"\r\n[t]\r\n\x041A=\x0436\r\n"));
    EXPECT_EQ(Get(L"s", L"k"), wav);

    WriteFileBytes(path_, std::string(kUtf8Mark) + "[s]\nk=1\n");
    EXPECT_TRUE(Write(L"s", L"k", L"\x0436"));
    EXPECT_EQ(ReadFileBytes(path_), std::string(kUtf8Mark) + "[s]\nk=\xD0\xB6\n");
}

TEST_F(ProfileWrite, KeepsLongLinesAndGarbageIntact) {
    const std::string longLine = "; " + std::string(200000, 'x') + "\r\n";
    WriteFileBytes(path_, longLine + "[s]\r\nk=1\r\n");
    EXPECT_TRUE(Write(L"s", L"k", L"2"));
    EXPECT_EQ(ReadFileBytes(path_), longLine + "[s]\r\nk=2\r\n");

    std::string garbage = "G";  // not a byte-order mark
    uint32_t seed = 7;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        garbage += static_cast<char>(seed >> 24);
    }
    WriteFileBytes(path_, garbage);
    EXPECT_TRUE(Write(L"MOX_Timer", L"-color", L"red"));
    EXPECT_EQ(ReadFileBytes(path_).substr(0, garbage.size()), garbage);
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
