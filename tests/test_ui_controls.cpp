// Controls headless: programmatic setters run no handler (the track bar's
// position setter excepted), user actions update the state before the handler.
#include "testsupport.h"
#include "ui/textcodec.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

using namespace vx::ui;

namespace {

struct Counter {
    int n = 0;
    TNotifyEvent fn() {
        return [this] { ++n; };
    }
};

} // namespace

TEST(UiControls, ProgrammaticSettersRunNoHandler) {
    Counter c;
    TButton button;
    button.OnClick = c.fn();
    button.setCaption("x");
    TCheckBox check;
    check.OnClick = c.fn();
    check.setChecked(true);
    check.setCaption("y");
    TEdit edit;
    edit.OnChange = c.fn();
    edit.OnExit = c.fn();
    edit.setText("abc");
    TMemo memo;
    memo.OnChange = c.fn();
    memo.setText("a\r\nb");
    memo.Lines().Add("c");
    TComboBox combo;
    combo.OnChange = c.fn();
    combo.Items().Add("one");
    combo.setItemIndex(0);
    combo.setText("two");
    TListBox list;
    list.OnClick = c.fn();
    list.Items().Add("r");
    list.setItemIndex(0);
    list.setSelected(0, false);
    TTrackBar bar;
    bar.OnChange = c.fn();
    bar.setFrequency(3);
    bar.setLineSize(2);
    TMenuItem item;
    item.OnClick = c.fn();
    item.setCaption("z");
    EXPECT_EQ(c.n, 0);
    EXPECT_TRUE(check.Checked());
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(memo.Text(), "a\r\nb\r\nc");
    EXPECT_EQ(combo.Text(), "two");
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(UiControls, UserActionsUpdateStateThenRunTheHandler) {
    TCheckBox check;
    bool seen = false;
    check.OnClick = [&] { seen = check.Checked(); };
    check.userToggle();
    EXPECT_TRUE(seen);
    check.userToggle();
    EXPECT_FALSE(check.Checked());

    TButton button;
    Counter c;
    button.OnClick = c.fn();
    button.click();
    button.setEnabled(false);
    button.click();
    button.setEnabled(true);
    button.setVisible(false);
    button.click();
    EXPECT_EQ(c.n, 1) << "a disabled or hidden control cannot be used";
}

TEST(UiControls, DisabledParentStopsUserActions) {
    TForm form;
    form.setBounds(0, 0, 200, 200);
    auto* box = form.add<TScrollBox>("box", nullptr, 0, 0, 100, 100);
    auto* img = form.add<TImage>("img", box, 0, 0, 50, 50);
    int downs = 0;
    img->OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++downs; };
    box->setEnabled(false);
    img->userMouseDown(mbLeft, {}, 1, 1);
    box->setEnabled(true);
    img->userMouseDown(mbLeft, {}, 1, 1);
    EXPECT_EQ(downs, 1);
}

TEST(UiControls, EditKeysMaxLengthAndMask) {
    TEdit edit;
    edit.setMaxLength(4);
    std::vector<std::string> changes;
    edit.OnChange = [&] { changes.push_back(edit.Text()); };
    int enters = 0;
    edit.OnKeyPress = [&](char& k) {
        if (k == '\r') {
            ++enters;
            k = 0;
        }
        if (k == 'x') k = 'y';
    };
    for (char k : std::string("abx\rcde")) edit.userKeyPress(k);
    EXPECT_EQ(edit.Text(), "abyc") << "cut at MaxLength, x turned into y";
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(changes, (std::vector<std::string>{"a", "ab", "aby", "abyc"}));
    edit.userKeyPress('\b');
    EXPECT_EQ(edit.Text(), "aby");
    edit.setText("longer than four"); // the program may set any text
    EXPECT_EQ(edit.Text(), "longer than four");
    edit.userSetText("123456");
    EXPECT_EQ(edit.Text(), "1234");

    TMaskEdit mask;
    mask.setEditMask("!99.9999999999999999!");
    mask.setMaxLength(19);
    for (char k : std::string("-1a.5e")) mask.userKeyPress(k);
    EXPECT_EQ(mask.Text(), "-1.5");
    EXPECT_EQ(mask.EditMask(), "!99.9999999999999999!");

    TEdit ro;
    ro.setReadOnly(true);
    ro.userKeyPress('a');
    ro.userSetText("b");
    EXPECT_EQ(ro.Text(), "");
}

