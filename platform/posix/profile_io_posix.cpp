// Profile file access on POSIX systems. A rewrite is atomic: the new content
// goes to a temporary file in the same folder, is flushed to disk and then
// renamed over the old file, so a crash or a full disk never leaves half a
// settings file. Missing folders are created on the first write. A symbolic
// link is followed and its target replaced; the file keeps its permissions.
// When no temporary file can be made beside it (a read-only folder holding a
// writable file) the file is rewritten in place.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/posix/path_bytes.h"
#include "settings/profile_io.h"

namespace {

constexpr size_t kPathBytes = PATH_MAX;
constexpr int kMaxLinkHops = 40;
constexpr int kTempAttempts = 16;

using PathBuffer = char[kPathBytes];

// The wide path as the bytes the file system takes (path_bytes.h); false when
// it does not fit or is empty.
bool ToNativePath(const wchar_t* path, PathBuffer out) {
    return path[0] != L'\0' && WideToBytes(path, out, kPathBytes);
}

// Creates the folders leading to path that are missing, each with mode 0700,
// as the XDG rules ask for a configuration folder made on the first write.
bool CreateFoldersFor(const char* path) {
    PathBuffer folder;
    std::memcpy(folder, path, std::strlen(path) + 1);
    char* slash = std::strrchr(folder, '/');
    if (!slash || slash == folder) return false;
    *slash = 0;
    for (char* p = folder + 1;; ++p) {
        if (*p != '/' && *p != 0) continue;
        const char kept = *p;
        *p = 0;
        if (mkdir(folder, 0700) != 0 && errno != EEXIST) return false;
        *p = kept;
        if (kept == 0) return true;
    }
}

// Follows symbolic links, also dangling ones, to the path that is really
// written. Relative link targets are taken relative to the link's folder.
bool ResolveLinks(PathBuffer path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info;
        if (lstat(path, &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        PathBuffer target;
        const ssize_t length = readlink(path, target, kPathBytes - 1);
        if (length <= 0) return false;
        target[length] = 0;
        if (target[0] == '/') {
            std::memcpy(path, target, static_cast<size_t>(length) + 1);
            continue;
        }
        char* slash = std::strrchr(path, '/');
        const size_t folder = slash ? static_cast<size_t>(slash - path) + 1 : 0;
        if (folder + static_cast<size_t>(length) >= kPathBytes) return false;
        std::memcpy(path + folder, target, static_cast<size_t>(length) + 1);
    }
    return false;  // a loop of links
}

bool WriteAll(int fd, const ProfileChunk* chunks, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* data = chunks[i].data;
        size_t left = chunks[i].size;
        while (left > 0) {
            const ssize_t n = write(fd, data, left);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            data += n;
            left -= static_cast<size_t>(n);
        }
    }
    return true;
}

size_t TotalSize(const ProfileChunk* chunks, size_t count) {
    size_t total = 0;
    for (size_t i = 0; i < count; ++i) total += chunks[i].size;
    return total;
}

// A new name beside target that did not exist; the file is open for writing.
int CreateTemporary(const char* target, mode_t mode, PathBuffer name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        const int length = std::snprintf(name, kPathBytes, "%s.%ld-%u.tmp", target,
                                         static_cast<long>(getpid()), ++counter);
        if (length < 0 || static_cast<size_t>(length) >= kPathBytes) {
            errno = ENAMETOOLONG;
            return -1;
        }
        const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolderOf(const char* path) {
    PathBuffer folder;
    std::memcpy(folder, path, std::strlen(path) + 1);
    char* slash = std::strrchr(folder, '/');
    if (!slash) {
        std::strcpy(folder, ".");
    } else if (slash == folder) {
        folder[1] = 0;
    } else {
        *slash = 0;
    }
    const int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Not atomic, so used only when the folder refuses new files. The old bytes
// are read first and put back when a write fails part way (a full disk, a
// file-size limit): their own blocks can always be rewritten, so the file
// stays whole.
bool RewriteInPlace(int fd, const ProfileChunk* chunks, size_t count) {
    struct stat info;
    if (fstat(fd, &info) != 0) return false;
    const size_t oldSize = static_cast<size_t>(info.st_size);
    unsigned char* old = static_cast<unsigned char*>(std::malloc(oldSize > 0 ? oldSize : 1));
    if (!old || pread(fd, old, oldSize, 0) != static_cast<ssize_t>(oldSize)) {
        std::free(old);
        return false;  // nothing written yet
    }
    const bool ok = lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, chunks, count) &&
                    ftruncate(fd, static_cast<off_t>(TotalSize(chunks, count))) == 0 &&
                    fsync(fd) == 0;
    const ProfileChunk whole{old, oldSize};
    if (!ok && lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, &whole, 1) &&
        ftruncate(fd, static_cast<off_t>(oldSize)) == 0) {
        fsync(fd);
    }
    std::free(old);
    return ok;
}

}  // namespace

