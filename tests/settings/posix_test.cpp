// The Linux command line rebuilt from argv, and the settings file replaced
// atomically, or not at all when the write fails.
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
#include <vector>

#include "platform/platform.h"
#include "platform/posix/system_posix.h"
#include "scratch_files.h"
#include "settings/profile_file.h"

namespace {

namespace fs = std::filesystem;

// Joined so that the options read from the line are the arguments as given.
TEST(Posix, ArgumentsAreJoinedAsOnWindows) {
    setenv("LC_ALL", "C.UTF-8", 1);
    const struct {
        std::vector<std::string> args;
        const wchar_t* line;
    } cases[] = {
        {{"moxtimer", "-start", "-color=red"}, L"moxtimer -start -color=red"},
        {{"/opt/my mox/moxtimer", "-start"}, L"\"/opt/my mox/moxtimer\" -start"},
        {{"moxtimer", "-alarmMessage=a=b c"}, L"moxtimer -alarmMessage=\"a=b c\""},
        {{"moxtimer", "-alarmFile=", "-start"}, L"moxtimer -alarmFile=\"\" -start"},
        {{"m", "-alarmMessage=\xC3\xBC x\xFF"}, L"m -alarmMessage=\"\u00fc x\xDCFF\""},
        // Quotes inside the program name would end its token early.
        {{"/opt/\"odd\" name/mox", "-start"}, L"\"/opt/odd name/mox\" -start"},
    };
    for (auto c : cases) {
        std::vector<char*> argv;
        for (std::string& a : c.args) argv.push_back(a.data());
        argv.push_back(nullptr);
        SetCommandLineFromArgs(static_cast<int>(c.args.size()), argv.data());
        EXPECT_EQ(std::wstring(GetCommandLineText()), c.line) << c.args.back();
    }
}

// Through a symbolic link: the target is replaced by a new file, with the
// target's permissions rather than the umask's, and no temporary file stays.
TEST(Posix, WriteReplacesTheFileAtomically) {
    ScratchFolder scratch;
    const fs::path target = scratch.root / "target.ini", link = scratch.root / "link.ini";
    WriteFileBytes(target.wstring(), "[s]\nk=1\n");
    fs::permissions(target, fs::perms(0664));
    fs::create_symlink("target.ini", link);
    struct stat before {
    }, after{};
    stat(target.c_str(), &before);
    const mode_t mask = umask(027);
    EXPECT_TRUE(ProfileFileWriteString(L"s", L"k", L"2", link.wstring().c_str()));
    umask(mask);
    stat(target.c_str(), &after);
    EXPECT_EQ(ReadFileBytes(target.wstring()), "[s]\nk=2\n");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.root), fs::directory_iterator()), 2);
}

// The reader and the writer give back all the memory they take.
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
// through a temporary file (rw) and rewriting in place. Returns a line per case.
std::string FailingWrites(const fs::path& root) {
    const std::string old = "[s]\nk=1\n";
    const std::wstring big(200, L'x');
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
    std::string out;
    // The same value again needs no write, so a read-only file takes it.
    const std::wstring same = L"1", other = L"2";
    // clang-format off
    for (auto [name, value] : {
             std::pair{"ro/missing.ini", big}, {"rw/locked.ini", big}, {"rw/locked.ini", same},
             {"ro/locked.ini", big}, {"ro/open.ini", other}, {"rw/limit.ini", big},
             {"ro/limit.ini", big}}) {
        // clang-format on
        if (std::string(name).ends_with("limit.ini")) {
            const rlimit limit{64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        const fs::path file = root / name;
        const bool written =
            ProfileFileWriteString(L"s", L"k", value.c_str(), file.wstring().c_str());
        const std::string bytes = fs::exists(file) ? ReadFileBytes(file.wstring()) : "(none)";
        out += std::string(name) + (written ? " written " : " refused ") +
               (bytes == old ? "whole" : bytes) + "\n";
    }
    const auto count = [](const fs::path& folder) {
        return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    };
    out += std::to_string(count(root / "rw")) + " and " + std::to_string(count(root / "ro")) +
           " files\n";
    chmod((root / "ro").c_str(), 0755);
    return out;
}

// Root ignores permissions: as root the cases run in a child that becomes
// nobody (65534) in a folder of its own; otherwise in a child as ourselves. The
// child is needed either way, for the file-size limit.
TEST(Posix, FailedWritesLeaveTheFileWhole) {
    ScratchFolder scratch;
    const fs::path root = scratch.root / "cases";
    fs::create_directories(root);
    const bool root_user = geteuid() == 0;
    if (root_user) {
        ASSERT_EQ(chown(root.c_str(), 65534, 65534), 0);
    }
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const bool dropped =
            !root_user || (setgroups(0, nullptr) == 0 && setresgid(65534, 65534, 65534) == 0 &&
                           setresuid(65534, 65534, 65534) == 0);
        const std::string out = dropped ? FailingWrites(root) : "could not become nobody";
        (void)!write(channel[1], out.data(), out.size());
        _exit(0);
    }
    close(channel[1]);
    std::string out;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) out.append(buffer, n);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(out,
              "ro/missing.ini refused (none)\nrw/locked.ini refused whole\n"
              "rw/locked.ini written whole\n"
              "ro/locked.ini refused whole\nro/open.ini written [s]\nk=2\n\n"
              "rw/limit.ini refused whole\nro/limit.ini refused whole\n2 and 3 files\n");
}

}  // namespace
