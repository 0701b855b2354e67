// How the tick thread's requests reach the main thread. The tick may only
// set flags and write to an eventfd that the GTK main loop watches: no GTK
// or GLib object is touched off the main thread, nothing is allocated in the
// tick, and however many repaint requests arrive before the main thread gets
// to them, they are served once, their rectangles joined.
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>

#include "app/window_logic.h"
#include "platform/gtk/native_window.h"

namespace {

bool uiThreadKnown = false;
pthread_t uiThread;
int wakeFd = -1;
// The window of the requests; there is only the main window.
std::atomic<NativeWindow*> requestWindow{nullptr};

void Wake() {
    const uint64_t one = 1;
    // A full counter already means a pending wake-up.
    [[maybe_unused]] ssize_t written = write(wakeFd, &one, sizeof one);
}

gboolean TimeUpIdle(gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    if (!window->destroyed) OnTimeUp(window);
    return G_SOURCE_REMOVE;
}

gboolean OnWake(gint fd, GIOCondition, gpointer) {
    uint64_t count = 0;
    [[maybe_unused]] ssize_t got = read(fd, &count, sizeof count);
    NativeWindow* window = requestWindow.load(std::memory_order_acquire);
    if (window == nullptr) return G_SOURCE_CONTINUE;
    // Cleared before serving: a request that arrives meanwhile wakes again.
    if (window->repaintQueued.exchange(false, std::memory_order_acq_rel)) {
        ServeRepaintRequest(window);
    }
    // The time-up message runs a modal loop; it gets a callback of its own
    // so that this one returns and goes on serving repaints meanwhile.
    for (int32_t n = window->timeUpsQueued.exchange(0, std::memory_order_acq_rel); n > 0; --n) {
        g_idle_add_full(G_PRIORITY_DEFAULT, TimeUpIdle, window, nullptr);
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace

void RecordUiThread() {
    uiThread = pthread_self();
    uiThreadKnown = true;
    if (wakeFd < 0) {
        wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (wakeFd >= 0) {
            GSource* source = g_unix_fd_source_new(wakeFd, G_IO_IN);
            g_source_set_callback(source, G_SOURCE_FUNC(OnWake), nullptr, nullptr);
            // Left unblocked while it runs: blocking takes the fd out of the
            // main loop's poll set and puts it back, and each change wakes
            // the loop, one more idle turn for every tick. It runs no nested
            // loop, so it is never entered twice.
            g_source_set_can_recurse(source, TRUE);
            g_source_attach(source, nullptr);
            g_source_unref(source);
        }
    }
}

bool OnUiThread() {
    return !uiThreadKnown || pthread_equal(pthread_self(), uiThread);
}

namespace {

void QueueRepaint(NativeWindow* window, bool whole, bool erase, const Rect& part) {
    if (window == nullptr) return;
    AddRepaintRequest(window, whole, erase, part);
    if (OnUiThread()) {
        ServeRepaintRequest(window);
        return;
    }
    requestWindow.store(window, std::memory_order_release);
    if (!window->repaintQueued.exchange(true, std::memory_order_acq_rel)) Wake();
}

}  // namespace

void RequestRepaint(WindowHandle window, bool erase) {
    QueueRepaint(window, true, erase, Rect{0, 0, 0, 0});
}

void RequestPartialRepaint(WindowHandle window, const Rect& rect) {
    QueueRepaint(window, false, false, rect);
}

void PostTimeUp(WindowHandle window) {
    if (window == nullptr) return;
    requestWindow.store(window, std::memory_order_release);
    window->timeUpsQueued.fetch_add(1, std::memory_order_acq_rel);
    if (OnUiThread()) {
        OnWake(wakeFd, G_IO_IN, nullptr);
        return;
    }
    Wake();
}
