// Buttons, check boxes, labels, edits and memos.
#pragma once

#include "support/stringlist.h"
#include "ui/control.h"

#include <string>

namespace vx::ui {

class TButton : public TControl {
public:
    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& text);
    TNotifyEvent OnClick;
    // The user presses the button.
    void click();

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;

private:
    std::string caption_;
};

class TCheckBox : public TControl {
public:
    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& text);
    bool Checked() const { return checked_; }
    // Runs no handler.
    void setChecked(bool on);
    TNotifyEvent OnClick;
    // The user clicks the box: the check flips, then OnClick runs.
    void userToggle();

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;

private:
    friend struct CheckBoxPeer;
    std::string caption_;
    bool checked_ = false;
};

// A caption; the peer sizes itself to its text.
class TLabel : public TControl {
public:
    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& text);
    // Colour of the caption's text.
    TColor FontColor() const { return fontColor_; }
    void setFontColor(TColor c);
    TNotifyEvent OnClick;
    // The user clicks the label.
    void userClick();

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    bool peerAutoSize() const override { return true; }

private:
    std::string caption_;
    TColor fontColor_ = clBlack;
};

class TStaticText : public TLabel {};

class TEdit : public TControl {
public:
    const std::string& Text() const { return text_; }
    // Runs no handler; not cut to MaxLength.
    void setText(const std::string& text);
    // 0: no limit. Limits what the user types.
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int n) { maxLength_ = n < 0 ? 0 : n; }
    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool on);
    // Shown greyed while the edit is empty (GTK 2 entries show none).
    const std::string& TextHint() const { return textHint_; }
    void setTextHint(const std::string& text) { textHint_ = text; }

    TNotifyEvent OnChange, OnEnter, OnExit;
    TKeyPressEvent OnKeyPress;

    // The user replaces the whole text (cut to MaxLength); OnChange runs.
    void userSetText(const std::string& text);
    // A key typed at the end of the text: OnKeyPress runs first and may change
    // or swallow it; a printable key that is left is then inserted (if the
    // edit accepts it) and OnChange runs.
    void userKeyPress(char key);
    void userEnter();
    void userExit();
    TNotifyEvent OnDblClick;
    void userDblClick();

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    // Whether a typed character may go into the text.
    virtual bool acceptsChar(char c) const;
    // Text after the user typed c at position pos ("" when refused).
    bool typedText(const std::string& before, size_t pos, const std::string& insert,
                   std::string& after) const;

private:
    friend struct EditPeer;
    std::string text_;
    std::string textHint_;
    std::string reportedText_; // the text the last OnChange saw, or the program set
    bool changeQueued_ = false;
    int maxLength_ = 0;
    bool readOnly_ = false;
};

// An edit with an input mask. Only the mask's digit places are enforced:
// digits, the decimal point and a sign are accepted, other characters refused.
class TMaskEdit : public TEdit {
public:
    const std::string& EditMask() const { return mask_; }
    void setEditMask(const std::string& mask) { mask_ = mask; }

protected:
    bool acceptsChar(char c) const override;

private:
    std::string mask_;
};

class TMemo : public TControl {
public:
    TMemo();
    // The lines; changing them updates the peer.
    vx::TStringList& Lines() { return lines_; }
    const vx::TStringList& Lines() const { return lines_; }
    // The lines joined by CR LF, no line end after the last.
    std::string Text() const;
    // Splits at CR LF, LF or CR; runs no handler.
    void setText(const std::string& text);
    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool on);
    // Pango family list; "Courier New" falls back to any monospace font.
    const std::string& FontName() const { return fontName_; }
    void setFontName(const std::string& name);
    TNotifyEvent OnChange;
    void userSetText(const std::string& text);
    // 1 when the peer shows every line in full with no scroll bar over it,
    // 0 when not, -1 without a laid-out peer.
    int peerShowsAll() const;

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    void peerDetached() override;
    void flushPeer() override;

private:
    friend struct MemoPeer;
    void linesChanged();
    vx::TStringList lines_;
    bool readOnly_ = false;
    std::string fontName_;
    GtkWidget* view_ = nullptr;
};

} // namespace vx::ui
