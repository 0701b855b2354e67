// A desktop panel for the full-screen tests: a magenta dock along the bottom
// of the screen that reserves its height with a strut, as panels do.
//   mox_e2e_dock HEIGHT
// Prints its window id once mapped, then stays until killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int height = argc > 1 ? std::atoi(argv[1]) : 40;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || height <= 0) return 1;
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen);
    const int bottom = DisplayHeight(display, screen);
    const Window dock = XCreateSimpleWindow(display, RootWindow(display, screen), 0,
                                            bottom - height, width, height, 0, 0, 0xFF00FF);
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
    // left, right, top, bottom; then the start and end of each edge's span.
    long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False),
                    XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(strut), 4);
    XSelectInput(display, dock, StructureNotifyMask);
    XMapWindow(display, dock);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            std::printf("0x%lx\n", dock);
            std::fflush(stdout);
        }
    }
}
