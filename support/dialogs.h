// The one road for modal dialogs. The ui layer installs a GTK implementation
// when a display is there; tests install a scripted responder that records
// every text shown. Without either, messages go to standard error and
// confirmations answer Cancel.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vx {

struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::string initialDir;
    std::string fileName;
    std::string defaultExt; // with its leading "."
    struct Filter {
        std::string name;
        std::string pattern;
    };
    std::vector<Filter> filters;
    int filterIndex = 0; // 0-based preselected filter
    bool overwritePrompt = false;
    bool pathMustExist = false;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // Modal message box with one OK button.
    virtual void showMessage(const std::string& text) = 0;
    // OK/Cancel confirmation, Cancel the default; true only for OK.
    virtual bool confirm(const std::string& text) = 0;
    // Open or save dialog; returns false when the user cancels, else sets path.
    virtual bool chooseFile(const FileDialogRequest& req, std::string& path) = 0;
    // The standard error dialog; returns true when the user chooses to end the program.
    virtual bool showError(const std::string& text) = 0;
};

// Installs a service (nullptr restores the default) and returns the previous one.
std::shared_ptr<DialogService> setDialogService(std::shared_ptr<DialogService> svc);
DialogService& dialogs();

inline void ShowMessage(const std::string& text) {
    dialogs().showMessage(text);
}

} // namespace vx
