// The context menu and the entry menu, built once at start-up from the shared
// tables, brought up to date before every showing of the context menu, and
// shown at the anchor the shared logic chooses. A chosen item's command runs
// after the menu has closed, as WM_COMMAND arrives after TrackPopupMenuEx.
#include <gtk/gtk.h>

#include "app/app_record.h"
#include "app/commands.h"
#include "app/menu_state.h"
#include "platform/gtk/input_mapping.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/resource_counts.h"
#include "platform/gtk/wide_text.h"

namespace {

constexpr size_t kMaxPositions = 24;

// The update relies on these positions of the context menu: the mode radio
// among 3 to 5, the radio submenus at 6 to 8 (precision, color, style), and
// the check items at 10 and 11.
constexpr size_t kModeFirstPosition = 3;
constexpr size_t kModeLastPosition = 5;
constexpr size_t kRadioSubmenuFirst = 6;
constexpr size_t kRadioSubmenuLast = 8;
constexpr size_t kTitleBarPosition = 10;
constexpr size_t kFullScreenPosition = 11;

struct MenuLevel {
    GtkWidget* menu = nullptr;
    GtkWidget* items[kMaxPositions] = {};
    GtkWidget* labels[kMaxPositions] = {};
    MenuLevel* submenus[kMaxPositions] = {};
    size_t count = 0;
};

MenuLevel contextMenu;
MenuLevel entryMenu;
MenuLevel submenuLevels[kMaxPositions];
size_t submenuLevelsUsed = 0;
bool entryMenuLoaded = false;
// Set while the update sets check marks: GTK reports those as activations.
bool updating = false;

gboolean DispatchLater(gpointer data) {
    const auto id = static_cast<uint16_t>(GPOINTER_TO_UINT(data));
    WindowHandle window = MainWindow();
    if (window != nullptr && !window->destroyed) DispatchCommand(window, id);
    return G_SOURCE_REMOVE;
}

void OnItemActivate(GtkMenuItem*, gpointer data) {
    if (updating) return;
    g_idle_add_full(G_PRIORITY_DEFAULT, DispatchLater, data, nullptr);
}

// GTK toggles a check item that opens a submenu ("&Timer") when it opens;
// its mark must stay what the update set.
void KeepCheckMark(GtkMenuItem* item, gpointer) {
    if (updating) return;
    updating = true;
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item),
                                   g_object_get_data(G_OBJECT(item), "mox-checked") != nullptr);
    updating = false;
}

enum class ItemKind { Plain, Check, Radio };

// The mnemonic label, with the accelerator hint in the accelerator style at
// the right when the text has one.
GtkWidget* MakeItem(const wchar_t* text, ItemKind kind, GtkWidget** labelOut) {
    char label[256];
    char hint[64];
    ConvertMenuText(text, label, sizeof label, hint, sizeof hint);
    GtkWidget* item = nullptr;
    if (kind == ItemKind::Plain) {
        item = gtk_menu_item_new();
    } else {
        item = gtk_check_menu_item_new();
        gtk_check_menu_item_set_draw_as_radio(GTK_CHECK_MENU_ITEM(item), kind == ItemKind::Radio);
    }
    GtkWidget* mnemonic = gtk_label_new_with_mnemonic(label);
    gtk_label_set_xalign(GTK_LABEL(mnemonic), 0.0f);
    gtk_label_set_mnemonic_widget(GTK_LABEL(mnemonic), item);
    if (hint[0] == '\0') {
        gtk_container_add(GTK_CONTAINER(item), mnemonic);
    } else {
        GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 24);
        GtkWidget* accel = gtk_label_new(hint);
        gtk_style_context_add_class(gtk_widget_get_style_context(accel), "accelerator");
        gtk_box_pack_start(GTK_BOX(box), mnemonic, TRUE, TRUE, 0);
        gtk_box_pack_end(GTK_BOX(box), accel, FALSE, FALSE, 0);
        gtk_container_add(GTK_CONTAINER(item), box);
    }
    *labelOut = mnemonic;
    return item;
}

ItemKind KindAt(bool topLevel, bool radioSubmenu, size_t position) {
    if (radioSubmenu) return ItemKind::Radio;
    if (!topLevel) return ItemKind::Plain;
    if (position >= kModeFirstPosition && position <= kModeLastPosition) return ItemKind::Radio;
    if (position == kTitleBarPosition || position == kFullScreenPosition) return ItemKind::Check;
    return ItemKind::Plain;
}

