// A drop-down list of texts, with or without a typed text.
#pragma once

#include "ui/control.h"
#include "ui/itemstrings.h"

#include <string>
#include <vector>

namespace vx::ui {

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TControl {
public:
    TComboBox();

    TItemStrings& Items() { return items_; }
    const TItemStrings& Items() const { return items_; }
    // -1: none selected.
    int ItemIndex() const { return itemIndex_; }
    // -1 clears the selection; an index beyond the entries leaves it as it was.
    void setItemIndex(int index);
    // The selected entry's text, or (csDropDown) what was typed.
    const std::string& Text() const { return text_; }
    // csDropDown: selects the matching entry, else none; csDropDownList: only
    // an entry's text is taken. Runs no handler.
    void setText(const std::string& text);
    TComboBoxStyle Style() const { return style_; }
    void setStyle(TComboBoxStyle s);
    // Keeps the entries sorted as they are added.
    bool Sorted() const { return items_.Sorted(); }
    void setSorted(bool on) { items_.setSorted(on); }
    // As for list boxes: family, optionally followed by " Bold".
    const std::string& FontName() const { return fontName_; }
    void setFontName(const std::string& name);

    TNotifyEvent OnChange, OnClick, OnEnter, OnExit;

    // The user picks entry i from the drop-down list; OnChange runs when the
    // selection changed.
    void userSelect(int index);
    // The user types into a csDropDown box: the text selects no entry, even
    // one that reads the same; OnChange runs.
    void userSetText(const std::string& text);
    // A mouse click on the box (not on the drop-down list).
    void click();
    void userEnter();
    void userExit();

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    void flushPeer() override;
    void peerDetached() override;

private:
    friend struct ComboPeer;
    void itemsChanged();
    void peerSelection();
    void peerSelectionLater();
    TItemStrings items_;
    int itemIndex_ = -1;
    std::string text_;
    TComboBoxStyle style_ = csDropDown;
    bool rebuildPending_ = false;
    std::vector<std::string> peerItems_; // the entries the peer holds
    std::string fontName_;
    GtkWidget* combo_ = nullptr;
    // Peer only: the focus is in the box as OnEnter / OnExit reported it, the
    // text the last OnChange saw, and work waiting until GTK is done.
    bool peerFocused_ = false;
    std::string reportedText_;
    bool changeQueued_ = false, exitCheckQueued_ = false, rebuildQueued_ = false;
    int peerEventDepth_ = 0;
    GtkWidget* focusWindow_ = nullptr; // the window whose focus moves are watched
};

} // namespace vx::ui