TEST(UiControls, MemoSplitsAndJoinsLines) {
    TMemo memo;
    struct Case {
        const char* in;
        std::vector<std::string> lines;
        const char* text;
    } cases[] = {
        {"a\r\nb\r\nc", {"a", "b", "c"}, "a\r\nb\r\nc"},
        {"a\nb\rc\r\n", {"a", "b", "c"}, "a\r\nb\r\nc"},
        {"a\r\n\r\nb", {"a", "", "b"}, "a\r\n\r\nb"},
        {"", {}, ""},
    };
    for (const auto& c : cases) {
        memo.setText(c.in);
        EXPECT_EQ(memo.Lines().texts(), c.lines) << c.in;
        EXPECT_EQ(memo.Text(), c.text) << c.in;
    }
    memo.setFontName("Courier New");
    EXPECT_EQ(memo.FontName(), "Courier New");
}

TEST(UiTrackBar, PositionClampsAndRunsOnChangeOnlyOnChange) {
    TTrackBar bar;
    bar.setMax(8000);
    bar.setMin(1345);
    EXPECT_EQ(bar.Position(), 1345) << "raising Min pulls the position up";
    std::vector<int> seen;
    bar.OnChange = [&] { seen.push_back(bar.Position()); };
    bar.setPosition(4000);
    bar.setPosition(4000);
    bar.setPosition(9000);
    bar.setPosition(-5);
    bar.setMin(1500);
    bar.setMin(1000);
    bar.setMax(1200);
    EXPECT_EQ(seen, (std::vector<int>{4000, 8000, 1345, 1500, 1200}));
    EXPECT_EQ(bar.Min(), 1000);
}

TEST(UiTrackBar, AClickRunsOnClickWhileEnabled) {
    TTrackBar bar;
    int clicks = 0, changes = 0;
    bar.OnClick = [&] { ++clicks; };
    bar.OnChange = [&] { ++changes; };
    bar.click();
    bar.setEnabled(false);
    bar.click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 0) << "a click that does not move the bar is no change";
}

TEST(UiTrackBar, WheelRunsItsHandlerThenMovesByLineSize) {
    TTrackBar bar;
    bar.setOrientation(trVertical);
    bar.setReversed(true);
    bar.setMax(8000);
    bar.setMin(1345);
    bar.setPosition(4000);
    bar.setLineSize(100);
    std::vector<std::string> log;
    bool handle = false;
    bar.OnMouseWheel = [&](TShiftState s, int delta, vx::TPoint p, bool& handled) {
        log.push_back("wheel " + std::to_string(delta) + " " + std::to_string(p.X) + "/" +
                      std::to_string(p.Y) + (s.ctrl ? " ctrl" : ""));
        handled = handle;
    };
    bar.OnChange = [&] { log.push_back("change " + std::to_string(bar.Position())); };
    TShiftState ctrl;
    ctrl.ctrl = true;
    EXPECT_FALSE(bar.userWheel(120, 5, 6, ctrl));
    bar.userWheel(-240, 1, 2);
    handle = true;
    EXPECT_TRUE(bar.userWheel(120, 0, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"wheel 120 5/6 ctrl", "change 4100", "wheel -240 1/2",
                                             "change 3900", "wheel 120 0/0"}));

    TTrackBar plain; // not reversed: the top end is Min
    plain.setOrientation(trVertical);
    plain.setMax(10);
    plain.setPosition(5);
    plain.userWheel(120, 0, 0);
    EXPECT_EQ(plain.Position(), 4);
    plain.userSetPosition(50);
    EXPECT_EQ(plain.Position(), 10);
}

