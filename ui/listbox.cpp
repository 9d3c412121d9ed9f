#include "listbox.h"

#include "application.h"
#include "support/errors.h"

#include <algorithm>

namespace vx::ui {

TListBox::TListBox() {
    items_.OnChange = [this] { itemsChanged(); };
}

void TListBox::itemsChanged() {
    using Change = TItemStrings::Change;
    const auto& ch = items_.lastChange();
    const size_t n = static_cast<size_t>(items_.Count());
    auto shiftUp = [&](int& i) {
        if (i >= ch.index) ++i;
    };
    if (ch.kind == Change::inserted && ch.index >= 0 && selected_.size() + 1 == n) {
        selected_.insert(selected_.begin() + ch.index, 0);
        if (itemIndex_ >= 0) shiftUp(itemIndex_);
        if (anchor_ >= 0) shiftUp(anchor_);
    } else if (ch.kind == Change::deleted && selected_.size() == n + 1) {
        selected_.erase(selected_.begin() + ch.index);
        if (itemIndex_ == ch.index) itemIndex_ = -1;
        if (itemIndex_ > ch.index) --itemIndex_;
        if (anchor_ >= ch.index) anchor_ = anchor_ == ch.index ? -1 : anchor_ - 1;
    } else if (ch.kind == Change::cleared || selected_.size() != n) {
        // Rebuilt: nothing stays selected.
        selected_.assign(n, 0);
        itemIndex_ = anchor_ = -1;
    }
    fixItemIndex();
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, items_.Count() - 1));
    if (widget_) {
        rebuildPending_ = true;
        Application().schedulePeerFlush(this);
    }
}

void TListBox::fixItemIndex() {
    if (itemIndex_ >= 0 && itemIndex_ < int(selected_.size()) && selected_[itemIndex_]) return;
    auto it = std::find(selected_.begin(), selected_.end(), 1);
    itemIndex_ = it == selected_.end() ? -1 : static_cast<int>(it - selected_.begin());
}

void TListBox::setItemIndex(int index) {
    vx::checkRange(index, -1, items_.Count() - 1, "list box");
    std::fill(selected_.begin(), selected_.end(), 0);
    if (index >= 0) selected_[index] = 1;
    itemIndex_ = anchor_ = index;
    selectionToShow_ = true;
    // Once the handler is done, as the rows it fills: GTK scrolls to the row
    // then, and a scroll paints the window at once, the map amid its load.
    if (widget_) Application().schedulePeerFlush(this);
}

void TListBox::setMultiSelect(bool on) {
    multiSelect_ = on;
    if (!on) {
        std::fill(selected_.begin(), selected_.end(), 0);
        if (itemIndex_ >= 0) selected_[itemIndex_] = 1;
    }
    if (widget_) syncPeer();
}

bool TListBox::Selected(int index) const {
    vx::checkRange(index, 0, items_.Count() - 1, "list box");
    return selected_[index];
}

void TListBox::setSelected(int index, bool on) {
    vx::checkRange(index, 0, items_.Count() - 1, "list box");
    if (!multiSelect_) {
        if (on)
            setItemIndex(index);
        else if (selected_[index])
            setItemIndex(-1);
        return;
    }
    selected_[index] = on;
    if (on && itemIndex_ < 0) itemIndex_ = index;
    fixItemIndex();
    selectionToShow_ = true;
    if (widget_) peerSelection();
}

int TListBox::SelCount() const {
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
}

void TListBox::userClick(int index, TShiftState shift) {
    if (!canAct() || index < 0 || index >= items_.Count()) return;
    if (multiSelect_ && shift.shift && anchor_ >= 0) {
        if (!shift.ctrl) std::fill(selected_.begin(), selected_.end(), 0);
        for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) selected_[i] = 1;
        itemIndex_ = index;
    } else if (multiSelect_ && shift.ctrl) {
        selected_[index] = !selected_[index];
        itemIndex_ = selected_[index] ? index : itemIndex_;
        anchor_ = index;
        fixItemIndex();
    } else {
        std::fill(selected_.begin(), selected_.end(), 0);
        selected_[index] = 1;
        itemIndex_ = anchor_ = index;
    }
    selectionToShow_ = true;
    if (widget_) peerSelection();
    Application().dispatch(OnClick);
}

void TListBox::userDblClick(int index) {
    if (!canAct() || index < 0 || index >= items_.Count()) return;
    userClick(index);
    Application().dispatch(OnDblClick);
}

} // namespace vx::ui

namespace vx::ui {

int TListBox::TopIndex() const {
    return view_ && !topIndexPending_ ? peerTopIndex() : topIndex_;
}

void TListBox::setFontName(const std::string& name) {
    fontName_ = name;
    if (widget_) syncPeer();
}

void TListBox::setTopIndex(int index) {
    topIndex_ = std::clamp(index, 0, std::max(0, items_.Count() - 1));
    // Once the handler is done: rows it fills after this would undo the scroll.
    if (view_) {
        topIndexPending_ = true;
        selectionToShow_ = false; // a row selected before is no longer brought into view
        Application().schedulePeerFlush(this);
    }
}

} // namespace vx::ui
