// Base of the visible controls. The C++ state is the truth; a GTK peer, when
// there is one, mirrors it.
#pragma once

#include "ui/component.h"
#include "ui/types.h"

#include <string>
#include <vector>

namespace vx::ui {

class TPopupMenu;

// The edges of its parent a control keeps its distance from.
struct Anchors {
    bool left = true, top = true, right = false, bottom = false;
};

class TControl : public TComponent {
public:
    TControl() = default;
    ~TControl() override;

    TControl* Parent() const { return parent_; }
    // Also records the anchor distances against the new parent.
    void setParent(TControl* parent);
    const std::vector<TControl*>& children() const { return children_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void setWidth(int v) { setBounds(left_, top_, v, height_); }
    void setHeight(int v) { setBounds(left_, top_, width_, v); }
    // Negative sizes are taken as 0.
    void setBounds(int left, int top, int width, int height);
    // Size of the area children are placed in.
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool Visible() const { return visible_; }
    virtual void setVisible(bool on);
    const std::string& Hint() const { return hint_; }
    void setHint(const std::string& text);
    TCursor Cursor() const { return cursor_; }
    void setCursor(TCursor c);
    TPopupMenu* PopupMenu() const { return popup_; }
    void setPopupMenu(TPopupMenu* menu) { popup_ = menu; }
    // The menu a right click pops up: this control's, else the nearest parent's.
    TPopupMenu* effectivePopupMenu() const;

    // Default left + top. Anchored right and not left: keeps its distance from
    // the parent's right edge; anchored left and right: grows with the parent.
    // Bottom likewise. Distances are those at the time bounds or parent are set,
    // so a form sets its own size before it adds controls.
    void setAnchors(bool left, bool top, bool right, bool bottom);
    Anchors anchors() const { return {anchorLeft_, anchorTop_, anchorRight_, anchorBottom_}; }

    // Position in the client area of the form (scrolling included).
    TPoint screenOrigin() const;
    // True when a user could act on the control now: it and every parent up to
    // the form are enabled and visible. The user... simulations honour it.
    bool canAct() const;

    // --- GTK binding ---
    // The outer widget that is placed, sized, shown and made (in)sensitive.
    GtkWidget* widget() const { return widget_; }
    // Creates the peer of this control and of its children (display only).
    void createPeers();
    // Forgets the peers of this control and its children without touching them
    // (their window is being destroyed).
    void detachPeers();
    // Where the peer draws its caption text, in control pixels from the left
    // (the text's full width, shown or not); false without a shown peer or caption.
    bool captionSpan(int& left, int& right) const;

protected:
    // Makes the peer widget; nullptr for controls without one.
    virtual GtkWidget* createWidget() { return nullptr; }
    // Called after the peer exists, to copy control-specific state into it.
    virtual void syncPeer() {}
    virtual void peerDetached() {}
    // Brings a peer whose rebuild was deferred up to date (see schedulePeerFlush).
    virtual void flushPeer() {}
    friend class TApplication;
    // Where children's widgets go; default: none.
    virtual void placeChild(TControl* child);
    virtual void moveChildPeer(TControl* child);
    // Mirrors the bounds of a control without a parent (a window).
    virtual void moveSelfPeer() {}
    // Offset of children's coordinates (scrolling).
    virtual TPoint childOffset() const { return {0, 0}; }
    // Runs after this control's size changed (state already updated).
    virtual void resized() {}
    virtual void childResized(TControl*) {}

public:
    // Labels size themselves in the peer.
    virtual bool peerAutoSize() const { return false; }

protected:
    void layoutChildren();

    GtkWidget* widget_ = nullptr;

private:
    void applyAnchors();
    void rememberGaps();
    void setBoundsInternal(int left, int top, int width, int height, bool fromLayout);
    void peerBounds();
    void peerVisible();
    void peerEnabled();
    void peerHint();
    void peerCursor();

    TControl* parent_ = nullptr;
    std::vector<TControl*> children_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true, visible_ = true;
    std::string hint_;
    TCursor cursor_ = crDefault;
    TPopupMenu* popup_ = nullptr;
    bool anchorLeft_ = true, anchorTop_ = true, anchorRight_ = false, anchorBottom_ = false;
    int rightGap_ = 0, bottomGap_ = 0;
};

} // namespace vx::ui
