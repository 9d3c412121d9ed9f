// The helpers that turn a form description into components: the tables of a
// form's components and menus, the text measurements its layout is made of,
// and the fit to the screen.
#pragma once

#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/listbox.h"
#include "ui/menus.h"
#include "ui/stdctrls.h"
#include "ui/textmetrics.h"
#include "ui/trackbar.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace vx::ui {

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

// A form described as data: one row per component (kind, name, parent, place,
// anchors, caption or text, initial state, the member it fills) and one table
// per pop-up menu. buildComponents and buildMenus turn them into components
// in their order; differences tells where a form no longer agrees with them.
enum class Kind {
    button,
    label,
    staticText,
    check,
    combo,
    list,
    edit,
    maskEdit,
    memo,
    vtrack, // a vertical track bar
    image,
    scrollBox,
    paintedScrollBox,
    recordImage,
};

struct Place {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Range {
    int min = 0, max = 10, position = 0;
    bool reversed = false;
};

struct ComponentRow {
    Kind kind;
    std::string name;
    Place place;
    Anchors anchors = {};
    std::string text = {};   // caption, or an edit's or a memo's text
    std::string parent = {}; // a control of the form; empty for the form
    std::vector<std::string> items = {};
    int itemIndex = -1;
    bool multiSelect = false, checked = false, visible = true, enabled = true;
    TComboBoxStyle style = csDropDownList;
    std::string font = {}, hint = {};
    Range range = {}; // track bars
    std::function<void(TControl*)> fills = {};
};

struct MenuItemRow {
    std::string name, caption, hint = {};
    std::function<void(TMenuItem*)> fills = {};
};

struct MenuRow {
    std::string name;
    std::string owner; // the control the menu pops up over
    std::vector<MenuItemRow> items;
    std::function<void(TPopupMenu*)> fills = {};
};

// A row's fills: keeps the component in the form's member.
template <class T> std::function<void(TControl*)> into(T*& member) {
    return [&member](TControl* c) { member = dynamic_cast<T*>(c); };
}
template <class T> std::function<void(T*)> intoItem(T*& member) {
    return [&member](T* c) { member = c; };
}

void buildComponents(TForm& form, const std::vector<ComponentRow>& rows);
void buildMenus(TForm& form, const std::vector<MenuRow>& menus);

// One line for each way the form's components differ from the rows and menus
// (a missing or extra component included); none when they agree.
std::vector<std::string> differences(const TForm& form, const std::vector<ComponentRow>& rows,
                                     const std::vector<MenuRow>& menus);

// A form laid out for a 1366 x 768 screen opens larger on a larger screen,
// up to maxWidth x maxHeight; its anchors hand the room out.
void fitToScreen(TForm& form, int maxWidth, int maxHeight);

} // namespace vx::ui