// Builds `count` menu entries (a submenu's entries follow it as a run) into
// level; returns how many entries were consumed. count 0 means up to the end.
size_t BuildLevel(MenuLevel* level, const MenuEntry* entries, size_t available, size_t count,
                  bool topLevel, bool radioSubmenu) {
    level->menu = gtk_menu_new();
    size_t used = 0;
    while (used < available && (count == 0 || level->count < count)) {
        const MenuEntry& entry = entries[used++];
        const size_t position = level->count;
        GtkWidget* item = nullptr;
        if (entry.text == nullptr) {
            item = gtk_separator_menu_item_new();
        } else {
            item = MakeItem(entry.text, KindAt(topLevel, radioSubmenu, position),
                            &level->labels[position < kMaxPositions ? position : 0]);
            if (entry.submenuItems > 0 && submenuLevelsUsed < kMaxPositions) {
                MenuLevel* sub = &submenuLevels[submenuLevelsUsed++];
                const bool radio =
                    topLevel && position >= kRadioSubmenuFirst && position <= kRadioSubmenuLast;
                used += BuildLevel(sub, entries + used, available - used, entry.submenuItems, false,
                                   radio);
                gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), sub->menu);
                if (GTK_IS_CHECK_MENU_ITEM(item)) {
                    g_signal_connect(item, "activate", G_CALLBACK(KeepCheckMark), nullptr);
                }
                if (position < kMaxPositions) level->submenus[position] = sub;
            } else {
                g_signal_connect(item, "activate", G_CALLBACK(OnItemActivate),
                                 GUINT_TO_POINTER(entry.id));
            }
        }
        gtk_widget_show_all(item);
        gtk_menu_shell_append(GTK_MENU_SHELL(level->menu), item);
        if (position < kMaxPositions) level->items[position] = item;
        ++level->count;
    }
    return used;
}

void SetActive(GtkWidget* item, bool active) {
    if (item != nullptr && GTK_IS_CHECK_MENU_ITEM(item)) {
        g_object_set_data(G_OBJECT(item), "mox-checked", active ? item : nullptr);
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), active);
    }
}

void SetRadio(const MenuLevel* level, size_t first, size_t last, size_t chosen) {
    if (level == nullptr) return;
    for (size_t position = first; position <= last && position < level->count; ++position) {
        SetActive(level->items[position], position == chosen);
    }
}

void UpdateContextMenu() {
    const ContextMenuState state = ComputeContextMenuState();
    MenuLevel& menu = contextMenu;
    updating = true;
    if (menu.labels[0] != nullptr) {
        char label[64];
        char hint[8];
        ConvertMenuText(state.startPauseText, label, sizeof label, hint, sizeof hint);
        gtk_label_set_text_with_mnemonic(GTK_LABEL(menu.labels[0]), label);
    }
    if (menu.items[1] != nullptr) gtk_widget_set_sensitive(menu.items[1], state.resetEnabled);
    SetRadio(&menu, kModeFirstPosition, kModeLastPosition, static_cast<size_t>(state.modePosition));
    SetRadio(menu.submenus[6], 0, 3, static_cast<size_t>(state.precisionPosition));
    SetRadio(menu.submenus[7], 0, 7, static_cast<size_t>(state.colorPosition));
    SetRadio(menu.submenus[8], 0, 1, static_cast<size_t>(state.stylePosition));
    SetActive(menu.items[kTitleBarPosition], state.titleBarChecked);
    if (menu.items[kTitleBarPosition] != nullptr) {
        gtk_widget_set_sensitive(menu.items[kTitleBarPosition], state.titleBarEnabled);
    }
    SetActive(menu.items[kFullScreenPosition], state.fullScreenChecked);
    updating = false;
}

}  // namespace

bool BuildContextMenus() {
    BuildLevel(&contextMenu, kContextMenuItems, kContextMenuItemCount, 0, true, false);
    entryMenuLoaded = kEntryMenuItemCount > 0;
    if (entryMenuLoaded) {
        BuildLevel(&entryMenu, kEntryMenuItems, kEntryMenuItemCount, 0, false, false);
    }
    return entryMenuLoaded;
}

void ShowContextMenu(NativeWindow* window, bool fromKeyboard, int32_t clientX, int32_t clientY,
                     const GdkEvent* trigger) {
    if (window->destroyed) return;
    const MenuPlacement placement = PlaceContextMenu(
        fromKeyboard, clientX, clientY, ClientSize{window->clientWidth, window->clientHeight});
    if (!placement.show) return;
    GtkWidget* menu = nullptr;
    if (placement.menu == MenuKind::Entry) {
        if (!entryMenuLoaded) return;
        menu = entryMenu.menu;
    } else {
        UpdateContextMenu();
        menu = contextMenu.menu;
    }
    GdkWindow* anchorWindow = gtk_widget_get_window(window->area);
    if (anchorWindow == nullptr) return;
    // The menu's top-left corner at the anchor, flipped by GTK where the
    // screen ends, as TrackPopupMenuEx does.
    const GdkRectangle anchor{placement.clientX, placement.clientY, 1, 1};
    gtk_menu_popup_at_rect(GTK_MENU(menu), anchorWindow, &anchor, GDK_GRAVITY_NORTH_WEST,
                           GDK_GRAVITY_NORTH_WEST, trigger);
    // A popup that could not take the pointer and keyboard stays hidden.
    if (gtk_widget_get_visible(menu)) ++g_resourceCounts.menusShown;
}
