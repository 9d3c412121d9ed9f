// Combo boxes and list boxes: selection rules, sorting, refusal, rows that
// keep their marks when lines come and go.
#include "support/errors.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

using namespace vx::ui;

TEST(UiComboBox, ItemIndexRules) {
    TComboBox combo;
    combo.setStyle(csDropDownList);
    for (const char* s : {"lndmrks0", "lndmrks1", "lndmrks2"}) combo.Items().Add(s);
    combo.setItemIndex(2);
    struct Step {
        int set, index;
        const char* text;
    } steps[] = {{3, 2, "lndmrks2"},
                 {100, 2, "lndmrks2"},
                 {-2, 2, "lndmrks2"},
                 {0, 0, "lndmrks0"},
                 {-1, -1, ""}};
    for (const auto& s : steps) {
        combo.setItemIndex(s.set);
        EXPECT_EQ(combo.ItemIndex(), s.index) << s.set;
        EXPECT_EQ(combo.Text(), s.text) << s.set;
    }
    combo.setItemIndex(1);
    combo.Items().Clear();
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
}

TEST(UiComboBox, SelectionFollowsItsEntryWhenLinesMove) {
    TComboBox combo;
    for (const char* s : {"b", "c", "d"}) combo.Items().Add(s);
    combo.setItemIndex(1);
    combo.Items().Insert(0, "a");
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.Items().Delete(0);
    EXPECT_EQ(combo.ItemIndex(), 1);
    combo.Items().Delete(1);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "c") << "a drop-down box keeps its text";
}

TEST(UiComboBox, SortedKeepsEntriesInOrderAsAdded) {
    TComboBox combo;
    combo.setSorted(true);
    combo.Items().Add("verdun");
    combo.Items().Add("Alsace");
    combo.Items().Add("marne");
    combo.setItemIndex(2);
    combo.Items().Add("flanders");
    EXPECT_EQ(combo.Items().texts(),
              (std::vector<std::string>{"Alsace", "flanders", "marne", "verdun"}));
    EXPECT_EQ(combo.ItemIndex(), 3);
    EXPECT_EQ(combo.Text(), "verdun");
}

TEST(UiComboBox, TypedTextAndUserChoice) {
    TComboBox combo;
    combo.Items().assign({".mlf", ".mbf"});
    int changes = 0, clicks = 0;
    combo.OnChange = [&] { ++changes; };
    combo.OnClick = [&] { ++clicks; };
    combo.userSelect(1);
    combo.userSelect(1); // the same entry again: no change
    combo.userSelect(5); // no such entry: nothing
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
    combo.userSetText(".xyz");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), ".xyz");
    combo.userSetText(".mlf");
    EXPECT_EQ(combo.ItemIndex(), -1) << "typed text selects no entry, even one that reads the same";
    EXPECT_EQ(combo.Text(), ".mlf");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(clicks, 0) << "picking from the list is not a click on the box";
    combo.click();
    EXPECT_EQ(clicks, 1);

    TComboBox fixed;
    fixed.setStyle(csDropDownList);
    fixed.Items().assign({"Central", "Entente"});
    fixed.userSetText("Neutral");
    fixed.setText("Neutral");
    EXPECT_EQ(fixed.ItemIndex(), -1);
    EXPECT_EQ(fixed.Text(), "");
    fixed.setText("Entente");
    EXPECT_EQ(fixed.ItemIndex(), 1);
}

TEST(UiComboBox, AssignedListKeepsTheHook) {
    TComboBox combo;
    vx::TStringList other;
    other.Add("x");
    other.Add("y");
    combo.Items() = other;
    combo.setItemIndex(1);
    combo.Items().Clear();
    EXPECT_EQ(combo.ItemIndex(), -1);
}

namespace {

std::vector<int> marked(const TListBox& l) {
    std::vector<int> out;
    for (int i = 0; i < l.Items().Count(); ++i)
        if (l.Selected(i)) out.push_back(i);
    return out;
}

} // namespace

TEST(UiListBox, SettingBeyondTheLastRowIsRefused) {
    TListBox list;
    list.Items().assign({"a", "b", "c"});
    list.setItemIndex(1);
    EXPECT_THROW(list.setItemIndex(3), vx::RangeError);
    EXPECT_THROW(list.setItemIndex(-2), vx::RangeError);
    EXPECT_THROW(list.Selected(3), vx::RangeError);
    EXPECT_THROW(list.setSelected(-1, true), vx::RangeError);
    EXPECT_EQ(list.ItemIndex(), 1);
    list.setItemIndex(-1);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(list.SelCount(), 0);
}

TEST(UiListBox, MultiSelectClicks) {
    TListBox list;
    list.setMultiSelect(true);
    list.Items().assign({"0", "1", "2", "3", "4", "5"});
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    TShiftState ctrl, shift;
    ctrl.ctrl = true;
    shift.shift = true;
    list.userClick(1);
    list.userClick(3, ctrl);
    EXPECT_EQ(marked(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.ItemIndex(), 3);
    list.userClick(5, shift);
    EXPECT_EQ(marked(list), (std::vector<int>{3, 4, 5}));
    list.userClick(5, ctrl); // unmark the current row: another marked row takes over
    EXPECT_EQ(marked(list), (std::vector<int>{3, 4}));
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_EQ(clicks, 4);
    list.setItemIndex(2); // the program's choice leaves one row marked
    EXPECT_EQ(marked(list), (std::vector<int>{2}));
    list.setSelected(4, true);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks, 4);
}

TEST(UiListBox, MarksFollowTheirRows) {
    TListBox list;
    list.setMultiSelect(true);
    list.Items().assign({"placeholder", "a", "b", "c", "d"});
    list.setSelected(1, true);
    list.setSelected(3, true);
    // Remove the marked lines from the last to the first.
    for (int i = list.Items().Count() - 1; i >= 1; --i)
        if (list.Selected(i)) list.Items().Delete(i);
    EXPECT_EQ(list.Items().texts(), (std::vector<std::string>{"placeholder", "b", "d"}));
    EXPECT_EQ(list.SelCount(), 0);
    list.setSelected(2, true);
    list.Items().Insert(0, "new");
    EXPECT_EQ(marked(list), (std::vector<int>{3}));
    list.Items().Add("end");
    EXPECT_EQ(marked(list), (std::vector<int>{3}));
    list.Items().setString(3, "renamed");
    EXPECT_EQ(list.ItemIndex(), 3);
    list.Items().Clear();
    list.Items().Add("again");
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(UiListBox, SingleSelectAndTopIndex) {
    TListBox list;
    list.Items().assign({"a", "b", "c"});
    list.setSelected(2, true);
    list.setSelected(0, true);
    EXPECT_EQ(marked(list), (std::vector<int>{0}));
    list.setSelected(1, false);
    EXPECT_EQ(list.ItemIndex(), 0);
    list.setSelected(0, false);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.setTopIndex(10);
    EXPECT_EQ(list.TopIndex(), 2);
    list.setTopIndex(1);
    EXPECT_EQ(list.TopIndex(), 1);
    int dbl = 0;
    list.OnDblClick = [&] { ++dbl; };
    list.userDblClick(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(dbl, 1);
}
