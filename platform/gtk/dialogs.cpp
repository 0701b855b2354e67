// The modal message box and the about box. Each runs its own loop, as a
// Windows modal dialog does: the main window takes no input meanwhile but
// goes on painting, and the tick and the time-up message go on arriving.
#include <gtk/gtk.h>

#include "app/about_text.h"
#include "app/shell_services.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/wide_text.h"

const wchar_t kBuildTools[] = L"C++20, GCC, GTK 3";

namespace {

constexpr int kMaxModalDepth = 8;
GtkDialog* modalDialogs[kMaxModalDepth] = {};
int modalDepth = 0;

// The about box's size: 320 x 280 dialog units of a 9-point Courier New.
constexpr int kAboutWidth = 560;
constexpr int kAboutHeight = 490;

// Windows' default message box caption.
constexpr char kDefaultCaption[] = "Error";

GtkWindow* OwnerWindow(WindowHandle owner) {
    if (owner == nullptr || owner->destroyed || owner->displayLost) return nullptr;
    return GTK_WINDOW(owner->window);
}

void RunModal(GtkDialog* dialog) {
    if (QuitRequested() || modalDepth >= kMaxModalDepth) return;
    modalDialogs[modalDepth++] = dialog;
    gtk_dialog_run(dialog);
    --modalDepth;
}

}  // namespace

void EndModalDialogs() {
    for (int i = modalDepth - 1; i >= 0; --i) {
        gtk_dialog_response(modalDialogs[i], GTK_RESPONSE_NONE);
    }
}

void ShowMessageBox(WindowHandle owner, const wchar_t* text, const wchar_t* caption) {
    char message[1024];
    char title[256];
    WideToUtf8(text, message, sizeof message);
    if (caption != nullptr) {
        WideToUtf8(caption, title, sizeof title);
    } else {
        g_strlcpy(title, kDefaultCaption, sizeof title);
    }
    GtkWidget* dialog =
        gtk_message_dialog_new(OwnerWindow(owner), static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL),
                               GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s", message);
    gtk_window_set_title(GTK_WINDOW(dialog), title);
    // The main window stays on top of everything; its messages must not
    // open behind it.
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    RunModal(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

void ShowAboutBox(WindowHandle window) {
    static char text[8192];
    WideToUtf8(AboutText(), text, sizeof text);

    GtkWidget* dialog = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(dialog), "MOX Stopwatch & Timer");
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    if (GtkWindow* owner = OwnerWindow(window)) {
        gtk_window_set_transient_for(GTK_WINDOW(dialog), owner);
    }
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);

    // A read-only text that can be scrolled and selected: there is no
    // button, so Enter does nothing; Esc and the close button end the box.
    GtkWidget* view = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
    gtk_text_view_set_monospace(GTK_TEXT_VIEW(view), TRUE);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), text, -1);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_NEVER,
                                   GTK_POLICY_ALWAYS);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller), GTK_SHADOW_IN);
    gtk_widget_set_size_request(scroller, kAboutWidth, kAboutHeight);
    gtk_container_add(GTK_CONTAINER(scroller), view);
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_box_pack_start(GTK_BOX(content), scroller, TRUE, TRUE, 0);
    gtk_widget_show_all(dialog);
    gtk_widget_grab_focus(view);
    RunModal(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}