TEST(UiMenus, RightButtonPopsUpTheNearestMenuAfterMouseDown) {
    TForm form;
    form.setBounds(0, 0, 300, 300);
    auto* box = form.add<TScrollBox>("ScrollBox1", nullptr, 0, 0, 200, 200);
    auto* img = form.add<TImage>("Image1", box, 0, 0, 400, 400);
    auto* menu = form.add<TPopupMenu>("zinzout");
    box->setPopupMenu(menu);
    auto* redraw = menu->add("RedrawMap1", "Redraw Map");
    auto* none = menu->add("PasteObjectasNew1", "Paste Object as New");
    std::vector<std::string> log;
    img->OnMouseDown = [&](TMouseButton b, TShiftState, int x, int y) {
        log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    };
    menu->OnPopup = [&] { log.push_back("popup"); };
    redraw->OnClick = [&] { log.push_back("redraw"); };
    img->userMouseDown(mbLeft, {}, 1, 2);
    img->userMouseDown(mbRight, {}, 3, 4);
    redraw->click();
    none->click(); // no handler: nothing
    redraw->setEnabled(false);
    redraw->click();
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 1,2", "down 1 3,4", "popup", "redraw"}));
    EXPECT_EQ(menu->popupCount(), 1);
    redraw->setCaption("Redraw");
    EXPECT_EQ(form.find<TMenuItem>("RedrawMap1"), redraw);
    EXPECT_EQ(form.find<TMenuItem>("RedrawMap1")->Caption(), "Redraw");
}

TEST(UiFileDialogs, RequestAndResult) {
    vxtest::DialogScope dlg;
    TSaveDialog save;
    save.setTitle("Save to a Lndmrks#.dat / mlf file");
    save.setDefaultExt("dat");
    save.setFilter("Landmark files|*.dat|Templates|*.mlf;*.mbf|All files|*");
    save.setFilterIndex(2);
    save.setInitialDir("/tmp/x");
    save.setFileName("lndmrks0.txt");
    save.Options().overwritePrompt = true;
    const auto r = save.request();
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.defaultExt, ".dat");
    ASSERT_EQ(r.filters.size(), 3u);
    EXPECT_EQ(r.filters[1].name, "Templates");
    EXPECT_EQ(r.filters[1].pattern, "*.mlf;*.mbf");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_FALSE(r.pathMustExist);

    dlg->fileAnswers = {"", "/tmp/x/out.dat"};
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName(), "lndmrks0.txt");
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), "/tmp/x/out.dat");
    ASSERT_EQ(dlg->fileRequests.size(), 2u);
    EXPECT_EQ(dlg->fileRequests[0].title, "Save to a Lndmrks#.dat / mlf file");

    TOpenDialog open;
    open.setFilterIndex(7); // beyond the filters: the last one
    open.setFilter("Pictures|*.jpg");
    EXPECT_FALSE(open.request().save);
    EXPECT_EQ(open.request().filterIndex, 0);
}

// What the GTK dialogs show: the program's Latin-1 texts converted, texts
// that are UTF-8 already (paths) as they are.
TEST(UiFileDialogs, DialogTextsReachGtkAsUtf8) {
    const struct {
        std::string in, shown;
    } cases[] = {{"Landmark files", "Landmark files"},
                 {"Caf\xE9 \xAB"
                  "alt\xBB",
                  "Caf\xC3\xA9 \xC2\xAB"
                  "alt\xC2\xBB"},
                 {"/home/j\xC3\xBCrgen/map.mlf", "/home/j\xC3\xBCrgen/map.mlf"},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(gtk::displayText(c.in), c.shown) << c.in;
}
