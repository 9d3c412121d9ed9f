// The dialog service on screen: GTK message boxes and file choosers.
#include "application.h"
#include "gtk_peer.h"
#include "support/dialogs.h"

#include <string>

namespace vx::ui::gtk {

namespace {

GtkWidget* messageBox(GtkMessageType type, const std::string& text) {
    GtkWidget* d = gtk_message_dialog_new(activeWindow(), GTK_DIALOG_MODAL, type, GTK_BUTTONS_NONE,
                                          "%s", displayText(text).c_str());
    gtk_window_set_title(GTK_WINDOW(d), displayText(Application().Title()).c_str());
    return d;
}

int runAndDestroy(GtkWidget* d) {
    const int r = gtk_dialog_run(GTK_DIALOG(d));
    gtk_widget_destroy(d);
    return r;
}

bool hasExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    return base.find('.') != std::string::npos;
}

std::string folderOf(const std::string& path) {
    gchar* d = g_path_get_dirname(path.c_str());
    std::string s = d;
    g_free(d);
    return s;
}

void addFilters(GtkFileChooser* chooser, const vx::FileDialogRequest& req) {
    int i = 0;
    for (const auto& f : req.filters) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, displayText(f.name).c_str());
        size_t start = 0;
        while (start <= f.pattern.size()) {
            size_t end = f.pattern.find(';', start);
            if (end == std::string::npos) end = f.pattern.size();
            std::string pat = f.pattern.substr(start, end - start);
            if (!pat.empty()) {
                gtk_file_filter_add_pattern(filter, pat.c_str());
                gchar* up = g_ascii_strup(pat.c_str(), -1);
                if (pat != up) gtk_file_filter_add_pattern(filter, up);
                g_free(up);
            }
            start = end + 1;
        }
        gtk_file_chooser_add_filter(chooser, filter);
        if (i++ == req.filterIndex) gtk_file_chooser_set_filter(chooser, filter);
    }
}

class GtkDialogs : public vx::DialogService {
public:
    void showMessage(const std::string& text) override {
        GtkWidget* d = messageBox(GTK_MESSAGE_OTHER, text);
        gtk_dialog_add_button(GTK_DIALOG(d), GTK_STOCK_OK, GTK_RESPONSE_OK);
        runAndDestroy(d);
    }

    bool confirm(const std::string& text) override {
        GtkWidget* d = messageBox(GTK_MESSAGE_QUESTION, text);
        gtk_dialog_add_buttons(GTK_DIALOG(d), GTK_STOCK_OK, GTK_RESPONSE_OK, GTK_STOCK_CANCEL,
                               GTK_RESPONSE_CANCEL, nullptr);
        gtk_dialog_set_default_response(GTK_DIALOG(d), GTK_RESPONSE_CANCEL);
        return runAndDestroy(d) == GTK_RESPONSE_OK;
    }

    bool showError(const std::string& text) override {
        enum { kContinue = 1, kEnd = 2 };
        GtkWidget* d = messageBox(GTK_MESSAGE_ERROR, text);
        gtk_dialog_add_buttons(GTK_DIALOG(d), "Continue", kContinue, "End program", kEnd, nullptr);
        gtk_dialog_set_default_response(GTK_DIALOG(d), kContinue);
        return runAndDestroy(d) == kEnd;
    }

    bool chooseFile(const vx::FileDialogRequest& req, std::string& path) override {
        const bool save = req.save;
        const std::string title =
            req.title.empty() ? (save ? "Save" : "Open") : displayText(req.title);
        GtkWidget* d = gtk_file_chooser_dialog_new(
            title.c_str(), activeWindow(),
            save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN, GTK_STOCK_CANCEL,
            GTK_RESPONSE_CANCEL, save ? GTK_STOCK_SAVE : GTK_STOCK_OPEN, GTK_RESPONSE_ACCEPT,
            nullptr);
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(d);
        gtk_dialog_set_default_response(GTK_DIALOG(d), GTK_RESPONSE_ACCEPT);
        addFilters(chooser, req);
        std::string dir = req.initialDir;
        std::string name = req.fileName;
        if (name.find('/') != std::string::npos) {
            if (dir.empty() || g_path_is_absolute(name.c_str())) dir = folderOf(name);
            gchar* b = g_path_get_basename(name.c_str());
            name = b;
            g_free(b);
        }
        if (!dir.empty() && g_file_test(dir.c_str(), G_FILE_TEST_IS_DIR))
            gtk_file_chooser_set_current_folder(chooser, dir.c_str());
        if (!name.empty()) {
            if (save) // a name typed in the dialog: UTF-8
                gtk_file_chooser_set_current_name(chooser, displayText(name).c_str());
            else if (!dir.empty())
                gtk_file_chooser_set_filename(chooser, (dir + "/" + name).c_str());
        }
        bool chosen = false;
        while (gtk_dialog_run(GTK_DIALOG(d)) == GTK_RESPONSE_ACCEPT) {
            gchar* f = gtk_file_chooser_get_filename(chooser);
            if (!f) continue;
            std::string p = f;
            g_free(f);
            if (save && !req.defaultExt.empty() && !hasExtension(p)) p += req.defaultExt;
            if ((req.pathMustExist || !save) &&
                !g_file_test(folderOf(p).c_str(), G_FILE_TEST_IS_DIR)) {
                showMessage("The folder \"" + folderOf(p) + "\" does not exist.");
                continue;
            }
            if (!save && !g_file_test(p.c_str(), G_FILE_TEST_IS_REGULAR)) {
                showMessage("The file \"" + p + "\" does not exist.");
                continue;
            }
            if (save && req.overwritePrompt && g_file_test(p.c_str(), G_FILE_TEST_EXISTS)) {
                GtkWidget* q =
                    messageBox(GTK_MESSAGE_QUESTION,
                               "\"" + p + "\" already exists.\nDo you want to replace it?");
                gtk_dialog_add_buttons(GTK_DIALOG(q), GTK_STOCK_NO, GTK_RESPONSE_NO, GTK_STOCK_YES,
                                       GTK_RESPONSE_YES, nullptr);
                gtk_dialog_set_default_response(GTK_DIALOG(q), GTK_RESPONSE_NO);
                if (runAndDestroy(q) != GTK_RESPONSE_YES) continue;
            }
            path = p;
            chosen = true;
            break;
        }
        gtk_widget_destroy(d);
        return chosen;
    }
};

} // namespace

void installDialogs() {
    vx::setDialogService(std::make_shared<GtkDialogs>());
}

} // namespace vx::ui::gtk
