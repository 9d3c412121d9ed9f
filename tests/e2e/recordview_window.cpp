// A window with one recorded image of 40000 x 40000 pixels in a painted
// scroll box, for the end-to-end test of their peers: a red square far past
// what an X window can reach, the image position of each mouse press, and
// arrow steps of 124 and 92 pixels.
#include "ui/ui.h"

#include <string>

using namespace vx::ui;

namespace {

class RecordView : public TForm {
public:
    RecordView() {
        setName("RecordView");
        setCaption("Record view");
        setBounds(0, 0, 660, 540);
        box = add<TPaintedScrollBox>("box", nullptr, 10, 10, 640, 480);
        img = add<TRecordImage>("img", box, 0, 0, 40000, 40000);
        where = add<TLabel>("where", nullptr, 10, 500, 300, 20);
        where->setCaption("none");
        TCanvas& c = img->Canvas();
        c.Brush().setColor(clGray);
        c.FillRect({0, 0, 40000, 40000});
        c.Brush().setColor(clRed);
        c.FillRect({35000, 35000, 35100, 35100});
        c.Pen().setColor(clBlue);
        c.MoveTo(35000, 35200);
        c.LineTo(35300, 35200);
        box->HorzScrollBar().setPosition(34950);
        box->VertScrollBar().setPosition(34950);
        box->HorzScrollBar().setIncrement(124);
        box->VertScrollBar().setIncrement(92);
        img->OnMouseDown = [this](TMouseButton, TShiftState, int x, int y) {
            where->setCaption(std::to_string(x) + " " + std::to_string(y));
        };
    }
    TPaintedScrollBox* box;
    TRecordImage* img;
    TLabel* where;
};

} // namespace

int main(int argc, char** argv) {
    auto& app = Application();
    if (!app.Initialize(argc, argv)) return 1;
    app.CreateForm<RecordView>();
    return app.Run();
}
