// The application and forms: the dispatcher's error dialog, form lifetime,
// anchors, scroll boxes, and one form holding every kind of control.
#include "support/errors.h"
#include "testsupport.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

using namespace vx::ui;

namespace {

class UiApp : public ::testing::Test {
protected:
    void TearDown() override { Application().resetForTesting(); }
};

struct EndingDialogs : vxtest::ScriptedDialogs {
    bool showError(const std::string& text) override {
        errors.push_back(text);
        return true;
    }
};

} // namespace

TEST_F(UiApp, DispatchShowsEachErrorOnceAndCarriesOn) {
    vxtest::DialogScope dlg;
    EXPECT_TRUE(Application().headless());
    int after = 0;
    TButton b;
    b.OnClick = [&] {
        vx::checkRange(600, 1, 512, "landmark");
        ++after;
    };
    b.click();
    EXPECT_EQ(after, 0) << "the error ends the handler";
    ASSERT_EQ(dlg->errors.size(), 1u);
    EXPECT_NE(dlg->errors[0].find("600"), std::string::npos);
    EXPECT_NE(dlg->errors[0].find("Continue"), std::string::npos);
    EXPECT_NE(dlg->errors[0].find("End program"), std::string::npos);

    EXPECT_FALSE(Application().dispatch([] { throw std::runtime_error("plain"); }));
    EXPECT_FALSE(Application().dispatch([] { throw 42; }));
    EXPECT_TRUE(Application().dispatch([&] { ++after; }));
    EXPECT_EQ(dlg->errors.size(), 3u);
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(Application().Terminated());
    EXPECT_EQ(Application().errorText("x"),
              "x\n\nPress Continue to ignore the error and risk data corruption.\n"
              "Press End program to kill the program.");
}

TEST_F(UiApp, EndProgramTerminatesWithExitCodeOne) {
    auto svc = std::make_shared<EndingDialogs>();
    auto prev = vx::setDialogService(svc);
    Application().dispatch([] { throw vx::FileError("gone"); });
    vx::setDialogService(prev);
    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(Application().ExitCode(), 1);
    EXPECT_EQ(Application().Run(), 1);
}

namespace {

// Reached from the handler without a capture: its captures die with it.
TButton* selfReplacing = nullptr;
std::weak_ptr<int> handlerState;
bool stateLivedOn = false;

} // namespace

TEST_F(UiApp, AHandlerMayReplaceItself) {
    TButton b;
    selfReplacing = &b;
    auto state = std::make_shared<int>(7);
    handlerState = state;
    b.OnClick = [state] {
        selfReplacing->OnClick = [] {};
        stateLivedOn = !handlerState.expired() && *state == 7;
    };
    state.reset();
    b.click();
    EXPECT_TRUE(stateLivedOn) << "the running handler keeps its captures";
    EXPECT_TRUE(handlerState.expired()) << "and lets them go when it is done";
}

TEST_F(UiApp, IdleWorkRunsOnceUnlessItsControlIsGone) {
    vxtest::DialogScope dlg;
    std::vector<std::string> ran;
    auto gone = std::make_unique<TButton>();
    TButton stays;
    Application().atIdleFor(gone.get(), [&] { ran.push_back("gone"); });
    Application().atIdleFor(&stays, [&] { ran.push_back("stays"); });
    Application().atIdleFor(&stays, [] { throw vx::RangeError("idle"); });
    gone.reset();
    EXPECT_TRUE(ran.empty()) << "nothing runs before the events are handled";
    Application().ProcessMessages();
    EXPECT_EQ(ran, std::vector<std::string>{"stays"});
    ASSERT_EQ(dlg->errors.size(), 1u) << "an error there is shown like any other";
    Application().ProcessMessages();
    EXPECT_EQ(ran.size(), 1u);
}

namespace {

struct MainForm : TForm {
    static inline MainForm* instance = nullptr;
    bool sawItself = false;
    TButton* quit = nullptr;
    MainForm() {
        setBounds(0, 0, 400, 300);
        quit = add<TButton>("quitapp", nullptr, 10, 10, 80, 24);
        OnCreate = [this] { sawItself = instance == this; };
    }
};

} // namespace

TEST_F(UiApp, FormsCreateShowAndClose) {
    MainForm::instance = nullptr;
    auto* main = Application().CreateForm(MainForm::instance);
    EXPECT_TRUE(main->sawItself) << "the reference is set before OnCreate runs";
    auto* other = Application().CreateForm<TForm>();
    EXPECT_EQ(Application().MainForm(), main);
    int shows = 0, closes = 0;
    other->OnShow = [&] { ++shows; };
    other->OnClose = [&] { ++closes; };
    other->Show();
    other->Show();
    EXPECT_TRUE(other->Visible());
    EXPECT_EQ(shows, 1);
    other->userClose();
    EXPECT_FALSE(other->Visible()) << "closing another form only hides it";
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(Application().Terminated());
    main->quit->OnClick = [main] { main->Close(); };
    main->quit->click();
    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(Application().Run(), 0);
    EXPECT_EQ(main->FindComponent("quitapp"), main->quit);
    EXPECT_EQ(main->FindComponent("nothing"), nullptr);
}

