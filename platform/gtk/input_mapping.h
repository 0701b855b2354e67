// How GTK's keys, clicks and menu texts map to what the Windows program sees.
// Pure functions: they need GDK's key and event codes but no display.
#pragma once

#include <gdk/gdk.h>

#include <cstddef>
#include <cstdint>

// GTK reports a double click as press, press, double-press, and counts a
// press after a double click as the third of a triple click; Windows reports
// down, double-click, and starts over after every double click. The tracker
// follows the Windows rule on GTK's plain presses and ignores GTK's own
// double- and triple-presses. A press maps to:
enum class PressRole {
    Down,         // a button-down of its own
    DoubleClick,  // the double-click message: takes the place of a down
    Skip,         // GTK's double- or triple-press: already counted
};

struct ClickTracker {
    bool valid = false;
    bool lastWasDouble = false;
    guint button = 0;
    guint32 time = 0;
    double x = 0;
    double y = 0;
};

// A press of the same button within doubleClickTime milliseconds of the last
// down, and within distance pixels of it on both axes, is a double click,
// unless that last press was itself one.
PressRole TrackPress(ClickTracker* tracker, GdkEventType type, guint button, guint32 time, double x,
                     double y, guint doubleClickTime, int distance);

// Only Shift, Control and Alt count; other modifiers (Num Lock, Super) are
// ignored, as the accelerator table ignores them.
GdkModifierType RelevantModifiers(guint state);

// The accelerator table: Space, F1, F11 and Esc without modifiers. Returns the
// command id, or 0 when the key is not an accelerator.
uint16_t AcceleratorCommand(guint keyval, GdkModifierType modifiers);

// Shift+F10 and the menu key open the context menu from the keyboard.
bool IsContextMenuKey(guint keyval, GdkModifierType modifiers);

// The character a key types, as the Windows program's WM_CHAR carries it:
// Backspace 8, Tab 9, Enter 13, Esc 27, Control with a letter its control
// code, printable keys as themselves. Returns false when the key types
// nothing (function keys, Alt combinations).
bool CharacterForKey(guint keyval, GdkModifierType modifiers, uint32_t* character);

// A menu text of the resources, such as "&OK\tEnter", as GTK shows it: the
// label with "_" mnemonics ("_OK"; "&&" gives "&", "_" gives "__") and the
// accelerator hint after the tab ("Enter"), empty when there is none. Both
// are UTF-8, cut to their capacities.
void ConvertMenuText(const wchar_t* text, char* label, size_t labelCapacity, char* hint,
                     size_t hintCapacity);
