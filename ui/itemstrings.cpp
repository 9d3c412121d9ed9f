#include "itemstrings.h"

namespace vx::ui {

TItemStrings& TItemStrings::operator=(const vx::TStringList& other) {
    if (&other == this) return *this;
    auto hook = std::move(OnChange);
    OnChange = nullptr;
    Clear();
    for (int i = 0; i < other.Count(); ++i) Add(other[i], other.Objects(i));
    OnChange = std::move(hook);
    if (OnChange) OnChange();
    return *this;
}

} // namespace vx::ui