TEST_F(UiApp, AnchorsFollowTheFormSize) {
    TForm form;
    form.setBounds(0, 0, 400, 300);
    auto* fixed = form.add<TButton>("fixed", nullptr, 10, 10, 50, 20);
    auto* right = form.add<TButton>("right", nullptr, 300, 10, 50, 20);
    right->setAnchors(false, true, true, false);
    auto* grow = form.add<TScrollBox>("grow", nullptr, 10, 40, 280, 200);
    grow->setAnchors(true, true, true, true);
    auto* bottom = form.add<TLabel>("bottom", nullptr, 10, 270, 100, 18);
    bottom->setAnchors(true, false, false, true);
    form.userResize(500, 350);
    EXPECT_EQ(fixed->Left(), 10);
    EXPECT_EQ(right->Left(), 400);
    EXPECT_EQ(right->Width(), 50);
    EXPECT_EQ(grow->Width(), 380);
    EXPECT_EQ(grow->Height(), 250);
    EXPECT_EQ(bottom->Top(), 320);
    form.userResize(100, 100); // too small: sizes stop at 0
    EXPECT_EQ(grow->Width(), 0);
    form.userResize(400, 300);
    EXPECT_EQ(grow->Width(), 280);
    EXPECT_EQ(right->Left(), 300);
}

TEST_F(UiApp, ScrollPositionsClampToTheChild) {
    TForm form;
    form.setBounds(0, 0, 1000, 800);
    auto* box = form.add<TScrollBox>("ScrollBox1", nullptr, 4, 4, 800, 600);
    auto* img = form.add<TImage>("Image1", box, 0, 0, 1345, 888);
    const int bar = 800 - box->ClientWidth();
    EXPECT_GT(bar, 0) << "both bars show";
    EXPECT_EQ(box->ClientHeight(), 600 - bar);
    box->HorzScrollBar().setPosition(5000);
    box->VertScrollBar().setPosition(-3);
    EXPECT_EQ(box->HorzScrollBar().Position(), 1345 - box->ClientWidth());
    EXPECT_EQ(box->VertScrollBar().Position(), 0);
    box->VertScrollBar().setPosition(100);
    EXPECT_EQ(img->screenOrigin().X, 4 - box->HorzScrollBar().Position());
    EXPECT_EQ(img->screenOrigin().Y, 4 - 100);
    img->setBounds(0, 0, 4000, 3000);
    box->HorzScrollBar().setPosition(3000);
    EXPECT_EQ(box->HorzScrollBar().Position(), 3000);
    img->setBounds(0, 0, 700, 500); // fits: no bars, positions back to 0
    EXPECT_EQ(box->ClientWidth(), 800);
    EXPECT_EQ(box->HorzScrollBar().Position(), 0);
    EXPECT_EQ(box->VertScrollBar().Max(), 0);
}

TEST_F(UiApp, ArrowStepsMoveByTheIncrementWithinTheRange) {
    TForm form;
    form.setBounds(0, 0, 500, 400);
    auto* box = form.add<TScrollBox>("box", nullptr, 0, 0, 400, 300);
    form.add<TImage>("img", box, 0, 0, 1000, 800);
    // Both bars show (16 pixels headless): 1000 - 384 and 800 - 284 are the ends.
    TControlScrollBar &h = box->HorzScrollBar(), &v = box->VertScrollBar();
    h.setIncrement(124);
    v.setIncrement(92);
    const struct {
        TControlScrollBar& bar;
        int steps, position;
    } cases[] = {
        {h, 1, 124}, {h, 3, 496}, {h, 1, 616},  {h, -10, 0}, {h, 2, 248},        {h, 1 << 30, 616},
        {v, 2, 184}, {v, 5, 516}, {v, -1, 424}, {v, -5, 0},  {v, -(1 << 30), 0},
    };
    for (const auto& c : cases) {
        c.bar.userStep(c.steps);
        EXPECT_EQ(c.bar.Position(), c.position) << (&c.bar == &h ? "horz " : "vert ") << c.steps;
    }
    EXPECT_EQ(h.Position(), 616) << "one bar's steps leave the other alone";
    v.setIncrement(0);
    EXPECT_EQ(v.Increment(), 1);
    v.userStep(7);
    EXPECT_EQ(v.Position(), 7);
}

