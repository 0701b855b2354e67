// Reading profile files: the rules the Windows profile functions follow, as
// observed under Wine, on awkward files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "profile_test_files.h"
#include "settings/profile_file.h"

namespace {

using namespace std::string_literals;

class ProfileRead : public ::testing::Test {
protected:
    ScratchFolder scratch_;
    std::wstring path_ = scratch_.File("settings.ini");

    void Use(const std::string& bytes) { WriteFileBytes(path_, bytes); }

    std::wstring Get(const wchar_t* section, const wchar_t* key, const wchar_t* fallback = L"<d>",
                     size_t capacity = 512) {
        std::wstring buffer(capacity + 1, L'#');
        const size_t n =
            ProfileFileGetString(section, key, fallback, buffer.data(), capacity, path_.c_str());
        EXPECT_EQ(buffer[n], L'\0');
        EXPECT_EQ(n, std::wcslen(buffer.c_str()));
        return buffer.c_str();
    }

    uint32_t Int(const wchar_t* key, int32_t fallback = 77) {
        return ProfileFileGetInt(L"s", key, fallback, path_.c_str());
    }
};

TEST_F(ProfileRead, MatchesSectionAndKeyWithoutRegardToCase) {
    Use("[MOX_Timer]\r\n-Color=red\r\n");
    EXPECT_EQ(Get(L"mox_timer", L"-COLOR"), L"red");
    EXPECT_EQ(Get(L"  MOX_Timer\t", L" -color "), L"red");  // the names asked for are trimmed
    EXPECT_EQ(Get(L"MOX_Time", L"-color"), L"<d>");
    EXPECT_EQ(Get(L"MOX_Timer", L"-colo"), L"<d>");
    // Only ASCII letters fold, as on Wine: Cyrillic names must match exactly.
    Use("\xEF\xBB\xBF[\xD0\xA1]\r\n\xD0\x9A=1\r\n");
    EXPECT_EQ(Get(L"\x0421", L"\x041A"), L"1");
    EXPECT_EQ(Get(L"\x0421", L"\x043A"), L"<d>");
}

// One section, one line per row: blanks, quotes, lines without '=', the first
// of duplicate keys, lines that look like comments or headers.
TEST_F(ProfileRead, ValuesOfAwkwardLines) {
    const struct {
        const char* line;
        const wchar_t* key;
        const wchar_t* expected;
    } rows[] = {
        {"  spaced \t=\t  v  w \x1A", L"spaced", L"v  w"},
        {"dq=\"a b\"", L"dq", L"a b"},
        {"sq=  ' a b '  ", L"sq", L" a b "},
        {"mixed=\"x'", L"mixed", L"\"x'"},
        {"lone=\"", L"lone", L"\""},
        {"empty=\"\"", L"empty", L""},
        {"inner=\"a\"b\"", L"inner", L"a\"b"},
        {"eq==x=y", L"eq", L"=x=y"},
        {"blank=  \t", L"blank", L""},
        {"noequals", L"noequals", L"<d>"},
        {"k=first", L"k", L"first"},
        {"K=second", L"K", L"first"},
        {";comment=c1", L";comment", L"c1"},
        {"=anonymous", L"", L"anonymous"},
        {"[open=5", L"[open", L"5"},  // no ']': a key, and no new section
        {"after=open", L"after", L"open"},
    };
    std::string file = "[s]\r\n";
    for (const auto& r : rows) file += std::string(r.line) + "\r\n";
    Use(file);
    for (const auto& r : rows) EXPECT_EQ(Get(L"s", r.key), r.expected) << r.line;
}

TEST_F(ProfileRead, SectionsLineBreaksAndNuls) {
    Use("top=before any section\r\n"
        "[dup]\nk=first\r[DUP]\r\nonly2=x\n\r"
        "[tail]junk\r\rk=tail\n"
        "[x] ; c ]\nk=last bracket\n"
        "  [ spaced ]  \r\nk=sp\r\n"
        "[]\r\nk=empty name\r\n"
        "[n\0x]\r\na\0b=1\r\nc=x\0y"s);
    const struct {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* expected;
    } rows[] = {
        {L"dup", L"k", L"first"},
        {L"Dup", L"only2", L"<d>"},  // a repeated section is never searched
        {L"tail", L"k", L"tail"},
        {L"x] ; c", L"k", L"last bracket"},
        {L"spaced", L"k", L"sp"},
        // Keys above the first header are in no section; "[]" names the empty one.
        {L"", L"top", L"<d>"},
        {L"", L"k", L"empty name"},
        {L"n", L"a", L"1"},
        {L"n", L"c", L"x"},
    };
    for (const auto& r : rows) EXPECT_EQ(Get(r.section, r.key), r.expected) << r.section;
}

TEST_F(ProfileRead, DeliversAtMostCapacityLessOneCharacters) {
    Use("[s]\nk=abcdef\nq=\"abc\"\n");
    EXPECT_EQ(Get(L"s", L"k", L"", 4), L"abc");
    EXPECT_EQ(Get(L"s", L"k", L"", 1), L"");
    EXPECT_EQ(Get(L"s", L"k", L"", 7), L"abcdef");
    // A quoted value that just fits keeps its last character (Wine drops it).
    EXPECT_EQ(Get(L"s", L"q", L"", 4), L"abc");
    EXPECT_EQ(Get(L"s", L"q", L"", 3), L"ab");
    EXPECT_EQ(Get(L"s", L"missing", L"default", 4), L"def");
    wchar_t untouched[2] = {L'#', L'#'};
    EXPECT_EQ(ProfileFileGetString(L"s", L"k", L"", untouched, 0, path_.c_str()), 0u);
    EXPECT_EQ(untouched[0], L'#');
}

TEST_F(ProfileRead, TheDefaultText) {
    EXPECT_EQ(Get(L"s", L"k", L"none"), L"none");  // no file yet
    // It loses trailing spaces (not the first) and quotes.
    Use("[s]\r\n");
    EXPECT_EQ(Get(L"s", L"k", L"def  "), L"def");
    EXPECT_EQ(Get(L"s", L"k", L"  "), L" ");
    EXPECT_EQ(Get(L"s", L"k", L"\"q\"  "), L"q");
    EXPECT_EQ(Get(L"s", L"k", nullptr), L"");
    // A folder in the file's place cannot be opened: the default as given.
    std::filesystem::remove(std::filesystem::path(path_));
    std::filesystem::create_directory(std::filesystem::path(path_));
    EXPECT_EQ(Get(L"s", L"k", L"\"none\""), L"\"none\"");
    EXPECT_EQ(Int(L"k", -3), static_cast<uint32_t>(-3));
}

TEST_F(ProfileRead, ReadsUtf8AndUtf16Files) {
    Use(Utf8(L"[s]\r\nk=" + kCyrillic + L".wav\r\n"));
    EXPECT_EQ(Get(L"s", L"k"), kCyrillic + L".wav");
    Use(kUtf8Mark + Utf8(L"[s]\r\nk=" + kCyrillic + L"\r\n"));
    EXPECT_EQ(Get(L"s", L"k"), kCyrillic);
    Use(kUtf16LeMark + Utf16Le(L"[\x0421]\r\n\x041A = \"" + kCyrillic + L"\" \r\n"));
    EXPECT_EQ(Get(L"\x0421", L"\x041A"), kCyrillic);
    Use(kUtf16LeMark + Utf16Le(L"[s]\nk=v") + "x");  // half a character at the end
    EXPECT_EQ(Get(L"s", L"k"), L"v");
    // Beyond the basic plane; where wchar_t is 16 bits a full buffer cuts the
    // pair, as lstrcpynW does.
    Use("[s]\nk=\xF0\x9F\x98\x80z\n");
    const std::wstring full =
        sizeof(wchar_t) == 2 ? L"\xD83D\xDE00z" : std::wstring(1, wchar_t(0x1F600)) + L"z";
    EXPECT_EQ(Get(L"s", L"k"), full);
    EXPECT_EQ(Get(L"s", L"k", L"", 2), full.substr(0, 1));
}

// Each bad sequence gives the replacement characters the Windows loader gives.
TEST_F(ProfileRead, MalformedUtf8ReadsAsReplacementCharacters) {
    const struct {
        const char* bytes;
        const wchar_t* expected;
    } cases[] = {
        {"\xC0\x80", L"\xFFFD\xFFFD"},     {"\xE3\x80|", L"\xFFFD|"},
        {"\xED\xA0\x80", L"\xFFFD\xFFFD"}, {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD"},
        {"\xE0\x80\x80", L"\xFFFD\xFFFD"}, {"\xEF\xBF\xBF", L"\xFFFF"},
        {"\x80|\xFF|", L"\xFFFD|\xFFFD|"},
    };
    for (const auto& c : cases) {
        Use(std::string(kUtf8Mark) + "[s]\r\nk=<" + c.bytes + ">\r\n");
        EXPECT_EQ(Get(L"s", L"k"), std::wstring(L"<") + c.expected + L">") << c.bytes;
    }
}

TEST_F(ProfileRead, LinesOfAnyLength) {
    Use("[s]\r\n" + std::string(100000, 'x') + "=1\r\nk=" + std::string(70000, 'v') +
        "\r\nafter=ok");
    EXPECT_EQ(Get(L"s", L"after"), L"ok");
    EXPECT_EQ(Get(L"s", L"k", L"", 10), L"vvvvvvvvv");
    EXPECT_EQ(Get(L"s", L"k", L"", 80000).size(), 70000u);
}

TEST_F(ProfileRead, GarbageYieldsTheWellFormedLinesItHolds) {
    uint32_t seed = 12345;
    for (int round = 0; round < 20; ++round) {
        std::string bytes;
        for (int i = 0; i < 3000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            bytes += static_cast<char>(seed >> 24);
        }
        bytes.insert(1500, "\n[found]\nkey = value \n");
        Use(bytes);
        EXPECT_EQ(Get(L"found", L"key"), L"value") << round;
        // Every prefix, so that no read runs past the end of a cut sequence.
        for (size_t cut = 0; cut < 64; ++cut) {
            Use(bytes.substr(0, cut));
            Get(L"found", L"key");
            Int(L"key");
        }
    }
}

TEST_F(ProfileRead, IntegersAreReadTheWayWindowsReadsThem) {
    const struct {
        const char* value;
        uint32_t expected;
    } cases[] = {
        {"+5", 5u},
        {"-5", 0xFFFFFFFBu},
        {"12abc", 12u},
        {"abc", 0u},
        {"'-3'", 0xFFFFFFFDu},
        {"- 3", 0u},
        {"0x10", 16u},
        {"0X10", 0u},
        {"0b101", 5u},
        {"0o17", 15u},
        {"017", 17u},
        {"-0x10", 0xFFFFFFF0u},
        {"4294967296", 0u},
        {"99999999999", 1215752191u},
        {"\x01 9", 9u},  // control characters before the number are skipped
        // Only the first 29 characters count.
        {"12345678901234567890123456789012345", 1849262357u},
    };
    for (const auto& c : cases) {
        Use(std::string("[s]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(Int(L"k"), c.expected) << c.value;
    }
    Use("[s]\r\nempty=\r\nbare\r\n");
    EXPECT_EQ(Int(L"empty"), 77u);  // an empty value gives the default, as on Windows
    EXPECT_EQ(Int(L"bare"), 77u);
}

}  // namespace
