// Peer of pop-up menus: a GtkMenu rebuilt from the items at every pop-up.
#include "gtk_peer.h"
#include "menus.h"

namespace vx::ui {

using namespace gtk;

TPopupMenu::~TPopupMenu() {
    if (!menu_) return;
    gtk_widget_destroy(menu_);
    g_object_unref(menu_); // the reference showPeer took
}

void TPopupMenu::showPeer() {
    if (!menu_) {
        menu_ = gtk_menu_new();
        g_object_ref_sink(menu_);
    }
    gtk_container_foreach(
        GTK_CONTAINER(menu_), [](GtkWidget* w, gpointer) { gtk_widget_destroy(w); }, nullptr);
    for (const auto& item : items_) {
        if (!item->Visible()) continue;
        GtkWidget* mi = gtk_menu_item_new_with_label(toUtf8(item->Caption()).c_str());
        gtk_widget_set_sensitive(mi, item->Enabled());
        if (!item->Hint().empty()) gtk_widget_set_tooltip_text(mi, toUtf8(item->Hint()).c_str());
        connect(
            mi, "activate",
            +[](GtkMenuItem*, gpointer data) { static_cast<TMenuItem*>(data)->click(); },
            item.get());
        gtk_menu_shell_append(GTK_MENU_SHELL(menu_), mi);
        gtk_widget_show(mi);
    }
    gtk_menu_popup(GTK_MENU(menu_), nullptr, nullptr, nullptr, nullptr, 3,
                   gtk_get_current_event_time());
}

} // namespace vx::ui