TEST_F(UiApp, LabelFontColourIsKeptAndDumped) {
    auto* form = Application().CreateForm<TForm>();
    form->setName("F");
    auto* label = form->add<TLabel>("label", nullptr, 0, 0, 80, 18);
    auto* stat = form->add<TStaticText>("stat", nullptr, 0, 20, 80, 18);
    label->setCaption("on");
    label->setFontColor(clRed);
    label->setCaption("still red");
    stat->setFontColor(rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(label->FontColor(), 0x0000FFu);
    const std::string dump = Application().stateText();
    EXPECT_NE(dump.find("F.label.Caption=still red\nF.label.FontColor=$0000FF\n"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("F.stat.FontColor=$563412\n"), std::string::npos) << dump;
}

TEST_F(UiApp, SmokeFormWithEveryControl) {
    vxtest::DialogScope dlg;
    TForm form;
    form.setBounds(0, 0, 800, 600);
    form.setCaption("Vexton");
    auto* box = form.add<TScrollBox>("box", nullptr, 0, 0, 300, 300);
    auto* img = form.add<TImage>("img", box, 0, 0, 600, 450);
    auto* button = form.add<TButton>("button", nullptr, 310, 0, 80, 24);
    auto* check = form.add<TCheckBox>("check", nullptr, 310, 30, 80, 20);
    auto* label = form.add<TLabel>("label", nullptr, 310, 60, 80, 18);
    auto* stat = form.add<TStaticText>("static", nullptr, 310, 80, 80, 18);
    auto* edit = form.add<TEdit>("edit", nullptr, 310, 100, 80, 24);
    auto* mask = form.add<TMaskEdit>("mask", nullptr, 310, 130, 80, 24);
    auto* memo = form.add<TMemo>("memo", nullptr, 400, 0, 200, 100);
    auto* combo = form.add<TComboBox>("combo", nullptr, 400, 110, 120, 24);
    auto* list = form.add<TListBox>("list", nullptr, 400, 140, 120, 200);
    auto* bar = form.add<TTrackBar>("bar", nullptr, 530, 140, 40, 200);
    auto* menu = form.add<TPopupMenu>("menu");
    auto* icons = form.add<TImageList>("icons");
    auto* open = form.add<TOpenDialog>("open");
    auto* save = form.add<TSaveDialog>("save");
    menu->add("item", "Item");
    list->setPopupMenu(menu);
    img->Picture().Bitmap().setSize(40, 30);
    img->Canvas().Pen().setColor(clRed);
    img->Canvas().LineTo(10, 10);
    TBitmap icon;
    icon.setSize(16, 16);
    icons->Add(icon);
    icons->Draw(img->Canvas(), 0, 0, 0);
    button->setCaption("Go");
    check->setCaption("Check");
    label->setCaption("Label");
    stat->setCaption("Static");
    edit->setText("text");
    mask->setEditMask("!99.9999999999999999!");
    memo->setText("a\r\nb");
    combo->Items().assign({"x", "y"});
    combo->setItemIndex(1);
    list->Items().assign({"r0", "r1"});
    list->setItemIndex(0);
    bar->setMax(100);
    bar->setPosition(50);
    form.Show();
    Application().ProcessMessages();
    for (const char* name : {"box", "img", "button", "check", "label", "static", "edit", "mask",
                             "memo", "combo", "list", "bar"})
        EXPECT_NE(form.FindComponent(name), nullptr) << name;
    EXPECT_EQ(form.find<TOpenDialog>("open"), open);
    EXPECT_EQ(form.find<TSaveDialog>("save"), save);
    EXPECT_EQ(form.find<TImageList>("icons")->Count(), 1);
    EXPECT_EQ(img->Canvas().Pixels(5, 5), clWhite) << "the icon is drawn over the line";
    EXPECT_EQ(button->widget(), nullptr) << "headless: no peers";
    EXPECT_TRUE(dlg->errors.empty());
}

// The state file is written after each event, but not from inside a handler
// (a repaint it causes would show half its changes) and not again while
// nothing changed. A file left as the test wrote it shows no write happened.
TEST_F(UiApp, StateFileIsWrittenAtTheEndOfEachEventOnly) {
    vxtest::TempDir dir;
    const std::string file = (dir / "state.txt").string();
    ASSERT_EQ(setenv("VX_STATE_FILE", file.c_str(), 1), 0);
    auto dispatched = [&] {
        const std::string s = dir.read("state.txt");
        const std::string key = "Application.dispatched=";
        return s.rfind(key, 0) == 0 ? std::stoll(s.substr(key.size())) : -1;
    };
    Application().writeStateIfAsked();
    const long long first = dispatched();
    ASSERT_GE(first, 0);

    dir.write("state.txt", "left alone\n");
    Application().writeStateIfAsked();
    EXPECT_EQ(dir.read("state.txt"), "left alone\n") << "nothing changed";

    std::string during;
    Application().dispatch([&] {
        Application().writeStateIfAsked();
        during = dir.read("state.txt");
    });
    unsetenv("VX_STATE_FILE");
    EXPECT_EQ(during, "left alone\n") << "written from inside a handler";
    EXPECT_EQ(dispatched(), first + 1) << "the handler's end writes the state";
}
