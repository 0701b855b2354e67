#include "platform/gtk/input_mapping.h"

#include <gdk/gdkkeysyms.h>

#include "app/commands.h"
#include "platform/gtk/wide_text.h"

PressRole TrackPress(ClickTracker* tracker, GdkEventType type, guint button, guint32 time, double x,
                     double y, guint doubleClickTime, int distance) {
    if (type != GDK_BUTTON_PRESS) return PressRole::Skip;
    const bool isDouble = tracker->valid && !tracker->lastWasDouble && tracker->button == button &&
                          time - tracker->time <= doubleClickTime && x - tracker->x <= distance &&
                          tracker->x - x <= distance && y - tracker->y <= distance &&
                          tracker->y - y <= distance;
    tracker->valid = true;
    tracker->lastWasDouble = isDouble;
    tracker->button = button;
    tracker->time = time;
    tracker->x = x;
    tracker->y = y;
    return isDouble ? PressRole::DoubleClick : PressRole::Down;
}

GdkModifierType RelevantModifiers(guint state) {
    return static_cast<GdkModifierType>(state &
                                        (GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_MOD1_MASK));
}

uint16_t AcceleratorCommand(guint keyval, GdkModifierType modifiers) {
    if (modifiers != 0) return 0;
    switch (keyval) {
        case GDK_KEY_space:
            return IDM_START_PAUSE;
        case GDK_KEY_F1:
            return IDM_ABOUT;
        case GDK_KEY_F11:
            return IDM_FULL_SCREEN;
        case GDK_KEY_Escape:
            return IDM_LEAVE_FULL_SCREEN;
        default:
            return 0;
    }
}

bool IsContextMenuKey(guint keyval, GdkModifierType modifiers) {
    if (keyval == GDK_KEY_Menu) return true;
    return keyval == GDK_KEY_F10 && modifiers == GDK_SHIFT_MASK;
}

bool CharacterForKey(guint keyval, GdkModifierType modifiers, uint32_t* character) {
    // Alt combinations are system keys on Windows and type no character.
    if (modifiers & GDK_MOD1_MASK) return false;
    switch (keyval) {
        case GDK_KEY_BackSpace:
            *character = (modifiers & GDK_CONTROL_MASK) ? 0x7F : 8;
            return true;
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab:
        case GDK_KEY_KP_Tab:
            *character = 9;
            return true;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            *character = 13;
            return true;
        case GDK_KEY_Escape:
            *character = 27;
            return true;
        default:
            break;
    }
    const uint32_t code = gdk_keyval_to_unicode(keyval);
    if (modifiers & GDK_CONTROL_MASK) {
        // Control with a letter types its control code (Ctrl+H is 8).
        if ((code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z')) {
            *character = code & 0x1F;
            return true;
        }
        return false;
    }
    if (code == 0) return false;
    *character = code;
    return true;
}

void ConvertMenuText(const wchar_t* text, char* label, size_t labelCapacity, char* hint,
                     size_t hintCapacity) {
    // The label is built as a wide text first, so that the UTF-8 conversion
    // cuts it at a whole character.
    constexpr size_t kWideCapacity = 128;
    wchar_t wide[kWideCapacity];
    size_t length = 0;
    const wchar_t* p = text;
    for (; *p != L'\0' && *p != L'\t'; ++p) {
        const wchar_t c = *p;
        if (c == L'&') {
            if (p[1] == L'&') {
                ++p;
                if (length + 1 < kWideCapacity) wide[length++] = L'&';
            } else if (p[1] != L'\0' && p[1] != L'\t') {
                if (length + 1 < kWideCapacity) wide[length++] = L'_';
            }
        } else if (c == L'_') {
            if (length + 2 < kWideCapacity) {
                wide[length++] = L'_';
                wide[length++] = L'_';
            }
        } else if (length + 1 < kWideCapacity) {
            wide[length++] = c;
        }
    }
    wide[length] = L'\0';
    WideToUtf8(wide, label, labelCapacity);
    WideToUtf8(*p == L'\t' ? p + 1 : L"", hint, hintCapacity);
}
