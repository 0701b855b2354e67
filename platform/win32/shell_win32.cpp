// The alarm sound, the close request and the end of the message loop.
#include "platform/win32/win32_program.h"
// After windows.h, which it needs.
#include <mmsystem.h>

#include "app/shell_services.h"

// Asynchronous, and silent when the file is missing: no default sound.
void PlayAlarmSound(const wchar_t* file) {
    PlaySoundW(file, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void RequestClose(WindowHandle window) {
    SendMessageW(ToHwnd(window), WM_CLOSE, 0, 0);
}

void QuitMessageLoop() {
    PostQuitMessage(0);
}
