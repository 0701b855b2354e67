// Linux: paths and arguments keep their bytes whatever the locale, and the
// settings live beside a portable copy or in the user's configuration folder.
#include "platform/posix/settings_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <fstream>
#include <string>

#include "platform/gtk/wide_text.h"
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
// U+DC80..U+DCFF; either way the bytes come back unchanged, and a name that
// does not fit is refused rather than cut.
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
        EXPECT_TRUE(BytesToWide(c.bytes, wide, c.wide.size() + 1)) << bytes;
        EXPECT_EQ(std::wstring(wide), c.wide) << bytes;
        EXPECT_TRUE(WideToBytes(wide, back, bytes.size() + 1)) << bytes;
        EXPECT_EQ(std::string(back), bytes);
        EXPECT_FALSE(BytesToWide(c.bytes, wide, c.wide.size()) || wide[0] != L'\0') << bytes;
        EXPECT_FALSE(WideToBytes(c.wide.c_str(), back, bytes.size()) || back[0] != '\0') << bytes;
    }
    char back[16];  // code points no bytes convert to become U+FFFD
    WideToBytes(Wide({0xD800, 0xDC41, 0x110000, 'a'}).c_str(), back, 16);
    EXPECT_EQ(std::string(back), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" + std::string("a"));
}

// Arguments and the program's path reach the core the same under any locale,
// a file named in an argument comes back to its own bytes, and a text shown
// by GTK stays valid UTF-8.
TEST(PathBytes, ArgumentsKeepTheirBytesInAnyLocale) {
    std::string program = "/opt/m\xFFx/moxtimer", alarm = "-alarmFile=/tmp/\xE9t\xC3\xA9.wav";
    for (const char* locale : {"C", "C.UTF-8"}) {
        ASSERT_TRUE(std::setlocale(LC_ALL, locale)) << locale;
        char* argv[] = {program.data(), alarm.data(), nullptr};
        SetCommandLineFromArgs(2, argv);
        const std::wstring line = GetCommandLineText();
        EXPECT_EQ(line,
                  BytesToWideString(program.c_str()) + L" " + BytesToWideString(alarm.c_str()));
        char file[64];
        EXPECT_TRUE(WideToBytes(line.c_str() + line.find(L'=') + 1, file, sizeof file));
        EXPECT_EQ(std::string(file), alarm.substr(alarm.find('=') + 1)) << locale;
        wchar_t path[64];
        EXPECT_TRUE(ExecutablePathFromLink(program.c_str(), path, 64));
        EXPECT_EQ(std::wstring(path), line.substr(0, line.find(L' '))) << locale;
        // Shown by GTK, the escaped bytes are U+FFFD: the text stays valid UTF-8.
        char shown[64];
        WideToUtf8(path, shown, sizeof shown);
        EXPECT_STREQ(shown, "/opt/m\xEF\xBF\xBDx/moxtimer");
    }
    std::setlocale(LC_ALL, "C");
}

// The file system the choice sees: "|"-separated paths.
std::string g_files, g_writable;
const char* g_passwordHome;

bool Listed(const std::string& list, const char* path) {
    return ("|" + list + "|").find("|" + std::string(path) + "|") != std::string::npos;
}

