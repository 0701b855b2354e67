// The fake window layer's shell services: each call logs its letter.
#include "app/about_text.h"
#include "app/app_record.h"
#include "app/shell_services.h"
#include "platform/fake/fake_platform.h"

// Longer than the about text keeps.
const wchar_t kBuildTools[] = L"C++20, and a name for the tools that is longer than the text keeps";

// The title bar is shown afterwards exactly when it was hidden before.
int32_t ToggleTitleBar(WindowHandle) {
    fake::g.shellCalls += 'T';
    return g_app.options.noTitleBar ? 1 : 0;
}
int32_t EnterFullScreen(WindowHandle) {
    return fake::g.shellCalls += 'E', 1;
}
int32_t LeaveFullScreen(WindowHandle) {
    return fake::g.shellCalls += 'L', 0;
}
void ShowAboutBox(WindowHandle) {
    fake::g.shellCalls += 'A';
}
void PlayAlarmSound(const wchar_t*) {
    fake::g.shellCalls += 'S';
}
void RequestClose(WindowHandle) {
    fake::g.shellCalls += 'C';
}
void QuitMessageLoop() {
    fake::g.shellCalls += 'Q';
}
