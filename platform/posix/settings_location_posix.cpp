#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/path_bytes.h"
#include "platform/posix/settings_location.h"

namespace {

constexpr char kFileInFolder[] = "/moxtimer/moxtimer.ini";

// Joins folder and tail into out; false when it does not fit.
bool Join(const char* folder, size_t folderLength, const char* tail, char* out, size_t capacity) {
    const size_t tailLength = std::strlen(tail);
    if (folderLength + tailLength + 1 > capacity) return false;
    std::memcpy(out, folder, folderLength);
    std::memcpy(out + folderLength, tail, tailLength + 1);
    return true;
}

// Relative and empty values are to be ignored, as the XDG rules say.
bool Absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// Whether path names /usr or something in it; "." parts and repeated slashes
// do not hide it.
bool UnderUsr(const char* path) {
    const char* p = path;
    for (;;) {
        while (*p == '/') ++p;
        if (p[0] == '.' && (p[1] == '/' || p[1] == '\0')) {
            ++p;
            continue;
        }
        return std::strncmp(p, "usr", 3) == 0 && (p[3] == '/' || p[3] == '\0');
    }
}

bool UserFile(const SettingsFacts& facts, char* out, size_t capacity) {
    if (Absolute(facts.xdgConfigHome)) {
        return Join(facts.xdgConfigHome, std::strlen(facts.xdgConfigHome), kFileInFolder, out,
                    capacity);
    }
    const char* home = Absolute(facts.home) ? facts.home : facts.passwordHome();
    if (!Absolute(home)) return false;
    const size_t length = std::strlen(home) - (home[1] == '\0' ? 1 : 0);  // "/" is the root
    char config[PATH_MAX];
    return Join(home, length, "/.config", config, sizeof config) &&
           Join(config, std::strlen(config), kFileInFolder, out, capacity);
}

// The first administrator's file in the colon-separated folders.
bool AdministratorFile(const SettingsFacts& facts, char* out, size_t capacity) {
    const char* dirs = facts.xdgConfigDirs;
    if (dirs == nullptr || dirs[0] == '\0') dirs = "/etc/xdg";
    while (*dirs != '\0') {
        const char* end = std::strchr(dirs, ':');
        const size_t length = end ? static_cast<size_t>(end - dirs) : std::strlen(dirs);
        if (dirs[0] == '/' && Join(dirs, length, kFileInFolder, out, capacity) &&
            facts.exists(out)) {
            return true;
        }
        dirs += length + (end ? 1 : 0);
    }
    out[0] = '\0';
    return false;
}

}  // namespace

void ChooseSettingsFileBytes(const char* besideProgram, const SettingsFacts& facts, char* writePath,
                             char* readPath, size_t capacity) {
    writePath[0] = readPath[0] = '\0';
    if (besideProgram[0] == '\0') return;
    const char* slash = std::strrchr(besideProgram, '/');
    char folder[PATH_MAX] = ".";
    if (slash == besideProgram) std::strcpy(folder, "/");
    if (slash > besideProgram) {
        Join(besideProgram, static_cast<size_t>(slash - besideProgram), "", folder, sizeof folder);
    }
    const bool portable = !UnderUsr(folder) && facts.writableFolder(folder);
    if (portable) {
        if (!Join(besideProgram, std::strlen(besideProgram), "", writePath, capacity)) return;
    } else if (!UserFile(facts, writePath, capacity) || UnderUsr(writePath)) {
        writePath[0] = '\0';
    }
    if (!portable && (writePath[0] == '\0' || !facts.exists(writePath)) &&
        AdministratorFile(facts, readPath, capacity)) {
        return;
    }
    std::strcpy(readPath, writePath);
}

namespace {

const char* PasswordHome() {
    const passwd* entry = getpwuid(getuid());
    return entry ? entry->pw_dir : nullptr;
}

bool Exists(const char* path) {
    return access(path, F_OK) == 0;
}

bool WritableFolder(const char* folder) {
    return access(folder, W_OK) == 0;
}

}  // namespace

SettingsNameRule PlatformSettingsNameRule() {
    return SettingsNameRule::AppendIni;
}

void ChooseSettingsFiles(const wchar_t* besideProgram, wchar_t* writePath, wchar_t* readPath,
                         size_t capacity) {
    writePath[0] = readPath[0] = L'\0';
    char beside[PATH_MAX], write[PATH_MAX], read[PATH_MAX];
    if (!WideToBytes(besideProgram, beside, sizeof beside)) return;
    const SettingsFacts facts{std::getenv("XDG_CONFIG_HOME"),
                              std::getenv("XDG_CONFIG_DIRS"),
                              std::getenv("HOME"),
                              PasswordHome,
                              Exists,
                              WritableFolder};
    ChooseSettingsFileBytes(beside, facts, write, read, sizeof write);
    if (!BytesToWide(write, writePath, capacity)) return;
    if (!BytesToWide(read, readPath, capacity)) writePath[0] = L'\0';
}
