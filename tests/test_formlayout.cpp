// The forms leave room for the longest text each handler can write into a
// control. Headless, the forms are laid out with the fixed text metrics, so
// the texts are measured with the same metrics here.
#include "loview_fixture.h"
#include "mainwindow_fixture.h"

#include "mapeditor/lmtext.h"
#include "objectviewer/Unit2.h"
#include "objectviewer/lodraw.h"
#include "objectviewer/loedittext.h"
#include "objectviewer/lolines.h"
#include "objectviewer/viewsettings.h"
#include "support/names.h"
#include "ui/textmetrics.h"

#include <gtest/gtest.h>

namespace vxtest {

namespace {

using vx::ui::TextBox;

struct Shown {
    const vx::ui::TControl* control;
    TextBox kind;
    std::string text;
    std::string font = "";
};

void expectRoom(const std::vector<Shown>& cases) {
    for (const Shown& c : cases) {
        const int needs = vx::ui::fixedNeededSize(c.kind, c.text, c.font).X;
        EXPECT_GE(c.control->Width(), needs)
            << c.control->Name() << " is too narrow for \"" << c.text << "\"";
    }
}

// The caption a label holds once the handler ran.
Shown caption(const vx::ui::TLabel* l) {
    return {l, TextBox::label, l->Caption()};
}

// The object whose name is the longest, far out, hidden, turned.
vx::LOobject widestObject() {
    vx::LOobject o{};
    size_t longest = 0;
    for (int c = 0; c <= vx::objClassMax; ++c)
        for (int t = 0; t <= vx::objTypeMax; ++t)
            if (vx::objName(c, t).size() > longest) {
                longest = vx::objName(c, t).size();
                o.loid.at(1) = uint8_t(c);
                o.loid.at(2) = uint8_t(t);
            }
    o.x = -99999;
    o.y = -99999;
    o.rota = 359.9f;
    o.hide = 3;
    return o;
}

} // namespace

TEST_F(LoviewTest, MainWindowCaptionsSetByHandlersFitAtTheirLongest) {
    vx::TForm1& w = loaded();
    bool handled = false;
    w.zoombarupdn({}, -1200, {9999, 9999}, handled);
    const Shown zoomfact = caption(w.zoomfact);
    w.lmX = -7999;
    w.lmY = -5999;
    w.showScrollInfo();
    w.lmpicklist->setItemIndex(0);
    w.editLM();
    ASSERT_EQ(w.edLM->Caption(), "Commit changes");
    expectRoom({
        zoomfact,
        caption(w.sbarXlabel),
        caption(w.SbarYlabel),
        {w.WxHLabel, TextBox::label, vx::wxhLabel(8000, 6000)},
        {w.zoomlabel, TextBox::label, vx::zoomLabel(8000)},
        {w.edLM, TextBox::button, w.edLM->Caption()},
        {w.remLM, TextBox::button, "De-activate Landmark"},
    });
}

TEST_F(LoviewTest, ViewerCaptionsSetByHandlersFitAtTheirLongest) {
    loaded();
    const std::string line = vx::lolistLine(1024, widestObject());
    expectRoom({
        {v().lolist, TextBox::combo, line, v().lolist->FontName()},
        {v().mdowninfo, TextBox::label,
         vx::mdownText(29999, 29999) + vx::mdownHitText(29999, 29999, -99999, -99999, line)},
        {v().xyview, TextBox::label, vx::xyviewText(29999, 29999, -99999, -99999)},
        {v().amagxylab, TextBox::label, vx::loCountCaption(1024, 1024)},
        {v().magnifact, TextBox::label, vx::magnifactText(1)},
        {v().Label1, TextBox::label, vx::label1Text(30000, 30000)},
        {v().objlist, TextBox::list, "objlist = connected to lolist,\n  lotab = data",
         v().objlist->FontName()},
        {v().loworklist, TextBox::list,
         "lowork is  associated \nlomove is used for\n paste and move jobs\n"},
    });
}

} // namespace vxtest
