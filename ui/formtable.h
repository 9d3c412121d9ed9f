// A form described as data: one row per component (kind, name, parent, place,
// anchors, caption or text, initial state, the member it fills) and one table
// per pop-up menu. buildComponents and buildMenus turn them into components
// in their order; differences tells where a form no longer agrees with them.
#pragma once

#include "ui/formbuild.h"
#include "ui/menus.h"

#include <functional>
#include <string>
#include <vector>

namespace vx::ui {

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

} // namespace vx::ui
