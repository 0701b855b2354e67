// Our profile (INI) reader and writer on awkward files.
#include <gtest/gtest.h>

#include <string>

#include "scratch_files.h"
#include "settings/profile_file.h"

namespace {

class Profile : public ::testing::Test {
protected:
    std::wstring Get(const wchar_t* section, const wchar_t* key, size_t capacity = 512) {
        std::wstring buffer(capacity + 1, L'#');
        const size_t n =
            ProfileFileGetString(section, key, L"<d>", buffer.data(), capacity, path_.c_str());
        EXPECT_EQ(n, std::wcslen(buffer.c_str()));
        return buffer.c_str();
    }

    ScratchFolder scratch_;
    std::wstring path_ = scratch_.File("settings.ini");
};

TEST_F(Profile, ReadRules) {
    WriteFileBytes(path_,
                   "[MOX_Timer]\r\n-Color=red\r\n  spaced \t=\t  v  w \r\ndq=\"a b\"\r\n"
                   "sq=  ' a b '  \r\nmixed=\"x'\r\nq=\"abc\"\r\nk=first\r\nK=second\r\n"
                   "long=abcdef\r\n[mox_timer]\r\nk=second section\r\nonly2=x\r\n");
    const struct {
        const wchar_t* section;
        const wchar_t* key;
        size_t capacity;
        const wchar_t* expected;
    } rows[] = {
        {L"mox_timer", L"-COLOR", 512, L"red"},  {L" MOX_Timer\t", L" -color ", 512, L"red"},
        {L"MOX_Time", L"-color", 512, L"<d>"},   {L"MOX_Timer", L"-colo", 512, L"<d>"},
        {L"MOX_Timer", L"spaced", 512, L"v  w"}, {L"MOX_Timer", L"dq", 512, L"a b"},
        {L"MOX_Timer", L"sq", 512, L" a b "},    {L"MOX_Timer", L"mixed", 512, L"\"x'"},
        {L"MOX_Timer", L"K", 512, L"first"},     {L"MOX_Timer", L"only2", 512, L"<d>"},
        {L"MOX_Timer", L"long", 4, L"abc"},      {L"MOX_Timer", L"long", 1, L""},
        {L"MOX_Timer", L"q", 4, L"abc"},         {L"MOX_Timer", L"missing", 3, L"<d"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(Get(r.section, r.key, r.capacity), r.expected)
            << testing::PrintToString(std::wstring(r.key)) << " " << r.capacity;
    }
    WriteFileBytes(path_, Utf16Le(L"[\x0421]\r\n\x041A = \"\x0436\" \r\n"));
    EXPECT_EQ(Get(L"\x0421", L"\x041A"), L"\x0436");
}

// The file's own line breaks are used, and every byte not written stays.
TEST_F(Profile, WriteChangesOnlyItsOwnLine) {
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
        {"[a]\r\nx=1", L"b", L"v", "[a]\r\nx=1\r\n[b]\r\nkey=v\r\n"},
        {"; c\r\n[a]\r\nx=1\r\n\r\n  \r\n[b]\r\n", L"A", L"3",
         "; c\r\n[a]\r\nx=1\r\nkey=3\r\n\r\n  \r\n[b]\r\n"},
        {"[s]\r\nkey=old\r\n", L"s", L"a\r\n[evil]\r\nx=1", "[s]\r\nkey=a\r\n"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(path_, c.before);
        EXPECT_TRUE(ProfileFileWriteString(c.section, L"key", c.value, path_.c_str()));
        EXPECT_EQ(ReadFileBytes(path_), c.after) << c.before;
    }
}

}  // namespace
