#include "form.h"

#include "application.h"
#include "menus.h"

#include <utility>

namespace vx::ui {

TForm::TForm() {
    TControl::setVisible(false);
}

TForm::~TForm() {
    if (Application().lastActivated() == this) Application().setLastActivated(nullptr);
    destroyWindow();
}

void TForm::setCaption(const std::string& text) {
    caption_ = text;
    if (widget_) peerCaption();
}

bool TForm::isMainForm() const {
    return Application().MainForm() == this;
}

void TForm::Show() {
    const bool was = Visible();
    if (!Application().headless() && !widget_) createPeers();
    TControl::setVisible(true);
    if (was)
        BringToFront();
    else
        Application().dispatch(OnShow);
}

void TForm::Hide() {
    TControl::setVisible(false);
}

void TForm::setVisible(bool on) {
    if (on)
        Show();
    else
        Hide();
}

void TForm::Close() {
    Application().dispatch(OnClose);
    if (isMainForm())
        Application().Terminate();
    else
        Hide();
}

void TForm::userClose() {
    Close();
}

void TForm::userActivate() {
    Application().setLastActivated(this);
    Application().dispatch(OnActivate);
}

void TForm::peerActiveChanged(bool active, bool popupMenuOpen) {
    if (!active) {
        leftForMenu_ = popupMenuOpen;
        return;
    }
    // Another form may have become active while the menu was open.
    if (std::exchange(leftForMenu_, false) && Application().lastActivated() == this) return;
    userActivate();
}

void TForm::userResize(int width, int height) {
    setBounds(Left(), Top(), width, height);
}

void TForm::doCreate() {
    Application().dispatch(OnCreate);
}

void TForm::controlAdded(TControl* c) {
    if (widget_) c->createPeers();
}

TControl* TForm::FindComponent(const std::string& name) const {
    for (const auto& c : components_)
        if (c->Name() == name)
            if (auto* ctl = dynamic_cast<TControl*>(c.get())) return ctl;
    return nullptr;
}

TComponent* TForm::findAny(const std::string& name) const {
    for (const auto& c : components_) {
        if (c->Name() == name) return c.get();
        if (auto* menu = dynamic_cast<TPopupMenu*>(c.get()))
            if (TMenuItem* item = menu->find(name)) return item;
    }
    return nullptr;
}

} // namespace vx::ui
