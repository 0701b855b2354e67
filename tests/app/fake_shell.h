// A fake of the program's own window layer (app/shell_services.h). Each call
// appends one letter, so tests can check which calls came in which order:
// T toggle title bar, E enter and L leave full screen, A about, S sound,
// C close, Q quit.
#pragma once

#include <string>

#include "app/shell_services.h"

namespace fake_shell {

struct Shell {
    bool captionShown = true;  // the pretend frame ToggleTitleBar flips
    WindowHandle aboutOwner = nullptr;
    std::wstring alarmFile;
    std::string calls;
};

extern Shell g;

void Reset();

}  // namespace fake_shell