ProfileReadStatus ReadProfileBytes(const wchar_t* path, size_t maxSize, ProfileBytes* bytes) {
    *bytes = ProfileBytes{nullptr, 0};
    PathBuffer native;
    if (!path || !ToNativePath(path, native)) return ProfileReadStatus::Failed;
    // Non-blocking, so that a FIFO in the file's place cannot hang the reader.
    const int fd = open(native, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ENOENT ? ProfileReadStatus::Missing : ProfileReadStatus::Failed;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<unsigned long long>(info.st_size) > maxSize) {
        close(fd);
        return ProfileReadStatus::Failed;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    unsigned char* data = static_cast<unsigned char*>(std::malloc(size > 0 ? size : 1));
    if (!data) {
        close(fd);
        return ProfileReadStatus::Failed;
    }
    size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, data + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::free(data);
            close(fd);
            return ProfileReadStatus::Failed;
        }
        if (n == 0) break;  // the file shrank meanwhile
        got += static_cast<size_t>(n);
    }
    close(fd);
    *bytes = ProfileBytes{data, got};
    return ProfileReadStatus::Read;
}

void FreeProfileBytes(ProfileBytes* bytes) {
    std::free(bytes->data);
    *bytes = ProfileBytes{nullptr, 0};
}

bool ReplaceProfileFile(const wchar_t* path, const ProfileChunk* chunks, size_t count) {
    PathBuffer target;
    if (!path || !ToNativePath(path, target) || !ResolveLinks(target)) return false;

    // An existing file must be writable by us, or it stays untouched: a
    // rename would otherwise replace a read-only file. It is read as well, so
    // that a rewrite in place can put the old bytes back.
    const int existing = open(target, O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (existing < 0 && errno != ENOENT) return false;
    struct stat info {};
    if (existing >= 0 && (fstat(existing, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(existing);
        return false;
    }
    const mode_t mode = existing >= 0 ? (info.st_mode & 07777) : 0666;

    PathBuffer temporary;
    int fd = CreateTemporary(target, mode, temporary);
    if (fd < 0 && errno == ENOENT && existing < 0 && CreateFoldersFor(target)) {
        fd = CreateTemporary(target, mode, temporary);
    }
    if (fd < 0) {
        // Only a folder that refuses new files sends us the unsafe way; a
        // full disk or the like fails before the old file is touched.
        const bool refused = errno == EACCES || errno == EPERM;
        const bool ok = refused && existing >= 0 && RewriteInPlace(existing, chunks, count);
        if (existing >= 0) close(existing);
        return ok;
    }
    bool ok = WriteAll(fd, chunks, count);
    if (ok && existing >= 0) {
        // The umask may have narrowed the mode; the owner is kept where we may.
        ok = fchmod(fd, mode) == 0;
        if (fchown(fd, info.st_uid, info.st_gid) != 0) {
            // Not permitted for an ordinary user; the file then becomes ours.
        }
    }
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && rename(temporary, target) == 0;
    if (!ok) unlink(temporary);
    if (ok) SyncFolderOf(target);
    if (existing >= 0) close(existing);
    return ok;
}
