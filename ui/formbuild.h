// The helpers that turn a form description into components. A builder
// creates each control on its form with its place, its caption or text and
// the anchors the builder holds, so a description reads as a table.
#pragma once

#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/listbox.h"
#include "ui/stdctrls.h"
#include "ui/textmetrics.h"
#include "ui/trackbar.h"

#include <initializer_list>
#include <string>

namespace vx::ui {

class FormBuilder {
public:
    explicit FormBuilder(TForm& form, Anchors anchors = {}, TControl* parent = nullptr)
        : form_(form), anchors_(anchors), parent_(parent) {}

    TButton* button(const std::string& name, const std::string& caption, int l, int t, int w,
                    int h);
    TLabel* label(const std::string& name, const std::string& caption, int l, int t, int w,
                  int h = 18);
    TStaticText* staticText(const std::string& name, const std::string& caption, int l, int t,
                            int w, int h = 18);
    TCheckBox* check(const std::string& name, const std::string& caption, int l, int t, int w,
                     int h = 20, bool checked = false);
    TComboBox* combo(const std::string& name, int l, int t, int w, int h, TComboBoxStyle style);
    TListBox* list(const std::string& name, int l, int t, int w, int h,
                   std::initializer_list<const char*> items = {}, bool multiSelect = false);
    TEdit* edit(const std::string& name, const std::string& text, int l, int t, int w, int h);
    // A vertical track bar over min..max at position.
    TTrackBar* vtrack(const std::string& name, int l, int t, int w, int h, int min, int max,
                      int position, bool reversed);

    // Any other control, placed and anchored like the rest.
    template <class T> T* place(const std::string& name, int l, int t, int w, int h) {
        T* c = form_.add<T>(name, parent_, l, t, w, h);
        c->setAnchors(anchors_.left, anchors_.top, anchors_.right, anchors_.bottom);
        return c;
    }

private:
    TForm& form_;
    Anchors anchors_;
    TControl* parent_;
};

// Heights of one row of each kind of control in the fonts GTK draws with,
// measured once when a form is built; never below the heights given.
struct RowHeights {
    int button = 26, combo = 24, entryCombo = 24, edit = 24, label = 18, check = 20;
};
RowHeights measuredRows(RowHeights atLeast = {});

// The width a control of that kind needs for the widest of texts, never below atLeast.
int widthFor(TextBox kind, std::initializer_list<std::string> texts, int atLeast = 0,
             const std::string& font = "");

// Rows stacked down a column: each asks for its height and gets its top.
class Stack {
public:
    explicit Stack(int top, int gap = 2) : y_(top), gap_(gap) {}
    int next(int height) {
        const int top = y_;
        y_ += height + gap_;
        return top;
    }
    // Where the next row would start.
    int y() const { return y_; }

private:
    int y_, gap_;
};

// A form laid out for a 1366 x 768 screen opens larger on a larger screen,
// up to maxWidth x maxHeight; its anchors hand the room out.
void fitToScreen(TForm& form, int maxWidth, int maxHeight);

} // namespace vx::ui
