// The POSIX file handling of the profile writer: atomic replacement through a
// temporary file, permissions, symbolic links, read-only folders and files.
// Permission cases run in a child process without root's override.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>

#include "profile_test_files.h"
#include "settings/profile_file.h"

namespace fs = std::filesystem;

namespace {

// Runs check in a child process as the unprivileged user when we are root, so
// that permissions bind; true when check returned true.
bool RunUnprivileged(const std::function<bool()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct stat StatOf(const std::wstring& path) {
    struct stat info {};
    stat(fs::path(path).c_str(), &info);
    return info;
}

bool Write(const std::wstring& path, const wchar_t* value) {
    return ProfileFileWriteString(L"s", L"k", value, path.c_str());
}

class ProfilePosix : public ::testing::Test {
protected:
    void SetUp() override {
        // Open to the unprivileged user the permission cases switch to.
        fs::permissions(scratch_.Root(), fs::perms::all);
        WriteFileBytes(path_, "[s]\nk=1\n");
    }
    void Chmod(const fs::path& path, mode_t mode) { ASSERT_EQ(chmod(path.c_str(), mode), 0); }

    ScratchFolder scratch_;
    std::wstring path_ = scratch_.File("settings.ini");
};

TEST_F(ProfilePosix, ReplacesTheFileAtomicallyKeepingItsPermissions) {
    Chmod(path_, 0664);
    const ino_t before = StatOf(path_).st_ino;
    const mode_t mask = umask(027);  // narrower than the file's own mode
    ASSERT_TRUE(Write(path_, L"2"));
    const std::wstring fresh = scratch_.File("fresh.ini");
    ASSERT_TRUE(Write(fresh, L"2"));
    umask(mask);
    EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=2\n");
    EXPECT_NE(StatOf(path_).st_ino, before);  // a new file renamed into place
    EXPECT_EQ(StatOf(path_).st_mode & 07777, 0664u);
    EXPECT_EQ(StatOf(fresh).st_mode & 07777, 0640u);  // a new file: what the umask leaves
    EXPECT_EQ(scratch_.Listing(), "fresh.ini settings.ini");
}

TEST_F(ProfilePosix, FollowsASymbolicLinkAndReplacesItsTarget) {
    fs::create_directory(scratch_.Root() / "real");
    fs::rename(fs::path(path_), scratch_.Root() / "real/target.ini");
    fs::create_symlink("real/target.ini", fs::path(path_));
    ASSERT_TRUE(Write(path_, L"2"));
    EXPECT_TRUE(fs::is_symlink(fs::path(path_)));
    EXPECT_EQ(ReadFileBytes(scratch_.File("real/target.ini")), "[s]\nk=2\n");
    // A link to a file not yet there makes that file.
    fs::create_symlink("real/later.ini", scratch_.Root() / "dangling.ini");
    ASSERT_TRUE(Write(scratch_.File("dangling.ini"), L"3"));
    EXPECT_EQ(ReadFileBytes(scratch_.File("real/later.ini")), "[s]\nk=3\n");
    EXPECT_EQ(scratch_.Listing(), "dangling.ini real settings.ini");
}

TEST_F(ProfilePosix, AReadOnlyFolderFallsBackToRewritingInPlace) {
    Chmod(path_, 0666);
    const ino_t before = StatOf(path_).st_ino;
    Chmod(scratch_.Root(), 0555);
    const std::wstring path = path_, fresh = scratch_.File("fresh.ini");
    EXPECT_TRUE(RunUnprivileged([&] {
        return Write(path, L"22") && Write(path, L"3") && !Write(fresh, L"1");  // shrinking too
    }));
    Chmod(scratch_.Root(), 0777);
    EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=3\n");
    EXPECT_EQ(StatOf(path_).st_ino, before);
    EXPECT_EQ(scratch_.Listing(), "settings.ini");
}

TEST_F(ProfilePosix, AnUnwritableFileIsLeftUntouched) {
    Chmod(path_, 0444);
    const std::wstring path = path_;
    // The folder is writable, so a rename could replace the file: it must not.
    EXPECT_TRUE(RunUnprivileged([&] { return !Write(path, L"2"); }));
    EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=1\n");
    EXPECT_EQ(StatOf(path_).st_mode & 07777, 0444u);
    EXPECT_EQ(scratch_.Listing(), "settings.ini");
}

TEST_F(ProfilePosix, AFifoInTheFilesPlaceNeitherBlocksNorIsWritten) {
    fs::remove(fs::path(path_));
    ASSERT_EQ(mkfifo(fs::path(path_).c_str(), 0666), 0);
    const auto start = std::chrono::steady_clock::now();
    wchar_t buffer[8];
    ProfileFileGetString(L"s", L"k", L"<d>", buffer, 8, path_.c_str());
    EXPECT_STREQ(buffer, L"<d>");
    EXPECT_FALSE(Write(path_, L"2"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(fs::is_fifo(fs::path(path_)));
}

TEST_F(ProfilePosix, NonAsciiPathsAreUtf8) {
    ASSERT_TRUE(Write(scratch_.Root().wstring() + L"/" + kCyrillic + L".ini", L"v"));
    EXPECT_EQ(scratch_.Listing(), "settings.ini " + Utf8(kCyrillic + L".ini"));
}

}  // namespace
