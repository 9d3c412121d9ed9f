// Base of everything a form owns: controls, menus, image lists, dialogs.
#pragma once

#include <string>

namespace vx::ui {

class TForm;

class TComponent {
public:
    TComponent() = default;
    virtual ~TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return name_; }
    void setName(const std::string& name) { name_ = name; }
    // The form that owns this component (nullptr for a free-standing one).
    TForm* Owner() const { return owner_; }
    void setOwner(TForm* form) { owner_ = form; }

private:
    std::string name_;
    TForm* owner_ = nullptr;
};

} // namespace vx::ui