TEST(SettingsLocation, PortableOrInstalledWithTheAdministratorsDefaults) {
    const char *N = nullptr, *U = "/home/u", *M = "/home/u/.config/moxtimer/moxtimer.ini",
               *E = "/etc/xdg/moxtimer/moxtimer.ini", *O = "/opt/m.ini",
               *R = "/.config/moxtimer/moxtimer.ini";
    const std::string EM = std::string(E) + "|" + M;
    // Configuration folders whose file takes 63 bytes, the most that fits, and 64.
    const char *F = "/a/configuration/folder/just/long/enoughs",
               *F64 = "/a/configuration/folder/just/long/enoughss";
    const std::string F63 = std::string(F) + "/moxtimer/moxtimer.ini";
    const struct {
        const char *beside, *writable, *files, *xdgConfigHome, *xdgConfigDirs, *home, *pwHome;
        const char *write, *read;
    } cases[] = {
        // clang-format off
        // Portable: a writable folder outside /usr keeps the file beside the program.
        {"/home/u/m/m.ini", "/home/u/m", E, N, N, U, N, "/home/u/m/m.ini", "/home/u/m/m.ini"},
        {"/m.ini", "/", "", N, N, U, N, "/m.ini", "/m.ini"},
        {"/usrx/m.ini", "/usrx", "", N, N, U, N, "/usrx/m.ini", "/usrx/m.ini"},
        // Installed: a folder the user may not write, or one under /usr.
        {O, "", "", N, N, U, N, M, M},
        {"/usr/local/bin/m.ini", "/usr/local/bin", "", N, N, U, N, M, M},
        {"/./usr//bin/m.ini", "/./usr//bin", "", N, N, U, N, M, M},
        // XDG_CONFIG_HOME when absolute; then HOME, then the password database.
        {O, "", "", "/cfg", N, U, N, "/cfg/moxtimer/moxtimer.ini", "/cfg/moxtimer/moxtimer.ini"},
        {O, "", "", "cfg", N, U, N, M, M},
        {O, "", "", "", N, U, N, M, M},
        {O, "", "", N, N, N, U, M, M},
        {O, "", "", N, N, "home/u", U, M, M},
        {O, "", "", N, N, "/", N, R, R},
        {O, "", "", N, N, N, N, "", ""},
        {O, "", "", "/usr/share", N, U, N, "", ""},
        {O, "", "", F, N, U, N, F63.c_str(), F63.c_str()},
        {O, "", "", F64, N, U, N, "", ""},  // one byte too long
        // The administrator's file until the user has one.
        {O, "", E, N, N, U, N, M, E},
        {O, "", E, N, "", U, N, M, E},
        {O, "", E, N, N, N, N, "", E},
        {O, "", EM.c_str(), N, N, U, N, M, M},
        {O, "", E, N, "etc/xdg", U, N, M, M},
        {O, "", "/b/moxtimer/moxtimer.ini|/c/moxtimer/moxtimer.ini|a/moxtimer/moxtimer.ini", N,
         "a:/nowhere::/b:/c", U, N, M, "/b/moxtimer/moxtimer.ini"},
        {"", "/", E, N, N, U, N, "", ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        g_files = c.files, g_writable = c.writable, g_passwordHome = c.pwHome;
        const SettingsFacts facts{c.xdgConfigHome,
                                  c.xdgConfigDirs,
                                  c.home,
                                  [] { return g_passwordHome; },
                                  [](const char* path) { return Listed(g_files, path); },
                                  [](const char* folder) { return Listed(g_writable, folder); }};
        char write[64] = "stale", read[64] = "stale";
        ChooseSettingsFileBytes(c.beside, facts, write, read, sizeof write);
        EXPECT_STREQ(write, c.write) << c.beside << " " << (c.xdgConfigHome ? c.xdgConfigHome : "");
        EXPECT_STREQ(read, c.read) << c.beside << " " << (c.xdgConfigDirs ? c.xdgConfigDirs : "");
    }
}

// The first write makes the missing folders, private to the user, and a
// folder name that is not UTF-8 is the very bytes given.
TEST(SettingsLocation, FirstWriteMakesPrivateFoldersOfAnyName) {
    ScratchFolder scratch;
    const std::string folder = scratch.root.string() + "/a\xFF/moxtimer";
    wchar_t path[256], value[16];
    ASSERT_TRUE(BytesToWide((folder + "/moxtimer.ini").c_str(), path, 256));
    const mode_t mask = umask(0);
    EXPECT_TRUE(ProfileFileWriteString(L"MOX_Timer", L"-color", L"blue", path));
    umask(mask);
    std::ifstream file(folder + "/moxtimer.ini", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "[MOX_Timer]\n-color=blue\n");
    ProfileFileGetString(L"MOX_Timer", L"-color", L"", value, 16, path);
    EXPECT_STREQ(value, L"blue");
    for (const std::string& made : {folder, folder.substr(0, folder.rfind('/'))}) {
        struct stat info {};
        EXPECT_EQ(stat(made.c_str(), &info), 0) << made;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << made;
    }
}

}  // namespace
