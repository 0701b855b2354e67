// The display as a screen reader finds it: an accessible object of role
// timer whose name reads what the display shows and the clock's state.
//
// The name is the window title, or "Countdown entry" while a countdown is
// typed, then one blank, then the first eight glyphs the display shows
// (HH:MM:SS). The blank that stands for the hidden separator of minute
// precision's blink is read as ":", so that the name does not flicker with
// it. For example: "Stopwatch 00:01:23", "Timer (Paused) 00:04:10",
// "Countdown entry __:12:30".
//
// The name is brought up to date once a second on the main thread, and set
// only when it changed: the tick runs up to 100 times a second on its own
// thread, where no GTK call may be made, and a screen reader announces every
// new name.
#include <gtk/gtk.h>

#include <cwchar>

#include "clock/spoken_time.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "entry/countdown_entry.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/wide_text.h"

namespace {

constexpr size_t kShownGlyphs = 8;
constexpr size_t kNameCapacity = kTitleTextCapacity + 1 + kShownGlyphs;

gboolean RefreshAccessibleName(gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    if (window->destroyed) {
        window->accessibleRefresh = 0;
        return G_SOURCE_REMOVE;
    }
    char name[4 * kNameCapacity];
    ComposeAccessibleName(name, sizeof name);
    AtkObject* accessible = gtk_widget_get_accessible(window->area);
    const char* now = atk_object_get_name(accessible);
    if (now == nullptr || g_strcmp0(now, name) != 0) atk_object_set_name(accessible, name);
    return G_SOURCE_CONTINUE;
}

}  // namespace

void ComposeAccessibleName(char* name, size_t capacity) {
    wchar_t shown[kShownGlyphs + 1] = {};
    const bool entry = EntryActive();
    if (entry) {
        std::wcsncpy(shown, g_editText, kShownGlyphs);
    } else {
        // The tick writes the time text under the clock lock.
        ClockLockGuard guard;
        std::wcsncpy(shown, g_displayText, kShownGlyphs);
    }
    for (wchar_t& glyph : shown) {
        if (glyph == L' ') glyph = L':';
    }
    wchar_t text[kNameCapacity + 1];
    std::swprintf(text, kNameCapacity + 1, L"%ls %ls", entry ? kSpokenEntryText : g_titleText,
                  shown);
    WideToUtf8(text, name, capacity);
}

void StartAccessibleDisplay(NativeWindow* window) {
    AtkObject* accessible = gtk_widget_get_accessible(window->area);
    atk_object_set_role(accessible, ATK_ROLE_TIMER);
    RefreshAccessibleName(window);
    if (window->accessibleRefresh == 0) {
        window->accessibleRefresh = g_timeout_add_seconds(1, RefreshAccessibleName, window);
    }
}

void StopAccessibleDisplay(NativeWindow* window) {
    if (window->accessibleRefresh != 0) g_source_remove(window->accessibleRefresh);
    window->accessibleRefresh = 0;
}
