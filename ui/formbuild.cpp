#include "ui/formbuild.h"

#include "ui/application.h"

#include <algorithm>

namespace vx::ui {

TButton* FormBuilder::button(const std::string& name, const std::string& caption, int l, int t,
                             int w, int h) {
    auto* b = place<TButton>(name, l, t, w, h);
    b->setCaption(caption);
    return b;
}

TLabel* FormBuilder::label(const std::string& name, const std::string& caption, int l, int t, int w,
                           int h) {
    auto* x = place<TLabel>(name, l, t, w, h);
    x->setCaption(caption);
    return x;
}

TStaticText* FormBuilder::staticText(const std::string& name, const std::string& caption, int l,
                                     int t, int w, int h) {
    auto* x = place<TStaticText>(name, l, t, w, h);
    x->setCaption(caption);
    return x;
}

TCheckBox* FormBuilder::check(const std::string& name, const std::string& caption, int l, int t,
                              int w, int h, bool checked) {
    auto* c = place<TCheckBox>(name, l, t, w, h);
    c->setCaption(caption);
    c->setChecked(checked);
    return c;
}

TComboBox* FormBuilder::combo(const std::string& name, int l, int t, int w, int h,
                              TComboBoxStyle style) {
    auto* c = place<TComboBox>(name, l, t, w, h);
    c->setStyle(style);
    return c;
}

TListBox* FormBuilder::list(const std::string& name, int l, int t, int w, int h,
                            std::initializer_list<const char*> items, bool multiSelect) {
    auto* x = place<TListBox>(name, l, t, w, h);
    x->setMultiSelect(multiSelect);
    for (const char* item : items) x->Items().Add(item);
    return x;
}

TEdit* FormBuilder::edit(const std::string& name, const std::string& text, int l, int t, int w,
                         int h) {
    auto* e = place<TEdit>(name, l, t, w, h);
    e->setText(text);
    return e;
}

TTrackBar* FormBuilder::vtrack(const std::string& name, int l, int t, int w, int h, int min,
                               int max, int position, bool reversed) {
    auto* b = place<TTrackBar>(name, l, t, w, h);
    b->setOrientation(trVertical);
    b->setReversed(reversed);
    b->setMax(max);
    b->setMin(min);
    b->setPosition(position);
    return b;
}

RowHeights measuredRows(RowHeights atLeast) {
    // Letters that reach up and down take a line's whole height.
    const std::string sample = "Mg";
    auto height = [&](TextBox kind, int least) {
        return std::max(least, neededSize(kind, sample).Y);
    };
    return {height(TextBox::button, atLeast.button),         height(TextBox::combo, atLeast.combo),
            height(TextBox::entryCombo, atLeast.entryCombo), height(TextBox::edit, atLeast.edit),
            height(TextBox::label, atLeast.label),           height(TextBox::check, atLeast.check)};
}

int widthFor(TextBox kind, std::initializer_list<std::string> texts, int atLeast,
             const std::string& font) {
    int w = atLeast;
    for (const std::string& t : texts) w = std::max(w, neededSize(kind, t, font).X);
    return w;
}

void fitToScreen(TForm& form, int maxWidth, int maxHeight) {
    const TPoint screen = Application().screenSize();
    if (screen.X <= form.Width() + 60 || screen.Y <= form.Height() + 60) return;
    form.setBounds(form.Left(), form.Top(), std::min(screen.X - 60, maxWidth),
                   std::min(screen.Y - 80, maxHeight));
}

} // namespace vx::ui
