// Pop-up menus.
#pragma once

#include "ui/component.h"
#include "ui/types.h"

#include <memory>
#include <string>
#include <vector>

namespace vx::ui {

class TControl;

class TMenuItem : public TComponent {
public:
    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& text) { caption_ = text; }
    const std::string& Hint() const { return hint_; }
    void setHint(const std::string& text) { hint_ = text; }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }
    bool Visible() const { return visible_; }
    void setVisible(bool on) { visible_ = on; }
    TNotifyEvent OnClick;
    // The user chooses the item (nothing when disabled or hidden).
    void click();

private:
    std::string caption_, hint_;
    bool enabled_ = true, visible_ = true;
};

class TPopupMenu : public TComponent {
public:
    TPopupMenu() = default;
    ~TPopupMenu() override;
    // Adds an item at the end; the menu owns it.
    TMenuItem* add(const std::string& name, const std::string& caption);
    const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }
    TMenuItem* find(const std::string& name) const;
    TNotifyEvent OnPopup;

    // Runs OnPopup and shows the menu at the pointer (headless: OnPopup only).
    // A right button press on a control calls it after the control's handler.
    void popup(TControl* over);
    // Number of times the menu was popped up (tests).
    int popupCount() const { return popups_; }

private:
    void showPeer();
    std::vector<std::unique_ptr<TMenuItem>> items_;
    int popups_ = 0;
    GtkWidget* menu_ = nullptr;
};

} // namespace vx::ui
