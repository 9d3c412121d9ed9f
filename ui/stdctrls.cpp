#include "stdctrls.h"

#include "application.h"

namespace vx::ui {

// --- TButton ---

void TButton::setCaption(const std::string& text) {
    caption_ = text;
    if (widget_) syncPeer();
}

void TButton::click() {
    if (canAct()) Application().dispatch(OnClick);
}

// --- TCheckBox ---

void TCheckBox::setCaption(const std::string& text) {
    caption_ = text;
    if (widget_) syncPeer();
}

void TCheckBox::setChecked(bool on) {
    checked_ = on;
    if (widget_) syncPeer();
}

void TCheckBox::userToggle() {
    if (!canAct()) return;
    checked_ = !checked_;
    if (widget_) syncPeer();
    Application().dispatch(OnClick);
}

// --- TLabel ---

void TLabel::setCaption(const std::string& text) {
    caption_ = text;
    if (widget_) syncPeer();
}

void TLabel::setFontColor(TColor c) {
    fontColor_ = c;
    if (widget_) syncPeer();
}

void TLabel::userClick() {
    if (canAct()) Application().dispatch(OnClick);
}

// --- TEdit ---

void TEdit::setText(const std::string& text) {
    text_ = reportedText_ = text;
    if (widget_) syncPeer();
}

void TEdit::setReadOnly(bool on) {
    readOnly_ = on;
    if (widget_) syncPeer();
}

bool TEdit::acceptsChar(char c) const {
    return static_cast<unsigned char>(c) >= 32;
}

bool TEdit::typedText(const std::string& before, size_t pos, const std::string& insert,
                      std::string& after) const {
    std::string ok;
    for (char c : insert)
        if (acceptsChar(c)) ok += c;
    if (maxLength_ > 0) {
        const size_t room =
            before.size() >= size_t(maxLength_) ? 0 : size_t(maxLength_) - before.size();
        if (ok.size() > room) ok.resize(room);
    }
    if (ok.empty()) return false;
    after = before;
    after.insert(std::min(pos, after.size()), ok);
    return true;
}

void TEdit::userSetText(const std::string& text) {
    if (!canAct() || readOnly_) return;
    text_ = maxLength_ > 0 && text.size() > size_t(maxLength_) ? text.substr(0, maxLength_) : text;
    reportedText_ = text_;
    if (widget_) syncPeer();
    Application().dispatch(OnChange);
}

void TEdit::userKeyPress(char key) {
    if (!canAct()) return;
    char k = key;
    if (!Application().dispatch([&] {
            if (OnKeyPress) OnKeyPress(k);
        }))
        return;
    if (k == 0 || readOnly_) return;
    std::string after;
    if (k == '\b') {
        if (text_.empty()) return;
        after = text_.substr(0, text_.size() - 1);
    } else if (!typedText(text_, text_.size(), std::string(1, k), after)) {
        return;
    }
    text_ = reportedText_ = after;
    if (widget_) syncPeer();
    Application().dispatch(OnChange);
}

void TEdit::userEnter() {
    if (canAct()) Application().dispatch(OnEnter);
}

void TEdit::userExit() {
    if (canAct()) Application().dispatch(OnExit);
}

void TEdit::userDblClick() {
    if (canAct()) Application().dispatch(OnDblClick);
}

// --- TMaskEdit ---

bool TMaskEdit::acceptsChar(char c) const {
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == ' ';
}

// --- TMemo ---

TMemo::TMemo() {
    lines_.OnChange = [this] { linesChanged(); };
}

void TMemo::linesChanged() {
    if (widget_) Application().schedulePeerFlush(this);
}

std::string TMemo::Text() const {
    std::string out;
    for (int i = 0; i < lines_.Count(); ++i) {
        if (i) out += "\r\n";
        out += lines_[i];
    }
    return out;
}

void TMemo::setText(const std::string& text) {
    lines_.assign(splitLines(text));
}

void TMemo::setReadOnly(bool on) {
    readOnly_ = on;
    if (widget_) syncPeer();
}

void TMemo::setFontName(const std::string& name) {
    fontName_ = name;
    if (widget_) syncPeer();
}

void TMemo::userSetText(const std::string& text) {
    if (!canAct() || readOnly_) return;
    setText(text);
    Application().dispatch(OnChange);
}

} // namespace vx::ui
