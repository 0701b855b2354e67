// The Linux program: start-up in the order of the Windows program, then the
// GTK main loop until the window closes or a countdown ends the program.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

#include "app/app_record.h"
#include "app/shell_services.h"
#include "app/window_logic.h"
#include "platform/gtk/command_line_info.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/resource_counts.h"
#include "platform/posix/system_posix.h"

int main(int argc, char** argv) {
    SetCommandLineFromArgs(argc, argv);
    if (const InfoRequest info = FindInfoRequest(argc, argv); info != InfoRequest::None) {
        return AnswerInfoRequest(info);
    }
    RecordUiThread();
    g_set_prgname("moxtimer");
    // X11 first, through XWayland in a Wayland session: there the window
    // manager keeps the window on top and where it was placed, which a
    // Wayland compositor does not. Wayland only without X; a GDK_BACKEND
    // the user sets still decides.
    gdk_set_allowed_backends("x11,*");
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr,
                     "moxtimer: cannot open a display (is DISPLAY or WAYLAND_DISPLAY set?)\n");
        return 1;
    }
    // The class part of WM_CLASS, which the desktop entry names.
    gdk_set_program_class("moxStopwatchTimer");
    SetDefaultWindowIcons();

    PrepareSettingsPath();
    if (!BuildContextMenus()) ShowMessageBox(nullptr, L"Loading menu2 failed", nullptr);
    PrepareBrushes();
    PrepareOptions();

    NativeWindow* window = CreateMainWindow();
    ShowMainWindow(window);
    if (g_app.options.fullScreen) g_app.options.fullScreen = EnterFullScreen(window);
    InstallSessionEndHandlers(window);

    if (!QuitRequested()) gtk_main();
    // No tick may run once the clock's data go away with the process.
    StopTickSource();
    WriteResourceLog(window);
    std::exit(0);
}
