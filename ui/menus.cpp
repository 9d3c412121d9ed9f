#include "menus.h"

#include "application.h"

namespace vx::ui {

void TMenuItem::click() {
    if (enabled_ && visible_) Application().dispatch(OnClick);
}

TMenuItem* TPopupMenu::add(const std::string& name, const std::string& caption) {
    auto item = std::make_unique<TMenuItem>();
    item->setName(name);
    item->setOwner(Owner());
    item->setCaption(caption);
    items_.push_back(std::move(item));
    return items_.back().get();
}

TMenuItem* TPopupMenu::find(const std::string& name) const {
    for (const auto& i : items_)
        if (i->Name() == name) return i.get();
    return nullptr;
}

void TPopupMenu::popup(TControl*) {
    ++popups_;
    if (!Application().dispatch(OnPopup)) return;
    if (!Application().headless()) Application().dispatch([this] { showPeer(); });
}

} // namespace vx::ui
