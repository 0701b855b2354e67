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

std::string Narrow(const std::wstring& path) {
    return fs::path(path).string();
}

ino_t InodeOf(const std::wstring& path) {
    struct stat info {};
    stat(Narrow(path).c_str(), &info);
    return info.st_ino;
}

mode_t ModeOf(const std::wstring& path) {
    struct stat info {};
    stat(Narrow(path).c_str(), &info);
    return info.st_mode & 07777;
}

std::wstring Get(const std::wstring& path, const wchar_t* key) {
    wchar_t buffer[64];
    ProfileFileGetString(L"s", key, L"<d>", buffer, 64, path.c_str());
    return buffer;
}

class ProfilePosix : public ::testing::Test {
protected:
    void SetUp() override {
        // Open to the unprivileged user the permission cases switch to.
        fs::permissions(scratch_.Root(), fs::perms::all);
    }

    ScratchFolder scratch_;
    std::wstring path_ = scratch_.File("settings.ini");
};

TEST_F(ProfilePosix, ReplacesTheFileAtomicallyLeavingNoTemporaryFile) {
    WriteFileBytes(path_, "[s]\nk=1\n");
    const ino_t before = InodeOf(path_);
    ASSERT_TRUE(ProfileFileWriteString(L"s", L"k", L"2", path_.c_str()));
    EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=2\n");
    EXPECT_NE(InodeOf(path_), before);  // a new file renamed into place
    EXPECT_EQ(scratch_.Listing(), "settings.ini");
}

TEST_F(ProfilePosix, KeepsTheFilesPermissions) {
    WriteFileBytes(path_, "[s]\nk=1\n");
    chmod(Narrow(path_).c_str(), 0664);
    const mode_t mask = umask(027);  // narrower than the file's own mode
    ASSERT_TRUE(ProfileFileWriteString(L"s", L"k", L"2", path_.c_str()));
    EXPECT_EQ(ModeOf(path_), 0664u);

    // A new file gets the mode the umask leaves.
    const std::wstring fresh = scratch_.File("fresh.ini");
    ASSERT_TRUE(ProfileFileWriteString(L"s", L"k", L"2", fresh.c_str()));
    umask(mask);
    EXPECT_EQ(ModeOf(fresh), 0640u);
}

TEST_F(ProfilePosix, FollowsASymbolicLinkAndReplacesItsTarget) {
    fs::create_directory(scratch_.Root() / "real");
    const std::wstring target = scratch_.File("real/target.ini");
    WriteFileBytes(target, "[s]\nk=1\n");
    fs::create_symlink("real/target.ini", scratch_.Root() / "settings.ini");
    ASSERT_TRUE(ProfileFileWriteString(L"s", L"k", L"2", path_.c_str()));
    EXPECT_TRUE(fs::is_symlink(fs::path(path_)));
    EXPECT_EQ(ReadFileBytes(target), "[s]\nk=2\n");
    EXPECT_EQ(scratch_.Listing(), "real settings.ini");

    // A link to a file not yet there makes that file.
    fs::create_symlink("real/later.ini", scratch_.Root() / "dangling.ini");
    ASSERT_TRUE(ProfileFileWriteString(L"s", L"k", L"3", scratch_.File("dangling.ini").c_str()));
    EXPECT_EQ(ReadFileBytes(scratch_.File("real/later.ini")), "[s]\nk=3\n");
    EXPECT_TRUE(fs::is_symlink(scratch_.Root() / "dangling.ini"));
}

TEST_F(ProfilePosix, AReadOnlyFolderFallsBackToRewritingInPlace) {
    WriteFileBytes(path_, "[s]\nk=1\n");
    chmod(Narrow(path_).c_str(), 0666);
    const ino_t before = InodeOf(path_);
    chmod(scratch_.Root().c_str(), 0555);
    const std::wstring path = path_;
    EXPECT_TRUE(RunUnprivileged([&] {
        return ProfileFileWriteString(L"s", L"k", L"22", path.c_str()) &&
               ProfileFileWriteString(L"s", L"k", L"3", path.c_str());  // shrinking too
    }));
    chmod(scratch_.Root().c_str(), 0777);
    EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=3\n");
    EXPECT_EQ(InodeOf(path_), before);
    EXPECT_EQ(scratch_.Listing(), "settings.ini");
}

TEST_F(ProfilePosix, AnUnwritableFileIsLeftUntouched) {
    WriteFileBytes(path_, "[s]\nk=1\n");
    chmod(Narrow(path_).c_str(), 0444);
    const std::wstring path = path_;
    // The folder is writable, so a rename could replace the file: it must not.
    EXPECT_TRUE(
        RunUnprivileged([&] { return !ProfileFileWriteString(L"s", L"k", L"2", path.c_str()); }));
    EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=1\n");
    EXPECT_EQ(ModeOf(path_), 0444u);
    EXPECT_EQ(scratch_.Listing(), "settings.ini");
}

TEST_F(ProfilePosix, AFileInAReadOnlyFolderIsNotCreated) {
    chmod(scratch_.Root().c_str(), 0555);
    const std::wstring path = path_;
    EXPECT_TRUE(
        RunUnprivileged([&] { return !ProfileFileWriteString(L"s", L"k", L"2", path.c_str()); }));
    chmod(scratch_.Root().c_str(), 0777);
    EXPECT_EQ(scratch_.Listing(), "");
}

TEST_F(ProfilePosix, AnUnreadableFileReadsAsEmpty) {
    WriteFileBytes(path_, "[s]\nk=1\n");
    chmod(Narrow(path_).c_str(), 0000);
    const std::wstring path = path_;
    EXPECT_TRUE(RunUnprivileged([&] {
        return Get(path, L"k") == L"<d>" && ProfileFileGetInt(L"s", L"k", 5, path.c_str()) == 5u;
    }));
}

TEST_F(ProfilePosix, AFifoInTheFilesPlaceNeitherBlocksNorIsWritten) {
    ASSERT_EQ(mkfifo(Narrow(path_).c_str(), 0666), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Get(path_, L"k"), L"<d>");
    EXPECT_FALSE(ProfileFileWriteString(L"s", L"k", L"2", path_.c_str()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(fs::is_fifo(fs::path(path_)));
}

TEST_F(ProfilePosix, NonAsciiPathsAreUtf8) {
    const std::wstring folder = L"\x0411\x0443\x0434\x0438\x043B\x044C\x043D\x0438\x043A";
    const std::wstring path = scratch_.Root().wstring() + L"/" + folder + L".ini";
    ASSERT_TRUE(ProfileFileWriteString(L"s", L"k", L"v", path.c_str()));
    EXPECT_EQ(Get(path, L"k"), L"v");
    EXPECT_TRUE(fs::exists(scratch_.Root() / Utf8(folder + L".ini")));
}

}  // namespace
