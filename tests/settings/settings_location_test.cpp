// Linux: paths and arguments keep their bytes whatever the locale, and the
// settings live beside a portable copy or in the user's configuration folder.
#include "platform/posix/settings_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/path_bytes.h"
#include "platform/posix/system_posix.h"
#include "scratch_files.h"
#include "settings/profile_file.h"

namespace {

std::wstring Wide(std::initializer_list<uint32_t> codes) {
    std::wstring text;
    for (uint32_t c : codes) text += static_cast<wchar_t>(c);
    return text;
}

// Valid UTF-8 reads as its characters; every other byte escapes to
// U+DC80..U+DCFF; either way the bytes come back unchanged.
TEST(PathBytes, EveryByteComesBack) {
    const struct {
        const char* bytes;
        std::wstring wide;
    } cases[] = {
        {"/opt/a\xC3\xBC", L"/opt/a\u00FC"},
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", Wide({0x20AC, 0x1F600})},
        {"\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF", Wide({0xD7FF, 0xE000, 0x10FFFF})},
        {"\xEF\xBF\xBD", L"\uFFFD"},
        {"\xFF\xFE\x80", Wide({0xDCFF, 0xDCFE, 0xDC80})},
        {"x\xE2\x82", Wide({'x', 0xDCE2, 0xDC82})},              // cut short at the end
        {"\xF0\x9F\x98-", Wide({0xDCF0, 0xDC9F, 0xDC98, '-'})},  // cut short inside
        {"\xE2(\xA1", Wide({0xDCE2, '(', 0xDCA1})},
        {"\xC0\xAF\xE0\x80\xAF", Wide({0xDCC0, 0xDCAF, 0xDCE0, 0xDC80, 0xDCAF})},  // overlong
        {"\xED\xA0\x80", Wide({0xDCED, 0xDCA0, 0xDC80})},                          // a surrogate
        {"\xF4\x90\x80\x80", Wide({0xDCF4, 0xDC90, 0xDC80, 0xDC80})},              // > U+10FFFF
        {"\xF5\x80\x80\x80", Wide({0xDCF5, 0xDC80, 0xDC80, 0xDC80})},
        {"\xC3\xC3\xBC", Wide({0xDCC3, 0xFC})},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.bytes;
        wchar_t wide[16];
        char back[32];
        ASSERT_TRUE(BytesToWide(c.bytes, wide, 16)) << bytes;
        EXPECT_EQ(std::wstring(wide), c.wide) << bytes;
        EXPECT_EQ(BytesToWideString(c.bytes), c.wide) << bytes;
        ASSERT_TRUE(WideToBytes(wide, back, 32)) << bytes;
        EXPECT_EQ(std::string(back), bytes);
        // Exactly enough room, then one short: never a cut name.
        EXPECT_TRUE(BytesToWide(c.bytes, wide, c.wide.size() + 1)) << bytes;
        EXPECT_FALSE(BytesToWide(c.bytes, wide, c.wide.size()) || wide[0] != L'\0') << bytes;
        EXPECT_TRUE(WideToBytes(c.wide.c_str(), back, bytes.size() + 1)) << bytes;
        EXPECT_FALSE(WideToBytes(c.wide.c_str(), back, bytes.size()) || back[0] != '\0') << bytes;
    }
    // Code points no bytes convert to become U+FFFD.
    char back[16];
    WideToBytes(Wide({0xD800, 0xDC41, 0x110000, 'a'}).c_str(), back, 16);
    EXPECT_EQ(std::string(back),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
              "a");
}

// An argument's bytes reach the command line the same under any locale, and
// a file named there comes back to its own bytes.
TEST(PathBytes, ArgumentsKeepTheirBytesInAnyLocale) {
    std::string program = "/opt/m\xFFx/moxtimer", alarm = "-alarmFile=/tmp/\xE9t\xC3\xA9.wav";
    for (const char* locale : {"C", "C.UTF-8"}) {
        ASSERT_TRUE(std::setlocale(LC_ALL, locale)) << locale;
        char* argv[] = {program.data(), alarm.data(), nullptr};
        SetCommandLineFromArgs(2, argv);
        const std::wstring line = GetCommandLineText();
        EXPECT_EQ(line, Wide({'/', 'o', 'p', 't', '/', 'm', 0xDCFF, 'x'}) + L"/moxtimer " +
                            Wide({'-', 'a', 'l', 'a', 'r', 'm', 'F', 'i', 'l', 'e', '=', '/', 't',
                                  'm', 'p', '/', 0xDCE9, 't', 0xE9}) +
                            L".wav")
            << locale;
        char file[64];
        ASSERT_TRUE(WideToBytes(line.c_str() + line.find(L'=') + 1, file, sizeof file));
        EXPECT_EQ(std::string(file), alarm.substr(alarm.find('=') + 1)) << locale;
        wchar_t path[64];
        ASSERT_TRUE(ExecutablePathFromLink(program.c_str(), path, 64)) << locale;
        EXPECT_EQ(std::wstring(path), line.substr(0, line.find(L' '))) << locale;
    }
    std::setlocale(LC_ALL, "C");
}

// The file system the choice sees, set per case.
std::set<std::string> g_files, g_writable;
const char* g_passwordHome = nullptr;

struct Case {
    const char* beside;
    std::vector<const char*> writable, files;
    const char *xdgConfigHome, *xdgConfigDirs, *home, *passwordHome;
    const char *write, *read;
};

TEST(SettingsLocation, PortableOrInstalledWithTheAdministratorsDefaults) {
    const char* mine = "/home/u/.config/moxtimer/moxtimer.ini";
    const char* etc = "/etc/xdg/moxtimer/moxtimer.ini";
    const Case cases[] = {
        // Portable: a writable folder outside /usr keeps the file beside the program.
        {"/home/u/mox/moxtimer.ini",
         {"/home/u/mox"},
         {etc},
         nullptr,
         nullptr,
         "/home/u",
         nullptr,
         "/home/u/mox/moxtimer.ini",
         "/home/u/mox/moxtimer.ini"},
        {"/moxtimer.ini",
         {"/"},
         {},
         nullptr,
         nullptr,
         "/home/u",
         nullptr,
         "/moxtimer.ini",
         "/moxtimer.ini"},
        // Installed: a folder the user may not write, or one under /usr.
        {"/opt/mox/moxtimer.ini", {}, {}, nullptr, nullptr, "/home/u", nullptr, mine, mine},
        {"/usr/local/bin/moxtimer.ini",
         {"/usr/local/bin"},
         {},
         nullptr,
         nullptr,
         "/home/u",
         nullptr,
         mine,
         mine},
        {"/./usr//bin/moxtimer.ini",
         {"/./usr//bin"},
         {},
         nullptr,
         nullptr,
         "/home/u",
         nullptr,
         mine,
         mine},
        {"/usrx/moxtimer.ini",
         {"/usrx"},
         {},
         nullptr,
         nullptr,
         "/home/u",
         nullptr,
         "/usrx/moxtimer.ini",
         "/usrx/moxtimer.ini"},
        // XDG_CONFIG_HOME when absolute; HOME, then the password database.
        {"/opt/m.ini",
         {},
         {},
         "/cfg",
         nullptr,
         "/home/u",
         nullptr,
         "/cfg/moxtimer/moxtimer.ini",
         "/cfg/moxtimer/moxtimer.ini"},
        {"/opt/m.ini", {}, {}, "cfg", nullptr, "/home/u", nullptr, mine, mine},
        {"/opt/m.ini", {}, {}, "", nullptr, "/home/u", nullptr, mine, mine},
        {"/opt/m.ini", {}, {}, nullptr, nullptr, nullptr, "/home/u", mine, mine},
        {"/opt/m.ini", {}, {}, nullptr, nullptr, "home/x", "/home/u", mine, mine},
        {"/opt/m.ini",
         {},
         {},
         nullptr,
         nullptr,
         "/",
         nullptr,
         "/.config/moxtimer/moxtimer.ini",
         "/.config/moxtimer/moxtimer.ini"},
        {"/opt/m.ini", {}, {}, nullptr, nullptr, nullptr, nullptr, "", ""},
        {"/opt/m.ini", {}, {}, "/usr/share", nullptr, "/home/u", nullptr, "", ""},
        // The administrator's file until the user has one; never for a portable copy.
        {"/opt/m.ini", {}, {etc}, nullptr, nullptr, "/home/u", nullptr, mine, etc},
        {"/opt/m.ini", {}, {etc}, nullptr, "", "/home/u", nullptr, mine, etc},
        {"/opt/m.ini", {}, {etc, mine}, nullptr, nullptr, "/home/u", nullptr, mine, mine},
        {"/opt/m.ini", {}, {etc}, nullptr, nullptr, nullptr, nullptr, "", etc},
        {"/opt/m.ini", {}, {etc}, nullptr, "etc/xdg", "/home/u", nullptr, mine, mine},
        {"/opt/m.ini",
         {},
         {"/b/moxtimer/moxtimer.ini", "/c/moxtimer/moxtimer.ini", "a/moxtimer/moxtimer.ini"},
         nullptr,
         "a:/nowhere::/b:/c",
         "/home/u",
         nullptr,
         mine,
         "/b/moxtimer/moxtimer.ini"},
        {"", {"/"}, {etc}, nullptr, nullptr, "/home/u", nullptr, "", ""},
    };
    for (const Case& c : cases) {
        g_files = {c.files.begin(), c.files.end()};
        g_writable = {c.writable.begin(), c.writable.end()};
        g_passwordHome = c.passwordHome;
        const SettingsFacts facts{c.xdgConfigHome,
                                  c.xdgConfigDirs,
                                  c.home,
                                  [] { return g_passwordHome; },
                                  [](const char* path) { return g_files.count(path) > 0; },
                                  [](const char* folder) { return g_writable.count(folder) > 0; }};
        char write[64] = "stale", read[64] = "stale";
        ChooseSettingsFileBytes(c.beside, facts, write, read, sizeof write);
        const std::string what =
            std::string(c.beside) +
            " XDG_CONFIG_HOME=" + (c.xdgConfigHome ? c.xdgConfigHome : "(unset)") +
            " XDG_CONFIG_DIRS=" + (c.xdgConfigDirs ? c.xdgConfigDirs : "(unset)");
        EXPECT_STREQ(write, c.write) << what;
        EXPECT_STREQ(read, c.read) << what;
    }
    // A user's file that does not fit gives none.
    char write[24], read[24];
    const SettingsFacts facts{"/a/long/configuration",
                              nullptr,
                              nullptr,
                              [] { return g_passwordHome; },
                              [](const char*) { return false; },
                              [](const char*) { return false; }};
    ChooseSettingsFileBytes("/opt/m.ini", facts, write, read, sizeof write);
    EXPECT_STREQ(write, "");
}

// The first write makes the missing folders, private to the user, and a
// folder name that is not UTF-8 is the very bytes given.
TEST(SettingsLocation, FirstWriteMakesPrivateFoldersOfAnyName) {
    ScratchFolder scratch;
    const std::string folder = scratch.root.string() + "/a\xFF/moxtimer";
    wchar_t path[256];
    ASSERT_TRUE(BytesToWide((folder + "/moxtimer.ini").c_str(), path, 256));
    const mode_t mask = umask(0);
    EXPECT_TRUE(ProfileFileWriteString(L"MOX_Timer", L"-color", L"blue", path));
    umask(mask);
    std::ifstream file(folder + "/moxtimer.ini", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "[MOX_Timer]\n-color=blue\n");
    wchar_t value[16];
    ProfileFileGetString(L"MOX_Timer", L"-color", L"", value, 16, path);
    EXPECT_STREQ(value, L"blue");
    for (const std::string& made : {folder, folder.substr(0, folder.rfind('/'))}) {
        struct stat info {};
        EXPECT_EQ(stat(made.c_str(), &info), 0) << made;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << made;
    }
}

}  // namespace
