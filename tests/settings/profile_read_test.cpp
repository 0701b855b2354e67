// Reading profile files: the rules the Windows profile functions follow, as
// observed under Wine, on awkward files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "profile_test_files.h"
#include "settings/profile_file.h"

namespace {

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

TEST_F(ProfileRead, DropsBlanksAroundValuesAndOnePairOfQuotes) {
    Use("[s]\r\n"
        "  spaced \t=\t  v  w \x1A\r\n"
        "dq=\"a b\"\r\n"
        "sq=  ' a b '  \r\n"
        "mixed=\"x'\r\n"
        "lone=\"\r\n"
        "empty=\"\"\r\n"
        "inner=\"a\"b\"\r\n"
        "open=\"abc\r\n"
        "eq==x=y\r\n");
    EXPECT_EQ(Get(L"s", L"spaced"), L"v  w");
    EXPECT_EQ(Get(L"s", L"dq"), L"a b");
    EXPECT_EQ(Get(L"s", L"sq"), L" a b ");
    EXPECT_EQ(Get(L"s", L"mixed"), L"\"x'");
    EXPECT_EQ(Get(L"s", L"lone"), L"\"");
    EXPECT_EQ(Get(L"s", L"empty"), L"");
    EXPECT_EQ(Get(L"s", L"inner"), L"a\"b");
    EXPECT_EQ(Get(L"s", L"open"), L"\"abc");
    EXPECT_EQ(Get(L"s", L"eq"), L"=x=y");
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
    wchar_t exact[4] = {L'#', L'#', L'#', L'#'};
    EXPECT_EQ(ProfileFileGetString(L"s", L"k", L"", exact, 3, path_.c_str()), 2u);
    EXPECT_EQ(std::wstring(exact, 4), std::wstring(L"ab\0#", 4));
}

TEST_F(ProfileRead, GivesTheDefaultWhenFileSectionOrKeyIsMissing) {
    EXPECT_EQ(Get(L"s", L"k", L"none"), L"none");  // no file yet
    Use("[s]\r\nnoequals\r\nempty=\r\nblank=  \t\r\n[t]\r\n");
    EXPECT_EQ(Get(L"x", L"k", L"none"), L"none");
    EXPECT_EQ(Get(L"s", L"k", L"none"), L"none");
    EXPECT_EQ(Get(L"t", L"k", L"none"), L"none");
    EXPECT_EQ(Get(L"s", L"noequals", L"none"), L"none");
    EXPECT_EQ(Get(L"s", L"empty", L"none"), L"");
    EXPECT_EQ(Get(L"s", L"blank", L"none"), L"");
    // The default text itself loses trailing spaces (not the first) and quotes.
    EXPECT_EQ(Get(L"s", L"k", L"def  "), L"def");
    EXPECT_EQ(Get(L"s", L"k", L"  "), L" ");
    EXPECT_EQ(Get(L"s", L"k", L"de\tf\t"), L"de\tf\t");
    EXPECT_EQ(Get(L"s", L"k", L"\"q\"  "), L"q");
    EXPECT_EQ(Get(L"s", L"k", nullptr), L"");
}

TEST_F(ProfileRead, FirstOfDuplicateKeysAndSectionsWins) {
    Use("[dup]\r\nk=first\r\nK=second\r\n[DUP]\r\nk=third\r\nonly2=x\r\n[other]\r\nk=o\r\n");
    EXPECT_EQ(Get(L"dup", L"k"), L"first");
    EXPECT_EQ(Get(L"Dup", L"only2"), L"<d>");  // a repeated section is never searched
    EXPECT_EQ(Get(L"other", L"k"), L"o");
}

TEST_F(ProfileRead, CommentsAndStrayLinesAreOrdinaryLines) {
    Use("top=before any section\r\n"
        "[c]\r\n"
        ";comment=c1\r\n"
        "#hash=h1\r\n"
        "=anonymous\r\n"
        "[open=5\r\n"
        "k=in c\r\n"
        "[tail]junk\r\nk=tail\r\n"
        "[x] ; c ]\r\nk=last bracket\r\n"
        "  [ spaced ]  \r\nk=sp\r\n"
        "[]\r\nk=empty name\r\n");
    EXPECT_EQ(Get(L"c", L";comment"), L"c1");
    EXPECT_EQ(Get(L"c", L"#hash"), L"h1");
    EXPECT_EQ(Get(L"c", L""), L"anonymous");
    EXPECT_EQ(Get(L"c", L"[open"), L"5");  // no ']': a key, and no new section
    EXPECT_EQ(Get(L"c", L"k"), L"in c");
    EXPECT_EQ(Get(L"tail", L"k"), L"tail");
    EXPECT_EQ(Get(L"x] ; c", L"k"), L"last bracket");
    EXPECT_EQ(Get(L"spaced", L"k"), L"sp");
    // Keys above the first header are in no section; "[]" names the empty one.
    EXPECT_EQ(Get(L"", L"top"), L"<d>");
    EXPECT_EQ(Get(L"", L"k"), L"empty name");
}

TEST_F(ProfileRead, AnyLineBreakEndsALine) {
    Use("[s]\nlf=1\rcr=2\r\ncrlf=3\n\rlfcr=4\r\r\n  \nlast=5");
    EXPECT_EQ(Get(L"s", L"lf"), L"1");
    EXPECT_EQ(Get(L"s", L"cr"), L"2");
    EXPECT_EQ(Get(L"s", L"crlf"), L"3");
    EXPECT_EQ(Get(L"s", L"lfcr"), L"4");
    EXPECT_EQ(Get(L"s", L"last"), L"5");
}

TEST_F(ProfileRead, NulEndsNamesAndValues) {
    Use(std::string("[s\0x]\r\na\0b=1\r\nc=x\0y\r\n", 21));
    EXPECT_EQ(Get(L"s", L"a"), L"1");
    EXPECT_EQ(Get(L"s", L"c"), L"x");
}

TEST_F(ProfileRead, ReadsUtf8AndUtf16Files) {
    const std::wstring cyrillic = L"\x0411\x0443\x0434\x0438\x043B\x044C\x043D\x0438\x043A";
    Use(Utf8(L"[s]\r\nk=" + cyrillic + L".wav\r\n"));
    EXPECT_EQ(Get(L"s", L"k"), cyrillic + L".wav");
    Use(kUtf8Mark + Utf8(L"[s]\r\nk=" + cyrillic + L"\r\n"));
    EXPECT_EQ(Get(L"s", L"k"), cyrillic);
    Use(kUtf16LeMark + Utf16Le(L"[\x0421]\r\n\x041A = \"" + cyrillic + L"\" \r\n"));
    EXPECT_EQ(Get(L"\x0421", L"\x041A"), cyrillic);
    Use("\xFE\xFF" + Utf16Be(L"[s]\nk=be\n"));
    EXPECT_EQ(Get(L"s", L"k"), L"be");
    Use(kUtf16LeMark + Utf16Le(L"[s]\nk=v") + "x");  // half a character at the end
    EXPECT_EQ(Get(L"s", L"k"), L"v");
}

TEST_F(ProfileRead, CharactersBeyondTheBasicPlane) {
    Use("[s]\nk=\xF0\x9F\x98\x80z\n");
    const std::wstring full =
        sizeof(wchar_t) == 2 ? L"\xD83D\xDE00z" : std::wstring(1, wchar_t(0x1F600)) + L"z";
    EXPECT_EQ(Get(L"s", L"k"), full);
    // Where wchar_t is 16 bits a full buffer cuts the pair, as lstrcpynW does.
    EXPECT_EQ(Get(L"s", L"k", L"", 2), full.substr(0, 1));
}

TEST_F(ProfileRead, MalformedUtf8ReadsAsReplacementCharacters) {
    // Each bad sequence gives the replacement characters the Windows loader gives.
    const struct {
        const char* bytes;
        const wchar_t* expected;
    } cases[] = {
        {"\xC0\x80", L"\xFFFD\xFFFD"},
        {"\xE3\x80"
         "A",
         L"\xFFFD"
         L"A"},
        {"\xED\xA0\x80", L"\xFFFD\xFFFD"},
        {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD"},
        {"\xF5\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"\x80"
         "A",
         L"\xFFFD"
         L"A"},
        {"\xE0\x80\x80", L"\xFFFD\xFFFD"},
        {"\xE3\x80", L"\xFFFD"},
        {"\xF0\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD"},
        {"\xEF\xBF\xBF", L"\xFFFF"},
        {"\xED\x9F\xBF", L"\xD7FF"},
        {"\xE0\xA0\x80", L"\x0800"},
        {"\xFF"
         "A",
         L"\xFFFD"
         L"A"},
    };
    for (const auto& c : cases) {
        Use(std::string(kUtf8Mark) + "[s]\r\nk=<" + c.bytes + ">\r\n");
        EXPECT_EQ(Get(L"s", L"k"), std::wstring(L"<") + c.expected + L">") << c.bytes;
    }
}

TEST_F(ProfileRead, LinesOfAnyLength) {
    const std::string longValue(70000, 'v');
    Use("[s]\r\n" + std::string(100000, 'x') + "=1\r\nk=" + longValue + "\r\nafter=ok");
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

TEST_F(ProfileRead, AnUnreadableFileReadsAsEmpty) {
    // A folder in the file's place: the default, without its quotes removed,
    // as on Windows when a file cannot be opened.
    std::filesystem::create_directory(std::filesystem::path(path_));
    EXPECT_EQ(Get(L"s", L"k", L"\"none\""), L"\"none\"");
    EXPECT_EQ(ProfileFileGetInt(L"s", L"k", -3, path_.c_str()), static_cast<uint32_t>(-3));
}

TEST_F(ProfileRead, IntegersAreReadTheWayWindowsReadsThem) {
    const struct {
        const char* value;
        uint32_t expected;
    } cases[] = {
        {"12", 12u},
        {"+5", 5u},
        {"-5", 0xFFFFFFFBu},
        {"12abc", 12u},
        {"abc", 0u},
        {"\"7\"", 7u},
        {"'-3'", 0xFFFFFFFDu},
        {"- 3", 0u},
        {"+-3", 0u},
        {"1e5", 1u},
        {"0x10", 16u},
        {"0X10", 0u},
        {"0b101", 5u},
        {"0o17", 15u},
        {"017", 17u},
        {"-0x10", 0xFFFFFFF0u},
        {"0x", 0u},
        {"4294967295", 0xFFFFFFFFu},
        {"4294967296", 0u},
        {"99999999999", 1215752191u},
        {"-2147483649", 2147483647u},
        // Only the first 29 characters count.
        {"12345678901234567890123456789012345", 1849262357u},
        {"\x01 9", 9u},  // control characters before the number are skipped
    };
    for (const auto& c : cases) {
        Use(std::string("[s]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(Int(L"k"), c.expected) << c.value;
    }
    Use("[s]\r\nempty=\r\nbare\r\n");
    EXPECT_EQ(Int(L"empty"), 77u);  // an empty value gives the default, as on Windows
    EXPECT_EQ(Int(L"bare"), 77u);
    EXPECT_EQ(Int(L"missing", -7), static_cast<uint32_t>(-7));
}

}  // namespace
