// The Linux command line rebuilt from argv, and the settings file replaced
// atomically.
#include <gtest/gtest.h>
#include <sys/stat.h>

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

}  // namespace
