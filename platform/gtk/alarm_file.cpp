// The alarm file's lookup. Started from the desktop menu the current folder
// is the home folder, so a relative name is also looked up beside the
// program. Paths are put together as wide text, as the core holds them, and
// each candidate becomes bytes in one place, right before the file system
// and then the sound player get it.
#include "platform/gtk/alarm_file.h"

#include <sys/stat.h>

#include <climits>
#include <cwchar>

#include "platform/posix/path_bytes.h"

namespace {

// Converts a candidate and tells whether it names a regular file.
bool IsRegularFile(const wchar_t* candidate, char* path, size_t capacity) {
    // A path that does not fit is not converted at all: a cut path would name
    // another file.
    struct stat info;
    return WideToBytes(candidate, path, capacity) && path[0] != '\0' && stat(path, &info) == 0 &&
           S_ISREG(info.st_mode);
}

}  // namespace

bool ResolveAlarmFile(const wchar_t* name, const wchar_t* programPath, char* path,
                      size_t capacity) {
    if (capacity == 0) return false;
    path[0] = '\0';
    if (name == nullptr || name[0] == L'\0') return false;
    if (IsRegularFile(name, path, capacity)) return true;
    path[0] = '\0';
    if (name[0] == L'/' || programPath == nullptr) return false;

    const wchar_t* slash = std::wcsrchr(programPath, L'/');
    if (slash == nullptr) return false;
    const size_t folderLength = static_cast<size_t>(slash - programPath) + 1;
    const size_t nameLength = std::wcslen(name);
    wchar_t candidate[PATH_MAX];
    if (folderLength + nameLength + 1 > PATH_MAX) return false;
    std::wmemcpy(candidate, programPath, folderLength);
    std::wmemcpy(candidate + folderLength, name, nameLength + 1);
    if (IsRegularFile(candidate, path, capacity)) return true;
    path[0] = '\0';
    return false;
}
