// Our profile (INI) reader and writer on awkward files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "scratch_files.h"
#include "settings/profile_file.h"
#include "settings/profile_text.h"

namespace {

class Profile : public ::testing::Test {
protected:
    std::wstring Get(const wchar_t* section, const wchar_t* key, size_t capacity = 512,
                     const wchar_t* defaultText = L"<d>", const std::wstring& path = L"") {
        std::wstring buffer(capacity + 1, L'#');
        const size_t n = ProfileFileGetString(section, key, defaultText, buffer.data(), capacity,
                                              path.empty() ? path_.c_str() : path.c_str());
        EXPECT_EQ(n, std::wcslen(buffer.c_str()));
        EXPECT_EQ(buffer[capacity], L'#') << "written past the capacity";
        return buffer.c_str();
    }

    ScratchFolder scratch_;
    std::wstring path_ = scratch_.File("settings.ini");
};

TEST_F(Profile, ReadRules) {
    WriteFileBytes(path_,
                   "[MOX_Timer]\r\n-Color=red\r\n  spaced \t=\t  v  w \r\ndq=\"a b\"\r\n"
                   "sq=  ' a b '  \r\nmixed=\"x'\r\nq=\"abc\"\r\nk=first\r\nK=second\r\n"
                   "long=abcdef\r\ne=\"\"\r\nbare\r\naZ=\v\f v\f\v\r\none='\r\nb]=]\r\n"
                   "[mox_timer]\r\nk=second section\r\nonly2=x\r\n[]\r\nk=empty\r\n");
    using Row = std::tuple<const wchar_t*, const wchar_t*, size_t, const wchar_t*>;
    for (auto [section, key, capacity, expected] : std::initializer_list<Row>{
             {L"mox_timer", L"-COLOR", 512, L"red"},   {L" MOX_Timer\t", L" -color ", 512, L"red"},
             {L"MOX_Time", L"-color", 512, L"<d>"},    {L"MOX_Timer", L"-colo", 512, L"<d>"},
             {L"MOX_Timer", L"spaced", 512, L"v  w"},  {L"MOX_Timer", L"dq", 512, L"a b"},
             {L"MOX_Timer", L"sq", 512, L" a b "},     {L"MOX_Timer", L"mixed", 512, L"\"x'"},
             {L"MOX_Timer", L"K", 512, L"first"},      {L"MOX_Timer", L"only2", 512, L"<d>"},
             {L"MOX_Timer", L"long", 4, L"abc"},       {L"MOX_Timer", L"long", 1, L""},
             {L"MOX_Timer", L"q", 4, L"abc"},          {L"MOX_Timer", L"missing", 3, L"<d"},
             {L"MOX_Timer", L"e", 512, L""},           {L"MOX_Timer", L"bare", 512, L"<d>"},
             {L"\nMOX_Timer\r", L"Az\r\n", 512, L"v"}, {nullptr, L"k", 512, L"<d>"},
             {L"MOX_Timer", nullptr, 512, L"<d>"},     {L"MOX_Timer", L"one", 512, L"'"},
             {L"MOX_Timer", L"b]", 512, L"]"},         {L" \t", L"k", 512, L"empty"}}) {
        EXPECT_EQ(Get(section, key, capacity), expected)
            << testing::PrintToString(std::wstring(key ? key : L"")) << " " << capacity;
    }
    wchar_t untouched[2] = L"#";
    EXPECT_EQ(ProfileFileGetString(L"MOX_Timer", L"k", L"d", untouched, 0, path_.c_str()), 0u);
    EXPECT_EQ(ProfileFileGetString(L"MOX_Timer", L"k", L"d", nullptr, 9, path_.c_str()), 0u);
    EXPECT_STREQ(untouched, L"#");
    // A default loses its trailing blanks but a first, and its quotes unless
    // the file cannot be read at all (here: a folder).
    const std::wstring folder = scratch_.root.wstring();
    // clang-format off
    for (auto [defaultText, path, expected] : {
             std::tuple{L"'q'  ", path_, L"q"}, {L"  ", path_, L" "}, {L"\"\"", path_, L""},
             {L"\"ab'", path_, L"\"ab'"}, {L"a\"", path_, L"a\""}, {L"'q'", folder, L"'q'"}}) {
        // clang-format on
        EXPECT_EQ(Get(L"s", L"none", 512, defaultText, path), expected) << defaultText;
    }
    // A file too large to be a settings file is neither read nor written.
    WriteFileBytes(path_, "[s]\nk=v\n");
    std::filesystem::resize_file(path_, 64u * 1024 * 1024 + 1);
    EXPECT_EQ(Get(L"s", L"k"), L"<d>");
    EXPECT_FALSE(ProfileFileWriteString(L"s", L"k", L"w", path_.c_str()));
}

// Value k of section s, out of files in every encoding and with every line
// end; a malformed or cut sequence reads as U+FFFD, as on Windows.
TEST_F(Profile, EncodingsAndLineEnds) {
    const std::wstring bad = L"\uFFFD", lone(1, static_cast<wchar_t>(0xD800));
    for (const auto& [bytes, value] : std::initializer_list<std::pair<std::string, std::wstring>>{
             {"[s]\nk=v", L"v"},
             {"\xEF\xBB\xBF[s]\r\nk=\xC3\xA4\r\n", L"\u00e4"},
             {"\xEF\xBB[s]\nk=v", L"<d>"},
             {"[s]\rk=\xE2\x82\xAC\r", L"\u20ac"},
             {"[t]\n\r[s]\n\rk=v", L"v"},
             {Utf16(u"[s]\r\nk=\u00e4\U0001F600\U00010000\U0010FFFF"),
              L"\u00e4\U0001F600\U00010000\U0010FFFF"},
             {std::string("[s]\nk\0z=a\0b", 12), L"a"},
             {Utf16(u"[s]\rk=v", true) + "\x01", L"v"},
             {Utf16(u"[s]\nk=v").substr(2), L"<d>"},
             {Utf16(u"[s]\nk=v\xD800", true) + "\xDC", L"v" + lone},
             {Utf16(u"[s]\nk=\xD800x\xDC00"), lone + L"x" + std::wstring(1, wchar_t(0xDC00))},
             {"[s]\nk=a\xC3\nj=1", L"a" + bad},
             {"[s]\nk=\xE2\x82", bad},
             {"[s]\nk=\xE2\x82x\xF0\x9F\x98x", bad + L"x" + bad + L"x"},
             {"[s]\nk=\x80\xC1\x80\xC2\x80\xDF\xBF\xF5", bad + bad + bad + L"\u0080\u07FF" + bad},
             {"[s]\nk=\xE0\x9F\xBF\xE0\xA0\x80\xED\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF\xED\xBF\xBF",
              bad + bad + L"\u0800" + bad + bad + L"\uD7FF\uFFFF" + bad + bad},
             {"[s]\nk=\xF0\x8F\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xF4\x90\x80\x80",
              bad + bad + bad + L"\U00010000\U0010FFFF" + bad + bad + bad}}) {
        WriteFileBytes(path_, bytes);
        EXPECT_EQ(Get(L"s", L"k"), value) << testing::PrintToString(bytes);
    }
}

// RtlUnicodeStringToInteger's rules: a sign, 0x, 0o and 0b prefixes, wrapping
// modulo 2^32, only the first 29 characters; the default for a missing key or
// an empty value.
TEST_F(Profile, Integers) {
    WriteFileBytes(
        path_,
        "[s]\na=12\nb=-3\nc=0xaF\nd=0o17\ne=0b101\nf=+7\ng=yes\nh=\ni=1x\nj=\x01"
        "5\nk=\" 5\"\nl=000000000000000000000000000001\nm=4294967297\nn=0x\nz=0b2\no=2@\n");
    // clang-format off
    for (auto [key, value] : {
             std::pair{L"a", 12u}, {L"b", 0u - 3}, {L"c", 175u}, {L"d", 15u}, {L"e", 5u},
             {L"f", 7u}, {L"g", 0u}, {L"h", 77u}, {L"i", 1u}, {L"j", 5u}, {L"k", 5u}, {L"l", 0u},
             {L"m", 1u}, {L"n", 0u}, {L"z", 0u}, {L"o", 2u}}) {
        // clang-format on
        EXPECT_EQ(ProfileFileGetInt(L"s", key, 77, path_.c_str()), value) << key;
    }
}

// The file's own line breaks and encoding are used, and every byte not written
// stays; an odd last byte of a UTF-16 file, half a character, goes.
TEST_F(Profile, WriteChangesOnlyItsOwnLine) {
    const std::string head = "\xEF\xBB\xBF; settings\r\n\r\n[other]\nkey=keep\r";
    const std::string tail = "\r\n;key=comment\nKEY=second\r\n[MOX_Timer]\r\nkey=3";
    // The top character, two lone surrogates, and a pair that stands for U+1F600.
    const std::wstring top = L"\U0010FFFF" + std::wstring{wchar_t(0xDFFF), wchar_t(0xD800),
                                                          wchar_t(0xD83D), wchar_t(0xDE00)};
    using Row = std::tuple<std::string, const wchar_t*, std::wstring, std::string>;
    for (const auto& [before, section, value, after] : std::initializer_list<Row>{
             {head + "\n[mox_timer]\r\n  Key = old value \t" + tail, L"MOX_Timer", L"new",
              head + "\n[mox_timer]\r\n  Key = new" + tail},
             {"[a]\r\nx=1", L"b", L"v", "[a]\r\nx=1\r\n[b]\r\nkey=v\r\n"},
             {"; c\r\n[a]\r\nx=1\r\n\r\n  \r\n[b]\r\n", L"A", L"3",
              "; c\r\n[a]\r\nx=1\r\nkey=3\r\n\r\n  \r\n[b]\r\n"},
             {"[a]\nx=1\n\n[b]\n", L"a", L"3", "[a]\nx=1\nkey=3\n\n[b]\n"},
             {"[s]\r\nkey=old\r\n", L"s", L"a\r\n[evil]\r\nx=1", "[s]\r\nkey=a\r\n"},
             {"[s]\r", L"s", L"v", "[s]\rkey=v\r\n"},
             {Utf16(u"[s]\r") + "\n", L"s", L"v", Utf16(u"[s]\rkey=v\r\n")},
             {"[s]\n", L"s", top,
              "[s]\nkey=\xF4\x8F\xBF\xBF\xEF\xBF\xBD\xEF\xBF\xBD\xF0\x9F\x98\x80\n"},
             {"[s]\nkey=old\n", L"s", L"", "[s]\nkey=\n"},
             {"[s]\n", L"s", L"\u007F\u0080\u07FF\u0800\uFFFF\U00010000",
              "[s]\nkey=\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\n"},
             {"", L"s", L"v", "[s]\nkey=v\n"},
             {"[s]\nkey", L"s", L"v", "[s]\nkey=v"},
             {Utf16(u"[s]", true) + "\x01", L"s", L"\U00010000\U0001F600",
              Utf16(u"[s]\nkey=\U00010000\U0001F600\n", true)},
             {Utf16(u"[a]\r\nx=1"), L"s", L"\u00e4", Utf16(u"[a]\r\nx=1\r\n[s]\r\nkey=\u00e4\r\n")},
             {Utf16(u"[a]\r\n"), L"s", L"v", Utf16(u"[a]\r\n[s]\r\nkey=v\r\n")},
             {"[a]\r\n", L"s", L"v", "[a]\r\n[s]\r\nkey=v\r\n"},
             {Utf16(u""), L"s", L"v", Utf16(u"[s]\nkey=v\n")},
             {Utf16(u"", true), L"s", L"v", Utf16(u"[s]\nkey=v\n", true)},
             {"\xEF\xBB\xBF", L"s", L"v", "\xEF\xBB\xBF[s]\nkey=v\n"}}) {
        WriteFileBytes(path_, before);
        EXPECT_TRUE(ProfileFileWriteString(section, L"key", value.c_str(), path_.c_str()));
        EXPECT_EQ(ReadFileBytes(path_), after) << testing::PrintToString(before);
    }
    // A pair is one character, but not when the length cuts it.
    const wchar_t pair[] = {wchar_t(0xD83D), wchar_t(0xDE00), 0};
    uint32_t c = 0;
    EXPECT_EQ(DecodeWideChar(pair, 2, 0, &c), 2u);
    EXPECT_EQ(c, 0x1F600u);
    EXPECT_EQ(DecodeWideChar(pair, 1, 0, &c), 1u);
    EXPECT_EQ(c, 0xD83Du);
    // A missing argument or a name holding a line break is refused.
    WriteFileBytes(path_, "[s]\nk=1\n");
    const wchar_t* const file = path_.c_str();
    // clang-format off
    for (auto [section, key, value, path] : {
             std::tuple{(const wchar_t*)nullptr, L"k", L"v", file}, {L"s", nullptr, L"v", file},
             {L"s", L"k", nullptr, file}, {L"s", L"k", L"v", nullptr}, {L"s\n", L"k", L"v", file},
             {L"s", L"\rk", L"v", file}}) {
        // clang-format on
        EXPECT_FALSE(ProfileFileWriteString(section, key, value, path));
    }
    EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=1\n");
}

}  // namespace
