// A fake of the program's own window layer (app/shell_services.h): it records
// every call and keeps a pretend frame, so the app logic can be tested
// without a window system.
#pragma once

#include <string>

#include "app/shell_services.h"

namespace fake_shell {

struct Shell {
    bool captionShown = true;  // the pretend frame ToggleTitleBar flips
    int titleBarToggles = 0;
    int fullScreenEnters = 0;
    int fullScreenLeaves = 0;
    int aboutBoxes = 0;
    WindowHandle aboutOwner = nullptr;
    int alarmSounds = 0;
    std::wstring alarmFile;
    int closeRequests = 0;
    int quits = 0;
    // Each shell call appends one letter, so tests can check the order of
    // calls: T toggle, E enter, L leave, A about, S sound, C close, Q quit.
    std::string calls;
};

extern Shell g;

void Reset();

}  // namespace fake_shell
