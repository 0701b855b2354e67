#include "tests/app/fake_shell.h"

namespace fake_shell {

Shell g;

void Reset() {
    g = Shell{};
}

}  // namespace fake_shell

using fake_shell::g;

int32_t ToggleTitleBar(WindowHandle) {
    g.calls += 'T';
    g.captionShown = !g.captionShown;
    return g.captionShown ? 1 : 0;
}

int32_t EnterFullScreen(WindowHandle) {
    g.calls += 'E';
    return 1;
}

int32_t LeaveFullScreen(WindowHandle) {
    g.calls += 'L';
    return 0;
}

void ShowAboutBox(WindowHandle window) {
    g.aboutOwner = window;
    g.calls += 'A';
}

void PlayAlarmSound(const wchar_t* file) {
    g.alarmFile = file;
    g.calls += 'S';
}

void RequestClose(WindowHandle) {
    g.calls += 'C';
}

void QuitMessageLoop() {
    g.calls += 'Q';
}
