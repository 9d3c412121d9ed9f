#include "combobox.h"

#include "application.h"

namespace vx::ui {

TComboBox::TComboBox() {
    items_.OnChange = [this] { itemsChanged(); };
}

void TComboBox::itemsChanged() {
    const auto& ch = items_.lastChange();
    if (items_.Count() == 0) {
        itemIndex_ = -1;
        text_.clear();
    } else if (itemIndex_ >= 0) {
        if (ch.kind == TItemStrings::Change::inserted && ch.index >= 0) {
            if (ch.index <= itemIndex_) ++itemIndex_;
        } else if (ch.kind == TItemStrings::Change::deleted && ch.index >= 0) {
            if (ch.index < itemIndex_)
                --itemIndex_;
            else if (ch.index == itemIndex_)
                itemIndex_ = -1;
        } else {
            // Rows moved in a way not reported: follow the selected text.
            int found = -1;
            for (int i = 0; i < items_.Count() && found < 0; ++i)
                if (items_[i] == text_) found = i;
            itemIndex_ = found;
        }
        if (itemIndex_ >= 0)
            text_ = items_[itemIndex_];
        else if (style_ == csDropDownList)
            text_.clear();
    }
    reportedText_ = text_;
    if (widget_) {
        rebuildPending_ = true;
        Application().schedulePeerFlush(this);
    }
}

void TComboBox::setItemIndex(int index) {
    if (index < -1 || index >= items_.Count()) return;
    itemIndex_ = index;
    text_ = reportedText_ = index < 0 ? std::string() : items_[index];
    peerSelectionLater();
}

// A handler may set the selection more than once (a load clears it, then
// shows a record's entry): the peer takes only the last, and nothing when
// that is what it shows already, as each change of GTK's selection measures
// every entry again.
void TComboBox::peerSelectionLater() {
    if (widget_) Application().schedulePeerFlush(this);
}

void TComboBox::setText(const std::string& text) {
    int found = -1;
    for (int i = 0; i < items_.Count() && found < 0; ++i)
        if (items_[i] == text) found = i;
    if (style_ == csDropDownList) {
        if (found >= 0) setItemIndex(found);
        return;
    }
    text_ = reportedText_ = text;
    itemIndex_ = found;
    peerSelectionLater();
}

void TComboBox::setFontName(const std::string& name) {
    fontName_ = name;
    if (widget_) syncPeer();
}

void TComboBox::setStyle(TComboBoxStyle s) {
    style_ = s;
    if (style_ == csDropDownList && itemIndex_ < 0) text_.clear();
}

void TComboBox::userSelect(int index) {
    if (!canAct() || index < 0 || index >= items_.Count()) return;
    const bool changed = index != itemIndex_;
    itemIndex_ = index;
    text_ = reportedText_ = items_[index];
    if (widget_) peerSelection();
    if (changed) Application().dispatch(OnChange);
}

void TComboBox::userSetText(const std::string& text) {
    if (!canAct() || style_ == csDropDownList) return;
    // Typed text selects no entry, even one of the same text: a handler
    // that takes the selected entry must not take each keystroke's prefix.
    text_ = reportedText_ = text;
    itemIndex_ = -1;
    if (widget_) peerSelection();
    Application().dispatch(OnChange);
}

void TComboBox::click() {
    if (canAct()) Application().dispatch(OnClick);
}

void TComboBox::userEnter() {
    if (canAct()) Application().dispatch(OnEnter);
}

void TComboBox::userExit() {
    if (canAct()) Application().dispatch(OnExit);
}

} // namespace vx::ui
