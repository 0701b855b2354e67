// Where the Linux program keeps its settings. A copy in a folder the user may
// write, outside /usr, keeps them beside itself (an unpacked archive). An
// installed copy keeps them in $XDG_CONFIG_HOME/moxtimer/moxtimer.ini (by
// default ~/.config/moxtimer/moxtimer.ini), and until that file exists it
// reads the first moxtimer/moxtimer.ini of $XDG_CONFIG_DIRS (by default
// /etc/xdg), an administrator's defaults, which it never writes.
#pragma once

#include <cstddef>

// What the choice depends on. The environment's values are null when unset.
struct SettingsFacts {
    const char* xdgConfigHome;
    const char* xdgConfigDirs;
    const char* home;
    // The real user's home in the password database, or null; asked only when
    // $HOME is unset, empty or relative.
    const char* (*passwordHome)();
    bool (*exists)(const char* path);
    bool (*writableFolder)(const char* folder);  // for the real user
};

// Fills writePath and readPath (capacity bytes each) given the file beside
// the program; an empty path means none. No path under /usr is ever chosen
// for writing.
void ChooseSettingsFileBytes(const char* besideProgram, const SettingsFacts& facts, char* writePath,
                             char* readPath, size_t capacity);
