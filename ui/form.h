// A top-level window; it owns its components.
#pragma once

#include "ui/control.h"

#include <memory>
#include <string>
#include <vector>

namespace vx::ui {

class TForm : public TControl {
public:
    TForm();
    ~TForm() override;

    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& text);

    TNotifyEvent OnCreate, OnShow, OnActivate, OnClose;

    // Shows the window (creating the peers with a display) and runs OnShow.
    void Show();
    void Hide();
    void BringToFront();
    // Runs OnClose; the main form's close ends the event loop, any other form hides.
    void Close();
    void setVisible(bool on) override;
    bool isMainForm() const;

    int ClientWidth() const override { return Width(); }
    int ClientHeight() const override { return Height(); }

    // Creates a control; parent nullptr means the form itself.
    template <class T>
    T* add(const std::string& name, TControl* parent, int left, int top, int width, int height) {
        auto c = std::make_unique<T>();
        T* p = c.get();
        p->setName(name);
        p->setOwner(this);
        p->setParent(parent ? parent : this);
        p->setBounds(left, top, width, height);
        components_.push_back(std::move(c));
        controlAdded(p);
        return p;
    }
    // Creates a component without a place (menu, image list, dialog).
    template <class T> T* add(const std::string& name) {
        auto c = std::make_unique<T>();
        T* p = c.get();
        p->setName(name);
        p->setOwner(this);
        components_.push_back(std::move(c));
        return p;
    }
    // The control of that name, or nullptr.
    TControl* FindComponent(const std::string& name) const;
    // Any component of that name and kind (menu items included), or nullptr.
    template <class T> T* find(const std::string& name) const {
        return dynamic_cast<T*>(findAny(name));
    }
    TComponent* findAny(const std::string& name) const;

    // Runs OnCreate through the dispatcher (TApplication::CreateForm calls it).
    void doCreate();

    // User actions, also for headless tests.
    void userActivate();
    // The window system's active flag of the window changed. A pop-up menu
    // takes the keyboard while it is open; getting it back from the menu is
    // no activation of the form (else every menu choice would reset it).
    void peerActiveChanged(bool active, bool popupMenuOpen);
    // The window's close button.
    void userClose();
    // The user resized the window (anchors follow).
    void userResize(int width, int height);

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    void peerDetached() override;
    void placeChild(TControl* child) override;
    void moveChildPeer(TControl* child) override;
    void moveSelfPeer() override;

private:
    friend struct FormPeer;
    void controlAdded(TControl* c);
    void destroyWindow();
    void peerCaption();
    std::string caption_;
    std::vector<std::unique_ptr<TComponent>> components_;
    GtkWidget* layout_ = nullptr; // the container children are put in
    bool resizingFromPeer_ = false;
    bool leftForMenu_ = false; // the window gave the keyboard to one of its pop-up menus
};

} // namespace vx::ui
