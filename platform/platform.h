// The narrow interface between the portable core and the operating system.
//
// Everything the core needs from the platform is declared here and nowhere
// else. Each platform links exactly one implementation of each group:
//
//   group              Windows program      Linux program        core tests
//   -----------------  -------------------  -------------------  ------------------
//   counter and tick   win32/tick_win32     posix/tick_posix     fake/fake_tick
//   clock lock         win32/lock_win32     posix/lock_posix     (native one)
//   window and paint   win32/ (program)     gtk/ (program)       fake/fake_platform
//   system services    win32/ (program)     posix/system_posix   fake/fake_platform
//
// The selection happens at link time, so a call here costs what a plain
// function call costs: nothing is looked up in the tick or the painter.
#pragma once

#include <cstddef>
#include <cstdint>

// Opaque handles. On Windows a WindowHandle is an HWND and a PaintCanvas an
// HDC; on Linux they are the GTK layer's own records; in tests, the fake's.
struct NativeWindow;
using WindowHandle = NativeWindow*;
struct PaintCanvas;

// Rectangles in signed 32-bit client pixels; right and bottom lie outside,
// as FillRect treats them.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct ClientSize {
    int32_t width;
    int32_t height;
};

// The three solid brushes the painter chooses among.
enum class BrushRole : uint8_t { Background = 0, Color = 1, Idle = 2 };

// What the settings write-back needs to know of the main window.
struct WindowPlacement {
    int32_t outerLeft;  // outer window rectangle, screen coordinates
    int32_t outerTop;
    int32_t clientWidth;
    int32_t clientHeight;
    int32_t minimized;  // non-zero while the window is iconified
};

// ---- Millisecond counter and periodic tick (any thread) --------------------

// Unsigned 32-bit milliseconds, monotonic, wrapping modulo 2^32.
uint32_t ReadMillisecondCounter();

using TickCallback = void (*)(uintptr_t context);
using TickTimer = uintptr_t;  // 0 means "no timer"
constexpr TickTimer kNoTickTimer = 0;

// Arms a periodic timer: the first call comes at once, then one per period.
// All calls run on one timer thread, one at a time, never overlapping.
TickTimer ArmTickTimer(uint32_t periodMs, TickCallback callback, uintptr_t context);

// Returns at once without waiting for a call in progress; may be called from
// inside the callback. Disarming kNoTickTimer or an already disarmed timer is
// harmless.
void DisarmTickTimer(TickTimer timer);

// Stops the tick source for good: after it returns no callback runs or is
// running. Called on the UI thread at process end, never from a tick.
void StopTickSource();

// ---- The clock lock ---------------------------------------------------------

// One non-recursive lock serialising the clock data between the UI thread and
// the tick. Statically initialised; usable before main.
void AcquireClockLock();
void ReleaseClockLock();

class ClockLockGuard {
public:
    ClockLockGuard() { AcquireClockLock(); }
    ~ClockLockGuard() { ReleaseClockLock(); }
    ClockLockGuard(const ClockLockGuard&) = delete;
    ClockLockGuard& operator=(const ClockLockGuard&) = delete;
};

// ---- Main window services ---------------------------------------------------

// Safe to call from the tick thread: all three only queue work for the UI
// thread. RequestRepaint invalidates the whole client area;
// RequestPartialRepaint only the rectangle (client pixels, as the layout
// has them), without erase. Requests made before the next paint add up:
// none is dropped.
void RequestRepaint(WindowHandle window, bool erase);
void RequestPartialRepaint(WindowHandle window, const Rect& rect);
void PostTimeUp(WindowHandle window);

// UI thread only.
void SetWindowTitle(WindowHandle window, const wchar_t* text);
ClientSize QueryClientSize(WindowHandle window);
WindowPlacement QueryWindowPlacement(WindowHandle window);

// Modal message box with an OK button. A null caption means the system's
// default caption; an empty one means an empty caption.
void ShowMessageBox(WindowHandle owner, const wchar_t* text, const wchar_t* caption);

// The countdown entry caret: a grey bar.
void CreateEntryCaret(WindowHandle window, int32_t width, int32_t height);
void SetEntryCaretPosition(WindowHandle window, int32_t x, int32_t y);
void ShowEntryCaret(WindowHandle window);
void HideEntryCaret(WindowHandle window);
void DestroyEntryCaret(WindowHandle window);

// ---- Painting (UI thread only) ----------------------------------------------

// Creates the three brushes at start-up. Colors are COLORREF values
// (0x00BBGGRR).
void CreateDisplayBrushes(uint32_t background, uint32_t color, uint32_t idle);

// Creates a brush of the given color, makes it the color brush, and frees the
// one it replaces.
void ReplaceColorBrush(uint32_t color);

void FillRectangle(PaintCanvas* canvas, const Rect& rect, BrushRole brush);

// ---- System services (UI thread only) ---------------------------------------

// The longest path the system takes, terminator included, in wide
// characters: what the settings path and the executable's path are held in.
#if defined(_WIN32)
constexpr size_t kPathCapacity = 260;  // MAX_PATH
#else
constexpr size_t kPathCapacity = 4096;  // PATH_MAX
#endif

// Writes the running executable's full path into buffer. Returns false, with
// the buffer empty, when the path cannot be had or does not fit.
bool GetExecutablePath(wchar_t* buffer, size_t capacity);

// How the settings file beside the program is named after it.
enum class SettingsNameRule : uint8_t {
    ReplaceLastThree = 0,  // C:\Mox\MoxTimer.exe gives C:\Mox\MoxTimer.ini
    AppendIni = 1,         // /opt/mox/moxtimer gives /opt/mox/moxtimer.ini
};
SettingsNameRule PlatformSettingsNameRule();

// Decides once, at start-up, where this run reads its settings and where it
// writes them, given the file beside the program. Windows keeps them there;
// on Linux an installed copy keeps them in the user's configuration folder
// and reads an administrator's defaults until the user has a file. An empty
// path means none: nothing is read, or nothing is written.
void ChooseSettingsFiles(const wchar_t* besideProgram, wchar_t* writePath, wchar_t* readPath,
                         size_t capacity);

// The whole command line, program name first, as the platform gives it.
const wchar_t* GetCommandLineText();

// The profile (INI) operations, with the semantics of the Windows functions
// GetPrivateProfileStringW, GetPrivateProfileIntW and
// WritePrivateProfileStringW.
size_t ProfileGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                        wchar_t* buffer, size_t capacity, const wchar_t* path);
uint32_t ProfileGetInt(const wchar_t* section, const wchar_t* key, int32_t defaultValue,
                       const wchar_t* path);
void ProfileWriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                        const wchar_t* path);
