// The Linux system layer under the settings: paths and arguments keep their
// bytes whatever the locale, the settings live beside a portable copy or in the
// user's configuration folder, and the file is replaced atomically, or not at
// all when the write fails.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gtk/wide_text.h"
#include "platform/platform.h"
#include "platform/posix/path_bytes.h"
#include "platform/posix/settings_location.h"
#include "platform/posix/system_posix.h"
#include "scratch_files.h"
#include "settings/profile_file.h"

namespace {

namespace fs = std::filesystem;

// Valid UTF-8 reads as its characters; every other byte escapes to
// U+DC80..U+DCFF; either way the bytes come back unchanged, and a name that
// does not fit is refused rather than cut.
TEST(PathBytes, EveryByteComesBack) {
    using Row = std::pair<std::string, std::wstring>;
    for (const auto& [bytes, text] : std::initializer_list<Row>{
             {"/opt/a\xC3\xBC", L"/opt/a\u00FC"},
             {"\xE2\x82\xAC\xF0\x9F\x98\x80", L"\u20AC\U0001F600"},
             {"\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF", L"\uD7FF\uE000\U0010FFFF"},
             {"\xEF\xBF\xBD", L"\uFFFD"},
             {"\xFF\xFE\x80", L"\xDCFF\xDCFE\xDC80"},
             {"x\xE2\x82", L"x\xDCE2\xDC82"},            // cut short at the end
             {"\xF0\x9F\x98-", L"\xDCF0\xDC9F\xDC98-"},  // cut short inside
             {"\xE2(\xA1", L"\xDCE2(\xDCA1"},
             {"\xC0\xAF\xE0\x80\xAF", L"\xDCC0\xDCAF\xDCE0\xDC80\xDCAF"},  // overlong
             {"\xED\xA0\x80", L"\xDCED\xDCA0\xDC80"},                      // a surrogate
             {"\xF4\x90\x80\x80", L"\xDCF4\xDC90\xDC80\xDC80"},            // > U+10FFFF
             {"\xF5\x80\x80\x80", L"\xDCF5\xDC80\xDC80\xDC80"},
             {"\xC3\xC3\xBC", L"\xDCC3\u00FC"}}) {
        wchar_t wide[16];
        char back[32];
        EXPECT_TRUE(BytesToWide(bytes.c_str(), wide, text.size() + 1)) << bytes;
        EXPECT_EQ(std::wstring(wide), text) << bytes;
        EXPECT_TRUE(WideToBytes(wide, back, bytes.size() + 1)) << bytes;
        EXPECT_EQ(std::string(back), bytes);
        EXPECT_FALSE(BytesToWide(bytes.c_str(), wide, text.size()) || wide[0] != L'\0') << bytes;
        EXPECT_FALSE(WideToBytes(text.c_str(), back, bytes.size()) || back[0] != '\0') << bytes;
    }
    char back[16];  // code points no bytes convert to become U+FFFD
    WideToBytes(L"\xD800\xDC41\x110000\x61", back, 16);
    EXPECT_EQ(std::string(back), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" + std::string("a"));
}

// Joined so that the options read from the line are the arguments as given,
// every byte kept under any locale (the line takes it from LC_ALL).
TEST(Posix, ArgumentsAreJoinedAsOnWindowsInAnyLocale) {
    using Row = std::pair<std::vector<std::string>, const wchar_t*>;
    const Row cases[] = {
        {{"moxtimer", "-start", "-alarmMessage=a=b c", "-alarmFile=", "-color=red"},
         L"moxtimer -start -alarmMessage=\"a=b c\" -alarmFile=\"\" -color=red"},
        {{"/opt/m\xFFx/m", "-alarmFile=/\xE9t\xC3\xA9.wav", "-alarmMessage=\xC3\xBC x\xFF"},
         L"/opt/m\xDCFFx/m -alarmFile=/\xDCE9t\u00E9.wav -alarmMessage=\"\u00fc x\xDCFF\""},
        // Quotes inside the program name would end its token early.
        {{"/opt/\"odd\" name/mox", "-start"}, L"\"/opt/odd name/mox\" -start"},
    };
    for (const char* locale : {"C", "C.UTF-8"}) {
        setenv("LC_ALL", locale, 1);
        for (auto [args, line] : cases) {
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            SetCommandLineFromArgs(static_cast<int>(args.size()), argv.data());
            EXPECT_EQ(std::wstring(GetCommandLineText()), line) << locale << " " << args.back();
        }
    }
    // The program's path from its link keeps its bytes too; shown by GTK, the
    // escaped byte is U+FFFD, so the text stays valid UTF-8.
    wchar_t path[32];
    char shown[32];
    EXPECT_TRUE(ExecutablePathFromLink("/opt/m\xFFx/moxtimer", path, 32));
    EXPECT_EQ(std::wstring(path), L"/opt/m\xDCFFx/moxtimer");
    WideToUtf8(path, shown, sizeof shown);
    EXPECT_STREQ(shown, "/opt/m\xEF\xBF\xBDx/moxtimer");
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

// The first write makes the missing folders, private to the user. Through a
// symbolic link, a write replaces the target by a new file, with the target's
// permissions rather than the umask's, and no temporary file stays.
TEST(Posix, FirstWriteMakesPrivateFoldersAndLaterOnesReplaceAtomically) {
    ScratchFolder scratch;
    const fs::path folder = scratch.root / "a" / "moxtimer";
    const mode_t mask = umask(0);
    EXPECT_TRUE(ProfileFileWriteString(L"s", L"k", L"v", (folder / "m.ini").wstring().c_str()));
    for (const fs::path& made : {folder, folder.parent_path()}) {
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    }
    const fs::path target = scratch.root / "target.ini", link = scratch.root / "link.ini";
    WriteFileBytes(target.wstring(), "[s]\nk=1\n");
    fs::permissions(target, fs::perms(0664));
    fs::create_symlink("target.ini", link);
    struct stat before {
    }, after{};
    stat(target.c_str(), &before);
    umask(027);
    EXPECT_TRUE(ProfileFileWriteString(L"s", L"k", L"2", link.wstring().c_str()));
    umask(mask);
    stat(target.c_str(), &after);
    EXPECT_EQ(std::tuple(ReadFileBytes(target.wstring()), fs::is_symlink(link),
                         after.st_ino != before.st_ino, after.st_mode & 07777,
                         std::distance(fs::directory_iterator(scratch.root), {})),
              std::tuple("[s]\nk=2\n", true, true, 0664u, 3));
}

// The reader and the writer give back all the memory they take (in the fast
// suite too, not only under the asan build).
TEST(Posix, ProfileCallsLeakNothing) {
    ScratchFolder scratch;
    const std::wstring file = scratch.File("leak.ini");
    WriteFileBytes(file, "[s]\nk=1\n");
    wchar_t value[8];
    ProfileFileWriteString(L"s", L"k", L"0", file.c_str());  // the C library's own first use
    const size_t before = mallinfo2().uordblks;
    for (const wchar_t* v : {L"2", L"2", L"1"}) {
        ProfileFileWriteString(L"s", L"k", v, file.c_str());
        ProfileFileGetString(L"s", L"k", L"", value, 8, file.c_str());
    }
    EXPECT_EQ(mallinfo2().uordblks, before);
    EXPECT_STREQ(value, L"1");
}

// Each write that fails returns false and leaves the file as it was, byte for
// byte, with no stray file beside it: a folder that refuses new files (ro),
// a read-only file, and a file-size limit that stops the write part way, both
// through a temporary file (rw) and rewriting in place. Root ignores
// permissions: as root the cases run in a child that becomes nobody (65534);
// otherwise in a child as ourselves. The child is needed either way, for the
// file-size limit.
TEST(Posix, FailedWritesLeaveTheFileWhole) {
    ScratchFolder scratch;
    const fs::path root = scratch.root / "cases";
    fs::create_directories(root);
    const bool asRoot = geteuid() == 0;
    ASSERT_TRUE(!asRoot || chown(root.c_str(), 65534, 65534) == 0);
    if (fork() == 0) {  // its failures print from here and set its exit status
        const bool dropped =
            !asRoot || (setgroups(0, nullptr) == 0 && setresgid(65534, 65534, 65534) == 0 &&
                        setresuid(65534, 65534, 65534) == 0);
        if (!dropped) _exit(2);  // could not become nobody
        const char* old = "[s]\nk=1\n";
        fs::create_directories(root / "rw");
        fs::create_directories(root / "ro");
        for (const char* name :
             {"rw/locked.ini", "ro/locked.ini", "rw/limit.ini", "ro/limit.ini", "ro/open.ini"}) {
            WriteFileBytes((root / name).wstring(), old);
        }
        chmod((root / "rw/locked.ini").c_str(), 0444);
        chmod((root / "ro/locked.ini").c_str(), 0444);
        chmod((root / "ro").c_str(), 0555);
        signal(SIGXFSZ, SIG_IGN);
        // The same value again needs no write, so a read-only file takes it.
        const std::wstring big(200, L'x'), same = L"1", other = L"2";
        // clang-format off
        for (auto [name, value, written, bytes] : {
                 std::tuple{"ro/missing.ini", big, false, "(none)"}, {"rw/locked.ini", big, false, old},
                 {"rw/locked.ini", same, true, old}, {"ro/locked.ini", big, false, old},
                 {"ro/open.ini", other, true, "[s]\nk=2\n"}, {"rw/limit.ini", big, false, old},
                 {"ro/limit.ini", big, false, old}}) {
            // clang-format on
            if (std::string(name).ends_with("limit.ini")) {
                const rlimit limit{64, 64};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            const fs::path file = root / name;
            EXPECT_EQ(ProfileFileWriteString(L"s", L"k", value.c_str(), file.wstring().c_str()),
                      written)
                << name;
            EXPECT_EQ(fs::exists(file) ? ReadFileBytes(file.wstring()) : "(none)", bytes) << name;
        }
        const auto count = [](const fs::path& folder) {
            return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
        };
        EXPECT_EQ(std::pair(count(root / "rw"), count(root / "ro")), std::pair(2L, 3L));
        chmod((root / "ro").c_str(), 0755);
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = -1;
    wait(&status);
    EXPECT_EQ(status, 0) << "the child's checks failed";
}

}  // namespace
