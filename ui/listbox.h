// A list of rows, single or multiple selection.
#pragma once

#include "ui/control.h"
#include "ui/itemstrings.h"

#include <string>
#include <vector>

namespace vx::ui {

class TListBox : public TControl {
public:
    TListBox();
    ~TListBox() override;

    TItemStrings& Items() { return items_; }
    const TItemStrings& Items() const { return items_; }
    // The current row: the one last picked, while it is selected; else the
    // first selected row; -1 when none is selected.
    int ItemIndex() const { return itemIndex_; }
    // Makes row index the only selected row; -1 clears the selection. A row
    // beyond the last is refused with RangeError.
    void setItemIndex(int index);
    bool MultiSelect() const { return multiSelect_; }
    void setMultiSelect(bool on);
    // RangeError outside the rows.
    bool Selected(int index) const;
    void setSelected(int index, bool on);
    int SelCount() const;
    // First row shown. A row set here is the first shown once the rows the
    // handler filled are; a row selected after it is then brought into view.
    int TopIndex() const;
    void setTopIndex(int index);
    // Family, optionally followed by " Bold" ("Courier New Bold"); Courier
    // families fall back to any monospace font.
    const std::string& FontName() const { return fontName_; }
    void setFontName(const std::string& name);

    TNotifyEvent OnClick, OnDblClick;

    // The user clicks a row: alone (selects only it), with ctrl (toggles it,
    // multi-select) or shift (the range from the last picked row); OnClick runs.
    void userClick(int index, TShiftState shift = {});
    void userSelect(int index) { userClick(index); }
    void userDblClick(int index);

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    void flushPeer() override;
    void peerDetached() override;

private:
    friend struct ListPeer;
    void itemsChanged();
    void fixItemIndex();
    void peerSelection();
    int peerTopIndex() const;
    void peerScroll();
    TItemStrings items_;
    std::vector<char> selected_;
    int itemIndex_ = -1;
    int anchor_ = -1;
    int topIndex_ = 0;
    bool multiSelect_ = false;
    bool rebuildPending_ = false;
    // Peer only: a top row set and not yet given to GTK, or given and not yet
    // placed (GTK places it once it has measured the rows); a selection set
    // since, to bring into view once the top row is placed.
    bool topIndexPending_ = false, topPlacing_ = false;
    bool selectionToShow_ = false, revealAfterTop_ = false;
    unsigned placedIdle_ = 0;
    std::string fontName_;
    GtkWidget* view_ = nullptr;
};

} // namespace vx::ui
