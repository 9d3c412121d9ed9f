#include "dialogs.h"

#include <cstdio>

namespace vx {

namespace {

class ConsoleDialogs : public DialogService {
public:
    void showMessage(const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    bool confirm(const std::string& text) override {
        std::fprintf(stderr, "%s [Cancel]\n", text.c_str());
        return false;
    }
    bool chooseFile(const FileDialogRequest&, std::string&) override { return false; }
    bool showError(const std::string& text) override {
        std::fprintf(stderr, "Error: %s\n", text.c_str());
        return false;
    }
};

std::shared_ptr<DialogService>& current() {
    static std::shared_ptr<DialogService> svc = std::make_shared<ConsoleDialogs>();
    return svc;
}

} // namespace

std::shared_ptr<DialogService> setDialogService(std::shared_ptr<DialogService> svc) {
    auto prev = current();
    current() = svc ? std::move(svc) : std::make_shared<ConsoleDialogs>();
    return prev;
}

DialogService& dialogs() {
    return *current();
}

} // namespace vx
